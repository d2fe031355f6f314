#include "colourfont/widgets/ColourPanel.h"

#include "base/Twips.h"
#include "colourfont/widgets/ColourBox.h"
#include "colourfont/widgets/ColourCommands.h"
#include "colourfont/widgets/ColourDialog.h"

#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace ink {

namespace {

// Places in twips, as the palette has always been laid out.
constexpr double SwatchSize = 225;
constexpr double PickerAreaSize = 465;
constexpr double CubeBarLeft = 540;

struct SwatchPlace {
    const char* name;
    const char* caption;
    int column;
    int row;
    ColourValue start;
};

// Lime, blue and fuchsia start darker than their names.
constexpr SwatchPlace Swatches[] = {
    {"white", "White", 0, 0, 0xFFFFFF},   {"black", "Black", 1, 0, 0x000000},
    {"silver", "Silver", 0, 1, 0xC0C0C0}, {"gray", "Gray", 1, 1, 0x808080},
    {"red", "Red", 0, 2, 0x0000FF},       {"maroon", "Maroon", 1, 2, 0x000080},
    {"yellow", "Yellow", 0, 3, 0x00FFFF}, {"olive", "Olive", 1, 3, 0x008080},
    {"lime", "Lime", 0, 4, 0x00C000},     {"green", "Green", 1, 4, 0x008000},
    {"aqua", "Aqua", 0, 5, 0xFFFF00},     {"teal", "Teal", 1, 5, 0x808000},
    {"blue", "Blue", 0, 6, 0xC00000},     {"navy", "Navy", 1, 6, 0x800000},
    {"fuchsia", "Fuchsia", 0, 7, 0xC000C0}, {"purple", "Purple", 1, 7, 0x800080},
};

QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void describe(QWidget* w, const QString& text)
{
    w->setToolTip(text);
    w->setAccessibleName(text);
}

}

ColourPanel::ColourPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ColourPanel"));
    setAccessibleName(QStringLiteral("Colour boxes"));
    buildPickers();
    buildSwatches();
    buildCubeBar();
}

void ColourPanel::buildPickers()
{
    auto* background = new ColourBox(QStringLiteral("background"), 0xFFFFFF, this);
    background->setGeometry(twipsRect(0, 0, PickerAreaSize, PickerAreaSize));
    describe(background, QStringLiteral("Page Color"));
    auto* fgpick = new ColourBox(QStringLiteral("fgpick"), 0x000000, background);
    fgpick->setGeometry(twipsRect(60, 60, SwatchSize, SwatchSize));
    describe(fgpick, QStringLiteral("Text Color"));
    auto* bgpick = new ColourBox(QStringLiteral("bgpick"), 0xFFFFFF, background);
    bgpick->setGeometry(twipsRect(180, 180, SwatchSize, SwatchSize));
    describe(bgpick, QStringLiteral("Background Color"));
    const std::pair<ColourBox*, ColourTool> pickers[] = {
        {background, ColourTool::PageBackground},
        {fgpick, ColourTool::TextColour},
        {bgpick, ColourTool::SelectionBackground},
    };
    for (const auto& [picker, tool] : pickers) {
        boxes_.insert(picker->objectName(), picker);
        connect(picker, &ColourBox::pressed, this, [this, picker = picker, tool = tool](Qt::MouseButton b) {
            if (b == Qt::LeftButton)
                pickerClicked(picker, tool);
        });
    }
}

void ColourPanel::buildSwatches()
{
    for (const SwatchPlace& place : Swatches) {
        auto* swatch = new ColourBox(QString::fromLatin1(place.name), place.start, this);
        swatch->setGeometry(twipsRect(place.column * 240, 480 + place.row * 240, SwatchSize, SwatchSize));
        describe(swatch, QString::fromLatin1(place.caption) + QStringLiteral(" swatch"));
        boxes_.insert(swatch->objectName(), swatch);
        connect(swatch, &ColourBox::pressed, this,
                [this, swatch](Qt::MouseButton b) { swatchPressed(swatch, b); });
    }
}

void ColourPanel::buildCubeBar()
{
    cubeBar_ = new QToolBar(this);
    cubeBar_->setObjectName(QStringLiteral("Toolbar5"));
    cubeBar_->setAccessibleName(QStringLiteral("Colorcube"));
    cubeBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* open = cubeBar_->addAction(QStringLiteral("Colorcube"));
    open->setObjectName(QStringLiteral("open"));
    open->setToolTip(QStringLiteral("Colorcube"));
    connect(open, &QAction::triggered, this, [this] { runCubeCommand(QStringLiteral("open")); });
    cubeButton_ = qobject_cast<QToolButton*>(cubeBar_->widgetForAction(open));
    cubeButton_->setObjectName(QStringLiteral("open"));
    cubeButton_->setAccessibleName(QStringLiteral("Colorcube"));

    auto* menu = new QMenu(cubeButton_);
    menu->setObjectName(QStringLiteral("Toolbar5Menu"));
    const std::pair<const char*, const char*> items[] = {{"opencc", "Open Colorcube"},
                                                         {"savecc", "Save Colorcube"}};
    for (const auto& [key, caption] : items) {
        QAction* item = menu->addAction(QString::fromLatin1(caption));
        item->setObjectName(QString::fromLatin1(key));
        connect(item, &QAction::triggered, this,
                [this, key = QString::fromLatin1(key)] { runCubeCommand(key); });
    }
    cubeButton_->setMenu(menu);
    cubeButton_->setPopupMode(QToolButton::MenuButtonPopup);
    cubeBar_->adjustSize();
    cubeBar_->move(twipsToPixels(CubeBarLeft), 0);
}

void ColourPanel::setTargetProvider(std::function<EditTarget()> provider)
{
    targetProvider_ = std::move(provider);
}

EditTarget ColourPanel::target() const
{
    return targetProvider_ ? targetProvider_() : EditTarget();
}

ColourBox* ColourPanel::box(const QString& name) const
{
    return boxes_.value(name);
}

void ColourPanel::swatchPressed(ColourBox* swatch, Qt::MouseButton button)
{
    if (button == Qt::RightButton) {
        if (const std::optional<ColourValue> chosen = chooseColour(window(), swatch->colour()))
            swatch->setColour(*chosen);
        return;
    }
    const EditTarget page = target();
    // In the Code view the text colour picker follows the swatch, so that its
    // next click starts from the colour just written.
    if (!page.designView && page.code)
        box(QStringLiteral("fgpick"))->setColour(swatch->colour());
    applyToolColour(ColourTool::Swatch, clrlong2hex(swatch->colour()), page);
}

void ColourPanel::pickerClicked(ColourBox* picker, ColourTool tool)
{
    const std::optional<ColourValue> chosen = chooseColour(window(), picker->colour());
    if (!chosen)
        return;
    picker->setColour(*chosen);
    applyToolColour(tool, clrlong2hex(*chosen), target());
}

CubeValues ColourPanel::cubeValues() const
{
    CubeValues values{};
    for (int line = 0; line < CubeLineCount; ++line)
        values[line] = box(QString::fromLatin1(cubeLineOrder()[line]))->colour();
    return values;
}

void ColourPanel::applyCube(const CubeReading& reading)
{
    for (int line = 0; line < CubeLineCount; ++line) {
        if (reading[line])
            box(QString::fromLatin1(cubeLineOrder()[line]))->setColour(*reading[line]);
    }
}

QSize ColourPanel::sizeHint() const
{
    return QSize(twipsToPixels(CubeBarLeft) + cubeBar_->sizeHint().width(),
                 twipsToPixels(480 + 8 * 240));
}

}
