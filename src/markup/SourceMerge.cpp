#include "markup/SourceMerge.h"

#include "markup/PageBackground.h"
#include "markup/SourceText.h"
#include "markup/SourceTree.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <limits>

namespace ink {

namespace {

QString field(const char* name)
{
    return QString::fromLatin1(name);
}

// One child in a changed element's list.
struct Entry {
    QJsonValue item;
    int node = -1;          // the original node it names; -1 for what has no place in the source
    bool untouched = false; // written as its source text
    bool whole = false;     // written as markup of its own (new, or "t")
    QString path;
};

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

class Merger {
public:
    // `placeBodyTag`: the attributes of a body whose start tag is implied go
    // to the page's own body tag, or a new one after the head.
    Merger(const SourceTree& source, bool placeBodyTag)
        : source_(source)
        , text_(source.text())
        , form_(pageFormOf(source.text()))
        , placeBodyTag_(placeBodyTag)
    {
    }

    // The body's tag was to be written where no source text got copied.
    bool bodyTagMissed() const { return bodyTag_.pending; }

    bool writeDocument(const QJsonValue& item)
    {
        const QJsonObject object = item.toObject();
        if (!object.contains(field("c")))
            return writeEntry(entryOf(item), nullptr, QString());
        return writeElement(source_.node(0), object, QString());
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

    Entry entryOf(const QJsonValue& item) const
    {
        Entry entry;
        entry.item = item;
        const QJsonObject object = item.toObject();
        if (item.isString() || object.contains(field("o")) || object.contains(field("m"))) {
            entry.whole = true;
            return entry;
        }
        entry.path = object.value(field("p")).toString();
        entry.node = nodeOf(object);
        entry.whole = object.contains(field("t"));
        entry.untouched = !entry.whole && !object.contains(field("d"))
            && !object.contains(field("c"));
        return entry;
    }

    // The items of a changed element, runs given one entry per sibling.
    bool entriesOf(const QJsonArray& items, const SourceNode& parent, std::vector<Entry>* entries)
    {
        for (const QJsonValue& item : items) {
            const QJsonObject object = item.toObject();
            if (!object.contains(field("r"))) {
                entries->push_back(entryOf(item));
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
                entry.untouched = true;
                entry.path = (prefix.isEmpty() ? QString() : prefix + QLatin1Char('.'))
                    + QString::number(i);
                entries->push_back(std::move(entry));
            }
        }
        return true;
    }

    // The element's start tag, its items, its end tag.
    bool writeElement(const SourceNode& node, const QJsonObject& object, const QString& path)
    {
        const QJsonValue count = object.value(field("n"));
        if (!count.isUndefined() && count.toInteger(-1) != qint64(node.children.size()))
            return askWhole(path);
        writeStartTag(node, object);
        cursor_ = std::max(cursor_, node.openEnd);
        std::vector<Entry> entries;
        if (!entriesOf(object.value(field("c")).toArray(), node, &entries))
            return askWhole(path);
        if (!writeChildren(entries, node, path))
            return false;
        if (node.closeStart >= 0) {
            writeGapTo(node.closeStart, &node);
            if (node.closeStart >= cursor_)
                writeSource(node.closeStart, node.closeEnd);
        } else {
            writeGapTo(node.end, &node);
        }
        return true;
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
        return entry.node >= 0 && source_.node(entry.node).end > source_.node(entry.node).start;
    }

    // Siblings whose source text overlaps (the parser moved one of them out
    // of the other, as out of a table) are written together; the others one
    // by one.
    bool writeChildren(const std::vector<Entry>& entries, const SourceNode& parent,
                       const QString& path)
    {
        const size_t n = entries.size();
        constexpr qsizetype none = std::numeric_limits<qsizetype>::max();
        std::vector<qsizetype> laterStart(n + 1, none);
        for (size_t i = n; i-- > 0;) {
            laterStart[i] = laterStart[i + 1];
            if (hasSpan(entries[i]))
                laterStart[i] = std::min(laterStart[i], source_.node(entries[i].node).start);
        }
        size_t first = 0;
        qsizetype reach = -1;
        int spans = 0;
        for (size_t i = 0; i < n; ++i) {
            if (hasSpan(entries[i])) {
                reach = std::max(reach, source_.node(entries[i].node).end);
                ++spans;
            }
            if (reach > laterStart[i + 1])
                continue;
            const bool ok = spans > 1 ? writeTangled(entries, first, i + 1, parent, path)
                                      : writeEach(entries, first, i + 1, &parent, path);
            if (!ok)
                return false;
            first = i + 1;
            spans = 0;
        }
        return true;
    }

    bool writeEach(const std::vector<Entry>& entries, size_t from, size_t to,
                   const SourceNode* parent, const QString& path)
    {
        for (size_t i = from; i < to; ++i) {
            if (!writeEntry(entries[i], parent, path))
                return false;
        }
        return true;
    }

    bool writeTangled(const std::vector<Entry>& entries, size_t from, size_t to,
                      const SourceNode& parent, const QString& path)
    {
        qsizetype start = std::numeric_limits<qsizetype>::max(), end = 0;
        bool untouched = true;
        for (size_t i = from; i < to; ++i) {
            untouched = untouched && entries[i].untouched;
            if (hasSpan(entries[i])) {
                start = std::min(start, source_.node(entries[i].node).start);
                end = std::max(end, source_.node(entries[i].node).end);
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
            writeSource(start, end);
            cursor_ = end;
            return true;
        }
        bool asked = false;
        for (size_t i = from; i < to; ++i) {
            if (entries[i].node >= 0 && !entries[i].whole) {
                wholePaths_.push_back(entries[i].path);
                asked = true;
            }
        }
        if (asked)
            return false;
        for (size_t i = from; i < to; ++i)
            writeDetached(entries[i].item);
        cursor_ = end;
        return true;
    }

    bool writeEntry(const Entry& entry, const SourceNode* parent, const QString& parentPath)
    {
        if (entry.node < 0) {
            if (entry.whole) {
                writeDetached(entry.item);
                return true;
            }
            return askWhole(parentPath);
        }
        const SourceNode& node = source_.node(entry.node);
        if (!inOrder(node))
            return askWhole(parentPath);
        writeGapTo(node.start, parent);
        const QJsonObject object = entry.item.toObject();
        if (entry.untouched) {
            writeSource(node.start, node.end);
        } else if (object.contains(field("t"))) {
            writeNew(object.value(field("t")).toString());
        } else if (object.contains(field("d"))) {
            writeText(node, object, parent);
        } else if (!writeElement(node, object, entry.path)) {
            return false;
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
        if (item.isString()) {
            writeNew(item.toString());
            return;
        }
        const QJsonObject object = item.toObject();
        if (object.contains(field("o"))) {
            writeNew(object.value(field("o")).toString());
            for (const QJsonValue& child : object.value(field("c")).toArray())
                writeDetached(child);
            writeNew(object.value(field("e")).toString());
            return;
        }
        if (object.contains(field("t"))) {
            writeNew(object.value(field("t")).toString());
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
        } else if (object.contains(field("c"))) {
            const qsizetype cursor = cursor_;
            cursor_ = node.start;
            if (!writeElement(node, object, object.value(field("p")).toString()))
                failed_ = true;
            cursor_ = cursor;
        } else {
            writeSource(node.start, node.end);
        }
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
    const bool placeBodyTag_;
    Splice bodyTag_;
};

}

MergeResult mergeSourceParts(const SourceTree& source, const QJsonValue& document)
{
    MergeResult result;
    if (source.find(QString()) < 0)
        return result;
    for (const bool placeBodyTag : {true, false}) {
        Merger merger(source, placeBodyTag);
        if (!merger.writeDocument(document) || merger.failed()) {
            result.wholePaths = merger.wholePaths();
            return result;
        }
        // Where no source text around the place was copied (it was edited
        // too), the tag goes where the body begins, as the program writes it.
        if (merger.bodyTagMissed())
            continue;
        result.text = QString::fromUtf8(merger.result());
        break;
    }
    return result;
}

std::optional<QString> mergeSource(const SourceTree& source, const QJsonValue& document)
{
    return mergeSourceParts(source, document).text;
}

}
