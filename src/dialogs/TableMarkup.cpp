#include "dialogs/TableMarkup.h"

#include "dialogs/TypedValues.h"

#include <algorithm>

namespace ink {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Text the user typed that goes inside a double-quoted attribute value:
// a double quote would end the value early.
QString quoted(const QString& text)
{
    QString escaped = text;
    return QLatin1Char('"') + escaped.replace(QLatin1Char('"'), QStringLiteral("&quot;"))
        + QLatin1Char('"');
}

// " name=" + the length, with "%" when it is a percentage; nothing for an
// empty value or one that is no length (the dialog refuses to insert that).
QString sizeAttribute(const char* name, const QString& value, bool percent)
{
    const std::optional<QString> length = lengthValue({value, percent});
    return length ? QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + *length : QString();
}

QString fontSizeDeclaration(int size)
{
    static const char* const sizes[] = {"8pt", "10pt", "", "14pt", "18pt", "24pt", "36pt"};
    if (size < 1 || size > 7 || size == 3)
        return QString();
    return QStringLiteral(";font-size:") + QLatin1String(sizes[size - 1]);
}

QString escapedInStyle(const QString& text)
{
    QString escaped = text;
    return escaped.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
}

}

QString tableStartMarkup(const TableDialogValues& v)
{
    QString m = QStringLiteral("<TABLE");
    if (!v.background.isEmpty())
        m += QStringLiteral(" background=") + quoted(v.background);
    if (!v.backColour.isEmpty() && v.backColour != v.pageBackColour)
        m += QStringLiteral(" bgcolor=") + v.backColour;
    if (v.borderSize != 0)
        m += QStringLiteral(" border");
    QString style;
    if (!v.borderStyle.isEmpty())
        style += QStringLiteral("border-style:") + v.borderStyle;
    if (v.borderSize != 0)
        style += QStringLiteral(";border-width:") + QString::number(v.borderSize);
    if (!v.borderColour.isEmpty())
        style += QStringLiteral(";border-color:") + v.borderColour;
    if (v.fontName != QLatin1String("Times New Roman"))
        style += QStringLiteral(";font-family:") + v.fontName;
    style += fontSizeDeclaration(v.fontSize);
    if (!v.foreColour.isEmpty())
        style += QStringLiteral(";color:") + v.foreColour;
    m += QStringLiteral(" style=\"") + escapedInStyle(style) + QLatin1Char('"');
    m += sizeAttribute("height", v.height, v.heightPercent);
    m += sizeAttribute("width", v.width, v.widthPercent);
    if (v.cellSpacing != 0)
        m += QStringLiteral(" cellspacing=") + QString::number(v.cellSpacing);
    if (v.cellPadding != 0)
        m += QStringLiteral(" cellpadding=") + QString::number(v.cellPadding);
    return m + QLatin1Char('>') + CrLf;
}

QString tableCellMarkup(const TableDialogValues& v)
{
    QString m = QStringLiteral("<td");
    if (!v.cellBackground.isEmpty())
        m += QStringLiteral(" background=") + quoted(v.cellBackground);
    if (!v.cellBackColour.isEmpty())
        m += QStringLiteral(" bgcolor=") + v.cellBackColour;
    QString style;
    if (!v.cellBorderStyle.isEmpty())
        style += QStringLiteral(" border-style:") + v.cellBorderStyle;
    if (v.cellBorderSize != 0)
        style += QStringLiteral(";border-width:") + QString::number(v.cellBorderSize);
    if (!v.cellBorderColour.isEmpty())
        style += QStringLiteral(";border-color:") + v.cellBorderColour;
    m += QStringLiteral(" style=\"") + escapedInStyle(style) + QLatin1Char('"');
    m += sizeAttribute("height", v.cellHeight, v.cellHeightPercent);
    m += sizeAttribute("width", v.cellWidth, v.cellWidthPercent);
    static const char* const aligns[] = {"left", "center", "right"};
    static const char* const valigns[] = {"top", "middle", "bottom"};
    m += QStringLiteral(" align=") + QLatin1String(aligns[static_cast<int>(v.align)]);
    m += QStringLiteral(" valign=") + QLatin1String(valigns[static_cast<int>(v.valign)]);
    return m + QStringLiteral(">&nbsp;</td>");
}

QString tableDialogMarkup(const TableDialogValues& v)
{
    const QString row = QStringLiteral("<TR>") + tableCellMarkup(v).repeated(std::max(v.columns, 0))
        + QStringLiteral("</TR>");
    return tableStartMarkup(v) + (row + CrLf).repeated(std::max(v.rows, 0)) + CrLf
        + QStringLiteral("</TABLE>");
}

QString tableDialogPreviewText(const TableDialogValues& v, const QString& markup)
{
    return QStringLiteral("<html><body bgcolor=") + v.pageBackColour + QLatin1Char('>') + markup
        + QStringLiteral("</body></html>");
}

}
