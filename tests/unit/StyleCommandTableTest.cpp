#include "styles/StyleCommandTable.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* row;
    const char* chosen;
    const char* written;
    const char* href;
};

const PathCase pathCases[] = {
    {"css file", "/site/main.css", "/site/main.css", "main.css"},
    {"a subfolder of the page's folder is linked with the name", "/site/css/deep/my.site.css",
     "/site/css/deep/my.site.css", "css/deep/my.site.css"},
    {"another folder is reached from the page's folder", "/other/x.css", "/other/x.css", "../other/x.css"},
    {"other extension kept and linked as written", "/site/theme.txt", "/site/theme.txt", "theme.txt"},
    {"no extension gets .css", "/site/theme", "/site/theme.css", "theme.css"},
    {"dot in a folder name only", "/my.site/theme", "/my.site/theme.css", "../my.site/theme.css"},
    {"leading dot is part of the name", "/site/.hidden", "/site/.hidden.css", ".hidden.css"},
    {"double quote encoded in the link", "/site/a\"b.css", "/site/a\"b.css", "a%22b.css"},
    {"# and ? would end the path: encoded", "/site/a#b?.css", "/site/a#b?.css", "a%23b%3F.css"},
    {"blanks and per cent signs encoded", "/site/my 100%.css", "/site/my 100%.css", "my%20100%25.css"},
    {"letters of other languages kept", "/site/Ã©tÃ©.css", "/site/Ã©tÃ©.css",
     "Ã©tÃ©.css"},
};

TEST(StyleCommandTable, ExportFileAndLink)
{
    for (const PathCase& c : pathCases) {
        SCOPED_TRACE(c.row);
        const QString written = ink::styleSheetPath(QString::fromUtf8(c.chosen));
        EXPECT_EQ(written.toStdString(), c.written);
        EXPECT_EQ(ink::styleSheetLink(written, QStringLiteral("/site")).toStdString(),
                  std::string("<link rel=\"stylesheet\" type=\"text/css\" href=\"") + c.href + "\">");
    }
}

TEST(StyleCommandTable, LinkWithoutPageFolderNamesTheFile)
{
    EXPECT_EQ(ink::styleSheetLink(QStringLiteral("/x/css/a b.css"), QString()).toStdString(),
              "<link rel=\"stylesheet\" type=\"text/css\" href=\"a%20b.css\">");
}

TEST(StyleCommandTable, StyleBlockHasAnEmptyMiddleLine)
{
    EXPECT_EQ(ink::styleBlockText().toStdString(), "<style>\r\n<!--\r\n\r\n-->\r\n</style>");
}

struct DeclarationCase {
    const char* item;
    ink::StyleCommand::Kind kind;
    const char* text;
};

// The menu's own spellings are kept, "attachement" included.
const DeclarationCase declarationCases[] = {
    {"bordercolor", ink::StyleCommand::Colour, "border-color:"},
    {"borderwidth", ink::StyleCommand::Fixed, "border-width:1"},
    {"styleboxmargin", ink::StyleCommand::Fixed, "margin:1"},
    {"styleboxpadding", ink::StyleCommand::Fixed, "padding:1"},
    {"stylecolorsbackgroundattachement", ink::StyleCommand::Dialog, "frmbackgroundattachment"},
    {"stylecolorsbackgroundimage", ink::StyleCommand::Fixed, "background-image:image.jpg"},
    {"stylecolorscolor", ink::StyleCommand::Colour, "color:"},
    {"styleboxfontsfontsize", ink::StyleCommand::Dialog, "frmfontsize"},
    {"styleboxfontsfontstyle", ink::StyleCommand::Fixed, "font-style:italic"},
    {"styleboxfontsfontvariant", ink::StyleCommand::Fixed, "font-variant:small-caps"},
    {"stylespecialliststyleimage", ink::StyleCommand::Fixed, "list-style-image:image.jpg"},
    {"styletextletterspacing", ink::StyleCommand::Fixed, "letter-spacing:5"},
    {"styletextlineheight", ink::StyleCommand::Fixed, "line-height:5"},
    {"styletextverticalalign", ink::StyleCommand::Dialog, "frmVerticalAlign"},
};

TEST(StyleCommandTable, FixedColourAndDialogCommands)
{
    for (const DeclarationCase& c : declarationCases) {
        SCOPED_TRACE(c.item);
        const ink::StyleCommand* found = nullptr;
        for (const ink::StyleCommand& command : ink::styleCommands())
            if (QByteArray(command.menuItem) == c.item)
                found = &command;
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->kind, c.kind);
        EXPECT_STREQ(found->text, c.text);
    }
    EXPECT_EQ(ink::styleCommands().size(), 26u);
}

}
