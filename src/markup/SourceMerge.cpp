#include "markup/SourceMerge.h"

#include "markup/PageBackground.h"
#include "markup/SourceText.h"
#include "markup/SourceTree.h"
#include "markup/WrittenPlaces.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <deque>
#include <limits>
#include <utility>

namespace ink {

namespace {

QString field(const char* name)
{
    return QString::fromLatin1(name);
}

using Piece = WrittenPlaces::Piece;

// Bytes written in place of [from, to) of the source, once.
struct Splice {
    qsizetype from = -1;
    qsizetype to = -1;
    QByteArray bytes;
    bool pending = false;
};

std::vector<AttributeNow> attributesNow(const QJsonArray& attributes)
{
    std::vector<AttributeNow> now;
    for (const QJsonValue& value : attributes) {
        const QJsonArray a = value.toArray();
        now.push_back({a.at(0).toString(), a.at(1).toString(), a.at(2).toString()});
    }
    return now;
}

// An item the surface named on its own (not in a run): the item itself and
// the path it gives.
struct NamedItem {
    QJsonValue item;
    QString path;
};

// One child in a changed element's list. A long list is mostly runs of
// untouched siblings: an entry stays small, and only a named one refers to
// its item.
struct Entry {
    const NamedItem* named = nullptr;
    int node = -1;          // the original node it names; -1 for what has no place in the source
    int index = -1;         // its place among its original parent's children
    // The node's source span, kept here: a long list of siblings is read
    // several times, and the nodes themselves lie far apart in memory.
    qsizetype start = 0;
    qsizetype end = 0;
    bool untouched = false; // written as its source text
    bool whole = false;     // written as markup of its own (new, or "t")

    QJsonValue item() const { return named ? named->item : QJsonValue(); }
    QString path() const { return named ? named->path : QString(); }
};

QString childPath(const QString& parent, qsizetype index)
{
    return parent.isEmpty() ? QString::number(index)
                            : parent + QLatin1Char('.') + QString::number(index);
}

bool isRawTextKey(const QString& key)
{
    for (const char* name : {"SCRIPT", "STYLE", "XMP", "IFRAME", "NOEMBED", "NOFRAMES", "PLAINTEXT"}) {
        if (key == QLatin1String(name))
            return true;
    }
    return false;
}

// The element name of a start tag written anew ("\r\n<P class=x>" is "P").
QString tagKey(const QString& tag)
{
    const qsizetype open = tag.indexOf(QLatin1Char('<'));
    qsizetype end = open + 1;
    while (end < tag.size() && tag[end] != QLatin1Char(' ') && tag[end] != QLatin1Char('>')
           && tag[end] != QLatin1Char('/') && !tag[end].isSpace())
        ++end;
    return open < 0 ? QString() : tag.mid(open + 1, end - open - 1).toUpper();
}

class Merger {
public:
    // `placeBodyTag`: the attributes of a body whose start tag is implied go
    // to the page's own body tag, or a new one after the head.
    Merger(const SourceTree& source, WrittenPlaces& places, bool placeBodyTag)
        : source_(source)
        , text_(source.text())
        , form_(pageFormOf(source.text()))
        , places_(places)
        , placeBodyTag_(placeBodyTag)
    {
    }

    // The body's tag was to be written where no source text got copied.
    bool bodyTagMissed() const { return bodyTag_.pending; }

    bool writeDocument(const QJsonValue& item)
    {
        out_.reserve(text_.size() + 1024);
        const QJsonObject object = item.toObject();
        if (!object.contains(field("c")))
            return writeEntry(entryOf(item, &named_), nullptr, -1, QString());
        Piece root;
        root.kind = Piece::Element;
        if (!writeElement(0, object, QString(), &root.node))
            return false;
        root.end = out_.size();
        places_.setRoot(root);
        return true;
    }

    QByteArray result() const { return out_; }
    QStringList wholePaths() const { return wholePaths_; }

private:
    // A changed text node keeps only the kind of its key.
    static bool keyMatches(const SourceNode& node, const QJsonValue& key)
    {
        const QString text = key.toString();
        if (text == QLatin1String("#") || text == QLatin1String("!"))
            return node.key.startsWith(text);
        return node.key == text;
    }

