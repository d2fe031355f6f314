#include "platform/widgets/ScintillaCodeEditor.h"

#include "platform/widgets/ScintillaView.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

#include <Qsci/qscilexerhtml.h>

namespace ink {

using Sci = QsciScintillaBase;

namespace {

// Margin 0 shows line numbers, margin 1 the bookmarks; the widget's third
// margin (folding) is not used.
constexpr int kNumberMargin = 0;
constexpr int kBookmarkMargin = 1;
constexpr int kFoldMargin = 2;
constexpr int kBookmarkMarker = 1;
constexpr int kBookmarkMask = 1 << kBookmarkMarker;
constexpr int kBookmarkMarginWidth = 16;

bool isMonospaced(const QFont& font)
{
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W'));
}

// "Courier New" where it is installed, else the family the font system
// puts in its place (usually a metric twin of it), else the system's fixed
// font. The family is named as resolved, since the widget passes bare
// family names on. Pitch flags of installed fonts are unreliable, so
// monospacing is measured.
QFont fixedFont()
{
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    const QString substitute = QFontInfo(font).family();
    if (substitute == font.family())
        return font;
    QFont candidate(substitute, 10);
    if (isMonospaced(candidate))
        return candidate;
    return QFont(QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family(), 10);
}

}

// ---- Set-up and appearance

void ScintillaCodeEditor::setUpView()
{
    view_->setAccessibleName(tr("Page source"));
    view_->setUtf8(true);
    view_->setEolMode(QsciScintilla::EolWindows);
    view_->setMarginWidth(kNumberMargin, 0);
    view_->setMarginWidth(kFoldMargin, 0);
    view_->setMarginType(kBookmarkMargin, QsciScintilla::SymbolMargin);
    view_->setMarginMarkerMask(kBookmarkMargin, kBookmarkMask);
    view_->setMarginWidth(kBookmarkMargin, 0);
    view_->markerDefine(QsciScintilla::Circle, kBookmarkMarker);
    view_->setMarkerBackgroundColor(QColor(0x20, 0x60, 0xC0), kBookmarkMarker);
    view_->setMarkerForegroundColor(QColor(0x10, 0x30, 0x60), kBookmarkMarker);
    // A marker without a visible margin would paint its whole line in its
    // colour, hiding the text; transparent, it shows only in the margin.
    send(Sci::SCI_MARKERSETALPHA, kBookmarkMarker, 0);
    // The lines on screen keep their measured layout between paints: the
    // view shown again after the Design view, a scroll back or a caret
    // moved across lines paints them without shaping their text anew. By
    // default only the caret's line is kept.
    send(Sci::SCI_SETLAYOUTCACHE, Sci::SC_CACHE_PAGE);
    settings_.font = fixedFont();
    view_->setLexer(lexer_);
    applyLook();
}

// Font, margins and tab width. Changing the lexer resets the widget's
// styles, so this runs again after every switch of the syntax colouring.
void ScintillaCodeEditor::applyLook()
{
    const QFont& font = settings_.font;
    if (view_->lexer()) {
        lexer_->setDefaultFont(font);
        lexer_->setFont(font, -1);
    } else {
        // Without a lexer the widget sets only its default style; the text
        // keeps the styles the lexer gave it unless all take the default.
        view_->setFont(font);
        send(Sci::SCI_STYLECLEARALL);
    }
    view_->setMarginsFont(font);
    if (marginColour_.isValid())
        view_->setMarginsBackgroundColor(marginColour_);
    view_->setMarginLineNumbers(kNumberMargin, settings_.lineNumbers);
    if (settings_.lineNumbers)
        view_->setMarginWidth(kNumberMargin, QStringLiteral("000000"));
    else
        view_->setMarginWidth(kNumberMargin, 0);
    view_->setTabWidth(settings_.tabWidth);
}

// ---- Commands

void ScintillaCodeEditor::runCommand(int id)
{
    switch (id) {
    case CodeCmd::CharRight:
        applyKeys({Key::Right});
        break;
    case CodeCmd::SelectCharLeft:
        applyKeys({Key::ShiftLeft});
        break;
    case CodeCmd::CharLeft:
        applyKeys({Key::Left});
        break;
    case CodeCmd::Find:
        openFindDialog();
        break;
    case CodeCmd::FindReplace:
        openReplaceDialog();
        break;
    case CodeCmd::ToggleBookmark:
        toggleBookmark();
        break;
    case CodeCmd::NextBookmark:
        goToNextBookmark();
        break;
    case CodeCmd::ClearBookmarks:
        send(Sci::SCI_MARKERDELETEALL, kBookmarkMarker);
        break;
    case CodeCmd::Repeat:
        repeatTyping();
        break;
    case CodeCmd::Properties:
        openPropertiesDialog();
        break;
    default:
        break;
    }
}

void ScintillaCodeEditor::toggleBookmark()
{
    const long line = send(Sci::SCI_LINEFROMPOSITION, send(Sci::SCI_GETCURRENTPOS));
    if (send(Sci::SCI_MARKERGET, line) & kBookmarkMask)
        send(Sci::SCI_MARKERDELETE, line, kBookmarkMarker);
    else
        send(Sci::SCI_MARKERADD, line, kBookmarkMarker);
}

// The first bookmarked line after the caret's line, wrapping round to the
// top; the caret goes to the start of that line.
void ScintillaCodeEditor::goToNextBookmark()
{
    const long line = send(Sci::SCI_LINEFROMPOSITION, send(Sci::SCI_GETCURRENTPOS));
    long next = send(Sci::SCI_MARKERNEXT, line + 1, kBookmarkMask);
    if (next < 0)
        next = send(Sci::SCI_MARKERNEXT, 0, kBookmarkMask);
    if (next < 0)
        return;
    Operation operation(*this);
    const long position = send(Sci::SCI_POSITIONFROMLINE, next);
    setByteSelection(position, position);
}

// Types the user's last typed or pasted text once more, in place of the
// selection, and leaves the caret after it as typing does.
void ScintillaCodeEditor::repeatTyping()
{
    const QByteArray bytes = typed_.text();
    if (bytes.isEmpty())
        return;
    Operation operation(*this);
    const long start = send(Sci::SCI_GETSELECTIONSTART);
    replaceBytes(start, send(Sci::SCI_GETSELECTIONEND), bytes);
    setByteSelection(start + bytes.size(), start + bytes.size());
}

void ScintillaCodeEditor::undo()
{
    Operation operation(*this);
    send(Sci::SCI_UNDO);
    undoJoinedChange();
}

void ScintillaCodeEditor::beginUndoGroup()
{
    send(Sci::SCI_BEGINUNDOACTION);
}

void ScintillaCodeEditor::endUndoGroup()
{
    send(Sci::SCI_ENDUNDOACTION);
}

// ---- Dialogs

// One dialog of each kind per editor, owned by the window the editor is in
// when the dialog opens.
CodeFindDialog* ScintillaCodeEditor::findDialog(CodeFindDialog::Mode mode)
{
    QPointer<CodeFindDialog>& dialog = mode == CodeFindDialog::Mode::Find ? findDialog_ : replaceDialog_;
    if (dialog && dialog->parentWidget() != view_->window())
        delete dialog.data();
    if (!dialog) {
        dialog = new CodeFindDialog(view_, mode, view_->window());
        connect(dialog, &CodeFindDialog::editorTouched, this, &ScintillaCodeEditor::queueSignals);
    }
    return dialog;
}

void ScintillaCodeEditor::openFindDialog()
{
    findDialog(CodeFindDialog::Mode::Find)->present(selectedText());
}

void ScintillaCodeEditor::openReplaceDialog()
{
    findDialog(CodeFindDialog::Mode::Replace)->present(selectedText());
}

void ScintillaCodeEditor::openPropertiesDialog()
{
    delete propertiesDialog_.data();
    propertiesDialog_ = new CodeEditorProperties(settings_, view_->window());
    propertiesDialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(propertiesDialog_, &CodeEditorProperties::applied, this, &ScintillaCodeEditor::applySettings);
    propertiesDialog_->show();
}

// ---- Appearance

void ScintillaCodeEditor::applySettings(const CodeEditorSettings& settings)
{
    settings_ = settings;
    applyLook();
}

void ScintillaCodeEditor::setSyntaxColouring(bool on)
{
    if (on == syntaxColouring())
        return;
    view_->setLexer(on ? lexer_ : nullptr);
    applyLook();
}

bool ScintillaCodeEditor::syntaxColouring() const
{
    return view_->lexer() != nullptr;
}

void ScintillaCodeEditor::setBookmarkMarginVisible(bool on)
{
    bookmarkMargin_ = on;
    view_->setMarginWidth(kBookmarkMargin, on ? kBookmarkMarginWidth : 0);
}

bool ScintillaCodeEditor::bookmarkMarginVisible() const
{
    return bookmarkMargin_;
}

// A new page opens at its top with the caret at the start, and its undo
// history starts at the template rather than at an empty editor.
void ScintillaCodeEditor::newPageSetup(int, int)
{
    Operation operation(*this);
    setByteSelection(0, 0);
    send(Sci::SCI_SETFIRSTVISIBLELINE, 0);
    send(Sci::SCI_SETXOFFSET, 0);
    send(Sci::SCI_EMPTYUNDOBUFFER);
    send(Sci::SCI_SETSAVEPOINT);
}

void ScintillaCodeEditor::applyFixedAppearance()
{
    settings_.font = fixedFont();
    settings_.tabWidth = 4;
    marginColour_ = QColor(0xC0, 0xC0, 0xC0);
    setBookmarkMarginVisible(false);
    view_->setCaretWidth(1);
    view_->setCaretLineVisible(true);
    view_->setCaretLineBackgroundColor(QColor(0xF4, 0xF4, 0xE8));
    applyLook();
}

void ScintillaCodeEditor::setFocus()
{
    view_->setFocus();
}

}
