// Waits on the web engine: a load the engine cannot make, a big page still
// loading while the user edits it, an engine that does not answer in time,
// the progress shown meanwhile, and the hidden preview loading only when
// shown. In every case the page text is never replaced by anything but
// the design document itself.
#include "MainWindowFixture.h"

#include "platform/widgets/WebEngineDesignSurface.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <cstdlib>
#include <xcb/xcb.h>

using namespace inktest;

namespace {

// Makes the engine fail to load the program's working files, as it does
// for a folder it may not read.
class WorkingFileBlocker : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        if (info.requestUrl().path().contains(QLatin1String(".inkpress-")))
            info.block(true);
    }
};

QWebEngineView* designView(ink::DocumentWindow* w)
{
    return qobject_cast<QWebEngineView*>(w->design()->widget());
}

// Runs a script in the page's editor world without waiting for its answer.
void runWithoutWaiting(ink::DocumentWindow* w, const QString& script)
{
    designView(w)->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}

// Headings, paragraphs, lists and tables up to about `bytes`.
QString generatedPage(int bytes)
{
    QString body;
    body.reserve(bytes + 400);
    for (int i = 0; body.size() < bytes; ++i) {
        body += QStringLiteral("<H2>Part %1</H2>\r\n<P>Paragraph %1 with <B>bold</B> text and "
                               "a <A href=\"p%1.html\">link</A>.</P>\r\n"
                               "<UL><LI>one</LI><LI>two</LI></UL>\r\n"
                               "<TABLE><TR><TD>%1</TD><TD>cell</TD></TR></TABLE>\r\n")
                    .arg(i);
    }
    return QStringLiteral("<HTML>\r\n<HEAD>\r\n<TITLE>Big</TITLE>\r\n</HEAD>\r\n<BODY>\r\n")
        + body + QStringLiteral("</BODY>\r\n</HTML>");
}

class EngineWaits : public MainWindowTest {
protected:
    WorkingFileBlocker blocker;

    void TearDown() override
    {
        QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(nullptr);
        MainWindowTest::TearDown();
    }

    void blockWorkingFiles()
    {
        QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&blocker);
    }

    bool saidCouldNotLoad() const
    {
        return prompts.messages.filter(QStringLiteral("could not load the page")).size() == 1;
    }
};

// ---------------------------------------------------------------------------
// The engine cannot load the working file: every way of loading the Design
// view says so, keeps the code text as the page and lets no error page into
// the code or the file saved.

struct FailedLoadCase {
    const char* name;
    // Makes the Design view load `text` (the window is in the Code view).
    void (*load)(ink::DocumentWindow* w, const QString& text);
};

class FailedLoad : public EngineWaits, public ::testing::WithParamInterface<FailedLoadCase> {};

TEST_P(FailedLoad, KeepsTheCodeTextAndSaysSo)
{
    ink::DocumentWindow* w = newPage();
    const QString path = writePage(QStringLiteral("page.html"), QByteArray());
    nextFileAnswer = QStringList{path};
    w->switchToCode();
    QString text = w->code()->text();
    text.replace(QStringLiteral("<div></div>"), QStringLiteral("<P>kept text</P>"));
    w->code()->setText(text);

    blockWorkingFiles();
    GetParam().load(w, text);
    waitIdle(w);
    pump(100);

    EXPECT_TRUE(w->design()->loadFailed());
    EXPECT_TRUE(saidCouldNotLoad()) << prompts.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(w->code()->text(), text);
    EXPECT_FALSE(slotOf(w).designViewShown);
    EXPECT_TRUE(w->code()->widget()->isVisible());

    // Neither a switch nor a save takes the engine's page for the user's.
    w->switchToCode();
    EXPECT_EQ(w->code()->text(), text);
    ASSERT_TRUE(main->files().saveAs());
    EXPECT_EQ(readBytes(path), (text + QStringLiteral("\r\n")).toUtf8());
}