    // The node a (non-run) item names, -1 when the tree has none such.
    int nodeOf(const QJsonObject& object) const
    {
        const int index = source_.find(object.value(field("p")).toString());
        if (index < 0 || !keyMatches(source_.node(index), object.value(field("k"))))
            return -1;
        return index;
    }

    // `store` keeps the item for the entry (its elements never move).
    Entry entryOf(const QJsonValue& item, std::deque<NamedItem>* store) const
    {
        Entry entry;
        store->push_back({item, QString()});
        entry.named = &store->back();
        const QJsonObject object = item.toObject();
        if (item.isString() || object.contains(field("o")) || object.contains(field("m"))) {
            entry.whole = true;
            return entry;
        }
        store->back().path = object.value(field("p")).toString();
        entry.index = entry.path().section(QLatin1Char('.'), -1).toInt();
        entry.node = nodeOf(object);
        if (entry.node >= 0) {
            entry.start = source_.node(entry.node).start;
            entry.end = source_.node(entry.node).end;
        }
        entry.whole = object.contains(field("t"));
        entry.untouched = !entry.whole && !object.contains(field("d"))
            && !object.contains(field("c"));
        return entry;
    }

    // The items of a changed element, runs given one entry per sibling.
    bool entriesOf(const QJsonArray& items, const SourceNode& parent, std::vector<Entry>* entries,
                   std::deque<NamedItem>* store)
    {
        entries->reserve(std::max<size_t>(parent.children.size(), size_t(items.size())));
        for (const QJsonValue& item : items) {
            const QJsonObject object = item.toObject();
            if (!object.contains(field("r"))) {
                entries->push_back(entryOf(item, store));
                if (!entries->back().whole && entries->back().node < 0)
                    return false;
                continue;
            }
            const QString path = object.value(field("p")).toString();
            const QString prefix = path.section(QLatin1Char('.'), 0, -2);
            bool ok = false;
            const qsizetype from = path.section(QLatin1Char('.'), -1).toLongLong(&ok);
            const qsizetype count = object.value(field("r")).toInteger(-1);
            const std::vector<int>& siblings = parent.children;
            if (!ok || from < 0 || count < 1 || from + count > qsizetype(siblings.size())
                || siblings[size_t(from)] != nodeOf(object)
                || !keyMatches(source_.node(siblings[size_t(from + count - 1)]),
                               object.value(field("l"))))
                return false;
            for (qsizetype i = from; i < from + count; ++i) {
                Entry entry;
                entry.node = siblings[size_t(i)];
                entry.index = int(i);
                entry.start = source_.node(entry.node).start;
                entry.end = source_.node(entry.node).end;
                entry.untouched = true;
                entries->push_back(std::move(entry));
            }
        }
        return true;
    }

    // The element's start tag, its items, its end tag; where it was written
    // goes to the record `*record`.
    bool writeElement(int index, const QJsonObject& object, const QString& path, int* record)
    {
        const SourceNode& node = source_.node(index);
        const QJsonValue count = object.value(field("n"));
        if (!count.isUndefined() && count.toInteger(-1) != qint64(node.children.size()))
            return askWhole(path);
        WrittenPlaces::WrittenElement written;
        written.key = node.key;
        written.start = out_.size();
        writeStartTag(node, object);
        written.openEnd = out_.size();
        *record = places_.addElement(std::move(written));
        cursor_ = std::max(cursor_, node.openEnd);
        std::vector<Entry> entries;
        std::deque<NamedItem> named;
        if (!entriesOf(object.value(field("c")).toArray(), node, &entries, &named))
            return askWhole(path);
        const int outer = std::exchange(current_, *record);
        const bool childrenWritten = writeChildren(entries, index, path);
        current_ = outer;
        if (!childrenWritten)
            return false;
        if (node.closeStart >= 0) {
            writeGapTo(node.closeStart, &node);
            if (node.closeStart >= cursor_) {
                places_.element(*record).closeStart = out_.size();
                writeSource(node.closeStart, node.closeEnd);
            }
        } else {
            writeGapTo(node.end, &node);
        }
        places_.element(*record).end = out_.size();
        return true;
    }

