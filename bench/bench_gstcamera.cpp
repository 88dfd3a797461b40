// Live frames through the GStreamer frame source into the video surface, from a file of
// whole imager frames: frames per second (items_per_second) and CPU time of all threads
// per frame (cpu_us_per_frame, the streaming thread included).
#include "live/liveframe.h"
#include "live/qtcameracapture.h"
#include "platform/gstcamerastream.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <vector>

namespace {

constexpr int Frames = 250;

void BM_GstCameraStream(benchmark::State &state)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("frames.yuv")));
    if (!file.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write the frame file");
        return;
    }
    std::vector<char> frame(LiveFrame::FrameBytes);
    for (std::size_t i = 0; i < frame.size(); ++i)
        frame[i] = char((i * 2654435761u) >> 24);
    for (int k = 0; k < Frames; ++k)
        file.write(frame.data(), qint64(frame.size()));
    file.close();
    const QString source = QStringLiteral("filesrc location=%1 blocksize=153606 ! capsfilter "
                                          "caps=video/x-raw,format=YUY2,width=240,height=320")
                               .arg(file.fileName());

    using Clock = std::chrono::steady_clock;
    QtCameraCapture surface;
    std::atomic<int> pictures {0};
    std::atomic<Clock::rep> lastPicture {0};
    // Counted on the streaming thread, where the surface emits.
    QObject::connect(&surface, &QtCameraCapture::display_Qimage, [&](const QImage &) {
        ++pictures;
        lastPicture = Clock::now().time_since_epoch().count();
    });
    double cpuSeconds = 0;
    for (auto _ : state) {
        GstCameraStream stream(source, {}, &surface);
        QEventLoop loop;
        QObject::connect(&stream, &CameraStream::failed, &loop, &QEventLoop::quit);
        const std::clock_t cpuBefore = std::clock();
        const Clock::time_point before = Clock::now();
        stream.start();
        loop.exec();
        stream.stop();
        cpuSeconds += double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        // Up to the last picture: the end of the file is noticed by a polling timer.
        const Clock::time_point last {Clock::duration(lastPicture.load())};
        state.SetIterationTime(std::chrono::duration<double>(last - before).count());
    }
    if (pictures != Frames * int(state.iterations()))
        state.SkipWithError("frames were lost");
    state.SetItemsProcessed(pictures);
    state.counters["cpu_us_per_frame"] = cpuSeconds * 1e6 / pictures;
}
BENCHMARK(BM_GstCameraStream)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
