#include "platform/widgets/ScintillaCodeEditor.h"

#include "platform/widgets/ScintillaText.h"
#include "platform/widgets/ScintillaView.h"

#include <QTimer>

#include <Qsci/qscilexerhtml.h>

#include <algorithm>
#include <cstring>

namespace ink {

using Sci = QsciScintillaBase;

namespace {
// Marks the undo group of a rewrite made after a change.
constexpr long JoinedRewriteToken = 0x4A52;
}

ScintillaCodeEditor::ScintillaCodeEditor(QWidget* parent)
    : CodeEditor(parent), view_(new ScintillaView(parent)), lexer_(new QsciLexerHTML(view_)),
      index_([this](qsizetype start, qsizetype length) { return bytesAt(start, length); },
             [this] { return qsizetype(byteLength()); })
{
    setUpView();
    connectView();
}

ScintillaCodeEditor::~ScintillaCodeEditor()
{
    delete findDialog_.data();
    delete replaceDialog_.data();
    delete propertiesDialog_.data();
    if (view_ && !view_->parent())
        delete view_.data();
}

void ScintillaCodeEditor::connectView()
{
    connect(view_, &Sci::SCN_MODIFIED, this,
            [this](int position, int type, const char* text, int length, int, int, int, int, int token, int) {
                onModified(position, type, text, length, token);
            });
    connect(view_, &QsciScintilla::selectionChanged, this, &ScintillaCodeEditor::queueSignals);
    connect(view_, &QsciScintilla::cursorPositionChanged, this, &ScintillaCodeEditor::queueSignals);
    connect(view_, &ScintillaView::focusGained, this, &CodeEditor::activated);
    connect(view_, &ScintillaView::mousePressed, this,
            [this](Qt::MouseButton button, const QPoint& globalPos) {
                emit activated();
                emit mousePressed(button, globalPos);
            });
}

QWidget* ScintillaCodeEditor::widget()
{
    return view_;
}

// ---- Bytes of the widget

long ScintillaCodeEditor::send(unsigned int message, unsigned long wParam, long lParam) const
{
    return view_->SendScintilla(message, wParam, lParam);
}

long ScintillaCodeEditor::byteLength() const
{
    return send(Sci::SCI_GETLENGTH);
}

const char* ScintillaCodeEditor::bytesAt(qsizetype start, qsizetype length) const
{
    return reinterpret_cast<const char*>(send(Sci::SCI_GETRANGEPOINTER, start, length));
}

bool ScintillaCodeEditor::holdsBytes(const QByteArray& bytes, long start, long end) const
{
    return end - start == bytes.size() &&
           (bytes.isEmpty() || std::memcmp(bytesAt(start, end - start), bytes.constData(), bytes.size()) == 0);
}

void ScintillaCodeEditor::replaceBytes(long start, long end, QByteArrayView bytes)
{
    send(Sci::SCI_BEGINUNDOACTION);
    send(Sci::SCI_SETTARGETSTART, start);
    send(Sci::SCI_SETTARGETEND, end);
    // The widget refuses a null text even where nothing is inserted (a
    // deletion): an empty view of nothing has no data pointer.
    view_->SendScintilla(Sci::SCI_REPLACETARGET, uintptr_t(bytes.size()),
                         bytes.isEmpty() ? "" : bytes.constData());
    send(Sci::SCI_ENDUNDOACTION);
}

// ---- Text and selection

// A long page asked for several times in one go (compared, written out,
// searched) is converted once. The copy is let go once the program is back
// in its event loop: it would double the memory the page takes.
QString ScintillaCodeEditor::text() const
{
    if (!textKnown_) {
        const long length = byteLength();
        keepText(scintillatext::decode(bytesAt(0, length), length));
    }
    return text_;
}

void ScintillaCodeEditor::keepText(const QString& text) const
{
    text_ = text;
    textKnown_ = true;
    if (!forgetQueued_) {
        forgetQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            forgetQueued_ = false;
            forgetText();
        });
    }
}

