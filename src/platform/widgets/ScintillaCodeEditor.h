#pragma once
#include "platform/CodeEditor.h"
#include "markup/TextChangeRange.h"
#include "platform/widgets/CodeEditorProperties.h"
#include "platform/widgets/CodeFindDialog.h"
#include "platform/widgets/ScintillaPositionIndex.h"
#include "platform/widgets/ScintillaTypedText.h"

#include <QColor>
#include <QPointer>

#include <memory>

class QsciLexerHTML;

namespace ink {

class ScintillaDocumentLoad;
class ScintillaView;

// The code editor on QScintilla. The widget holds the page as UTF-8 bytes,
// exactly as set (line ends are never converted; typed new lines are CR LF);
// every position that crosses this interface is converted to and from the
// program's character counts locally, near the position concerned.
//
// Signals: changes made through this interface raise textChanged and
// selectionChanged once, when the call has finished its work; changes the
// user makes in the widget raise them from the event loop right after.
// textChanged means the text really changed: setting the text the editor
// already holds, or replacing a selection by the same text, changes nothing
// and raises nothing (no undo step either).
//
// A long page opened into a hidden, empty editor goes into a new document
// on a worker thread. The editor answers for the page's text meanwhile and
// raises textChanged at once; anything else it is asked, and its showing,
// first puts the filled document into the widget (waiting for the worker if
// need be), as does the worker's end.
class ScintillaCodeEditor : public CodeEditor {
    Q_OBJECT
public:
    explicit ScintillaCodeEditor(QWidget* parent);
    ~ScintillaCodeEditor() override;

    QWidget* widget() override;

    QString text() const override;
    std::optional<QByteArrayView> utf8View() const override;
    bool setText(const QString& text) override;
    // The same, with the text's bytes as the editor holds them.
    bool setTextBytes(const QString& text, const QByteArray& bytes);
    void setOpenedText(const QString& text, const QByteArray& utf8 = {}) override;

    QString textRange(int start, int end) const override;
    Change lastChange() const override;
    void rewriteAfterChange(int start, int end, const QString& text) override;

    QString selectedText() const override;
    void replaceSelectedText(const QString& text) override;
    int selectionAnchor() const override;
    int caretPosition() const override;
    void setSelection(int anchor, int caret) override;
    SourceRange selectedBytes() const override;
    void selectBytesCentred(const SourceRange& range) override;

    void applyKeys(const KeySequence& keys) override;
    void runCommand(int id) override;

    void undo() override;
    void beginUndoGroup() override;
    void endUndoGroup() override;
    void openFindDialog() override;
    void openReplaceDialog() override;

    void setSyntaxColouring(bool on) override;
    bool syntaxColouring() const override;
    void setBookmarkMarginVisible(bool on) override;
    bool bookmarkMarginVisible() const override;

    void newPageSetup(int a, int b) override;
    void applyFixedAppearance() override;

    void setFocus() override;

    // The properties currently in force, and applying new ones (what the
    // properties dialog does).
    CodeEditorSettings settings() const { return settings_; }
    void applySettings(const CodeEditorSettings& settings);
    void openPropertiesDialog();

private:
    // Groups the widget calls of one interface call: the signals they cause
    // are raised once, when the outermost operation ends.
    class Operation {
    public:
        explicit Operation(ScintillaCodeEditor& editor) : editor_(editor) { ++editor_.operationDepth_; }
        ~Operation()
        {
            if (--editor_.operationDepth_ == 0)
                editor_.emitPendingSignals();
        }
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

    private:
        ScintillaCodeEditor& editor_;
    };

    struct Selection {
        qsizetype anchor;
        qsizetype caret;
    };

    void setUpView();
    bool startLoad(const QString& text, const QByteArray& utf8);
    void settle() const;
    void takeLoadedDocument();
    void connectView();
    void applyLook();

    long send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
    long byteLength() const;
    const char* bytesAt(qsizetype start, qsizetype length) const;
    bool holdsBytes(const QByteArray& bytes, long start, long end) const;
    void replaceBytes(long start, long end, QByteArrayView bytes);
    void keepText(const QString& text) const;
    void forgetText() const;

    Selection charSelection() const;
    void setByteSelection(long anchor, long caret);
    qsizetype lineUp(qsizetype caret, long& column);
    qsizetype lineStart(qsizetype caret);

    void toggleBookmark();
    void goToNextBookmark();
    void repeatTyping();
    CodeFindDialog* findDialog(CodeFindDialog::Mode mode);

    void onModified(int position, int type, const char* text, int length, int token);
    void undoJoinedChange();
    void recordTyping(int position, int type, const char* text, int length);
    void queueSignals();
    void emitPendingSignals();

    QPointer<ScintillaView> view_;
    QsciLexerHTML* lexer_;
    mutable ScintillaPositionIndex index_;
    ScintillaTypedText typed_;
    CodeEditorSettings settings_;
    QColor marginColour_;
    bool bookmarkMargin_ = false;

    // The page still being filled on the worker, and its text.
    std::unique_ptr<ScintillaDocumentLoad> load_;
    QString loadText_;
    // Changes the widget reports are the editor's own doing, already known.
    bool quietChanges_ = false;

    TextChangeRange changes_;    // bytes changed since textChanged was raised
    TextChangeRange lastChange_; // the bytes the last textChanged reported
    // An undone rewrite asks for the change it followed to be undone too.
    bool joinedUndoPending_ = false;

    int operationDepth_ = 0;
    bool textDirty_ = false;
    // The widget's text as text() last gave it, while it has not changed.
    mutable QString text_;
    mutable bool textKnown_ = false;
    mutable bool forgetQueued_ = false;
    bool signalsQueued_ = false;
    long reportedAnchor_ = 0;
    long reportedCaret_ = 0;

    QPointer<CodeFindDialog> findDialog_;
    QPointer<CodeFindDialog> replaceDialog_;
    QPointer<CodeEditorProperties> propertiesDialog_;
};

}
