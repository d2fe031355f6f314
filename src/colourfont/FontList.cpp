#include "colourfont/FontList.h"

#include "base/ProgramFolder.h"
#include "base/WholeFile.h"
#include "document/PageFile.h"

#include <QFile>

#include <algorithm>

namespace ink {

namespace {

const QString crLf = QStringLiteral("\r\n");

void appendFavourites(QList<FontComboItem>& items, const QStringList& favourites)
{
    for (const QString& name : favourites)
        items.append({FontComboItem::Favourite, name});
}

}

QString fontListPath()
{
    return joinPath(programFolder(), QStringLiteral("fcombo.dll"));
}

QStringList parseFontList(const QString& text)
{
    QStringList pieces = text.split(crLf);
    pieces.removeLast();
    return pieces;
}

QString readFontListText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    PageEncoding encoding = detectPageEncoding(bytes);
    // The file declares nothing; a byte order mark is not part of the names.
    if (encoding.kind == PageEncoding::Windows1252)
        encoding.kind = PageEncoding::Latin1;
    return decodePage(bytes, encoding);
}

QStringList readFontList(const QString& path)
{
    return parseFontList(readFontListText(path));
}

QString fontListFileContent(const QString& boxText)
{
    QString text = boxText;
    text.replace(crLf, QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), crLf);
    if (text.isEmpty() || text.endsWith(crLf))
        return text;
    return text + crLf;
}

bool writeFontList(const QString& path, const QString& boxText, QString* error)
{
    QString reason;
    const bool written = replaceFileBytes(path, fontListFileContent(boxText).toUtf8(), &reason);
    if (!written && error)
        *error = QStringLiteral("The font list \"%1\" could not be saved: %2.").arg(path, reason);
    return written;
}

QString fontComboSeparator()
{
    return QString(123, QLatin1Char('-'));
}

QStringList pageFontNames(const QStringList& families)
{
    QStringList names;
    for (QString family : families) {
        const int foundry = family.indexOf(QLatin1String(" ["));
        if (foundry > 0 && family.endsWith(QLatin1Char(']')))
            family.truncate(foundry);
        if (!names.contains(family))
            names << family;
    }
    return names;
}

QStringList sortedFontNames(QStringList names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int byName = QString::compare(a, b, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a < b;
    });
    return names;
}

FontComboLayout fontComboLayout(const QStringList& favourites, const QStringList& systemFonts)
{
    const FontComboItem editList{FontComboItem::EditList, QStringLiteral("Edit Font List")};
    const FontComboItem separator{FontComboItem::Separator, fontComboSeparator()};
    FontComboLayout layout;
    layout.items = {editList, separator};
    appendFavourites(layout.items, favourites);
    layout.items.append(separator);
    const int firstSystemFont = layout.items.size();
    const QStringList sorted = sortedFontNames(systemFonts);
    for (const QString& name : sorted)
        layout.items.append({FontComboItem::SystemFont, name});
    layout.items.append({separator, editList, separator});
    appendFavourites(layout.items, favourites);
    if (!sorted.isEmpty())
        layout.startIndex = firstSystemFont + std::max(0, int(sorted.indexOf(QStringLiteral("Times New Roman"))));
    return layout;
}

}
