// The menu table checked against the menu tree written out by hand: one line
// per item, two blanks of indentation per level, then
// name|caption|shortcut|marks, where marks are "check" (an unchecked
// check-mark item), "checked" or "hidden". A caption "-" is a separator.
#include "app/MenuTable.h"

#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

const char* const expectedTree = R"TREE(
file|&File
  newproject|&New Project
  new|&New Page|Ctrl+N
  open|&Open|Ctrl+O
  save|&Save|Ctrl+S
  saveas|Save &As
  sep1|-
  printcode|Print &Code
  printwebpage|&Print Webpage|Ctrl+P
  printpreview|Print Pre&view
  sep2|-
  exit|E&xit
edit|&Edit
  undo|&Undo|Ctrl+Z
  editsep2|-
  cut|Cu&t|Ctrl+X
  copy|&Copy|Ctrl+C
  paste|&Paste|Ctrl+V
  selectall|Select &All
  absolsept|-
  find|&Find
  findnext|Find &Next
  replace|&Replace
  findsep|-
  makeabsolute|&Make Absolute
  editablesep|-
  makeeditable|Make &Editable
  removesep1|-
  text1properteis|Inverse &Property
text|&Text
  font|&Font
    bold|&Bold|Ctrl+B
    italic|&Italic|Ctrl+I
    underline|&Underline|Ctrl+U
    strike|&Strikethrough
  spacing|&Spacing
    breakline|Break &Line
    pagebreak|&Paragraph
    spacesep1|-
    tab|&Indent
    outdent|&Outdent
  paragraph|&Alignment
    left|&Left
    center|&Center
    right|&Right
  format|&Format
    teletype|&Teletype
    keyboarddata|&Key Board Data
    preformat|&Preformat
  removesep|-
  removeformat|&Remove Formatting
insert|&Insert
  link|Hyper&link|Ctrl+L
  button|Hyper&button
  bookmark|Book&mark
  image|&Image
  inlineframe|Inline &Frame
  insep1|-
  marquee|&Marquee
  horizontalrule|&Horizontal Rule
  comment|&Comment
  olsep|-
  orderedlist|&Ordered List
  unorderedlist|&Unordered List
table|&Table
  newtable|&New Table|Ctrl+T
  tsep|-
  insertrow|Insert Row
  deleterow|Delete Row
  tsep3|-
  insertcolumn|Insert Column
  deletecolumn|Delete Column
  tsep4|-
  insertcell|Insert Cell
  deletecell|Delete Cell
  mergecells|Merge Cells
  splitcell|Split Cell
formbase|F&orm
  newform|&New Form|Ctrl+F
  formsep1|-
  textarea|&Textarea
  combobox|&Combo Box
  listbox|&List Box
  boxdata|&Box Data
  frmsepq1|-
  textinput|&Text Input
  passwordinput|&Password Input
  radioinput|&Radio Input
  checkedinput|&Checked Input
  hiddeninput|&Hidden Input
  setp1|-
  submitbutton|&Submit Button
  resetbutton|R&eset Button
css|&Style
  style|&New Style
  newstylesep2|-
  styleoptions|&Options
    insertbrackets|&Brackets {}||checked
    styleequals|&Style=""||check
    tagapply|&Tag Apply||checked
    classapply|&Class Apply||check
    idapply|&ID Apply||check
  newstylesep|-
  importstyle|&Import Style
  exportstyle|&Export Style
  boxsep|-
  box|&Box
    bordercolor|&Border Color
    borderwidth|Border &Width
    borderstyle|Border &Style
    float|&Float
    styleboxmargin|&Margin
    styleboxpadding|&Padding
  stylecolors|&Colors
    stylecolorsbackgroundattachement|&Background Attachement
    stylecolorsbackgroundcolor|&Background Color
    stylecolorsbackgroundimage|&Background Image
    stylecolorsbackgroundrepeat|&Background Repeat
    stylecolorscolor|&Color
  styleboxfonts|&Fonts
    stylefontsfontfamily|&Font Family
    styleboxfontsfontsize|&Font Size
    styleboxfontsfontstyle|&Font Style
    styleboxfontsfontvariant|&Font Variant
    styleboxfontsfontweight|&Font Weight
  stylespecial|&Special
    cursor|&Cursor
    stylespecialliststyleimage|&List Style Image
    stylespecialliststyletype|&List Style Type
  styletext|&Text
    styletextletterspacing|&Letter Spacing
    styletextlineheight|&Line Height
    styletexttextalign|&Text Align
    styletexttextdecoration|&Text Decoration
    styletexttextindent|&Text Indent
    styletexttexttransform|&Text Transform
    styletextverticalalign|&Vertial Align
library|&Library
  importfile|&Import File
  exportfile|&Export File
view|&View
  refresh|&Refresh|Ctrl+R
  toolbars|&Toolbars
    standard|Standard
      stdocked|&Docked||checked
      stvisible|&Visible||checked
    formatting|&Formatting
      fodocked|&Docked||checked
      fovisible|&Visible||checked
windows|&Windows
  tileh|Tile &Horizontally
  tilev|Tile &Vertically
  cascade|&Cascade
  ai|&Arrange Icons
