#include "markup/SourceSplice.h"

#include "markup/SourceEditScope.h"

#include <QHash>
#include <gumbo.h>

#include <cstring>
#include <memory>

namespace ink {

namespace {

// What the parser does with a tag inside a page's body, as far as it
// matters for reading a stretch of an element's content on its own.
enum TagRule : unsigned {
    Plain = 1u << 0,        // read the same wherever it stands
    Void = 1u << 1,         // no content, no end tag
    ClosesP = 1u << 2,      // ends an open paragraph around it
    Heading = 1u << 3,      // ends a heading it is typed straight into
    ListItem = 1u << 4,     // ends an open list item around it
    Definition = 1u << 5,   // ends an open DD or DT around it
    Formatting = 1u << 6,   // made again after misnested tags
    Special = 1u << 7,      // stops the search for an open list item
    ScopeBound = 1u << 8,   // the search for an open paragraph stops here
    NoContext = 1u << 9,    // its content is not read as a body's
    TablePart = 1u << 10,   // holds a table's rows, not a body's content
    Cell = 1u << 11,        // a table's cell: a body's content again
};

const QHash<QString, unsigned>& tagRules()
{
    static const QHash<QString, unsigned> rules = [] {
        QHash<QString, unsigned> r;
        const auto add = [&r](std::initializer_list<const char*> keys, unsigned rule) {
            for (const char* key : keys)
                r[QString::fromLatin1(key)] |= rule;
        };
        add({"ABBR", "ACRONYM", "BDI", "BDO", "CITE", "DATA", "DEL", "DFN", "INS", "KBD", "LABEL",
             "MARK", "Q", "SAMP", "SPAN", "SUB", "SUP", "TIME", "VAR"},
            Plain);
        add({"A", "B", "BIG", "CODE", "EM", "FONT", "I", "NOBR", "S", "SMALL", "STRIKE", "STRONG",
             "TT", "U"},
            Plain | Formatting);
        add({"BR", "IMG", "WBR", "INPUT"}, Plain | Void | Special);
        add({"HR"}, Plain | Void | Special | ClosesP);
        add({"ADDRESS", "ARTICLE", "ASIDE", "BLOCKQUOTE", "CENTER", "DETAILS", "DIALOG", "DIR",
             "DIV", "DL", "FIELDSET", "FIGCAPTION", "FIGURE", "FOOTER", "HEADER", "HGROUP", "MAIN",
             "MENU", "NAV", "OL", "P", "SECTION", "SUMMARY", "UL", "PRE", "LISTING"},
            Plain | ClosesP | Special);
        add({"H1", "H2", "H3", "H4", "H5", "H6"}, Plain | ClosesP | Special | Heading);
        add({"LI"}, Plain | ClosesP | Special | ListItem);
        add({"DD", "DT"}, Plain | ClosesP | Special | Definition);
        // Not read in a stretch of its own, and only some of them as the
        // element holding one.
        add({"APPLET", "AREA", "BASE", "BASEFONT", "BGSOUND", "BODY", "BUTTON", "CAPTION", "COL",
             "COLGROUP", "EMBED", "FORM", "FRAME", "FRAMESET", "HEAD", "HTML", "IFRAME", "KEYGEN",
             "LINK", "MARQUEE", "META", "NOEMBED", "NOFRAMES", "NOSCRIPT", "OBJECT", "PARAM",
             "PLAINTEXT", "SCRIPT", "SELECT", "SOURCE", "STYLE", "TABLE", "TBODY", "TD",
             "TEMPLATE", "TEXTAREA", "TFOOT", "TH", "THEAD", "TITLE", "TR", "TRACK", "XMP"},
            Special);
        add({"APPLET", "CAPTION", "HTML", "TABLE", "TD", "TH", "MARQUEE", "OBJECT", "TEMPLATE",
             "BUTTON"},
            ScopeBound);
        add({"SVG", "MATH", "TEMPLATE", "SELECT", "OPTION", "OPTGROUP", "DATALIST", "FRAMESET",
             "RUBY", "RB", "RP", "RT", "RTC"},
            NoContext);
        add({"TABLE", "TBODY", "THEAD", "TFOOT", "TR", "CAPTION", "COLGROUP"}, TablePart);
        add({"TD", "TH"}, Cell);
        return r;
    }();
    return rules;
}

// A name the parser knows nothing of (a custom element) makes an element
// read the same wherever it stands.
unsigned ruleOf(const QString& key)
{
    const auto known = tagRules().constFind(key);
    if (known != tagRules().constEnd())
        return *known;
    const QByteArray name = key.toLower().toLatin1();
    return gumbo_tag_enum(name.constData()) == GUMBO_TAG_UNKNOWN ? unsigned(Plain) : 0u;
}

// A bit for each formatting element's name, to find one of the same name.
unsigned formattingBit(const QString& key)
{
    static const QHash<QString, unsigned> bits = [] {
        QHash<QString, unsigned> b;
        unsigned bit = 1;
        for (const char* key : {"A", "B", "BIG", "CODE", "EM", "FONT", "I", "NOBR", "S", "SMALL",
                                "STRIKE", "STRONG", "TT", "U"}) {
            b[QString::fromLatin1(key)] = bit;
            bit <<= 1;
        }
        return b;
    }();
    return bits.value(key, 0);
}

bool isText(const SourceNode& node)
{
    return node.key.startsWith(QLatin1Char('#'));
}

bool isComment(const SourceNode& node)
{
    return node.key.startsWith(QLatin1Char('!'));
}

// A comment that ends where its text says it ends, not at the end of what
// was parsed.
bool commentClosed(const QByteArray& text, const SourceNode& node)
{
    const QByteArrayView comment(text.constData() + node.start, node.end - node.start);
    if (!comment.startsWith("<!--"))
        return comment.endsWith('>');
    return comment == "<!-->" || comment == "<!--->"
        || (comment.size() >= 7 && comment.endsWith("-->"))
        || (comment.size() >= 8 && comment.endsWith("--!>"));
}

// Text holding what reads as a tag or a comment: the parser dropped it (a
// stray end tag) and joined the text around it.
bool holdsDroppedTag(QByteArrayView text)
{
    for (qsizetype at = text.indexOf('<'); at >= 0 && at + 1 < text.size();
         at = text.indexOf('<', at + 1)) {
        const char next = text[at + 1];
        if (next == '/' || next == '!' || next == '?' || (next >= 'a' && next <= 'z')
            || (next >= 'A' && next <= 'Z'))
            return true;
    }
    return false;
}

// What a stretch of nodes holds, for the rules that depend on the elements
// around it.
struct StretchFacts {
    unsigned rules = 0;
    unsigned formatting = 0;
    bool firstIsText = false;
    bool lastIsText = false;
    bool lastTextHasTag = false;  // a '<' the rest of the page could finish
};

// Whether the nodes `top` and their subtrees cover [from, to) of the text
// exactly, each element with its own start tag and (unless void) its own end
// tag, text and closed comments between them, nothing the parser dropped:
// then reading them changes nothing of the parser's state but what the tag
// rules say.
bool readRegularly(const SourceTree& tree, const std::vector<int>& top, size_t first, size_t last,
                   qsizetype from, qsizetype to, StretchFacts& facts)
{
    const QByteArray& text = tree.text();
    qsizetype at = from;
    struct Frame {
        int index;
        size_t next;  // the next child to read
    };
    std::vector<Frame> open;
    for (size_t i = first; i < last; ++i) {
        open.push_back({top[i], 0});
        bool entering = true;
        while (!open.empty()) {
            Frame& frame = open.back();
            const SourceNode& node = tree.node(frame.index);
            if (entering) {
                entering = false;
                if (isText(node)) {
                    // The parser tells text starting with CR LF from its LF.
                    if (node.start != at && !(node.start == at + 1 && text[at] == '\r'))
                        return false;
                    at = node.end;
                    const QByteArrayView raw(text.constData() + node.start, node.end - node.start);
                    if (holdsDroppedTag(raw))
                        return false;
                    facts.lastTextHasTag = raw.contains('<');
                    open.pop_back();
                    continue;
                }
                facts.lastTextHasTag = false;
                if (node.start != at)
                    return false;
                if (isComment(node)) {
                    if (!commentClosed(text, node))
                        return false;
                    at = node.end;
                    open.pop_back();
                    continue;
                }
                const unsigned rule = ruleOf(node.key);
                if (!(rule & Plain) || node.openEnd <= node.start || text[node.start + 1] == '/')
                    return false;
                facts.rules |= rule;
                facts.formatting |= formattingBit(node.key);
                at = node.openEnd;
                if (rule & Void) {
                    if (node.closeStart >= 0 || node.end != node.openEnd || !node.children.empty())
                        return false;
                    open.pop_back();
                    continue;
                }
                if (node.closeStart < 0 || node.end != node.closeEnd)
                    return false;
                // The parser drops a line break right after these start tags.
                if (node.key == QLatin1String("PRE") || node.key == QLatin1String("LISTING")) {
                    if (text.mid(at, 2) == "\r\n")
                        at += 2;
                    else if (text[at] == '\n' || text[at] == '\r')
                        at += 1;
                }
            }
            if (frame.next < node.children.size()) {
                open.push_back({node.children[frame.next++], 0});
                entering = true;
                continue;
            }
            if (at != node.closeStart)
                return false;
            at = node.closeEnd;
            facts.lastTextHasTag = false;
            open.pop_back();
        }
    }
    if (first < last) {
        facts.firstIsText = isText(tree.node(top[first]));
        facts.lastIsText = isText(tree.node(top[last - 1]));
    }
    return at == to;
}

// What the parser's open elements at the edited element are, as far as the
// tag rules ask: worked out once down the path, so deep pages cost no more
// than their depth.
struct Surroundings {
    bool paragraphOpen = false;   // a P the next block would end
    bool listItemOpen = false;    // an LI the next LI would end
    bool definitionOpen = false;  // a DD or DT the next DD or DT would end
    unsigned formatting = 0;      // the formatting elements around
    bool noContext = false;       // inside content that is not a body's
    bool inTable = false;         // inside a table, not in one of its cells
};

std::vector<Surroundings> surroundings(const SourceTree& tree, const std::vector<EditStep>& steps)
{
    std::vector<Surroundings> all(steps.size());
    Surroundings around;
    for (size_t d = 0; d < steps.size(); ++d) {
        const QString& key = tree.node(steps[d].index).key;
        const unsigned rule = ruleOf(key);
        const bool stops = (rule & Special) && key != QLatin1String("ADDRESS")
            && key != QLatin1String("DIV") && key != QLatin1String("P");
        around.paragraphOpen = key == QLatin1String("P") || (!(rule & ScopeBound) && around.paragraphOpen);
        around.listItemOpen = key == QLatin1String("LI") || (!stops && around.listItemOpen);
        around.definitionOpen = key == QLatin1String("DD") || key == QLatin1String("DT")
            || (!stops && around.definitionOpen);
        around.formatting |= formattingBit(key);
        around.noContext = around.noContext || (rule & NoContext);
        around.inTable = (rule & TablePart) || (!(rule & Cell) && around.inTable);
        all[d] = around;
    }
    return all;
}

// Tags in the stretch whose meaning depends on the elements around it.
bool readsAlike(const StretchFacts& facts, const Surroundings& around, const QString& key)
{
    if ((facts.rules & ClosesP) && around.paragraphOpen)
        return false;
    if ((facts.rules & Heading) && (ruleOf(key) & Heading))
        return false;
    if ((facts.rules & ListItem) && around.listItemOpen)
        return false;
    if ((facts.rules & Definition) && around.definitionOpen)
        return false;
    return (facts.formatting & around.formatting) == 0;
}

// A FRAMESET start tag after the stretch: whether the parser takes it
// depends on all the content before it.
bool framesetAfter(const QByteArray& text, qsizetype from)
{
    const char* at = text.constData() + from;
    const char* end = text.constData() + text.size();
    static const char kName[] = "frameset";
    const size_t length = sizeof(kName) - 1;
    while ((at = static_cast<const char*>(std::memchr(at, '<', size_t(end - at))))) {
        ++at;
        if (size_t(end - at) < length)
            return false;
        size_t i = 0;
        while (i < length && (at[i] | 0x20) == kName[i])
            ++i;
        if (i == length)
            return true;
    }
    return false;
}

// The nodes of `before` with those of `stretch` (a parse of the edited
// element's new content) in place of the children it replaces.
class Splicer {
public:
    Splicer(const SourceTree& before, std::vector<EditStep> steps, size_t depth,
            const EditStretch& stretch, const TextEdit& edit, SourceTree content)
        : before_(before)
        , steps_(std::move(steps))
        , depth_(depth)
        , stretch_(stretch)
        , delta_(edit.delta)
        , content_(std::move(content))
    {
        const EditStep& step = steps_[depth];
        const std::vector<int>& children = before.node(step.index).children;
        from_ = stretch.first < children.size() ? children[stretch.first] : step.subtreeEnd;
        to_ = stretch.last < children.size() ? children[stretch.last] : step.subtreeEnd;
        indexShift_ = (content_.size() - 1) - (to_ - from_);
    }

