// The Design -> Code switch of generated pages of the sizes given (MB; by
// default 0.1, 1, 5 and 20): untouched, after one character typed in the
// Design view, and the steps of the edited switch one by one (the page read
// from the Design view, the selection found in the text, the text shown in
// the code editor), each once the engine has settled after the edit. Prints
// the median of a few rounds, the edited switch's slowest round, and next to
// it the engine writing out the same edited page (`outerHTML`), measured in
// the same rounds; it asserts nothing.
#include "BenchSupport.h"

#include "app/widgets/MainWindow.h"
#include "base/widgets/Prompts.h"
#include "document/widgets/DocumentFiles.h"
#include "document/widgets/DocumentWindow.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"
#include "platform/widgets/EngineEnvironment.h"
#include "platform/widgets/WebEngineScriptWait.h"

#include <QWebEngineView>

#include <QApplication>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>

namespace {

class SilentPrompts : public ink::Prompts {
public:
    void message(QWidget*, const QString&, const QString&) override {}
    void warning(QWidget*, const QString&, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
};

// The Design view's engine lays out and paints a long page for a while
// after an edit; the user switches once it shows the edit. Waits until the
// engine answers a question at once.
void waitUntilSettled(ink::DocumentWindow* w)
{
    auto* page = static_cast<QWebEngineView*>(w->design()->widget())->page();
    for (int i = 0; i < 300; ++i) {
        const double ms = bench::timedMs([page] { ink::runScriptAndWait(page, QStringLiteral("1"), 30000); });
        if (ms < 20)
            return;
        bench::idle(100);
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double slowest(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// The engine's own speed at writing out the page the switch reads.
double outerHtmlMs(ink::DocumentWindow* w)
{
    auto* page = static_cast<QWebEngineView*>(w->design()->widget())->page();
    return bench::timedMs([page] {
        ink::runScriptAndWait(page, QStringLiteral("document.documentElement.outerHTML.length"), 30000);
    });
}

void measure(ink::MainWindow& main, const QString& folder, double mb, int rounds)
{
    const QString text = bench::generatedPage(int(mb * (1 << 20)));
    const QString path =
        bench::writeFile(folder + QStringLiteral("/page%1.html").arg(qRound(mb * 1024)), text);
    main.files().openPaths({path}, true);
    ink::DocumentWindow* w = main.activeWindow();
    w->waitForDesign();
    bench::idle(300);
    // The source of the loaded page is parsed in the background meanwhile.
    w->design()->selectionInSource();
    std::vector<double> untouched, edited, outerHtml, read, select, shown;
    for (int round = 0; round < rounds; ++round) {
        waitUntilSettled(w);
        untouched.push_back(bench::timedMs([w] { w->switchToCode(); }));
        w->switchToDesign();
        w->waitForDesign();
        w->design()->setFocus();
        w->design()->pasteHtml(QStringLiteral("x"));
        waitUntilSettled(w);
        // The same page, written out by the engine while it is shown (a
        // hidden page's engine runs at a lower priority). The long string
        // it makes is collected a while later: the switch waits for that.
        outerHtml.push_back(outerHtmlMs(w));
        bench::idle(500);
        waitUntilSettled(w);
        edited.push_back(bench::timedMs([w] { w->switchToCode(); }));
        w->switchToDesign();
        w->waitForDesign();
        w->design()->pasteHtml(QStringLiteral("y"));
        waitUntilSettled(w);
        QString html;
        read.push_back(bench::timedMs([&] { w->design()->readDocumentHtml(&html); }));
        select.push_back(bench::timedMs([&] { w->design()->selectionInSource(); }));
        shown.push_back(bench::timedMs([&] { w->code()->setText(html); }));
        w->switchToCode();
        w->switchToDesign();
        w->waitForDesign();
    }
    const QByteArray size = (mb < 1 ? QStringLiteral("%1 KB").arg(qRound(mb * 1024))
                                     : QStringLiteral("%1 MB").arg(mb))
                                .toUtf8();
    std::printf("%-7s untouched %8.1f  edited %8.1f (slowest %8.1f)  outerHTML %6.1f  ratio %5.2f"
                "  | read %6.1f  selection %6.1f  code view %6.1f ms\n",
                size.constData(), median(untouched), median(edited), slowest(edited),
                median(outerHtml), median(outerHtml) > 0 ? median(edited) / median(outerHtml) : 0.0,
                median(read), median(select), median(shown));
    std::fflush(stdout);
    main.documents().at(w->slot()).modified = false;
    w->close();
    bench::idle(300);
}

}

int main(int argc, char** argv)
{
    QTemporaryDir programDir;
    qputenv("INKPRESS_PROGRAM_FOLDER", programDir.path().toUtf8());
    ink::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    ink::chooseSceneGraphBackend();
    SilentPrompts prompts;
    ink::Prompts::install(&prompts);
    auto* main = new ink::MainWindow;
    main->startUp(QString());
    bench::waitFor([main] {
        return main->isVisible() && main->windowHandle() && main->windowHandle()->isExposed();
    });
    int rounds = 3;
    QList<double> sizes;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--rounds" && i + 1 < argc)
            rounds = std::max(1, QByteArray(argv[++i]).toInt());
        else
            sizes << QString::fromLatin1(argv[i]).toDouble();
    }
    if (sizes.isEmpty())
        sizes = {0.1, 1, 5, 20};
    std::printf("load average %.1f; median of %d rounds\n", bench::loadAverage(), rounds);
    QTemporaryDir pages;
    for (double mb : sizes)
        measure(*main, pages.path(), mb, rounds);
    main->shellFlags().appClosing = true;
    std::fflush(stdout);
    std::_Exit(0);
}