void ScintillaCodeEditor::forgetText() const
{
    textKnown_ = false;
    text_ = QString();
}

// The editor keeps a lone surrogate as a sequence UTF-8 does not allow;
// any other text is its own UTF-8. Room is left for a final line break.
std::optional<QByteArrayView> ScintillaCodeEditor::utf8View() const
{
    const long length = byteLength();
    const QByteArrayView bytes(bytesAt(0, length), length);
    if (!bytes.isValidUtf8())
        return std::nullopt;
    return bytes;
}

// Only the bytes that differ are replaced: a long page that changed in one
// place is neither copied into the undo history nor coloured again whole.
// The bytes are compared, so a caller need not read the whole text back to
// learn whether it changed; the text given is the editor's either way.
bool ScintillaCodeEditor::setText(const QString& text)
{
    return setTextBytes(text, scintillatext::encode(text));
}

bool ScintillaCodeEditor::setTextBytes(const QString& text, const QByteArray& bytes)
{
    const long length = byteLength();
    const ByteSplice splice =
        byteSplice(QByteArrayView(bytesAt(0, length), length), QByteArrayView(bytes));
    if (!splice.changes()) {
        keepText(text);
        return false;
    }
    Operation operation(*this);
    replaceBytes(long(splice.start), long(splice.beforeEnd),
                 QByteArrayView(bytes).sliced(splice.start, splice.afterEnd - splice.start));
    keepText(text);
    setByteSelection(0, 0);
    return true;
}

// Nothing of the replaced text goes into the undo history: on a long page
// that would be a copy of the whole page nobody can ask for back.
void ScintillaCodeEditor::setOpenedText(const QString& text, QByteArrayView utf8)
{
    Operation operation(*this);
    send(Sci::SCI_SETUNDOCOLLECTION, 0);
    if (!utf8.isEmpty())
        setTextBytes(text, QByteArray::fromRawData(utf8.data(), utf8.size()));
    else
        setText(text);
    send(Sci::SCI_EMPTYUNDOBUFFER);
    send(Sci::SCI_SETUNDOCOLLECTION, 1);
    send(Sci::SCI_SETSAVEPOINT);
}

QString ScintillaCodeEditor::textRange(int start, int end) const
{
    const long from = index_.byteFromChar(std::max(start, 0));
    const long to = std::max(from, long(index_.byteFromChar(std::max(end, 0))));
    return scintillatext::decode(bytesAt(from, to - from), to - from);
}

CodeEditor::Change ScintillaCodeEditor::lastChange() const
{
    if (!lastChange_.changed())
        return {};
    const long length = byteLength();
    return {int(index_.charFromByte(std::min<qsizetype>(lastChange_.start(), length))),
            int(index_.charFromByte(std::min<qsizetype>(lastChange_.end(), length)))};
}

// The rewrite is a group of its own that ends with a marker action; undoing
// the group undoes the marker first, which asks for the change before it to
// be undone as well, so that the user's one undo takes back both.
void ScintillaCodeEditor::rewriteAfterChange(int start, int end, const QString& text)
{
    Operation operation(*this);
    const long from = index_.byteFromChar(start);
    const long to = std::max(from, long(index_.byteFromChar(end)));
    const QByteArray bytes = scintillatext::encode(text);
    const long shift = long(bytes.size()) - (to - from);
    // Characters after the rewritten ones keep the caret and selection on
    // them; a position inside them goes to the end of the new text.
    auto moved = [&](long position) {
        return position >= to ? position + shift : position > from ? from + long(bytes.size()) : position;
    };
    const long anchor = moved(send(Sci::SCI_GETANCHOR));
    const long caret = moved(send(Sci::SCI_GETCURRENTPOS));
    send(Sci::SCI_BEGINUNDOACTION);
    replaceBytes(from, to, bytes);
    send(Sci::SCI_ADDUNDOACTION, JoinedRewriteToken, 0);
    send(Sci::SCI_ENDUNDOACTION);
    setByteSelection(anchor, caret);
}

