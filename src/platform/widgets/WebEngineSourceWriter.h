#pragma once
#include "markup/SourceMerge.h"
#include "markup/SourceTree.h"

#include <QJsonObject>

#include <QString>

#include <future>
#include <memory>
#include <optional>
#include <vector>

namespace ink {

// Writes the design surface's document back as the text it was loaded from
// with only the changed parts written anew, from the surface's description
// of its changes (see mergeSource). Keeps the parse of the loaded text
// between calls.
class WebEngineSourceWriter {
public:
    // Starts parsing a newly loaded text in the background, so that the
    // first write after an edit need not wait for it.
    void prepare(const QString& loadedText);

    // The parse of the loaded text, with the line end its file ended with
    // or without.
    std::shared_ptr<const SourceTree> tree(const QString& loadedText, bool withLineEnd);
    // The loaded text changed to `loadedText`, whose parse (with or without
    // the line end) is `tree`.
    void adopt(const QString& loadedText, bool withLineEnd, std::shared_ptr<const SourceTree> tree);

    // None when the description does not fit the loaded text; the caller
    // then writes the whole document in the program's own form.
    std::optional<QString> write(const QString& loadedText, const QString& changesJson);

    // What write() gave, with what it was made from: the tree of the
    // loaded text it merged over, the description and where each of its
    // items was written. The last one is kept: the selection asks for it
    // right before or after the text is read.
    struct Merged {
        QString text;
        std::shared_ptr<const SourceTree> tree;
        QJsonObject description;
        std::vector<MergedPlace> places;
    };
    std::shared_ptr<const Merged> merge(const QString& loadedText, const QString& changesJson);

private:
    using Parse = std::shared_future<std::shared_ptr<const SourceTree>>;

    QString text_;
    // The text with the line end that a file of the program ends with, and
    // without it.
    Parse trees_[2];
    QString lastChanges_;
    std::shared_ptr<const Merged> lastMerged_;
};

}
