#include "markup/PageBackground.h"

#include "markup/SourceTree.h"

#include <QSet>
#include <gumbo.h>

namespace ink {

namespace {

const GumboNode* bodyOf(const GumboNode* root)
{
    if (root->type != GUMBO_NODE_ELEMENT)
        return nullptr;
    const GumboVector& children = root->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(children.data[i]);
        if (child->type == GUMBO_NODE_ELEMENT && child->v.element.tag == GUMBO_TAG_BODY)
            return child;
    }
    return nullptr;
}

bool isTagEnd(char c)
{
    return c == '>' || c == '/' || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// The end of the tag starting at `at` (one past its ">"), its quoted values
// skipped; -1 when the text ends first.
qsizetype tagEndFrom(const QByteArray& text, qsizetype at, qsizetype limit)
{
    char quote = 0;
    for (qsizetype i = at + 1; i < limit; ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return -1;
}

// The first body start tag in [from, to) of the text.
bool findBodyTag(const QByteArray& text, qsizetype from, qsizetype to, BodyTagPlace* place)
{
    for (qsizetype at = from; at + 5 < to; ++at) {
        if (text[at] != '<' || qstrnicmp(text.constData() + at + 1, "body", 4) != 0
            || !isTagEnd(text[at + 5]))
            continue;
        const qsizetype end = tagEndFrom(text, at, to);
        if (end < 0)
            return false;
        place->tagStart = at;
        place->tagEnd = end;
        return true;
    }
    return false;
}

bool isHeadElement(const QString& key)
{
    static const QSet<QString> head{"TITLE", "META", "LINK", "BASE", "STYLE", "SCRIPT",
                                    "NOSCRIPT", "TEMPLATE", "BASEFONT", "BGSOUND"};
    return head.contains(key);
}

} // namespace

BodyTagPlace bodyTagPlace(const SourceTree& tree, int body)
{
    BodyTagPlace place;
    const SourceNode& node = tree.node(body);
    const QByteArray& text = tree.text();
    // A body tag read after the body began is dropped from the tree, its
    // text left between the body's children or inside a text child's span
    // (the parser reads no tag inside the body's own text).
    qsizetype from = node.start;
    for (const int index : node.children) {
        const SourceNode& child = tree.node(index);
        if (child.key.startsWith(QLatin1Char('#')))
            continue;
        if (findBodyTag(text, from, child.start, &place))
            return place;
        from = std::max(from, child.end);
        if (place.insertAt < 0 && !child.key.startsWith(QLatin1Char('!'))
            && !isHeadElement(child.key))
            place.insertAt = child.start;
    }
    if (findBodyTag(text, from, node.end, &place))
        return place;
    if (place.insertAt < 0)
        place.insertAt = node.start;
    return place;
}

QString pageBackgroundInText(const QString& html)
{
    const QByteArray utf8 = html.toUtf8();
    GumboOutput* output =
        gumbo_parse_with_options(&kGumboDefaultOptions, utf8.constData(), size_t(utf8.size()));
    QString colour;
    if (const GumboNode* body = bodyOf(output->root)) {
        if (const GumboAttribute* bgcolor = gumbo_get_attribute(&body->v.element.attributes, "bgcolor"))
            colour = QString::fromUtf8(bgcolor->value);
    }
    gumbo_destroy_output(&kGumboDefaultOptions, output);
    return colour;
}

}