void ScintillaCodeEditor::undoJoinedChange()
{
    if (!joinedUndoPending_)
        return;
    Operation operation(*this);
    joinedUndoPending_ = false;
    send(Sci::SCI_UNDO);
}

QString ScintillaCodeEditor::selectedText() const
{
    const long start = send(Sci::SCI_GETSELECTIONSTART);
    const long end = send(Sci::SCI_GETSELECTIONEND);
    return scintillatext::decode(bytesAt(start, end - start), end - start);
}

void ScintillaCodeEditor::replaceSelectedText(const QString& text)
{
    Operation operation(*this);
    const QByteArray bytes = scintillatext::encode(text);
    const long start = send(Sci::SCI_GETSELECTIONSTART);
    const long end = send(Sci::SCI_GETSELECTIONEND);
    if (!holdsBytes(bytes, start, end))
        replaceBytes(start, end, bytes);
    setByteSelection(start, start + bytes.size());
}

ScintillaCodeEditor::Selection ScintillaCodeEditor::charSelection() const
{
    return {index_.charFromByte(send(Sci::SCI_GETANCHOR)),
            index_.charFromByte(send(Sci::SCI_GETCURRENTPOS))};
}

int ScintillaCodeEditor::selectionAnchor() const
{
    return int(charSelection().anchor);
}

int ScintillaCodeEditor::caretPosition() const
{
    return int(charSelection().caret);
}

void ScintillaCodeEditor::setByteSelection(long anchor, long caret)
{
    send(Sci::SCI_SETSEL, anchor, caret);
}

void ScintillaCodeEditor::setSelection(int anchor, int caret)
{
    Operation operation(*this);
    setByteSelection(index_.byteFromChar(anchor), index_.byteFromChar(caret));
}

SourceRange ScintillaCodeEditor::selectedBytes() const
{
    return {send(Sci::SCI_GETANCHOR), send(Sci::SCI_GETCURRENTPOS)};
}

void ScintillaCodeEditor::selectBytesCentred(const SourceRange& range)
{
    Operation operation(*this);
    const long length = byteLength();
    const long anchor = long(std::clamp<qsizetype>(range.anchor, 0, length));
    const long caret = long(std::clamp<qsizetype>(range.focus, 0, length));
    setByteSelection(anchor, caret);
    const long line = send(Sci::SCI_VISIBLEFROMDOCLINE, send(Sci::SCI_LINEFROMPOSITION, caret));
    const long shown = send(Sci::SCI_LINESONSCREEN);
    send(Sci::SCI_SETFIRSTVISIBLELINE, std::max(0L, line - shown / 2));
    send(Sci::SCI_SCROLLCARET);
}

// ---- Caret keystrokes

// Keys move the selection in character counts; only the line-wise keys ask
// the widget, which knows the lines and the column the caret keeps.
void ScintillaCodeEditor::applyKeys(const KeySequence& keys)
{
    if (keys.empty())
        return;
    Operation operation(*this);
    Selection s = charSelection();
    qsizetype length = -1;
    auto end = [&] { return length < 0 ? (length = index_.charLength()) : length; };
    auto collapseAt = [&s](qsizetype position) { s = {position, position}; };
    long upColumn = -1; // the column a run of Up keys keeps
    for (Key key : keys) {
        switch (key) {
        case Key::Right:
            collapseAt(s.anchor != s.caret ? std::max(s.anchor, s.caret) : std::min(s.caret + 1, end()));
            break;
        case Key::Left:
            collapseAt(std::max<qsizetype>(s.caret - 1, 0));
            break;
        case Key::ShiftLeft:
            s.caret = std::max<qsizetype>(s.caret - 1, 0);
            break;
        case Key::ShiftRight:
            s.caret = std::min(s.caret + 1, end());
            break;
        case Key::CtrlHome:
            collapseAt(0);
            break;
        case Key::ShiftCtrlEnd:
            s = {s.caret, end()};
            break;
        case Key::Up:
            collapseAt(lineUp(s.caret, upColumn));
            break;
        case Key::Home:
            collapseAt(lineStart(s.caret));
            break;
        case Key::Tab:
            break;
        }
        if (key != Key::Up)
            upColumn = -1;
    }
    setByteSelection(index_.byteFromChar(s.anchor), index_.byteFromChar(s.caret));
}

