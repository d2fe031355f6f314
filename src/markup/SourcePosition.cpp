#include "markup/SourcePosition.h"

#include "markup/SourceTree.h"

#include <QHash>
#include <gumbo.h>

#include <algorithm>

namespace ink {

namespace {

struct Step {
    qsizetype bytes;
    qsizetype units;
};

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// What the parser makes of a named reference and the letters after it: it
// takes the longest name it knows, with or without the ";", and leaves
// the rest as text. Asking the parser itself keeps its table of names and
// its rules for legacy names without ";" in one place.
Step namedReference(const char* at, qsizetype left)
{
    qsizetype length = 1;
    while (length < left && length < 40 && isNameChar(at[length]))
        ++length;
    if (length < left && at[length] == ';')
        ++length;
    if (length < 3)
        return {1, 1};
    const QByteArray candidate(at, length);
    thread_local QHash<QByteArray, Step> known;
    const auto found = known.constFind(candidate);
    if (found != known.constEnd())
        return *found;
    QByteArray decoded = candidate;
    if (GumboOutput* output = gumbo_parse(candidate.constData())) {
        const GumboNode* body = nullptr;
        const GumboVector& top = output->root->v.element.children;
        for (unsigned i = 0; i < top.length; ++i) {
            const auto* child = static_cast<const GumboNode*>(top.data[i]);
            if (child->type == GUMBO_NODE_ELEMENT && child->v.element.tag == GUMBO_TAG_BODY)
                body = child;
        }
        if (body && body->v.element.children.length > 0) {
            const auto* text = static_cast<const GumboNode*>(body->v.element.children.data[0]);
            if (text->type == GUMBO_NODE_TEXT)
                decoded = QByteArray(text->v.text.text);
        }
        gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
    Step step{1, 1};
    if (decoded != candidate) {
        // The reference is the shortest head of the candidate after which
        // the rest comes out as itself.
        for (qsizetype p = 2; p <= candidate.size(); ++p) {
            const QByteArray rest = candidate.mid(p);
            if (decoded.size() > rest.size() && decoded.endsWith(rest)) {
                step = {p, QString::fromUtf8(decoded.left(decoded.size() - rest.size())).size()};
                break;
            }
        }
    }
    known.insert(candidate, step);
    return step;
}

Step numericReference(const char* at, qsizetype left)
{
    qsizetype i = 2;
    const bool hex = i < left && (at[i] == 'x' || at[i] == 'X');
    if (hex)
        ++i;
    const qsizetype digits = i;
    char32_t value = 0;
    while (i < left && (hex ? isHexDigit(at[i]) : (at[i] >= '0' && at[i] <= '9'))) {
        const char c = at[i];
        const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        value = std::min<char32_t>(value * (hex ? 16 : 10) + char32_t(digit), 0x110000);
        ++i;
    }
    if (i == digits)
        return {1, 1};
    if (i < left && at[i] == ';')
        ++i;
    return {i, value > 0xFFFF && value < 0x110000 ? 2 : 1};
}

Step utf8Character(const char* at, qsizetype left)
{
    const auto lead = static_cast<unsigned char>(at[0]);
    qsizetype length = 1;
    if (lead >= 0xF0 && lead < 0xF8)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC2)
        length = 2;
    // A broken sequence is one replacement character, as far as it goes.
    for (qsizetype i = 1; i < length; ++i) {
        if (i >= left || (static_cast<unsigned char>(at[i]) & 0xC0) != 0x80)
            return {i, 1};
    }
    return {length, length == 4 ? 2 : 1};
}

Step nextCharacter(const char* at, qsizetype left, bool raw)
{
    if (at[0] == '\r')
        return {left > 1 && at[1] == '\n' ? 2 : 1, 1};
    if (at[0] == '&' && !raw && left > 1) {
        if (at[1] == '#')
            return numericReference(at, left);
        if (isNameChar(at[1]))
            return namedReference(at, left);
    }
    if (static_cast<unsigned char>(at[0]) < 0x80)
        return {1, 1};
    return utf8Character(at, left);
}

bool isText(const SourceNode& node)
{
    return node.key.startsWith(QLatin1Char('#'));
}

bool isComment(const SourceNode& node)
{
    return node.key.startsWith(QLatin1Char('!'));
}

bool isElement(const SourceNode& node)
{
    return !node.key.isEmpty() && !isText(node) && !isComment(node);
}

bool hasName(const SourceNode& node, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        if (node.key == QLatin1String(name))
            return true;
    }
    return false;
}

// What the Design view never shows, with everything inside.
bool isHidden(const SourceNode& node)
{
    return isComment(node)
        || hasName(node, {"HEAD", "TITLE", "SCRIPT", "STYLE", "TEMPLATE", "NOFRAMES"});
}

bool isRawParent(const SourceNode& node)
{
    return hasName(node, {"SCRIPT", "STYLE", "XMP", "IFRAME", "NOEMBED", "NOFRAMES", "PLAINTEXT"});
}

// Objects a caret stands before, not inside.
bool isAtom(const SourceNode& node)
{
    return hasName(node, {"IMG", "INPUT", "HR", "IFRAME", "OBJECT", "EMBED", "SELECT", "TEXTAREA",
                          "BUTTON", "BR"});
}

QString childPath(const QString& path, qsizetype index)
{
    return path.isEmpty() ? QString::number(index)
                          : path + QLatin1Char('.') + QString::number(index);
}

qsizetype countUnits(const QByteArray& text, qsizetype from, qsizetype to, bool raw)
{
    qsizetype units = 0;
    for (qsizetype at = from; at < to;) {
        const Step step = nextCharacter(text.constData() + at, to - at, raw);
        at += step.bytes;
        units += step.units;
    }
    return units;
}

// The bytes of a text node that make its characters: the line break right
// after <pre>, <listing> or <textarea> is no part of them.
struct TextSpan {
    qsizetype from;
    qsizetype to;
    bool raw;
};

TextSpan textSpan(const SourceTree& tree, int text, int parent, bool firstChild)
{
    const SourceNode& node = tree.node(text);
    TextSpan span{node.start, node.end, parent >= 0 && isRawParent(tree.node(parent))};
    if (!firstChild || parent < 0 || !hasName(tree.node(parent), {"PRE", "LISTING", "TEXTAREA"}))
        return span;
    const QByteArray& source = tree.text();
    const qsizetype lineBreak = source.mid(span.from, 2) == "\r\n" ? 2
        : (span.from < span.to && (source[span.from] == '\n' || source[span.from] == '\r')) ? 1
                                                                                         : 0;
    bool ok = false;
    const qsizetype length = node.key.mid(1).toLongLong(&ok);
    if (lineBreak > 0 && ok && countUnits(source, span.from, span.to, span.raw) == length + 1)
        span.from += lineBreak;
    return span;
}

// The path of a node and whether a hidden element holds it; the first such
// element comes back through `hiddenAncestor`.
QString pathOf(const SourceTree& tree, int target, int* hiddenAncestor)
{
    QString path;
    int node = 0;
    *hiddenAncestor = -1;
    while (node != target) {
        const std::vector<int>& children = tree.node(node).children;
        auto it = std::upper_bound(children.begin(), children.end(), target);
        if (it == children.begin())
            break;
        --it;
        path = childPath(path, it - children.begin());
        node = *it;
        if (*hiddenAncestor < 0 && node != target && isHidden(tree.node(node)))
            *hiddenAncestor = node;
    }
    return path;
}

bool showsCharacters(const QByteArray& text, const SourceNode& node)
{
    for (qsizetype i = node.start; i < node.end; ++i) {
        if (!QByteArrayView(" \t\r\n\f").contains(text[i]))
            return true;
    }
    return false;
}

DomPoint bodyEnd(const SourceTree& tree)
{
    const SourceNode& document = tree.node(0);
    for (size_t i = 0; i < document.children.size(); ++i) {
        const SourceNode& html = tree.node(document.children[i]);
        if (html.key != QLatin1String("HTML"))
            continue;
        for (size_t j = 0; j < html.children.size(); ++j) {
            const SourceNode& body = tree.node(html.children[j]);
            if (hasName(body, {"BODY", "FRAMESET"}))
                return {childPath(QString::number(i), qsizetype(j)), int(body.children.size())};
        }
    }
    return {QString(), int(document.children.size())};
}

// The first place the document shows from node `from` on (in document
// order): the first character of a text that shows any, or the place
// before an object.
DomPoint nextShown(const SourceTree& tree, int from)
{
    const QByteArray& text = tree.text();
    for (int i = from; i < tree.size(); ++i) {
        const SourceNode& node = tree.node(i);
        if (isElement(node) && isHidden(node)) {
            i = tree.subtreeEnd(i) - 1;
            continue;
        }
        const bool shows = isText(node) && showsCharacters(text, node);
        if (!shows && !(isElement(node) && isAtom(node)))
            continue;
        int hidden = -1;
        const QString path = pathOf(tree, i, &hidden);
        if (hidden >= 0) {
            i = tree.subtreeEnd(hidden) - 1;
            continue;
        }
        if (!shows) {
            const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
            return {dot < 0 ? QString() : path.left(dot), path.mid(dot + 1).toInt()};
        }
        qsizetype at = node.start;
        while (QByteArrayView(" \t\r\n\f").contains(text[at]))
            ++at;
        return {path, int(countUnits(text, node.start, at, false))};
    }
    return bodyEnd(tree);
}

}

