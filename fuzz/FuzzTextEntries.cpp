// Page files as they are opened, and the texts users type into the
// commands, dialogs and settings that become markup.
#include "FuzzEntries.h"
#include "FuzzEntriesList.h"
#include "FuzzInput.h"

#include "base/SettingsFiles.h"
#include "colourfont/ColourCube.h"
#include "colourfont/ColourMarkup.h"
#include "dialogs/InsertMarkup.h"
#include "dialogs/TableMarkup.h"
#include "document/PageFile.h"
#include "document/PageText.h"
#include "editing/TableEdits.h"
#include "styles/CssDialogTable.h"
#include "styles/StyleRule.h"

namespace ink::fuzz {

namespace {

// A page's bytes read as text and written back in the encoding found give
// the same bytes; the title box's text goes into the page.
void pageDecoding(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const QString title = input.text();
    const QByteArray bytes = input.rest();
    looksBinary(bytes);
    declaredCharset(bytes);
    const PageEncoding encoding = detectPageEncoding(bytes);
    const QString text = decodePage(bytes, encoding);
    if (encodePage(text, encoding) != bytes)
        fail("a page's bytes did not survive reading and writing");
    isFramesetPage(text);
    countTitleTags(text);
    // The title box's text never changes the page before the title.
    const TitleEdit edit = replaceTitle(text, title);
    if (edit.outcome == TitleEdit::Replaced) {
        const qsizetype at = text.indexOf(QStringLiteral("<TITLE>"));
        if (at >= 0 && !edit.text.startsWith(text.left(at + 7)))
            fail("a replaced title changed the page before it");
    }
    withFinalLineBreak(text);
}

// The Table menu's commands on any selection.
void tableEdits(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    QuickTable quick;
    quick.columns = input.number(1, 20);
    quick.rows = input.number(1, 20);
    quick.spacing = input.number(0, 20);
    quick.padding = input.number(0, 20);
    quick.border = input.flag();
    quick.fixedWidth = input.flag();
    quickTableMarkup(quick);
    const QString selected = QString::fromUtf8(input.rest());
    insertTableRow(selected);
    deleteTableRow(selected);
    insertTableColumn(selected);
    deleteTableColumn(selected);
    deleteTableCell(selected);
    mergeTableCells(selected);
    splitTableCell(selected);
}

// Any colour cube file: the values read, written and read again stay.
void colourCube(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const CubeReading reading = readCubeContent(input.rest());
    CubeValues values{};
    for (int i = 0; i < CubeLineCount; ++i)
        values[size_t(i)] = reading[size_t(i)].value_or(0);
    const CubeReading again = readCubeContent(cubeFileContent(values));
    for (int i = 0; i < CubeLineCount; ++i) {
        if (again[size_t(i)] != values[size_t(i)])
            fail("a colour cube value changed on writing it");
    }
}

// Any settings file, as readLines splits it, applied to every setting.
void settingsFiles(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const QStringList lines = QString::fromLatin1(input.rest()).split(QStringLiteral("\r\n"));
    DocumentWindowSettings document;
    document.apply(lines);
    MainWindowSettings main;
    main.applyMenusPanelAndStrips(lines);
    main.applyPlacement(lines);
    main.applyBands(lines);
    FloatingWindowSettings floating;
    floating.apply(lines);
    // What was read is written in a form that reads back the same.
    MainWindowSettings again;
    const QStringList written = main.lines();
    again.applyMenusPanelAndStrips(written);
    again.applyPlacement(written);
    again.applyBands(written);
    if (again.lines() != written)
        fail("main window settings changed on writing them");
    for (const QString& line : lines) {
        settings::parseFlag(line);
        settings::parseTwips(line);
        settings::parseCheck(line);
    }
}

Length length(FuzzInput& input)
{
    Length l;
    l.text = input.text();
    l.percentage = input.flag();
    return l;
}

void insertMarkup(FuzzInput& input)
{
    imageMarkup({input.text(), input.text(), input.text(), length(input), length(input),
                 input.number(-1, 100)});
    const HyperlinkFields link{input.text(), input.text(), input.text(), input.text(), input.text()};
    hyperlinkMarkup(link);
    hyperlinkCodeEdit(link);
    const BookmarkFields bookmark{input.text(), input.text()};
    bookmarkCodeEdit(bookmark);
    hyperbuttonMarkup({input.text(), input.text(), input.text(), input.number(-2, 9),
                       input.text(), input.text()});
    MarqueeFields marquee;
    marquee.text = input.text();
    marquee.behaviour = MarqueeBehaviour(input.number(0, 2));
    marquee.directionRight = input.flag();
    marquee.loop = input.number(-1, 100);
    marquee.delay = input.number(0, 100);
    marquee.amount = input.number(0, 100);
    marquee.fontName = input.text();
    marquee.sizeStep = input.number(-2, 9);
    marquee.foreColour = input.text();
    marquee.backColour = input.text();
    marqueeCodeEdit(marquee);
    marqueePreview(marquee, input.text());
    InlineFrameFields frame;
    frame.source = input.text();
    frame.name = input.text();
    frame.border = input.flag();
    frame.scrolling = input.flag();
    frame.align = FrameAlign(input.number(0, 3));
    frame.height = length(input);
    frame.width = length(input);
    inlineFrameMarkup(frame);
    referencedSourcePath(input.text(), input.text());
}

void tableMarkup(FuzzInput& input)
{
    TableDialogValues v;
    v.rows = input.number(0, 30);
    v.columns = input.number(0, 30);
    v.borderSize = input.number(-1, 50);
    v.borderStyle = input.text();
    v.borderColour = input.text();
    v.backColour = input.text();
    v.pageBackColour = input.text();
    v.foreColour = input.text();
    v.fontName = input.text();
    v.fontSize = input.number(0, 8);
    v.height = input.text();
    v.heightPercent = input.flag();
    v.width = input.text();
    v.cellPadding = input.number(-1, 50);
    v.cellSpacing = input.number(-1, 50);
    v.align = TableDialogValues::HAlign(input.number(0, 2));
    v.valign = TableDialogValues::VAlign(input.number(0, 2));
    v.cellBackColour = input.text();
    v.cellBorderStyle = input.text();
    v.cellWidth = input.text();
    v.background = input.text();
    v.cellBackground = input.text();
    tableDialogPreviewText(v, tableDialogMarkup(v));
}

void styleMarkup(FuzzInput& input)
{
    StyleOptions options;
    options.brackets = input.flag();
    options.styleEquals = input.flag();
    options.tagApply = input.flag();
    options.classApply = input.flag();
    options.idApply = input.flag();
    const QString declaration = input.text();
    const QString rule = styleRuleText(options, declaration);
    const RuleSelection selection = styleRuleSelection(options, declaration);
    if (selection.anchor < 0 || selection.caret < 0 || selection.anchor > rule.size()
        || selection.caret > rule.size())
        fail("a style rule's selection lies outside its text");
    for (const CssValueDialog& dialog : cssValueDialogs()) {
        for (const CssValueChoice& choice : dialog.choices)
            cssValueDeclaration(choice, input.text());
    }
    const QString colour = input.text();
    for (int tool = 0; tool <= int(ColourTool::PageBackground); ++tool)
        colourToolCodeText(ColourTool(tool), colour);
    fontColourOpening(colour);
}

// The insert dialogs' fields, the table dialog's values, style rules and
// CSS values as users type them.
void markupBuilders(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    switch (input.number(0, 2)) {
    case 0:
        insertMarkup(input);
        break;
    case 1:
        tableMarkup(input);
        break;
    default:
        styleMarkup(input);
        break;
    }
}

}

void addTextTargets(std::vector<Target>& list)
{
    list.push_back({"page_decoding", pageDecoding});
    list.push_back({"table_edits", tableEdits});
    list.push_back({"colour_cube", colourCube});
    list.push_back({"settings_files", settingsFiles});
    list.push_back({"markup_builders", markupBuilders});
}

}