    // No element around the stretch has a tag inside it: the splice can be
    // made. Only the few elements on the path are looked at.
    bool fits() const
    {
        for (size_t d = 0; d <= depth_; ++d) {
            SourceNode node = before_.node(steps_[d].index);
            if (!around(node, false))
                return false;
        }
        return true;
    }

    SourceTree splice(const QByteArray& text)
    {
        std::vector<SourceNode> nodes;
        nodes.reserve(size_t(before_.size() + indexShift_));
        std::vector<bool> onPath(size_t(from_), false);
        onPath[0] = true;
        for (size_t d = 0; d <= depth_; ++d)
            onPath[size_t(steps_[d].index)] = true;
        for (int i = 0; i < from_; ++i) {
            nodes.push_back(before_.node(i));
            if (onPath[size_t(i)])
                around(nodes.back(), i == steps_[depth_].index);
        }
        for (int i = 1; i < content_.size(); ++i) {
            nodes.push_back(content_.node(i));
            for (int& child : nodes.back().children)
                child += from_ - 1;
        }
        for (int i = to_; i < before_.size(); ++i) {
            nodes.push_back(before_.node(i));
            moveAfter(nodes.back());
        }
        return SourceTree(text, std::move(nodes), before_.formattingCarried());
    }

private:
    // An element around the stretch: its end moves with the edit, and the
    // edited element's children are the new ones in the stretch's place.
    bool around(SourceNode& node, bool edited) const
    {
        const auto move = [this](qsizetype& at) {
            if (at < stretch_.to)
                return at <= stretch_.from;
            at += delta_;
            return true;
        };
        if (!move(node.end) || (node.closeStart >= 0 && !(move(node.closeStart) && move(node.closeEnd))))
            return false;
        for (int& child : node.children) {
            if (child >= to_)
                child += indexShift_;
        }
        if (edited) {
            const std::vector<int>& added = content_.node(0).children;
            auto at = node.children.begin() + qsizetype(stretch_.first);
            at = node.children.erase(at, at + qsizetype(stretch_.last - stretch_.first));
            for (const int child : added)
                at = node.children.insert(at, child + from_ - 1) + 1;
        }
        return true;
    }