    void addPiece(Piece piece)
    {
        if (current_ < 0) {
            places_.setRoot(piece);
            return;
        }
        std::vector<Piece>& pieces = places_.element(current_).children;
        piece.first = pieces.empty() ? 0 : pieces.back().first + pieces.back().count;
        pieces.push_back(piece);
    }

    // The original node of `entry`, its source text written from `at` on.
    // Siblings written one after the other as their source text join the
    // piece before them.
    void addSourcePiece(const Entry& entry, int parent, qsizetype at)
    {
        const qsizetype delta = at - entry.start;
        if (current_ >= 0 && parent >= 0) {
            std::vector<Piece>& pieces = places_.element(current_).children;
            Piece* last = pieces.empty() ? nullptr : &pieces.back();
            if (last && last->kind == Piece::Source && last->parent == parent
                && last->index + last->count == entry.index && last->delta == delta
                && last->end <= at) {
                ++last->count;
                last->end = entry.end + delta;
                return;
            }
        }
        Piece piece;
        piece.node = entry.node;
        piece.parent = parent;
        piece.index = parent >= 0 ? entry.index : -1;
        piece.delta = delta;
        piece.start = entry.start + delta;
        piece.end = entry.end + delta;
        addPiece(piece);
    }

    // Markup written anew from `start` up to the end of the output: a text
    // (markup without tags) or a node of new markup.
    void addWrittenPiece(qsizetype start, bool text, int units = -1, bool raw = false)
    {
        if (!text)
            start = afterLayout(start);
        Piece piece;
        piece.kind = text ? Piece::Text : Piece::New;
        piece.start = start;
        piece.end = out_.size();
        piece.written = out_.mid(start);
        piece.units = units;
        piece.raw = raw;
        addPiece(piece);
    }

    void writeStartTag(const SourceNode& node, const QJsonObject& object)
    {
        const QJsonValue attributes = object.value(field("v"));
        const QJsonValue tag = object.value(field("a"));
        if (attributes.isArray() && node.openEnd > node.start) {
            out_ += rewriteStartTag(text_.mid(node.start, node.openEnd - node.start),
                                    attributesNow(attributes.toArray()));
        } else if (tag.isString()) {
            if (!placeBodyTag(node, attributes, tag.toString()))
                writeNew(tag.toString());
        } else {
            writeSource(node.start, node.openEnd);
        }
    }

    // A body begun before its tag (content before <html>, or no body tag):
    // its changed attributes go into the page's own body tag where the
    // parser read them, or a new tag goes after the head, rather than a
    // new tag at the very start of the body (before a directive that must
    // stay first).
    bool placeBodyTag(const SourceNode& node, const QJsonValue& attributes, const QString& tag)
    {
        if (!placeBodyTag_ || node.key != QLatin1String("BODY") || !attributes.isArray())
            return false;
        const BodyTagPlace place = bodyTagPlace(source_, int(&node - &source_.node(0)));
        if (place.tagStart >= 0) {
            bodyTag_ = {place.tagStart, place.tagEnd,
                        rewriteStartTag(text_.mid(place.tagStart, place.tagEnd - place.tagStart),
                                        attributesNow(attributes.toArray())),
                        true};
        } else {
            QByteArray bytes = tag.toUtf8();
            if (bytes.startsWith("\r\n"))
                bytes.remove(0, 2);
            if (form_.lineBreak != "\r\n")
                bytes.replace("\r\n", form_.lineBreak);
            bodyTag_ = {place.insertAt, place.insertAt, bytes, true};
        }
        return true;
    }

    bool hasSpan(const Entry& entry) const
    {
        return entry.node >= 0 && entry.end > entry.start;
    }

