// A word typed into a paragraph in the Code view, then the Design view:
// how long the switch holds the window, when the word is shown, and when
// the engine has laid the page out again after it. Next to it, a plain web
// view (scripts off) holding the same page, in which a script changes the
// same paragraph's text: the engine's own speed for the same change.
// Rounds alternate between the program and the plain view; each round
// types another word. Asserts nothing.
//
// Usage: code_to_design_bench [--rounds N (default 3)] [sizes in MB, default "0.1 1 5"]
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
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// The paragraph the words go into, found without walking the whole page.
QString paragraph(int n)
{
    return QStringLiteral("document.getElementsByTagName('P')[%1]").arg(n);
}

bool probeWord(QWebEnginePage* page, int n, const QString& word)
{
    const QString script = QStringLiteral("(p => !!p && p.textContent.includes('%1'))(%2)")
                               .arg(word, paragraph(n));
    return bench::answersTrue(page, script, 300000);
}

// Answered once the engine has laid the page out again.
void probeLayout(QWebEnginePage* page)
{
    bench::answer(page, QStringLiteral("document.body.getBoundingClientRect().height"), 300000);
}

QWebEnginePage* designPage(ink::DocumentWindow* w)
{
    return qobject_cast<QWebEngineView*>(w->design()->widget())->page();
}

class SilentPrompts : public ink::Prompts {
public:
    void message(QWidget*, const QString&, const QString&) override {}
    void warning(QWidget*, const QString&, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

QString sizeText(double mb)
{
    return mb < 1 ? QStringLiteral("%1 KB").arg(qRound(mb * 1024)) : QStringLiteral("%1 MB").arg(mb);
}

struct Figures {
    QList<double> held, stall, shown, laidOut;
};

void print(const char* what, double mb, const QList<double>& program, const QList<double>& plain)
{
    const QByteArray name = (QString::fromLatin1(what) + QStringLiteral(", ") + sizeText(mb)).toUtf8();
    const double p = median(program);
    const double b = median(plain);
    std::printf("%-44s  program %8.1f ms  plain %8.1f ms  ratio %5.2f  slowest %8.1f\n",
                name.constData(), p, b, b > 0 ? p / b : 0.0,
                program.isEmpty() ? 0.0 : *std::max_element(program.begin(), program.end()));
    for (double v : program)
        bench::figure(name.constData(), "program", v);
    for (double v : plain)
        bench::figure(name.constData(), "baseline", v);
}

void measurePage(ink::MainWindow& main, const QString& folder, double mb, int rounds)
{
    const QString text = bench::generatedPage(int(mb * (1 << 20)));
    const QString path =
        bench::writeFile(folder + QStringLiteral("/words%1.html").arg(qRound(mb * 1024)), text);

    main.files().openPaths({path}, true);
    ink::DocumentWindow* w = main.activeWindow();
    w->waitForDesign();
    probeLayout(designPage(w));

    auto plain = std::make_unique<QWebEngineView>();
    plain->page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    plain->resize(w->design()->widget()->size());
    plain->show();
    bool loaded = false;
    QObject::connect(plain->page(), &QWebEnginePage::loadFinished, [&loaded] { loaded = true; });
    plain->load(QUrl::fromLocalFile(path));
    bench::waitFor([&] { return loaded; }, 300000);
    probeLayout(plain->page());

    bench::StallWatch watch;
    Figures program, baseline;
    QString codeText = text;
    for (int round = 0; round < rounds; ++round) {
        const int n = 3 + round;
        const QString word = QStringLiteral("word%1").arg(round);
        const QString from = QStringLiteral("Paragraph %1 with").arg(n);
        const QString to = QStringLiteral("Paragraph %1 %2 with").arg(n).arg(word);

        w->switchToCode();
        bench::idle(300);
        codeText.replace(from, to);
        w->code()->setText(codeText);
        bench::idle(300);
        double held = 0, shown = 0, laidOut = 0;
        laidOut = bench::timedMs([&] {
            shown = bench::timedMs([&] {
                program.stall << watch.run([&] { held = bench::timedMs([w] { w->switchToDesign(); }); });
                probeWord(designPage(w), n, word);
            });
            probeLayout(designPage(w));
        });
        program.held << held;
        program.shown << shown;
        program.laidOut << laidOut;
        w->waitForDesign();
        bench::idle(300);

        double plainShown = 0;
        const double plainLaidOut = bench::timedMs([&] {
            plainShown = bench::timedMs([&] {
                bench::answer(plain->page(),
                              QStringLiteral("(p => p.firstChild.data = p.firstChild.data"
                                             ".replace('with', '%1 with'))(%2)")
                                  .arg(word, paragraph(n)),
                              300000);
                probeWord(plain->page(), n, word);
            });
            probeLayout(plain->page());
        });
        baseline.shown << plainShown;
        baseline.laidOut << plainLaidOut;
        bench::idle(300);
    }
    print("Code -> Design, word typed: switch returns", mb, program.held, {});
    print("Code -> Design, word typed: longest stall", mb, program.stall, {});
    print("Code -> Design, word typed: word shown", mb, program.shown, baseline.shown);
    print("Code -> Design, word typed: laid out", mb, program.laidOut, baseline.laidOut);
    main.documents().at(w->slot()).modified = false;
    w->close();
    bench::idle(500);
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

    int rounds = 3;
    QList<double> sizes;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--rounds" && i + 1 < argc)
            rounds = std::max(1, QByteArray(argv[++i]).toInt());
        else
            sizes << QString::fromLatin1(argv[i]).toDouble();
    }
    if (sizes.isEmpty())
        sizes = {0.1, 1, 5};
    std::printf("scene graph: %s; %d rounds; load average at start %.1f on %ld cores\n", backend,
                rounds, bench::loadAverage(), sysconf(_SC_NPROCESSORS_ONLN));

    auto* main = new ink::MainWindow;
    main->startUp(QString());
    bench::waitFor([main] {
        return main->isVisible() && main->windowHandle() && main->windowHandle()->isExposed();
    });
    QTemporaryDir pages;
    for (double mb : sizes)
        measurePage(*main, pages.path(), mb, rounds);

    std::printf("load average at end %.1f\n", bench::loadAverage());
    main->shellFlags().appClosing = true;
    std::fflush(stdout);
    std::_Exit(0);
}
