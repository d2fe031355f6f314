#include "markup/PageBackground.h"

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

} // namespace

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
