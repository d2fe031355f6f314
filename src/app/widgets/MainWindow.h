#pragma once
#include "app/DockingSwitches.h"
#include "base/DocumentTable.h"
#include "base/SettingsFiles.h"
#include "app/widgets/MenuBuilder.h"
#include "app/widgets/FloatingToolWindow.h"
#include "app/widgets/ToolStrip.h"
#include "codetools/ClipRing.h"
#include "styles/StyleRule.h"
#include "document/widgets/DocumentHost.h"
#include "dialogs/widgets/InsertDialog.h"
#include "editing/widgets/InsertionEngine.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSlider;
class QComboBox;
class QTimer;

namespace ink {

class DesignSurface;
class DocumentFiles;
class ColorComboControl;
class DocumentWindow;
class ColorComboControl;
class ColourPanel;
class FontComboControl;
class InversePropertyWindows;
struct CaretFormatting;
class SidePanel;
class WaitDisplay;
class ToolStrip;
class Wizard;

// The main window (MDIForm1): a frame of document windows with the menus,
// the tool strips, the side panel and the status bar. It owns the document
// table; every command finds its page through the active slot.
class MainWindow : public QMainWindow, public DocumentHost {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // The load sequence: settings, placement, side panel, and the page named
    // on the command line (optionally in double quotes).
    void startUp(const QString& commandLine);

    // DocumentHost
    DocumentTable& documents() override { return table_; }
    ShellFlags& shellFlags() override { return flags_; }
    QWidget* mainWindow() override { return this; }
    DocumentWindow* createDocumentWindow(bool loadTemplate = true,
                                         const OpenedPage* opened = nullptr) override;
    DocumentWindow* activeWindow() override;
    // The window the next new or opened page will take, made ahead while
    // the program was idle; null when there is none yet.
    DocumentWindow* windowMadeAhead() const;
    DocumentWindow* documentWindow(int slot) override { return window(slot); }
    void showFolder(const QString& folder) override;
    void refreshFolderLists() override;
    void focusMainWindow() override;
    void setOutdentButtonEnabled(bool enabled) override;
    void popUpEditMenu(const QPoint& globalPos) override;
    void popUpDesignMenu(const QPoint& globalPos) override;
    void designDisplayChanged() override;
    void followCaretWhenIdle();

    DocumentWindow* window(int slot) const;
    QMdiArea* mdiArea() const { return mdi_; }
    DocumentFiles& files() { return *files_; }
    SidePanel* sidePanel() const { return panel_; }
    ToolStrip* standardStrip() const { return stripB_; }
    ToolStrip* formattingStrip() const { return stripFormatting_; }
    // The Formatting strip's colour combo `ColorComboControl1`.
    ColorComboControl* colourCombo() const { return colourCombo_; }
    // The palette on the side panel's "Colorcube" page.
    ColourPanel* colourPanel() const { return colourPanel_; }
    // The floating tool bar windows (`frmStandard`, `frmFormatting`); null
    // until first used.
    FloatingToolWindow* floatingStandard() const { return floatingStandard_; }
    FloatingToolWindow* floatingFormatting() const { return floatingFormatting_; }
    const ClipRing& clipRing() const { return clipRing_; }
    // The New Project window while it is open.
    Wizard* projectWizard() const;
    QString statusFolder() const;
    // The action of a menu item by its name ("new", "bold", ...).
    QAction* action(const QString& name) const { return menus_.action(name); }
    QMenu* menu(const QString& name) const { return menus_.menu(name); }
    // Runs the command of a menu item by its name, as a click on it does.
    void runCommand(const QString& name);
    // Runs the command of a tool bar button.
    void runToolButton(const QString& toolbar, const QString& key);
    // The active page as the editing commands see it.
    EditTarget editTarget();
    void focusActiveDocument();
    // What the insert dialogs read the active page through.
    InsertDialogHost dialogHost();
    // Runs the 100 ms timer's work once.
    void periodicUpdate();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction.
    void buildStrips();
    StripWidgetFactories stripFactories();
    void buildSidePanel();
    void loadPalette();
    void connectFontControls(ToolStrip* strip);
    void connectColourTools();
    void registerCommands();
    void registerEditCommands();
    void registerWindowCommands();
    void registerDesignMenuCommands();
    void registerTableCommands();
    void makeQuickTable();
    void openTableDialog();
    void registerDialogCommands();
    // Feeds the Inverse Property windows from a new document window.
    void connectInverseProperty(DocumentWindow* doc);
    void registerStyleCommands();