INSTANTIATE_TEST_SUITE_P(
    EveryLoad, FailedLoad,
    ::testing::Values(
        FailedLoadCase{"SwitchToDesign",
                       [](ink::DocumentWindow* w, const QString&) { w->switchToDesign(); }},
        FailedLoadCase{"ViewRefreshFromCode",
                       [](ink::DocumentWindow* w, const QString&) { w->refreshViews(); }},
        FailedLoadCase{"RefreshButtonFromCode",
                       [](ink::DocumentWindow* w, const QString&) { w->refresh(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineWaits, DesignEditThenFailedReloadKeepsTheEditedCode)
{
    ink::DocumentWindow* w = codePageWithBody(QStringLiteral("<P>first</P>"));
    w->switchToDesign();
    waitIdle(w);
    w->design()->setFocus();
    w->design()->pasteHtml(QStringLiteral("<B>added</B>"));
    w->switchToCode();
    const QString edited = w->code()->text();
    ASSERT_TRUE(edited.contains(QStringLiteral("added")));

    blockWorkingFiles();
    w->code()->setText(edited + QStringLiteral(" "));
    w->switchToDesign();
    waitIdle(w);
    pump(100);
    w->switchToCode();
    EXPECT_EQ(w->code()->text(), edited + QStringLiteral(" "));
    EXPECT_FALSE(w->code()->text().contains(QStringLiteral("chrome-error")));
}

// ---------------------------------------------------------------------------
// The engine does not answer in time: the code keeps its text, the user
// stays in the Design view with the edit and is told; nothing is saved.

struct NoAnswerCase {
    const char* name;
    // Runs the command; returns whether it reported success.
    bool (*run)(ink::MainWindow& main, ink::DocumentWindow* w);
    bool staysInDesign;
};

class NoAnswer : public EngineWaits, public ::testing::WithParamInterface<NoAnswerCase> {};

TEST_P(NoAnswer, IsAFailureNeverStaleText)
{
    const QString path = writePage(QStringLiteral("named.html"), QByteArray("old"));
    ink::DocumentWindow* w = codePageWithBody(QStringLiteral("<P>first</P>"));
    w->switchToDesign();
    waitIdle(w);
    w->design()->pasteHtml(QStringLiteral("<B>added</B>"));
    const QString before = w->code()->text();
    main->documents().at(w->slot()).folder = pagesDir.path();
    w->setCaption(QStringLiteral("named.html"));

    auto* surface = dynamic_cast<ink::WebEngineDesignSurface*>(w->design());
    ASSERT_NE(surface, nullptr);
    surface->setAnswerTimeouts(300, 300);
    runWithoutWaiting(w, QStringLiteral("{const t = Date.now(); while (Date.now() - t < 2500) {}}"));
    const bool ok = GetParam().run(*main, w);

    EXPECT_FALSE(ok);
    EXPECT_EQ(w->code()->text(), before);
    EXPECT_EQ(readBytes(path), QByteArray("old"));
    EXPECT_EQ(prompts.messages.filter(QStringLiteral("could not give back")).size(), 1);
    if (GetParam().staysInDesign) {
        EXPECT_TRUE(slotOf(w).designViewShown);
        EXPECT_TRUE(w->design()->widget()->isVisible());
    }

    // Once the engine answers again, the edit is all there.
    surface->setAnswerTimeouts(8000, 60000);
    pump(2500);
    w->switchToCode();
    EXPECT_TRUE(w->code()->text().contains(QStringLiteral("<B>added</B>")));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, NoAnswer,
    ::testing::Values(
        NoAnswerCase{"SwitchToCode",
                     [](ink::MainWindow&, ink::DocumentWindow* w) {
                         w->switchToCode();
                         return !w->code()->widget()->isVisible() ? false : true;
                     },
                     true},
        NoAnswerCase{"Save",
                     [](ink::MainWindow& m, ink::DocumentWindow*) { return m.files().save(); },
                     true}),
    [](const auto& info) { return std::string(info.param.name); });

// The engine is kept busy from the moment the load ends, past the time the
// program waits for the title: the load ends without it, and the title the
// engine gives afterwards still reaches the title box.
TEST_F(EngineWaits, TitleAnsweredAfterTheLoadEndedIsShown)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    auto* surface = dynamic_cast<ink::WebEngineDesignSurface*>(w->design());
    ASSERT_NE(surface, nullptr);
    QWebEngineScript busy;
    busy.setName(QStringLiteral("busy-after-load"));
    busy.setInjectionPoint(QWebEngineScript::Deferred);
    busy.setWorldId(QWebEngineScript::ApplicationWorld);
    busy.setSourceCode(QStringLiteral("{const t = Date.now(); while (Date.now() - t < 2000) {}}"));
    designView(w)->page()->scripts().insert(busy);
    surface->setAnswerTimeouts(300, 60000);

    bool loadEnded = false;
    bool knownAtLoadEnd = true;
    QObject::connect(w->design(), &ink::DesignSurface::loadFinished, w, [&] {
        loadEnded = true;
        knownAtLoadEnd = w->design()->titleKnown();
    });
    QString text = w->code()->text();
    text.replace(QRegularExpression(QStringLiteral("<title>[^<]*</title>"),
                                    QRegularExpression::CaseInsensitiveOption),
                 QStringLiteral("<title>Late title</title>"));
    ASSERT_TRUE(text.contains(QStringLiteral("Late title")));
    w->code()->setText(text);
    w->refresh();
    ASSERT_TRUE(waitUntil([&] { return loadEnded; }, 30000));
    ASSERT_FALSE(knownAtLoadEnd) << "the engine answered before the load ended";
    surface->setAnswerTimeouts(8000, 60000);

    EXPECT_TRUE(waitUntil([w] { return w->titleBox()->text() == QLatin1String("Late title"); }, 10000))
        << w->titleBox()->text().toStdString();
    EXPECT_TRUE(w->design()->titleKnown());
}

// ---------------------------------------------------------------------------
// A big page still loading: the user edits the part already shown, and the
// edit survives Design -> Code -> Design. Meanwhile the program shows the
// busy cursor and what it is waiting for, and answers Exit.

class SlowLoad : public EngineWaits {
protected:
    ink::DocumentWindow* bigCodePage(int bytes)
    {
        ink::DocumentWindow* w = newPage();
        w->switchToCode();
        w->code()->setText(generatedPage(bytes));
        return w;
    }
};

TEST_F(SlowLoad, EditMadeWhileThePageStillLoadsIsKept)
{
    ink::DocumentWindow* w = bigCodePage(2 << 20);
    bool edited = false;
    bool asked = false; // one keystroke at a time
    bool editedWhileLoading = false;
    // What the status bar and the cursor showed at some moment of the load
    // (the load notice shows once the load has lasted a moment).
    QString statusWhileLoading;
    bool busyCursorWhileLoading = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        const QString status = main->statusBar()->currentMessage();
        if (!w->design()->busy() || !status.startsWith(QStringLiteral("Loading the page")))
            return;
        statusWhileLoading = status;
        busyCursorWhileLoading = busyCursorWhileLoading
            || (QApplication::overrideCursor()
                && QApplication::overrideCursor()->shape() == Qt::BusyCursor);
    });
    watcher.start(20);
    // The user's first keystroke, as soon as the first paragraph is there.
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, [&] {
        if (edited || asked || !w->design()->widget()->isVisible())
            return;
        asked = true;
        designView(w)->page()->runJavaScript(
            QStringLiteral("(function () { const p = document.querySelector('body > p');"
                           " if (!p) return false; getSelection().collapse(p.firstChild, 0);"
                           " document.execCommand('insertText', false, 'Typed');"
                           " return true; })()"),
            QWebEngineScript::ApplicationWorld, [&, w](const QVariant& done) {
                asked = false;
                if (!done.toBool())
                    return;
                edited = true;
                editedWhileLoading = w->design()->busy();
            });
    });
    typist.start(20);
    w->switchToDesign();
    ASSERT_TRUE(waitUntil([&] { return edited; }, 60000));
    typist.stop();
    waitIdle(w);
    watcher.stop();

    w->switchToCode();
    EXPECT_TRUE(w->code()->text().contains(QStringLiteral("<P>TypedParagraph 0 ")))
        << "edited while loading: " << editedWhileLoading;
    w->switchToDesign();
    waitIdle(w);
    w->switchToCode();
    EXPECT_TRUE(w->code()->text().contains(QStringLiteral("<P>TypedParagraph 0 ")));
    if (editedWhileLoading) {
        EXPECT_TRUE(statusWhileLoading.startsWith(QStringLiteral("Loading the page")))
            << statusWhileLoading.toStdString();
        EXPECT_TRUE(busyCursorWhileLoading);
    } else {
        std::cout << "[ note ] the page loaded before the first keystroke\n";
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(main->statusBar()->currentMessage().isEmpty());
}

TEST_F(SlowLoad, ExitIsAnsweredWhileTheDesignViewLoads)
{
    ink::DocumentWindow* w = bigCodePage(3 << 20);
    prompts.answerYes = false;
    bool exitedWhileLoading = false;
    // Exit does not wait for the long load to end.
    bool loadEnded = false;
    bool loadEndedBeforeExit = false;
    QObject::connect(w->design(), &ink::DesignSurface::loadFinished, [&] { loadEnded = true; });
    QTimer exitSoon;
    QObject::connect(&exitSoon, &QTimer::timeout, [&] {
        if (!w->design()->busy() || !w->design()->widget()->isVisible())
            return;
        exitSoon.stop();
        exitedWhileLoading = true;
        main->close(); // File > Exit
        loadEndedBeforeExit = loadEnded;
    });
    exitSoon.start(50);
    bool switchReturned = false;
    QTimer::singleShot(0, w, [&, w] {
        w->switchToDesign();
        switchReturned = true;
    });
    // The switch shows the first part of the page and returns; the load
    // goes on.
    ASSERT_TRUE(waitUntil([&] { return switchReturned && (exitedWhileLoading || loadEnded); },
                          120000));
    EXPECT_TRUE(exitedWhileLoading);
    EXPECT_FALSE(loadEndedBeforeExit);
    EXPECT_TRUE(main->shellFlags().appClosing);
    EXPECT_FALSE(main->shellFlags().mainWindowAlive);
    // The busy cursor goes with the closed page's load, once its view is
    // deleted (a deferred delete: on a loaded machine it may come a moment
    // after the close returns).
    EXPECT_TRUE(waitUntil([] { return QApplication::overrideCursor() == nullptr; }, 10000));
}

// ---------------------------------------------------------------------------
// The preview loads only when it is shown, and again only for new text.

TEST_F(EngineWaits, HiddenPreviewLoadsOnlyWhenShownAndOnlyForNewText)
{
    ink::DocumentWindow* w = newPage();
    auto* preview = qobject_cast<QWebEngineView*>(w->preview()->widget());
    ASSERT_NE(preview, nullptr);
    int loads = 0;
    QObject::connect(preview, &QWebEngineView::loadStarted, [&loads] { ++loads; });
    w->switchToCode();
    w->code()->setText(w->code()->text() + QStringLiteral(" "));
    w->switchToDesign();
    waitIdle(w);
    w->refresh();
    pump(300);
    EXPECT_EQ(loads, 0);
    EXPECT_TRUE(w->preview()->locationPath().isEmpty());

    w->switchToPreview();
    ASSERT_TRUE(waitUntil([w] { return w->preview()->locationPath() == w->workingFilePath(); }));
    pump(300);
    EXPECT_EQ(loads, 1);

    // Nothing changed: showing it again costs no load.
    w->switchToCode();
    w->switchToPreview();
    pump(300);
    EXPECT_EQ(loads, 1);

    w->switchToCode();
    w->code()->setText(w->code()->text() + QStringLiteral(" "));
    w->switchToPreview();
    EXPECT_TRUE(waitUntil([&loads] { return loads == 2; }));
}

}

