#pragma once
#include <QByteArray>

#include <functional>
#include <future>
#include <memory>

class QsciScintillaBase;

namespace ink {

// A long page's bytes put into a new editor document on a worker thread,
// while the window's thread goes on (the editor's own insert of a 1 MB page
// holds the window about 15 ms, mostly first touches of fresh memory).
//
// The worker has the widget make the document, fills it, and the widget
// takes it with takeDocument(), which waits for the worker if it has not
// finished. The widget's current document is left alone until then. The
// widget must not go before the worker has ended: its owner calls
// waitForWorker() as the widget is about to go.
class ScintillaDocumentLoad {
public:
    // Starts the fill. `filled` is called on the worker thread when the
    // fill has ended.
    static std::unique_ptr<ScintillaDocumentLoad> start(QsciScintillaBase& view, QByteArray bytes,
                                                        std::function<void()> filled);
    // Waits for a fill never taken, and lets its document go.
    ~ScintillaDocumentLoad();
    ScintillaDocumentLoad(const ScintillaDocumentLoad&) = delete;
    ScintillaDocumentLoad& operator=(const ScintillaDocumentLoad&) = delete;

    const QByteArray& bytes() const { return bytes_; }

    // Until the worker has ended, and with it any use of the widget.
    void waitForWorker() const
    {
        if (filled_.valid())
            filled_.wait();
    }

    // The filled document, holding one reference the caller takes over;
    // null when it could not be made or filled (the document is then gone).
    void* takeDocument();

private:
    class Loader;
    // The document made (none when the widget could not make one), and
    // whether the page went into it.
    struct Fill {
        Loader* loader = nullptr;
        bool ok = false;
    };
    ScintillaDocumentLoad(QsciScintillaBase& view, QByteArray bytes, std::function<void()> filled);

    QByteArray bytes_;
    std::future<Fill> filled_;
};

}
