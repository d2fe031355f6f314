// Every window the program opens fits the screen, even a small one, and is
// named on the accessibility bus; the floating bars open apart; the side
// panel shows all its tabs.
#include "MainWindowFixture.h"
#include "app/widgets/FloatingToolWindow.h"
#include "app/widgets/SidePanel.h"
#include "base/Twips.h"
#include "colourfont/widgets/FontListWindow.h"
#include "platform/widgets/ScintillaCodeEditor.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>

using namespace inktest;

namespace {

// The free area of a 1366 x 768 screen below a title bar: what every window
// must be able to shrink to, whatever screen the test runs on.
const QSize SmallScreenClient(1366, 768 - 32);

QSet<QWidget*> shownWindows()
{
    QSet<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip)
            shown.insert(w);
    }
    return shown;
}

// What a window must satisfy; each fault is one line of the answer.
QStringList faultsOf(QWidget* window)
{
    QStringList faults;
    const QString name = window->objectName() + QLatin1Char(' ');
    const QRect area = window->screen()->availableGeometry();
    if (!area.contains(window->frameGeometry()))
        faults << name + QStringLiteral("lies partly off the screen");
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    if (least.width() > SmallScreenClient.width() || least.height() > SmallScreenClient.height())
        faults << name + QStringLiteral("cannot shrink to a small screen: %1x%2").arg(least.width()).arg(least.height());
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(window);
    if (!face || (face->role() != QAccessible::Window && face->role() != QAccessible::Dialog))
        faults << name + QStringLiteral("is no window on the accessibility bus");
    else if (face->text(QAccessible::Name) != window->windowTitle() || window->windowTitle().isEmpty())
        faults << name + QStringLiteral("is not named by its title");
    for (const QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        // A spin box is read as one field, by its own name.
        if (qobject_cast<QAbstractSpinBox*>(edit->parentWidget()))
            continue;
        if (edit->isVisibleTo(window) && edit->accessibleName().isEmpty())
            faults << name + QStringLiteral("has a text field without a name: ") + edit->objectName();
    }
    return faults;
}

struct OpenCase {
    const char* name;
    const char* command;  // a menu command, run on a new page in the Code view
};

const OpenCase openCases[] = {
    {"Hyperlink", "link"},         {"Bookmark", "bookmark"},        {"Image", "image"},
    {"Hyperbutton", "button"},     {"Marquee", "marquee"},          {"InlineFrame", "inlineframe"},
    {"Table", "newtable"},         {"InverseProperty", "text1properteis"},
    {"NewProject", "newproject"},  {"BorderStyle", "borderstyle"},
    {"FontFamily", "stylefontsfontfamily"}, {"Find", "find"},
    {"Replace", "replace"},
};

class WindowFit : public MainWindowTest, public ::testing::WithParamInterface<OpenCase> {};

} // namespace

