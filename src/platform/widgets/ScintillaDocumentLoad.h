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
// The document is made by the widget, filled by the worker and handed back
// to the widget with takeDocument(), which waits for the worker if it has
// not finished. The widget's current document is left alone until then.
class ScintillaDocumentLoad {
public:
    // Starts the fill; none when the widget cannot make a loading document.
    // `filled` is called on the worker thread when the fill has ended.
    static std::unique_ptr<ScintillaDocumentLoad> start(QsciScintillaBase& view, QByteArray bytes,
                                                        std::function<void()> filled);
    // Waits for a fill never taken, and lets its document go.
    ~ScintillaDocumentLoad();
    ScintillaDocumentLoad(const ScintillaDocumentLoad&) = delete;
    ScintillaDocumentLoad& operator=(const ScintillaDocumentLoad&) = delete;

    const QByteArray& bytes() const { return bytes_; }

    // The filled document, holding one reference the caller takes over;
    // null when the fill failed (the document is then gone).
    void* takeDocument();

private:
    class Loader;
    ScintillaDocumentLoad(Loader* loader, QByteArray bytes, std::function<void()> filled);

    Loader* loader_;
    QByteArray bytes_;
    std::future<bool> filled_;
};

}
