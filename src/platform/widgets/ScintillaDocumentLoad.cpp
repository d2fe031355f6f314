#include "platform/widgets/ScintillaDocumentLoad.h"

#include <Qsci/qsciscintillabase.h>

#include <cstddef>

namespace ink {

// The widget's loading interface, as its documents implement it: the
// headers that declare it are not installed with the widget, and only the
// order of the virtual functions matters to the call.
class ScintillaDocumentLoad::Loader {
public:
    virtual int Release() = 0;
    // 0 when the data went in; an error status otherwise.
    virtual int AddData(const char* data, std::ptrdiff_t length) = 0;
    virtual void* ConvertToDocument() = 0;

protected:
    ~Loader() = default;
};

std::unique_ptr<ScintillaDocumentLoad> ScintillaDocumentLoad::start(QsciScintillaBase& view,
                                                                    QByteArray bytes,
                                                                    std::function<void()> filled)
{
    return std::unique_ptr<ScintillaDocumentLoad>(
        new ScintillaDocumentLoad(view, std::move(bytes), std::move(filled)));
}

ScintillaDocumentLoad::ScintillaDocumentLoad(QsciScintillaBase& view, QByteArray bytes,
                                             std::function<void()> filled)
    : bytes_(std::move(bytes))
{
    // The worker makes the document too: it reserves room for the whole
    // page at once, and that room's first touches cost as much as the fill.
    // Making one touches nothing of the widget's but its message entry, and
    // the widget waits for the worker before it goes (see the owner). The
    // worker touches nothing else but the new document, which nothing else
    // sees until takeDocument(): the future orders its writes before that.
    QsciScintillaBase* widget = &view;
    const char* data = bytes_.constData();
    const qsizetype size = bytes_.size();
    filled_ = std::async(std::launch::async, [widget, data, size, filled = std::move(filled)] {
        const long made = widget->SendScintilla(QsciScintillaBase::SCI_CREATELOADER,
                                                static_cast<unsigned long>(size), 0L);
        auto* loader = reinterpret_cast<Loader*>(made);
        Fill fill{loader, loader && loader->AddData(data, size) == 0};
        if (filled)
            filled();
        return fill;
    });
}

ScintillaDocumentLoad::~ScintillaDocumentLoad()
{
    if (!filled_.valid())
        return;
    const Fill fill = filled_.get();
    if (fill.loader)
        fill.loader->Release();
}

void* ScintillaDocumentLoad::takeDocument()
{
    if (!filled_.valid())
        return nullptr;
    const Fill fill = filled_.get();
    if (!fill.loader)
        return nullptr;
    if (!fill.ok) {
        fill.loader->Release();
        return nullptr;
    }
    return fill.loader->ConvertToDocument();
}

}