// Whether a child takes the byte in. A text takes in both its ends, but a
// selection starting at its end or ending at its start is outside it; an
// element without an end tag in the source ends where its content does.
static bool holds(const SourceNode& child, qsizetype byte, PointSide side)
{
    if (isText(child)) {
        return child.start <= byte && byte <= child.end
            && !(side == PointSide::Start && byte == child.end && byte > child.start)
            && !(side == PointSide::End && byte == child.start && byte < child.end);
    }
    if (child.start <= byte && byte < child.end)
        return true;
    return byte == child.end && side != PointSide::Start && child.closeStart < 0
        && isElement(child) && !child.children.empty();
}

bool isHiddenNode(const SourceTree& tree, int node)
{
    return isHidden(tree.node(node));
}

qsizetype textByteAt(const QByteArray& text, qsizetype from, qsizetype to, qsizetype units,
                     bool raw)
{
    qsizetype at = from;
    while (at < to && units > 0) {
        const Step step = nextCharacter(text.constData() + at, to - at, raw);
        if (step.units > units)
            break;
        at += step.bytes;
        units -= step.units;
    }
    return at;
}

qsizetype textUnitsAt(const QByteArray& text, qsizetype from, qsizetype to, qsizetype byte,
                      bool raw)
{
    qsizetype units = 0;
    for (qsizetype at = from; at < std::min(to, byte);) {
        const Step step = nextCharacter(text.constData() + at, to - at, raw);
        if (at + step.bytes > byte)
            break;
        at += step.bytes;
        units += step.units;
    }
    return units;
}

