// Measures start-up, a new page, and switching large pages between the views.
// Prints the times; it asserts nothing.
#include "app/widgets/MainWindow.h"
#include "document/DocumentRoutines.h"
#include "document/widgets/DocumentFiles.h"
#include "document/widgets/DocumentWindow.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"
#include "platform/widgets/EngineEnvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QWindow>
#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

// Milliseconds since the kernel started this process.
double msSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string field;
    for (int i = 0; i < 22 && stat >> field; ++i) {
    }
    const double startTicks = std::stod(field);
    std::ifstream uptimeFile("/proc/uptime");
    double uptime = 0;
    uptimeFile >> uptime;
    return (uptime - startTicks / sysconf(_SC_CLK_TCK)) * 1000.0;
}

void waitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
}

QString bigPage(int bytes)
{
    QString body;
    int i = 0;
    while (body.size() < bytes)
        body += QStringLiteral("<P>Paragraph %1 with <B>some bold</B> and a <A href=\"x%1.html\">link</A>.</P>\r\n").arg(i++);
    QString page = ink::newPageTemplate();
    page.replace(QStringLiteral("<div></div>"), body);
    return page;
}

template <typename F>
double timed(F&& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

}

int main(int argc, char** argv)
{
    QTemporaryDir programDir;
    qputenv("INKPRESS_PROGRAM_FOLDER", programDir.path().toUtf8());
    ink::prepareWebEngineEnvironment();
    std::printf("main() entered: %.0f ms after process start\n", msSinceProcessStart());
    QApplication app(argc, argv);
    std::printf("application ready: %.0f ms after process start\n", msSinceProcessStart());

    auto* main = new ink::MainWindow;
    std::printf("main window built: %.0f ms after process start\n", msSinceProcessStart());
    main->startUp(QString());
    std::printf("start-up done: %.0f ms after process start\n", msSinceProcessStart());
    waitFor([main] { return main->isVisible() && main->windowHandle() && main->windowHandle()->isExposed(); });
    std::printf("main window shown: %.0f ms after process start (target 500 ms)\n", msSinceProcessStart());

    const double newPage = timed([main] {
        main->runCommand(QStringLiteral("new"));
        waitFor([main] { return main->activeWindow() && !main->activeWindow()->design()->busy(); });
    });
    std::printf("new page ready in Design: %.0f ms (target 1200 ms)\n", newPage);

    ink::DocumentWindow* w = main->activeWindow();
    w->switchToCode();
    w->code()->setText(bigPage(1 << 20));
    // Until the engine answers again, i.e. the page is parsed and laid out.
    const double toDesign = timed([w] {
        w->switchToDesign();
        w->waitForDesign();
        w->design()->title();
    });
    std::printf("1 MB page Code -> Design, laid out: %.0f ms (target 500 ms)\n", toDesign);
    const double toCode = timed([w] { w->switchToCode(); });
    std::printf("1 MB page Design -> Code, untouched: %.0f ms (target 500 ms)\n", toCode);
    w->switchToDesign();
    w->design()->setFocus();
    w->design()->pasteHtml(QStringLiteral("<B>edit</B>"));
    const double toCodeEdited = timed([w] { w->switchToCode(); });
    std::printf("1 MB page Design -> Code, edited in Design: %.0f ms (target 500 ms)\n", toCodeEdited);

    // Opening a 5 MB page.
    QTemporaryDir pages;
    const QString path = pages.filePath(QStringLiteral("big.html"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bigPage(5 << 20).toUtf8());
    }
    const double open5 = timed([main, path] {
        main->files().openPaths({path}, true);
        main->activeWindow()->waitForDesign();
    });
    std::printf("5 MB page opened and shown in Design: %.0f ms\n", open5);
    const double code5 = timed([main] { main->activeWindow()->switchToCode(); });
    std::printf("5 MB page shown in Code: %.0f ms\n", code5);

    main->shellFlags().appClosing = true;
    std::fflush(stdout);
    std::_Exit(0);
}
