#include "live/camer_window.h"
#include "live/trendchart.h"
#include "testsupport.h"
#include "ui_camer_window.h"

#include <QBuffer>
#include <QtCharts/QChart>
#include <QtCharts/QXYSeries>
#include <QtTest>

namespace {
// 25 frames a second from a whole second; the threshold drops to 30.0 (an alarm, as the
// maximum runs 30.0 to 32.4 within each second) for frames 1000-1099, 1400-1599, 5000-5249
// and from 16400 on.
const qint64 T0 = 1796000000000;
const auto t = [](int k) { return T0 + 40 * qint64(k); };
ReadingsLog elevenMinutes()
{
    ReadingsLog log;
    const auto alarm = [](int k) {
        return (k >= 1000 && k < 1100) || (k >= 1400 && k < 1600) || (k >= 5000 && k < 5250)
            || k >= 16400;
    };
    for (int k = 0; k < 16500; ++k)
        log.append(t(k), 30.0f + (k % 25) / 10.0f, alarm(k) ? 30.0f : 34.0f, 0.95f);
    return log;
}
} // namespace

class tst_Trend : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("TZ", "Europe/Berlin"); }
    void window_after_eleven_minutes()
    {
        const ReadingsLog log = elevenMinutes();
        QCOMPARE(log.size(), std::size_t(16500)); // all kept for the file
        // Frame 1499 lies exactly ten minutes before the newest: out.
        QCOMPARE(log.windowStart(), std::size_t(1500));
        QCOMPARE(log.alarmPeriods(),
            (QVector<AlarmPeriod> {{t(1500), t(1600)}, {t(5000), t(5250)}, {t(16400), t(16499)}}));
        QCOMPARE(log.thresholdPoints(),
            (QVector<QPointF> {{qreal(t(1500)), 30}, {qreal(t(1600)), 30}, {qreal(t(1600)), 34},
                {qreal(t(5000)), 34}, {qreal(t(5000)), 30}, {qreal(t(5250)), 30},
                {qreal(t(5250)), 34}, {qreal(t(16400)), 34}, {qreal(t(16400)), 30},
                {qreal(t(16499)), 30}}));
        // The lowest and the highest of each second, in their order.
        QCOMPARE(log.maxPoints(1000).mid(0, 2),
            (QVector<QPointF> {{qreal(t(1500)), 30.0}, {qreal(t(1524)), 32.4}}));
    }
    void capacity_drops_the_oldest()
    {
        ReadingsLog log(3);
        for (int s : {0, 700, 710, 720})
            log.append(T0 + s * 1000, 30.0f, 34.0f, 0.95f);
        QCOMPARE(log.size(), std::size_t(3));
        QCOMPARE(log.at(0).time, T0 + 700000);
        QCOMPARE(log.windowStart(), std::size_t(0)); // 700 s was out of the window, now first
    }
    void csv_bytes()
    {
        ReadingsLog log;
        // The last second of winter time, then summer time.
        log.append(1774745999960, 0.0f, 6553.5f, 1.0f);
        log.append(1774746000000, 100.0f, 34.0f, 0.97f);
        log.append(1796004201250, 36.2f, 34.0f, 0.05f);
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        QVERIFY(log.writeCsv(file));
        QCOMPARE(file.data(),
            QByteArray("time,max,threshold,emissivity\n"
                       "2026-03-29T01:59:59.960+01:00,0.0,6553.5,1.00\n"
                       "2026-03-29T03:00:00.000+02:00,100.0,34.0,0.97\n"
                       "2026-11-30T03:03:21.250+01:00,36.2,34.0,0.05\n"));
    }
    void readings_saved_from_the_window()
    {
        TemporaryHome home;
        FakePlatform platform;
        camer_window window(nullptr, &platform);
        DialogAnswerer dialogs;
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        window.updat_temp(36.2f, 34.0f, 0.97f);
        window.updat_temp(33.9f, 34.0f, 0.95f);
        dialogs.saveAnswer = home.path() + "/day";
        window.ui->pushButton_saveReadings->click();
        QCOMPARE(dialogs.asked, (QStringList {"保存读数", window.m_addr + "/readings.csv"}));
        QFile file(home.path() + "/day.csv");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 4); // the last "\n" ends the last line
        QCOMPARE(lines[1].mid(29) + lines[2].mid(29), QByteArray(",36.2,34.0,0.97,33.9,34.0,0.95"));
        const QDateTime first = QDateTime::fromString(lines[1].left(29), Qt::ISODateWithMs);
        QVERIFY(qAbs(first.toMSecsSinceEpoch() - now) < 1000);

        dialogs.saveAnswer = home.path() + "/missing/day.csv";
        window.ui->pushButton_saveReadings->click();
        QCOMPARE(
            dialogs.asked.mid(4), (QStringList {"警告", "读数保存失败，请检查文件名和文件夹!"}));
    }
    void chart_redrawn_while_shown()
    {
        TemporaryHome home;
        FakePlatform platform;
        camer_window window(nullptr, &platform);
        window.m_readings = elevenMinutes();
        window.resize(1130, 721);
        window.show();
        QVERIFY(!window.m_trend->isRedrawing());
        window.ui->tabWidget->setCurrentIndex(2);
        QVERIFY(window.m_trend->isRedrawing());
        const auto *max
            = qobject_cast<QtCharts::QXYSeries *>(window.ui->trendChart->chart()->series().at(1));
        QCOMPARE(max->count(), 1200);
        window.m_readings.append(t(16500), 40.0f, 34.0f, 0.95f);
        QTRY_COMPARE(max->at(max->count() - 1), QPointF(t(16500), 40.0));
        window.ui->tabWidget->setCurrentIndex(0);
        QVERIFY(!window.m_trend->isRedrawing());
    }
};

QTEST_MAIN(tst_Trend)
#include "tst_trend.moc"
