// One live frame through the video surface, against a plain copy of the same bytes.
#include "live/liveframe.h"
#include "live/qtcameracapture.h"

#include <QCoreApplication>
#include <QVideoFrame>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

std::vector<uchar> syntheticFrame()
{
    std::vector<uchar> bytes(LiveFrame::FrameBytes);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uchar((i * 2654435761u) >> 24);
    return bytes;
}

void BM_Present(benchmark::State &state)
{
    const std::vector<uchar> bytes = syntheticFrame();
    QVideoFrame frame(int(bytes.size()), QSize(240, 320), 480, QVideoFrame::Format_YUYV);
    frame.map(QAbstractVideoBuffer::WriteOnly);
    std::memcpy(frame.bits(), bytes.data(), bytes.size());
    frame.unmap();
    QtCameraCapture surface;
    for (auto _ : state)
        benchmark::DoNotOptimize(surface.present(frame));
}
BENCHMARK(BM_Present)->Unit(benchmark::kMicrosecond);

void BM_CopyFrame(benchmark::State &state)
{
    const std::vector<uchar> bytes = syntheticFrame();
    std::vector<uchar> copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
