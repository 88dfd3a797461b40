// The analysis store and the inspection report: opening a picture with a stored analysis
// against one without, a lookup in a store of 100,000 analyses, and a 50-picture report.
#include "analysis/analysis_widget.h"
#include "app/configrecord.h"
#include "app/startup.h"
#include "inspection/analysiskeeper.h"
#include "inspection/analysisstore.h"
#include "inspection/inspectionreport.h"

#include "picturefixture.h"
#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <benchmark/benchmark.h>

namespace {

// A picture of its own bytes for index i, with a tool of each kind and a finding stored.
QString analysedPicture(const QString &folder, int i, bool stored)
{
    PictureFixture p = PictureFixture::scene(PictureFixture::VX305);
    p.setPixel(0, 0, quint8(i));
    p.setPixel(1, 0, quint8(i >> 8));
    const QString path = folder + QStringLiteral("/IMG_%1.bmp").arg(i, 4, 10, QLatin1Char('0'));
    p.writeTo(path);
    if (stored) {
        AnalysisRecord r;
        r.hash = AnalysisStore::hashOfFile(path);
        r.path = path;
        r.changed = QDateTime::currentDateTimeUtc();
        r.tools = { { 2, "P0", 80, 110, -1, -1, -1, 0xffff0000 },
                    { 3, "L0", 20, 40, 200, 60, -1, 0xffff0000 },
                    { 4, "R0", 130, 180, 215, 285, -1, 0xffff0000 },
                    { 5, "C0", 85, 240, 115, 240, 30, 0xff00ff00 } };
        r.finding = { "Hot terminal", "Panel B2", "Phase A 40 K above ambient.",
                      { Findings::TypedTemperature, 21.5, QString() }, 0, false };
        AnalysisStore::shared()->save(r);
    }
    return path;
}

// The browser's open, with and without an analysis to restore.
void BM_OpenPicture(benchmark::State &state)
{
    TemporaryHome home;
    ConfigRecord::createDefault(QStringLiteral("EN"));
    const bool stored = state.range(0) == 1;
    const QString path = analysedPicture(home.path(), 1, stored);
    AnalysisStore::shared()->flush();
    for (auto _ : state) {
        Analysis_Widget window;
        window.set_Image_addr(path, 0);
        window.keepAnalysis();
        if (bool(window.m_keeper->restored()) != stored)
            state.SkipWithError("restored what was not stored");
    }
    state.SetLabel(stored ? "with a stored analysis" : "without");
}
BENCHMARK(BM_OpenPicture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A lookup by hash in a store of 100,000 analyses of four tools each; the file's size.
void BM_StoreLookup(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("analyses.sqlite"));
    constexpr int Count = 100000;
    {
        AnalysisStore schema(path);
        schema.open();
    }
    {
        // Filled in one transaction; the store itself commits one analysis at a time.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("BEGIN"));
        QSqlQuery a(db), t(db);
        a.prepare(QStringLiteral("INSERT INTO analyses VALUES (?, ?, 0, 0, 0, 255, 1, 40.5, 60.5, 0,"
                                 " 'Hot terminal', 'Panel B2, breaker 14', 'Phase A 40 K above ambient.',"
                                 " 1, 21.5, '', 1, 0)"));
        t.prepare(QStringLiteral("INSERT INTO tools VALUES (?, ?, ?, ?, 10, 20, 110, 220, -1, 4294901760)"));
        for (int i = 0; i < Count; ++i) {
            const QByteArray hash = QCryptographicHash::hash(QByteArray::number(i), QCryptographicHash::Sha256);
            a.addBindValue(hash);
            a.addBindValue(QStringLiteral("/media/card/DCIM_100/IMG_%1.bmp").arg(i));
            a.exec();
            for (int k = 0; k < 4; ++k) {
                t.addBindValue(hash);
                t.addBindValue(k);
                t.addBindValue(2 + k);
                t.addBindValue(QStringLiteral("PLRC").mid(k, 1) + QLatin1Char('0'));
                t.exec();
            }
        }
        q.exec(QStringLiteral("COMMIT"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    AnalysisStore store(path);
    QElapsedTimer opening;
    opening.start();
    store.open();
    // Opening checks the whole file once.
    state.counters["open_ms"] = double(opening.nsecsElapsed()) / 1e6;
    int i = 0;
    for (auto _ : state) {
        const QByteArray hash = QCryptographicHash::hash(QByteArray::number((i++ * 7919) % Count),
                                                         QCryptographicHash::Sha256);
        if (!store.lookup(hash))
            state.SkipWithError("not found");
    }
    state.counters["MiB"] = double(QFileInfo(path).size()) / (1 << 20);
    state.counters["analyses"] = store.count();
}
BENCHMARK(BM_StoreLookup)->Unit(benchmark::kMicrosecond);

// One inspection report of 50 analysed pictures.
void BM_InspectionReport(benchmark::State &state)
{
    TemporaryHome home;
    ConfigRecord::createDefault(QStringLiteral("EN"));
    QStringList pictures;
    for (int i = 0; i < 50; ++i)
        pictures << analysedPicture(home.path(), i, true);
    AnalysisStore::shared()->flush();
    const InspectionReport::Details details { "Northwind", QString(), "ACME", "Hall 7", "J. Doe",
                                              QDate(2026, 12, 7) };
    for (auto _ : state) {
        const InspectionReport::Outcome outcome =
                InspectionReport::write(pictures, 0, details, home.path() + "/report.pdf");
        if (!outcome.written)
            state.SkipWithError("no report");
        state.counters["pages"] = outcome.pages;
    }
}
BENCHMARK(BM_InspectionReport)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initVx305Resources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
