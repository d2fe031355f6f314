#include "app/widgets/SidePanel.h"

#include "app/SplitterRules.h"
#include "base/Twips.h"
#include "app/widgets/FolderFileList.h"
#include "app/widgets/SideTabList.h"
#include "app/widgets/SplitterBar.h"
#include "codetools/ClipRing.h"
#include "editing/widgets/QuickTableMaker.h"

#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

namespace ink {

namespace {

// A page of the tab container holding one widget whose size the panel's
// rules decide. A QTabWidget page is shorter than the tab container by its
// tab row, so the ruled size is capped by the page, and the widget is
// centred across it.
class RuledPage : public QWidget {
public:
    explicit RuledPage(QWidget* parent = nullptr) : QWidget(parent) {}

    void setContent(QWidget* content)
    {
        content_ = content;
        content_->setParent(this);
        content_->show();
        relayout();
    }
    // Sizes in twips; a negative size fills the page.
    void setRuledSize(double width, double height)
    {
        width_ = width;
        height_ = height;
        relayout();
    }
    void setRuledWidth(double width) { setRuledSize(width, height_); }
    void setRuledHeight(double height) { setRuledSize(width_, height); }

protected:
    void resizeEvent(QResizeEvent*) override { relayout(); }

private:
    void relayout()
    {
        if (!content_)
            return;
        const int w = width_ < 0 ? width() : std::min(twipsToPixels(width_), width());
        const int h = height_ < 0 ? height() : std::min(twipsToPixels(height_), height());
        content_->setGeometry((width() - w) / 2, 0, std::max(w, 0), std::max(h, 0));
    }

    QWidget* content_ = nullptr;
    double width_ = -1;
    double height_ = -1;
};

RuledPage* ruledPage(QWidget* page)
{
    return static_cast<RuledPage*>(page);
}

// Offsets of the tab container inside the panel: the rules leave 200 twips
// of the width and 100 of the height around it.
constexpr double TabsLeft = 100;
constexpr double TabsTop = 50;

}

SidePanel::SidePanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("Picture1");
    setAccessibleName("Side panel");

    splitter_ = new SplitterBar(this);
    connect(splitter_, &SplitterBar::pressed, this, &SidePanel::splitterPressed);
    connect(splitter_, &SplitterBar::moved, this, &SidePanel::splitterMoved);
    connect(splitter_, &SplitterBar::released, this, &SidePanel::splitterReleased);
    dragBar_ = new DragBar(this);

    buildTabs();

    pageFiles_ = new FolderFileList(this);
    pageFiles_->setObjectName("File1");
    pageFiles_->setAccessibleName("Page files");
    pageFiles_->hide();
    imageFiles_ = new FolderFileList(this);
    imageFiles_->setObjectName("File2");
    imageFiles_->setAccessibleName("Image files");
    imageFiles_->hide();

    setMinimumHeight(200);
    applyWidth();
    updateLayout();
}

void SidePanel::buildTabs()
{
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("SSTab1");
    tabs_->setAccessibleName("Side panel tabs");
    // All five tabs stay in sight: a panel too narrow for their captions
    // shortens them, and each tab's tool tip gives its caption in full.
    tabs_->setUsesScrollButtons(false);
    tabs_->setElideMode(Qt::ElideRight);
    tabs_->tabBar()->setExpanding(false);

    auto addPage = [this](const QString& caption, QWidget* content) {
        auto* page = new RuledPage;
        page->setAccessibleName(caption);
        page->setContent(content);
        tabs_->setTabToolTip(tabs_->addTab(page, caption), caption);
        return page;
    };

    colourArea_ = new QWidget;
    colourArea_->setObjectName("Picture3");
    colourArea_->setAccessibleName("Colour boxes");
    addPage("Colorcube", colourArea_);

    fontTabs_ = new SideTabList;
    fontTabs_->setObjectName("TabStrip1");
    fontTabs_->setAccessibleName("Font tabs");
    connect(fontTabs_, &SideTabList::tabClicked, this, &SidePanel::fontTabClicked);
    addPage("Fontcube", fontTabs_);

    tableArea_ = new QuickTableMaker;
    addPage("Tablecube", tableArea_);

    dragDropPage_ = new RuledPage;
    dragDropPage_->setObjectName("dragdropHost");
    dragDropPage_->setAccessibleName("Drag 'N' Dropcube");
    tabs_->setTabToolTip(tabs_->addTab(dragDropPage_, "Drag 'N' Dropcube"), "Drag 'N' Dropcube");

    codeTabs_ = new SideTabList;
    codeTabs_->setObjectName("TabStrip2");
    codeTabs_->setAccessibleName("Code tools");
    QStringList captions, toolTips;
    for (const CodeToolTab& t : ink::codeToolTabs()) {
        captions << t.caption;
        toolTips << t.toolTip;
    }
    codeTabs_->setTabs(captions, toolTips);
    connect(codeTabs_, &SideTabList::tabClicked, this, &SidePanel::codeToolTabClicked);
    addPage("Vurazuredav", codeTabs_);
}

void SidePanel::setDragDropSurface(QWidget* surface)
{
    dragDrop_ = surface;
    if (surface->objectName().isEmpty())
        surface->setObjectName("dragdrop");
    ruledPage(dragDropPage_)->setContent(surface);
    updateLayout();
}

