#pragma once
#include "markup/SourcePosition.h"

#include <QVariant>

#include <memory>
#include <optional>

namespace ink {

class SourceTree;
class WebEngineSourceWriter;

// The Design view's selection against the page's text. The surface's
// script gives and takes the selection as node paths and offsets; the
// page's text is the loaded one when the document is unchanged, else the
// one the source writer merges from the document's changes.
class WebEngineSelectionPlace {
public:
    WebEngineSelectionPlace(WebEngineSourceWriter& writer, const QString& loadedText,
                            bool loadedWithLineEnd);

    // From the script's sourceSelection() answer: the bytes of the text that
    // reading the document gives now.
    std::optional<SourceRange> toSource(const QVariant& answer);
    // The arguments of the script's selectPlace() for a range of that text,
    // given the script's documentChanges() answer; empty when it cannot be
    // placed.
    QVariantList toDesign(const SourceRange& range, const QVariant& changes);

private:
    std::shared_ptr<const SourceTree> editedTree(const QVariant& changes);

    WebEngineSourceWriter& writer_;
    const QString& loadedText_;
    bool withLineEnd_;
};

}
