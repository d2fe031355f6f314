#include "markup/SourceMerge.h"

#include "markup/SourceTree.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <utility>

namespace ink {

namespace {

class Merger {
public:
    explicit Merger(const SourceTree& source)
        : source_(source)
        , text_(source.text())
    {
    }

    // Each item gets its place in the output, in the order of the
    // description.
    bool write(const QJsonValue& item, const SourceNode* parent)
    {
        const size_t slot = places_.size();
        places_.push_back({-1, -1});
        const size_t outer = std::exchange(current_, slot);
        const bool written = writeItem(item, parent);
        current_ = outer;
        MergedPlace& place = places_[slot];
        place.end = out_.size();
        if (place.start < 0)
            place.start = place.end;
        return written;
    }

    QByteArray result() const { return out_; }
    std::vector<MergedPlace> places() const { return places_; }

private:
    bool writeItem(const QJsonValue& item, const SourceNode* parent)
    {
        if (item.isString()) {
            markStart();
            writeNew(item.toString());
            return true;
        }
        const QJsonObject object = item.toObject();
        const QString path = object.value(QLatin1String("p")).toString();
        const int index = source_.find(path);
        if (index < 0 || !keyMatches(source_.node(index), object.value(QLatin1String("k"))))
            return false;
        if (object.contains(QLatin1String("r")))
            return writeRun(index, path, object, parent);
        const SourceNode& node = source_.node(index);
        if (!object.contains(QLatin1String("t")) && !object.contains(QLatin1String("c")))
            return writeUntouched(node, parent);
        if (!inOrder(node))
            return false;
        writeGapTo(node.start, parent);
        markStart();
        if (object.contains(QLatin1String("t"))) {
            writeNew(object.value(QLatin1String("t")).toString());
        } else if (!writeElement(node, object)) {
            return false;
        }
        cursor_ = std::max(cursor_, node.end);
        return true;
    }

    // Where the item being written starts: past the source text between
    // it and what came before.
    void markStart()
    {
        if (places_[current_].start < 0)
            places_[current_].start = out_.size();
    }

    // A changed text node keeps only the kind of its key.
    static bool keyMatches(const SourceNode& node, const QJsonValue& key)
    {
        const QString text = key.toString();
        if (text == QLatin1String("#") || text == QLatin1String("!"))
            return node.key.startsWith(text);
        return node.key == text;
    }

    // The parser moved this node's text before what is already written
    // (misnested tags): the text cannot be kept in order.
    bool inOrder(const SourceNode& node) const
    {
        return node.start >= cursor_ || node.end == node.start;
    }

    // `count` untouched siblings from the one at `path` on, as their source
    // text; the last one's key is checked too.
    bool writeRun(int first, const QString& path, const QJsonObject& object,
                  const SourceNode* parent)
    {
        if (!parent)
            return false;
        const std::vector<int>& siblings = parent->children;
        bool ok = false;
        const qsizetype from = path.section(QLatin1Char('.'), -1).toLongLong(&ok);
        const qsizetype count = object.value(QLatin1String("r")).toInteger(-1);
        if (!ok || count < 1 || from + count > qsizetype(siblings.size())
            || siblings[size_t(from)] != first
            || !keyMatches(source_.node(siblings[size_t(from + count - 1)]),
                           object.value(QLatin1String("l"))))
            return false;
        for (qsizetype i = from; i < from + count; ++i) {
            if (!writeUntouched(source_.node(siblings[size_t(i)]), parent))
                return false;
        }
        return true;
    }

    // A node as its source text.
    bool writeUntouched(const SourceNode& node, const SourceNode* parent)
    {
        if (!inOrder(node))
            return false;
        writeGapTo(node.start, parent);
        markStart();
        writeSource(node.start, node.end);
        cursor_ = std::max(cursor_, node.end);
        return true;
    }

    bool writeElement(const SourceNode& node, const QJsonObject& object)
    {
        const QJsonValue count = object.value(QLatin1String("n"));
        if (!count.isUndefined() && count.toInteger(-1) != qint64(node.children.size()))
            return false;
        const QJsonValue tag = object.value(QLatin1String("a"));
        if (tag.isString())
            writeNew(tag.toString());
        else
            writeSource(node.start, node.openEnd);
        cursor_ = std::max(cursor_, node.openEnd);
        for (const QJsonValue& child : object.value(QLatin1String("c")).toArray()) {
            if (!write(child, &node))
                return false;
        }
        if (node.closeStart >= 0) {
            writeGapTo(node.closeStart, &node);
            if (node.closeStart >= cursor_)
                writeSource(node.closeStart, node.closeEnd);
        } else {
            writeGapTo(node.end, &node);
        }
        return true;
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
        if (to > from)
            out_.append(text_.constData() + from, to - from);
    }

    void writeNew(const QString& markup)
    {
        QByteArray bytes = markup.toUtf8();
        if (bytes.startsWith("\r\n") && (out_.isEmpty() || out_.endsWith('\n')))
            bytes.remove(0, 2);
        out_.append(bytes);
    }

    const SourceTree& source_;
    const QByteArray& text_;
    QByteArray out_;
    qsizetype cursor_ = 0;
    std::vector<MergedPlace> places_;
    size_t current_ = 0;
};

}

std::optional<QString> mergeSource(const SourceTree& source, const QJsonValue& document,
                                   std::vector<MergedPlace>* places)
{
    if (source.find(QString()) < 0)
        return std::nullopt;
    Merger merger(source);
    if (!merger.write(document, nullptr))
        return std::nullopt;
    if (places)
        *places = merger.places();
    return QString::fromUtf8(merger.result());
}

}