void SidePanel::setFontNames(const QStringList& names)
{
    fontTabs_->setTabs(names);
    // Each font tab shows its name in its own face.
    for (int i = 0; i < fontTabs_->count(); ++i) {
        QFont face = fontTabs_->font();
        face.setFamily(names[i]);
        fontTabs_->item(i)->setFont(face);
    }
}

void SidePanel::setClipToolTip(int slot, const QString& text)
{
    if (QListWidgetItem* tab = codeTabs_->tab(pasteClipCaption(slot)))
        tab->setToolTip(text);
}

void SidePanel::setTabAvailable(int tab, bool available)
{
    if (tab >= 0 && tab < tabs_->count() && tabs_->isTabEnabled(tab) != available)
        tabs_->setTabEnabled(tab, available);
}

void SidePanel::setPanelWidthTwips(double twips)
{
    if (twips < 0)
        return;
    panelWidth_ = twips;
    applyWidth();
    applyResizeRules();
}

double SidePanel::startWidthTwips(int screenWidth) const
{
    // The tab container keeps 200 twips of the panel's width around it.
    const int captions = tabs_->tabBar()->sizeHint().width() + 2 * tabs_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const double wanted = pixelsToTwips(captions) + 200;
    const double largest = pixelsToTwips(screenWidth * 3 / 10);
    return std::max(DefaultWidthTwips, std::min(wanted, largest));
}

void SidePanel::applyWidth()
{
    setFixedWidth(twipsToPixels(SplitterWidthTwips) + twipsToPixels(panelWidth_));
}

void SidePanel::updateLayout()
{
    const panelrules::InnerWidths w = panelrules::innerWidths(panelWidth_);
    tabsWidth_ = w.tabs.value_or(tabsWidth_);
    fontTabsWidth_ = w.fontTabs.value_or(fontTabsWidth_);
    dragDropWidth_ = w.dragDrop.value_or(dragDropWidth_);
    colourWidth_ = w.colourArea.value_or(colourWidth_);
    tableWidth_ = w.tableArea.value_or(tableWidth_);
    applyResizeRules();
}

void SidePanel::applyResizeRules()
{
    const panelrules::PanelHeights h = panelrules::panelHeights(pixelsToTwips(height()));
    // Negative sizes are refused and leave the previous one.
    if (h.tabs >= 0) {
        tabs_->setGeometry(twipsToPixels(SplitterWidthTwips + TabsLeft), twipsToPixels(TabsTop),
                           twipsToPixels(tabsWidth_), twipsToPixels(h.tabs));
    }
    ruledPage(tabs_->widget(0))->setRuledWidth(colourWidth_);
    ruledPage(tabs_->widget(1))->setRuledWidth(fontTabsWidth_);
    ruledPage(tabs_->widget(2))->setRuledWidth(tableWidth_);
    ruledPage(dragDropPage_)->setRuledWidth(dragDropWidth_);
    if (h.fontTabs >= 0)
        ruledPage(tabs_->widget(1))->setRuledHeight(h.fontTabs);
    if (h.dragDrop >= 0)
        ruledPage(dragDropPage_)->setRuledHeight(h.dragDrop);
    if (panelWidth_ < panelrules::MinimumPanelWidth)
        setPanelWidthTwips(panelrules::resizedPanelWidth(panelWidth_));
}

void SidePanel::resizeEvent(QResizeEvent*)
{
    splitter_->setGeometry(0, 0, twipsToPixels(SplitterWidthTwips), height());
    applyResizeRules();
}

void SidePanel::setStripHeightProvider(std::function<double()> provider)
{
    stripHeight_ = std::move(provider);
}

double SidePanel::stripHeightTwips() const
{
    if (stripHeight_)
        return stripHeight_();
    // The strips of this window only, not those of the floating tool bars.
    QWidget* top = window();
    auto measure = [top](const QString& name, bool& shown) {
        for (QWidget* w : top->findChildren<QWidget*>(name)) {
            if (w->window() == top) {
                shown = w->isVisible();
                return pixelsToTwips(w->height());
            }
        }
        shown = false;
        return 0.0;
    };
    bool standardShown = false, formattingShown = false;
    const double standard = measure("b", standardShown);
    const double formatting = measure("CoolBar2", formattingShown);
    return panelrules::stripHeight(standardShown, standard, formattingShown, formatting);
}

void SidePanel::splitterPressed(double x)
{
    dragging_ = true;
    splitterMoved(x);
    dragBar_->show();
}

void SidePanel::splitterMoved(double x)
{
    if (!dragging_)
        return;
    const QRect main = window()->frameGeometry();
    panelrules::DragInputs in;
    in.mainTop = pixelsToTwips(main.top());
    in.mainLeft = pixelsToTwips(main.left());
    in.mainWidth = pixelsToTwips(main.width());
    in.panelWidth = panelWidth_;
    in.panelHeight = pixelsToTwips(height());
    in.splitterWidth = SplitterWidthTwips;
    in.stripHeight = stripHeightTwips();
    const panelrules::DragBarGeometry g = panelrules::dragBarGeometry(in, x);
    dragBar_->place(g.left, g.top, g.height, g.scrollBarHeight);
}

void SidePanel::splitterReleased(double x)
{
    if (!dragging_)
        return;
    const double mainWidth = pixelsToTwips(window()->frameGeometry().width());
    dragBar_->hide();
    dragging_ = false;
    setPanelWidthTwips(panelrules::releasedPanelWidth(panelWidth_, x, mainWidth));
    updateLayout();
    emit panelWidthChanged(panelWidth_);
}

}
