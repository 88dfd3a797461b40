// One live frame through the video surface, against OpenCV's conversion of the same picture
// and a plain copy of the same bytes.
#include "live/liveframe.h"
#include "live/qtcameracapture.h"

#include <QCoreApplication>
#include <QVideoFrame>

#include <benchmark/benchmark.h>
#include <opencv2/imgproc.hpp>

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

// The picture conversion alone, with each kernel this processor runs.
void BM_Convert(benchmark::State &state, LiveFrame::Kernel kernel)
{
    if (!LiveFrame::kernelSupported(kernel)) {
        state.SkipWithError("not supported on this processor");
        return;
    }
    const std::vector<uchar> bytes = syntheticFrame();
    std::vector<uchar> rgb(LiveFrame::RgbBytes);
    for (auto _ : state) {
        LiveFrame::yuyvToRgb(bytes.data(), rgb.data(), kernel);
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_Convert, portable, LiveFrame::Kernel::Portable)
        ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Convert, avx2, LiveFrame::Kernel::Avx2)->Unit(benchmark::kMicrosecond);

void BM_CvtColor(benchmark::State &state)
{
    std::vector<uchar> bytes = syntheticFrame();
    const cv::Mat yuyv(LiveFrame::Height, LiveFrame::Width, CV_8UC2, bytes.data());
    cv::Mat rgb(LiveFrame::Height, LiveFrame::Width, CV_8UC3);
    for (auto _ : state) {
        cv::cvtColor(yuyv, rgb, cv::COLOR_YUV2RGB_YUYV);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CvtColor)->Unit(benchmark::kMicrosecond);

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
