#include "app/configrecord.h"
#include "live/alarmhistory.h"
#include "live/camer_window.h"
#include "ui_camer_window.h"
#include "testsupport.h"

#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

QImage frameOfGrey(int grey)
{
    QImage frame(240, 320, QImage::Format_RGB888);
    frame.fill(QColor(grey, grey, grey));
    return frame;
}

CameraIdentity camera(const char *deviceName, const char *description)
{
    return { QStringLiteral("/dev/video0"), QString::fromLatin1(deviceName),
             QString::fromLatin1(description) };
}

} // namespace

Q_DECLARE_METATYPE(CameraIdentity)
Q_DECLARE_METATYPE(QList<CameraIdentity>)

class tst_CamerWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void discovery_data();
    void discovery();
    void readouts_data();
    void readouts();
    void recentFramesKeepSeven();
    void alarm_data();
    void alarm();
    void alarmFolderHoldsTheSevenFrames();
    void flashTicksAndSound();
    void alarmBoxGovernsTheOthers();
    void history();
    void historyWithoutRecord();
    void capture();
    void fullScreenByDoubleClickAndEscape();
    void closingAnnouncesDisconnect();
    void tabStyle_data();
    void tabStyle();

private:
    // One frame as the surface delivers it: picture first, then the readings.
    void frame(float maxTemp, float threshold = 34.0f, int grey = 0);
    void run(const QString &script);

    std::unique_ptr<TemporaryHome> m_home;
    std::unique_ptr<QTemporaryDir> m_history;
    FakePlatform m_platform;
    std::unique_ptr<camer_window> m_window;
};

void tst_CamerWindow::init()
{
    m_home = std::make_unique<TemporaryHome>();
    m_history = std::make_unique<QTemporaryDir>();
    m_platform = FakePlatform();
    m_platform.cameraList = { FakePlatform::imager() };
    ConfigRecord::createDefault("EN");
    m_window = std::make_unique<camer_window>(nullptr, &m_platform);
    m_window->set_addr(m_history->path());
}

void tst_CamerWindow::cleanup()
{
    m_window.reset();
    m_history.reset();
    m_home.reset();
}

void tst_CamerWindow::frame(float maxTemp, float threshold, int grey)
{
    m_window->display_cap(frameOfGrey(grey));
    m_window->updat_temp(maxTemp, threshold, 0.97f);
}

// a: a frame at the threshold, b: a frame below it, s: the stop button,
// A/a-less boxes: "A+", "A-", "F+", "F-", "S+", "S-" toggle the three boxes.
void tst_CamerWindow::run(const QString &script)
{
    const QStringList steps = script.split(' ', Qt::SkipEmptyParts);
    for (const QString &step : steps) {
        if (step == "A+" || step == "A-")
            m_window->ui->checkBox->setChecked(step.endsWith('+'));
        else if (step == "F+" || step == "F-")
            m_window->ui->checkBox_3->setChecked(step.endsWith('+'));
        else if (step == "S+" || step == "S-")
            m_window->ui->checkBox_2->setChecked(step.endsWith('+'));
        else if (step == "s")
            m_window->ui->pushButton_2->click();
        else if (step.endsWith('a'))
            for (int i = 0, n = step.size() > 1 ? step.chopped(1).toInt() : 1; i < n; ++i)
                frame(34.0f);
        else if (step.endsWith('b'))
            frame(33.9f);
        else
            QFAIL(qPrintable("unknown step " + step));
    }
}

