// Measures start-up, a new page, and switching large pages between the views.
// Prints the times; it asserts nothing.
#include "BenchSupport.h"

#include "app/widgets/MainWindow.h"
#include "document/DocumentRoutines.h"
#include "document/widgets/DocumentFiles.h"
#include "document/widgets/DocumentWindow.h"
#include "markup/SourcePosition.h"
#include "markup/SourceTree.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"
#include "platform/widgets/EngineEnvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

using bench::msSinceProcessStart;
using bench::waitFor;

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

}

int main(int argc, char** argv)
{
    QTemporaryDir programDir;
    qputenv("INKPRESS_PROGRAM_FOLDER", programDir.path().toUtf8());
    ink::prepareWebEngineEnvironment();
    std::printf("main() entered: %.0f ms after process start\n", msSinceProcessStart());
    QApplication app(argc, argv);
    ink::chooseSceneGraphBackend();
    std::printf("application ready: %.0f ms after process start\n", msSinceProcessStart());

    auto* main = new ink::MainWindow;
    std::printf("main window built: %.0f ms after process start\n", msSinceProcessStart());
    main->startUp(QString());
    std::printf("start-up done: %.0f ms after process start\n", msSinceProcessStart());
    waitFor([main] { return main->isVisible() && main->windowHandle() && main->windowHandle()->isExposed(); });
    std::printf("main window shown: %.0f ms after process start (target 500 ms)\n", msSinceProcessStart());

    const double newPage = bench::timedMs([main] {
        main->runCommand(QStringLiteral("new"));
        waitFor([main] { return main->activeWindow() && !main->activeWindow()->design()->busy(); });
    });
    std::printf("new page ready in Design: %.0f ms (target 1200 ms)\n", newPage);

    ink::DocumentWindow* w = main->activeWindow();
    w->switchToCode();
    w->code()->setText(bigPage(1 << 20));
    // Until the engine answers again, i.e. the page is parsed and laid out.
    const double toDesign = bench::timedMs([w] {
        w->switchToDesign();
        w->waitForDesign();
        w->design()->title();
    });
    std::printf("1 MB page Code -> Design, laid out: %.0f ms (target 500 ms)\n", toDesign);
    const double toCode = bench::timedMs([w] { w->switchToCode(); });
    std::printf("1 MB page Design -> Code, untouched: %.0f ms (target 500 ms)\n", toCode);
    w->switchToDesign();
    w->design()->setFocus();
    w->design()->pasteHtml(QStringLiteral("<B>edit</B>"));
    const double toCodeEdited = bench::timedMs([w] { w->switchToCode(); });
    std::printf("1 MB page Design -> Code, edited in Design: %.0f ms (target 500 ms)\n", toCodeEdited);

    // Opening a 5 MB page.
    QTemporaryDir pages;
    const QString path = pages.filePath(QStringLiteral("big.html"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bigPage(5 << 20).toUtf8());
    }
    const double open5 = bench::timedMs([main, path] {
        main->files().openPaths({path}, true);
        main->activeWindow()->waitForDesign();
    });
    std::printf("5 MB page opened and shown in Design: %.0f ms\n", open5);
    const double code5 = bench::timedMs([main] { main->activeWindow()->switchToCode(); });
    std::printf("5 MB page shown in Code: %.0f ms\n", code5);

    // The caret and selection follow a switch: what placing them costs on
    // the 5 MB page, half way down.
    ink::DocumentWindow* big = main->activeWindow();
    const QByteArray bytes = big->code()->text().toUtf8();
    const qsizetype middle = bytes.indexOf("Paragraph", bytes.size() / 2);
    big->code()->selectBytesCentred({middle, middle + 9});
    const double codeToDesign = bench::timedMs([big] { big->switchToDesign(); });
    std::printf("5 MB page Code -> Design with a selection half way down: %.0f ms\n", codeToDesign);
    const double read = bench::timedMs([big] { big->design()->selectionInSource(); });
    std::printf("  the Design view's selection found in the text: %.1f ms\n", read);
    const double place =
        bench::timedMs([big, middle] { big->design()->selectInSource({middle, middle + 9}); });
    std::printf("  a selection of the text shown in the Design view: %.1f ms\n", place);
    const double roundTrip = bench::timedMs([big] { big->design()->selectionType(); });
    std::printf("  for comparison, one question to the Design view (the selection's type): %.1f ms\n",
                roundTrip);
    // The lookups alone, in a source tree of the page like the one the
    // Design view keeps.
    const ink::SourceTree tree = ink::SourceTree::parse(bytes);
    std::optional<ink::DomRange> found;
    const double toDom = bench::timedMs([&] { found = ink::domRange(tree, {middle, middle + 9}); });
    qsizetype back = -1;
    const double toText = bench::timedMs([&] {
        if (found)
            back = ink::sourceOffset(tree, found->anchor);
    });
    std::printf("  lookups alone: text -> Design place %.2f ms, Design place -> text %.2f ms%s\n",
                toDom, toText, back == middle ? "" : " (MISMATCH)");
    big->design()->selectInSource({middle + 20, middle + 29});
    const double designToCode = bench::timedMs([big] { big->switchToCode(); });
    std::printf("5 MB page Design -> Code with a new selection: %.0f ms\n", designToCode);
    big->switchToDesign();
    big->design()->selectInSource({middle, middle});
    big->design()->pasteHtml(QStringLiteral("<B>edit</B>"));
    const double readEdited = bench::timedMs([big] { big->design()->selectionInSource(); });
    std::printf("  after an edit, the selection found in the text (the text written, its places recorded): %.1f ms\n",
                readEdited);
    const double readAgain = bench::timedMs([big] { big->design()->selectionInSource(); });
    std::printf("  after an edit, the selection found again (the written text kept): %.1f ms\n", readAgain);
    const double editedToCode = bench::timedMs([big] { big->switchToCode(); });
    std::printf("5 MB page Design -> Code, edited, with the selection: %.0f ms\n", editedToCode);

    main->shellFlags().appClosing = true;
    std::fflush(stdout);
    std::_Exit(0);
}
