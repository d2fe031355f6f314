// Editing in the Design view of the real main window: commands on part of a
// paragraph read back in the Code view, and a typed word saved into a
// hand-written page.
#include "MainWindowFixture.h"

#include "dialogs/widgets/InversePropertyWindows.h"
#include "platform/CodeEditor.h"
#include "platform/widgets/WebEngineScriptWait.h"

#include <QMdiArea>
#include <QTest>
#include <QWebEngineView>

using namespace inktest;

class DesignEditing : public MainWindowTest {
protected:

    QWidget* pageKeys() const { return active()->design()->widget()->focusProxy(); }

    QString paragraphText(const char* id) const
    {
        return js(QStringLiteral("document.getElementById('%1').textContent")
                      .arg(QLatin1String(id)))
            .toString();
    }

    // Selects characters [from, to) of the text of the paragraph with `id`.
    void selectInParagraph(const char* id, int from, int to) const
    {
        js(QStringLiteral("{ const t = document.getElementById('%1').firstChild;"
                          " const r = document.createRange(); r.setStart(t, %2); r.setEnd(t, %3);"
                          " getSelection().removeAllRanges(); getSelection().addRange(r); }")
               .arg(QLatin1String(id))
               .arg(from)
               .arg(to));
    }
};

TEST_F(DesignEditing, TextareaOnAWordKeepsItInsideAsTheCodeViewShows)
{
    openFile(writePage("words.html", "<HTML><BODY><P id=a>alpha beta gamma</P>"
                                     "<P>second para here</P></BODY></HTML>"));
    ASSERT_TRUE(slotOf(active()).designViewShown);
    active()->design()->setFocus();
    selectInParagraph("a", 6, 10);
    main->runCommand("textarea");
    pump(50);
    active()->switchToCode();
    const QString code = active()->code()->text();
    EXPECT_TRUE(code.contains(QStringLiteral("<P id=a>alpha <TEXTAREA name=\"\" rows=\"\" cols=\"\" "
                                             "wrap=\"\">beta</TEXTAREA> gamma</P>")))
        << qPrintable(code);
    EXPECT_EQ(code.count(QStringLiteral("beta")), 1);
}

// Only the paragraph the user typed in differs from the file that was
// opened; server-side code, case and layout elsewhere stay as they were.
TEST_F(DesignEditing, TypedWordChangesOnlyItsParagraphWhenSaved)
{
    const QByteArray original =
        "<html>\n<head>\n  <title>Shop</title>\n  <?php require 'db.php'; ?>\n</head>\n"
        "<body bgcolor=\"white\">\n  <p id=\"a\">Price: <?php echo 1; ?> &euro;</p>\n"
        "  <p id=\"b\">Hello there</p>\n</body>\n</html>\n";
    const QString path = writePage("shop.php.html", original);
    openFile(path);
    ASSERT_TRUE(slotOf(active()).designViewShown);
    focusPage();
    selectInParagraph("b", 5, 5);
    QTest::keyClicks(pageKeys(), QStringLiteral(" world"));
    ASSERT_TRUE(waitUntil([this] { return paragraphText("b") == "Hello world there"; }));
    ASSERT_TRUE(main->files().save());
    QByteArray expected = original;
    expected.replace("Hello there", "Hello world there");
    // The page already ends with a line break, so the save adds none.
    EXPECT_EQ(readBytes(path).toStdString(), expected.toStdString());
}

// On a page with many blocks, an edit deep inside and a rule put between
// two paragraphs change only those places; the other blocks keep their
// hand-written text.
TEST_F(DesignEditing, EditsAmongManyBlocksKeepTheRestAsWritten)
{
    QByteArray body;
    for (int i = 0; i < 300; ++i)
        body += QStringLiteral("  <p id=\"p%1\">para %1</p>\n").arg(i).toUtf8();
    const QByteArray original = "<html>\n<body>\n" + body + "</body>\n</html>\n";
    const QString path = writePage("many.html", original);
    openFile(path);
    focusPage();
    selectInParagraph("p150", 4, 4);
    QTest::keyClicks(pageKeys(), QStringLiteral("X"));
    ASSERT_TRUE(waitUntil([this] { return paragraphText("p150") == "paraX 150"; }));
    selectInParagraph("p200", 8, 8);
    main->runCommand("horizontalrule");
    pump(50);
    ASSERT_TRUE(main->files().save());
    const QByteArray saved = readBytes(path);
    const QByteArray rule = "<p id=\"p200\">para 200</p>";
    const qsizetype at = saved.indexOf(rule) + rule.size();
    ASSERT_GT(at, rule.size());
    QByteArray before = original.left(original.indexOf(rule) + rule.size());
    before.replace("para 150<", "paraX 150<");
    EXPECT_EQ(saved.left(at).toStdString(), before.toStdString());
    const QByteArray after = original.mid(original.indexOf(rule) + rule.size());
    ASSERT_TRUE(saved.endsWith(after));
    EXPECT_EQ(saved.mid(at, saved.size() - at - after.size()).trimmed().toUpper().toStdString(),
              "<HR>");
}

