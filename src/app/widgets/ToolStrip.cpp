#include "app/widgets/ToolStrip.h"

#include "app/widgets/ToolIcons.h"
#include "colourfont/widgets/FontComboControl.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHash>
#include <QMenu>
#include <QSlider>
#include <QToolButton>

namespace ink {

namespace {

// The character style buttons show their label in their own style.
void styleLabel(QToolButton* button, const QString& key)
{
    QFont font = button->font();
    font.setBold(key == "bold");
    font.setItalic(key == "italic");
    font.setUnderline(key == "underline");
    button->setFont(font);
}

QString readableName(const QString& name)
{
    static const QHash<QString, QString> names = {
        {"FontComboControl1", "Font"}, {"ColorComboControl1", "Colour"}, {"Combo2", "Quick Link"}, {"Combo3", "Quick Image"}};
    return names.value(name, name);
}

QComboBox* placeholderCombo(const QString& name, int width, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setAccessibleName(readableName(name));
    combo->setToolTip(readableName(name));
    combo->setMinimumWidth(width);
    return combo;
}

QComboBox* makeSizeCombo(QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName("Combo1");
    combo->setAccessibleName("Font Size");
    combo->setToolTip("Font Size");
    combo->setEditable(true);
    combo->addItems({"1", "2", "3", "4", "5", "6", "7"});
    combo->setCurrentIndex(2); // mirrors the slider's starting value
    combo->setMinimumContentsLength(3);
    return combo;
}

QSlider* makeSizeSlider(QWidget* parent)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName("Slider1");
    slider->setAccessibleName("Font Size Slider");
    slider->setToolTip("Font Size");
    slider->setRange(1, 7);
    slider->setValue(3);
    slider->setFixedWidth(110);
    slider->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return slider;
}

}

ToolStrip::ToolStrip(const ToolStripEntry& entry, const ToolDispatcher& dispatch,
                     const StripWidgetFactories& factories, QWidget* parent)
    : QToolBar(parent), dispatch_(dispatch), factories_(factories)
{
    setObjectName(QString::fromLatin1(entry.name));
    setAccessibleName(QString::fromLatin1(entry.name));
    setWindowTitle(QString::fromLatin1(entry.name));
    setMovable(false);
    setFloatable(false);
    for (const ToolBandEntry& e : entry.bands) {
        Band band;
        band.name = QString::fromLatin1(e.name);
        if (!bands_.isEmpty())
            band.separator = addSeparator();
        band.widget = makeBand(e);
        // A band takes the room it needs; the slider would otherwise widen
        // its band across the strip.
        band.widget->setSizePolicy(QSizePolicy::Fixed, band.widget->sizePolicy().verticalPolicy());
        band.action = addWidget(band.widget);
        bands_.push_back(band);
    }
}

QWidget* ToolStrip::makeBand(const ToolBandEntry& entry)
{
    const QString name = QString::fromLatin1(entry.name);
    const bool single = entry.buttons.empty() && entry.widgets.size() == 1 && !*entry.innerToolBar;
    if (single)
        return makeNamedWidget(QString::fromLatin1(entry.widgets.front()), this);

    QToolBar* bar = makeInnerToolBar(name, this);
    addButtons(bar, entry.buttons);
    for (const char* widget : entry.widgets)
        bar->addWidget(makeNamedWidget(QString::fromLatin1(widget), bar));
    if (*entry.innerToolBar) {
        QToolBar* inner = makeInnerToolBar(QString::fromLatin1(entry.innerToolBar), bar);
        addButtons(inner, entry.innerButtons);
        bar->addWidget(inner);
    }
    return bar;
}

QToolBar* ToolStrip::makeInnerToolBar(const QString& name, QWidget* parent)
{
    auto* bar = new QToolBar(parent);
    bar->setObjectName(name);
    bar->setAccessibleName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(iconSize());
    return bar;
}

QWidget* ToolStrip::makeNamedWidget(const QString& name, QWidget* parent)
{
    const auto fromHook = [&](const StripWidgetFactory& hook, int width) -> QWidget* {
        QWidget* w = hook ? hook(parent) : nullptr;
        if (!w)
            return placeholderCombo(name, width, parent);
        w->setObjectName(name);
        if (w->accessibleName().isEmpty())
            w->setAccessibleName(readableName(name));
        return w;
    };
    if (name == "FontComboControl1") {
        QWidget* font = factories_.fontCombo ? factories_.fontCombo(parent) : nullptr;
        if (!font)
            font = new FontComboControl(parent);
        font->setObjectName(name);
        if (font->accessibleName().isEmpty())
            font->setAccessibleName(readableName(name));
        return font;
    }
    if (name == "ColorComboControl1")
        return fromHook(factories_.colorCombo, 120);
    if (name == "Combo2")
        return fromHook(factories_.linkPicker, 130);
    if (name == "Combo3")
        return fromHook(factories_.imagePicker, 130);
    if (name == "Combo1")
        return makeSizeCombo(parent);
    if (name == "Slider1")
        return makeSizeSlider(parent);
    return placeholderCombo(name, 100, parent);
}