void tst_CamerWindow::discovery_data()
{
    QTest::addColumn<QList<CameraIdentity>>("cameras");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<bool>("watching");

    QTest::newRow("no camera: no watch") << QList<CameraIdentity>() << QStringList() << false;
    QTest::newRow("second of two is the imager")
            << QList<CameraIdentity> { camera("usb#vid_1d6b&pid_0104", "UVC Camera"),
                                       camera("usb#vid_1d6b&pid_0102", "UVC Camera") }
            << QStringList { "usb#vid_1d6b&pid_0102" } << true;
    QTest::newRow("only the first imager")
            << QList<CameraIdentity> { camera("usb#vid_1d6b&pid_0102&mi_00", "UVC Camera"),
                                       camera("usb#vid_1d6b&pid_0102", "UVC Camera") }
            << QStringList { "usb#vid_1d6b&pid_0102&mi_00" } << true;
    QTest::newRow("upper-case vendor")
            << QList<CameraIdentity> { camera("usb#VID_1D6B&pid_0102", "UVC Camera") }
            << QStringList() << true;
    QTest::newRow("trailing blank in description")
            << QList<CameraIdentity> { camera("usb#vid_1d6b&pid_0102", "UVC Camera ") }
            << QStringList() << true;
}

void tst_CamerWindow::discovery()
{
    QFETCH(QList<CameraIdentity>, cameras);
    QFETCH(QStringList, opened);
    QFETCH(bool, watching);

    FakePlatform platform;
    platform.cameraList = cameras;
    camer_window window(nullptr, &platform);
    QCOMPARE(platform.opened, opened);
    QCOMPARE(window.m_timer != nullptr, watching);
    if (watching) {
        QVERIFY(window.m_timer->isActive());
        QCOMPARE(window.m_timer->interval(), 300);
    }
    QVERIFY(!window.ui->checkBox_2->isEnabled());
    QVERIFY(!window.ui->checkBox_3->isEnabled());
    QCOMPARE(window.ui->tabWidget->currentIndex(), 0);
}

void tst_CamerWindow::readouts_data()
{
    QTest::addColumn<float>("maxTemp");
    QTest::addColumn<float>("threshold");
    QTest::addColumn<float>("emissivity");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("typical") << 36.2f << 34.0f << 0.97f << QStringList { "36.2", "34.0", "0.97" };
    QTest::newRow("whole hundred") << 100.0f << 100.0f << 1.0f << QStringList { "100.0", "100.0", "1.00" };
    QTest::newRow("negative") << -20.5f << -30.0f << 0.1f << QStringList { "-20.5", "-30.0", "0.10" };
    QTest::newRow("largest words") << 6553.5f << 6553.5f << 655.35f
                                   << QStringList { "6553.5", "6553.5", "655.35" };
}

void tst_CamerWindow::readouts()
{
    QFETCH(float, maxTemp);
    QFETCH(float, threshold);
    QFETCH(float, emissivity);
    QFETCH(QStringList, texts);
    m_window->updat_temp(maxTemp, threshold, emissivity);
    QCOMPARE(m_window->ui->label_6->text(), texts.at(0));
    QCOMPARE(m_window->ui->label_7->text(), texts.at(1));
    QCOMPARE(m_window->ui->label_8->text(), texts.at(2));
}

void tst_CamerWindow::recentFramesKeepSeven()
{
    for (int i = 1; i <= 8; ++i)
        m_window->display_cap(frameOfGrey(i * 10));
    QCOMPARE(m_window->m_recentFrames.size(), 7);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(qGray(m_window->m_recentFrames.at(i).pixel(0, 0)), (i + 2) * 10);
    QCOMPARE(m_window->m_lastFrame.size(), QSize(240, 320));
}