    void moveAfter(SourceNode& node) const
    {
        node.start += delta_;
        node.end += delta_;
        node.openEnd += delta_;
        if (node.closeStart >= 0) {
            node.closeStart += delta_;
            node.closeEnd += delta_;
        }
        for (int& child : node.children)
            child += indexShift_;
    }

    const SourceTree& before_;
    std::vector<EditStep> steps_;
    size_t depth_;
    EditStretch stretch_;
    qsizetype delta_;
    SourceTree content_;
    int from_ = 0;  // the first node replaced, in document order
    int to_ = 0;    // one past the last
    int indexShift_ = 0;
};

// The edit read inside the element at `depth` of the path.
std::optional<SplicePlan> spliceInside(const SourceTree& before, const QByteArray& after,
                                       const std::vector<EditStep>& steps, size_t depth,
                                       const Surroundings& around, const TextEdit& edit)
{
    const EditStep& step = steps[depth];
    const SourceNode& element = before.node(step.index);
    if (around.noContext || around.inTable || !tagRules().contains(element.key))
        return std::nullopt;
    const std::optional<EditStretch> stretch = editStretch(before, step.index, edit);
    if (!stretch || before.text()[stretch->from - 1] == '<')
        return std::nullopt;
    const std::vector<int>& children = element.children;
    StretchFacts was;
    if (!readRegularly(before, children, stretch->first, stretch->last, stretch->from,
                       stretch->to, was))
        return std::nullopt;

    const qsizetype newTo = stretch->to + edit.delta;
    SourceTree content = SourceTree::parseContent(after, stretch->from, newTo, element.key);
    if (content.size() == 0 || content.parseErrors() > 0 || content.formattingCarried())
        return std::nullopt;
    const std::vector<int>& added = content.node(0).children;
    StretchFacts is;
    if (!readRegularly(content, added, 0, added.size(), stretch->from, newTo, is)
        || is.lastTextHasTag)
        return std::nullopt;
    // Text at either end joins the text beside the stretch.
    if (is.firstIsText && stretch->first > 0 && isText(before.node(children[stretch->first - 1])))
        return std::nullopt;
    if (is.lastIsText && stretch->last < children.size()
        && isText(before.node(children[stretch->last])))
        return std::nullopt;
    if (!readsAlike(was, around, element.key) || !readsAlike(is, around, element.key))
        return std::nullopt;
    if (framesetAfter(after, newTo))
        return std::nullopt;

    SourcePatch patch;
    patch.parentPath = pathText(steps, depth);
    patch.first = int(stretch->first);
    patch.count = int(stretch->last - stretch->first);
    patch.markup = QString::fromUtf8(after.constData() + stretch->from, newTo - stretch->from);
    patch.shape = shapeOf(content, added, 0, added.size());
    auto splicer = std::make_shared<Splicer>(before, steps, depth, *stretch, edit,
                                             std::move(content));
    if (!splicer->fits())
        return std::nullopt;
    SplicePlan plan;
    plan.patch = std::move(patch);
    plan.tree = [splicer](const QByteArray& text) { return splicer->splice(text); };
    return plan;
}

}

std::optional<SplicePlan> planSourceSplice(const SourceTree& before, const QByteArray& after)
{
    if (before.size() == 0 || before.formattingCarried())
        return std::nullopt;
    const std::optional<TextEdit> edit = findTextEdit(before.text(), after);
    if (!edit)
        return std::nullopt;
    const std::vector<EditStep> steps = editPath(before, *edit);
    const std::vector<Surroundings> around = surroundings(before, steps);
    // The innermost element whose content takes the edit, or else one
    // around it: new blocks typed inside a paragraph end it.
    for (size_t depth = steps.size(); depth-- > 0;) {
        if (!steps[depth].holdsEdit)
            continue;
        if (std::optional<SplicePlan> plan =
                spliceInside(before, after, steps, depth, around[depth], *edit))
            return plan;
    }
    return std::nullopt;
}

std::optional<SplicedEdit> spliceSourceEdit(const SourceTree& before, const QByteArray& after)
{
    std::optional<SplicePlan> plan = planSourceSplice(before, after);
    if (!plan)
        return std::nullopt;
    return SplicedEdit{plan->tree(after), std::move(plan->patch)};
}

}
