#include "markup/SourceTree.h"

#include <QList>
#include <gumbo.h>

#include <algorithm>

namespace ink {

namespace {

QString elementKey(const GumboElement& element)
{
    if (element.tag != GUMBO_TAG_UNKNOWN)
        return QString::fromLatin1(gumbo_normalized_tagname(element.tag)).toUpper();
    GumboStringPiece name = element.original_tag;
    gumbo_tag_from_original_text(&name);
    return QString::fromUtf8(name.data, qsizetype(name.length)).toUpper();
}

bool isFormatting(GumboTag tag)
{
    switch (tag) {
    case GUMBO_TAG_A:
    case GUMBO_TAG_B:
    case GUMBO_TAG_BIG:
    case GUMBO_TAG_CODE:
    case GUMBO_TAG_EM:
    case GUMBO_TAG_FONT:
    case GUMBO_TAG_I:
    case GUMBO_TAG_NOBR:
    case GUMBO_TAG_S:
    case GUMBO_TAG_SMALL:
    case GUMBO_TAG_STRIKE:
    case GUMBO_TAG_STRONG:
    case GUMBO_TAG_TT:
    case GUMBO_TAG_U:
        return true;
    default:
        return false;
    }
}

// Builds the nodes without recursion: a page may nest elements as deep as
// it likes (a hundred thousand DIVs), which would overflow the stack. The
// first pass numbers the nodes in document order and reads what each one
// knows of itself; the second goes backwards, so that every element sees
// its children's final extent before its own is worked out.
class Builder {
public:
    // `base` is where the parsed bytes start, `shift` their offset in the
    // text the nodes are told in.
    Builder(const char* base, qsizetype shift, qsizetype size, std::vector<SourceNode>& nodes)
        : base_(base)
        , shift_(shift)
        , size_(size)
        , nodes_(nodes)
    {
    }

    bool formattingCarried() const { return formattingCarried_; }

    void build(const GumboNode* root)
    {
        std::vector<std::pair<const GumboNode*, int>> pending{{root, -1}};
        while (!pending.empty()) {
            const auto [node, parent] = pending.back();
            pending.pop_back();
            const int index = int(nodes_.size());
            nodes_.emplace_back();
            sources_.push_back(node);
            if (parent >= 0)
                nodes_[size_t(parent)].children.push_back(index);
            readOwn(node, nodes_.back());
            const GumboVector* children = childrenOf(node);
            for (unsigned i = children ? children->length : 0; i-- > 0;)
                pending.emplace_back(static_cast<const GumboNode*>(children->data[i]), index);
        }
        for (size_t i = nodes_.size(); i-- > 0;) {
            const GumboNode* node = sources_[i];
            if (node->parse_flags & GUMBO_INSERTION_FOSTER_PARENTED)
                formattingCarried_ = true;
            if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE) {
                const bool copy = isCopy(node);
                if (copy
                    || (isFormatting(node->v.element.tag)
                        && node->v.element.original_end_tag.length == 0))
                    formattingCarried_ = true;
                finishElement(node->v.element, copy, nodes_[i]);
            }
        }
    }

private:
    static const GumboVector* childrenOf(const GumboNode* node)
    {
        switch (node->type) {
        case GUMBO_NODE_DOCUMENT:
            return &node->v.document.children;
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE:
            return &node->v.element.children;
        default:
            return nullptr;
        }
    }

    void readOwn(const GumboNode* node, SourceNode& built)
    {
        switch (node->type) {
        case GUMBO_NODE_DOCUMENT:
            built.start = shift_;
            built.end = shift_ + size_;
            break;
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE:
            built.key = elementKey(node->v.element);
            break;
        case GUMBO_NODE_COMMENT:
            buildText(node->v.text, QStringLiteral("!"), built);
            break;
        default:
            buildText(node->v.text, QStringLiteral("#"), built);
            break;
        }
    }

    // Elements the parser made again where misnested tags left them open:
    // the tags they point to belong to the original element.
    static bool isCopy(const GumboNode* node)
    {
        return (node->parse_flags
                & (GUMBO_INSERTION_RECONSTRUCTED_FORMATTING_ELEMENT
                   | GUMBO_INSERTION_ADOPTION_AGENCY_CLONED))
            != 0;
    }

