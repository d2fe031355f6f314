#pragma once
#include "app/ToolbarTable.h"

#include <QToolBar>
#include <QVector>
#include <functional>

class QMenu;
class QToolButton;

namespace ink {

// Runs the command of a tool bar button: the tool bar's name ("Toolbar1",
// "Toolbar7", ...) and the button's key ("new", "bold"). A key of
// `Toolbar7`'s range menu arrives with the tool bar name "Toolbar7"; a click
// on its button itself arrives as the key "range".
using ToolDispatcher = std::function<void(const QString& toolbar, const QString& key)>;

// Makes a widget that another part of the program provides (font combo,
// colour combo, quick pickers); the widget is created with `parent`.
using StripWidgetFactory = std::function<QWidget*(QWidget* parent)>;

// Hooks for the widgets of the strips that live elsewhere. An empty hook gives
// the font combo `FontComboControl` for the font band and a plain placeholder
// combo with the widget's name for the others.
struct StripWidgetFactories {
    StripWidgetFactory fontCombo;   // `FontComboControl1`
    StripWidgetFactory colorCombo;  // `ColorComboControl1`
    StripWidgetFactory linkPicker;  // `Combo2`
    StripWidgetFactory imagePicker; // `Combo3`
};

// A tool strip (`b` or `CoolBar2`): a row of bands, numbered 1..n in band
// order, each of which can be hidden on its own (right-click the strip for
// the list). A button band is a tool bar named after the band whose buttons
// carry their key as objectName and their tool tip as tool tip and
// accessible name.
class ToolStrip : public QToolBar {
    Q_OBJECT
public:
    ToolStrip(const ToolStripEntry& entry, const ToolDispatcher& dispatch,
              const StripWidgetFactories& factories, QWidget* parent = nullptr);

    int bandCount() const { return bands_.size(); }
    QString bandName(int band) const;
    QWidget* band(int band) const;
    // Band numbers start at 1; numbers out of range are ignored.
    void setBandVisible(int band, bool visible);
    bool isBandVisible(int band) const;

    // The button `key` of the tool bar `toolbar` (keys repeat across bars).
    QToolButton* button(const QString& toolbar, const QString& key) const;
    // A named non-button widget: "FontComboControl1", "Combo1", "Slider1", ...
    QWidget* namedWidget(const QString& name) const;
    // Gives a drop-down button its menu, e.g. the main window's `droppop` for
    // "bullets"; the arrow shows the menu, the button runs its command.
    void setButtonMenu(const QString& toolbar, const QString& key, QMenu* menu);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct Band {
        QString name;
        QWidget* widget = nullptr;
        QAction* action = nullptr;    // the band's place in the strip
        QAction* separator = nullptr; // before every band but the first
    };

    QWidget* makeBand(const ToolBandEntry& entry);
    QWidget* makeNamedWidget(const QString& name, QWidget* parent);
    void addButtons(QToolBar* bar, const std::vector<ToolButtonEntry>& buttons);
    QToolBar* makeInnerToolBar(const QString& name, QWidget* parent);
    QMenu* makeRangeMenu(QWidget* parent);

    ToolDispatcher dispatch_;
    StripWidgetFactories factories_;
    QVector<Band> bands_;
};

// The Standard strip `b` and the Formatting strip `CoolBar2`, as the main
// window and the floating tool bar windows carry them.
ToolStrip* createStandardStrip(const ToolDispatcher& dispatch,
                               const StripWidgetFactories& factories = {},
                               QWidget* parent = nullptr);
ToolStrip* createFormattingStrip(const ToolDispatcher& dispatch,
                                 const StripWidgetFactories& factories = {},
                                 QWidget* parent = nullptr);

}