void tst_CamerWindow::alarm_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("flashing");
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("folders");

    const QString normal = camer_window::NormalStyle;
    const QString quiet = camer_window::QuietStyle;
    const QString stopped = camer_window::FlashBStyle;
    // A running alarm keeps label_6's style until the first tick.
    QTest::newRow("maximum equal to threshold alarms") << "A+ a" << true << normal << 0 << 0;
    QTest::newRow("below threshold") << "A+ a b" << false << normal << 0 << 0;
    QTest::newRow("alarm box off is quiet") << "a" << false << quiet << 0 << 0;
    QTest::newRow("eight counted frames write one folder") << "A+ F+ 8a" << true << normal << 9 << 1;
    QTest::newRow("ninth and later frames write nothing") << "A+ F+ 12a" << true << normal << 9 << 1;
    QTest::newRow("seven frames are not enough") << "A+ F+ 7a" << true << normal << 7 << 0;
    QTest::newRow("a frame below starts a new alarm") << "A+ F+ 8a b 8a" << true << normal << 9 << 2;
    QTest::newRow("stop freezes the count") << "A+ F+ 7a s 10a" << false << stopped << 7 << 0;
    QTest::newRow("after stop, below, then eight") << "A+ F+ 7a s 10a b 8a" << true << normal << 9 << 1;
    QTest::newRow("file box switched on late") << "A+ 20a F+ 8a" << true << normal << 9 << 1;
    QTest::newRow("alarm box off mid-alarm") << "A+ F+ 5a A- a" << false << quiet << 0 << 0;
    QTest::newRow("toggling the box clears the stop") << "A+ 3a s A- A+ a" << true << stopped << 0 << 0;
    QTest::newRow("stop while normal, then below") << "s b" << false << normal << 0 << 0;
}

void tst_CamerWindow::alarm()
{
    QFETCH(QString, script);
    QFETCH(bool, flashing);
    QFETCH(QString, style);
    QFETCH(int, count);
    QFETCH(int, folders);

    run(script);
    QCOMPARE(m_window->m_timerWarn->isActive(), flashing);
    if (flashing)
        QCOMPARE(m_window->m_timerWarn->interval(), 500);
    QCOMPARE(m_window->ui->label_6->styleSheet(), style);
    QCOMPARE(m_window->m_alarmFrames, count);
    QCOMPARE(AlarmHistory::alarmFolders(m_history->path()).size(), folders);
    QCOMPARE(m_window->ui->listWidget->count(), folders);
    QCOMPARE(m_window->ui->listWidget_2->count(), folders);
}

void tst_CamerWindow::alarmFolderHoldsTheSevenFrames()
{
    run("A+ F+");
    // Frame k has grey 20 k and maximum 40.k; the eighth completes the count.
    for (int k = 1; k <= 8; ++k) {
        m_window->display_cap(frameOfGrey(20 * k));
        m_window->updat_temp(40.0f + k / 10.0f, 34.0f, 0.97f);
    }
    const QStringList folders = AlarmHistory::alarmFolders(m_history->path());
    QCOMPARE(folders.size(), 1);
    const QString folder = m_history->path() + '/' + folders.first() + '/';
    for (int i = 0; i < 7; ++i) {
        const QImage picture(folder + AlarmHistory::pictureNames().at(i), "jpg");
        QVERIFY2(qAbs(qGray(picture.pixel(10, 10)) - 20 * (i + 2)) <= 3,
                 qPrintable(AlarmHistory::pictureNames().at(i)));
    }
    // The readouts still showed the seventh frame when the eighth was evaluated.
    QFile record(folder + folders.first() + ".ini");
    QVERIFY(record.open(QIODevice::ReadOnly));
    QCOMPARE(record.readAll(), QByteArray("40.7,34.0,0.97"));
    QCOMPARE(m_window->m_lastRecord, QString("40.7,34.0,0.97"));
}

void tst_CamerWindow::flashTicksAndSound()
{
    run("A+ S+ a");
    m_window->timeout_warn();
    QCOMPARE(m_window->ui->label_6->styleSheet(), camer_window::FlashAStyle);
    QCOMPARE(m_window->m_player->media().request().url(), QUrl("qrc:/Sound/Alarm/Alarm.mp3"));
    m_window->timeout_warn();
    QCOMPARE(m_window->ui->label_6->styleSheet(), camer_window::FlashBStyle);

    run("S-");
    m_window->timeout_warn();
    QCOMPARE(m_window->m_player->state(), QMediaPlayer::StoppedState);

    run("s");
    QVERIFY(m_window->m_acknowledged);
    QVERIFY(!m_window->m_timerWarn->isActive());
    QCOMPARE(m_window->ui->label_6->styleSheet(), camer_window::FlashBStyle);
}

