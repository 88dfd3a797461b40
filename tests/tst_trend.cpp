#include "live/camer_window.h"
#include "testsupport.h"
#include "ui_camer_window.h"

class tst_Trend : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("TZ", "Europe/Berlin"); }
    void readings_saved()
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
    }
};

QTEST_MAIN(tst_Trend)
#include "tst_trend.moc"
