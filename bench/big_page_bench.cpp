// Big pages: open to shown in the Design view, Code -> Design, Design ->
// Code untouched and after an edit, for generated 1, 5 and 20 MB pages,
// and the memory of the process tree with 1, 5 and 10 pages open. Each
// figure is printed next to a plain web view loading the same file with
// scripts off, measured in the same run, as a ratio. Asserts nothing.
//
// Usage: big_page_bench [sizes in MB, default "1 5 20"]
#include "BenchSupport.h"

#include "app/widgets/MainWindow.h"
#include "base/widgets/Prompts.h"
#include "document/widgets/DocumentFiles.h"
#include "document/widgets/DocumentWindow.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"
#include "platform/widgets/EngineEnvironment.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWindow>
#include <cstdio>
#include <memory>

namespace {

// The page's answer to `script`, waited for with the bench's own event
// loop (no wait notice of the program's, which would hold back its work).
QVariant answer(QWebEnginePage* page, const QString& script)
{
    QVariant value;
    bool answered = false;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
        answered = true;
        value = v;
    });
    bench::waitFor([&] { return answered; });
    return value;
}

// Asks the engine for the height of the laid-out body: answered once the
// page is parsed and laid out as far as it is shown.
void probeLayout(QWebEnginePage* page)
{
    answer(page, QStringLiteral("document.body ? document.body.getBoundingClientRect().height : 0"));
}

// When the page's document was created.
double documentOrigin(QWebEnginePage* page)
{
    return answer(page, QStringLiteral("performance.timeOrigin")).toDouble();
}

// Waits until a document newer than `before` holds its first element in
// the body: the parser has handed the top of the page to the view, which
// shows it with the next frame while the rest is still being read.
bool probeTopShown(QWebEnginePage* page, double before)
{
    const QString script = QStringLiteral("performance.timeOrigin > %1 && !!(document.body && "
                                          "document.body.firstElementChild)")
                               .arg(before, 0, 'f', 3);
    return bench::waitFor([&] { return answer(page, script).toBool(); });
}

// Waits until the page's body holds `text`.
bool probeText(QWebEnginePage* page, const QString& text)
{
    const QString script = QStringLiteral("document.body.textContent.includes('%1')").arg(text);
    return bench::waitFor([&] { return answer(page, script).toBool(); });
}

QWebEnginePage* designPage(ink::DocumentWindow* w)
{
    return qobject_cast<QWebEngineView*>(w->design()->widget())->page();
}

// A plain view, scripts off, the size of a document window's Design view.
std::unique_ptr<QWebEngineView> plainView()
{
    auto view = std::make_unique<QWebEngineView>();
    view->page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    view->resize(860, 560);
    view->show();
    return view;
}

double plainLoadMs(const QString& path)
{
    auto view = plainView();
    bench::idle(200);
    return bench::timedMs([&] {
        bool finished = false;
        QObject::connect(view->page(), &QWebEnginePage::loadFinished,
                         [&finished] { finished = true; });
        view->load(QUrl::fromLocalFile(path));
        bench::waitFor([&] { return finished; });
        probeLayout(view->page());
    });
}

