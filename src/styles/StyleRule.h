#pragma once
#include <QString>

namespace ink {

// The five check marks of Style > Options that decide what a CSS declaration
// becomes when a style command writes it. The defaults are those of a first
// start: a tag rule in braces.
struct StyleOptions {
    bool brackets = true;     // insertbrackets: "{" and "}" around the declaration
    bool styleEquals = false; // styleequals: style="..." around everything
    bool tagApply = true;     // tagapply: selector placeholder "tag"
    bool classApply = false;  // classapply: selector placeholder ".class"
    bool idApply = false;     // idapply: selector placeholder "#id"

    bool operator==(const StyleOptions& o) const
    {
        return brackets == o.brackets && styleEquals == o.styleEquals && tagApply == o.tagApply
            && classApply == o.classApply && idApply == o.idApply;
    }
};

// The option items, in the order settings2.ini keeps them (lines 0 to 4).
enum class StyleOption { Brackets, StyleEquals, TagApply, ClassApply, IdApply };

// The text written for one declaration. The pieces are tested in a fixed
// order (style=", tag, #id, .class, {, declaration, }, "), so that even a
// combination the option clicks never produce, such as one restored from a
// hand-edited settings file, has a defined text: "tag#id{float:left}".
// Nothing else is added: no blank, line break or semicolon.
QString styleRuleText(const StyleOptions& options, const QString& declaration);

// Where the caret and selection go after the rule text has been written,
// in characters from the start of the written text. The placeholder name of
// the selector ("tag", "id" or "class") is selected so that typing replaces
// it; without a selector the caret stands after the text.
struct RuleSelection {
    int anchor = 0;
    int caret = 0;
};
RuleSelection styleRuleSelection(const StyleOptions& options, const QString& declaration);

// The check marks after a click on one option item; `before` holds the marks
// as they were before the click. Checking a selector option always unchecks
// Style= and checks Brackets, so the rule text then starts with the
// placeholder; at most one selector option stays checked.
StyleOptions clickStyleOption(StyleOptions before, StyleOption clicked);

// Reading and setting one check mark by its item.
bool styleOption(const StyleOptions& options, StyleOption which);
void setStyleOption(StyleOptions& options, StyleOption which, bool checked);

}
