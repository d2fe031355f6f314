#pragma once
#include "markup/SourcePosition.h"

#include <QObject>
#include <QString>

#include <optional>

namespace ink {

class CodeEditor;
class DesignSurface;

// The caret and the selection follow the user from the Design view to the
// Code view and back: both views place them by the bytes of the page's
// text. A view whose selection already stands for the same bytes is left
// alone, so a switch without a new selection keeps each view's scroll.
class ViewSelectionFollower {
public:
    ViewSelectionFollower(DesignSurface& design, CodeEditor& code);

    // The Design view's selection, read with its document for the code.
    void noteDesignSelection(std::optional<SourceRange> place);
    // Once the code holds the document's text: `read` is the text read from
    // the Design view, `shown` what the code holds (the two differ when the
    // text was completed on the way).
    void showInCode(const QString& read, const QString& shown);
    // Once the Design view holds or loads the code's text; `reloaded` when
    // it was given the text anew.
    void showInDesign(bool reloaded);
    // A load of the Design view ended: a selection waiting for it is shown.
    void designLoaded();

private:
    DesignSurface& design_;
    CodeEditor& code_;
    std::optional<SourceRange> fromDesign_;
    std::optional<SourceRange> waitingForDesign_;
    // The code's selection when the two views last stood on the same text.
    std::optional<SourceRange> codeWhenLeft_;
    // Counts the selections given to the Design view, and whatever else
    // sets codeWhenLeft_: a late answer for an older one is dropped.
    int placing_ = 0;
    // Answers from the Design view reach the follower through it: none
    // arrive once the follower is gone.
    QObject answers_;
};

}
