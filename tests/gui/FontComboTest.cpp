#include "colourfont/FontList.h"
#include "colourfont/widgets/FontComboControl.h"
#include "colourfont/widgets/FontListWindow.h"
#include "GuiTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace ink;

namespace {

// Runs each test against its own program folder holding its own font list.
class FontComboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousFolder_ = qgetenv("INKPRESS_PROGRAM_FOLDER");
        qputenv("INKPRESS_PROGRAM_FOLDER", folder_.path().toLocal8Bit());
    }
    void TearDown() override
    {
        if (FontListWindow* window = openFontListWindow())
            window->close();
        inktest::pump(20);
        FontListWindow::setMainWindow(nullptr);
        qputenv("INKPRESS_PROGRAM_FOLDER", previousFolder_);
    }

    void writeList(const QByteArray& bytes)
    {
        QFile file(fontListPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray listBytes() const
    {
        QFile file(fontListPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static QStringList itemTexts(const FontComboControl& control)
    {
        QStringList texts;
        for (int i = 0; i < control.combo()->count(); ++i)
            texts.append(control.combo()->itemText(i));
        return texts;
    }
    // Picks an item the way the user's choice in the list arrives.
    static void pick(FontComboControl& control, int index)
    {
        control.combo()->setCurrentIndex(index);
        emit control.combo()->activated(index);
    }
    static FontListWindow* openFontListWindow()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<FontListWindow*>(widget);
            if (window && window->isVisible())
                return window;
        }
        return nullptr;
    }

    const QString sep = QString(123, QLatin1Char('-'));
    const QString edit = QStringLiteral("Edit Font List");
    const QStringList systemFonts = sortedFontNames(pageFontNames(QFontDatabase::families()));
    QTemporaryDir folder_;
    QByteArray previousFolder_;
};

TEST_F(FontComboTest, ListShowsFavouritesAtTopAndBottomAroundTheSystemFonts)
{
    writeList("Verdana\r\nComic Neue\r\n");
    FontComboControl control;
    const int n = 2;
    const int f = systemFonts.size();
    ASSERT_GT(f, 0);
    const QStringList texts = itemTexts(control);
    ASSERT_EQ(texts.size(), 2 * n + f + 6);
    EXPECT_EQ(texts.mid(0, 2), (QStringList{edit, sep}));
    EXPECT_EQ(texts.mid(2, n), (QStringList{"Verdana", "Comic Neue"}));
    EXPECT_EQ(texts[n + 2], sep);
    EXPECT_EQ(texts.mid(n + 3, f), systemFonts);
    EXPECT_EQ(texts.mid(n + f + 3, 3), (QStringList{sep, edit, sep}));
    EXPECT_EQ(texts.mid(n + f + 6), (QStringList{"Verdana", "Comic Neue"}));

    const int times = systemFonts.indexOf(QStringLiteral("Times New Roman"));
    EXPECT_EQ(control.comboitem(), n + 4 + std::max(0, times));
    EXPECT_EQ(control.CurFont(), systemFonts.value(std::max(0, times)));
    EXPECT_FALSE(control.combo()->itemIcon(n + 3).isNull());
    EXPECT_TRUE(control.combo()->itemIcon(2).isNull());
    EXPECT_EQ(control.accessibleName(), QStringLiteral("Font"));
}

TEST_F(FontComboTest, MissingFileOrNameWithoutFinalCrLfGivesNoFavourites)
{
    FontComboControl withoutFile;
    EXPECT_EQ(withoutFile.combo()->count(), systemFonts.size() + 6);
    writeList("Verdana");
    FontComboControl unterminated;
    EXPECT_EQ(unterminated.combo()->count(), systemFonts.size() + 6);
}

TEST_F(FontComboTest, ClickComesOnlyForFontNames)
{
    writeList("Verdana\r\n");
    FontComboControl control;
    int clicks = 0;
    QObject::connect(&control, &FontComboControl::click, [&] { ++clicks; });
    const int start = control.combo()->currentIndex();

    pick(control, 1);
    EXPECT_EQ(clicks, 0) << "separator";
    EXPECT_EQ(control.combo()->currentIndex(), start);

    pick(control, 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(control.CurFont(), QStringLiteral("Verdana"));

    pick(control, 4);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(control.CurFont(), systemFonts.first());

    pick(control, 0);
    EXPECT_EQ(clicks, 2) << "Edit Font List";
    EXPECT_EQ(control.CurFont(), systemFonts.first());
    EXPECT_NE(openFontListWindow(), nullptr);
}

TEST_F(FontComboTest, SeparatorsCannotBeReachedFromTheKeyboard)
{
    writeList("Verdana\r\n");
    FontComboControl control;
    auto* model = qobject_cast<QStandardItemModel*>(control.combo()->model());
    ASSERT_NE(model, nullptr);
    EXPECT_FALSE(model->item(1)->isEnabled());
    EXPECT_TRUE(model->item(2)->isEnabled());

    int clicks = 0;
    QObject::connect(&control, &FontComboControl::click, [&] { ++clicks; });
    control.setComboitem(3);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(control.combo(), &down);
    EXPECT_EQ(control.comboitem(), 5) << "the separator at 4 is skipped";
    EXPECT_EQ(clicks, 1);
}

TEST_F(FontComboTest, TheFontIsShownWithoutSelectingAnItem)
{
    FontComboControl control;
    control.setTheFont(QStringLiteral("Some Font"));
    EXPECT_EQ(control.comboitem(), 0);
    EXPECT_EQ(control.CurFont(), QStringLiteral("Some Font"));
    EXPECT_EQ(control.combo()->currentText(), QStringLiteral("Some Font"));

    pick(control, 1);
    EXPECT_EQ(control.combo()->currentText(), QStringLiteral("Some Font"));

    control.setComboitem(4);
    EXPECT_EQ(control.comboitem(), 4);
    control.setComboitem(10000);
    EXPECT_EQ(control.comboitem(), 4);
}

// A long name the program shows starts at its first letter, whichever way it
// arrives; typing keeps the caret where the user puts it.
TEST_F(FontComboTest, LongNamesShowFromTheirStart)
{
    const QString name = QStringLiteral("A Very Long Font Family Name With Several Words");
    FontComboControl control;
    control.resize(120, control.sizeHint().height());
    control.show();
    const struct {
        const char* name;
        std::function<void()> show;
    } ways[] = {
        {"setTheFont", [&] { control.setTheFont(name); }},
        {"edit text", [&] { control.combo()->setEditText(name); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        control.combo()->setEditText(QString());
        way.show();
        EXPECT_EQ(control.combo()->currentText(), name);
        EXPECT_EQ(control.combo()->lineEdit()->cursorPosition(), 0);
    }
    control.activateWindow();
    control.combo()->lineEdit()->setFocus();
    ASSERT_TRUE(inktest::waitUntil([&] { return control.combo()->lineEdit()->hasFocus(); }, 2000));
    control.combo()->lineEdit()->end(false);
    QTest::keyClicks(control.combo()->lineEdit(), "x");
    EXPECT_EQ(control.combo()->lineEdit()->cursorPosition(), name.size() + 1);
}

TEST_F(FontComboTest, RefreshReadsTheFileAgain)
{
    writeList("Verdana\r\n");
    FontComboControl control;
    writeList("Arial\r\nTahoma\r\n");
    control.Refreshx();
    EXPECT_EQ(control.combo()->count(), systemFonts.size() + 2 * 2 + 6);
    EXPECT_EQ(control.combo()->itemText(2), QStringLiteral("Arial"));
}

TEST_F(FontComboTest, ResizingFillsTheControlWithTheCombo)
{
    FontComboControl control;
    EXPECT_LT(control.sizeHint().width(), 400) << "the separator lines must not widen it";
    control.resize(230, 27);
    control.show();
    inktest::pump(20);
    EXPECT_EQ(control.combo()->geometry(), QRect(0, 0, 230, 27));
}

TEST_F(FontComboTest, ReportsTypingAndTheListDroppingDown)
{
    FontComboControl control;
    control.show();
    int changes = 0;
    int dropdowns = 0;
    QObject::connect(&control, &FontComboControl::change, [&] { ++changes; });
    QObject::connect(&control, &FontComboControl::dropdown, [&] { ++dropdowns; });
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(control.combo()->lineEdit(), &key);
    control.combo()->showPopup();
    EXPECT_TRUE(inktest::waitUntil([&] { return dropdowns == 1; }, 2000));
    control.combo()->hidePopup();
    EXPECT_EQ(changes, 1);
}

TEST_F(FontComboTest, FontListWindowShowsTheFileWithTheCaretAtTheEnd)
{
    writeList("Verdana\r\nArial\r\n");
    QWidget mainWindow;
    mainWindow.setEnabled(false);
    FontListWindow::setMainWindow(&mainWindow);
    FontListWindow* window = FontListWindow::showSingle(nullptr);
    EXPECT_EQ(FontListWindow::showSingle(nullptr), window);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Font List"));
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_EQ(window->text()->toPlainText(), QStringLiteral("Verdana\nArial\n"));
    EXPECT_EQ(window->text()->textCursor().position(), window->text()->toPlainText().size());
    EXPECT_EQ(window->fontChoice()->count(), pageFontNames(QFontDatabase::families()).size());
}

TEST_F(FontComboTest, PickedFontGoesToTheCaretAndOkSavesIt)
{
    writeList("Verdana\r\n");
    FontListWindow* window = FontListWindow::showSingle(nullptr);
    int saved = 0;
    int notified = 0;
    QObject::connect(window, &FontListWindow::fontListSaved, [&] { ++saved; });
    auto notice = QObject::connect(&FontListNotifier::instance(), &FontListNotifier::fontListSaved, [&] { ++notified; });

    ASSERT_GT(window->fontChoice()->count(), 0);
    window->fontChoice()->setCurrentIndex(0);
    emit window->fontChoice()->activated(0);
    EXPECT_EQ(window->text()->toPlainText(), QStringLiteral("Verdana\n") + window->fontChoice()->itemText(0));

    window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QObject::disconnect(notice);
    EXPECT_EQ(listBytes(), "Verdana\r\n" + window->fontChoice()->itemText(0).toUtf8() + "\r\n");
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(openFontListWindow(), nullptr);
}

TEST_F(FontComboTest, OkWithoutChangesLeavesTheFileAsItWas)
{
    writeList("Verdana\r\nArial\r\n");
    FontListWindow::showSingle(nullptr)->accept();
    EXPECT_EQ(listBytes(), QByteArray("Verdana\r\nArial\r\n"));
}

TEST_F(FontComboTest, CancelClosesWithoutWriting)
{
    writeList("Verdana\r\n");
    FontListWindow* window = FontListWindow::showSingle(nullptr);
    window->text()->setPlainText(QStringLiteral("Changed"));
    window->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    EXPECT_EQ(listBytes(), QByteArray("Verdana\r\n"));
    EXPECT_EQ(openFontListWindow(), nullptr);
}

}
