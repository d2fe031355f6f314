// One start of the program, or of what it is measured against, for
// bench_all: a start to the main window shown and to a new page ready to type
// in the Design view. Prints "figure" lines (see BenchSupport.h).
//
// Usage: start_bench program | bare | eager
//   program  the editor: main window shown, then File > New until its Design
//            view has loaded the page
//   bare     a bare QMainWindow of the same size and place, shown
//   eager    a QMainWindow with a web view (scripts off) loading the new page
//            template from the start, until loaded
#include "BenchSupport.h"

#include "app/widgets/MainWindow.h"
#include "document/DocumentRoutines.h"
#include "document/widgets/DocumentWindow.h"
#include "platform/DesignSurface.h"
#include "platform/widgets/EngineEnvironment.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWindow>
#include <cstring>

namespace {

bool exposed(QWidget* window)
{
    return window->isVisible() && window->windowHandle() && window->windowHandle()->isExposed();
}

void startProgram()
{
    auto* main = new ink::MainWindow;
    main->startUp(QString());
    bench::waitFor([main] { return exposed(main); });
    bench::figure("start, main window shown", "program", bench::msSinceProcessStart());
    main->runCommand(QStringLiteral("new"));
    bench::waitFor([main] {
        ink::DocumentWindow* w = main->activeWindow();
        return w && !w->design()->busy() && w->design()->widget()->isVisible();
    });
    bench::figure("start, new page ready in Design", "program", bench::msSinceProcessStart());
    main->shellFlags().appClosing = true;
}

// Where and how large the program places its main window on a first start:
// nine tenths of the screen's free area, a twentieth in from its corner. A
// larger window costs more to paint, so the baselines take the same.
QMainWindow* bareWindow()
{
    auto* window = new QMainWindow;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    window->resize(screen.width() * 90 / 100, screen.height() * 90 / 100);
    window->move(screen.x() + screen.width() * 5 / 100, screen.y() + screen.height() * 5 / 100);
    window->show();
    return window;
}

void startBare()
{
    QMainWindow* window = bareWindow();
    bench::waitFor([window] { return exposed(window); });
    bench::figure("start, main window shown", "baseline", bench::msSinceProcessStart());
}

void startEager()
{
    QMainWindow* window = bareWindow();
    auto* view = new QWebEngineView(window);
    view->page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    window->setCentralWidget(view);
    bool loaded = false;
    QObject::connect(view, &QWebEngineView::loadFinished, [&loaded] { loaded = true; });
    view->setHtml(ink::newPageTemplate());
    view->setFocus();
    bench::waitFor([&] { return loaded && exposed(window); });
    bench::figure("start, new page ready in Design", "baseline", bench::msSinceProcessStart());
}

}

int main(int argc, char** argv)
{
    QTemporaryDir programDir;
    qputenv("INKPRESS_PROGRAM_FOLDER", programDir.path().toUtf8());
    ink::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    ink::chooseSceneGraphBackend();
    const char* mode = argc > 1 ? argv[1] : "program";
    if (std::strcmp(mode, "bare") == 0)
        startBare();
    else if (std::strcmp(mode, "eager") == 0)
        startEager();
    else
        startProgram();
    std::fflush(stdout);
    std::_Exit(0);
}
