// Big pages: open to shown in the Design view, Code -> Design, Design ->
// Code untouched and after an edit, and a save from the Code view, for
// generated pages of the sizes given. Each figure is printed next to what a
// plain web view (scripts off) or a plain file write takes for the same page,
// measured in the same run, and as a "figure" line for bench_all.
//
// With --memory, one fresh process measures the memory of its whole process
// tree (the engine's processes included) once the pages have settled: the
// first page, and each further one, of the program's or of plain views.
// Asserts nothing.
//
// Usage: big_page_bench [sizes in MB, default "1 5 20"]
//        big_page_bench --memory program|plain
#include "BenchSupport.h"
#include "PageAnswer.h"

#include "app/widgets/MainWindow.h"
#include "base/widgets/Prompts.h"
#include "document/widgets/DocumentFiles.h"
#include "document/widgets/DocumentWindow.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"
#include "platform/widgets/EngineEnvironment.h"

#include <QApplication>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWindow>
#include <cmath>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// Asks the engine for the height of the laid-out body: answered once the
// page is parsed and laid out as far as it is shown.
void probeLayout(QWebEnginePage* page)
{
    bench::answer(page, QStringLiteral("document.body ? document.body.getBoundingClientRect().height : 0"));
}

// When the page's document was created.
double documentOrigin(QWebEnginePage* page)
{
    return bench::answer(page, QStringLiteral("performance.timeOrigin")).toDouble();
}

// Waits until a document newer than `before` holds its first element in
// the body: the parser has handed the top of the page to the view, which
// shows it with the next frame while the rest is still being read.
bool probeTopShown(QWebEnginePage* page, double before)
{
    const QString script = QStringLiteral("performance.timeOrigin > %1 && !!(document.body && "
                                          "document.body.firstElementChild)")
                               .arg(before, 0, 'f', 3);
    return bench::answersTrue(page, script);
}

// Waits until the page's paragraph `n` holds `text`; asked of the page
// without walking all that has been parsed of it (or making a string of it).
bool probeParagraph(QWebEnginePage* page, int n, const QString& text)
{
    const QString script = QStringLiteral("(p => !!p && p.textContent.includes('%1'))"
                                          "(document.getElementsByTagName('P')[%2])")
                               .arg(text)
                               .arg(n);
    return bench::answersTrue(page, script);
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

double plainLoadMs(const QString& path, double* topMs = nullptr,
                   double* outerHtmlMs = nullptr)
{
    auto view = plainView();
    bench::idle(200);
    const double ms = bench::timedMs([&] {
        bool finished = false;
        QObject::connect(view->page(), &QWebEnginePage::loadFinished,
                         [&finished] { finished = true; });
        if (topMs) {
            const double before = documentOrigin(view->page());
            *topMs = bench::timedMs([&] {
                view->load(QUrl::fromLocalFile(path));
                probeTopShown(view->page(), before);
            });
        } else {
            view->load(QUrl::fromLocalFile(path));
        }
        bench::waitFor([&] { return finished; });
        probeLayout(view->page());
    });
    if (outerHtmlMs) {
        bench::idle(300);
        *outerHtmlMs = bench::timedMs(
            [&] { bench::answer(view->page(), QStringLiteral("document.documentElement.outerHTML.length")); });
    }
    return ms;
}

// A save replaces a file that is there: the bare write replaces one too
// (made first, untimed, and on the disk before the timed write), as long as
// the page.
double plainSaveMs(const QString& text, const QString& path)
{
    const auto save = [&] {
        QSaveFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text.toUtf8());
        file.write("\r\n");
        file.commit();
    };
    save();
    ::sync();
    return bench::timedMs(save);
}

