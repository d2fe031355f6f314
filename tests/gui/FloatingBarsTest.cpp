// The floating Standard and Formatting windows: undocking and docking with
// the choices copied across, their own buttons, the close box, the place
// kept across a restart, and the Formatting controls following the caret.
#include "MainWindowFixture.h"
#include "app/widgets/FloatingToolWindow.h"
#include "app/widgets/ToolStrip.h"
#include "colourfont/widgets/ColorComboControl.h"
#include "colourfont/widgets/FontComboControl.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using namespace inktest;

class FloatingBars : public MainWindowTest {
protected:
    ink::ToolStrip* floatingFormattingStrip() const
    {
        return main->floatingFormatting() ? main->floatingFormatting()->strip() : nullptr;
    }
    static ink::FontComboControl* fontCombo(ink::ToolStrip* strip)
    {
        return qobject_cast<ink::FontComboControl*>(strip->namedWidget("FontComboControl1"));
    }
    static QComboBox* sizeCombo(ink::ToolStrip* strip)
    {
        return qobject_cast<QComboBox*>(strip->namedWidget("Combo1"));
    }
    static bool pressed(ink::ToolStrip* strip, const char* toolbar, const char* key)
    {
        QToolButton* b = strip->button(toolbar, key);
        return b && b->isChecked();
    }
    ink::DocumentWindow* designPageWithBody(const QString& body)
    {
        ink::DocumentWindow* w = codePageWithBody(body);
        w->switchToDesign();
        waitIdle(w);
        return w;
    }
};

TEST_F(FloatingBars, UndockShowsTheFormattingWindowWithTheSameChoicesAndDockCopiesBack)
{
    ink::ToolStrip* docked = main->formattingStrip();
    ASSERT_NE(fontCombo(docked), nullptr);
    fontCombo(docked)->setComboitem(3);
    const QString dockedFont = fontCombo(docked)->CurFont();
    sizeCombo(docked)->setCurrentText("5");

    main->runToolButton("Toolbar12", "undock");
    ink::FloatingToolWindow* floating = main->floatingFormatting();
    ASSERT_NE(floating, nullptr);
    EXPECT_TRUE(floating->isVisible());
    EXPECT_EQ(floating->windowTitle(), "Formatting");
    EXPECT_TRUE(docked->isHidden());
    EXPECT_FALSE(main->action("fodocked")->isChecked());
    EXPECT_EQ(fontCombo(floating->strip())->CurFont(), dockedFont);
    EXPECT_EQ(sizeCombo(floating->strip())->currentText(), "5");

    fontCombo(floating->strip())->setComboitem(4);
    const QString floatingFont = fontCombo(floating->strip())->CurFont();
    ASSERT_NE(floatingFont, dockedFont);
    floating->strip()->button("Toolbar12", "undock")->click();
    EXPECT_FALSE(floating->isVisible());
    EXPECT_FALSE(docked->isHidden());
    EXPECT_TRUE(main->action("fodocked")->isChecked());
    EXPECT_EQ(fontCombo(docked)->CurFont(), floatingFont);
}

// A bar is always somewhere the user can see it unless Visible is unchecked.
TEST_F(FloatingBars, UncheckingDockedShowsTheFloatingWindowAndCheckingItDocks)
{
    main->runCommand("stdocked");
    ASSERT_NE(main->floatingStandard(), nullptr);
    EXPECT_TRUE(main->floatingStandard()->isVisible());
    EXPECT_TRUE(main->standardStrip()->isHidden());
    main->runCommand("stdocked");
    EXPECT_FALSE(main->floatingStandard()->isVisible());
    EXPECT_FALSE(main->standardStrip()->isHidden());
    main->runCommand("fovisible");
    EXPECT_TRUE(main->formattingStrip()->isHidden());
    EXPECT_TRUE(!main->floatingFormatting() || !main->floatingFormatting()->isVisible());
}

TEST_F(FloatingBars, FloatingFormattingButtonsWriteTheirOwnMarkupInTheCodeView)
{
    struct Case {
        const char* toolbar;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Toolbar6", "center", "a <P align=center>word</P> b"},
        {"Toolbar6", "right", "a <P align=right>word</P> b"},
        {"Toolbar12", "bullets", "a <ul><li>word</li></ul> b"},
        {"Toolbar4", "bold", "a <STRONG>word</STRONG> b"},
    };
    main->runToolButton("Toolbar12", "undock");
    ink::ToolStrip* strip = floatingFormattingStrip();
    ASSERT_NE(strip, nullptr);
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    for (const Case& c : cases) {
        w->code()->setText("a word b");
        w->code()->setSelection(2, 6);
        strip->button(c.toolbar, c.key)->click();
        EXPECT_EQ(w->code()->text(), c.expected) << c.key;
    }
}