qsizetype sourceOffsetBelow(const SourceTree& tree, int index, const QString& relativePath,
                            int offset, bool rangeEnd)
{
    int parent = -1;
    bool firstChild = false;
    if (!relativePath.isEmpty()) {
        for (const QStringView step : QStringView(relativePath).split(QLatin1Char('.'))) {
            bool ok = false;
            const qsizetype child = step.toLongLong(&ok);
            const std::vector<int>& children = tree.node(index).children;
            if (!ok || child < 0 || child >= qsizetype(children.size()))
                return -1;
            parent = index;
            firstChild = child == 0;
            index = children[size_t(child)];
        }
    }
    const SourceNode& node = tree.node(index);
    if (isText(node)) {
        const TextSpan span = textSpan(tree, index, parent, firstChild);
        return textByteAt(tree.text(), span.from, span.to, std::max(offset, 0), span.raw);
    }
    if (isComment(node))
        return rangeEnd && offset > 0 ? node.end : node.start;
    const std::vector<int>& children = node.children;
    const qsizetype k = std::clamp<qsizetype>(offset, 0, qsizetype(children.size()));
    if (k > 0 && (rangeEnd || k == qsizetype(children.size())))
        return tree.node(children[size_t(k - 1)]).end;
    if (k < qsizetype(children.size()))
        return tree.node(children[size_t(k)]).start;
    return node.closeStart >= 0 ? node.closeStart : node.openEnd;
}