// A long page edited in the Code view takes the edit in place: the same
// document stays (the reader keeps their place), and a Design edit after it
// is written over the new text. An edit in the head loads the page again.
TEST_F(DesignEditing, CodeEditOfALongPageIsTakenInPlace)
{
    QByteArray body;
    for (int i = 0; i < 2000; ++i)
        body += QStringLiteral("  <p id=\"p%1\">para %1 with some words</p>\n").arg(i).toUtf8();
    const QByteArray original =
        "<html>\n<head><title>Long</title></head>\n<body>\n" + body + "</body>\n</html>\n";
    const QString path = writePage("long.html", original);
    openFile(path);
    js(QStringLiteral("window.sameDocument = true"));
    const auto sameDocument = [this] { return js(QStringLiteral("!!window.sameDocument")).toBool(); };

    active()->switchToCode();
    QString text = active()->code()->text();
    text.replace(QStringLiteral("para 1500 with"), QStringLiteral("para 1500 <b>now</b> with"));
    active()->code()->setText(text);
    active()->switchToDesign();
    waitIdle(active());
    EXPECT_TRUE(sameDocument());
    EXPECT_EQ(js(QStringLiteral("document.querySelector('#p1500 b').textContent")).toString(),
              QStringLiteral("now"));

    focusPage();
    selectInParagraph("p10", 4, 4);
    QTest::keyClicks(pageKeys(), QStringLiteral("X"));
    ASSERT_TRUE(waitUntil([this] { return paragraphText("p10") == "paraX 10 with some words"; }));
    active()->switchToCode();
    text.replace(QStringLiteral("para 10 with"), QStringLiteral("paraX 10 with"));
    EXPECT_EQ(active()->code()->text(), text);

    text.replace(QStringLiteral("<title>Long"), QStringLiteral("<title>Longer"));
    active()->code()->setText(text);
    active()->switchToDesign();
    waitIdle(active());
    EXPECT_FALSE(sameDocument());
    EXPECT_EQ(js(QStringLiteral("document.title")).toString(), QStringLiteral("Longer"));
}

