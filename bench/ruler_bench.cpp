// Times the paths that decide how the ruler follows the pointer while it is
// stretched: the scale's arithmetic, DrawRuler with the window's repaint, one
// whole resize step with its repaint, and the settings file's read and write.
//
//   ruler_bench [--device-pixel-ratio=2] [Google Benchmark flags]
//
// The window runs on Qt's offscreen platform with a 3840 x 2160 screen at
// the given device pixel ratio, so that nothing but the ruler is measured.

#include "core/scale/scale_geometry.h"
#include "core/settings/profile_file.h"
#include "platform/posix/posix_file_system.h"
#include "ruler/ruler_window.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>

#include <array>
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

namespace {

double devicePixelRatio = 1;

// The scale modes measured: the virtual scale, and the physical one with a
// usual calibration value and with one so large that, unbounded, a repaint
// would walk millions of steps.
constexpr std::array<const char *, 3> scaleModes{"SizeMode=0\n", "SizeMode=1\nRevision=0.9\n",
                                                 "SizeMode=1\nRevision=1e6\n"};
constexpr std::array<double, 3> calibrations{1, 0.9, 1e6};

void setScaleLabel(benchmark::State &state, int unitCode, int scaleMode)
{
    static constexpr std::array<const char *, 3> modeNames{"virtual", "physical 0.9",
                                                           "physical 1e6"};
    const char *unit = unitCode == 3 ? "px" : unitCode == 5 ? "in" : "mm";
    state.SetLabel(std::string(unit) + ", " + modeNames[size_t(scaleMode)] + ", ratio " +
                   std::to_string(devicePixelRatio).substr(0, 4));
}

// A shown ruler window on a ruler.ini of its own, as the program runs it.
struct BenchRuler
{
    explicit BenchRuler(const QByteArray &settings, int length)
    {
        QFile file(folder.filePath(QStringLiteral("ruler.ini")));
        file.open(QIODevice::WriteOnly);
        file.write("[General]\nWidth=" + QByteArray::number(length * 15) + "\nHeight=1800\n" +
                   settings);
        file.close();
        ruler = std::make_unique<Form1>(
            RulerSettings(files, QFile::encodeName(file.fileName()).toStdString()));
        ruler->show();
        // A repaint only paints once the platform has exposed the window.
        QCoreApplication::processEvents();
    }

    bool paints() const { return ruler->windowHandle() && ruler->windowHandle()->isExposed(); }

    QTemporaryDir folder;
    PosixFileSystem files;
    std::unique_ptr<Form1> ruler;
};

void scaleGeometry(benchmark::State &state)
{
    const int length = int(state.range(0));
    const int unitCode = int(state.range(1));
    const int scaleMode = int(state.range(2));
    ScaleInput input;
    input.unitCode = unitCode;
    input.physical = scaleMode != 0;
    input.calibration = calibrations[size_t(scaleMode)];
    input.lengthPixels = int(length * devicePixelRatio);
    input.devicePixelRatio = devicePixelRatio;
    for (auto _ : state)
        benchmark::DoNotOptimize(computeScale(input));
    setScaleLabel(state, unitCode, scaleMode);
}

void drawRuler(benchmark::State &state)
{
    const int length = int(state.range(0));
    const int unitCode = int(state.range(1));
    const int scaleMode = int(state.range(2));
    BenchRuler bench(scaleModes[size_t(scaleMode)], length);
    if (bench.ruler->width() != length)
        state.SkipWithError("the window did not take the ruler's length");
    if (!bench.paints())
        state.SkipWithError("the window is not exposed: a repaint would paint nothing");
    for (auto _ : state) {
        bench.ruler->behaviour().DrawRuler(unitCode);
        bench.ruler->repaint();
    }
    setScaleLabel(state, unitCode, scaleMode);
}

void formResizeStep(benchmark::State &state)
{
    const int length = int(state.range(0));
    BenchRuler bench("ScaleMode=Millimeters\n", length);
    if (!bench.paints())
        state.SkipWithError("the window is not exposed: a repaint would paint nothing");
    // An interactive resize: every step a pixel shorter or longer again; the
    // shortest ruler can only grow.
    const int other = length > 652 ? length - 1 : length + 1;
    int step = 0;
    for (auto _ : state) {
        bench.ruler->resize(++step & 1 ? other : length, bench.ruler->height());
        bench.ruler->repaint();
    }
    setScaleLabel(state, 6, 0);
}

// A ruler.ini of the usual twenty keys, or padded with other sections to 1 MB.
QByteArray settingsText(bool large)
{
    QByteArray text;
    if (large) {
        for (int section = 0; text.size() < 1024 * 1024; ++section) {
            text += "[Other" + QByteArray::number(section) + "]\n";
            for (int key = 0; key < 20; ++key)
                text += "Key" + QByteArray::number(key) + "=some value of a usual length\n";
        }
    }
    text += "[General]\nTransparent=255\nShowInTaskBar=False\nAlwaysOnTop=False\nDirection=0\n"
            "SizeMode=0\nScaleMode=Millimeters\nLeft=1500\nTop=3000\nWidth=9780\nHeight=1800\n"
            "Revision=0.905\nBackColor=#FFFF00\nRulerWordColor=#FF0000\nTipWordColor=#000000\n"
            "RulerLineColor=#FF0000\nBigRulerLineColor=#FF0000\nMidRulerLineColor=#FF0000\n"
            "SmallRulerLineColor=#FF0000\nIfCustomRulerLineColor=False\n";
    return text;
}

struct SettingsFile
{
    explicit SettingsFile(bool large)
        : path(QFile::encodeName(folder.filePath(QStringLiteral("ruler.ini"))).toStdString())
    {
        QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
        file.open(QIODevice::WriteOnly);
        file.write(settingsText(large));
    }

