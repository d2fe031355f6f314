#include "platform/widgets/ScintillaCodeEditor.h"

#include "platform/widgets/ScintillaDocumentLoad.h"
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
// Opened pages from this size on are filled on a worker thread; below it
// the fill costs the window less than a millisecond.
constexpr qsizetype kLoadOnWorkerBytes = 64 * 1024;
// The keyword lists a lexer may have, numbered from 0.
constexpr unsigned long kKeywordSets = 8;
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
    connect(view_, &ScintillaView::showing, this, &ScintillaCodeEditor::settle);
    // A page's worker has the widget make its document.
    connect(view_, &ScintillaView::goingAway, this, [this] {
        if (load_)
            load_->waitForWorker();
    });
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
    settle();
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
    settle();
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
    if (load_)
        return loadText_;
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
    QByteArrayView bytes;
    if (load_) {
        bytes = load_->bytes();
    } else {
        const long length = byteLength();
        bytes = QByteArrayView(bytesAt(0, length), length);
    }
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
void ScintillaCodeEditor::setOpenedText(const QString& text, const QByteArray& utf8)
{
    if (startLoad(text, utf8))
        return;
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
    if (load_) {
        const qsizetype length = loadText_.size();
        const qsizetype from = std::clamp<qsizetype>(start, 0, length);
        const qsizetype to = std::clamp<qsizetype>(end, from, length);
        return loadText_.mid(from, to - from);
    }
    const long from = index_.byteFromChar(std::max(start, 0));
    const long to = std::max(from, long(index_.byteFromChar(std::max(end, 0))));
    return scintillatext::decode(bytesAt(from, to - from), to - from);
}

CodeEditor::Change ScintillaCodeEditor::lastChange() const
{
    if (!lastChange_.changed())
        return {};
    // The whole page being loaded.
    if (load_ && lastChange_.start() == 0 && lastChange_.end() == load_->bytes().size())
        return {0, int(loadText_.size())};
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

// A page being loaded has the caret at its start, where the widget puts it
// when the page goes in.
SourceRange ScintillaCodeEditor::selectedBytes() const
{
    if (load_)
        return {0, 0};
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
    if (quietChanges_)
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
    const SourceRange selection = selectedBytes();
    const long anchor = long(selection.anchor);
    const long caret = long(selection.focus);
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

// ---- Opened pages filled on a worker thread

bool ScintillaCodeEditor::startLoad(const QString& text, const QByteArray& utf8)
{
    if (utf8.size() < kLoadOnWorkerBytes || view_->isVisible() || operationDepth_ > 0
        || byteLength() != 0)
        return false;
    // The worker's end brings the page into the widget from the event loop.
    // The editor and its widget outlive the worker (both wait for it), and a
    // call posted to the editor goes with it.
    std::unique_ptr<ScintillaDocumentLoad> load = ScintillaDocumentLoad::start(*view_, utf8, [this] {
        QMetaObject::invokeMethod(this, [this] { settle(); }, Qt::QueuedConnection);
    });
    Operation operation(*this);
    // What the widget would report for the page going in whole.
    forgetText();
    index_.invalidateFrom(0);
    changes_.inserted(0, utf8.size());
    typed_.otherChange();
    textDirty_ = true;
    loadText_ = text;
    load_ = std::move(load);
    return true;
}

// The worker's call back may come after the widget has gone with its
// window; the page then goes with the editor.
void ScintillaCodeEditor::settle() const
{
    if (load_ && view_)
        const_cast<ScintillaCodeEditor*>(this)->takeLoadedDocument();
}

// The new document replaces the widget's empty one, and takes over every
// setting the widget keeps per document.
void ScintillaCodeEditor::takeLoadedDocument()
{
    const std::unique_ptr<ScintillaDocumentLoad> load = std::move(load_);
    const QString text = std::move(loadText_);
    loadText_ = QString();
    void* document = load->takeDocument();
    quietChanges_ = true;
    if (!document) {
        // The worker could not fill it: the page goes in here instead.
        send(Sci::SCI_SETUNDOCOLLECTION, 0);
        replaceBytes(0, byteLength(), load->bytes());
    } else {
        struct Setting {
            unsigned int get;
            unsigned int set;
            long value;
        };
        Setting settings[] = {
            {Sci::SCI_GETCODEPAGE, Sci::SCI_SETCODEPAGE, 0},
            {Sci::SCI_GETEOLMODE, Sci::SCI_SETEOLMODE, 0},
            {Sci::SCI_GETTABWIDTH, Sci::SCI_SETTABWIDTH, 0},
            {Sci::SCI_GETINDENT, Sci::SCI_SETINDENT, 0},
            {Sci::SCI_GETUSETABS, Sci::SCI_SETUSETABS, 0},
            {Sci::SCI_GETTABINDENTS, Sci::SCI_SETTABINDENTS, 0},
            {Sci::SCI_GETBACKSPACEUNINDENTS, Sci::SCI_SETBACKSPACEUNINDENTS, 0},
            {Sci::SCI_GETLINEENDTYPESALLOWED, Sci::SCI_SETLINEENDTYPESALLOWED, 0},
            {Sci::SCI_GETREADONLY, Sci::SCI_SETREADONLY, 0},
        };
        for (Setting& setting : settings)
            setting.value = send(setting.get);
        const long lexerId = send(Sci::SCI_GETLEXER);
        QByteArray wordChars(int(send(Sci::SCI_GETWORDCHARS)), '\0');
        view_->SendScintilla(Sci::SCI_GETWORDCHARS, 0ul, wordChars.data());
        send(Sci::SCI_SETDOCPOINTER, 0, long(reinterpret_cast<intptr_t>(document)));
        // The widget holds its own reference now.
        send(Sci::SCI_RELEASEDOCUMENT, 0, long(reinterpret_cast<intptr_t>(document)));
        for (const Setting& setting : settings)
            send(setting.set, setting.value);
        // The lexer, its keywords and properties, and the word characters
        // belong to the document too.
        if (view_->lexer()) {
            view_->SendScintilla(Sci::SCI_SETLEXERLANGUAGE, 0ul, lexer_->lexer());
            for (unsigned long set = 0; set <= kKeywordSets; ++set) {
                const char* words = lexer_->keywords(int(set) + 1);
                view_->SendScintilla(Sci::SCI_SETKEYWORDS, set, words ? words : "");
            }
            lexer_->refreshProperties();
        } else {
            send(Sci::SCI_SETLEXER, lexerId);
        }
        view_->SendScintilla(Sci::SCI_SETWORDCHARS, 0ul, wordChars.constData());
    }
    quietChanges_ = false;
    keepText(text);
    send(Sci::SCI_EMPTYUNDOBUFFER);
    send(Sci::SCI_SETUNDOCOLLECTION, 1);
    send(Sci::SCI_SETSAVEPOINT);
}

}