    // Siblings whose source text overlaps (the parser moved one of them out
    // of the other, as out of a table) are written together; the others one
    // by one.
    bool writeChildren(const std::vector<Entry>& entries, int parentIndex, const QString& path)
    {
        const SourceNode& parent = source_.node(parentIndex);
        const size_t n = entries.size();
        constexpr qsizetype none = std::numeric_limits<qsizetype>::max();
        std::vector<qsizetype> laterStart(n + 1, none);
        for (size_t i = n; i-- > 0;) {
            laterStart[i] = laterStart[i + 1];
            if (hasSpan(entries[i]))
                laterStart[i] = std::min(laterStart[i], entries[i].start);
        }
        size_t first = 0;
        qsizetype reach = -1;
        int spans = 0;
        for (size_t i = 0; i < n; ++i) {
            if (hasSpan(entries[i])) {
                reach = std::max(reach, entries[i].end);
                ++spans;
            }
            if (reach > laterStart[i + 1])
                continue;
            const bool ok = spans > 1 ? writeTangled(entries, first, i + 1, parentIndex, path)
                                      : writeEach(entries, first, i + 1, parentIndex, path);
            if (!ok)
                return false;
            first = i + 1;
            spans = 0;
        }
        return true;
    }

    bool writeEach(const std::vector<Entry>& entries, size_t from, size_t to, int parentIndex,
                   const QString& path)
    {
        for (size_t i = from; i < to; ++i) {
            if (!writeEntry(entries[i], &source_.node(parentIndex), parentIndex, path))
                return false;
        }
        return true;
    }

    bool writeTangled(const std::vector<Entry>& entries, size_t from, size_t to, int parentIndex,
                      const QString& path)
    {
        const SourceNode& parent = source_.node(parentIndex);
        qsizetype start = std::numeric_limits<qsizetype>::max(), end = 0;
        bool untouched = true;
        for (size_t i = from; i < to; ++i) {
            untouched = untouched && entries[i].untouched;
            if (hasSpan(entries[i])) {
                start = std::min(start, entries[i].start);
                end = std::max(end, entries[i].end);
            }
        }
        if (start < cursor_)
            return askWhole(path);
        // A removed sibling's text inside the stretch must not come back.
        for (const int child : parent.children) {
            const SourceNode& c = source_.node(child);
            const bool listed = std::any_of(entries.begin() + qsizetype(from),
                                            entries.begin() + qsizetype(to),
                                            [child](const Entry& e) { return e.node == child; });
            if (!listed && c.end > c.start && c.start >= start && c.end <= end)
                untouched = false;
        }
        writeGapTo(start, &parent);
        if (untouched) {
            const qsizetype at = out_.size();
            writeSource(start, end);
            for (size_t i = from; i < to; ++i) {
                addSourcePiece(entries[i], parentIndex, at + entries[i].start - start);
            }
            cursor_ = end;
            return true;
        }
        bool asked = false;
        for (size_t i = from; i < to; ++i) {
            if (entries[i].node >= 0 && !entries[i].whole) {
                wholePaths_.push_back(entries[i].named ? entries[i].path()
                                                       : childPath(path, entries[i].index));
                asked = true;
            }
        }
        if (asked)
            return false;
        for (size_t i = from; i < to; ++i)
            writeDetached(entries[i].item());
        cursor_ = end;
        return true;
    }

