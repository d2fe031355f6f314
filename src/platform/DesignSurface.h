#pragma once
#include "markup/SourcePosition.h"
#include "platform/Keystroke.h"

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace ink {

// Command ids of the design surface's published command set.
namespace DesignCmd {
enum : int {
    Bold = 5000,
    Copy = 5002,
    Cut = 5003,
    DeleteCells = 5005,
    DeleteColumns = 5006,
    DeleteRows = 5007,
    FindText = 5008,
    GetFontName = 5013,
    GetFontSize = 5014,
    GetForeColor = 5015,
    Indent = 5018,
    InsertCell = 5019,
    InsertColumn = 5020,
    InsertRow = 5021,
    Italic = 5023,
    JustifyCenter = 5024,
    JustifyLeft = 5025,
    JustifyRight = 5026,
    MakeAbsolute = 5028,
    MergeCells = 5029,
    Outdent = 5031,
    Paste = 5032,
    RemoveFormat = 5034,
    SelectAll = 5035,
    SetBackColor = 5042,
    SetFontName = 5044,
    SetFontSize = 5045,
    SetForeColor = 5046,
    SplitCell = 5047,
    Underline = 5048,
    Undo = 5049,
};
}

// Execution options of a design surface command.
namespace DesignOpt {
enum : int { Default = 0, PromptUser = 1, DontPromptUser = 2 };
}

// Status values of queryStatus(). Callers test only for Enabled.
namespace DesignStatus {
enum : int { NotSupported = 0, Disabled = 1, Enabled = 3, Latched = 7 };
}

// The HTML editing surface of the Design view.
//
// Text forms: documentHtml() and the selection's HTML are serialised with
// upper-case element names and CR LF line ends (the form the new page
// template is written in). A document the user has not changed since it was
// loaded gives back exactly the text it was loaded from, so looking at a page
// never rewrites it.
//
// Scripts of the edited page never run. The surface's own code runs in an
// isolated world. Every call below is synchronous; implementations may pump
// events while they wait for the engine, so none of them may be called from
// inside the engine's own callbacks or signal handlers (queue such work).
class DesignSurface : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~DesignSurface() override = default;

    virtual QWidget* widget() = 0;

    // Replaces the document with the file's HTML. The text the surface treats
    // as "unchanged" is the file's text without the one CR LF that every
    // writer of this program appends. busy() is true until loading ends.
    virtual void loadDocument(const QString& path) = 0;
    // The same for a file this program has just written from `text` (a byte
    // order mark, the text as UTF-8, one CR LF): the surface may take the
    // text as it is instead of reading a long page back from the file.
    virtual void loadWrittenDocument(const QString& path, const QString& text)
    {
        Q_UNUSED(text);
        loadDocument(path);
    }
    virtual bool busy() const = 0;
    // Waits for the real end of a load under way, processing events (user
    // input included) and showing how far it has come; stops early once
    // `stopWaiting` holds. Returns !busy().
    virtual bool waitUntilLoaded(const std::function<bool()>& stopWaiting = {}) = 0;
    // A load is under way and nothing was done in the document yet: its
    // text is the text it is loading, and readDocumentHtml() gives that at
    // once, however long the load still takes.
    virtual bool readableWhileLoading() const = 0;
    // The last load ended without the page: the engine could not read the
    // file and shows a page of its own, which is no part of the document.
    // Stays true until the next load.
    virtual bool loadFailed() const = 0;
    // Why the last load or document read failed, in words for the user.
    virtual QString failure() const = 0;

    // The document's HTML as the surface holds it, once a load under way
    // has ended. False, with `html` untouched, when the surface cannot give
    // it: its last load failed, or it did not answer in time. Text is only
    // ever taken from the document itself, never from what was loaded.
    virtual bool readDocumentHtml(QString* html) = 0;
    // readDocumentHtml(), or "" when that fails.
    virtual QString documentHtml() = 0;
    virtual void setDocumentHtml(const QString& html) = 0;

    // Folder that relative references resolve against.
    virtual void setBaseLocation(const QString& folder) = 0;
    // "Details": shows outlines of block elements and table borders.
    virtual void setShowDetails(bool on) = 0;
    virtual void setShowBorders(bool on) = 0;

    // Runs a command of the published set; the getters return their value
    // (font name, size, colour text "#RRGGBB" in upper case), others "".
    virtual QString execCommand(int id, int option = DesignOpt::Default,
                                const QString& value = QString()) = 0;
    virtual int queryStatus(int id) = 0;
    // The statuses of `statuses` and then the values of the getters
    // `getters`, in one wait on the surface (the caret is followed after
    // every change, also on long pages whose engine is slow to answer).
    // Empty when the surface did not answer.
    virtual QStringList queryState(const QList<int>& statuses, const QList<int>& getters) = 0;
    // queryState() without waiting: `done` runs from the event loop once the
    // surface has answered (with an empty list when it could not), never when
    // `receiver` has gone meanwhile. It may call the surface freely.
    virtual void queryStateLater(const QList<int>& statuses, const QList<int>& getters,
                                 QObject* receiver,
                                 std::function<void(const QStringList&)> done) = 0;

    // DOM document. The title is read as a load ends, before loadFinished:
    // once a load has ended, title() answers without waiting, unless the
    // engine was too busy to answer by then (titleKnown() false); the title
    // then comes with titleArrived when it answers.
    virtual QString title() = 0;
    virtual bool titleKnown() const { return true; }
    virtual QString bgColor() = 0;
    virtual void setBgColor(const QString& colour) = 0;
    virtual QString bodyInnerHtml() = 0;
    virtual QString activeElementInnerHtml() = 0;

    // Selection: "None" (a caret or nothing), "Text" or "Control" (one
    // image, form field, table, rule or frame selected as an object).
    virtual QString selectionType() = 0;
    // Deletes the selected content.
    virtual void clearSelection() = 0;
    // htmlText of a text range made from the selection; for a selection that
    // is one whole block element it starts with CR LF and the block's tags.
    virtual QString selectionHtmlText() = 0;
    // outerHTML of the first selected element of a control selection.
    virtual QString controlOuterHtml() = 0;
    // pasteHTML on a fresh range made from the selection; the caret ends
    // after the pasted markup.
    virtual void pasteHtml(const QString& html) = 0;
    // Pastes before + inner + after in place of the selection, then selects
    // exactly the content that `inner` became (a caret there when empty).
    virtual void pasteHtmlSelectingInner(const QString& before, const QString& inner,
                                         const QString& after) = 0;
    // Wraps the selection in the elements `opening` + `closing` make: the
    // selected content moves into the innermost of them, keeping its own
    // markup, and ends selected there; one Undo takes it back. With
    // `stripBlock`, a whole selected plain paragraph or division gives its
    // content rather than itself. False, with nothing changed, when the
    // selection shows nothing, the innermost element holds only text (a
    // text area, a list's option) or a new link would nest in another:
    // such a wrap goes through the HTML.
    virtual bool wrapSelection(const QString& opening, const QString& closing, bool stripBlock) = 0;
    // Applies caret keystrokes to the DOM selection, in order.
    virtual void applyKeys(const KeySequence& keys) = 0;

    // The selection as byte offsets into the UTF-8 form of the text that
    // readDocumentHtml() gives now: a caret between the same characters
    // (never inside an entity), a selected element from its "<" to the end
    // of its end tag. None while a load is under way, after a failed one,
    // or when the document's edits cannot be placed in the text.
    virtual std::optional<SourceRange> selectionInSource() = 0;
    // readDocumentHtml() and selectionInSource() together, of the document
    // as it stands at one moment: the engine is asked once where both must
    // be asked of it.
    virtual bool readDocumentAndSelection(QString* html, std::optional<SourceRange>* selection) = 0;
    // Selects what a range of that text stands for and scrolls it into
    // view: text as text, a caret inside a tag selects the element, a caret
    // in what the view does not show goes to the first place shown after
    // it. False when the surface cannot place it now (a load under way).
    virtual bool selectInSource(const SourceRange& range) = 0;
    // The same without holding the window while the engine is busy (laying
    // out a long page after an edit): `done` runs later, on `receiver`'s
    // thread, with whether the range was selected. It is not selected when
    // the user worked in the view before the engine answered.
    virtual void selectInSourceLater(const SourceRange& range, QObject* receiver,
                                     std::function<void(bool)> done)
    {
        Q_UNUSED(receiver);
        const bool placed = selectInSource(range);
        if (done)
            done(placed);
    }

    virtual void setFocus() = 0;

    // Where the document is scrolled to, in CSS pixels, so that a page
    // loaded anew (its file changed on disk) can be put back at the user's
    // place. A surface that cannot scroll answers (0, 0) and ignores scrollTo.
    virtual QPointF scrollPosition() { return {}; }
    virtual void scrollTo(const QPointF& position) { Q_UNUSED(position); }

signals:
    // A load ended, also when it failed (loadFailed() tells); busy() is
    // true until then.
    void loadFinished();
    // The title of the page loaded last, read after its load had ended.
    void titleArrived();
    void displayChanged();
    void contextMenuRequested(const QPoint& globalPos);
    // A click, or a key let go, in the view: told once the page has handled
    // it, so that the selection read then is the one it made.
    void clicked();
    void keyReleased();
    void focusLost();
};

} // namespace ink