// Up goes to the same column of the line above, or to its end when it is
// shorter; a run of Up keys keeps the column the caret had before the first
// one, as the widget's own Up key does. Columns count a tab to its next tab
// stop and come from the text alone, so this also works while the editor is
// hidden and has no layout.
qsizetype ScintillaCodeEditor::lineUp(qsizetype caret, long& column)
{
    const long position = index_.byteFromChar(caret);
    if (column < 0)
        column = send(Sci::SCI_GETCOLUMN, position);
    const long line = send(Sci::SCI_LINEFROMPOSITION, position);
    if (line == 0)
        return caret;
    return index_.charFromByte(send(Sci::SCI_FINDCOLUMN, line - 1, column));
}

qsizetype ScintillaCodeEditor::lineStart(qsizetype caret)
{
    const long line = send(Sci::SCI_LINEFROMPOSITION, index_.byteFromChar(caret));
    return index_.charFromByte(send(Sci::SCI_POSITIONFROMLINE, line));
}

// ---- Change notifications

void ScintillaCodeEditor::onModified(int position, int type, const char* text, int length, int token)
{
    if ((type & Sci::SC_MOD_CONTAINER) && (type & Sci::SC_PERFORMED_UNDO) && token == JoinedRewriteToken) {
        joinedUndoPending_ = true;
        // The widget's own undo (its key) is running: undo the change the
        // rewrite followed once it has finished.
        if (operationDepth_ == 0)
            QTimer::singleShot(0, this, [this] { undoJoinedChange(); });
        return;
    }
    if (!(type & (Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT)))
        return;
    forgetText();
    index_.invalidateFrom(position);
    if (type & Sci::SC_MOD_INSERTTEXT)
        changes_.inserted(position, length);
    else
        changes_.deleted(position, length);
    recordTyping(position, type, text, length);
    textDirty_ = true;
    queueSignals();
}

void ScintillaCodeEditor::recordTyping(int position, int type, const char* text, int length)
{
    const bool typed = operationDepth_ == 0 && view_->handlingUserInput() &&
                       (type & Sci::SC_PERFORMED_USER);
    if (!typed)
        typed_.otherChange();
    else if (type & Sci::SC_MOD_INSERTTEXT)
        typed_.userInserted(position, QByteArray(text ? text : bytesAt(position, length), length));
    else
        typed_.userDeleted(position, length);
}

// Changes the user makes are reported from the event loop, once the widget
// has finished handling the event: a handler may then change the text again.
void ScintillaCodeEditor::queueSignals()
{
    if (operationDepth_ > 0 || signalsQueued_)
        return;
    signalsQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        signalsQueued_ = false;
        // A joined undo still to come reports the text once it is done.
        if (operationDepth_ == 0 && !joinedUndoPending_)
            emitPendingSignals();
    });
}

void ScintillaCodeEditor::emitPendingSignals()
{
    const long anchor = send(Sci::SCI_GETANCHOR);
    const long caret = send(Sci::SCI_GETCURRENTPOS);
    const bool selectionMoved = anchor != reportedAnchor_ || caret != reportedCaret_;
    reportedAnchor_ = anchor;
    reportedCaret_ = caret;
    const bool textChangedNow = textDirty_;
    textDirty_ = false;
    if (textChangedNow) {
        lastChange_ = changes_;
        changes_.clear();
        emit textChanged();
    }
    if (selectionMoved)
        emit selectionChanged();
}

}
