#pragma once
#include <QWidget>
#include <functional>

class QTabWidget;

namespace ink {

class DragBar;
class FolderFileList;
class QuickTableMaker;
class SideTabList;
class SplitterBar;

// The side panel `Picture1` at the main window's right edge: the splitter
// bar `Picture5` along its left edge, the tab container `SSTab1` with the
// colour, font, table, palette and code tool tabs, and the two file lists
// `File1` and `File2` (not shown; the quick pickers read them). The panel
// width is kept in twips and excludes the splitter bar.
class SidePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr double DefaultWidthTwips = 4800;
    static constexpr double SplitterWidthTwips = 90;

    explicit SidePanel(QWidget* parent = nullptr);

    double panelWidthTwips() const { return panelWidth_; }
    // The width the panel starts with when none is stored: wide enough for
    // the five tab captions in full, but never more than 30 % of a screen
    // `screenWidth` pixels wide (the captions are shortened then) and never
    // less than DefaultWidthTwips.
    double startWidthTwips(int screenWidth) const;
    // A negative width is refused; the resize rule keeps at least 75.
    void setPanelWidthTwips(double twips);

    QTabWidget* tabs() const { return tabs_; }
    QWidget* colourArea() const { return colourArea_; } // `Picture3`, tab "Colorcube"
    QuickTableMaker* tableArea() const { return tableArea_; } // `Picture4`, tab "Tablecube"
    // Takes the palette design surface `dragdrop` into tab "Drag 'N' Dropcube";
    // the panel sizes it from then on.
    void setDragDropSurface(QWidget* surface);
    QWidget* dragDropSurface() const { return dragDrop_; }
    SideTabList* fontTabs() const { return fontTabs_; }     // `TabStrip1`
    SideTabList* codeToolTabs() const { return codeTabs_; } // `TabStrip2`
    FolderFileList* pageFiles() const { return pageFiles_; }   // `File1`
    FolderFileList* imageFiles() const { return imageFiles_; } // `File2`
    SplitterBar* splitterBar() const { return splitter_; }
    DragBar* dragBar() const { return dragBar_; }

    // One font tab per name, in order.
    void setFontNames(const QStringList& names);
    // Shows a clip's text as the tool tip of the tab "Paste Clip <slot>".
    void setClipToolTip(int slot, const QString& text);
    // Makes a tab of `SSTab1` available or not (the timer's view rule).
    void setTabAvailable(int tab, bool available);

    // The timer's step: inner widths when the panel is wide enough, then the
    // resize rules.
    void updateLayout();
    // The resize rules: tab container and inner heights, minimum width.
    void applyResizeRules();

    // Height in twips of the tool strips above the document area, used to
    // place the drag bar. By default the visible strips `b` and `CoolBar2`
    // of this panel's window are measured.
    void setStripHeightProvider(std::function<double()> provider);
    bool isDraggingSplitter() const { return dragging_; }

signals:
    void fontTabClicked(const QString& caption);
    void codeToolTabClicked(const QString& caption);
    void panelWidthChanged(double twips);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildTabs();
    void splitterPressed(double x);
    void splitterMoved(double x);
    void splitterReleased(double x);
    double stripHeightTwips() const;
    void applyWidth();
    void placeInPage(QWidget* w, double widthTwips, double heightTwips);

    double panelWidth_ = DefaultWidthTwips;
    bool dragging_ = false;
    std::function<double()> stripHeight_;

    SplitterBar* splitter_;
    DragBar* dragBar_;
    QTabWidget* tabs_ = nullptr;
    QWidget* colourArea_ = nullptr;
    QuickTableMaker* tableArea_ = nullptr;
    QWidget* dragDropPage_ = nullptr;
    QWidget* dragDrop_ = nullptr;
    SideTabList* fontTabs_ = nullptr;
    SideTabList* codeTabs_ = nullptr;
    FolderFileList* pageFiles_;
    FolderFileList* imageFiles_;
    // Inner widths in twips, kept while the panel is 700 or narrower.
    double tabsWidth_ = 0, fontTabsWidth_ = 0, dragDropWidth_ = 0, colourWidth_ = 0, tableWidth_ = 0;
};

}
