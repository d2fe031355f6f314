// Shared by the benchmarks: waits that sleep in the event loop (a spinning
// wait would take one of the machine's few cores from what it measures),
// clocks, generated pages and the memory and processor time of the process
// tree.
#pragma once
#include "document/DocumentRoutines.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace bench {

// Processes events until `done` holds (checked every 10 ms, sleeping in the
// event loop in between) or `ms` pass; returns done().
inline bool waitFor(const std::function<bool()>& done, int ms = 120000)
{
    if (done())
        return true;
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (done() || clock.elapsed() > ms)
            loop.quit();
    });
    check.start(10);
    loop.exec();
    return done();
}

inline void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename F>
double timedMs(F&& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

// The longest the event loop went without turning while `f` ran (work
// done on the window's thread outside any event loop).
class StallWatch {
public:
    StallWatch()
    {
        QObject::connect(&tick_, &QTimer::timeout, [this] {
            const qint64 now = clock_.elapsed();
            longest_ = std::max(longest_, now - last_);
            last_ = now;
        });
    }
    template <typename F>
    double run(F&& f)
    {
        longest_ = 0;
        clock_.start();
        last_ = 0;
        tick_.start(5);
        f();
        longest_ = std::max(longest_, clock_.elapsed() - last_);
        tick_.stop();
        return double(longest_);
    }

private:
    QTimer tick_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

// Headings, paragraphs, lists and tables up to about `bytes`, in the new
// page template.
inline QString generatedPage(int bytes)
{
    QString body;
    body.reserve(bytes + 400);
    for (int i = 0; body.size() < bytes; ++i) {
        body += QStringLiteral("<H2>Part %1</H2>\r\n<P>Paragraph %1 with <B>bold</B> text and "
                               "a <A href=\"p%1.html\">link</A>.</P>\r\n"
                               "<UL><LI>one</LI><LI>two</LI></UL>\r\n"
                               "<TABLE><TR><TD>%1</TD><TD>cell</TD></TR></TABLE>\r\n")
                    .arg(i);
    }
    QString page = ink::newPageTemplate();
    page.replace(QStringLiteral("<div></div>"), body);
    return page;
}

inline QString writeFile(const QString& path, const QString& text)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text.toUtf8());
    return path;
}

// The monotonic clock, in nanoseconds: the same clock in every process.
inline double monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

// The variable a launcher sets to its monotonic clock at the launch.
inline constexpr const char* LaunchedAtVariable = "INKPRESS_BENCH_LAUNCHED_NS";

// Milliseconds since this process was started. A launcher that gives its
// clock at the launch (bench_all does) gets the figure to the microsecond,
// the launch itself included, alike for the program and its baselines.
// Otherwise the process's start time from /proc, which counts in clock
// ticks (10 ms here): too coarse for a start of 200 ms measured against
// another.
inline double msSinceProcessStart()
{
    if (const char* launched = std::getenv(LaunchedAtVariable))
        return (monotonicNs() - std::atof(launched)) / 1e6;
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

// The fields of /proc/<pid>/stat after the command name, from the state on.
inline std::vector<std::string> statFields(const std::string& pid)
{
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto close = line.rfind(')');
    std::vector<std::string> fields;
    if (close == std::string::npos)
        return fields;
    std::istringstream rest(line.substr(close + 2));
    for (std::string field; rest >> field;)
        fields.push_back(field);
    return fields;
}

// This process and every process it started, recursively.
inline std::vector<int> processTree()
{
    std::vector<int> tree{static_cast<int>(getpid())};
    std::vector<std::pair<int, int>> parents;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const int pid = entry.toInt(&ok);
        const std::vector<std::string> fields = ok ? statFields(entry.toStdString())
                                                   : std::vector<std::string>();
        if (fields.size() > 1)
            parents.emplace_back(pid, std::stoi(fields[1]));
    }
    for (std::size_t i = 0; i < tree.size(); ++i)
        for (const auto& [pid, ppid] : parents)
            if (ppid == tree[i])
                tree.push_back(pid);
    return tree;
}

// Proportional set size of the process tree, in MB.
inline double treePssMb()
{
    double kb = 0;
    for (int pid : processTree()) {
        std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
        std::string key;
        while (rollup >> key) {
            if (key == "Pss:") {
                double value = 0;
                rollup >> value;
                kb += value;
                break;
            }
        }
    }
    return kb / 1024.0;
}

// Processor time used so far, in ms: this process, and the whole tree.
inline double ownCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

inline double treeCpuMs()
{
    double ticks = 0;
    for (int pid : processTree()) {
        // utime and stime: fields 14 and 15 of the file, 11 and 12 from the state.
        const std::vector<std::string> fields = statFields(std::to_string(pid));
        if (fields.size() > 12)
            ticks += std::stod(fields[11]) + std::stod(fields[12]);
    }
    return ticks * 1000.0 / sysconf(_SC_CLK_TCK);
}

// One measurement for bench_all, on a line of its own: the figure's name,
// whether it is the program's or its baseline's, and the value (ms or MB).
inline void figure(const char* name, const char* side, double value)
{
    std::printf("figure\t%s\t%s\t%.3f\n", name, side, value);
    std::fflush(stdout);
}

inline double loadAverage()
{
    std::ifstream file("/proc/loadavg");
    double one = 0;
    file >> one;
    return one;
}

}
