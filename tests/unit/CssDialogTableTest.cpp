#include "styles/CssDialogTable.h"
#include "styles/StyleCommandTable.h"

#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct DialogCase {
    const char* name;
    const char* caption;
    const char* choices; // "Caption=declaration" rows joined by "|"
};

const DialogCase dialogCases[] = {
    {"frmborderstyle", "Border Style",
     "None=border:none|Dotted=border:dotted|Solid=border:solid|Double=border:double|"
     "Groove=border:groove|Ridge=border:ridge|Inset=border:inset|Outset=border:outset"},
    {"frmfloat", "Float", "Left=float:left|Right=float:right"},
    {"frmbackgroundattachment", "Background Attachment",
     "Scroll=background-attachment:scroll|Fixed=background-attachment:fixed"},
    {"frmbackgroundcolor", "Background Color",
     "Insert Color=background-color:|Transparent=background-color:transparent"},
    {"frmbackgroundrepeat", "Background Repeat",
     "Repeat=background-repeat:repeat|Repeat X=background-repeat:repeat-x|"
     "Repeat Y=background-repeat:repeat-y|No Repeat=background-repeat:no-repeat"},
    {"frmfontsfamily", "Font Family",
     "Serif=font-family:serif|Sans Serif=font-family:sans-serif|Cursive=font-family:cursive|"
     "Fantasy=font-family:fantasy|Monospace=font-family:monospace"},
    {"frmfontweight", "Font Weight",
     "Bold=font-weight:bold|Bolder=font-weight:bolder|Lighter=font-weight:lighter"},
    {"frmcursor", "Cursor",
     "Crosshair=cursor:crosshair|Hand=cursor:hand|Move=cursor:move|E Resize=cursor:e-resize|"
     "NE Resize=cursor:ne-resize|NW Resize=cursor:nw-resize|N Resize=cursor:n-resize|"
     "SE Resize=cursor:se-resize|SW Resize=cursor:sw-resize|S Resize=cursor:s-resize|"
     "W Resize=cursor:w-resize|Text=cursor:text|Wait=cursor:wait|Help=cursor:help"},
    {"frmliststyletype", "List Style Type",
     "Disc=list-style-type:disc|Circle=list-style-type:circle|Square=list-style-type:square|"
     "Decimal=list-style-type:decimal|Lower Roman=list-style-type:lower-roman|"
     "Upper Roman=list-style-type:upper-roman|Lower Alpha=list-style-type:lower-alpha|"
     "Upper Alpha=list-style-type:upper-alpha"},
    {"frmtextalign", "Text Align",
     "Left=text-align:left|Right=text-align:right|Center=text-align:center|Justify=text-align:justify"},
    {"frmtextdecoration", "Text Decoration",
     "Underline=text-decoration:underline|Overline=text-decoration:overline|"
     "Line Through=text-decoration:line-through"},
    {"frmtexttransform", "Text Transform",
     "Capitalize=text-transform:capitalize|Uppercase=text-transform:uppercase|"
     "Lowercase=text-transform:lowercase"},
    {"frmVerticalAlign", "Vertical Align",
     "Baseline=vertical-align:baseline|Sub=vertical-align:sub|Super=vertical-align:super|"
     "Top=vertical-align:top|Text Top=vertical-align:text-top|Middle=vertical-align:middle|"
     "Bottom=vertical-align:bottom|Text Bottom=vertical-align:text-bottom"},
};

TEST(CssDialogTable, ChoiceDialogsInOrder)
{
    ASSERT_EQ(ink::cssChoiceDialogs().size(), std::size(dialogCases));
    for (const DialogCase& c : dialogCases) {
        SCOPED_TRACE(c.name);
        const ink::CssChoiceDialog* d = ink::cssChoiceDialog(QString::fromLatin1(c.name));
        ASSERT_NE(d, nullptr);
        EXPECT_STREQ(d->caption, c.caption);
        QStringList rows;
        QSet<QString> controls;
        for (const ink::CssChoice& choice : d->choices) {
            rows << QString::fromLatin1(choice.caption) + QLatin1Char('=') + QString::fromLatin1(choice.declaration);
            controls.insert(QString::fromLatin1(choice.control));
            // Only the colour choice writes a property without its value.
            EXPECT_EQ(choice.asksColour, QByteArray(choice.declaration).endsWith(':'));
        }
        EXPECT_EQ(rows.join(QLatin1Char('|')).toStdString(), c.choices);
        EXPECT_EQ(controls.size(), int(d->choices.size())) << "control names repeat";
    }
}

TEST(CssDialogTable, EveryStyleMenuDialogExists)
{
    int dialogs = 0;
    for (const ink::StyleCommand& command : ink::styleCommands()) {
        if (command.kind != ink::StyleCommand::Dialog)
            continue;
        ++dialogs;
        const QString name = QString::fromLatin1(command.text);
        EXPECT_TRUE(ink::cssChoiceDialog(name) || ink::cssValueDialog(name)) << command.menuItem;
    }
    EXPECT_EQ(dialogs, 15);
}

struct ValueCase {
    const char* row;
    const char* dialog;
    int choice;
    const char* typed;
    const char* declaration; // nullptr: refused
};

const ValueCase valueCases[] = {
    {"point size", "frmfontsize", 0, "12", "font-size:12pt"},
    {"pixel size", "frmfontsize", 1, "14", "font-size:14px"},
    {"decimal point size", "frmfontsize", 0, "10.5", "font-size:10.5pt"},
    {"blanks around are dropped", "frmfontsize", 1, " 14 ", "font-size:14px"},
    {"empty point size refused", "frmfontsize", 0, "", nullptr},
    {"blank point size refused", "frmfontsize", 0, "   ", nullptr},
    {"word refused", "frmfontsize", 0, "big", nullptr},
    {"unit typed into a size refused", "frmfontsize", 0, "12pt", nullptr},
    {"negative size refused", "frmfontsize", 1, "-3", nullptr},
    {"rule text refused", "frmfontsize", 0, "1;color:red", nullptr},
    {"indent with a unit", "frmtextindent", 0, "2em", "text-indent:2em"},
    {"negative indent", "frmtextindent", 0, "-10px", "text-indent:-10px"},
    {"bare indent number", "frmtextindent", 0, "3", "text-indent:3"},
    {"empty indent refused", "frmtextindent", 0, "", nullptr},
    {"indent word refused", "frmtextindent", 0, "wide", nullptr},
    {"brace refused", "frmtextindent", 0, "2em}", nullptr},
    {"percent", "frmtextindent", 1, "10", "text-indent:10%"},
    {"percent sign not doubled", "frmtextindent", 1, "10%", nullptr},
    {"empty percent refused", "frmtextindent", 1, "", nullptr},
};

TEST(CssDialogTable, TypedValues)
{
    for (const ValueCase& c : valueCases) {
        SCOPED_TRACE(c.row);
        const ink::CssValueDialog* d = ink::cssValueDialog(QString::fromLatin1(c.dialog));
        ASSERT_NE(d, nullptr);
        QString problem;
        const auto declaration = ink::cssValueDeclaration(d->choices.at(c.choice),
                                                          QString::fromLatin1(c.typed), &problem);
        if (c.declaration) {
            ASSERT_TRUE(declaration.has_value());
            EXPECT_EQ(declaration->toStdString(), c.declaration);
        } else {
            EXPECT_FALSE(declaration.has_value());
            EXPECT_TRUE(problem.contains(QLatin1String(d->choices.at(c.choice).caption))) << problem.toStdString();
        }
    }
}

}
