#include "live/camer_window.h"
#include "live/trendchart.h"
#include "testsupport.h"
#include "ui_camer_window.h"

#include <QtCharts/QChart>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QXYSeries>

const qint64 T0 = 1796000000000;
static qint64 t(int frame) { return T0 + 40 * qint64(frame); }

// "frame:value" for each point, the frame counted back from its time.
static QString frames(const QVector<QPointF> &points)
{
    QStringList text;
    for (const QPointF &p : points)
        text << QString::number((p.x() - T0) / 40, 'g', 12) + ":" + QString::number(p.y());
    return text.join(' ');
}

class tst_Trend : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("TZ", "Europe/Berlin"); }
    void readings_saved_and_drawn()
    {
        TemporaryHome home;
        FakePlatform platform;
        camer_window window(nullptr, &platform);
        DialogAnswerer dialogs;
        ReadingsLog &log = window.m_readings;
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        window.updat_temp(36.2f, 34.0f, 0.97f); // read on the session's clock
        const Reading r = log.at(0);
        QCOMPARE(QString::asprintf("%d %d %d %d", qAbs(r.time - now) < 1000, r.maxTenths,
                     r.thresholdTenths, r.emissivityHundredths),
            "1 362 340 97");
        // The last second of winter time, then summer time.
        log = ReadingsLog();
        log.append(1774745999960, 0.0f, 6553.5f, 1.0f);
        log.append(1774746000000, 100.0f, 34.0f, 0.97f);
        log.append(1796004201250, 36.2f, 34.0f, 0.05f);
        dialogs.saveAnswer = home.path() + "/day";
        window.ui->pushButton_saveReadings->click();
        QCOMPARE(fileBytes(home.path() + "/day.csv"),
            "time,max,threshold,emissivity\n2026-03-29T01:59:59.960+01:00,0.0,6553.5,1.00\n"
            "2026-03-29T03:00:00.000+02:00,100.0,34.0,0.97\n"
            "2026-11-30T03:03:21.250+01:00,36.2,34.0,0.05\n");
        dialogs.saveAnswer = home.path() + "/missing/day.csv";
        window.ui->pushButton_saveReadings->click();
        const QString proposed = window.m_addr + "/readings.csv";
        QCOMPARE(dialogs.asked,
            QStringList({"保存读数", proposed, "保存读数", proposed, "警告",
                "读数保存失败，请检查文件名和文件夹!"}));

        // Eleven minutes at 25 frames a second: the maximum runs 30.0 to 32.4 within each second;
        // the threshold drops to 30.0 (an alarm) for frames 1000-1099, 1400-1599, 5000-5249 and
        // from 16400 on.
        log = ReadingsLog();
        for (int k = 0; k < 16500; ++k) {
            const bool alarm = (k >= 1000 && k < 1100) || (k >= 1400 && k < 1600)
                || (k >= 5000 && k < 5250) || k >= 16400;
            log.append(t(k), 30.0f + (k % 25) / 10.0f, alarm ? 30.0f : 34.0f, 0.95f);
        }
        // All kept for the file; frame 1499 lies exactly ten minutes before the newest: out.
        QCOMPARE(QString::asprintf("%zu %zu", log.size(), log.windowStart()), "16500 1500");
        QCOMPARE(log.alarmPeriods(),
            (QVector<AlarmPeriod> {{t(1500), t(1600)}, {t(5000), t(5250)}, {t(16400), t(16499)}}));
        QCOMPARE(frames(log.thresholdPoints()),
            "1500:30 1600:30 1600:34 5000:34 5000:30 5250:30 5250:34 16400:34 16400:30 16499:30");
        // The lowest and the highest of each second, in their order.
        QCOMPARE(frames(log.maxPoints(1000).mid(0, 4)), "1500:30 1524:32.4 1525:30 1549:32.4");
        // Beyond its capacity the log drops the oldest: 700 s was out of the window, now first.
        ReadingsLog three(3);
        for (int s : {0, 700, 710, 720})
            three.append(T0 + s * 1000, 30.0f, 34.0f, 0.95f);
        QCOMPARE(QString::asprintf("%zu %lld %zu", three.size(), three.at(0).time - T0,
                     three.windowStart()),
            "3 700000 0");
        // The trend draws the last ten minutes, only while its tab is shown.
        window.resize(1130, 721);
        window.show();
        QVERIFY(!window.m_trend->isRedrawing());
        window.ui->tabWidget->setCurrentIndex(2);
        const auto *max
            = qobject_cast<QtCharts::QXYSeries *>(window.ui->trendChart->chart()->series().at(1));
        QVERIFY(window.m_trend->isRedrawing() && max->count() == 1200); // two points a second
        log.append(t(16500), 40.0f, 34.0f, 0.95f);
        QTRY_COMPARE(max->at(max->count() - 1), QPointF(t(16500), 40.0));
        const auto *time = qobject_cast<QtCharts::QDateTimeAxis *>(
            window.ui->trendChart->chart()->axes(Qt::Horizontal).at(0));
        QCOMPARE(time->min().msecsTo(time->max()), 600000); // ten minutes up to the newest
        window.ui->tabWidget->setCurrentIndex(0);
        QVERIFY(!window.m_trend->isRedrawing());
    }
};

QTEST_MAIN(tst_Trend)
#include "tst_trend.moc"
