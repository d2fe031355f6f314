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
    // The document reserves room for the whole page at once.
    const long made = view.SendScintilla(QsciScintillaBase::SCI_CREATELOADER,
                                         static_cast<unsigned long>(bytes.size()), 0L);
    if (made == 0)
        return nullptr;
    auto* loader = reinterpret_cast<Loader*>(made);
    return std::unique_ptr<ScintillaDocumentLoad>(
        new ScintillaDocumentLoad(loader, std::move(bytes), std::move(filled)));
}

ScintillaDocumentLoad::ScintillaDocumentLoad(Loader* loader, QByteArray bytes,
                                             std::function<void()> filled)
    : loader_(loader), bytes_(std::move(bytes))
{
    // The worker touches nothing but the new document, which nothing else
    // sees until takeDocument(): the future orders its writes before that.
    const char* data = bytes_.constData();
    const qsizetype size = bytes_.size();
    filled_ = std::async(std::launch::async, [loader, data, size, filled = std::move(filled)] {
        const bool ok = loader->AddData(data, size) == 0;
        if (filled)
            filled();
        return ok;
    });
}

ScintillaDocumentLoad::~ScintillaDocumentLoad()
{
    if (filled_.valid())
        filled_.wait();
    if (loader_)
        loader_->Release();
}

void* ScintillaDocumentLoad::takeDocument()
{
    if (!loader_)
        return nullptr;
    const bool ok = filled_.get();
    Loader* loader = loader_;
    loader_ = nullptr;
    if (!ok) {
        loader->Release();
        return nullptr;
    }
    return loader->ConvertToDocument();
}

}