TEST_F(FloatingBars, FloatingStandardCopyKeepsTheClipRingAndItsBrowserButtonDocks)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    w->code()->setText("keep this");
    w->code()->setSelection(0, 4);
    main->runToolButton("Toolbar8", "undock");
    ink::FloatingToolWindow* floating = main->floatingStandard();
    ASSERT_NE(floating, nullptr);
    ASSERT_TRUE(floating->isVisible());
    const auto clips = [this] {
        QStringList all;
        for (int n = 1; n <= ink::ClipRing::Slots; ++n)
            all << main->clipRing().clip(n);
        return all;
    };
    const QStringList before = clips();
    floating->strip()->button("Toolbar2", "copy")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "keep");
    EXPECT_EQ(clips(), before);
    main->runCommand("copy");
    EXPECT_TRUE(clips().contains("keep"));

    floating->strip()->button("Toolbar8", "browser")->click();
    EXPECT_FALSE(floating->isVisible());
    EXPECT_FALSE(main->standardStrip()->isHidden());
    // The main window's own browser button does nothing.
    main->standardStrip()->button("Toolbar8", "browser")->click();
    EXPECT_FALSE(main->standardStrip()->isHidden());
}

TEST_F(FloatingBars, CloseBoxHidesTheBarAndThePlaceComesBackAfterARestart)
{
    main->runToolButton("Toolbar12", "undock");
    ink::FloatingToolWindow* floating = main->floatingFormatting();
    ASSERT_NE(floating, nullptr);
    floating->move(333, 244);
    pump(50);
    const QPoint place = floating->pos();
    floating->close();
    pump(20);
    EXPECT_FALSE(floating->isVisible());
    EXPECT_TRUE(main->formattingStrip()->isHidden());
    EXPECT_FALSE(main->action("fovisible")->isChecked());
    EXPECT_TRUE(QFile::exists(programDir.filePath("state/settings3.ini")));

    main->runCommand("fovisible"); // floating again, where it was
    ASSERT_TRUE(main->floatingFormatting()->isVisible());
    EXPECT_TRUE(main->formattingStrip()->isHidden());
    closeMain();
    startMain();
    ASSERT_NE(main->floatingFormatting(), nullptr);
    EXPECT_TRUE(main->floatingFormatting()->isVisible());
    EXPECT_LE((main->floatingFormatting()->pos() - place).manhattanLength(), 2);
}

TEST_F(FloatingBars, CaretInBoldTextPressesBoldOnTheBarsShown)
{
    ink::DocumentWindow* w = designPageWithBody("<P>plain <B>bold</B> text</P>");
    ink::ToolStrip* docked = main->formattingStrip();
    w->design()->applyKeys({ink::Key::CtrlHome, ink::Key::Right, ink::Key::Right});
    EXPECT_TRUE(waitUntil([&] { return pressed(docked, "Toolbar6", "left"); }));
    EXPECT_FALSE(pressed(docked, "Toolbar4", "bold"));

    ink::KeySequence intoBold{ink::Key::CtrlHome};
    ink::appendKeys(intoBold, ink::Key::Right, 8);
    w->design()->applyKeys(intoBold);
    EXPECT_TRUE(waitUntil([&] { return pressed(docked, "Toolbar4", "bold"); }));
    EXPECT_FALSE(pressed(docked, "Toolbar4", "italic"));

    // Floating: the docked strip is hidden and keeps what it showed.
    main->runToolButton("Toolbar12", "undock");
    ink::ToolStrip* floating = floatingFormattingStrip();
    ASSERT_NE(floating, nullptr);
    w->design()->applyKeys({ink::Key::CtrlHome, ink::Key::Right});
    EXPECT_TRUE(waitUntil([&] { return !pressed(floating, "Toolbar4", "bold"); }));
    w->design()->applyKeys(intoBold);
    EXPECT_TRUE(waitUntil([&] { return pressed(floating, "Toolbar4", "bold"); }));
    w->design()->applyKeys({ink::Key::CtrlHome, ink::Key::Right});
    EXPECT_TRUE(waitUntil([&] { return !pressed(floating, "Toolbar4", "bold"); }));
    EXPECT_TRUE(pressed(docked, "Toolbar4", "bold"));
}

