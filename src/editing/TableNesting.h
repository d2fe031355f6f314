#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace ink {

// The selected text of the Table menu's Code-view commands with every table
// that lies inside the selected rows and cells set aside. The commands cut
// the text at "<TR>", "<TD" and their end tags; a table inside a cell has
// those too, and cutting there would move the inner table's cells into the
// outer rows. Each nested table (from its "<TABLE" to its "</TABLE>", any
// case) stands as one placeholder character in outerText() while a command
// rebuilds the text, and restore() puts it back.
//
// The selection's own table is the shallowest one whose row or cell tags it
// holds: selecting a whole table with its "<TABLE>" tag still works on that
// table's rows.
class NestedTables {
public:
    // Nothing when the selection starts or ends inside a nested table: the
    // commands cannot tell its rows from the outer ones.
    static std::optional<NestedTables> setAside(const QString& selected);

    const QString& outerText() const { return outer_; }
    // `rebuilt` (built from outerText()) with the nested tables in place of
    // their placeholders. A command may drop a placeholder with the row or
    // cell that held it; nothing when one came out twice.
    std::optional<QString> restore(const QString& rebuilt) const;

private:
    QString outer_;
    QStringList tables_;
};

}