// Ctrl+Z on the keyboard takes back a command's edit first, then the typing
// before it.
TEST_F(DesignEditing, KeyboardUndoTakesBackCommandThenTyping)
{
    openFile(writePage("undo.html", "<HTML><BODY><P id=a>alpha beta</P></BODY></HTML>"));
    focusPage();
    selectInParagraph("a", 5, 5);
    QTest::keyClicks(pageKeys(), QStringLiteral("X"));
    ASSERT_TRUE(waitUntil([this] { return paragraphText("a") == "alphaX beta"; }));
    main->runCommand("strike");
    pump(50);
    const QString struck = QStringLiteral("document.querySelectorAll('strike').length");
    ASSERT_EQ(js(struck).toInt(), 1);
    focusPage();
    QTest::keyClick(pageKeys(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(waitUntil([&] { return js(struck).toInt() == 0; }, 3000));
    EXPECT_EQ(paragraphText("a"), "alphaX beta");
    QTest::keyClick(pageKeys(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(waitUntil([this] { return paragraphText("a") == "alpha beta"; }, 3000));
}

// Once a command's edit is taken back, redo cannot replay typing that went
// into the element the command made.
TEST_F(DesignEditing, RedoAfterUndoingACommandLeavesThePageAlone)
{
    openFile(writePage("redo.html", "<HTML><BODY><P id=a>alpha beta</P></BODY></HTML>"));
    focusPage();
    selectInParagraph("a", 5, 5);
    main->runCommand("strike");
    pump(50);
    focusPage();
    QTest::keyClicks(pageKeys(), QStringLiteral("Y"));
    ASSERT_TRUE(waitUntil([this] { return paragraphText("a").contains(QLatin1Char('Y')); }));
    const QString paragraph = QStringLiteral("document.getElementById('a').innerHTML");
    QTest::keyClick(pageKeys(), Qt::Key_Z, Qt::ControlModifier);
    // At a person's pace: the second key comes after the first undo is shown.
    pump(500);
    QTest::keyClick(pageKeys(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_TRUE(waitUntil([&] { return js(paragraph).toString() == "alpha beta"; }, 3000));
    QTest::keyClick(pageKeys(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    pump(300);
    EXPECT_EQ(js(paragraph).toString(), "alpha beta");
}

// A click on an image selects the image, so the Inverse Property window
// shows its tag for editing.
TEST_F(DesignEditing, ClickOnAnImageShowsItInInverseProperty)
{
    openFile(writePage("picture.html", "<HTML><BODY><P>before <IMG src=\"none.gif\" width=80 "
                                       "height=60> after</P></BODY></HTML>"));
    ASSERT_TRUE(slotOf(active()).designViewShown);
    focusPage();
    main->runCommand(QStringLiteral("text1properteis"));
    auto* window = main->findChild<ink::DesignSelectionWindow*>("frmEditSelection");
    ASSERT_TRUE(window);
    const QVariantList centre =
        js(QStringLiteral("(() => { const r = document.querySelector('img').getBoundingClientRect();"
                          " return [r.left + r.width / 2, r.top + r.height / 2]; })()"))
            .toList();
    ASSERT_EQ(centre.size(), 2);
    QTest::mouseClick(pageKeys(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(centre[0].toInt(), centre[1].toInt()));
    EXPECT_TRUE(waitUntil([window] {
        return window->editor()->text().startsWith(QStringLiteral("<IMG src=none.gif"));
    })) << window->editor()->text().toStdString();
    EXPECT_EQ(active()->design()->selectionType(), QStringLiteral("Control"));
}

// A selection made or dropped with the keyboard shows in the Inverse
// Property window once the key is let go: the window reads the selection
// the key made, never the one from before it, which nothing would correct.
TEST_F(DesignEditing, KeyboardSelectionShowsInInverseProperty)
{
    openFile(writePage("keys.html", "<HTML><BODY><P id=a>plain <B>bold</B> end</P></BODY></HTML>"));
    ASSERT_TRUE(slotOf(active()).designViewShown);
    focusPage();
    main->runCommand(QStringLiteral("text1properteis"));
    auto* window = main->findChild<ink::DesignSelectionWindow*>("frmEditSelection");
    ASSERT_TRUE(window);
    const auto shows = [window](bool bold) {
        return waitUntil([window, bold] {
            return window->editor()->text().contains(QStringLiteral("<B>bold</B>")) == bold;
        }, 2000);
    };
    focusPage();
    // Each key is read at once after the one before: a read that overtakes
    // the key's handling shows up within a few rounds on a busy machine.
    for (int round = 0; round < 5; ++round) {
        selectInParagraph("a", 0, 0);
        QTest::keyClick(pageKeys(), Qt::Key_End, Qt::ShiftModifier);
        EXPECT_TRUE(shows(true)) << round << ": " << window->editor()->text().toStdString();
        QTest::keyClick(pageKeys(), Qt::Key_Home);
        EXPECT_TRUE(shows(false)) << round << ": " << window->editor()->text().toStdString();
    }
}

// Words typed in the Design view and in the Code view, one after the other,
// across switches that find the other view's text unchanged: neither is
// lost, on a short page (loaded again for a Code edit) and on a long one
// (the Code edit is laid into the shown page).
struct BothViewsCase {
    const char* name;
    int fillerParagraphs;
};

class BothViewsEdited : public DesignEditing, public ::testing::WithParamInterface<BothViewsCase> {};

TEST_P(BothViewsEdited, KeepEachOthersWords)
{
    QByteArray body = "<p id=\"a\">alpha</p>\n<p id=\"b\">beta</p>\n";
    for (int i = 0; i < GetParam().fillerParagraphs; ++i)
        body += QStringLiteral("<p>filler paragraph number %1 of the page</p>\n").arg(i).toUtf8();
    openFile(writePage("both.html", "<html>\n<body>\n" + body + "</body>\n</html>\n"));
    ink::DocumentWindow* w = active();
    ASSERT_TRUE(slotOf(w).designViewShown);
    w->switchToCode();
    w->switchToDesign();
    w->waitForDesign();

    focusPage();
    selectInParagraph("a", 5, 5);
    QTest::keyClicks(pageKeys(), QStringLiteral("X"));
    ASSERT_TRUE(waitUntil([this] { return paragraphText("a") == "alphaX"; }));
    w->switchToCode();
    ASSERT_TRUE(w->code()->text().contains(QStringLiteral("<p id=\"a\">alphaX</p>")));

    QString code = w->code()->text();
    code.replace(QStringLiteral(">beta<"), QStringLiteral(">betaY<"));
    w->code()->setText(code);
    w->switchToDesign();
    w->waitForDesign();
    ASSERT_TRUE(waitUntil([this] { return paragraphText("b") == "betaY"; }));

    focusPage();
    selectInParagraph("b", 5, 5);
    QTest::keyClicks(pageKeys(), QStringLiteral("Z"));
    ASSERT_TRUE(waitUntil([this] { return paragraphText("b") == "betaYZ"; }));
    w->switchToCode();
    const QString both = w->code()->text();
    EXPECT_TRUE(both.contains(QStringLiteral("<p id=\"a\">alphaX</p>"))) << qPrintable(both.left(300));
    EXPECT_TRUE(both.contains(QStringLiteral("<p id=\"b\">betaYZ</p>"))) << qPrintable(both.left(300));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, BothViewsEdited,
    ::testing::Values(BothViewsCase{"short", 3}, BothViewsCase{"long", 3000}),
    [](const ::testing::TestParamInfo<BothViewsCase>& info) { return info.param.name; });