help|&Help
  helpcontents|Help &Contents|F1
  techsupport|&Technical Support
  messageboard|&Message Board
  about|&About
preview|Preview||hidden
dhtmlpop1|dhtmlpop1||hidden
  dhp1table|&Table
    dhp1inserttable|Insert Table
    tsepnow1|-
    dhp1insertrow|Insert Row
    dhp1deleterow|Delete Row
    dhp1sep3|-
    dhp1insertcolumn|Insert Column
    dhp1deletecolumn|Delete Column
    dhp1sep4|-
    dhp1insertcell|Insert Cell
    dhp1deletecell|Delete Cell
    dhp1mergecells|Merge Cells
    dhp1splitcell|Split Cell
  dhp1eosep|-
  dhp1undo|&Undo
  dhp1sep1|-
  dhp1cut|Cu&t
  dhp1copy|&Copy
  dhp1paste|&Paste
  dhp1selectall|Select &All
  dhp1propsep|-
  dhp1properties|Inverse &Property
droppop|droppop||hidden
  orderedlist2|&Ordered List
  unorderedlist2|&Unordered List
)TREE";

struct Expected {
    QString name, parent, caption, shortcut;
    bool checkable = false, checked = false, hidden = false;
};

// Turns the indented listing into rows, each with the name of the nearest
// less-indented line above it as its parent.
std::vector<Expected> parseTree()
{
    std::vector<Expected> rows;
    QStringList parents;
    for (const QString& line : QString::fromUtf8(expectedTree).split('\n', Qt::SkipEmptyParts)) {
        const int depth = (line.size() - line.trimmed().size()) / 2;
        const QStringList f = line.trimmed().split('|');
        Expected e;
        e.name = f.value(0);
        e.caption = f.value(1);
        e.shortcut = f.value(2);
        const QString marks = f.value(3);
        e.checkable = marks == "check" || marks == "checked";
        e.checked = marks == "checked";
        e.hidden = marks == "hidden";
        parents = parents.mid(0, depth);
        e.parent = parents.value(depth - 1);
        parents << e.name;
        rows.push_back(e);
    }
    return rows;
}

TEST(MenuTableTest, tableMatchesTheWrittenTreeItemByItem)
{
    const std::vector<Expected> expected = parseTree();
    const auto& table = ink::menuTable();
    ASSERT_EQ(table.size(), expected.size());
    for (size_t i = 0; i < table.size(); ++i) {
        const ink::MenuEntry& got = table[i];
        const Expected& want = expected[i];
        SCOPED_TRACE(want.name.toStdString());
        EXPECT_EQ(QString::fromLatin1(got.name), want.name);
        EXPECT_EQ(QString::fromLatin1(got.parent), want.parent);
        EXPECT_EQ(QString::fromLatin1(got.caption), want.caption);
        EXPECT_EQ(QString::fromLatin1(got.shortcut), want.shortcut);
        EXPECT_EQ(got.checkable, want.checkable);
        EXPECT_EQ(got.checked, want.checked);
        EXPECT_EQ(got.hidden, want.hidden);
        EXPECT_EQ(got.separator, want.caption == "-");
    }
}

TEST(MenuTableTest, namesAreUniqueAndParentsComeFirst)
{
    QSet<QString> seen;
    for (const ink::MenuEntry& e : ink::menuTable()) {
        const QString parent = QString::fromLatin1(e.parent);
        EXPECT_TRUE(parent.isEmpty() || seen.contains(parent)) << e.name;
        EXPECT_FALSE(seen.contains(QString::fromLatin1(e.name))) << e.name;
        seen.insert(QString::fromLatin1(e.name));
    }
}

TEST(MenuTableTest, lookupsFollowTheTree)
{
    EXPECT_EQ(ink::menuChildren("droppop"), (QStringList{"orderedlist2", "unorderedlist2"}));
    EXPECT_EQ(ink::menuChildren("").first(), "file");
    EXPECT_EQ(ink::menuChildren("").last(), "droppop");
    EXPECT_TRUE(ink::isSubmenu("styleoptions"));
    EXPECT_TRUE(ink::isSubmenu("dhp1table"));
    EXPECT_FALSE(ink::isSubmenu("preview"));
    EXPECT_FALSE(ink::isSubmenu("bold"));
    ASSERT_NE(ink::findMenuEntry("text1properteis"), nullptr);
    EXPECT_STREQ(ink::findMenuEntry("text1properteis")->caption, "Inverse &Property");
    EXPECT_EQ(ink::findMenuEntry("nosuchitem"), nullptr);
}

}

#include "app/ViewEnabling.h"

namespace {

TEST(MenuTableTest, everyViewDependentItemExistsAndFlipsWithTheView)
{
    const auto design = ink::viewEnabling(true);
    const auto code = ink::viewEnabling(false);
    ASSERT_EQ(design.size(), code.size());
    for (size_t i = 0; i < design.size(); ++i) {
        if (!design[i].menuItem.isEmpty())
            EXPECT_NE(ink::findMenuEntry(design[i].menuItem), nullptr) << design[i].menuItem.toStdString();
        EXPECT_NE(design[i].enabled, code[i].enabled);
    }
}

}