TEST_F(FloatingBars, CaretInSizedFontShowsFaceAndSize)
{
    ink::DocumentWindow* w =
        designPageWithBody("<P><FONT face=\"Courier New\" size=5>big</FONT></P>");
    w->design()->applyKeys({ink::Key::CtrlHome, ink::Key::Right});
    EXPECT_TRUE(waitUntil([&] { return sizeCombo(main->formattingStrip())->currentText() == "5"; }));
    EXPECT_EQ(fontCombo(main->formattingStrip())->CurFont(), "Courier New");
}

TEST_F(FloatingBars, FloatingWindowControlsHaveNames)
{
    main->runToolButton("Toolbar12", "undock");
    main->runToolButton("Toolbar8", "undock");
    for (ink::FloatingToolWindow* floating : {main->floatingFormatting(), main->floatingStandard()}) {
        ASSERT_NE(floating, nullptr);
        EXPECT_FALSE(floating->accessibleName().isEmpty());
        for (QToolButton* b : floating->findChildren<QToolButton*>()) {
            if (b->objectName().startsWith("qt_"))
                continue;
            EXPECT_FALSE(b->accessibleName().isEmpty()) << b->objectName().toStdString();
        }
        for (QComboBox* c : floating->findChildren<QComboBox*>()) {
            QWidget* named = qobject_cast<ink::FontComboControl*>(c->parentWidget()) ? c->parentWidget() : c;
            EXPECT_FALSE(named->accessibleName().isEmpty()) << c->objectName().toStdString();
        }
    }
}

TEST_F(FloatingBars, FloatingColourComboWritesKnownColoursOnlyAndFollowsTheCaret)
{
    struct Case {
        const char* name;
        const char* colour; // what the combo shows when the user picks
        const char* expected;
    } cases[] = {
        {"maroon_mainWindowForm", "Maroon", "a <FONT color=#800000>word</FONT> b"},
        {"unknownText_writesNothing", "Mauve", "a word b"},
        {"emptyText_writesNothing", "", "a word b"},
    };
    main->runToolButton("Toolbar12", "undock");
    ink::ToolStrip* strip = floatingFormattingStrip();
    ASSERT_NE(strip, nullptr);
    auto* colour = qobject_cast<ink::ColorComboControl*>(strip->namedWidget("ColorComboControl1"));
    ASSERT_NE(colour, nullptr);
    EXPECT_FALSE(colour->accessibleName().isEmpty());
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    for (const Case& c : cases) {
        w->code()->setText("a word b");
        w->code()->setSelection(2, 6);
        colour->setColor(c.colour);
        emit colour->click();
        EXPECT_EQ(w->code()->text(), c.expected) << c.name;
    }

    // Showing the colour at the caret applies nothing.
    ink::DocumentWindow* d = designPageWithBody("<P>x<FONT color=#ff0000>red</FONT> <FONT color=#123456>odd</FONT></P>");
    const QString before = d->design()->documentHtml();
    d->design()->applyKeys({ink::Key::CtrlHome, ink::Key::Right, ink::Key::Right, ink::Key::Right});
    EXPECT_TRUE(waitUntil([&] { return colour->comboitem() == 10; })) << colour->comboitem();
    ink::KeySequence intoOdd{ink::Key::CtrlHome};
    ink::appendKeys(intoOdd, ink::Key::Right, 7);
    d->design()->applyKeys(intoOdd);
    EXPECT_TRUE(waitUntil([&] { return colour->comboitem() == 17; })) << colour->comboitem();
    EXPECT_EQ(d->design()->documentHtml(), before);
}

TEST_F(FloatingBars, HeightFollowsTheStripAndSettlesWhileTheWidthFollowsTheUser)
{
    main->runToolButton("Toolbar12", "undock");
    ink::FloatingToolWindow* floating = main->floatingFormatting();
    ASSERT_NE(floating, nullptr);
    pump(50);
    const int settled = floating->height();
    EXPECT_GT(settled, floating->strip()->height());
    EXPECT_LT(settled, floating->strip()->height() + 60);
    floating->resize(floating->width() + 40, settled + 300);
    pump(100);
    EXPECT_EQ(floating->height(), settled);
    floating->resize(floating->width() - 20, 10);
    pump(100);
    EXPECT_EQ(floating->height(), settled);
}

TEST_F(FloatingBars, AWindowStoredOffEveryScreenComesBackOnScreen)
{
    closeMain();
    // Far to the right of the only screen, as after a second monitor was removed.
    ink::settings::writeLines(programDir.filePath("state/settings4.ini"),
                              {"1500", "60000", "9000", "900"});
    startMain();
    main->runToolButton("Toolbar8", "undock");
    ink::FloatingToolWindow* floating = main->floatingStandard();
    ASSERT_NE(floating, nullptr);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(floating->geometry().topLeft()))
        << floating->x() << "," << floating->y();
}
