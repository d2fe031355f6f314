#pragma once
#include <QWidget>

namespace ink {

class ToolStrip;

// A floating tool bar window (`frmStandard`, `frmFormatting`): a small tool
// window owned by the main window (it stays above it and is minimised with
// it) that carries its own instance of a tool strip. Its place and size are
// kept in its settings file; the width follows the user, the height follows
// the strip.
class FloatingToolWindow : public QWidget {
    Q_OBJECT
public:
    // `settingsNumber` names the settings file (3 or 4).
    FloatingToolWindow(const QString& name, const QString& caption, int settingsNumber,
                       QWidget* owner);

    // Takes the strip into the window.
    void setStrip(ToolStrip* strip);
    ToolStrip* strip() const { return strip_; }

    // Puts the window where its settings file says (once, before it is
    // first shown), or near the owner when the file has no place.
    void applyPlacement();
    // Writes the place and size to the settings file.
    void savePlacement() const;

signals:
    // The user closed the window with its close box.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitHeight(int extraTwips);

    ToolStrip* strip_ = nullptr;
    int settingsNumber_;
    bool placed_ = false;
};

}
