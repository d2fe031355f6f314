#pragma once
#include <QJsonValue>
#include <QString>

#include <optional>
#include <vector>

namespace ink {

class SourceTree;

// Where an item of a description was written, as byte offsets into the
// UTF-8 merged text: its own text starts at `start` (past the source text
// kept before it) and ends at `end`. An element's item spans its items.
// Places are listed item by item in the order of the description, an
// element's item before the items inside it.
struct MergedPlace {
    qsizetype start;
    qsizetype end;
};

// Writes an edited page back as its original text with only the edited parts
// written anew. The surface describes the document as a tree of items:
//
//   {"p": path, "k": key}                 an untouched node: its source text
//   {"p": path, "k": key, "t": markup}    an original text or comment node
//                                         whose content changed: `markup`
//                                         in place of its source text
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
//                                         children the page had
//   "markup"                              a node the page did not have
//
// Paths and keys are those of SourceTree. Source text between original
// nodes (layout, tags the parser dropped) is kept; that of removed nodes is
// not. New markup that starts with a line break loses it where the output
// already stands at the start of a line.
//
// None when an item names a node the tree does not have (the two parses
// differ) or when the source text of the nodes would not come out in order
// (the parser moved nodes around misnested tags): the caller then writes the
// whole page in its own form.
//
// `places`, when given, gets where each item of the description stands in
// the merged text (see MergedPlace).
std::optional<QString> mergeSource(const SourceTree& source, const QJsonValue& document,
                                   std::vector<MergedPlace>* places = nullptr);

}