    // An implied tag, or a copy, has no text of its own: the element spans
    // its children.
    void finishElement(const GumboElement& element, bool copy, SourceNode& built)
    {
        built.start = shift_ + qsizetype(element.start_pos.offset);
        const bool implied = copy || element.original_tag.length == 0;
        built.openEnd = implied ? built.start
                                : built.start + qsizetype(element.original_tag.length);
        built.end = built.openEnd;
        if (!copy && element.original_end_tag.length > 0) {
            built.closeStart = shift_ + qsizetype(element.original_end_tag.data - base_);
            built.closeEnd = built.closeStart + qsizetype(element.original_end_tag.length);
            built.end = std::max(built.end, built.closeEnd);
        }
        for (size_t i = 0; i < built.children.size(); ++i) {
            const SourceNode& c = nodes_[size_t(built.children[i])];
            built.end = std::max(built.end, c.end);
            if (implied)
                built.start = i == 0 ? c.start : std::min(built.start, c.start);
        }
        if (implied)
            built.openEnd = built.start;
    }

    void buildText(const GumboText& text, const QString& prefix, SourceNode& built)
    {
        built.key = prefix + QString::number(QString::fromUtf8(text.text).size());
        built.start = shift_ + qsizetype(text.start_pos.offset);
        built.end = built.start + qsizetype(text.original_text.length);
        built.openEnd = built.start;
    }

    const char* base_;
    qsizetype shift_;
    qsizetype size_;
    std::vector<SourceNode>& nodes_;
    std::vector<const GumboNode*> sources_;
    bool formattingCarried_ = false;
};

}

SourceTree::SourceTree(QByteArray text, std::vector<SourceNode> nodes, bool formattingCarried)
    : text_(std::move(text))
    , nodes_(std::move(nodes))
    , formattingCarried_(formattingCarried)
{
}

SourceTree SourceTree::parse(const QByteArray& utf8)
{
    SourceTree tree;
    tree.text_ = utf8;
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, tree.text_.constData(),
                                                   size_t(tree.text_.size()));
    if (output) {
        Builder builder(tree.text_.constData(), 0, tree.text_.size(), tree.nodes_);
        builder.build(output->document);
        tree.formattingCarried_ = builder.formattingCarried();
        tree.parseErrors_ = int(output->errors.length);
        gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
    return tree;
}

// The parser reads the bytes as the children of its own root element, with
// the context element's rules.
SourceTree SourceTree::parseContent(const QByteArray& text, qsizetype from, qsizetype to,
                                    const QString& context)
{
    SourceTree tree;
    tree.text_ = text;
    GumboOptions options = kGumboDefaultOptions;
    options.fragment_context = gumbo_tag_enum(context.toLower().toLatin1().constData());
    options.fragment_namespace = GUMBO_NAMESPACE_HTML;
    const char* base = tree.text_.constData() + from;
    GumboOutput* output = gumbo_parse_with_options(&options, base, size_t(to - from));
    if (!output)
        return tree;
    Builder builder(base, from, to - from, tree.nodes_);
    builder.build(output->root);
    tree.formattingCarried_ = builder.formattingCarried();
    tree.parseErrors_ = int(output->errors.length);
    gumbo_destroy_output(&options, output);
    if (!tree.nodes_.empty()) {
        SourceNode& root = tree.nodes_.front();
        root.key = context;
        root.start = root.openEnd = from;
        root.end = to;
        root.closeStart = root.closeEnd = -1;
    }
    return tree;
}

int SourceTree::find(const QString& path) const
{
    if (nodes_.empty())
        return -1;
    int index = 0;
    if (path.isEmpty())
        return index;
    for (const QStringView step : QStringView(path).split(QLatin1Char('.'))) {
        bool ok = false;
        const qsizetype child = step.toLongLong(&ok);
        const std::vector<int>& children = nodes_[size_t(index)].children;
        if (!ok || child < 0 || child >= qsizetype(children.size()))
            return -1;
        index = children[size_t(child)];
    }
    return index;
}

int SourceTree::subtreeEnd(int index) const
{
    while (!nodes_[size_t(index)].children.empty())
        index = nodes_[size_t(index)].children.back();
    return index + 1;
}

}
