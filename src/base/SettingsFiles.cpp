#include "base/SettingsFiles.h"

#include "base/ProgramFolder.h"
#include "base/WholeFile.h"

#include <QFile>
#include <QLocale>
#include <cmath>

namespace ink {
namespace settings {

QString path(int number)
{
    return joinPath(programFolder(), QStringLiteral("state/settings%1.ini").arg(number));
}

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The values are plain ASCII; anything else is garbage that the parsers refuse.
    const QString text = QString::fromLatin1(file.read(1 << 20));
    return text.split(QStringLiteral("\r\n"));
}

bool writeLines(const QString& path, const QStringList& values)
{
    QByteArray bytes;
    for (const QString& value : values)
        bytes += value.toLatin1() + "\r\n";
    bytes += "\r\n";
    return replaceFileBytes(path, bytes);
}

std::optional<bool> parseFlag(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

std::optional<double> parseTwips(const QString& text)
{
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<bool> parseCheck(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || (value != 0 && value != 1))
        return std::nullopt;
    return value == 1;
}

QString formatFlag(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString formatTwips(double twips)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(twips, 'g', QLocale::FloatingPointShortest);
}

QString formatCheck(bool checked)
{
    return checked ? QStringLiteral("1") : QStringLiteral("0");
}

std::optional<QString> line(const QStringList& lines, int n)
{
    if (n < 0 || n >= lines.size())
        return std::nullopt;
    return lines[n];
}

} // namespace settings

namespace {

template <typename T, typename Parser>
void applyLine(const QStringList& lines, int n, T& target, Parser parse)
{
    if (const auto text = settings::line(lines, n))
        if (const auto value = parse(*text))
            target = *value;
}

// Lines 16 and 17 count only when they hold exactly "True".
bool exactlyTrue(const QStringList& lines, int n)
{
    const auto text = settings::line(lines, n);
    return text && *text == QLatin1String("True");
}

}

void DocumentWindowSettings::apply(const QStringList& lines)
{
    applyLine(lines, 0, syntax, settings::parseCheck);
    applyLine(lines, 1, details, settings::parseCheck);
}

QStringList DocumentWindowSettings::lines() const
{
    return {settings::formatCheck(syntax), settings::formatCheck(details)};
}

void MainWindowSettings::applyMenusPanelAndStrips(const QStringList& lines)
{
    for (int i = 0; i < MenuChecks; ++i)
        applyLine(lines, i, menuChecks[i], settings::parseFlag);
    applyLine(lines, 13, panelWidth, settings::parseTwips);
    applyLine(lines, 14, stripBVisible, settings::parseFlag);
    applyLine(lines, 15, stripCoolBarVisible, settings::parseFlag);
    floatingStandardShown = exactlyTrue(lines, 16);
    floatingFormattingShown = exactlyTrue(lines, 17);
}

void MainWindowSettings::applyPlacement(const QStringList& lines)
{
    applyLine(lines, 9, top, settings::parseTwips);
    applyLine(lines, 10, left, settings::parseTwips);
    applyLine(lines, 11, width, settings::parseTwips);
    applyLine(lines, 12, height, settings::parseTwips);
}

void MainWindowSettings::applyBands(const QStringList& lines)
{
    for (int i = 0; i < BandsB; ++i)
        applyLine(lines, 18 + i, bandsB[i], settings::parseFlag);
    for (int i = 0; i < BandsCoolBar; ++i)
        applyLine(lines, 23 + i, bandsCoolBar[i], settings::parseFlag);
}

QStringList MainWindowSettings::lines() const
{
    QStringList out;
    for (bool check : menuChecks)
        out << settings::formatFlag(check);
    out << settings::formatTwips(top) << settings::formatTwips(left)
        << settings::formatTwips(width) << settings::formatTwips(height)
        << settings::formatTwips(panelWidth) << settings::formatFlag(stripBVisible)
        << settings::formatFlag(stripCoolBarVisible) << settings::formatFlag(floatingStandardShown)
        << settings::formatFlag(floatingFormattingShown);
    for (bool band : bandsB)
        out << settings::formatFlag(band);
    for (bool band : bandsCoolBar)
        out << settings::formatFlag(band);
    return out;
}

void FloatingWindowSettings::apply(const QStringList& lines)
{
    applyLine(lines, 0, top, settings::parseTwips);
    applyLine(lines, 1, left, settings::parseTwips);
    applyLine(lines, 2, width, settings::parseTwips);
    applyLine(lines, 3, height, settings::parseTwips);
}

QStringList FloatingWindowSettings::lines() const
{
    return {settings::formatTwips(top), settings::formatTwips(left), settings::formatTwips(width),
            settings::formatTwips(height)};
}

}