    // Settings and placement.
    void applyMenuChecksAndStrips();
    void applyBands();
    void collectSettings();
    void placeDefault();
    void applyPlacement();
    void loadFontTabs();

    // Commands.
    void cut(bool keepInClipRing = true);
    void copy(bool keepInClipRing = true);
    void paste();
    void undo();
    void selectAll();
    void find();
    void replace();
    void storeClip(const QString& text);
    void codeToolTab(const QString& caption);
    void openProjectWizard();
    void dockingClicked(const QString& name);
    void applyDocking(bool standard, const DockingOutcome& outcome);
    FloatingToolWindow* loadFloating(bool standard);
    void copyFormattingChoices(ToolStrip* from, ToolStrip* to);
    void runFloatingButton(bool standard, const QString& toolbar, const QString& key);
    void runFloatingFormattingButton(const QString& key);
    void floatingColourPicked(ColorComboControl* combo);
    // Formatting controls following the caret of the Design view.
    // Asks the active page for the caret's formatting without waiting and
    // shows it when the answer comes; false when there is nothing to ask.
    bool followCaret();
    void caretFollowed();
    void showCaretState(const QStringList& state);
    void showCaretFormatting(ToolStrip* strip, const CaretFormatting& formatting);
    void arrange(const QString& how);
    void setSliderRange(const QString& key);
    void showAbout();
    void openHelp(const QString& anchor);
    void styleOptionClicked(StyleOption option);
    void showStyleMarks();

    void holdEarlyInput(DocumentWindow* doc);
    void prepareNextWindow();
    DocumentWindow* takeNextWindow(int slot);
    void onSubWindowActivated(QMdiSubWindow* sub);
    void documentClosed(QMdiSubWindow* sub);
    void reapClosedWindows();
    void onDocumentActive(int slot);

    DocumentTable table_;
    ShellFlags flags_;
    std::array<QPointer<DocumentWindow>, DocumentTable::MaxSlot + 1> windows_{};
    MainWindowSettings settings_;
    ClipRing clipRing_;
    DockingSwitches standardDocking_;
    DockingSwitches formattingDocking_;
    // The Style > Options check marks; the menu shows them.
    StyleOptions styleMarks_;
    BuiltMenus menus_;
    QMdiArea* mdi_ = nullptr;
    QLabel* folderPanel_ = nullptr;
    std::unique_ptr<WaitDisplay> waitDisplay_;
    QTimer* timer_ = nullptr;
    DocumentFiles* files_ = nullptr;
    SidePanel* panel_ = nullptr;
    ToolStrip* stripB_ = nullptr;
    ToolStrip* stripFormatting_ = nullptr;
    DesignSurface* dragdrop_ = nullptr;
    class IdleReserve* reserve_ = nullptr;
    // The next document window, made ahead while the program was idle.
    QPointer<DocumentWindow> nextWindow_;
    // Keys typed into the newest new page before it is ready to take them.
    QPointer<class EarlyInputHold> inputHold_;
    FontComboControl* fontCombo_ = nullptr;
    ColorComboControl* colourCombo_ = nullptr;
    ColourPanel* colourPanel_ = nullptr;
    QComboBox* sizeCombo_ = nullptr;
    QSlider* sizeSlider_ = nullptr;
    QPointer<FloatingToolWindow> floatingStandard_;
    QPointer<FloatingToolWindow> floatingFormatting_;
    bool caretUpdateQueued_ = false;
    bool followingCaret_ = false;
    bool caretChangedMeanwhile_ = false;
    QHash<QString, std::function<void()>> commands_;
    InversePropertyWindows* inverse_ = nullptr;
    QPointer<Wizard> wizard_;
    // Closed document windows wait here until no handler is inside an event wait.
    QList<QPointer<QMdiSubWindow>> closedWindows_;
    QTimer* reaper_ = nullptr;
};

}
