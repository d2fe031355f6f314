#include "platform/widgets/WebEngineSelectionPlace.h"

#include "platform/widgets/WebEngineSourceWriter.h"

#include <algorithm>

namespace ink {

namespace {

std::optional<DomPoint> pointFrom(const QVariantList& list, int at)
{
    if (list.size() < at + 2 || list[at].userType() != QMetaType::QString)
        return std::nullopt;
    bool ok = false;
    const int offset = list[at + 1].toInt(&ok);
    if (!ok)
        return std::nullopt;
    return DomPoint{list[at].toString(), offset};
}

}

WebEngineSelectionPlace::WebEngineSelectionPlace(WebEngineSourceWriter& writer,
                                                 const QString& loadedText,
                                                 bool loadedWithLineEnd)
    : writer_(writer)
    , loadedText_(loadedText)
    , withLineEnd_(loadedWithLineEnd)
{
}

// [startPath, startOffset, endPath, endOffset, backwards, changes]
std::optional<SourceRange> WebEngineSelectionPlace::toSource(const QVariant& answer)
{
    const QVariantList list = answer.toList();
    const std::optional<DomPoint> start = pointFrom(list, 0);
    const std::optional<DomPoint> end = pointFrom(list, 2);
    if (!start || !end || list.size() < 6)
        return std::nullopt;
    const bool collapsed = *start == *end;
    const bool backwards = list[4].toBool();
    const QVariant& changes = list[5];
    qsizetype from = -1;
    qsizetype to = -1;
    if (changes.userType() != QMetaType::QString) {
        const std::shared_ptr<const SourceTree> tree = writer_.tree(loadedText_, withLineEnd_);
        from = sourceOffset(*tree, *start);
        to = collapsed ? from : sourceOffset(*tree, *end, true);
    } else if (writer_.write(loadedText_, changes.toString())) {
        // The merge recorded where it wrote each node: a lookup, whatever
        // the page's length, without parsing the text it wrote.
        const std::shared_ptr<const WrittenPlaces> places = writer_.writtenPlaces();
        if (!places)
            return std::nullopt;
        from = places->offsetOf(*start);
        to = collapsed ? from : places->offsetOf(*end, true);
        from = std::min(from, writer_.writtenBytes());
        to = std::min(to, writer_.writtenBytes());
    }
    if (from < 0 || to < 0)
        return std::nullopt;
    to = std::max(from, to);
    return backwards ? SourceRange{to, from} : SourceRange{from, to};
}

// An edited document stands as the text written for it: its nodes are
// those of that text's parse. Edits the document took before they were
// watched ("") cannot be written node by node and give none. (A place in
// the text is found in the document by this parse; the other way needs
// none, see toSource.)
std::shared_ptr<const SourceTree> WebEngineSelectionPlace::editedTree(const QVariant& changes)
{
    const std::optional<QString> written = writer_.write(loadedText_, changes.toString());
    // Placing the Code view's selection in an edited page parses the text
    // written for it once; past this size that parse would hold up the
    // switch itself, so there the Design view keeps its own selection.
    constexpr qsizetype kMostParsedForSelection = 1 << 20;
    if (!written || written->size() > kMostParsedForSelection)
        return nullptr;
    return writer_.writtenTree(*written);
}

QVariantList WebEngineSelectionPlace::toDesign(const SourceRange& range, const QVariant& changes)
{
    std::optional<DomRange> place;
    if (changes.userType() != QMetaType::QString) {
        place = domRange(*writer_.tree(loadedText_, withLineEnd_), range);
    } else if (const std::optional<QString> written =
                   writer_.write(loadedText_, changes.toString())) {
        // Inside an original node the merge wrote as its source text, the
        // record of the merge finds the place without parsing the text.
        if (const std::shared_ptr<const WrittenPlaces> places = writer_.writtenPlaces())
            place = places->domRangeOf(range);
        if (!place) {
            if (const std::shared_ptr<const SourceTree> tree = editedTree(changes))
                place = domRange(*tree, range);
        }
    }
    if (!place)
        return {};
    return {place->anchor.path, place->anchor.offset, place->focus.path, place->focus.offset};
}

}
