#include "styles/CssDialogTable.h"

#include <QRegularExpression>

namespace ink {

namespace {

std::vector<CssChoiceDialog> buildChoiceDialogs()
{
    return {
        {"frmborderstyle", "Border Style",
         {{"Option8", "None", "border:none"},
          {"Option9", "Dotted", "border:dotted"},
          {"Option1", "Solid", "border:solid"},
          {"Option2", "Double", "border:double"},
          {"Option3", "Groove", "border:groove"},
          {"Option4", "Ridge", "border:ridge"},
          {"Option5", "Inset", "border:inset"},
          {"Option6", "Outset", "border:outset"}}},
        {"frmfloat", "Float", {{"Option1", "Left", "float:left"}, {"Option2", "Right", "float:right"}}},
        {"frmbackgroundattachment", "Background Attachment",
         {{"Option1", "Scroll", "background-attachment:scroll"},
          {"Option2", "Fixed", "background-attachment:fixed"}}},
        {"frmbackgroundcolor", "Background Color",
         {{"Option1", "Insert Color", "background-color:", true},
          {"Option2", "Transparent", "background-color:transparent"}}},
        {"frmbackgroundrepeat", "Background Repeat",
         {{"Option1", "Repeat", "background-repeat:repeat"},
          {"Option2", "Repeat X", "background-repeat:repeat-x"},
          {"Option3", "Repeat Y", "background-repeat:repeat-y"},
          {"Option4", "No Repeat", "background-repeat:no-repeat"}}},
        {"frmfontsfamily", "Font Family",
         {{"Option1", "Serif", "font-family:serif"},
          {"Option2", "Sans Serif", "font-family:sans-serif"},
          {"Option3", "Cursive", "font-family:cursive"},
          {"Option4", "Fantasy", "font-family:fantasy"},
          {"Option5", "Monospace", "font-family:monospace"}}},
        {"frmfontweight", "Font Weight",
         {{"Option1", "Bold", "font-weight:bold"},
          {"Option2", "Bolder", "font-weight:bolder"},
          {"Option3", "Lighter", "font-weight:lighter"}}},
        {"frmcursor", "Cursor",
         {{"Option1", "Crosshair", "cursor:crosshair"},
          {"Option2", "Hand", "cursor:hand"},
          {"Option3", "Move", "cursor:move"},
          {"Option4", "E Resize", "cursor:e-resize"},
          {"Option5", "NE Resize", "cursor:ne-resize"},
          {"Option6", "NW Resize", "cursor:nw-resize"},
          {"Option7", "N Resize", "cursor:n-resize"},
          {"Option8", "SE Resize", "cursor:se-resize"},
          {"Option9", "SW Resize", "cursor:sw-resize"},
          {"Option10", "S Resize", "cursor:s-resize"},
          {"Option11", "W Resize", "cursor:w-resize"},
          {"Option12", "Text", "cursor:text"},
          {"Option13", "Wait", "cursor:wait"},
          {"Option14", "Help", "cursor:help"}}},
        {"frmliststyletype", "List Style Type",
         {{"Option1", "Disc", "list-style-type:disc"},
          {"Option2", "Circle", "list-style-type:circle"},
          {"Option3", "Square", "list-style-type:square"},
          {"Option4", "Decimal", "list-style-type:decimal"},
          {"Option5", "Lower Roman", "list-style-type:lower-roman"},
          {"Option6", "Upper Roman", "list-style-type:upper-roman"},
          {"Option7", "Lower Alpha", "list-style-type:lower-alpha"},
          {"Option8", "Upper Alpha", "list-style-type:upper-alpha"}}},
        {"frmtextalign", "Text Align",
         {{"Option1", "Left", "text-align:left"},
          {"Option2", "Right", "text-align:right"},
          {"Option3", "Center", "text-align:center"},
          {"Option4", "Justify", "text-align:justify"}}},
        {"frmtextdecoration", "Text Decoration",
         {{"Option1", "Underline", "text-decoration:underline"},
          {"Option2", "Overline", "text-decoration:overline"},
          {"Option3", "Line Through", "text-decoration:line-through"}}},
        {"frmtexttransform", "Text Transform",
         {{"Option1", "Capitalize", "text-transform:capitalize"},
          {"Option2", "Uppercase", "text-transform:uppercase"},
          {"Option3", "Lowercase", "text-transform:lowercase"}}},
        {"frmVerticalAlign", "Vertical Align",
         {{"Option1", "Baseline", "vertical-align:baseline"},
          {"Option2", "Sub", "vertical-align:sub"},
          {"Option3", "Super", "vertical-align:super"},
          {"Option4", "Top", "vertical-align:top"},
          {"Option5", "Text Top", "vertical-align:text-top"},
          {"Option6", "Middle", "vertical-align:middle"},
          {"Option7", "Bottom", "vertical-align:bottom"},
          {"Option8", "Text Bottom", "vertical-align:text-bottom"}}},
    };
}

std::vector<CssValueDialog> buildValueDialogs()
{
    return {
        {"frmfontsize", "Font Size",
         {{"Option1", "Point Size", "Text1", "font-size:", "pt", CssValueKind::Number},
          {"Option2", "Pixel Size", "Text2", "font-size:", "px", CssValueKind::Number}}},
        {"frmtextindent", "Text Indent",
         {{"Option1", "Value", "Text1", "text-indent:", "", CssValueKind::Length},
          {"Option2", "Percent", "Text2", "text-indent:", "%", CssValueKind::SignedNumber}}},
    };
}

template <typename Dialog>
const Dialog* findByName(const std::vector<Dialog>& dialogs, const QString& name)
{
    for (const Dialog& d : dialogs)
        if (name == QLatin1String(d.name))
            return &d;
    return nullptr;
}

const QRegularExpression& patternFor(CssValueKind kind)
{
    static const QRegularExpression number(QStringLiteral("^(\\d+(\\.\\d*)?|\\.\\d+)$"));
    static const QRegularExpression signedNumber(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    static const QRegularExpression length(
        QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([A-Za-z]{1,4}|%)?$"));
    switch (kind) {
    case CssValueKind::Number: return number;
    case CssValueKind::SignedNumber: return signedNumber;
    case CssValueKind::Length: break;
    }
    return length;
}

QString problemText(const CssValueChoice& choice)
{
    const QString caption = QString::fromLatin1(choice.caption);
    switch (choice.kind) {
    case CssValueKind::Number:
        return QStringLiteral("Type a number for %1, for example 12.").arg(caption);
    case CssValueKind::SignedNumber:
        return QStringLiteral("Type a number for %1, for example 10.").arg(caption);
    case CssValueKind::Length:
        break;
    }
    return QStringLiteral("Type a number for %1, with or without a unit, for example 2em.").arg(caption);
}

}

const std::vector<CssChoiceDialog>& cssChoiceDialogs()
{
    static const std::vector<CssChoiceDialog> dialogs = buildChoiceDialogs();
    return dialogs;
}

const CssChoiceDialog* cssChoiceDialog(const QString& name)
{
    return findByName(cssChoiceDialogs(), name);
}

const std::vector<CssValueDialog>& cssValueDialogs()
{
    static const std::vector<CssValueDialog> dialogs = buildValueDialogs();
    return dialogs;
}

const CssValueDialog* cssValueDialog(const QString& name)
{
    return findByName(cssValueDialogs(), name);
}

std::optional<QString> cssValueDeclaration(const CssValueChoice& choice, const QString& typed,
                                           QString* problem)
{
    const QString value = typed.trimmed();
    if (!patternFor(choice.kind).match(value).hasMatch()) {
        if (problem)
            *problem = problemText(choice);
        return std::nullopt;
    }
    return QString::fromLatin1(choice.prefix) + value + QString::fromLatin1(choice.suffix);
}

}
