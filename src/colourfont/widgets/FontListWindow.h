#pragma once
#include <QPointer>
#include <QWidget>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace ink {

// Tells whoever shows font lists that the font list file has been saved:
// the main window refreshes its font combos and rebuilds its font tabs.
class FontListNotifier : public QObject {
    Q_OBJECT
public:
    static FontListNotifier& instance();

signals:
    void fontListSaved();
};

// The font list window (frmFontList, "Font List"): the favourite font names
// as an editable text, a list of the system's fonts to insert from, OK and
// Cancel. It keeps the main window usable while it is open.
class FontListWindow : public QWidget {
    Q_OBJECT
public:
    explicit FontListWindow(QWidget* owner = nullptr);

    // Shows the one font list window, creating it when none is open; it is
    // owned by the registered main window, else by `owner`.
    static FontListWindow* showSingle(QWidget* owner);
    // The window that this one keeps enabled and that owns it.
    static void setMainWindow(QWidget* mainWindow);

    QComboBox* fontChoice() const { return combo1_; }
    QPlainTextEdit* text() const { return text1_; }

    // Writes the text to the font list file and closes; the window stays
    // open when the file cannot be written.
    void accept();

signals:
    void fontListSaved();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void insertFont(int index);
    static void enableMainWindow();

    QComboBox* combo1_;
    QPlainTextEdit* text1_;
    QPushButton* command1_;
    QPushButton* command2_;
};

}
