// The Table menu in the Code view and the side panel's quick table maker in
// both views, on the real main window.
#include "MainWindowFixture.h"
#include "app/widgets/SidePanel.h"
#include "editing/widgets/QuickTableMaker.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

using namespace inktest;

class TableCommands : public MainWindowTest {
protected:
    // A Code-view page holding `text` with exactly `selected` selected.
    ink::DocumentWindow* codeSelecting(const QString& text, const QString& selected)
    {
        ink::DocumentWindow* w = active();
        if (!w) {
            w = newPage();
            w->switchToCode();
        }
        w->code()->setText(text);
        const int at = text.indexOf(selected);
        w->code()->setSelection(at, at + selected.size());
        return w;
    }

    void trigger(const char* name)
    {
        QAction* a = main->action(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }

    ink::QuickTableMaker* maker() const { return main->findChild<ink::QuickTableMaker*>("Picture4"); }

    template <typename T>
    T* makerChild(const char* name) const
    {
        return maker()->findChild<T*>(QString::fromLatin1(name));
    }
};

struct MenuCase {
    const char* row;
    const char* command;
    const char* selected;
    const char* result;
};

TEST_F(TableCommands, CodeViewRebuildsTheSelectionAndKeepsItSelected)
{
    const MenuCase cases[] = {
        {"insert row", "insertrow", "<TR><TD x=1>a</TD></TR>",
         "<TR><TD x=1>a</TD></TR>\r\n<TR>\r\n<TD x=1>&nbsp;</TD></TR>"},
        {"delete row", "deleterow", "<TR><TD>a</TD></TR>\r\n<TR><TD>b</TD></TR>", "<TR><TD>a</TD></TR>"},
        {"insert column", "insertcolumn", "<TR><TD>a</TD></TR>", "<TR><TD>a</TD>\r\n<TD>&nbsp;</TD></TR>"},
        {"delete column", "deletecolumn", "<TR>\r\n<TD>a</TD>\r\n<TD>b</TD></TR>", "<TR>\r\n<TD>a</TD></TR>"},
        {"insert cell", "insertcell", "x", "<TD vAlign=center align=left>&nbsp;</TD>"},
        {"delete cell", "deletecell", "<TD>a</TD>", ""},
        {"merge cells", "mergecells", "<TD>a</TD><TD>b</TD>", "<TD>a b </TD>"},
        {"split cell", "splitcell", "<TD w=5>a</TD>", "<TD w=5>a</TD><TD w=5>&nbsp;</TD>"},
        {"without the tags nothing changes", "deleterow", "plain words", "plain words"},
    };
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.row);
        const QString text = QStringLiteral("<BODY>\r\n%1\r\n</BODY>").arg(c.selected);
        ink::DocumentWindow* w = codeSelecting(text, c.selected);
        trigger(c.command);
        EXPECT_EQ(w->code()->text().toStdString(),
                  QStringLiteral("<BODY>\r\n%1\r\n</BODY>").arg(c.result).toStdString());
        EXPECT_EQ(w->code()->selectedText().toStdString(), c.result);
    }
}

TEST_F(TableCommands, TablecubeWidgetsCarryTheirNamesRangesAndTips)
{
    ASSERT_NE(maker(), nullptr);
    const struct { const char* name; const char* tip; int minimum, maximum; } sliders[] = {
        {"Slider2", "Columns", 1, 10}, {"Slider3", "Rows", 1, 10},
        {"Slider4", "Spacing", 0, 100}, {"Slider5", "Padding", 0, 100},
    };
    for (const auto& s : sliders) {
        SCOPED_TRACE(s.name);
        auto* slider = makerChild<QSlider>(s.name);
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->toolTip(), s.tip);
        EXPECT_EQ(slider->accessibleName(), s.tip);
        EXPECT_EQ(slider->minimum(), s.minimum);
        EXPECT_EQ(slider->maximum(), s.maximum);
        EXPECT_EQ(slider->value(), s.minimum);
    }
    EXPECT_EQ(makerChild<QCheckBox>("Check1")->text(), "Border");
    EXPECT_EQ(makerChild<QCheckBox>("Check2")->accessibleName(), "Static");
    EXPECT_EQ(makerChild<QPushButton>("Command1")->accessibleName(), "Make");
}

TEST_F(TableCommands, MakeReplacesTheCodeSelection)
{
    ink::DocumentWindow* w = codeSelecting("<BODY>old</BODY>", "old");
    makerChild<QCheckBox>("Check1")->setChecked(true);
    makerChild<QSlider>("Slider2")->setValue(2);
    makerChild<QSlider>("Slider5")->setValue(3);
    makerChild<QPushButton>("Command1")->click();
    const QString cell = "<td align=left valign=middle>&nbsp;</td>";
    EXPECT_EQ(w->code()->text().toStdString(),
              ("<BODY><TABLE border=1 width=100% cellpadding=3>\r\n<TR>" + cell + cell
               + "</TR>\r\n\r\n</TABLE></BODY>").toStdString());
}

TEST_F(TableCommands, MakePastesIntoTheDesignView)
{
    ink::DocumentWindow* w = codePageWithBody("<P>x</P>");
    w->switchToDesign();
    waitIdle(w);
    w->design()->setFocus();
    w->design()->applyKeys({ink::Key::CtrlHome});
    makerChild<QSlider>("Slider3")->setValue(3);
    makerChild<QPushButton>("Command1")->click();
    const QString body = w->design()->bodyInnerHtml();
    EXPECT_EQ(body.count("<TR>"), 3) << body.toStdString();
    EXPECT_TRUE(body.contains("<P>x</P>") || body.contains("x")) << body.toStdString();
}

TEST_F(TableCommands, MakeWithoutAPageDoesNothing)
{
    ASSERT_EQ(active(), nullptr);
    makerChild<QPushButton>("Command1")->click();
    EXPECT_EQ(active(), nullptr);
}

TEST_F(TableCommands, MakeChecksThePageAgainAfterItsWait)
{
    ink::DocumentWindow* w = codeSelecting("<BODY>old</BODY>", "old");
    // The page goes while the maker waits.
    QTimer::singleShot(20, w, [w] { w->close(); });
    prompts.answerYes = false;
    makerChild<QPushButton>("Command1")->click();
    pump(100);
    SUCCEED();
}