    bool writeEntry(const Entry& entry, const SourceNode* parent, int parentIndex,
                    const QString& parentPath)
    {
        if (entry.node < 0) {
            if (entry.whole) {
                writeDetached(entry.item());
                return true;
            }
            return askWhole(parentPath);
        }
        if (!(entry.start >= cursor_ || entry.end == entry.start))
            return askWhole(parentPath);
        if (parentIndex >= 0 && parentIndex == lastParent_ && entry.index == lastIndex_ + 1) {
            // Children stand in the text in their order: none lies between
            // two neighbours.
            writeSource(cursor_, entry.start);
            cursor_ = std::max(cursor_, entry.start);
        } else {
            writeGapTo(entry.start, parent);
        }
        const qsizetype at = out_.size();
        if (entry.untouched) {
            writeSource(entry.start, entry.end);
            addSourcePiece(entry, parentIndex, at);
            cursor_ = std::max(cursor_, entry.end);
            lastParent_ = parentIndex;
            lastIndex_ = entry.index;
            return true;
        }
        lastParent_ = -1;
        const SourceNode& node = source_.node(entry.node);
        const QJsonObject object = entry.item().toObject();
        if (object.contains(field("t"))) {
            writeNew(object.value(field("t")).toString());
            addWrittenPiece(at, node.key.startsWith(QLatin1Char('#')));
        } else if (object.contains(field("d"))) {
            writeText(node, object, parent);
            addWrittenPiece(at, true, int(object.value(field("d")).toString().size()),
                            parent && isRawTextKey(parent->key));
        } else {
            Piece piece;
            piece.kind = Piece::Element;
            piece.start = at;
            if (!writeElement(entry.node, object, entry.path(), &piece.node))
                return false;
            piece.end = out_.size();
            addPiece(piece);
        }
        cursor_ = std::max(cursor_, node.end);
        return true;
    }

    void writeText(const SourceNode& node, const QJsonObject& object, const SourceNode* parent)
    {
        TextKind kind = parent ? textKindIn(parent->key) : TextKind::Markup;
        if (kind == TextKind::Markup && object.value(field("s")).toInt() != 0)
            kind = TextKind::Preformatted;
        const TextPlace place{object.value(field("b")).toInt() != 0,
                              object.value(field("e")).toInt() != 0};
        out_ += rewriteText(text_.mid(node.start, node.end - node.start),
                            object.value(field("d")).toString(), kind, form_, place);
    }

    // New markup, and original nodes an edit moved: written where they
    // stand now, whatever the place of their source text.
    void writeDetached(const QJsonValue& item)
    {
        const qsizetype at = out_.size();
        if (item.isString()) {
            const QString markup = item.toString();
            writeNew(markup);
            addWrittenPiece(at, !markup.contains(QLatin1Char('<')));
            return;
        }
        const QJsonObject object = item.toObject();
        if (object.contains(field("o"))) {
            writeNewElement(object);
            return;
        }
        if (object.contains(field("t"))) {
            writeNew(object.value(field("t")).toString());
            addWrittenPiece(at, object.value(field("k")).toString().startsWith(QLatin1Char('#')));
            return;
        }
        const int index = nodeOf(object);
        if (index < 0) {
            failed_ = true;
            return;
        }
        const SourceNode& node = source_.node(index);
        if (object.contains(field("d"))) {
            writeText(node, object, nullptr);
            addWrittenPiece(at, true, int(object.value(field("d")).toString().size()));
        } else if (object.contains(field("c"))) {
            const qsizetype cursor = cursor_;
            cursor_ = node.start;
            Piece piece;
            piece.kind = Piece::Element;
            piece.start = at;
            if (!writeElement(index, object, object.value(field("p")).toString(), &piece.node))
                failed_ = true;
            piece.end = out_.size();
            addPiece(piece);
            cursor_ = cursor;
        } else {
            writeSource(node.start, node.end);
            Entry moved;
            moved.node = index;
            moved.start = node.start;
            moved.end = node.end;
            addSourcePiece(moved, -1, at);
        }
    }

    // New markup starts on a line of its own: the node starts after the
    // line break.
    qsizetype afterLayout(qsizetype at) const
    {
        while (at < out_.size() && (out_[at] == '\r' || out_[at] == '\n'))
            ++at;
        return at;
    }

    // A new element around original nodes: its tags in the program's form.
    void writeNewElement(const QJsonObject& object)
    {
        const QString tag = object.value(field("o")).toString();
        WrittenPlaces::WrittenElement written;
        written.key = tagKey(tag);
        written.start = out_.size();
        writeNew(tag);
        written.start = afterLayout(written.start);
        written.openEnd = out_.size();
        Piece piece;
        piece.kind = Piece::Element;
        piece.start = written.start;
        piece.node = places_.addElement(std::move(written));
        const int outer = std::exchange(current_, piece.node);
        for (const QJsonValue& child : object.value(field("c")).toArray())
            writeDetached(child);
        current_ = outer;
        const qsizetype close = out_.size();
        writeNew(object.value(field("e")).toString());
        places_.element(piece.node).closeStart = afterLayout(close);
        places_.element(piece.node).end = piece.end = out_.size();
        addPiece(piece);
    }

