// The monitoring station as it runs: the program itself fed at the imager's 25 frames a second
// from a file of 30 s of scene frames (filesrc paced by "identity sync=true"), measured
// over 20 s after 5 s of warming up from /proc: CPU of one core in percent and resident memory
// (the highest of twenty readings, one a second).
// Each part is switched on in turn: the pacing source alone (gst-launch-1.0 into a fakesink),
// the frame path, alarms with their folders and the readings log, MQTT to a mosquitto on
// loopback, a recording, and everything with alarm clips.
#include "mqttsupport.h"
#include "recording/recordingformat.h"
#include "recording/syntheticscene.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

constexpr int Rate = 25;
constexpr int WarmUpSeconds = 5;
constexpr int MeasureSeconds = 20;

// 30 s of the demo's scene, its first 20 s and again the first 10 (its hot spot passes a
// threshold of 60 from about 10 s to 18 s) as the imager's 240 x 321 frames; with a threshold
// of 999 no frame alarms.
struct Station
{
    QTemporaryDir dir;
    Broker broker;
    QString alarming = dir.filePath(QStringLiteral("alarming.yuv"));
    QString quiet = dir.filePath(QStringLiteral("quiet.yuv"));

    Station()
    {
        QFile a(alarming), q(quiet);
        a.open(QIODevice::WriteOnly);
        q.open(QIODevice::WriteOnly);
        for (int k = 0; k < 20 * Rate; ++k) {
            const double t = 4 + double(k) / Rate;
            const auto scene
                = SyntheticScene::scene(t, SyntheticScene::demoPeak(t), 0.15, unsigned(k));
            a.write(SyntheticScene::liveFrame(scene, 60, 0.95f)
                        .leftJustified(int(RecordingFormat::FrameBytes), '\0'));
            q.write(SyntheticScene::liveFrame(scene, 999, 0.95f)
                        .leftJustified(int(RecordingFormat::FrameBytes), '\0'));
        }
        broker.start();
    }
    static QString source(const QString &file)
    {
        return QStringLiteral("filesrc location=%1 ! rawvideoparse width=240 "
                              "height=321 format=yuy2 framerate=25/1 ! identity sync=true")
            .arg(file);
    }
};

Station &station()
{
    static Station instance;
    return instance;
}

// utime + stime in seconds and the resident set in MiB of a running process.
std::pair<double, double> usage(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    QFile statm(QStringLiteral("/proc/%1/statm").arg(pid));
    if (!stat.open(QIODevice::ReadOnly) || !statm.open(QIODevice::ReadOnly))
        return {0, 0};
    // The fields after the command's closing parenthesis; utime and stime are the 12th and 13th.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double cpu = (fields.value(11).toDouble() + fields.value(12).toDouble())
        / double(sysconf(_SC_CLK_TCK));
    // Resident pages, the second field.
    const double rss = statm.readAll().split(' ').value(1).toDouble() * double(sysconf(_SC_PAGESIZE))
        / (1 << 20);
    return {cpu, rss};
}

void runStation(benchmark::State &state, const QString &program, const QStringList &arguments)
{
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(station().dir.filePath(QStringLiteral("log.txt")));
        process.start(program, arguments);
        if (!process.waitForStarted()) {
            state.SkipWithError("the program did not start");
            return;
        }
        QThread::sleep(WarmUpSeconds);
        const auto before = usage(process.processId());
        QElapsedTimer clock;
        clock.start();
        double peak = 0;
        for (int s = 0; s < MeasureSeconds; ++s) {
            QThread::sleep(1);
            peak = qMax(peak, usage(process.processId()).second);
        }
        const auto after = usage(process.processId());
        const double seconds = clock.nsecsElapsed() / 1e9;
        process.terminate();
        process.waitForFinished(30000);
        state.SetIterationTime(seconds);
        state.counters["cpu_percent"] = 100 * (after.first - before.first) / seconds;
        // The highest of the twenty readings, one a second.
        state.counters["rss_MiB"] = peak;
        // The monitor's own count, from its last line.
        QFile log(station().dir.filePath(QStringLiteral("log.txt")));
        log.open(QIODevice::ReadOnly);
        const QByteArray text = log.readAll();
        const qint64 at = text.lastIndexOf("stopped after ");
        state.counters["frames"]
            = at >= 0 ? text.mid(at + 14).split(' ').value(0).toDouble() : 0.0;
    }
}

// 0 the pacing source alone, 1 the frame path, 2 with alarms and the readings log, 3 and MQTT,
// 4 and a recording, 5 and alarm clips.
void BM_Station(benchmark::State &state)
{
    Station &s = station();
    const int parts = int(state.range(0));
    if (parts == 0) {
        runStation(state, QStringLiteral("gst-launch-1.0"),
            QStringList {QStringLiteral("-q")} + Station::source(s.quiet).split(' ')
                + QStringList {QStringLiteral("!"), QStringLiteral("fakesink")});
        state.SetLabel("pacing source alone");
        return;
    }
    QStringList arguments {QStringLiteral("monitor"), QStringLiteral("--source"),
        Station::source(parts >= 2 ? s.alarming : s.quiet), QStringLiteral("--alarm-folder"),
        s.dir.filePath(QStringLiteral("alarms")), QStringLiteral("--readings"),
        parts >= 2 ? s.dir.filePath(QStringLiteral("readings")) : QStringLiteral("none")};
    if (parts >= 3)
        arguments << QStringLiteral("--mqtt") << s.broker.url() << QStringLiteral("--id")
                  << QStringLiteral("bench");
    if (parts >= 4)
        arguments << QStringLiteral("--record") << s.dir.filePath(QStringLiteral("recordings"));
    if (parts >= 5)
        arguments << QStringLiteral("--alarm-clips");
    runStation(state, QStringLiteral(VX305_PROGRAM), arguments);
    const char *labels[] = {"", "frame path", "alarms and readings log", "and MQTT",
        "and recording", "and alarm clips"};
    state.SetLabel(labels[parts]);
}
BENCHMARK(BM_Station)->DenseRange(0, 5)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
