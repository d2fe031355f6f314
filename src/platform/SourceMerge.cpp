#include "platform/SourceMerge.h"

#include "platform/SourceTree.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace ink {

namespace {

class Merger {
public:
    explicit Merger(const SourceTree& source)
        : source_(source)
        , text_(source.text())
    {
    }

    bool write(const QJsonValue& item, const SourceNode* parent)
    {
        if (item.isString()) {
            writeNew(item.toString());
            return true;
        }
        const QJsonObject object = item.toObject();
        const int index = source_.find(object.value(QLatin1String("p")).toString());
        if (index < 0 || !keyMatches(source_.node(index), object.value(QLatin1String("k"))))
            return false;
        const SourceNode& node = source_.node(index);
        // The parser moved this node's text before what is already written
        // (misnested tags): the text cannot be kept in order.
        if (node.start < cursor_ && node.end > node.start)
            return false;
        writeGapTo(node.start, parent);
        if (object.contains(QLatin1String("t"))) {
            writeNew(object.value(QLatin1String("t")).toString());
        } else if (object.contains(QLatin1String("c"))) {
            if (!writeElement(node, object))
                return false;
        } else {
            writeSource(node.start, node.end);
        }
        cursor_ = std::max(cursor_, node.end);
        return true;
    }

    QByteArray result() const { return out_; }

private:
    // A changed text node keeps only the kind of its key.
    static bool keyMatches(const SourceNode& node, const QJsonValue& key)
    {
        const QString text = key.toString();
        if (text == QLatin1String("#") || text == QLatin1String("!"))
            return node.key.startsWith(text);
        return node.key == text;
    }

    bool writeElement(const SourceNode& node, const QJsonObject& object)
    {
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
};

}

std::optional<QString> mergeSource(const SourceTree& source, const QJsonValue& document)
{
    if (source.find(QString()) < 0)
        return std::nullopt;
    Merger merger(source);
    if (!merger.write(document, nullptr))
        return std::nullopt;
    return QString::fromUtf8(merger.result());
}

}