void tst_CamerWindow::alarmBoxGovernsTheOthers()
{
    run("A+ S+ F+");
    QVERIFY(m_window->m_soundOn);
    QVERIFY(m_window->m_alarmFileOn);
    run("A-");
    QVERIFY(!m_window->ui->checkBox_2->isChecked());
    QVERIFY(!m_window->ui->checkBox_3->isChecked());
    QVERIFY(!m_window->ui->checkBox_2->isEnabled());
    QVERIFY(!m_window->ui->checkBox_3->isEnabled());
    QVERIFY(!m_window->m_soundOn);
    QVERIFY(!m_window->m_alarmFileOn);
    run("A+");
    QVERIFY(m_window->ui->checkBox_2->isEnabled());
    QVERIFY(m_window->ui->checkBox_3->isEnabled());
    QVERIFY(!m_window->ui->checkBox_2->isChecked());
    QVERIFY(!m_window->ui->checkBox_3->isChecked());
}

void tst_CamerWindow::history()
{
    QDir root(m_history->path());
    const QList<QImage> frames = { frameOfGrey(10), frameOfGrey(20), frameOfGrey(30),
                                   frameOfGrey(40), frameOfGrey(50), frameOfGrey(60),
                                   frameOfGrey(70) };
    const QDateTime older(QDate(2023, 12, 5), QTime(10, 15, 30));
    QVERIFY(AlarmHistory::writeAlarmFolder(root.path(), frames, "1.0,2.0,0.50\n36.2,34.0,0.97", older));
    QVERIFY(AlarmHistory::writeAlarmFolder(root.path(), frames, "50.0,45.0,0.95", older.addDays(1)));
    root.mkdir("2023");
    m_window->updat_list();
    QCOMPARE(m_window->ui->listWidget->count(), 2);
    QCOMPARE(m_window->ui->listWidget->item(0)->text(), QString("20231205101530"));
    QCOMPARE(m_window->ui->listWidget_2->item(1)->text(), QString("20231206101530"));

    // A single click on the first page does nothing; a double click on any entry opens
    // the history page at the oldest alarm.
    m_window->on_listWidget_itemClicked(m_window->ui->listWidget->item(1));
    QCOMPARE(m_window->ui->tabWidget->currentIndex(), 0);
    m_window->on_listWidget_itemDoubleClicked(m_window->ui->listWidget->item(1));
    QCOMPARE(m_window->ui->tabWidget->currentIndex(), 1);
    QCOMPARE(m_window->ui->listWidget_2->currentRow(), 0);
    QCOMPARE(m_window->ui->label_12->text(), QString("36.2"));
    QCOMPARE(m_window->ui->label_14->text(), QString("34.0"));
    QCOMPARE(m_window->ui->label_16->text(), QString("0.97"));
    QCOMPARE(m_window->ui->listWidget_3->count(), 7);
    QCOMPARE(m_window->ui->listWidget_3->item(0)->text(), QString("Alarm.JPG"));
    QCOMPARE(m_window->m_historyPictures.size(), 7);
    QCOMPARE(m_window->m_shownPicture, 0);

    m_window->ui->listWidget_3->setCurrentRow(2);
    QCOMPARE(m_window->m_shownPicture, 2);
    QVERIFY(!m_window->ui->label_18->pixmap(Qt::ReturnByValue).isNull());
}

void tst_CamerWindow::historyWithoutRecord()
{
    QDir(m_history->path()).mkdir("20240101120000");
    m_window->updat_list();
    m_window->on_listWidget_2_itemClicked(m_window->ui->listWidget_2->item(0));
    // No reading of an earlier alarm may stay on screen.
    QCOMPARE(m_window->ui->label_12->text(), QString("--"));
    QCOMPARE(m_window->ui->label_14->text(), QString("--"));
    QCOMPARE(m_window->ui->label_16->text(), QString("--"));
    QCOMPARE(m_window->ui->listWidget_3->count(), 0);
    QCOMPARE(m_window->m_shownPicture, -1);
}