// ---------------------------------------------------------------------------
// The window takes input while a long page loads and right after: a key
// typed goes through the display server, as the user's own keys do, so any
// wait of the program's that shuts input out holds it back.

namespace {

// Sends a key press and release of `keysym` (a Latin-1 character) to the
// focused widget of `window`'s top-level window through the X server; false
// when the program does not run on X or the key is not on the keyboard.
bool typeThroughDisplay(QWidget* window, char keysym)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, uint8_t(count)),
        nullptr);
    if (!mapping)
        return false;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping);
    xcb_keycode_t code = 0;
    for (int i = 0; i < count * mapping->keysyms_per_keycode && !code; ++i)
        if (syms[i] == xcb_keysym_t(keysym))
            code = xcb_keycode_t(setup->min_keycode + i / mapping->keysyms_per_keycode);
    free(mapping);
    if (!code)
        return false;
    const auto id = xcb_window_t(window->window()->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
    for (uint8_t type : {uint8_t(XCB_KEY_PRESS), uint8_t(XCB_KEY_RELEASE)}) {
        xcb_key_press_event_t event{};
        event.response_type = type;
        event.detail = code;
        event.root = root;
        event.event = id;
        event.same_screen = 1;
        xcb_send_event(connection, 0, id,
                       type == XCB_KEY_PRESS ? XCB_EVENT_MASK_KEY_PRESS : XCB_EVENT_MASK_KEY_RELEASE,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_flush(connection);
    return true;
}

}

TEST_F(EngineWaits, KeysReachTheTitleBoxWhileALongPageLoadsAndRightAfter)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "keys are typed through the X server";
    const QString path = writePage(QStringLiteral("long.html"), generatedPage(6 << 20).toUtf8());
    main->activateWindow();
    main->files().openPaths({path}, true);
    ink::DocumentWindow* w = active();
    ASSERT_NE(w, nullptr);
    QLineEdit* box = w->titleBox();
    box->setFocus();
    ASSERT_TRUE(waitUntil([box] { return box->hasFocus(); }));

    // While the page loads.
    ASSERT_TRUE(w->design()->busy()) << "the page loaded too soon to type during its load";
    bool typedWhileLoading = false;
    QObject::connect(box, &QLineEdit::textEdited, box, [&](const QString& text) {
        if (text.endsWith(QLatin1Char('x')))
            typedWhileLoading = w->design()->busy();
    });
    ASSERT_TRUE(typeThroughDisplay(box, 'x'));
    ASSERT_TRUE(waitUntil([&] { return box->text().endsWith(QLatin1Char('x')); }, 60000));
    EXPECT_TRUE(typedWhileLoading);

    // Right after: the engine is kept busy for a while from the moment the
    // load ends, while the caret is reported moved (the formatting bar asks
    // the page about it) and the title box is entered again; the key typed
    // then must not wait for the engine.
    box->setText(QString()); // no title typed: leaving the box changes nothing
    w->design()->setFocus();
    ASSERT_TRUE(waitUntil([box] { return !box->hasFocus(); }));
    bool engineFreed = false;
    bool typedWhileEngineBusy = false;
    QObject::connect(box, &QLineEdit::textEdited, box, [&](const QString& text) {
        if (text.endsWith(QLatin1Char('y')))
            typedWhileEngineBusy = !engineFreed;
    });
    QWebEnginePage* page = designView(w)->page();
    QMetaObject::Connection loadEnd;
    loadEnd = QObject::connect(page, &QWebEnginePage::loadFinished, box, [&] {
        QObject::disconnect(loadEnd);
        page->runJavaScript(QStringLiteral("{const t = Date.now(); while (Date.now() - t < 6000) {}}"),
                            QWebEngineScript::ApplicationWorld,
                            [&engineFreed](const QVariant&) { engineFreed = true; });
        main->designDisplayChanged();
        box->setFocus();
        typeThroughDisplay(box, 'y');
    });
    ASSERT_TRUE(waitUntil([&] { return engineFreed && box->text().endsWith(QLatin1Char('y')); },
                          120000));
    EXPECT_TRUE(typedWhileEngineBusy);
}
