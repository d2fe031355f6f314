#pragma once
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace ink {

class SourceTree;
class WrittenPlaces;

// Writes an edited page back as its original text with only the edited parts
// written anew. The surface describes the document as a tree of items:
//
//   {"p": path, "k": key}                 an untouched node: its source text
//   {"p": path, "k": key, "t": markup}    an original text or comment node
//                                         whose content changed: `markup`
//                                         in place of its source text
//   {"p": path, "k": key, "d": text}     an original text node whose content
//                                         is now `text`: the characters left
//                                         keep their source bytes; "s": 1
//                                         when its whitespace is content,
//                                         "b": 1 / "e": 1 when it starts /
//                                         ends a block
//   {"p": path, "k": key, "r": count, "l": key}
//                                         `count` untouched siblings from
//                                         the node at `path` on, the key of
//                                         the first and of the last given
//   {"p": path, "k": key, "a": tag|null, "c": [items], "n": count}
//                                         an original element (or the
//                                         document, path "") with changes
//                                         inside: its start tag from the
//                                         source (or `tag` when its
//                                         attributes changed), its items,
//                                         its end tag from the source;
//                                         `count`, when given, is how many
//                                         children the page had; "v", when
//                                         given, lists the attributes as
//                                         [name, value, written]: only the
//                                         changed ones are written anew
//   {"p": path, "k": key, "m": 1, ...}    an original node the edit moved
//                                         here: its source text (or, with
//                                         "c", its merged text) in this place
//   {"o": tag, "c": [items], "e": end}    a new element holding original
//                                         nodes
//   "markup"                              a node the page did not have
//
// Paths and keys are those of SourceTree. Source text between original
// nodes (layout, tags the parser dropped) is kept; that of removed nodes is
// not. New markup takes the page's line breaks, and loses a leading one
// where the output already stands at the start of a line.
//
// Where the parser moved nodes around misnested tags or out of a table,
// their source text overlaps: siblings that overlap are written together,
// as their source when none of them changed.
struct MergeResult {
    std::optional<QString> text;
    // When `text` is none: the original nodes to describe by their whole
    // markup ({"p", "k", "t"}) for the merge to succeed; empty when the
    // page must be written whole in the program's form.
    QStringList wholePaths;
    // With `text`: where each node of the edited document stands in it. It
    // refers to the source tree, which must outlive it.
    std::shared_ptr<const WrittenPlaces> places;
};

MergeResult mergeSourceParts(const SourceTree& source, const QJsonValue& document);

// None when an item names a node the tree does not have (the two parses
// differ) or when the source text of the nodes would not come out in order:
// the caller then writes more of the page in its own form.
std::optional<QString> mergeSource(const SourceTree& source, const QJsonValue& document);

}
