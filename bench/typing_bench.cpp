// Measures typing into the Code view of a 10 MB page: the time from a key
// press until the editor and the window's change handler are done with it.
// Prints the times; it asserts nothing.
#include "app/widgets/MainWindow.h"
#include "document/DocumentRoutines.h"
#include "document/widgets/DocumentWindow.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"
#include "platform/widgets/EngineEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

void settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
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

// Sends one key to the editor and runs the events it queues.
double typeKey(QWidget* editor, QChar c)
{
    QElapsedTimer clock;
    clock.start();
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(editor, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(editor, &release);
    QCoreApplication::processEvents();
    return clock.nsecsElapsed() / 1e6;
}

}

int main(int argc, char** argv)
{
    ink::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    QTemporaryDir programDir;
    qputenv("INKPRESS_PROGRAM_FOLDER", programDir.path().toUtf8());
    auto* main = new ink::MainWindow;
    main->startUp(QString());
    main->runCommand(QStringLiteral("new"));
    ink::DocumentWindow* doc = main->activeWindow();
    doc->switchToCode();
    doc->code()->setText(bigPage(10 * 1024 * 1024));
    settle(500);
    doc->code()->setSelection(5000000, 5000000);
    doc->code()->setFocus();
    settle(200);

    QElapsedTimer probe;
    probe.start();
    const ink::CodeEditor::Change change = doc->code()->lastChange();
    std::printf("reading the last change: %.2f ms (%d..%d)\n", probe.nsecsElapsed() / 1e6, change.start, change.end);
    probe.restart();
    doc->code()->textRange(4999980, 5000020);
    std::printf("reading 40 characters at the caret: %.2f ms\n", probe.nsecsElapsed() / 1e6);

    const QString typed = QStringLiteral("typing content=\"MSHTML here");
    if (argc > 2) {
        doc->code()->setSyntaxColouring(false);
        std::printf("(syntax colouring is off)\n");
    }
    if (argc > 1) {
        // Without the window's change handler: what the editor alone costs.
        QObject::disconnect(doc->code(), &ink::CodeEditor::textChanged, doc, nullptr);
        std::printf("(the window's change handler is off)\n");
    }
    double total = 0, worst = 0;
    for (const QChar c : typed) {
        const double ms = typeKey(doc->code()->widget(), c);
        total += ms;
        worst = std::max(worst, ms);
    }
    std::printf("typing %lld keys into a %lld-character page: %.2f ms a key on average, %.2f ms at worst\n",
                static_cast<long long>(typed.size()), static_cast<long long>(doc->code()->text().size()),
                total / typed.size(), worst);
    const QString around = doc->code()->textRange(5000000, 5000000 + 50);
    std::printf("text at the caret: %s\n", qPrintable(around));
    delete main;
    return 0;
}
