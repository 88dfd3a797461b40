#include "app/mainwindow.h"
#include "browser/photo_window.h"
#include "fakeworld.h"
#include "live/alarmhistory.h"
#include "live/camer_window.h"
#include "recording/alarmclips.h"
#include "recording/recorder.h"
#include "recording/recordingformat.h"
#include "recordingsupport.h"
#include "ui_camer_window.h"
#include "ui_mainwindow.h"

#include <QPushButton>

#include <sys/resource.h>

class tst_Replay : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeWorld> m_world;
    std::unique_ptr<MainWindow> m_window;
    QString m_path; // a folder with dots and spaces in the home folder, with a trailing "/"

    // Frames first..first+count-1 at 40 ms each (their maximum is k / 10 against 34.0).
    QString record(const QString &name, int first, int count)
    {
        Recorder recorder;
        if (!recorder.start(m_path + name, QDateTime(QDate(2026, 3, 2), QTime(10, 15, 0))))
            return {};
        for (int k = first; k < first + count; ++k)
            recorder.push(numberedFrame(k), 40000LL * (k - first));
        recorder.finish();
        return m_path + name;
    }
    camer_window *replayWindow() { return m_window->m_camerWindow.data(); }

private slots:
    void init()
    {
        m_world = std::make_unique<FakeWorld>("EN");
        m_path = m_world->home.path() + "/site 2.b/";
        QDir().mkpath(m_path);
        m_window = std::make_unique<MainWindow>(&m_world->platform);
        m_window->m_timer->stop();
    }
    void cleanup() { m_window.reset(), m_world.reset(); }

    // A file the replay cannot play is said, and nothing else changes.
    void unplayable_file_changes_nothing_data()
    {
        addColumns<QString, QString>("make", "message");
        QTest::newRow("missing file") << "" << "找不到文件：%1";
        QTest::newRow("video of another program (WebM)")
            << "videotestsrc num-buffers=5 ! vp8enc ! webmmux" << "%1 不是 VX305 的录像，无法回放。";
        QTest::newRow("Matroska of another size")
            << "videotestsrc num-buffers=5 ! video/x-raw,width=320,height=240 ! avenc_ffv1 ! matroskamux"
            << "%1 不是 VX305 的录像，无法回放。";
        QTest::newRow("not a video") << "random" << "%1 已损坏或不是视频文件，无法回放。";
        QTest::newRow("recording cut in its header") << "cut" << "%1 已损坏或不是视频文件，无法回放。";
    }
    void unplayable_file_changes_nothing()
    {
        auto [make, message] = fetch<QString, QString>();
        const QString path = m_path + "file.v1.mkv";
        if (make == "random")
            QVERIFY(PictureFixture::writeBytes(path, QByteArray(100000, 'x')));
        else if (make == "cut")
            QVERIFY(PictureFixture::writeBytes(path, fileBytes(record("whole.mkv", 0, 5)).left(300)));
        else if (!make.isEmpty())
            QCOMPARE(QProcess::execute("gst-launch-1.0", QProcess::splitCommand(
                         "-q " + make + " ! filesink location=\"" + path + "\"")), 0);
        m_world->answers->openAnswer = path;
        m_window->findChild<QAction *>("actionOpenRecording")->trigger();
        QCOMPARE(m_world->answers->asked.mid(2),
            QStringList({"提示", message.arg(QDir::toNativeSeparators(path))}));
        QCOMPARE(m_window->m_mode, int(MainWindow::NoMode));
        QVERIFY(!replayWindow() && m_window->ui->horizontalLayout->count() == 0);
    }

    // The recording plays through the live window's own frame path: readings at their
    // recorded times, the alarm judged, alarm folders and clips written only when asked.
    void recording_plays_in_the_live_window_data()
    {
        addColumns<bool, bool, QString>("replayAlarms", "clips", "written");
        QTest::newRow("replay writes no alarm folder") << false << true << "0";
        QTest::newRow("asked to, writes folder and clip") << true << true << "1 clip 330-369";
        QTest::newRow("asked to, folder without clip") << true << false << "1";
    }
    void recording_plays_in_the_live_window()
    {
        const auto [replayAlarms, clips, written] = fetch<bool, bool, QString>();
        const QString path = record("2026-03-02 10-15-00.mkv", 330, 40);
        m_world->answers->openAnswer = path;
        m_window->findChild<QAction *>("actionOpenRecording")->trigger();
        QCOMPARE(m_world->answers->asked,
            QStringList({"打开录像", m_world->home.documents() + "/VX305/Recordings"}));
        camer_window *window = replayWindow();
        QVERIFY(window && window->isReplay());
        Ui::camer_window *ui = window->ui;
        QCOMPARE(QVariantList({m_window->m_mode, m_window->ui->label->text(),
                     ui->widget_replay->isVisibleTo(window), ui->pushButton_record->isVisibleTo(window),
                     ui->checkBox_replayAlarms->isVisibleTo(window), ui->checkBox_replayAlarms->isChecked()}),
            QVariantList({int(MainWindow::ReplayMode), "回放：" + QDir::toNativeSeparators(path), true,
                false, true, false}));
        window->set_addr(m_path.chopped(1));
        ui->checkBox->setChecked(true);
        ui->checkBox_3->setChecked(true);
        ui->checkBox_alarmClips->setChecked(clips);
        ui->spinBox_preAlarm->setValue(1);
        ui->spinBox_postAlarm->setValue(1);
        ui->checkBox_replayAlarms->setChecked(replayAlarms);
        window->m_replay->setSpeed(1e6);
        QSignalSpy finished(window->m_replay, &ReplayStream::finished);
        QVERIFY(finished.wait(20000));
        QVERIFY(window->m_timerWarn->isActive()); // alarming at the end
        QCOMPARE(int(window->m_readings.size()), 40);
        const qint64 start = QDateTime(QDate(2026, 3, 2), QTime(10, 15, 0)).toMSecsSinceEpoch();
        QCOMPARE(window->m_readings.at(39).time - start, 39 * 40);
        QCOMPARE(window->m_readings.at(39).maxTenths, 369);
        window->m_clips->finishAll();
        const QStringList folders = AlarmHistory::alarmFolders(m_path);
        QString got = QString::number(folders.size());
        if (!folders.isEmpty() && QFile::exists(m_path + folders[0] + "/Clip.mkv")) {
            const ReplayedFrames clip = replayAll(m_path + folders[0] + "/Clip.mkv");
            got += QString(" clip %1-%2").arg(quint8(clip.frames.first()[153600]) | 256)
                       .arg(quint8(clip.frames.last()[153600]) | 256);
            // The history offers the clip and plays it in the replay.
            window->on_listWidget_2_itemClicked(ui->listWidget_2->item(0));
            QVERIFY(!ui->pushButton_playClip->isHidden());
            ui->pushButton_playClip->click();
            QTRY_VERIFY(replayWindow() && replayWindow() != window);
            QCOMPARE(replayWindow()->m_replayFile, m_path + folders[0] + "/Clip.mkv");
        }
        QCOMPARE(got, written);
        // Left alone while nothing is attached; an imager switches to screen mode.
        m_window->timeout_connect();
        QCOMPARE(m_window->m_mode, int(MainWindow::ReplayMode));
        m_world->platform.cameraList = {FakePlatform::imager()};
        m_window->timeout_connect();
        QCOMPARE(m_window->m_mode, int(MainWindow::ScreenMode));
    }

    // Play, pause, single steps, seeks and the speeds.
    void replay_controls_step_seek_and_speed()
    {
        m_window->openRecording(record("steps.mkv", 330, 40));
        camer_window *window = replayWindow();
        Ui::camer_window *ui = window->ui;
        QStringList speeds;
        for (int i = 0; i < ui->comboBox_speed->count(); ++i)
            speeds << ui->comboBox_speed->itemText(i);
        QCOMPARE(speeds, QStringList({"½×", "1×", "2×", "4×"}));
        ui->pushButton_play->click(); // pauses
        QCOMPARE(ui->pushButton_play->text(), "播放");
        QStringList shown;
        const auto look = [&] {
            QCoreApplication::sendPostedEvents();
            shown << QString("%1@%2").arg(ui->label_6->text()).arg(window->m_frameTimeUs / 1000);
        };
        ui->pushButton_step->click();
        const QString first = ui->label_6->text();
        ui->pushButton_step->click();
        look();
        ui->slider_position->setValue(400);
        look();
        ui->slider_position->setValue(1000);
        ui->pushButton_step->click();
        look();
        ui->slider_position->setValue(1520);
        ui->pushButton_step->click();
        look();
        ui->comboBox_speed->setCurrentIndex(3);
        QCOMPARE(window->m_replay->speed(), 4.0);
        QCOMPARE(shown, QStringList({"33.1@40", "34.0@400", "35.6@1040", "36.9@1560"}));
        QVERIFY(first == "33.0" || first == "33.1");
        QCOMPARE(ui->slider_position->maximum(), 1600); // the last frame lasts 40 ms
        ui->pushButton_play->click();
        QCOMPARE(ui->pushButton_play->text(), "暂停");
        // The part between the marks, exported; the replay pauses for it.
        window->m_markInUs = 1000000;
        window->m_markOutUs = 400000;
        m_world->answers->saveAnswer = m_path + "part";
        window->findChild<QAction *>("actionExportVideo")->trigger();
        QCOMPARE(m_world->answers->asked.mid(0, 2), QStringList({"导出视频", m_path + "steps.webm"}));
        QCOMPARE(m_world->answers->asked.last(),
            "已导出 16 帧：" + QDir::toNativeSeparators(m_path + "part.webm"));
        QVERIFY(!window->m_replay->isPlaying() && QFileInfo(m_path + "part.webm").size() > 0);
    }

    // The live window records what the imager sends; a write that fails stops the recording
    // with a message while the live view goes on, and what was written plays.
    void live_recording_data()
    {
        addColumns<int>("limitMB");
        QTest::newRow("recorded to the end of the stream") << 0;
        QTest::newRow("file size limit reached") << 2;
    }
    void live_recording()
    {
        const auto [limitMB] = fetch<int>();
        QByteArray frames;
        for (int k = 0; k < 150; ++k)
            frames += numberedFrame(k);
        QVERIFY(PictureFixture::writeBytes(m_path + "frames.yuv", frames));
        m_world->platform.cameraList = {FakePlatform::imager()};
        m_world->platform.streamSource = "filesrc location=\"" + m_path + "frames.yuv\" blocksize=153606 "
            "! capsfilter caps=video/x-raw,format=YUY2,width=240,height=320 ! identity sleep-time=20000";
        rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = rlim_t(limitMB) << 20;
        m_window->timeout_connect();
        camer_window *window = m_window->m_camerWindow;
        QVERIFY(window && !window->isReplay() && window->ui->widget_replay->isHidden());
        QPushButton *button = window->ui->pushButton_record;
        QCOMPARE(button->text(), "录像");
        if (limitMB)
            setrlimit(RLIMIT_FSIZE, &limit);
        button->click();
        const QString path = window->m_recorder->path();
        QTRY_VERIFY(button->text().contains(QRegularExpression("^停止录像 00:00:0\\d · \\d+\\.\\d MB$"))
                    || !window->m_recorder);
        QTRY_VERIFY_WITH_TIMEOUT(!window->m_camera->isActive() || !window->m_recorder, 20000);
        const int shownAtStop = int(window->m_readings.size());
        if (!limitMB)
            button->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window->m_camera->isActive(), 20000);
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(button->text(), "录像");
        QCOMPARE(QFileInfo(path).absolutePath(), m_world->home.documents() + "/VX305/Recordings");
        // A failed write says why and where the part written is.
        const QString asked = m_world->answers->asked.join(" / ");
        const QRegularExpression stopped("^警告 / 录像已停止：.+\n已写入的部分可以播放："
            + QRegularExpression::escape(path) + '$');
        QVERIFY2(limitMB ? stopped.match(asked).hasMatch() : asked.isEmpty(), qPrintable(asked));
        QVERIFY(!limitMB || int(window->m_readings.size()) > shownAtStop); // the live view went on
        const ReplayedFrames back = replayAll(path);
        QVERIFY(back.frames.size() > 10);
        int first = 0;
        while (first < 150 && back.frames[0] != numberedFrame(first))
            ++first;
        for (int i = 0; i < back.frames.size(); ++i)
            QVERIFY(back.frames[i] == numberedFrame(first + i));
        QVERIFY(limitMB || first + back.frames.size() == 150);
    }

    // Help -> Demo: the generated recording or the generated pictures.
    void demo_data()
    {
        addColumns<int, int>("answer", "mode");
        QTest::newRow("live demo") << int(QMessageBox::Yes) << int(MainWindow::ReplayMode);
        QTest::newRow("pictures") << int(QMessageBox::No) << int(MainWindow::FolderMode);
    }
    void demo()
    {
        const auto [answer, mode] = fetch<int, int>();
        m_window->m_demoFolder = VX305_DEMO_DIR;
        m_world->answers->questionAnswer = QMessageBox::StandardButton(answer);
        m_window->findChild<QAction *>("actionDemo")->trigger();
        QCOMPARE(m_world->answers->asked.at(0), "演示");
        QCOMPARE(m_window->m_mode, mode);
        if (mode == MainWindow::FolderMode)
            QCOMPARE(m_window->m_photoWindow->m_names.size(), 3);
        else
            QTRY_VERIFY(replayWindow()->m_readings.size() > 0);
    }
};

QTEST_MAIN(tst_Replay)
#include "tst_replay.moc"
