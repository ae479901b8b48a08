// Measures whole programs on an X server of its own with openbox: the ruler,
// a bare Qt window, the same window drawing the ruler's first texts, and
// KRuler, in alternating rounds, with and without Qt's X11 OpenGL
// integration:
//   - launch: from starting the program to its window being mapped and
//     painted (its middle no longer the desktop's colour), polled every 2 ms;
//   - peak resident memory (VmHWM);
//   - CPU time per step of an interactive resize: 200 steps of
//     `xdotool windowsize` from 652 to 1852 pixels wide, all threads counted.
//
//   desktop_bench [--launch-only] [rounds] [other ruler program...]
//
// Rounds are 5 when not given. Other ruler programs, such as an older build,
// are measured in the same rounds; each keeps its settings beside it, and
// that file is removed before each of its launches. --launch-only measures
// the launch alone, which takes a fraction of the time.

#include "desktop_session.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

namespace {

constexpr QRgb desktopColor = qRgb(0x20, 0x40, 0x60);
constexpr int resizeSteps = 200;
constexpr int firstWidth = 652;
constexpr int stepWidth = 6;

struct Program
{
    QString name;
    QString path;
    QString title;        // of its window
    QString settingsPath; // removed before each launch, when not empty
    QStringList arguments = {};
};

const QString rulerTitle = QStringLiteral("Ostrel屏幕刻度尺");

struct Measurement
{
    double launchMilliseconds = 0;
    double peakMebibytes = 0;
    double cpuMillisecondsPerStep = 0;
};

// CPU time of every thread of a process so far, in nanoseconds.
qint64 cpuNanoseconds(qint64 pid)
{
    qint64 total = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (schedstat.open(QIODevice::ReadOnly))
            total += schedstat.readAll().split(' ').value(0).toLongLong();
    }
    return total;
}

double peakMebibytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

template<typename Condition>
bool waitFor(Condition done, int milliseconds, int pollMilliseconds = 2)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(pollMilliseconds);
    }
    return true;
}

// Waits until the process's CPU time stops growing: its work for the last
// request is done.
void waitUntilIdle(qint64 pid)
{
    qint64 before = cpuNanoseconds(pid);
    for (int quiet = 0; quiet < 3;) {
        QThread::msleep(50);
        const qint64 now = cpuNanoseconds(pid);
        quiet = now == before ? quiet + 1 : 0;
        before = now;
    }
}