    QTemporaryDir folder;
    std::string path;
    PosixFileSystem files;
};

void readIniValue(benchmark::State &state)
{
    const SettingsFile file(state.range(0) != 0);
    const std::string_view section = "General";
    const std::string_view key = "IfCustomRulerLineColor";
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadIniValue(file.files, file.path, section, key));
    state.SetLabel(state.range(0) ? "1 MB file" : "20 keys");
}

// A value of the same length, which the usual file takes over its own bytes;
// or (2) one that changes the file's length, which replaces the file.
void writeIniValue(benchmark::State &state)
{
    const SettingsFile file(state.range(0) == 1);
    const std::string_view section = "General";
    const std::string_view key = "Width";
    const bool newLength = state.range(0) == 2;
    int step = 0;
    for (auto _ : state)
        WriteIniValue(file.files, file.path, section, key,
                      std::to_string(++step & 1 ? (newLength ? 978 : 9781) : 9780));
    state.SetLabel(state.range(0) == 1   ? "1 MB file"
                   : state.range(0) == 2 ? "20 keys, new length"
                                         : "20 keys");
}

const std::vector<int64_t> lengths{652, 1920, 3840, 7680};

} // namespace

BENCHMARK(scaleGeometry)->ArgsProduct({lengths, {3, 5, 6}, {0, 1, 2}});
BENCHMARK(drawRuler)->ArgsProduct({lengths, {3, 5, 6}, {0, 1, 2}})->Unit(benchmark::kMicrosecond);
BENCHMARK(formResizeStep)->ArgsProduct({lengths})->Unit(benchmark::kMicrosecond);
BENCHMARK(readIniValue)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(writeIniValue)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

int main(int argc, char *argv[])
{
    // Our own flag first; Google Benchmark rejects flags it does not know.
    constexpr const char *ratioFlag = "--device-pixel-ratio=";
    std::vector<char *> arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], ratioFlag, std::strlen(ratioFlag)) == 0)
            devicePixelRatio = std::atof(argv[i] + std::strlen(ratioFlag));
        else
            arguments.push_back(argv[i]);
    }
    int count = int(arguments.size());

    QTemporaryDir configFolder;
    const QString config = configFolder.filePath(QStringLiteral("screen.json"));
    QFile screen(config);
    screen.open(QIODevice::WriteOnly);
    screen.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 3840, "height": 2160,)"
                 R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": )" +
                 QByteArray::number(devicePixelRatio) + "}]}");
    screen.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));

    QApplication application(count, arguments.data());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
