// The command line as a user runs it: the program started once over a folder of pictures,
// timed from start to exit. Exports of 1,000 pictures to CSV and the information of 20,000.
#include "picturefixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

namespace {

// 1,000 pictures of their own (the first picture's bytes), and the names of 20,000: each of
// them twenty times over as hard links, so the page cache holds the same 300 MB either way.
struct Folder
{
    QTemporaryDir dir;
    QStringList pictures;
    QStringList manyPictures;

    Folder()
    {
        QDir(dir.path()).mkpath(QStringLiteral("DCIM_100"));
        QDir(dir.path()).mkpath(QStringLiteral("many"));
        const QByteArray bytes = PictureFixture::scene(PictureFixture::VX305).bytes();
        for (int i = 0; i < 1000; ++i) {
            const QString path = dir.filePath(
                QStringLiteral("DCIM_100/IMG %1.bmp").arg(i, 4, 10, QLatin1Char('0')));
            PictureFixture::writeBytes(path, bytes);
            pictures << path;
            for (int copy = 0; copy < 20; ++copy) {
                const QString link
                    = dir.filePath(QStringLiteral("many/%1_%2.bmp").arg(i).arg(copy));
                ::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData());
                manyPictures << link;
            }
        }
    }
};

Folder &folder()
{
    static Folder instance;
    return instance;
}

double childCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs vx305 with the arguments; the wall time is the iteration's time.
void runProgram(benchmark::State &state, const QStringList &arguments, int pictures)
{
    double cpu = 0.0;
    double wall = 0.0;
    for (auto _ : state) {
        QProcess program;
        program.setStandardOutputFile(QProcess::nullDevice());
        const double cpuBefore = childCpuSeconds();
        QElapsedTimer timer;
        timer.start();
        program.start(QStringLiteral(VX305_PROGRAM), arguments);
        program.waitForFinished(-1);
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (program.exitCode() != 0)
            state.SkipWithError("the command failed");
        state.SetIterationTime(seconds);
        wall += seconds;
        cpu += childCpuSeconds() - cpuBefore;
    }
    const double runs = double(state.iterations());
    state.counters["wall_s"] = wall / runs;
    state.counters["cpu_s"] = cpu / runs;
    state.counters["ms_per_picture"] = 1000.0 * wall / runs / pictures;
}

void BM_ExportCsv(benchmark::State &state)
{
    const QTemporaryDir out;
    runProgram(state,
        QStringList {
            QStringLiteral("export"), QStringLiteral("--csv"), QStringLiteral("--out"), out.path()}
            + folder().pictures,
        folder().pictures.size());
    state.SetLabel("1000 pictures");
}
BENCHMARK(BM_ExportCsv)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Info(benchmark::State &state)
{
    runProgram(state, QStringList(QStringLiteral("info")) + folder().manyPictures,
        folder().manyPictures.size());
    state.SetLabel("20000 pictures");
}
BENCHMARK(BM_Info)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
