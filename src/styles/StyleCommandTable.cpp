#include "styles/StyleCommandTable.h"

#include "projects/PathHelpers.h"

#include <QDir>

namespace ink {

const std::vector<StyleCommand>& styleCommands()
{
    // The numbers and "image.jpg" are placeholders for the user to type over;
    // no unit is added.
    static const std::vector<StyleCommand> commands = {
        {"bordercolor", StyleCommand::Colour, "border-color:"},
        {"borderwidth", StyleCommand::Fixed, "border-width:1"},
        {"borderstyle", StyleCommand::Dialog, "frmborderstyle"},
        {"float", StyleCommand::Dialog, "frmfloat"},
        {"styleboxmargin", StyleCommand::Fixed, "margin:1"},
        {"styleboxpadding", StyleCommand::Fixed, "padding:1"},
        {"stylecolorsbackgroundattachement", StyleCommand::Dialog, "frmbackgroundattachment"},
        {"stylecolorsbackgroundcolor", StyleCommand::Dialog, "frmbackgroundcolor"},
        {"stylecolorsbackgroundimage", StyleCommand::Fixed, "background-image:image.jpg"},
        {"stylecolorsbackgroundrepeat", StyleCommand::Dialog, "frmbackgroundrepeat"},
        {"stylecolorscolor", StyleCommand::Colour, "color:"},
        {"stylefontsfontfamily", StyleCommand::Dialog, "frmfontsfamily"},
        {"styleboxfontsfontsize", StyleCommand::Dialog, "frmfontsize"},
        {"styleboxfontsfontstyle", StyleCommand::Fixed, "font-style:italic"},
        {"styleboxfontsfontvariant", StyleCommand::Fixed, "font-variant:small-caps"},
        {"styleboxfontsfontweight", StyleCommand::Dialog, "frmfontweight"},
        {"cursor", StyleCommand::Dialog, "frmcursor"},
        {"stylespecialliststyleimage", StyleCommand::Fixed, "list-style-image:image.jpg"},
        {"stylespecialliststyletype", StyleCommand::Dialog, "frmliststyletype"},
        {"styletextletterspacing", StyleCommand::Fixed, "letter-spacing:5"},
        {"styletextlineheight", StyleCommand::Fixed, "line-height:5"},
        {"styletexttextalign", StyleCommand::Dialog, "frmtextalign"},
        {"styletexttextdecoration", StyleCommand::Dialog, "frmtextdecoration"},
        {"styletexttextindent", StyleCommand::Dialog, "frmtextindent"},
        {"styletexttexttransform", StyleCommand::Dialog, "frmtexttransform"},
        {"styletextverticalalign", StyleCommand::Dialog, "frmVerticalAlign"},
    };
    return commands;
}

QString styleBlockText()
{
    return QStringLiteral("<style>\r\n<!--\r\n\r\n-->\r\n</style>");
}

QString styleSheetPath(const QString& chosen)
{
    const QString name = fileNameOfPath(chosen);
    // A leading dot alone (".htaccess") is part of the name, not an extension.
    if (name.isEmpty() || name.lastIndexOf(QLatin1Char('.')) > 0)
        return chosen;
    return chosen + QStringLiteral(".css");
}

namespace {

// A relative file path as a URL path: the characters that would end the path
// or change its meaning ("#", "?", "%", blanks, quotes, brackets, ...) are
// percent-encoded; letters of any language stay as they are.
QString urlPath(const QString& path)
{
    static const QByteArray special = QByteArrayLiteral(" \"#%&'<>?[\\]^`{|}");
    QString url;
    for (const QChar c : path) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x7f || (u < 0x80 && special.contains(char(u))))
            url += QLatin1Char('%') + QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            url += c;
    }
    return url;
}

} // namespace

QString styleSheetLink(const QString& writtenPath, const QString& pageFolder)
{
    const QString relative = pageFolder.isEmpty() ? fileNameOfPath(writtenPath)
                                                  : QDir(pageFolder).relativeFilePath(writtenPath);
    return QStringLiteral("<link rel=\"stylesheet\" type=\"text/css\" href=\"") + urlPath(relative)
        + QStringLiteral("\">");
}

}