qsizetype sourceOffset(const SourceTree& tree, const DomPoint& point, bool rangeEnd)
{
    if (tree.size() == 0)
        return -1;
    return sourceOffsetBelow(tree, 0, point.path, point.offset, rangeEnd);
}

DomPoint domPointBelow(const SourceTree& tree, int index, const QString& nodePath, qsizetype byte,
                       PointSide side, std::optional<DomRange>* element)
{
    const QByteArray& source = tree.text();
    QString path = nodePath;
    for (;;) {
        const SourceNode& node = tree.node(index);
        if (isText(node)) {
            const TextSpan span = textSpan(tree, index, -1, false);
            return {path, int(textUnitsAt(source, span.from, span.to, byte, span.raw))};
        }
        const std::vector<int>& children = node.children;
        int inside = -1;
        for (size_t i = 0; i < children.size() && inside < 0; ++i) {
            if (holds(tree.node(children[i]), byte, side))
                inside = int(i);
        }
        if (inside < 0) {
            // Between the nodes: layout the parser dropped, or past them all.
            for (size_t i = 0; i < children.size(); ++i) {
                if (tree.node(children[i]).start >= byte)
                    return side == PointSide::End ? DomPoint{path, int(i)}
                                                  : nextShown(tree, children[i]);
            }
            if (index == 0 || node.key == QLatin1String("HTML") || isHidden(node))
                return nextShown(tree, tree.subtreeEnd(index));
            return {path, int(children.size())};
        }
        const int c = children[size_t(inside)];
        const SourceNode& child = tree.node(c);
        const QString here = childPath(path, inside);
        if (isText(child)) {
            // Layout between the document's top-level tags shows nothing.
            if (side != PointSide::End && (index == 0 || node.key == QLatin1String("HTML"))
                && !showsCharacters(source, child))
                return nextShown(tree, c + 1);
            const TextSpan span = textSpan(tree, c, index, inside == 0);
            return {here, int(textUnitsAt(source, span.from, span.to, byte, span.raw))};
        }
        if (isHidden(child)) {
            if (side == PointSide::End)
                return {path, inside};
            return nextShown(tree, isComment(child) ? c + 1 : tree.subtreeEnd(c));
        }
        const bool inStartTag = byte > child.start && byte < child.openEnd;
        const bool inEndTag = child.closeStart >= 0 && byte > child.closeStart
            && byte < child.closeEnd;
        if (hasName(child, {"HTML", "BODY"}) && (inStartTag || inEndTag || byte == child.start)) {
            if (inEndTag)
                return bodyEnd(tree);
            return nextShown(tree, c + 1);
        }
        if (byte == child.start && !child.key.isEmpty() && child.openEnd > child.start)
            return {path, inside};
        if (inStartTag || inEndTag) {
            if (side == PointSide::Caret) {
                if (element)
                    *element = DomRange{{path, inside}, {path, inside + 1}};
                return {path, inside};
            }
            return {path, inEndTag ? inside + 1 : inside};
        }
        index = c;
        path = here;
    }
}

std::optional<DomRange> domRange(const SourceTree& tree, const SourceRange& range)
{
    if (tree.size() == 0)
        return std::nullopt;
    const qsizetype size = tree.text().size();
    const qsizetype anchor = std::clamp<qsizetype>(range.anchor, 0, size);
    const qsizetype focus = std::clamp<qsizetype>(range.focus, 0, size);
    if (anchor == focus) {
        std::optional<DomRange> element;
        const DomPoint caret = domPointBelow(tree, 0, QString(), anchor, PointSide::Caret, &element);
        return element ? element : DomRange{caret, caret};
    }
    const DomPoint start =
        domPointBelow(tree, 0, QString(), std::min(anchor, focus), PointSide::Start);
    const DomPoint end = domPointBelow(tree, 0, QString(), std::max(anchor, focus), PointSide::End);
    return anchor < focus ? DomRange{start, end} : DomRange{end, start};
}

}
