#pragma once
#include "markup/SourceTree.h"
#include "markup/WrittenPlaces.h"

#include <QString>

#include <functional>
#include <future>
#include <memory>
#include <optional>

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
    // The same, to be waited for on another thread.
    std::shared_future<std::shared_ptr<const SourceTree>> treeLater(const QString& loadedText,
                                                                    bool withLineEnd);
    // The loaded text changed to `loadedText`, whose parse (with or without
    // the line end) is `tree`.
    void adopt(const QString& loadedText, bool withLineEnd, std::shared_ptr<const SourceTree> tree);
    // The same with a parse still being put together elsewhere; a parse
    // that never comes (none given) is made from the text when needed.
    void adopt(const QString& loadedText, bool withLineEnd,
               std::shared_future<std::shared_ptr<const SourceTree>> tree);

    // The surface's description of its changes, with the original nodes at
    // the given paths described by their whole markup.
    using Describe = std::function<QString(const QStringList& wholePaths)>;

    // None when the description does not fit the loaded text; the caller
    // then writes the whole document in the program's own form. Where the
    // parser rearranged the page around an edit, the nodes concerned are
    // asked for again as whole markup, so that only they are written anew.
    // The text written last is kept: the same changes of the same loaded
    // text give it again without a second merge.
    std::optional<QString> write(const QString& loadedText, const QString& changesJson,
                                 const Describe& describe = {});
    // Where the last text write() gave holds each node of the edited
    // document; null when it gave none.
    std::shared_ptr<const WrittenPlaces> writtenPlaces() const { return places_; }
    // The length in bytes of that text.
    qsizetype writtenBytes() const { return writtenBytes_; }

    // The parse of a text write() gave, for placing the selection of an
    // edited document in it: made once per text and kept.
    std::shared_ptr<const SourceTree> writtenTree(const QString& written);

private:
    void forgetWrite();

    using Parse = std::shared_future<std::shared_ptr<const SourceTree>>;

    QString text_;
    // The text with the line end that a file of the program ends with, and
    // without it.
    Parse trees_[2];
    // Which of the two is parsed already (the other one waits until asked).
    bool lineEndFirst_ = true;
    QString written_;
    std::shared_ptr<const SourceTree> writtenTree_;
    // The last write: what it was asked, what it gave, and the parse its
    // record of places refers to.
    QString changes_;
    std::optional<QString> merged_;
    std::shared_ptr<const SourceTree> mergedFrom_;
    std::shared_ptr<const WrittenPlaces> places_;
    qsizetype writtenBytes_ = 0;
};

}
