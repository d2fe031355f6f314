#include "styles/StyleRule.h"

namespace ink {

namespace {

const QLatin1String TagPlaceholder("tag");
const QLatin1String IdPlaceholder("#id");
const QLatin1String ClassPlaceholder(".class");

// The text before the declaration, up to and including the "{".
QString rulePrefix(const StyleOptions& o)
{
    QString text;
    if (o.styleEquals)
        text += QLatin1String("style=\"");
    if (o.tagApply)
        text += TagPlaceholder;
    if (o.idApply)
        text += IdPlaceholder;
    if (o.classApply)
        text += ClassPlaceholder;
    if (o.brackets)
        text += QLatin1Char('{');
    return text;
}

}

QString styleRuleText(const StyleOptions& o, const QString& declaration)
{
    QString text = rulePrefix(o) + declaration;
    if (o.brackets)
        text += QLatin1Char('}');
    if (o.styleEquals)
        text += QLatin1Char('"');
    return text;
}

RuleSelection styleRuleSelection(const StyleOptions& o, const QString& declaration)
{
    // The selector options are handled in the order tag, id, class, each one
    // moving the selection, so the last one checked wins. Its placeholder is
    // looked up in the text actually written, which keeps the selection on
    // the name even when another piece stands before it.
    const QString prefix = rulePrefix(o);
    RuleSelection selection;
    selection.anchor = selection.caret = styleRuleText(o, declaration).size();
    const auto select = [&](QLatin1String placeholder, int skip) {
        const int at = prefix.indexOf(placeholder);
        if (at < 0)
            return;
        selection.anchor = at + skip;
        selection.caret = at + placeholder.size();
    };
    if (o.tagApply)
        select(TagPlaceholder, 0);
    if (o.idApply)
        select(IdPlaceholder, 1);
    if (o.classApply)
        select(ClassPlaceholder, 1);
    return selection;
}

bool styleOption(const StyleOptions& o, StyleOption which)
{
    switch (which) {
    case StyleOption::Brackets: return o.brackets;
    case StyleOption::StyleEquals: return o.styleEquals;
    case StyleOption::TagApply: return o.tagApply;
    case StyleOption::ClassApply: return o.classApply;
    case StyleOption::IdApply: return o.idApply;
    }
    return false;
}

void setStyleOption(StyleOptions& o, StyleOption which, bool checked)
{
    switch (which) {
    case StyleOption::Brackets: o.brackets = checked; break;
    case StyleOption::StyleEquals: o.styleEquals = checked; break;
    case StyleOption::TagApply: o.tagApply = checked; break;
    case StyleOption::ClassApply: o.classApply = checked; break;
    case StyleOption::IdApply: o.idApply = checked; break;
    }
}

StyleOptions clickStyleOption(StyleOptions o, StyleOption clicked)
{
    if (styleOption(o, clicked)) {
        // Unchecking touches nothing else: Brackets stays as it was.
        setStyleOption(o, clicked, false);
        return o;
    }
    setStyleOption(o, clicked, true);
    switch (clicked) {
    case StyleOption::Brackets:
        o.styleEquals = false;
        break;
    case StyleOption::StyleEquals:
        o.brackets = o.tagApply = o.classApply = o.idApply = false;
        break;
    case StyleOption::TagApply:
    case StyleOption::ClassApply:
    case StyleOption::IdApply:
        o.styleEquals = false;
        o.brackets = true;
        o.tagApply = clicked == StyleOption::TagApply;
        o.classApply = clicked == StyleOption::ClassApply;
        o.idApply = clicked == StyleOption::IdApply;
        break;
    }
    return o;
}

}