    // The merge cannot go on inside the element at `path`: it is to be
    // written as its whole markup. The document itself means the page.
    bool askWhole(const QString& path)
    {
        if (!path.isEmpty())
            wholePaths_.push_back(path);
        return false;
    }

    // The parser moved this node's text before what is already written
    // (misnested tags): the text cannot be kept in order.
    bool inOrder(const SourceNode& node) const
    {
        return node.start >= cursor_ || node.end == node.start;
    }

    // The source from the cursor up to `to`, less the text of the parent's
    // children in that stretch: they were removed or moved.
    void writeGapTo(qsizetype to, const SourceNode* parent)
    {
        if (to <= cursor_)
            return;
        if (parent) {
            const std::vector<int>& children = parent->children;
            auto it = std::lower_bound(children.begin(), children.end(), cursor_,
                                       [this](int child, qsizetype at) {
                                           return source_.node(child).start < at;
                                       });
            for (; it != children.end() && source_.node(*it).start < to; ++it) {
                const SourceNode& c = source_.node(*it);
                if (c.start >= cursor_ && c.end <= to && c.end > c.start) {
                    writeSource(cursor_, c.start);
                    cursor_ = c.end;
                }
            }
        }
        writeSource(cursor_, to);
        cursor_ = to;
    }

    void writeSource(qsizetype from, qsizetype to)
    {
        Splice& splice = bodyTag_;
        if (splice.pending && from <= splice.from && splice.to <= to
            && (splice.from < to || splice.from == splice.to)) {
            splice.pending = false;
            copySource(from, splice.from);
            out_ += splice.bytes;
            copySource(splice.to, to);
            return;
        }
        copySource(from, to);
    }

    void copySource(qsizetype from, qsizetype to)
    {
        if (to > from)
            out_.append(text_.constData() + from, to - from);
    }

    // New markup comes in the program's CR LF: it takes the page's breaks.
    void writeNew(const QString& markup)
    {
        QByteArray bytes = markup.toUtf8();
        if (bytes.startsWith("\r\n") && (out_.isEmpty() || out_.endsWith('\n') || out_.endsWith('\r')))
            bytes.remove(0, 2);
        if (form_.lineBreak != "\r\n")
            bytes.replace("\r\n", form_.lineBreak);
        out_.append(bytes);
    }

public:
    bool failed() const { return failed_; }

private:
    const SourceTree& source_;
    const QByteArray& text_;
    const PageForm form_;
    QByteArray out_;
    qsizetype cursor_ = 0;
    QStringList wholePaths_;
    bool failed_ = false;
    WrittenPlaces& places_;
    const bool placeBodyTag_;
    Splice bodyTag_;
    int current_ = -1; // the written element whose children are being written
    // The original sibling written last as its source text: the one after
    // it follows with only the layout between them.
    int lastParent_ = -1;
    int lastIndex_ = -1;
    std::deque<NamedItem> named_; // the document's own item
};

}

MergeResult mergeSourceParts(const SourceTree& source, const QJsonValue& document)
{
    MergeResult result;
    if (source.find(QString()) < 0)
        return result;
    for (const bool placeBodyTag : {true, false}) {
        auto places = std::make_shared<WrittenPlaces>(source);
        Merger merger(source, *places, placeBodyTag);
        if (!merger.writeDocument(document) || merger.failed()) {
            result.wholePaths = merger.wholePaths();
            return result;
        }
        // Where no source text around the place was copied (it was edited
        // too), the tag goes where the body begins, as the program writes it.
        if (merger.bodyTagMissed())
            continue;
        places->setSize(merger.result().size());
        result.text = QString::fromUtf8(merger.result());
        result.places = std::move(places);
        break;
    }
    return result;
}

std::optional<QString> mergeSource(const SourceTree& source, const QJsonValue& document)
{
    return mergeSourceParts(source, document).text;
}

}
