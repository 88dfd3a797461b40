// Listing a drive folder of 500 VX305 pictures up to the built icon view, as the photo
// browser does when it opens or changes drive, and the two halves of that work.
#include "app/configrecord.h"
#include "app/startup.h"
#include "browser/photo_window.h"
#include "browser/picturelisting.h"
#include "bitmapfixture.h"
#include "testsupport.h"

#include <QApplication>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int PictureCount = 500;

struct Drive
{
    TemporaryHome home;
    QTemporaryDir dir;
    FakePlatform platform;
    QString folder;

    Drive()
    {
        ConfigRecord::createDefault(QStringLiteral("EN"));
        const QString root = makeDrive(dir, QStringLiteral("E"), { QStringLiteral("DCIM_100") });
        folder = root + QStringLiteral("DCIM_100");
        for (int i = 0; i < PictureCount; ++i) {
            BitmapFixture::writePicture(
                    folder + QStringLiteral("/IMG_%1.bmp").arg(i, 4, 10, QLatin1Char('0')),
                    PictureFixture::VX305, quint8(i));
        }
        platform.drives = QStringList { root };
    }
};

Drive &drive()
{
    static Drive instance;
    return instance;
}

void BM_OpenBrowser(benchmark::State &state)
{
    Drive &d = drive();
    for (auto _ : state) {
        photo_window window(nullptr, &d.platform);
        if (window.m_iconView->count() != PictureCount)
            state.SkipWithError("not every picture listed");
    }
    state.counters["pictures"] = PictureCount;
}
BENCHMARK(BM_OpenBrowser)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_Relist(benchmark::State &state)
{
    Drive &d = drive();
    photo_window window(nullptr, &d.platform);
    for (auto _ : state)
        window.get_image_information();
}
BENCHMARK(BM_Relist)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_ListFolder(benchmark::State &state)
{
    Drive &d = drive();
    for (auto _ : state)
        benchmark::DoNotOptimize(PictureListing::listFolder(d.folder));
}
BENCHMARK(BM_ListFolder)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_IconViewFromMemory(benchmark::State &state)
{
    Drive &d = drive();
    photo_window window(nullptr, &d.platform);
    for (auto _ : state)
        window.showIconView();
}
BENCHMARK(BM_IconViewFromMemory)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initVx305Resources();
    // Debug lines of every listing would dominate the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
