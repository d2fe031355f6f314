// Start-up: the shutdown watchdog, then the main window.
#include "app/widgets/MainWindow.h"
#include "base/widgets/Icons.h"
#include "platform/widgets/EngineEnvironment.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    ink::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    ink::chooseSceneGraphBackend();
    QApplication::setApplicationName(QStringLiteral("Inkpress"));
    // The desktop matches the windows with the menu entry inkpress.desktop.
    QApplication::setDesktopFileName(QStringLiteral("inkpress"));
    ink::prepareIconTheme();
    QApplication::setWindowIcon(ink::programIcon());
    QApplication::setQuitOnLastWindowClosed(false);

    // The whole command line is one page path; an unquoted path with blanks
    // arrives in pieces and is joined again.
    const QStringList args = QApplication::arguments().mid(1);
    const QString commandLine = args.join(QLatin1Char(' '));

    auto* window = new ink::MainWindow;

    // The watchdog: once the main window is gone after the user closed it,
    // the process ends, whatever windows remain.
    QTimer watchdog;
    watchdog.setInterval(10);
    QObject::connect(&watchdog, &QTimer::timeout, [window] {
        const ink::ShellFlags& flags = window->shellFlags();
        if (flags.appClosing && !flags.mainWindowAlive)
            QApplication::quit();
    });
    watchdog.start();

    window->startUp(commandLine);
    const int rc = QApplication::exec();
    delete window;
    return rc;
}