void tst_CamerWindow::capture()
{
    DialogAnswerer answers;
    // Typed without a suffix: the dialog's default suffix gives the format.
    const QString target = m_history->path() + "/shot.png";
    answers.saveAnswer = m_history->path() + "/shot";

    // Before any frame the dialog is asked but nothing is written.
    m_window->ui->pushButton->click();
    QCOMPARE(answers.asked, QStringList({ "保存的文件", m_history->path() + "/cap.png" }));
    QVERIFY(!QFile::exists(target));

    m_window->display_cap(frameOfGrey(128));
    m_window->ui->pushButton->click();
    QCOMPARE(QImage(target).size(), QSize(480, 640));

    answers.saveAnswer.clear();
    QFile::remove(target);
    m_window->ui->pushButton->click();
    QVERIFY(!QFile::exists(target));

    // capture_that_cannot_be_written_is_reported
    answers.asked.clear();
    answers.saveAnswer = m_history->path() + "/gone/shot.png";
    m_window->ui->pushButton->click();
    QCOMPARE(answers.asked.mid(2), QStringList({ "警告", "图片保存失败，请检查文件名和文件夹!" }));
}

void tst_CamerWindow::fullScreenByDoubleClickAndEscape()
{
    m_window->resize(1130, 721);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QSignalSpy back(m_window.get(), &camer_window::fullscr);

    // Outside the picture nothing happens; Escape while embedded only logs.
    QTest::mouseDClick(m_window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QVERIFY(!m_window->m_isFull);
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(!m_window->m_isFull);

    QLabel *picture = m_window->ui->label_17;
    const QPoint centre = picture->mapTo(m_window.get(), picture->rect().center());
    QTest::mouseDClick(m_window.get(), Qt::LeftButton, Qt::NoModifier, centre);
    QVERIFY(m_window->m_isFull);
    QVERIFY(m_window->isFullScreen());
    QCOMPARE(back.count(), 0);

    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(!m_window->m_isFull);
    QCOMPARE(back.count(), 1);
    QCOMPARE(back.first().first().toBool(), false);
}

void tst_CamerWindow::closingAnnouncesDisconnect()
{
    QSignalSpy disconnected(m_window.get(), &camer_window::dis);
    m_window->close();
    QCOMPARE(disconnected.count(), 1);
}

void tst_CamerWindow::tabStyle_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("wide");

    QTest::newRow("RU widens") << "RU" << true;
    QTest::newRow("ru does not") << "ru" << false;
    QTest::newRow("EN does not") << "EN" << false;
}

void tst_CamerWindow::tabStyle()
{
    QFETCH(QString, language);
    QFETCH(bool, wide);
    ConfigRecord::rewriteField(ConfigRecord::LanguageCode, language);
    camer_window window(nullptr, &m_platform);
    QCOMPARE(window.m_lang, language);
    const QString russian = QStringLiteral(
            "QTabWidget#tabWidget{border-color:rgb(255,0,0);}"
            "QTabBar::tab {color: rgb(255, 255, 255); border-top-left-radius: 5px;"
            "border-top-right-radius: 5px;padding: 5px;margin-right:10;width: 150;}"
            "QTabBar::tab:!selected {background-color: #929697;}"
            "QTabBar::tab:selected {background-color:#303030;}");
    QCOMPARE(window.ui->tabWidget->styleSheet() == russian, wide);
    QVERIFY(window.ui->tabWidget->styleSheet().contains(wide ? "width: 150" : "width: 85"));
}

QTEST_MAIN(tst_CamerWindow)
#include "tst_camerwindow.moc"