TEST_P(WindowFit, OpensOnTheScreenShrinksToASmallOneAndIsNamed)
{
    ink::DocumentWindow* page = codePageWithBody(QStringLiteral("<p>sale</p>"));
    ASSERT_NE(page, nullptr);
    const QSet<QWidget*> before = shownWindows();
    main->runCommand(QString::fromLatin1(GetParam().command));
    QList<QPointer<QWidget>> opened;
    waitUntil([&] { return shownWindows().size() > before.size(); }, 3000);
    pump(50);
    for (QWidget* w : shownWindows() - before)
        opened << w;
    ASSERT_FALSE(opened.isEmpty()) << "nothing opened";
    for (const QPointer<QWidget>& w : opened) {
        const QStringList faults = faultsOf(w);
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    }
    for (const QPointer<QWidget>& w : opened) {
        if (w)
            w->close();
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, WindowFit, ::testing::ValuesIn(openCases),
                         [](const ::testing::TestParamInfo<OpenCase>& info) {
                             return std::string(info.param.name);
                         });

class WindowRules : public MainWindowTest {};

TEST_F(WindowRules, OtherWindowsFitTheScreenToo)
{
    ink::DocumentWindow* page = codePageWithBody(QStringLiteral("<p>sale</p>"));
    ASSERT_NE(page, nullptr);
    QList<QPointer<QWidget>> windows;
    windows << ink::FontListWindow::showSingle(main.get());
    auto* editor = dynamic_cast<ink::ScintillaCodeEditor*>(page->code());
    ASSERT_NE(editor, nullptr);
    const QSet<QWidget*> before = shownWindows();
    editor->openPropertiesDialog();
    pump(50);
    for (QWidget* w : shownWindows() - before)
        windows << w;
    main->runToolButton(QStringLiteral("Toolbar8"), QStringLiteral("undock"));
    main->runToolButton(QStringLiteral("Toolbar12"), QStringLiteral("undock"));
    pump(50);
    for (auto* bar : main->findChildren<ink::FloatingToolWindow*>())
        windows << bar;
    ASSERT_EQ(windows.size(), 4);
    windows << main.get();
    for (const QPointer<QWidget>& w : windows) {
        ASSERT_TRUE(w);
        const QStringList faults = faultsOf(w);
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(WindowRules, AWindowPlacedPartlyOffTheScreenIsBroughtBackWhole)
{
    const QRect area = main->screen()->availableGeometry();
    struct Case {
        const char* name;
        QPoint at;     // where the program places the window, from the area's top left
        QSize size;
    } cases[] = {
        {"belowTheBottomRight", QPoint(area.width() - 100, area.height() - 50), QSize(400, 300)},
        {"aboveTheTopLeft", QPoint(-300, -200), QSize(400, 300)},
        {"tallerThanTheScreen", QPoint(50, area.height() / 4), QSize(300, area.height() + 200)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDialog dialog(main.get());
        dialog.setWindowTitle(QStringLiteral("Placed"));
        dialog.resize(c.size);
        dialog.move(area.topLeft() + c.at);
        dialog.show();
        pump(30);
        EXPECT_TRUE(area.contains(dialog.frameGeometry())) << dialog.frameGeometry().x() << ","
                                                           << dialog.frameGeometry().y();
        EXPECT_LE(dialog.height(), area.height());
        dialog.close();
    }
}

TEST_F(WindowRules, AWindowThatFitsKeepsItsPlace)
{
    const QRect area = main->screen()->availableGeometry();
    QDialog dialog(main.get());
    dialog.setWindowTitle(QStringLiteral("Placed"));
    dialog.resize(300, 200);
    const QPoint quarter = area.topLeft() + QPoint(area.width() / 4, area.height() / 4);
    dialog.move(quarter);
    dialog.show();
    pump(30);
    EXPECT_EQ(dialog.pos(), quarter);
    EXPECT_EQ(dialog.size(), QSize(300, 200));
}

TEST_F(WindowRules, FloatingBarsWithNoStoredPlaceOpenOneBelowTheOther)
{
    main->runToolButton(QStringLiteral("Toolbar8"), QStringLiteral("undock"));
    main->runToolButton(QStringLiteral("Toolbar12"), QStringLiteral("undock"));
    pump(50);
    auto* standard = main->findChild<ink::FloatingToolWindow*>(QStringLiteral("frmStandard"));
    auto* formatting = main->findChild<ink::FloatingToolWindow*>(QStringLiteral("frmFormatting"));
    ASSERT_TRUE(standard && formatting);
    ASSERT_TRUE(standard->isVisible() && formatting->isVisible());
    EXPECT_FALSE(standard->frameGeometry().intersects(formatting->frameGeometry()));
    EXPECT_GT(formatting->frameGeometry().top(), standard->frameGeometry().bottom());
    for (ink::FloatingToolWindow* bar : {standard, formatting}) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(bar);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), QAccessible::Window);
        EXPECT_EQ(face->text(QAccessible::Name), bar->windowTitle());
    }
}

TEST_F(WindowRules, TheSidePanelShowsAllFiveTabsAtItsDefaultWidth)
{
    ink::SidePanel* panel = main->findChild<ink::SidePanel*>();
    ASSERT_NE(panel, nullptr);
    pump(30);
    QTabBar* bar = panel->tabs()->tabBar();
    ASSERT_EQ(bar->count(), 5);
    for (int i = 0; i < bar->count(); ++i) {
        SCOPED_TRACE(bar->tabText(i).toStdString());
        EXPECT_TRUE(bar->rect().contains(bar->tabRect(i)));
        EXPECT_EQ(bar->tabToolTip(i), bar->tabText(i));
    }
    // Where the screen leaves room, the captions show in full.
    const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
    if (bar->sizeHint().width() + 40 < screenWidth * 3 / 10)
        EXPECT_GE(bar->width(), bar->sizeHint().width());
    // Narrow enough to leave most of a small screen to the pages.
    EXPECT_LE(panel->startWidthTwips(1366), ink::pixelsToTwips(1366 * 3 / 10));
}

TEST_F(WindowRules, SlidersShowTheirNumberAndTheCustomColourShowsTheColourInUse)
{
    ink::DocumentWindow* page = newPage();
    ASSERT_NE(page, nullptr);
    page->switchToCode();
    QString text = page->code()->text();
    text.replace(QStringLiteral("bgColor=#ffffff"), QStringLiteral("bgColor=#ffffcc"));
    page->code()->setText(text);
    page->switchToDesign();
    waitIdle(page);
    main->runCommand(QStringLiteral("marquee"));
    QDialog* marquee = main->findChild<QDialog*>(QStringLiteral("frmMarquee"));
    ASSERT_NE(marquee, nullptr);
    for (const char* name : {"Slider1", "Slider2", "Slider3", "Slider4"}) {
        SCOPED_TRACE(name);
        auto* slider = marquee->findChild<QSlider*>(QString::fromLatin1(name));
        auto* shown = marquee->findChild<QLabel*>(QString::fromLatin1(name) + QStringLiteral("Value"));
        ASSERT_TRUE(slider && shown);
        EXPECT_EQ(shown->text(), QString::number(slider->value()));
        slider->setValue(slider->minimum() + 1);
        EXPECT_EQ(shown->text(), QString::number(slider->minimum() + 1));
    }
    auto* back = marquee->findChild<QWidget*>(QStringLiteral("ColorComboControl2"));
    ASSERT_NE(back, nullptr);
    auto* combo = back->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Custom..."));
    const QImage swatch = combo->itemIcon(combo->currentIndex()).pixmap(combo->iconSize()).toImage();
    EXPECT_EQ(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), QColor(0xff, 0xff, 0xcc));
    EXPECT_TRUE(back->toolTip().contains(QStringLiteral("#ffffcc")));
    marquee->close();
}
