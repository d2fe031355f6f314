#include "platform/widgets/WebEngineSourceWriter.h"

#include "markup/SourceMerge.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace ink {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

std::shared_ptr<const SourceTree> parsed(const QString& text)
{
    return std::make_shared<const SourceTree>(SourceTree::parse(text.toUtf8()));
}

}

// The engine read either a file, which ends with the line end that the
// loaded text leaves out, or the text alone (HTML given directly). The
// first is the usual case and is parsed at once.
void WebEngineSourceWriter::prepare(const QString& loadedText)
{
    if (loadedText == text_ && trees_[1].valid())
        return;
    text_ = loadedText;
    lastMerged_.reset();
    trees_[1] = std::async(std::launch::async, parsed, loadedText + kLineEnd).share();
    trees_[0] = std::async(std::launch::deferred, parsed, loadedText).share();
}

std::shared_ptr<const SourceTree> WebEngineSourceWriter::tree(const QString& loadedText,
                                                              bool withLineEnd)
{
    prepare(loadedText);
    return trees_[withLineEnd ? 1 : 0].get();
}

void WebEngineSourceWriter::adopt(const QString& loadedText, bool withLineEnd,
                                  std::shared_ptr<const SourceTree> tree)
{
    text_ = loadedText;
    lastMerged_.reset();
    std::promise<std::shared_ptr<const SourceTree>> ready;
    ready.set_value(std::move(tree));
    trees_[withLineEnd ? 1 : 0] = ready.get_future().share();
    trees_[withLineEnd ? 0 : 1] =
        std::async(std::launch::deferred, parsed, withLineEnd ? loadedText : loadedText + kLineEnd)
            .share();
}

std::optional<QString> WebEngineSourceWriter::write(const QString& loadedText,
                                                    const QString& changesJson)
{
    const std::shared_ptr<const Merged> merged = merge(loadedText, changesJson);
    if (!merged)
        return std::nullopt;
    return merged->text;
}

std::shared_ptr<const WebEngineSourceWriter::Merged>
WebEngineSourceWriter::merge(const QString& loadedText, const QString& changesJson)
{
    prepare(loadedText);
    if (lastMerged_ && changesJson == lastChanges_)
        return lastMerged_;
    QJsonParseError error;
    const QJsonDocument changes = QJsonDocument::fromJson(changesJson.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !changes.isObject())
        return nullptr;
    for (const bool withLineEnd : {true, false}) {
        auto merged = std::make_shared<Merged>();
        merged->tree = trees_[withLineEnd ? 1 : 0].get();
        merged->description = changes.object();
        std::optional<QString> text =
            mergeSource(*merged->tree, merged->description, &merged->places);
        if (!text)
            continue;
        if (withLineEnd && text->endsWith(kLineEnd))
            text->chop(kLineEnd.size());
        merged->text = *text;
        lastChanges_ = changesJson;
        lastMerged_ = merged;
        return merged;
    }
    return nullptr;
}

}
