// The live trend's cost: frames into a shown live window with the video, the history or
// the trend page current (the trend is drawn only on its own page), one redraw of a full
// ten-minute trend, one reading into the log, and a day of readings written as CSV.
#include "app/configrecord.h"
#include "live/camer_window.h"
#include "live/liveframe.h"
#include "live/qtcameracapture.h"
#include "live/readingslog.h"
#include "live/trendchart.h"
#include "testsupport.h"
#include "ui_camer_window.h"

#include <QApplication>
#include <QEventLoop>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

#include <malloc.h>

namespace {

constexpr qint64 T0 = 1796000000000;

std::vector<uchar> syntheticFrame()
{
    std::vector<uchar> bytes(LiveFrame::FrameBytes);
    for (std::size_t i = 0; i < LiveFrame::PictureBytes; ++i)
        bytes[i] = uchar((i * 2654435761u) >> 24);
    return bytes;
}

// The maximum wanders around the threshold 34.0, so alarm periods come and go.
void setReadings(std::vector<uchar> &frame, int k)
{
    const int words[3] = {330 + (k / 50) % 20, 340, 97};
    for (int w = 0; w < 3; ++w) {
        frame[LiveFrame::PictureBytes + 2 * w] = uchar(words[w] & 0xFF);
        frame[LiveFrame::PictureBytes + 2 * w + 1] = uchar(words[w] >> 8);
    }
}

// Bytes the process holds from the allocator.
double allocatedBytes()
{
    return double(mallinfo2().uordblks);
}

ReadingsLog fullWindow()
{
    ReadingsLog log;
    for (int k = 0; k < 15000; ++k)
        log.append(T0 + 40 * k, 33.0f + float((k / 50) % 20) / 10, 34.0f, 0.97f);
    return log;
}

// CPU time of the calling thread, in seconds: the frame path's own cost, whatever else
// the machine runs.
double threadSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Pages of the live window: 0 video, 1 history, 2 trend.
const char *pageName(int page)
{
    return page == 0 ? "video page" : page == 1 ? "history page" : "trend page";
}

// A shown live window on the given page, with a session already ten minutes long, so
// every redraw of the trend draws a full window.
struct ShownWindow
{
    TemporaryHome home;
    FakePlatform platform;
    camer_window window {nullptr, &platform};

    explicit ShownWindow(int page)
    {
        window.resize(1130, 721);
        window.show();
        // Shown on the video page first, as the window opens, so the live picture has its
        // size on every page.
        QApplication::processEvents();
        window.ui->tabWidget->setCurrentIndex(page);
        window.m_readings = fullWindow();
        QApplication::processEvents();
    }
};

// As fast as frames go: frame_us is the frame path alone (conversion, picture, readings,
// alarm evaluation and the trend's append); cpu_us_per_frame adds the paints and the
// trend's redraws that fall due in between.
void BM_LiveFrame(benchmark::State &state)
{
    ShownWindow shown(int(state.range(0)));
    std::vector<uchar> frame = syntheticFrame();
    int k = 0;
    double frameSeconds = 0;
    const std::clock_t cpuBefore = std::clock();
    for (auto _ : state) {
        setReadings(frame, k++);
        const double before = threadSeconds();
        shown.window.m_capture->presentBytes(frame.data());
        frameSeconds += threadSeconds() - before;
        QApplication::processEvents();
    }
    const double cpuSeconds = double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    state.counters["frame_us"] = frameSeconds * 1e6 / double(state.iterations());
    state.counters["cpu_us_per_frame"] = cpuSeconds * 1e6 / double(state.iterations());
    state.SetLabel(pageName(int(state.range(0))));
}
BENCHMARK(BM_LiveFrame)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond)->MinTime(5);

// Ten seconds at the imager's 25 frames a second: the process's CPU time per second of
// session (cpu_ms_per_s; 1000 would be one core) and the frame path per frame.
void BM_Session25fps(benchmark::State &state)
{
    ShownWindow shown(int(state.range(0)));
    std::vector<uchar> frame = syntheticFrame();
    int k = 0;
    double frameSeconds = 0;
    double cpuSeconds = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QTimer pace;
        pace.setTimerType(Qt::PreciseTimer);
        QObject::connect(&pace, &QTimer::timeout, [&] {
            setReadings(frame, k++);
            const double before = threadSeconds();
            shown.window.m_capture->presentBytes(frame.data());
            frameSeconds += threadSeconds() - before;
            if (k % 250 == 0)
                loop.quit();
        });
        const std::clock_t cpuBefore = std::clock();
        pace.start(40);
        loop.exec();
        cpuSeconds += double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    }
    state.counters["cpu_ms_per_s"] = cpuSeconds * 1e3 / (double(k) / 25);
    state.counters["frame_us"] = frameSeconds * 1e6 / k;
    state.SetLabel(pageName(int(state.range(0))));
}
BENCHMARK(BM_Session25fps)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_TrendRedraw(benchmark::State &state)
{
    ShownWindow shown(2);
    for (auto _ : state) {
        shown.window.m_trend->redraw();
        shown.window.ui->trendChart->viewport()->repaint();
    }
}
BENCHMARK(BM_TrendRedraw)->Unit(benchmark::kMillisecond);

void BM_Append(benchmark::State &state)
{
    ReadingsLog log;
    qint64 time = T0;
    for (auto _ : state) {
        time += 40;
        log.append(time, 36.2f, 34.0f, 0.97f);
    }
    state.counters["readings"] = double(log.size());
}
BENCHMARK(BM_Append)->Unit(benchmark::kNanosecond);

void BM_WriteCsv(benchmark::State &state)
{
    const double before = allocatedBytes();
    ReadingsLog log;
    for (qint64 k = 0; k < 25 * 3600 * 24; ++k)
        log.append(T0 + 40 * k, 33.0f + float(k % 40) / 10, 34.0f, 0.97f);
    state.counters["log_MB"] = (allocatedBytes() - before) / 1e6;
    QTemporaryDir dir;
    for (auto _ : state) {
        QSaveFile file(dir.filePath(QStringLiteral("readings.csv")));
        if (!file.open(QIODevice::WriteOnly) || !log.writeCsv(file) || !file.commit())
            state.SkipWithError("cannot write");
    }
    state.counters["readings"] = double(log.size());
    state.counters["file_MB"]
        = double(QFileInfo(dir.filePath(QStringLiteral("readings.csv"))).size()) / 1e6;
}
BENCHMARK(BM_WriteCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