class SilentPrompts : public ink::Prompts {
public:
    void message(QWidget*, const QString&, const QString&) override {}
    void warning(QWidget*, const QString&, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
};

void row(const char* what, int mb, double programMs, double plainMs)
{
    std::printf("%-34s %3d MB  program %8.0f ms  plain %8.0f ms  ratio %.2f\n", what, mb,
                programMs, plainMs, plainMs > 0 ? programMs / plainMs : 0.0);
    std::fflush(stdout);
}

void measurePage(ink::MainWindow& main, const QString& folder, int mb)
{
    const QString text = bench::generatedPage(mb << 20);
    const QString path = bench::writeFile(folder + QStringLiteral("/big%1.html").arg(mb), text);

    const double plainOpen = plainLoadMs(path);
    double openTop = 0;
    const double open = bench::timedMs([&] {
        openTop = bench::timedMs([&] {
            main.files().openPaths({path}, true);
            probeText(designPage(main.activeWindow()), QStringLiteral("Paragraph 0 with"));
        });
        main.activeWindow()->waitForDesign();
        probeLayout(designPage(main.activeWindow()));
    });
    row("open, top shown in Design", mb, openTop, plainOpen);
    row("open, all laid out in Design", mb, open, plainOpen);

    ink::DocumentWindow* w = main.activeWindow();
    const double untouched = bench::timedMs([w] { w->switchToCode(); });
    const double plainSwitch = plainLoadMs(path);

    // A word typed into a paragraph near the top in the Code view: the
    // document takes it in place.
    QString codeText = text;
    codeText.replace(QStringLiteral("Paragraph 3 with"), QStringLiteral("Paragraph 3 now with"));
    w->code()->setText(codeText);
    const double patched = bench::timedMs([&] {
        w->switchToDesign();
        probeText(designPage(w), QStringLiteral("Paragraph 3 now with"));
    });
    row("Code -> Design, word typed", mb, patched, plainSwitch);

    // A change in the page's style sheet: the page is loaded again.
    w->switchToCode();
    codeText.replace(QStringLiteral("<style>"), QStringLiteral("<style>p{}"));
    w->code()->setText(codeText);
    double topShown = 0;
    const double before = documentOrigin(designPage(w));
    const double toDesign = bench::timedMs([&] {
        topShown = bench::timedMs([&] {
            w->switchToDesign();
            probeTopShown(designPage(w), before);
        });
        w->waitForDesign();
        probeLayout(designPage(w));
    });
    row("Code -> Design, loaded again, top", mb, topShown, plainSwitch);
    row("Code -> Design, loaded again, all", mb, toDesign, plainSwitch);
    row("Design -> Code, untouched", mb, untouched, plainSwitch);
    w->design()->setFocus();
    w->design()->pasteHtml(QStringLiteral("x"));
    // The user switches once the edit is shown.
    probeLayout(designPage(w));
    bench::idle(500);
    const double edited = bench::timedMs([w] { w->switchToCode(); });
    row("Design -> Code, one-character edit", mb, edited, plainSwitch);
    main.documents().at(w->slot()).modified = false;
    w->close();
    bench::idle(500);
}

void measureMemory(ink::MainWindow& main)
{
    const double base = bench::treePssMb();
    int open = 0;
    double plainPerPage = 0;
    {
        std::vector<std::unique_ptr<QWebEngineView>> views;
        const double before = bench::treePssMb();
        for (int i = 0; i < 5; ++i) {
            views.push_back(plainView());
            views.back()->setHtml(ink::newPageTemplate());
        }
        bench::idle(3000);
        plainPerPage = (bench::treePssMb() - before) / 5;
    }
    bench::idle(1000);
    double last = base;
    for (int target : {1, 5, 10}) {
        const int before = open;
        while (open < target) {
            main.runCommand(QStringLiteral("new"));
            main.activeWindow()->waitForDesign();
            ++open;
        }
        bench::idle(3000);
        const double now = bench::treePssMb();
        // Each further page: what the pages opened since the last step added.
        const double further = (now - last) / (open - before);
        last = now;
        std::printf("memory, %2d new pages open: %7.0f MB in all, %5.1f MB each further page; "
                    "plain view %5.1f MB; ratio %.2f\n",
                    open, now, further, plainPerPage,
                    plainPerPage > 0 ? further / plainPerPage : 0.0);
        std::fflush(stdout);
    }
}

}

int main(int argc, char** argv)
{
    QTemporaryDir programDir;
    qputenv("INKPRESS_PROGRAM_FOLDER", programDir.path().toUtf8());
    ink::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    const char* backend = ink::chooseSceneGraphBackend();
    SilentPrompts prompts;
    ink::Prompts::install(&prompts);
    std::printf("scene graph: %s; load average at start %.1f on %ld cores\n", backend,
                bench::loadAverage(), sysconf(_SC_NPROCESSORS_ONLN));

    auto* main = new ink::MainWindow;
    main->startUp(QString());
    bench::waitFor([main] {
        return main->isVisible() && main->windowHandle() && main->windowHandle()->isExposed();
    });
    std::printf("main window shown: %.0f ms after process start\n", bench::msSinceProcessStart());

    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLatin1(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {1, 5, 20};
    QTemporaryDir pages;
    for (int mb : sizes)
        measurePage(*main, pages.path(), mb);
    measureMemory(*main);

    std::printf("load average at end %.1f\n", bench::loadAverage());
    main->shellFlags().appClosing = true;
    std::fflush(stdout);
    std::_Exit(0);
}