void ToolStrip::addButtons(QToolBar* bar, const std::vector<ToolButtonEntry>& buttons)
{
    const QString toolbar = bar->objectName();
    for (const ToolButtonEntry& b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        QAction* action = bar->addAction(toolButtonIcon(toolbar, key), QString::fromUtf8(b.label));
        action->setObjectName(key);
        action->setToolTip(QString::fromUtf8(b.toolTip));
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        button->setObjectName(key);
        button->setAccessibleName(action->toolTip());
        if (action->icon().isNull())
            styleLabel(button, key);
        if (b.dropDown)
            button->setPopupMode(QToolButton::MenuButtonPopup);
        // Style and alignment buttons show the formatting at the caret; a
        // click runs the command and leaves the pressed state to the caret.
        const bool followsCaret = toolbar == "Toolbar4" || toolbar == "Toolbar6";
        action->setCheckable(followsCaret);
        connect(action, &QAction::triggered, this, [this, action, followsCaret, toolbar, key](bool checked) {
            if (followsCaret)
                action->setChecked(!checked);
            if (dispatch_)
                dispatch_(toolbar, key);
        });
    }
    // The size range button is the one drop-down whose menu the strip owns;
    // the list button gets the main window's `droppop` from the caller.
    if (toolbar == "Toolbar7")
        setButtonMenu(toolbar, "range", makeRangeMenu(bar));
}

QMenu* ToolStrip::makeRangeMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName("Toolbar7Menu");
    for (const RangeMenuEntry& item : sliderRangeMenu()) {
        const QString key = QString::fromLatin1(item.key);
        QAction* action = menu->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(key);
        connect(action, &QAction::triggered, this, [this, key] {
            if (dispatch_)
                dispatch_("Toolbar7", key);
        });
    }
    return menu;
}

QString ToolStrip::bandName(int band) const
{
    return band >= 1 && band <= bands_.size() ? bands_[band - 1].name : QString();
}

QWidget* ToolStrip::band(int band) const
{
    return band >= 1 && band <= bands_.size() ? bands_[band - 1].widget : nullptr;
}

// A QToolBar shows and hides its widgets through their actions; hiding the
// widget itself would be undone by the tool bar's layout.
void ToolStrip::setBandVisible(int band, bool visible)
{
    if (band < 1 || band > bands_.size())
        return;
    Band& b = bands_[band - 1];
    b.action->setVisible(visible);
    if (b.separator)
        b.separator->setVisible(visible);
}

bool ToolStrip::isBandVisible(int band) const
{
    return band >= 1 && band <= bands_.size() && bands_[band - 1].action->isVisible();
}

QToolButton* ToolStrip::button(const QString& toolbar, const QString& key) const
{
    auto* bar = findChild<QToolBar*>(toolbar);
    return bar ? bar->findChild<QToolButton*>(key, Qt::FindDirectChildrenOnly) : nullptr;
}

QWidget* ToolStrip::namedWidget(const QString& name) const
{
    return findChild<QWidget*>(name);
}

void ToolStrip::setButtonMenu(const QString& toolbar, const QString& key, QMenu* menu)
{
    if (QToolButton* b = button(toolbar, key)) {
        b->setMenu(menu);
        b->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

void ToolStrip::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    for (int n = 2; n <= bandCount(); ++n) {
        QAction* item = menu.addAction(bandName(n));
        item->setCheckable(true);
        item->setChecked(isBandVisible(n));
        connect(item, &QAction::toggled, this, [this, n](bool on) { setBandVisible(n, on); });
    }
    menu.exec(event->globalPos());
    event->accept();
}

ToolStrip* createStandardStrip(const ToolDispatcher& dispatch, const StripWidgetFactories& factories,
                               QWidget* parent)
{
    return new ToolStrip(standardStrip(), dispatch, factories, parent);
}

ToolStrip* createFormattingStrip(const ToolDispatcher& dispatch,
                                 const StripWidgetFactories& factories, QWidget* parent)
{
    return new ToolStrip(formattingStrip(), dispatch, factories, parent);
}

}
