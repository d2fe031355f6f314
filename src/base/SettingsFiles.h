#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace ink {

// The four state files under <program folder>/state: one value per line,
// each line ended by CR LF, and one more CR LF after the last value.
namespace settings {

QString path(int number); // state/settingsN.ini under the program folder

// The file's lines (split at CR LF); empty when it cannot be read.
QStringList readLines(const QString& path);
// Writes each value followed by CR LF, then one more CR LF. False on failure.
bool writeLines(const QString& path, const QStringList& values);

// Value forms. Every parser gives nothing for a missing or unconvertible
// text, so that the setting keeps its current value.
std::optional<bool> parseFlag(const QString& text);    // "True"/"False", any case
std::optional<double> parseTwips(const QString& text); // locale number
std::optional<bool> parseCheck(const QString& text);   // "0" / "1"
QString formatFlag(bool value);
QString formatTwips(double twips);
QString formatCheck(bool checked);

// Line `n` of `lines`, or nothing when the file is shorter.
std::optional<QString> line(const QStringList& lines, int n);

} // namespace settings

// settings1.ini: the document windows' "Syntax" and "Details" boxes.
struct DocumentWindowSettings {
    bool syntax = true;
    bool details = true;

    void apply(const QStringList& lines);
    QStringList lines() const;
};

// settings2.ini: the main window. Menu check marks in file order:
// insertbrackets, styleequals, tagapply, classapply, idapply, stdocked,
// stvisible, fodocked, fovisible.
struct MainWindowSettings {
    static constexpr int MenuChecks = 9;
    static constexpr int BandsB = 5;        // bands 2..6 of strip b
    static constexpr int BandsCoolBar = 6;  // bands 2..7 of strip CoolBar2

    std::array<bool, MenuChecks> menuChecks{true, false, true, false, false, true, true, true, true};
    double top = 0, left = 0, width = 0, height = 0; // twips
    double panelWidth = 0;                           // twips
    bool stripBVisible = true;
    bool stripCoolBarVisible = true;
    bool floatingStandardShown = false;
    bool floatingFormattingShown = false;
    std::array<bool, BandsB> bandsB{true, true, true, true, true};
    std::array<bool, BandsCoolBar> bandsCoolBar{true, true, true, true, true, true};

    // The groups the main window applies at different moments of start-up;
    // each value present and convertible replaces the current one.
    void applyMenusPanelAndStrips(const QStringList& lines); // lines 0-8, 13-17
    void applyPlacement(const QStringList& lines);           // lines 9-12
    void applyBands(const QStringList& lines);               // lines 18-28
    QStringList lines() const;
};

// settings3.ini / settings4.ini: a floating tool bar window's placement.
struct FloatingWindowSettings {
    double top = 0, left = 0, width = 0, height = 0; // twips

    void apply(const QStringList& lines);
    QStringList lines() const;
};

}
