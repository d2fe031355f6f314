#pragma once
#include "editing/widgets/InsertionEngine.h"

#include <QComboBox>
#include <QStringList>
#include <functional>

namespace ink {

// A quick link (`Combo2`) or image (`Combo3`) picker of a Standard strip.
// Its list is rebuilt each time it drops down: "Edit Inner String", a line,
// then the files the host lists. Choosing a file writes an A or IMG element
// at the selection of the active page; the inner string, typed through the
// first entry, is this picker's own extra attribute text.
class QuickPicker : public QComboBox {
    Q_OBJECT
public:
    enum class Kind { Link, Image };

    struct Host {
        // Brings the host's file lists up to date and returns the names to
        // offer (the page folder's files, or its "images" folder's files).
        std::function<QStringList()> files;
        std::function<EditTarget()> target;
    };

    QuickPicker(Kind kind, Host host, QWidget* parent = nullptr);

    QString innerString() const { return inner_; }
    // Runs the choice of an entry by its text, as picking it in the list does.
    void choose(const QString& entry);

    void showPopup() override;

private:
    void rebuildList();
    void editInnerString();
    void insertLink(const QString& file, const EditTarget& target);
    void insertImage(const QString& file, const EditTarget& target);

    Kind kind_;
    Host host_;
    QString inner_;
};

}
