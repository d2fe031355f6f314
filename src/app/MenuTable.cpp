#include "app/MenuTable.h"

namespace ink {

namespace {

MenuEntry item(const char* name, const char* parent, const char* caption, const char* shortcut = "")
{
    return {name, parent, caption, shortcut, false, false, false, false};
}

MenuEntry checkItem(const char* name, const char* parent, const char* caption, bool checked)
{
    return {name, parent, caption, "", true, checked, false, false};
}

MenuEntry hiddenItem(const char* name, const char* caption)
{
    return {name, "", caption, "", false, false, true, false};
}

MenuEntry separator(const char* name, const char* parent)
{
    return {name, parent, "-", "", false, false, false, true};
}

void addFileMenu(std::vector<MenuEntry>& t)
{
    t.push_back(item("file", "", "&File"));
    t.push_back(item("newproject", "file", "&New Project"));
    t.push_back(item("new", "file", "&New Page", "Ctrl+N"));
    t.push_back(item("open", "file", "&Open", "Ctrl+O"));
    t.push_back(item("save", "file", "&Save", "Ctrl+S"));
    t.push_back(item("saveas", "file", "Save &As"));
    t.push_back(separator("sep1", "file"));
    t.push_back(item("printcode", "file", "Print &Code"));
    t.push_back(item("printwebpage", "file", "&Print Webpage", "Ctrl+P"));
    t.push_back(item("printpreview", "file", "Print Pre&view"));
    t.push_back(separator("sep2", "file"));
    t.push_back(item("exit", "file", "E&xit"));
}

void addEditMenu(std::vector<MenuEntry>& t)
{
    t.push_back(item("edit", "", "&Edit"));
    t.push_back(item("undo", "edit", "&Undo", "Ctrl+Z"));
    t.push_back(separator("editsep2", "edit"));
    t.push_back(item("cut", "edit", "Cu&t", "Ctrl+X"));
    t.push_back(item("copy", "edit", "&Copy", "Ctrl+C"));
    t.push_back(item("paste", "edit", "&Paste", "Ctrl+V"));
    t.push_back(item("selectall", "edit", "Select &All"));
    t.push_back(separator("absolsept", "edit"));
    t.push_back(item("find", "edit", "&Find"));
    t.push_back(item("findnext", "edit", "Find &Next"));
    t.push_back(item("replace", "edit", "&Replace"));
    t.push_back(separator("findsep", "edit"));
    t.push_back(item("makeabsolute", "edit", "&Make Absolute"));
    t.push_back(separator("editablesep", "edit"));
    t.push_back(item("makeeditable", "edit", "Make &Editable"));
    t.push_back(separator("removesep1", "edit"));
    t.push_back(item("text1properteis", "edit", "Inverse &Property"));
}

void addTextMenu(std::vector<MenuEntry>& t)
{
    t.push_back(item("text", "", "&Text"));
    t.push_back(item("font", "text", "&Font"));
    t.push_back(item("bold", "font", "&Bold", "Ctrl+B"));
    t.push_back(item("italic", "font", "&Italic", "Ctrl+I"));
    t.push_back(item("underline", "font", "&Underline", "Ctrl+U"));
    t.push_back(item("strike", "font", "&Strikethrough"));
    t.push_back(item("spacing", "text", "&Spacing"));
    t.push_back(item("breakline", "spacing", "Break &Line"));
    t.push_back(item("pagebreak", "spacing", "&Paragraph"));
    t.push_back(separator("spacesep1", "spacing"));
    t.push_back(item("tab", "spacing", "&Indent"));
    t.push_back(item("outdent", "spacing", "&Outdent"));
    t.push_back(item("paragraph", "text", "&Alignment"));
    t.push_back(item("left", "paragraph", "&Left"));
    t.push_back(item("center", "paragraph", "&Center"));
    t.push_back(item("right", "paragraph", "&Right"));
    t.push_back(item("format", "text", "&Format"));
    t.push_back(item("teletype", "format", "&Teletype"));
    t.push_back(item("keyboarddata", "format", "&Key Board Data"));
    t.push_back(item("preformat", "format", "&Preformat"));
    t.push_back(separator("removesep", "text"));
    t.push_back(item("removeformat", "text", "&Remove Formatting"));
}

void addInsertMenu(std::vector<MenuEntry>& t)
{
    t.push_back(item("insert", "", "&Insert"));
    t.push_back(item("link", "insert", "Hyper&link", "Ctrl+L"));
    t.push_back(item("button", "insert", "Hyper&button"));
    t.push_back(item("bookmark", "insert", "Book&mark"));
    t.push_back(item("image", "insert", "&Image"));
    t.push_back(item("inlineframe", "insert", "Inline &Frame"));
    t.push_back(separator("insep1", "insert"));
    t.push_back(item("marquee", "insert", "&Marquee"));
    t.push_back(item("horizontalrule", "insert", "&Horizontal Rule"));
    t.push_back(item("comment", "insert", "&Comment"));
    t.push_back(separator("olsep", "insert"));
    t.push_back(item("orderedlist", "insert", "&Ordered List"));
    t.push_back(item("unorderedlist", "insert", "&Unordered List"));
}

void addTableMenu(std::vector<MenuEntry>& t)
{
    t.push_back(item("table", "", "&Table"));
    t.push_back(item("newtable", "table", "&New Table", "Ctrl+T"));
    t.push_back(separator("tsep", "table"));
    t.push_back(item("insertrow", "table", "Insert Row"));
    t.push_back(item("deleterow", "table", "Delete Row"));
    t.push_back(separator("tsep3", "table"));
    t.push_back(item("insertcolumn", "table", "Insert Column"));
    t.push_back(item("deletecolumn", "table", "Delete Column"));
    t.push_back(separator("tsep4", "table"));
    t.push_back(item("insertcell", "table", "Insert Cell"));
    t.push_back(item("deletecell", "table", "Delete Cell"));
    t.push_back(item("mergecells", "table", "Merge Cells"));
    t.push_back(item("splitcell", "table", "Split Cell"));
}

void addFormMenu(std::vector<MenuEntry>& t)
{
    t.push_back(item("formbase", "", "F&orm"));
    t.push_back(item("newform", "formbase", "&New Form", "Ctrl+F"));
    t.push_back(separator("formsep1", "formbase"));
    t.push_back(item("textarea", "formbase", "&Textarea"));
    t.push_back(item("combobox", "formbase", "&Combo Box"));
    t.push_back(item("listbox", "formbase", "&List Box"));
    t.push_back(item("boxdata", "formbase", "&Box Data"));
    t.push_back(separator("frmsepq1", "formbase"));
    t.push_back(item("textinput", "formbase", "&Text Input"));
    t.push_back(item("passwordinput", "formbase", "&Password Input"));
    t.push_back(item("radioinput", "formbase", "&Radio Input"));
    t.push_back(item("checkedinput", "formbase", "&Checked Input"));
    t.push_back(item("hiddeninput", "formbase", "&Hidden Input"));
    t.push_back(separator("setp1", "formbase"));
    t.push_back(item("submitbutton", "formbase", "&Submit Button"));
    t.push_back(item("resetbutton", "formbase", "R&eset Button"));
}

void addStyleSubmenus(std::vector<MenuEntry>& t)
{
    t.push_back(item("box", "css", "&Box"));
    t.push_back(item("bordercolor", "box", "&Border Color"));
    t.push_back(item("borderwidth", "box", "Border &Width"));
    t.push_back(item("borderstyle", "box", "Border &Style"));
    t.push_back(item("float", "box", "&Float"));
    t.push_back(item("styleboxmargin", "box", "&Margin"));
    t.push_back(item("styleboxpadding", "box", "&Padding"));
    t.push_back(item("stylecolors", "css", "&Colors"));
    t.push_back(item("stylecolorsbackgroundattachement", "stylecolors", "&Background Attachement"));
    t.push_back(item("stylecolorsbackgroundcolor", "stylecolors", "&Background Color"));
    t.push_back(item("stylecolorsbackgroundimage", "stylecolors", "&Background Image"));
    t.push_back(item("stylecolorsbackgroundrepeat", "stylecolors", "&Background Repeat"));
    t.push_back(item("stylecolorscolor", "stylecolors", "&Color"));
    t.push_back(item("styleboxfonts", "css", "&Fonts"));
    t.push_back(item("stylefontsfontfamily", "styleboxfonts", "&Font Family"));
    t.push_back(item("styleboxfontsfontsize", "styleboxfonts", "&Font Size"));
    t.push_back(item("styleboxfontsfontstyle", "styleboxfonts", "&Font Style"));
    t.push_back(item("styleboxfontsfontvariant", "styleboxfonts", "&Font Variant"));
    t.push_back(item("styleboxfontsfontweight", "styleboxfonts", "&Font Weight"));
    t.push_back(item("stylespecial", "css", "&Special"));
    t.push_back(item("cursor", "stylespecial", "&Cursor"));
    t.push_back(item("stylespecialliststyleimage", "stylespecial", "&List Style Image"));
    t.push_back(item("stylespecialliststyletype", "stylespecial", "&List Style Type"));
    t.push_back(item("styletext", "css", "&Text"));
    t.push_back(item("styletextletterspacing", "styletext", "&Letter Spacing"));
    t.push_back(item("styletextlineheight", "styletext", "&Line Height"));
    t.push_back(item("styletexttextalign", "styletext", "&Text Align"));
    t.push_back(item("styletexttextdecoration", "styletext", "&Text Decoration"));
    t.push_back(item("styletexttextindent", "styletext", "&Text Indent"));
    t.push_back(item("styletexttexttransform", "styletext", "&Text Transform"));
    t.push_back(item("styletextverticalalign", "styletext", "&Vertial Align"));
}

void addStyleMenu(std::vector<MenuEntry>& t)
{
    t.push_back(item("css", "", "&Style"));
    t.push_back(item("style", "css", "&New Style"));
    t.push_back(separator("newstylesep2", "css"));
    t.push_back(item("styleoptions", "css", "&Options"));
    t.push_back(checkItem("insertbrackets", "styleoptions", "&Brackets {}", true));
    t.push_back(checkItem("styleequals", "styleoptions", "&Style=\"\"", false));
    t.push_back(checkItem("tagapply", "styleoptions", "&Tag Apply", true));
    t.push_back(checkItem("classapply", "styleoptions", "&Class Apply", false));
    t.push_back(checkItem("idapply", "styleoptions", "&ID Apply", false));
    t.push_back(separator("newstylesep", "css"));
    t.push_back(item("importstyle", "css", "&Import Style"));
    t.push_back(item("exportstyle", "css", "&Export Style"));
    t.push_back(separator("boxsep", "css"));
    addStyleSubmenus(t);
}

void addLibraryViewWindowsHelp(std::vector<MenuEntry>& t)
{
    t.push_back(item("library", "", "&Library"));
    t.push_back(item("importfile", "library", "&Import File"));
    t.push_back(item("exportfile", "library", "&Export File"));

    t.push_back(item("view", "", "&View"));
    t.push_back(item("refresh", "view", "&Refresh", "Ctrl+R"));
    t.push_back(item("toolbars", "view", "&Toolbars"));
    t.push_back(item("standard", "toolbars", "Standard"));
    t.push_back(checkItem("stdocked", "standard", "&Docked", true));
    t.push_back(checkItem("stvisible", "standard", "&Visible", true));
    t.push_back(item("formatting", "toolbars", "&Formatting"));
    t.push_back(checkItem("fodocked", "formatting", "&Docked", true));
    t.push_back(checkItem("fovisible", "formatting", "&Visible", true));

    t.push_back(item("windows", "", "&Windows"));
    t.push_back(item("tileh", "windows", "Tile &Horizontally"));
    t.push_back(item("tilev", "windows", "Tile &Vertically"));
    t.push_back(item("cascade", "windows", "&Cascade"));
    t.push_back(item("ai", "windows", "&Arrange Icons"));

    t.push_back(item("help", "", "&Help"));
    t.push_back(item("helpcontents", "help", "Help &Contents", "F1"));
    t.push_back(item("techsupport", "help", "&Technical Support"));
    t.push_back(item("messageboard", "help", "&Message Board"));
    t.push_back(item("about", "help", "&About"));
}

void addHiddenMenus(std::vector<MenuEntry>& t)
{
    t.push_back(hiddenItem("preview", "Preview"));

    t.push_back(hiddenItem("dhtmlpop1", "dhtmlpop1"));
    t.push_back(item("dhp1table", "dhtmlpop1", "&Table"));
    t.push_back(item("dhp1inserttable", "dhp1table", "Insert Table"));
    t.push_back(separator("tsepnow1", "dhp1table"));
    t.push_back(item("dhp1insertrow", "dhp1table", "Insert Row"));
    t.push_back(item("dhp1deleterow", "dhp1table", "Delete Row"));
    t.push_back(separator("dhp1sep3", "dhp1table"));
    t.push_back(item("dhp1insertcolumn", "dhp1table", "Insert Column"));
    t.push_back(item("dhp1deletecolumn", "dhp1table", "Delete Column"));
    t.push_back(separator("dhp1sep4", "dhp1table"));
    t.push_back(item("dhp1insertcell", "dhp1table", "Insert Cell"));
    t.push_back(item("dhp1deletecell", "dhp1table", "Delete Cell"));
    t.push_back(item("dhp1mergecells", "dhp1table", "Merge Cells"));
    t.push_back(item("dhp1splitcell", "dhp1table", "Split Cell"));
    t.push_back(separator("dhp1eosep", "dhtmlpop1"));
    t.push_back(item("dhp1undo", "dhtmlpop1", "&Undo"));
    t.push_back(separator("dhp1sep1", "dhtmlpop1"));
    t.push_back(item("dhp1cut", "dhtmlpop1", "Cu&t"));
    t.push_back(item("dhp1copy", "dhtmlpop1", "&Copy"));
    t.push_back(item("dhp1paste", "dhtmlpop1", "&Paste"));
    t.push_back(item("dhp1selectall", "dhtmlpop1", "Select &All"));
    t.push_back(separator("dhp1propsep", "dhtmlpop1"));
    t.push_back(item("dhp1properties", "dhtmlpop1", "Inverse &Property"));

    t.push_back(hiddenItem("droppop", "droppop"));
    t.push_back(item("orderedlist2", "droppop", "&Ordered List"));
    t.push_back(item("unorderedlist2", "droppop", "&Unordered List"));
}

std::vector<MenuEntry> buildTable()
{
    std::vector<MenuEntry> t;
    addFileMenu(t);
    addEditMenu(t);
    addTextMenu(t);
    addInsertMenu(t);
    addTableMenu(t);
    addFormMenu(t);
    addStyleMenu(t);
    addLibraryViewWindowsHelp(t);
    addHiddenMenus(t);
    return t;
}

}

const std::vector<MenuEntry>& menuTable()
{
    static const std::vector<MenuEntry> table = buildTable();
    return table;
}

const MenuEntry* findMenuEntry(const QString& name)
{
    for (const MenuEntry& e : menuTable()) {
        if (name == QLatin1String(e.name))
            return &e;
    }
    return nullptr;
}

QStringList menuChildren(const QString& parent)
{
    QStringList names;
    for (const MenuEntry& e : menuTable()) {
        if (parent == QLatin1String(e.parent))
            names << QLatin1String(e.name);
    }
    return names;
}

bool isSubmenu(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (const MenuEntry& e : menuTable()) {
        if (name == QLatin1String(e.parent))
            return true;
    }
    return false;
}

}
