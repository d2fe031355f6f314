// Typing in the Code view: milliseconds per key on an empty and a 10 MB
// page, next to a plain code editor alone in its window measured in the
// same run, and the processor time an idle Code view costs. Run without
// arguments it measures both scene graph backends, each in a process of its
// own, and prints their figures side by side. Asserts nothing.
//
// Usage: typing_bench [--backend=chosen|software|opengl]
#include "BenchSupport.h"

#include "app/widgets/MainWindow.h"
#include "base/widgets/Prompts.h"
#include "document/widgets/DocumentWindow.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"
#include "platform/widgets/EngineEnvironment.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QWindow>
#include <Qsci/qsciscintilla.h>
#include <cstdio>

namespace {

constexpr int kKeys = 150;
// A quick typist: a key every 40 ms.
constexpr int kKeyIntervalMs = 40;

struct KeyCost {
    double wallMs;
    double cpuMs; // this process, per key, idle cost taken off
};

// Types kKeys letters into `target` at a typist's pace; each key is pressed,
// released and painted before the next.
KeyCost typeInto(QWidget* target, double idleCpuPerMs)
{
    target->setFocus();
    bench::idle(300);
    double wall = 0;
    const double cpuStart = bench::ownCpuMs();
    QElapsedTimer span;
    span.start();
    for (int i = 0; i < kKeys; ++i) {
        const QChar letter(QLatin1Char('a' + i % 26));
        wall += bench::timedMs([&] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_A + i % 26, Qt::NoModifier, letter);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_A + i % 26, Qt::NoModifier, letter);
            QCoreApplication::sendEvent(target, &press);
            QCoreApplication::sendEvent(target, &release);
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        });
        bench::idle(kKeyIntervalMs);
    }
    const double cpu = bench::ownCpuMs() - cpuStart - idleCpuPerMs * span.elapsed();
    return {wall / kKeys, cpu / kKeys};
}

// Processor time per second of an idle event loop: this process, the tree.
std::pair<double, double> idleCpu(int ms)
{
    bench::idle(500);
    const double own = bench::ownCpuMs();
    const double tree = bench::treeCpuMs();
    bench::idle(ms);
    return {(bench::ownCpuMs() - own) * 1000.0 / ms, (bench::treeCpuMs() - tree) * 1000.0 / ms};
}

class SilentPrompts : public ink::Prompts {
public:
    void message(QWidget*, const QString&, const QString&) override {}
    void warning(QWidget*, const QString&, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
};

int measure(int argc, char** argv, const QString& backend)
{
    QTemporaryDir programDir;
    qputenv("INKPRESS_PROGRAM_FOLDER", programDir.path().toUtf8());
    ink::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    const char* used = nullptr;
    if (backend == QLatin1String("software")) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        used = "software (forced)";
    } else if (backend == QLatin1String("opengl")) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::OpenGL);
        used = "opengl (forced)";
    } else {
        used = ink::chooseSceneGraphBackend();
    }
    SilentPrompts prompts;
    ink::Prompts::install(&prompts);

    // The plain editor first, alone in its window, before any web view.
    auto* plain = new QsciScintilla;
    plain->resize(900, 600);
    plain->show();
    bench::waitFor([plain] { return plain->windowHandle() && plain->windowHandle()->isExposed(); });
    const auto idleBare = idleCpu(2000);
    const KeyCost plainKey = typeInto(plain, idleBare.first / 1000.0);
    delete plain;

    auto* main = new ink::MainWindow;
    main->startUp(QString());
    bench::waitFor([main] {
        return main->isVisible() && main->windowHandle() && main->windowHandle()->isExposed();
    });
    main->runCommand(QStringLiteral("new"));
    ink::DocumentWindow* w = main->activeWindow();
    w->waitForDesign();
    w->switchToCode();
    const auto idleCode = idleCpu(5000);
    QWidget* editor = w->code()->widget();
    const KeyCost emptyKey = typeInto(editor, idleCode.first / 1000.0);

    w->code()->setText(bench::generatedPage(10 << 20));
    bench::idle(1000);
    const KeyCost bigKey = typeInto(editor, idleCode.first / 1000.0);

    std::printf("[%s] plain editor alone: %.2f ms a key (%.2f ms processor)\n", used,
                plainKey.wallMs, plainKey.cpuMs);
    std::printf("[%s] Code view, empty page: %.2f ms a key (%.2f ms processor), %.1fx the plain "
                "editor\n",
                used, emptyKey.wallMs, emptyKey.cpuMs,
                plainKey.wallMs > 0 ? emptyKey.wallMs / plainKey.wallMs : 0.0);
    std::printf("[%s] Code view, 10 MB page: %.2f ms a key (%.2f ms processor), %.1fx the plain "
                "editor\n",
                used, bigKey.wallMs, bigKey.cpuMs,
                plainKey.wallMs > 0 ? bigKey.wallMs / plainKey.wallMs : 0.0);
    std::printf("[%s] idle Code view: %.1f ms processor a second (whole process tree %.1f); a "
                "bare application %.1f\n",
                used, idleCode.first, idleCode.second, idleBare.first);
    std::fflush(stdout);
    main->shellFlags().appClosing = true;
    std::_Exit(0);
}

}

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--backend=")))
            return measure(argc, argv, arg.mid(10));
    }
    std::printf("load average %.1f on %ld cores\n", bench::loadAverage(),
                sysconf(_SC_NPROCESSORS_ONLN));
    std::fflush(stdout);
    for (const char* backend : {"chosen", "opengl", "software"}) {
        QProcess run;
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        run.start(QString::fromLocal8Bit(argv[0]),
                  {QStringLiteral("--backend=") + QLatin1String(backend)});
        run.waitForFinished(600000);
    }
    return 0;
}