std::optional<Measurement> measure(DesktopSession &desktop, const Program &program,
                                   bool glIntegration, bool launchOnly)
{
    if (!program.settingsPath.isEmpty())
        QFile::remove(program.settingsPath);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), desktop.display());
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (!glIntegration)
        environment.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), QStringLiteral("none"));
    else
        environment.remove(QStringLiteral("QT_XCB_GL_INTEGRATION"));
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());

    QElapsedTimer clock;
    clock.start();
    process.start(program.path, program.arguments);
    unsigned window = 0;
    const bool painted = waitFor(
        [&] {
            for (unsigned candidate : desktop.windowsNamed(program.title)) {
                if (!desktop.isViewable(candidate))
                    continue;
                const QRect area = desktop.geometry(candidate);
                const QImage middle = desktop.screenshot(QRect(area.center(), QSize(1, 1)));
                if (!middle.isNull() &&
                    (middle.pixel(0, 0) & 0xFFFFFF) != (desktopColor & 0xFFFFFF)) {
                    window = candidate;
                    return true;
                }
            }
            return false;
        },
        20000);
    Measurement result;
    result.launchMilliseconds = clock.nsecsElapsed() / 1e6;
    if (!painted) {
        process.terminate();
        process.waitForFinished();
        return std::nullopt;
    }

    const qint64 pid = process.processId();
    if (launchOnly) {
        process.terminate();
        process.waitForFinished(5000);
        return result;
    }
    waitUntilIdle(pid);
    const int height = desktop.geometry(window).height();
    QStringList steps;
    for (int step = 1; step <= resizeSteps; ++step) {
        steps << QStringLiteral("windowsize") << QString::number(window)
              << QString::number(firstWidth + step * stepWidth) << QString::number(height)
              << QStringLiteral("sleep") << QStringLiteral("0.01");
    }
    const qint64 before = cpuNanoseconds(pid);
    desktop.xdotool(QStringList{QStringLiteral("windowsize"), QString::number(window),
                                QString::number(firstWidth), QString::number(height)} +
                    steps);
    waitFor(
        [&] { return desktop.geometry(window).width() == firstWidth + resizeSteps * stepWidth; },
        10000, 10);
    waitUntilIdle(pid);
    // The first windowsize brings every program to the same starting width.
    result.cpuMillisecondsPerStep = (cpuNanoseconds(pid) - before) / 1e6 / (resizeSteps + 1);
    result.peakMebibytes = peakMebibytes(pid);

    process.terminate();
    process.waitForFinished(5000);
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool launchOnly = arguments.removeAll(QStringLiteral("--launch-only")) > 0;
    int rounds = 5;
    if (!arguments.isEmpty() && arguments.first().toInt() > 0)
        rounds = arguments.takeFirst().toInt();

    DesktopSession desktop;
    if (!desktop.start()) {
        std::fprintf(stderr, "no X server with a window manager could be started\n");
        return 1;
    }
    desktop.setDesktopColor(desktopColor);

    std::vector<Program> programs{
        {QStringLiteral("ruler"), desktop.programPath(), rulerTitle, desktop.settingsPath()},
        {QStringLiteral("bare Qt window"),
         QStringLiteral(BASELINE_PROGRAM),
         QStringLiteral("baseline"),
         {}},
        {QStringLiteral("bare window + texts"),
         QStringLiteral(BASELINE_PROGRAM),
         QStringLiteral("baseline with texts"),
         {},
         {QStringLiteral("--texts")}},
    };
    for (const QString &other : arguments) {
        const QFileInfo program(other);
        programs.push_back({other, program.absoluteFilePath(), rulerTitle,
                            program.absoluteDir().filePath(QStringLiteral("ruler.ini"))});
    }
    const QString kruler = QStandardPaths::findExecutable(QStringLiteral("kruler"));
    if (!kruler.isEmpty())
        programs.push_back(
            {QStringLiteral("KRuler"), kruler, QStringLiteral("KRuler — KDE Screen Ruler"), {}});
    else
        std::fprintf(stderr, "kruler is not installed; measuring without it\n");

    QTextStream out(stdout);
    for (const bool glIntegration : {true, false}) {
        std::map<QString, std::vector<Measurement>> results;
        for (int round = 0; round < rounds; ++round) {
            // Alternating order, so that no program always follows the same one.
            std::vector<Program> order = programs;
            std::rotate(order.begin(), order.begin() + round % order.size(), order.end());
            for (const Program &program : order) {
                if (const auto measured = measure(desktop, program, glIntegration, launchOnly))
                    results[program.name].push_back(*measured);
                else
                    std::fprintf(stderr, "%s showed no painted window\n", qPrintable(program.name));
            }
        }
        out << "\nQt's X11 OpenGL integration "
            << (glIntegration ? "on" : "off (QT_XCB_GL_INTEGRATION=none)") << ", median of "
            << rounds << " rounds:\n";
        int nameWidth = 18;
        for (const Program &program : programs)
            nameWidth = std::max(nameWidth, int(program.name.size()) + 2);
        out << qSetFieldWidth(nameWidth) << Qt::left << "program" << qSetFieldWidth(18)
            << "launch (ms)";
        if (!launchOnly)
            out << "peak RSS (MiB)"
                << "CPU per step (ms)";
        out << qSetFieldWidth(0) << "\n";
        for (const Program &program : programs) {
            std::vector<double> launch;
            std::vector<double> memory;
            std::vector<double> cpu;
            for (const Measurement &m : results[program.name]) {
                launch.push_back(m.launchMilliseconds);
                memory.push_back(m.peakMebibytes);
                cpu.push_back(m.cpuMillisecondsPerStep);
            }
            out << qSetFieldWidth(nameWidth) << Qt::left << program.name << qSetFieldWidth(18)
                << QString::number(median(launch), 'f', 1);
            if (!launchOnly)
                out << QString::number(median(memory), 'f', 1)
                    << QString::number(median(cpu), 'f', 3);
            out << qSetFieldWidth(0) << "\n";
        }
        out.flush();
    }
    return 0;
}
