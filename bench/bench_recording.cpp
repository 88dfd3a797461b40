// Recordings: the size of an hour at 25 frames a second of a noisy scene and the CPU time
// of recording alone (all threads, encoder included); the pre-alarm buffer's memory for
// 10 s; seeks in a one-hour recording, finished (with its index) and cut (as a killed
// process leaves it).
#include "live/qtcameracapture.h"
#include "recording/prealarmbuffer.h"
#include "recording/recorder.h"
#include "recording/replaystream.h"
#include "recording/syntheticscene.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>
#include <random>
#include <vector>

#include <malloc.h>

namespace {

constexpr int Rate = 25;

std::vector<QByteArray> sceneFrames(int count)
{
    std::vector<QByteArray> frames;
    for (int k = 0; k < count; ++k) {
        const double t = 4 + k * 0.04;
        frames.push_back(SyntheticScene::liveFrame(
                SyntheticScene::scene(t, SyntheticScene::demoPeak(t), 0.15, unsigned(k)), 60, 0.95f));
    }
    return frames;
}

// Ten seconds of the scene, warming past the threshold, recorded at once.
void recordTenSeconds(benchmark::State &state, Recorder::Coder coder)
{
    const std::vector<QByteArray> frames = sceneFrames(10 * Rate);
    QTemporaryDir dir;
    double cpu = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        Recorder recorder(nullptr, 10);
        recorder.setCoder(coder);
        const std::clock_t before = std::clock();
        recorder.start(dir.filePath(QStringLiteral("ten seconds.mkv")), QDateTime::currentDateTime());
        for (std::size_t k = 0; k < frames.size(); ++k)
            recorder.push(frames[k], qint64(k) * 1000000 / Rate);
        recorder.finish();
        cpu += double(std::clock() - before) / CLOCKS_PER_SEC;
        bytes = QFileInfo(recorder.path()).size();
        if (recorder.frames() != int(frames.size()) || !recorder.errorText().isEmpty())
            state.SkipWithError("the recording failed");
    }
    state.counters["GB_per_hour"] = double(bytes) * 360 / 1e9;
    state.counters["kB_per_frame"] = double(bytes) / double(frames.size()) / 1e3;
    state.counters["cpu_us_per_frame"] = cpu * 1e6 / double(frames.size() * state.iterations());
}
// The range coder, as the live window records, and Golomb-Rice, as the monitor does.
void BM_RecordingSize(benchmark::State &state)
{
    recordTenSeconds(state, Recorder::Coder::Range);
}
void BM_RecordingSizeRice(benchmark::State &state)
{
    recordTenSeconds(state, Recorder::Coder::Rice);
}
BENCHMARK(BM_RecordingSizeRice)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_RecordingSize)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_PreAlarmBuffer10s(benchmark::State &state)
{
    const std::vector<QByteArray> frames = sceneFrames(Rate);
    for (auto _ : state) {
        const double before = double(mallinfo2().uordblks);
        PreAlarmBuffer buffer(10000000);
        // Each frame its own bytes, as the surface emits them; 30 s offered, 10 s kept.
        for (int k = 0; k < 30 * Rate; ++k) {
            QByteArray copy = frames[std::size_t(k) % frames.size()];
            copy.detach();
            buffer.append(copy, qint64(k) * 1000000 / Rate);
        }
        state.counters["frames"] = double(buffer.frames().size());
        state.counters["MiB"] = (double(mallinfo2().uordblks) - before) / (1 << 20);
    }
}
BENCHMARK(BM_PreAlarmBuffer10s)->Unit(benchmark::kMillisecond)->Iterations(1);

// An hour at 25 frames a second; the pictures plain, since the seek is about the file's
// structure, not its pictures. Made once per run.
QString hourRecording(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("hour.mkv"));
    if (QFile::exists(path))
        return path;
    QByteArray frame = SyntheticScene::liveFrame(SyntheticScene::scene(0, 40, 0, 1), 60, 0.95f);
    Recorder recorder(nullptr, 0);
    recorder.start(path, QDateTime::currentDateTime());
    for (int k = 0; k < 3600 * Rate; ++k) {
        frame[int(LiveFrame::PictureBytes)] = char(k & 0xFF);
        frame[int(LiveFrame::PictureBytes) + 1] = char((k >> 8) & 0xFF);
        recorder.push(frame, qint64(k) * 1000000 / Rate);
    }
    recorder.finish();
    return path;
}

// Seeks to random places of the hour: the time until the frame there is presented.
void seekIn(benchmark::State &state, const QString &path)
{
    QtCameraCapture surface;
    ReplayStream replay(path, &surface);
    replay.start();
    replay.pause();
    std::mt19937 random(7);
    double worst = 0;
    double total = 0;
    int seeks = 0;
    int misses = 0;
    const qint64 end = QFileInfo(path).size() == 0 ? 0 : 3600LL * 1000000 * 9 / 10;
    for (auto _ : state) {
        const qint64 to = qint64(random() % quint64(end / 40000)) * 40000;
        QElapsedTimer clock;
        clock.start();
        replay.seek(to);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1e3);
        misses += replay.positionUs() != to;
        worst = qMax(worst, ms);
        total += ms;
        ++seeks;
    }
    replay.stop();
    state.counters["mean_ms"] = total / seeks;
    state.counters["worst_ms"] = worst;
    state.counters["misses"] = misses;
}

QTemporaryDir &hourFolder()
{
    static QTemporaryDir dir;
    return dir;
}

void BM_SeekOneHour(benchmark::State &state)
{
    seekIn(state, hourRecording(hourFolder()));
}
BENCHMARK(BM_SeekOneHour)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

// The same file cut short, without its index, as a killed recorder leaves it.
void BM_SeekOneHourCut(benchmark::State &state)
{
    const QString whole = hourRecording(hourFolder());
    const QString cut = hourFolder().filePath(QStringLiteral("cut.mkv"));
    if (!QFile::exists(cut)) {
        QFile::copy(whole, cut);
        QFile file(cut);
        file.open(QIODevice::ReadWrite);
        file.resize(QFileInfo(whole).size() * 95 / 100);
    }
    seekIn(state, cut);
}
BENCHMARK(BM_SeekOneHourCut)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