class SilentPrompts : public ink::Prompts {
public:
    void message(QWidget*, const QString&, const QString&) override {}
    void warning(QWidget*, const QString&, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
};

QString sizeText(double mb)
{
    return mb < 1 ? QStringLiteral("%1 KB").arg(qRound(mb * 1024)) : QStringLiteral("%1 MB").arg(mb);
}

void row(const char* what, double mb, double programMs, double plainMs)
{
    const QByteArray name = (QString::fromLatin1(what) + QStringLiteral(", ") + sizeText(mb)).toUtf8();
    std::printf("%-48s  program %8.1f ms  plain %8.1f ms  ratio %.2f\n", name.constData(),
                programMs, plainMs, plainMs > 0 ? programMs / plainMs : 0.0);
    bench::figure(name.constData(), "program", programMs);
    bench::figure(name.constData(), "baseline", plainMs);
}

void measurePage(ink::MainWindow& main, const QString& folder, double mb)
{
    const QString text = bench::generatedPage(int(mb * (1 << 20)));
    const QString path =
        bench::writeFile(folder + QStringLiteral("/big%1.html").arg(qRound(mb * 1024)), text);

    double plainTop = 0;
    double plainOuterHtml = 0;
    const double plainOpen = plainLoadMs(path, &plainTop, &plainOuterHtml);
    double openTop = 0;
    double openReturned = 0;
    double open = 0;
    bench::StallWatch watch;
    const double stall = watch.run([&] {
        open = bench::timedMs([&] {
            openTop = bench::timedMs([&] {
                openReturned = bench::timedMs([&] { main.files().openPaths({path}, true); });
                probeParagraph(designPage(main.activeWindow()), 0, QStringLiteral("Paragraph 0 with"));
            });
            main.activeWindow()->waitForDesign();
            probeLayout(designPage(main.activeWindow()));
        });
    });
    std::fprintf(stderr, "open returned after %.1f ms\n", openReturned);
    row("open, top shown in Design", mb, openTop, plainTop);
    row("open, all laid out in Design", mb, open, plainOpen);
    // The window's own thread: the open request, then the window answering
    // while the page loads (nothing to compare it with).
    row("open, longest the window stood still", mb, stall, 0);

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
        probeParagraph(designPage(w), 3, QStringLiteral("Paragraph 3 now with"));
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
    row("Design -> Code, one-character edit", mb, edited, plainOuterHtml);
    // The page is saved from the Code view, over its file. A save waits
    // until its bytes are on the disk, and the file system then writes out
    // whatever else is waiting with them: both saves start from a disk that
    // has nothing waiting, so that neither pays for the other's writes (or
    // for any other program's).
    const QString edit = w->code()->text();
    ::sync();
    const double saved = bench::timedMs([&main] { main.files().save(); });
    row("save from the Code view", mb, saved, plainSaveMs(edit, path + QStringLiteral(".plain")));
    main.documents().at(w->slot()).modified = false;
    w->close();
    bench::idle(500);
}

// The process tree's memory once it no longer changes by more than a
// megabyte a second (the engine frees and lays out for a while after a load).
double settledPssMb()
{
    double last = bench::treePssMb();
    for (int i = 0; i < 15; ++i) {
        bench::idle(1000);
        const double now = bench::treePssMb();
        if (std::abs(now - last) < 1.0)
            return now;
        last = now;
    }
    return last;
}

// A fresh process: the first page, and each of four further pages, with
// nothing else ever opened in it.
void measureMemory(bool program)
{
    ink::MainWindow* main = nullptr;
    std::vector<std::unique_ptr<QWebEngineView>> views;
    QTemporaryDir folder;
    const QString page =
        bench::writeFile(folder.filePath(QStringLiteral("new.html")), ink::newPageTemplate());
    if (program) {
        main = new ink::MainWindow;
        main->startUp(QString());
    }
    const auto open = [&](int count) {
        for (int i = 0; i < count; ++i) {
            if (program) {
                main->runCommand(QStringLiteral("new"));
                main->activeWindow()->waitForDesign();
            } else {
                views.push_back(plainView());
                bool loaded = false;
                QObject::connect(views.back()->page(), &QWebEnginePage::loadFinished,
                                 [&loaded] { loaded = true; });
                views.back()->load(QUrl::fromLocalFile(page));
                bench::waitFor([&] { return loaded; });
            }
        }
    };
    const char* side = program ? "program" : "baseline";
    const double empty = settledPssMb();
    open(1);
    const double one = settledPssMb();
    open(4);
    const double five = settledPssMb();
    bench::figure("memory, first page (MB)", side, one - empty);
    bench::figure("memory, each further page (MB)", side, (five - one) / 4);
    if (main)
        main->shellFlags().appClosing = true;
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
    if (argc > 2 && QByteArray(argv[1]) == "--memory") {
        measureMemory(QByteArray(argv[2]) == "program");
        std::fflush(stdout);
        std::_Exit(0);
    }
    std::printf("scene graph: %s; load average at start %.1f on %ld cores\n", backend,
                bench::loadAverage(), sysconf(_SC_NPROCESSORS_ONLN));

    auto* main = new ink::MainWindow;
    main->startUp(QString());
    bench::waitFor([main] {
        return main->isVisible() && main->windowHandle() && main->windowHandle()->isExposed();
    });
    std::printf("main window shown: %.0f ms after process start\n", bench::msSinceProcessStart());

    QList<double> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLatin1(argv[i]).toDouble();
    if (sizes.isEmpty())
        sizes = {1, 5, 20};
    QTemporaryDir pages;
    for (double mb : sizes)
        measurePage(*main, pages.path(), mb);

    std::printf("load average at end %.1f\n", bench::loadAverage());
    main->shellFlags().appClosing = true;
    std::fflush(stdout);
    std::_Exit(0);
}
