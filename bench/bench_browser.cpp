// The photo browser on a drive folder of 5,000 and 20,000 pictures: one VX305 picture
// hard-linked under every name, so the disk holds one copy while the browser still lists
// and decodes each name. Each run opens the browser at a desktop size, waits for the
// thumbnails in sight, pages down 30 screens as a user would, switches to the table and
// destroys the browser.
//
// Real time is the time to the built listing (the view filled with names). Counters:
//   listing_ms   the same, in milliseconds
//   visible_ms   from the start until every thumbnail in sight is shown
//   gap_ms       longest time the event loop went without a tick of its 10 ms timer
//                while thumbnails filled in (painting and the mouse wait that long)
//   table_ms     building the table view of every picture
//   peak_MiB     resident memory added at the peak (VmHWM over the resident size before)
//   after_MiB    resident memory still added once the browser is destroyed
// Times are means over the runs; gap and memory the worst run.
#include "app/configrecord.h"
#include "app/startup.h"
#include "browser/photo_window.h"
#include "browser/thumbnailfiller.h"
#include "picturefixture.h"
#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QScrollBar>
#include <QTableWidget>
#include <QThreadPool>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include <unistd.h>

namespace {

constexpr int Pages = 30;

struct LinkedDrive
{
    QTemporaryDir dir;
    FakePlatform platform;

    explicit LinkedDrive(int count)
    {
        const QString root = makeDrive(dir, QStringLiteral("E"), { QStringLiteral("DCIM_100") });
        const QString source = dir.path() + QStringLiteral("/source.bmp");
        QImage front(240, 320, QImage::Format_RGB888);
        front.fill(QColor(128, 128, 128));
        PictureFixture::writeBytes(source, PictureFixture().viewableBytes(front));
        const QByteArray from = QFile::encodeName(source);
        for (int i = 0; i < count; ++i) {
            const QString name =
                    QStringLiteral("DCIM_100/IMG_%1.bmp").arg(i, 5, 10, QLatin1Char('0'));
            if (::link(from.constData(), QFile::encodeName(root + name).constData()) != 0)
                qFatal("cannot link %s", qPrintable(name));
        }
        platform.drives = QStringList { root };
    }
};

// Resident memory in MiB, field "VmRSS" or "VmHWM" of /proc/self/status.
double residentMiB(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Lets VmHWM start again from the present resident size.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Runs the event loop with a 10 ms timer until a tick finds done(); returns the longest
// time in milliseconds between two ticks (or from the start to the first).
double runUntil(const std::function<bool()> &done)
{
    QEventLoop loop;
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        longest = qMax(longest, sinceTick.nsecsElapsed());
        sinceTick.restart();
        if (done())
            loop.quit();
    });
    QTimer::singleShot(60000, &loop, [&] { qFatal("the browser never settled"); });
    sinceTick.start();
    ticker.start();
    loop.exec();
    return double(qMax(longest, sinceTick.nsecsElapsed())) / 1e6;
}

struct Figures
{
    double listing = 0; // seconds
    double visible = 0; // the rest in milliseconds or MiB
    double gap = 0;
    double table = 0;
    double peak = 0;
    double after = 0;
};

Figures browse(LinkedDrive *drive, int count)
{
    Figures figures;
    const double before = residentMiB("VmRSS");
    resetPeak();
    QElapsedTimer clock;
    clock.start();
    auto window = std::make_unique<photo_window>(nullptr, &drive->platform);
    window->resize(1280, 800);
    window->show();
    figures.listing = double(clock.nsecsElapsed()) / 1e9;
    if (window->m_iconView->count() != count)
        qFatal("not every picture listed");

    auto *filler = window->m_iconView->findChild<ThumbnailFiller *>();
    bool inSight = false;
    QObject::connect(filler, &ThumbnailFiller::visibleShown, [&] { inSight = true; });
    figures.gap = runUntil([&] { return inSight; });
    figures.visible = double(clock.nsecsElapsed()) / 1e6;
    QScrollBar *bar = window->m_iconView->verticalScrollBar();
    for (int page = 0; page < Pages; ++page) {
        inSight = false;
        bar->setValue(bar->value() + bar->pageStep());
        figures.gap = qMax(figures.gap, runUntil([&] { return inSight; }));
    }
    figures.gap = qMax(figures.gap, runUntil([&] { return !filler->busy(); }));

    clock.restart();
    window->showTableView();
    figures.table = double(clock.nsecsElapsed()) / 1e6;
    runUntil([&] { return !window->m_tableView->findChild<ThumbnailFiller *>()->busy(); });
    figures.peak = residentMiB("VmHWM") - before;

    window.reset();
    ThumbnailFiller::pool()->waitForDone();
    // The destroyed views' deferred clean-up.
    runUntil([] { return true; });
    figures.after = residentMiB("VmRSS") - before;
    return figures;
}

void BM_Browser(benchmark::State &state)
{
    const int count = int(state.range(0));
    TemporaryHome home;
    ConfigRecord::createDefault(QStringLiteral("EN"));
    LinkedDrive drive(count);
    // Once unmeasured: what the first window of the process sets up for good (fonts,
    // styles, worker threads) is not the browser's.
    browse(&drive, count);

    Figures total;
    for (auto _ : state) {
        const Figures run = browse(&drive, count);
        state.SetIterationTime(run.listing);
        total.listing += run.listing;
        total.visible += run.visible;
        total.table += run.table;
        total.gap = qMax(total.gap, run.gap);
        total.peak = qMax(total.peak, run.peak);
        total.after = qMax(total.after, run.after);
    }
    const double runs = double(state.iterations());
    state.counters["pictures"] = count;
    state.counters["listing_ms"] = total.listing * 1000 / runs;
    state.counters["visible_ms"] = total.visible / runs;
    state.counters["table_ms"] = total.table / runs;
    state.counters["gap_ms"] = total.gap;
    state.counters["peak_MiB"] = total.peak;
    state.counters["after_MiB"] = total.after;
}
BENCHMARK(BM_Browser)
        ->Arg(5000)
        ->Arg(20000)
        ->Iterations(3)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);

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
