#include "editing/TableNesting.h"

#include <QVector>
#include <algorithm>
#include <climits>

namespace ink {

namespace {

// Placeholders come from the private use area; a selection that already
// holds such characters is left to the commands as it is.
constexpr char16_t FirstPlaceholder = 0xE000;
constexpr char16_t LastPlaceholder = 0xF8FF;

bool isPlaceholder(QChar c)
{
    return c.unicode() >= FirstPlaceholder && c.unicode() <= LastPlaceholder;
}

enum class Mark { TableOpen, TableClose, RowOrCell };

struct Found {
    int at;
    int end; // one past the tag's ">" (or the text's end)
    Mark mark;
};

bool tagNameEndsAt(const QString& text, int at)
{
    if (at >= text.size())
        return true;
    const QChar c = text.at(at);
    return c.isSpace() || c == QLatin1Char('>') || c == QLatin1Char('/');
}

int tagEnd(const QString& text, int from)
{
    const int close = text.indexOf(QLatin1Char('>'), from);
    return close < 0 ? text.size() : close + 1;
}

// Table start and end tags in any case, and the exact row and cell tag
// texts the commands cut at, in text order.
QVector<Found> marksIn(const QString& text)
{
    static const QString rowAndCellTags[] = {QStringLiteral("<TR>"), QStringLiteral("</TR>"),
                                             QStringLiteral("<TD"), QStringLiteral("</TD>")};
    QVector<Found> found;
    for (int at = text.indexOf(QLatin1Char('<')); at >= 0; at = text.indexOf(QLatin1Char('<'), at + 1)) {
        const QStringView rest = QStringView(text).mid(at);
        if (rest.startsWith(QLatin1String("<table"), Qt::CaseInsensitive) && tagNameEndsAt(text, at + 6))
            found.push_back({at, tagEnd(text, at), Mark::TableOpen});
        else if (rest.startsWith(QLatin1String("</table"), Qt::CaseInsensitive) && tagNameEndsAt(text, at + 7))
            found.push_back({at, tagEnd(text, at), Mark::TableClose});
        else if (std::any_of(std::begin(rowAndCellTags), std::end(rowAndCellTags),
                             [&](const QString& tag) { return rest.startsWith(tag); }))
            found.push_back({at, at + 1, Mark::RowOrCell});
    }
    return found;
}

} // namespace

std::optional<NestedTables> NestedTables::setAside(const QString& selected)
{
    const QVector<Found> marks = marksIn(selected);
    // The depth of every row or cell tag, counted from the selection's start;
    // the shallowest is the selection's own table.
    int depth = 0;
    int own = INT_MAX;
    for (const Found& m : marks) {
        if (m.mark == Mark::TableOpen)
            ++depth;
        else if (m.mark == Mark::TableClose)
            --depth;
        else
            own = std::min(own, depth);
    }
    NestedTables nested;
    if (own == INT_MAX) {
        nested.outer_ = selected;
        return nested;
    }
    if (own < 0)
        return std::nullopt; // starts inside a table whose rows come later
    depth = 0;
    int kept = 0;
    int tableStart = -1;
    for (const Found& m : marks) {
        if (m.mark == Mark::TableOpen && ++depth == own + 1) {
            tableStart = m.at;
        } else if (m.mark == Mark::TableClose && depth-- == own + 1 && tableStart >= 0) {
            nested.outer_ += selected.mid(kept, tableStart - kept);
            nested.outer_ += QChar(char16_t(FirstPlaceholder + nested.tables_.size()));
            nested.tables_ << selected.mid(tableStart, m.end - tableStart);
            kept = m.end;
            tableStart = -1;
        }
    }
    if (depth > own)
        return std::nullopt; // ends inside a nested table
    if (nested.tables_.isEmpty())
        nested.outer_ = selected;
    else
        nested.outer_ += selected.mid(kept);
    const bool placeholdersFit = nested.tables_.size() <= LastPlaceholder - FirstPlaceholder + 1;
    if (!nested.tables_.isEmpty() && (!placeholdersFit || std::any_of(selected.begin(), selected.end(), isPlaceholder)))
        return std::nullopt;
    return nested;
}

std::optional<QString> NestedTables::restore(const QString& rebuilt) const
{
    if (tables_.isEmpty())
        return rebuilt;
    QString result;
    result.reserve(rebuilt.size());
    QVector<bool> used(tables_.size(), false);
    for (const QChar c : rebuilt) {
        const int index = c.unicode() - FirstPlaceholder;
        if (!isPlaceholder(c) || index >= tables_.size()) {
            result += c;
            continue;
        }
        if (used[index])
            return std::nullopt;
        used[index] = true;
        result += tables_[index];
    }
    return result;
}

}
