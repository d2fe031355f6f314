// Runs the start, memory, big page and Code -> Design benchmarks in rounds
// and prints one table: each figure of the program next to its baseline,
// both measured in the same rounds (program and baseline alternate inside a
// round, and the start and memory rounds alternate which of the two goes
// first), as the median of the rounds.
// Asserts nothing.
//
// Usage: bench_all [--rounds N (default 5)] [sizes in MB for big_page_bench and
//                   code_to_design_bench, default "0.01 0.1 1 5 20"]
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace {

struct Figure {
    std::vector<double> program;
    std::vector<double> baseline;
};

// Figures in the order first seen.
QStringList order;
QMap<QString, Figure> figures;

QString benchPath(const QString& name)
{
    return QFileInfo(QCoreApplication::applicationDirPath() + QLatin1Char('/') + name)
        .absoluteFilePath();
}

// Runs one benchmark and takes its "figure" lines; the rest of its output
// goes to standard error, for a person following the run.
void run(const QString& name, const QStringList& args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setReadChannel(QProcess::StandardOutput);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(bench::LaunchedAtVariable),
                       QString::number(bench::monotonicNs(), 'f', 0));
    process.setProcessEnvironment(environment);
    process.start(benchPath(name), args);
    if (!process.waitForFinished(30 * 60 * 1000)) {
        std::fprintf(stderr, "%s did not finish\n", qPrintable(name));
        process.kill();
        process.waitForFinished();
    }
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    for (const QString& line : lines) {
        const QStringList parts = line.split('\t');
        if (parts.size() != 4 || parts[0] != QLatin1String("figure")) {
            if (!line.isEmpty())
                std::fprintf(stderr, "  %s: %s\n", qPrintable(name), qPrintable(line));
            continue;
        }
        if (!figures.contains(parts[1]))
            order << parts[1];
        Figure& f = figures[parts[1]];
        (parts[2] == QLatin1String("program") ? f.program : f.baseline).push_back(parts[3].toDouble());
    }
}

// Whether a web engine process is running on the machine: one of a
// benchmark that has ended may still be winding down.
bool enginesRunning()
{
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(entry));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().startsWith("QtWebEngineProc"))
            return true;
    }
    return false;
}

// A start counts from its launch: it must not share the machine with the
// engine processes of the benchmark before it, which wind down for a while
// after it has ended. Waits until none is left (10 s at most), then half a
// second more.
void settle()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && enginesRunning())
        QThread::msleep(50);
    QThread::msleep(500);
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int rounds = 5;
    QStringList sizes;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--rounds") && i + 1 < args.size())
            rounds = std::max(1, args[++i].toInt());
        else
            sizes << args[i];
    }
    if (sizes.isEmpty())
        sizes = QStringList{"0.01", "0.1", "1", "5", "20"};
    const double loadBefore = bench::loadAverage();
    for (int round = 0; round < rounds; ++round) {
        std::fprintf(stderr, "round %d of %d, load average %.1f\n", round + 1, rounds,
                     bench::loadAverage());
        const bool programFirst = round % 2 == 0;
        const QStringList starts = programFirst ? QStringList{"program", "bare", "eager"}
                                                : QStringList{"bare", "eager", "program"};
        for (const QString& mode : starts) {
            settle();
            run(QStringLiteral("start_bench"), {mode});
        }
        const QStringList memory = programFirst ? QStringList{"program", "plain"}
                                                : QStringList{"plain", "program"};
        for (const QString& side : memory)
            run(QStringLiteral("big_page_bench"), {QStringLiteral("--memory"), side});
        run(QStringLiteral("big_page_bench"), sizes);
        run(QStringLiteral("code_to_design_bench"),
            QStringList{QStringLiteral("--rounds"), QStringLiteral("1")} + sizes);
    }

    std::printf("%d rounds; load average %.1f before, %.1f after, on %ld cores\n", rounds,
                loadBefore, bench::loadAverage(), sysconf(_SC_NPROCESSORS_ONLN));
    std::printf("| figure | program | baseline | ratio | program's slowest round |\n");
    std::printf("|---|---:|---:|---:|---:|\n");
    for (const QString& name : order) {
        const Figure& f = figures[name];
        const double program = median(f.program);
        const double baseline = median(f.baseline);
        const double slowest = f.program.empty() ? 0 : *std::max_element(f.program.begin(), f.program.end());
        std::printf("| %s | %.1f | %.1f | %s | %.1f |\n", qPrintable(name), program, baseline,
                    baseline > 0 ? qPrintable(QString::number(program / baseline, 'f', 2)) : "-",
                    slowest);
    }
    return 0;
}
