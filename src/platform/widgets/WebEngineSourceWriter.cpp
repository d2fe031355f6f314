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
    forgetWrite();
    text_ = loadedText;
    lineEndFirst_ = true;
    trees_[1] = std::async(std::launch::async, parsed, loadedText + kLineEnd).share();
    trees_[0] = std::async(std::launch::deferred, parsed, loadedText).share();
}

std::shared_ptr<const SourceTree> WebEngineSourceWriter::tree(const QString& loadedText,
                                                              bool withLineEnd)
{
    prepare(loadedText);
    return trees_[withLineEnd ? 1 : 0].get();
}

std::shared_future<std::shared_ptr<const SourceTree>>
WebEngineSourceWriter::treeLater(const QString& loadedText, bool withLineEnd)
{
    prepare(loadedText);
    return trees_[withLineEnd ? 1 : 0];
}

void WebEngineSourceWriter::adopt(const QString& loadedText, bool withLineEnd,
                                  std::shared_ptr<const SourceTree> tree)
{
    std::promise<std::shared_ptr<const SourceTree>> ready;
    ready.set_value(std::move(tree));
    adopt(loadedText, withLineEnd, ready.get_future().share());
}

// Nothing here copies the text: a long page's text is put together with
// its line end only where its parse is made, off the caller's way.
void WebEngineSourceWriter::adopt(const QString& loadedText, bool withLineEnd,
                                  std::shared_future<std::shared_ptr<const SourceTree>> tree)
{
    forgetWrite();
    text_ = loadedText;
    lineEndFirst_ = withLineEnd;
    trees_[withLineEnd ? 1 : 0] =
        std::async(std::launch::deferred, [tree, loadedText, withLineEnd] {
            std::shared_ptr<const SourceTree> made = tree.valid() ? tree.get() : nullptr;
            return made ? made : parsed(withLineEnd ? loadedText + kLineEnd : loadedText);
        }).share();
    trees_[withLineEnd ? 0 : 1] = std::async(std::launch::deferred, [loadedText, withLineEnd] {
                                      return parsed(withLineEnd ? loadedText
                                                                : loadedText + kLineEnd);
                                  }).share();
}

// Each round asks for more nodes whole; a few rounds settle any page the
// parser rearranged, and a description that never fits ends in none.
constexpr int kMostRounds = 4;

std::optional<QString> WebEngineSourceWriter::write(const QString& loadedText,
                                                    const QString& changesJson,
                                                    const Describe& describe)
{
    prepare(loadedText);
    if (changesJson == changes_ && (merged_ || !describe))
        return merged_;
    changes_ = changesJson;
    merged_.reset();
    places_.reset();
    mergedFrom_.reset();
    // The parse at hand first: the other one is made only when the first
    // does not fit.
    for (const bool withLineEnd : {lineEndFirst_, !lineEndFirst_}) {
        const std::shared_ptr<const SourceTree> parsed = trees_[withLineEnd ? 1 : 0].get();
        const SourceTree& tree = *parsed;
        QString json = changesJson;
        QStringList whole;
        for (int round = 0; round < kMostRounds; ++round) {
            QJsonParseError error;
            const QJsonDocument changes = QJsonDocument::fromJson(json.toUtf8(), &error);
            if (error.error != QJsonParseError::NoError || !changes.isObject())
                break;
            MergeResult merged = mergeSourceParts(tree, changes.object());
            if (merged.text) {
                writtenBytes_ = merged.places->size();
                if (withLineEnd && merged.text->endsWith(kLineEnd)) {
                    merged.text->chop(kLineEnd.size());
                    writtenBytes_ -= kLineEnd.size();
                }
                merged_ = merged.text;
                places_ = merged.places;
                mergedFrom_ = parsed;
                return merged_;
            }
            const qsizetype before = whole.size();
            for (const QString& path : merged.wholePaths) {
                if (!whole.contains(path))
                    whole.push_back(path);
            }
            if (!describe || whole.size() == before)
                break;
            json = describe(whole);
        }
    }
    return std::nullopt;
}

void WebEngineSourceWriter::forgetWrite()
{
    changes_.clear();
    merged_.reset();
    places_.reset();
    mergedFrom_.reset();
}

std::shared_ptr<const SourceTree> WebEngineSourceWriter::writtenTree(const QString& written)
{
    if (!writtenTree_ || written != written_) {
        written_ = written;
        writtenTree_ = parsed(written);
    }
    return writtenTree_;
}

}
