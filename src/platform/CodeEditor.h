#pragma once
#include "markup/SourcePosition.h"
#include "platform/Keystroke.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>

class QWidget;

namespace ink {

// Built-in commands of the code editor, run by number.
namespace CodeCmd {
enum : int {
    CharRight = 201,       // caret one right; a selection collapses to its end
    SelectCharLeft = 202,  // extend the selection one character left
    CharLeft = 203,        // caret one left
    Find = 178,            // open the find dialog
    FindReplace = 169,     // open the find-and-replace dialog
    ToggleBookmark = 204,  // toggle a bookmark on the caret's line
    NextBookmark = 206,
    ClearBookmarks = 207,
    Repeat = 187,          // repeat the last typed text once more
    Properties = 224,      // the editor's properties dialog
};
}

// The source editor of the Code view.
//
// Positions and counts are in characters of the text as a QString sees it;
// a CR LF counts as two. The text uses CR LF line ends.
class CodeEditor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~CodeEditor() override = default;

    virtual QWidget* widget() = 0;

    virtual QString text() const = 0;
    // The text as UTF-8, the editor's own bytes: none when the text holds
    // what UTF-8 cannot (a lone surrogate), where text() must be used. Valid
    // until the text next changes.
    virtual std::optional<QByteArrayView> utf8View() const = 0;
    // Replaces the whole text (one undo step); raises textChanged. Answers
    // whether the text changed: the same text leaves the editor untouched.
    virtual bool setText(const QString& text) = 0;
    // The text of a page as it was opened: its undo history starts here, so
    // that undo never takes the page back to what the editor held before.
    // `utf8` is the text as UTF-8 when the caller holds it so already (a
    // long page need not be encoded again), else empty; the editor may keep
    // a share of it.
    virtual void setOpenedText(const QString& text, const QByteArray& utf8 = {}) = 0;

    // The characters [start, end) of the text; positions are clamped to it.
    virtual QString textRange(int start, int end) const = 0;
    // Where the text changed since textChanged was last raised: [start, end)
    // of the current text (empty after a deletion alone). Lets a handler look
    // at what changed instead of the whole page on every key.
    struct Change {
        int start = 0;
        int end = 0;
    };
    virtual Change lastChange() const = 0;
    // Rewrites the characters [start, end) as a follow-up of the change just
    // made: the caret and selection stay on the characters they were on, and
    // one undo takes back the rewrite together with that change.
    virtual void rewriteAfterChange(int start, int end, const QString& text) = 0;

    virtual QString selectedText() const = 0;
    // Replaces the selection (inserts at the caret when it is empty) and
    // leaves the inserted text selected, anchor at its start.
    virtual void replaceSelectedText(const QString& text) = 0;
    virtual int selectionAnchor() const = 0;
    virtual int caretPosition() const = 0;
    virtual void setSelection(int anchor, int caret) = 0;
    // The selection as byte offsets into the text's UTF-8 form, the
    // offsets of the page's source tree.
    virtual SourceRange selectedBytes() const = 0;
    // Selects by byte offsets (kept inside the text) and shows the caret's
    // line in the middle of the view.
    virtual void selectBytesCentred(const SourceRange& range) = 0;

    // Applies caret keystrokes in order, as direct caret operations.
    virtual void applyKeys(const KeySequence& keys) = 0;
    virtual void runCommand(int id) = 0;

    virtual void undo() = 0;
    // Changes made between the two calls are taken back by one undo.
    virtual void beginUndoGroup() = 0;
    virtual void endUndoGroup() = 0;
    virtual void openFindDialog() = 0;
    virtual void openReplaceDialog() = 0;

    virtual void setSyntaxColouring(bool on) = 0;
    virtual bool syntaxColouring() const = 0;
    virtual void setBookmarkMarginVisible(bool on) = 0;
    virtual bool bookmarkMarginVisible() const = 0;

    // Set-up of a freshly created page's view (values 3 and 10).
    virtual void newPageSetup(int a, int b) = 0;
    // The fixed appearance every document window's editor gets when it loads.
    virtual void applyFixedAppearance() = 0;

    virtual void setFocus() = 0;

signals:
    void textChanged();
    void selectionChanged();
    // Any mouse button pressed in the text; the window pops up the Edit
    // menu for the right button.
    void mousePressed(Qt::MouseButton button, const QPoint& globalPos);
    // The editor got the focus or was clicked: the window becomes active.
    void activated();
};

// Makes the changes of one command a single undo step for the user.
class CodeUndoGroup {
public:
    explicit CodeUndoGroup(CodeEditor* editor) : editor_(editor)
    {
        if (editor_)
            editor_->beginUndoGroup();
    }
    ~CodeUndoGroup()
    {
        if (editor_)
            editor_->endUndoGroup();
    }
    CodeUndoGroup(const CodeUndoGroup&) = delete;
    CodeUndoGroup& operator=(const CodeUndoGroup&) = delete;

private:
    CodeEditor* editor_;
};

} // namespace ink
