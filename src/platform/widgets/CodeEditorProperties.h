#pragma once
#include <QDialog>
#include <QFont>

class QCheckBox;
class QFontComboBox;
class QSpinBox;

namespace ink {

// What the code editor's properties dialog changes.
struct CodeEditorSettings {
    QFont font;
    int tabWidth = 4;
    bool lineNumbers = false;
};

// The code editor's own properties dialog: font, tab width and line
// numbers of the one editor that opened it. Not modal; "OK" and "Apply"
// hand the values to the editor through `applied`.
class CodeEditorProperties : public QDialog {
    Q_OBJECT
public:
    CodeEditorProperties(const CodeEditorSettings& current, QWidget* parent);

    CodeEditorSettings settings() const;

signals:
    void applied(const ink::CodeEditorSettings& settings);

private:
    void build();

    QFont baseFont_;
    QFontComboBox* family_ = nullptr;
    QSpinBox* size_ = nullptr;
    QSpinBox* tabWidth_ = nullptr;
    QCheckBox* lineNumbers_ = nullptr;
};

}
