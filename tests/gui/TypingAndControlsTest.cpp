// What the user types and what the controls do: the generator marker typed
// in the Code view, the size combo after the slider, and the controls worked
// through the accessibility bus as a screen reader does.
#include "MainWindowFixture.h"
#include "app/widgets/ToolStrip.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace inktest;

namespace {

class TypingAndControls : public MainWindowTest {
protected:
    // A Code view page whose body is "<P>ab</P>", the caret between a and b.
    ink::DocumentWindow* pageWithCaretInBody()
    {
        ink::DocumentWindow* w = codePageWithBody("<P>ab</P>");
        const int at = w->code()->text().indexOf("<P>ab") + 4;
        w->code()->setSelection(at, at);
        pump(30);
        return w;
    }
    static void type(ink::DocumentWindow* w, const QString& keys)
    {
        QTest::keyClicks(w->code()->widget(), keys);
        pump(50);
    }
};

struct UndoCase {
    const char* name;
    bool withTheKey; // the editor's own Ctrl+Z, or the Edit menu's Undo
};

class GeneratorMarkerTyped : public TypingAndControls, public ::testing::WithParamInterface<UndoCase> {};

TEST_P(GeneratorMarkerTyped, IsRewrittenInPlaceKeepingTheCaretAndUndoesWithTheTyping)
{
    ink::DocumentWindow* w = pageWithCaretInBody();
    const QString before = w->code()->text();
    const int at = w->code()->caretPosition();

    type(w, "content=\"MSHTML");
    type(w, "xy");
    const QString expected = QString(before).insert(at, "content=\"Inkpress Pro 4.5 DHTMLxy");
    EXPECT_EQ(w->code()->text(), expected);
    EXPECT_EQ(w->code()->caretPosition(), at + int(QString("content=\"Inkpress Pro 4.5 DHTMLxy").size()));
    EXPECT_TRUE(w->code()->text().startsWith("<!DOCTYPE"));

    // "xy" was typed after the rewrite; the next undo takes back the marker
    // and its rewrite together, never leaving the marker behind.
    for (int step = 0; step < 2; ++step) {
        if (GetParam().withTheKey)
            QTest::keyClick(w->code()->widget(), Qt::Key_Z, Qt::ControlModifier);
        else
            main->runCommand("undo");
        pump(50);
        EXPECT_FALSE(w->code()->text().contains("MSHTML")) << w->code()->text().toStdString();
    }
    EXPECT_EQ(w->code()->text(), before);
}

INSTANTIATE_TEST_SUITE_P(Undo, GeneratorMarkerTyped,
                         ::testing::Values(UndoCase{"CtrlZ", true}, UndoCase{"EditUndo", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TypingAndControls, ASelectionAcrossTheMarkerIsKept)
{
    ink::DocumentWindow* w = codePageWithBody("<P>content=\"MSHTM tail</P>");
    const int end = w->code()->text().indexOf("MSHTM") + 5;
    w->code()->setSelection(end, end);
    type(w, "L");
    const int tail = w->code()->text().indexOf(" tail");
    EXPECT_TRUE(w->code()->text().contains("<P>content=\"Inkpress Pro 4.5 DHTML tail</P>"));
    EXPECT_EQ(w->code()->caretPosition(), tail);
}

struct ListCase {
    const char* name;
    bool openTheList; // or leave the edit field
};

class SizeComboAfterSlider : public TypingAndControls, public ::testing::WithParamInterface<ListCase> {};

// Only a pick of the user's applies a size: the combo showing the slider's
// value must not wrap the selection again.
TEST_P(SizeComboAfterSlider, WrapsTheSelectionOnce)
{
    ink::DocumentWindow* w = codePageWithBody("<P>word</P>");
    const int at = w->code()->text().indexOf("word");
    w->code()->setSelection(at, at + 4);
    auto* combo = qobject_cast<QComboBox*>(main->formattingStrip()->namedWidget("Combo1"));
    auto* slider = qobject_cast<QSlider*>(main->formattingStrip()->namedWidget("Slider1"));
    ASSERT_TRUE(combo && slider);
    slider->setValue(5);
    emit slider->sliderReleased();
    ASSERT_EQ(w->code()->text().count("<FONT"), 1);
    EXPECT_EQ(combo->currentText(), "5");

    if (GetParam().openTheList) {
        combo->showPopup();
        pump(100);
        combo->hidePopup();
    } else {
        combo->lineEdit()->setFocus();
        pump(50);
        emit combo->lineEdit()->editingFinished();
    }
    pump(100);
    EXPECT_EQ(w->code()->text().count("<FONT"), 1) << w->code()->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Ways, SizeComboAfterSlider,
                         ::testing::Values(ListCase{"OpenAndCloseTheList", true},
                                           ListCase{"LeaveTheEditField", false}),
                         [](const auto& info) { return std::string(info.param.name); });

void toggleThroughAccessibility(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(face, nullptr);
    ASSERT_NE(face->actionInterface(), nullptr);
    ASSERT_TRUE(face->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    pump(200);
}

struct ViewCase {
    const char* name;
    const char* key;
    bool designShown;
    bool codeShown;
    bool previewShown;
};

class ViewButtonThroughAccessibility : public TypingAndControls,
                                       public ::testing::WithParamInterface<ViewCase> {};

TEST_P(ViewButtonThroughAccessibility, SwitchesTheViewAsAClickDoes)
{
    const ViewCase& c = GetParam();
    ink::DocumentWindow* w = newPage();
    if (QString(c.key) == "Edit") {
        w->switchToCode();
        waitIdle(w);
    }
    auto* bar = w->findChild<QToolBar*>("Toolbar1");
    ASSERT_NE(bar, nullptr);
    toggleThroughAccessibility(bar->widgetForAction(w->viewAction(c.key)));
    waitIdle(w);
    EXPECT_EQ(w->design()->widget()->isVisible(), c.designShown);
    EXPECT_EQ(w->code()->widget()->isVisible(), c.codeShown);
    EXPECT_EQ(w->preview()->widget()->isVisible(), c.previewShown);
    int pressed = 0;
    for (const char* key : {"Code", "Edit", "IE View"}) {
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(w->viewAction(key)));
        pressed += button->isChecked() ? 1 : 0;
        EXPECT_EQ(button->isChecked(), w->viewAction(key)->isChecked()) << key;
    }
    EXPECT_EQ(pressed, 1);
    EXPECT_TRUE(w->viewAction(c.key)->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Buttons, ViewButtonThroughAccessibility,
                         ::testing::Values(ViewCase{"Code", "Code", false, true, false},
                                           ViewCase{"Edit", "Edit", true, false, false},
                                           ViewCase{"IEView", "IE View", false, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TypingAndControls, SyntaxBoxThroughAccessibilitySwitchesColouring)
{
    ink::DocumentWindow* w = newPage();
    auto* box = w->findChild<QCheckBox*>("Check1");
    ASSERT_NE(box, nullptr);
    const bool before = w->code()->syntaxColouring();
    toggleThroughAccessibility(box);
    EXPECT_EQ(box->isChecked(), !before);
    EXPECT_EQ(w->code()->syntaxColouring(), !before);
}

}
