#include "platform/widgets/WebEngineSourceWriter.h"

#include "platform/SourceMerge.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace ink {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

}

// The engine read the file, which ends with the line end that the loaded
// text leaves out, or (for HTML given directly) the text alone.
const SourceTree& WebEngineSourceWriter::tree(bool withLineEnd)
{
    std::unique_ptr<SourceTree>& tree = trees_[withLineEnd ? 1 : 0];
    if (!tree) {
        const QString text = withLineEnd ? text_ + kLineEnd : text_;
        tree = std::make_unique<SourceTree>(SourceTree::parse(text.toUtf8()));
    }
    return *tree;
}

std::optional<QString> WebEngineSourceWriter::write(const QString& loadedText,
                                                    const QString& changesJson)
{
    if (loadedText != text_) {
        text_ = loadedText;
        trees_[0].reset();
        trees_[1].reset();
    }
    QJsonParseError error;
    const QJsonDocument changes = QJsonDocument::fromJson(changesJson.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !changes.isObject())
        return std::nullopt;
    for (const bool withLineEnd : {true, false}) {
        std::optional<QString> merged = mergeSource(tree(withLineEnd), changes.object());
        if (!merged)
            continue;
        if (withLineEnd && merged->endsWith(kLineEnd))
            merged->chop(kLineEnd.size());
        return merged;
    }
    return std::nullopt;
}

}
