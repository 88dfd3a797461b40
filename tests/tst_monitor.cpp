#include "app/seting.h"
#include "automation/monitor.h"
#include "fakeworld.h"
#include "live/alarmhistory.h"
#include "live/camer_window.h"
#include "mqttsupport.h"
#include "recording/recordingformat.h"
#include "recordingsupport.h"
#include "ui_camer_window.h"
#include "ui_seting.h"

#include <QCheckBox>
#include <QSysInfo>

// Frames as the imager sends them, 240 x 321: frame k's own picture, then the maximum of
// `maxima` (tenths), the threshold 34.0 and the emissivity 0.97.
static QByteArray imagerFrames(const QVector<int> &maxima)
{
    QByteArray out;
    for (int k = 0; k < maxima.size(); ++k) {
        QByteArray frame = numberedFrame(k, false);
        for (const int word : {maxima[k], 340, 97})
            frame.append(char(word & 0xFF)).append(char(word >> 8));
        out += frame.leftJustified(int(RecordingFormat::FrameBytes), '\0');
    }
    return out;
}

// 10 frames below the threshold, 20 at or above it (34.1 to 36.0), then below again.
static QVector<int> alarmScene(int frames)
{
    QVector<int> maxima(frames, 339);
    for (int k = 10; k < qMin(30, frames); ++k)
        maxima[k] = 331 + k;
    return maxima;
}

// Frames at the imager's pace from a file of them, once or over and over.
static QString paced(const QString &file, bool loop = false)
{
    return QString("%1 location=\"%2\" ! rawvideoparse width=240 height=321 format=yuy2 "
                   "framerate=25/1 ! identity sync=true")
        .arg(loop ? "multifilesrc loop=true" : "filesrc", file);
}

// The replayed frames are the first of the file's, each as the surface emits it.
static bool isPrefix(const QVector<QByteArray> &replayed, const QByteArray &source, int first = 0)
{
    for (int i = 0; i < replayed.size(); ++i)
        if (replayed[i]
            != source.mid((first + i) * int(RecordingFormat::FrameBytes), LiveFrame::FrameBytes))
            return false;
    return !replayed.isEmpty();
}

static QStringList csvLines(const QString &folder)
{
    const QDir dir(folder);
    const QStringList days = dir.entryList({"*.csv"});
    return days.size() == 1 ? QString(fileBytes(dir.filePath(days[0]))).split('\n') : QStringList();
}

class tst_Monitor : public QObject
{
    Q_OBJECT

    TemporaryHome m_home;
    QString m_dir = m_home.path() + "/station.v1 a"; // a name with a dot and a space

    // Runs vx305 with the arguments (%D: m_dir, %S: the source) until `until` appears on its
    // standard error, then sends SIGTERM; the exit code and what it wrote to standard error.
    std::pair<int, QString> run(QStringList arguments, const QString &source, const QString &until)
    {
        for (QString &argument : arguments)
            argument.replace("%D", m_dir).replace("%S", source);
        QProcess program;
        program.start(VX305_PROGRAM, arguments);
        QString err;
        if (!until.isEmpty()
            && QTest::qWaitFor(
                [&] { return (err += program.readAllStandardError()).contains(until); }, 60000))
            program.terminate();
        program.waitForFinished(60000);
        return {program.exitCode(), err + program.readAllStandardError()};
    }

private slots:
    void init()
    {
        QDir(m_dir).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir));
    }

    void record_replays_bit_exact_data()
    {
        // clang-format off
        // Frames in the source, options, what stops it (SIGTERM at the first frame),
        // the frames the recording must hold at least and at most.
        addColumns<int, QString, bool, int, int>("frames", "options", "terminate", "least", "most");
        QTest::newRow("to the end of the source") << 30 << "" << false << 30 << 30;
        QTest::newRow("one second of four") << 100 << "--seconds 1" << false << 24 << 26;
        QTest::newRow("SIGTERM mid-run") << 250 << "" << true << 1 << 249;
        // clang-format on
    }
    void record_replays_bit_exact()
    {
        const auto [count, options, terminate, least, most] = fetch<int, QString, bool, int, int>();
        const QByteArray source = imagerFrames(alarmScene(count));
        QVERIFY(PictureFixture::writeBytes(m_dir + "/frames.yuv", source));
        QCOMPARE(run(QStringList {"record", "--out", "%D/take 1.mkv", "--source", "%S"}
                         + options.split(' ', Qt::SkipEmptyParts),
                     paced(m_dir + "/frames.yuv"), terminate ? "recording from" : "")
                     .first,
            0);
        const ReplayedFrames replayed = replayAll(m_dir + "/take 1.mkv");
        QVERIFY2(replayed.frames.size() >= least && replayed.frames.size() <= most,
            qPrintable(QString::number(replayed.frames.size())));
        QVERIFY(isPrefix(replayed.frames, source) && !replayed.failed);
    }

    void monitor_leaves_whole_files_data()
    {
        addColumns<bool>("replay");
        QTest::newRow("paced source stopped by SIGTERM while the clip is open") << false;
        QTest::newRow("replay of a recording, to its end") << true;
    }
    void monitor_leaves_whole_files()
    {
        const auto [replay] = fetch<bool>();
        const QByteArray source = imagerFrames(alarmScene(replay ? 60 : 500));
        QVERIFY(PictureFixture::writeBytes(m_dir + "/frames.yuv", source));
        if (replay)
            QCOMPARE(run({"record", "--out", "%D/scene.mkv", "--source", "%S"},
                         paced(m_dir + "/frames.yuv"), "")
                         .first,
                0);
        const auto [code, log] = run(
            {"monitor", replay ? "--replay" : "--source", "%S", "--alarm-folder", "%D/alarms",
                "--alarm-clips", "--pre-alarm", "1", "--post-alarm", "1", "--record", "%D/rec"},
            replay ? m_dir + "/scene.mkv" : paced(m_dir + "/frames.yuv"),
            replay ? "" : "alarm folder written");
        QCOMPARE(code, 0);
        QVERIFY2(log.contains("vx305 monitor: alarm: maximum 34.1 reached the threshold 34.0\n"),
            qPrintable(log));

        // Seven pictures and the readings of the frame before the eighth at or above.
        const QStringList folders = AlarmHistory::alarmFolders(m_dir + "/alarms");
        QCOMPARE(folders.size(), 1);
        const QString folder = m_dir + "/alarms/" + folders[0];
        QCOMPARE(AlarmHistory::pictureFiles(folder).size(), 7);
        QCOMPARE(fileBytes(folder + '/' + folders[0] + ".ini"), "34.7,34.0,0.97");
        // The clip: from the first frame to at least the eighth alarm frame (17), whole.
        const ReplayedFrames clip = replayAll(folder + "/Clip.mkv");
        QVERIFY(isPrefix(clip.frames, source) && clip.frames.size() >= 18 && !clip.failed);
        if (replay)
            QCOMPARE(clip.frames.size(), 43);

        // Every frame recorded and every reading logged, the last line whole.
        const qint64 frames = log.section("stopped after ", 1).section(' ', 0, 0).toLongLong();
        const QStringList recordings = QDir(m_dir + "/rec").entryList({"*.mkv"});
        QCOMPARE(recordings.size(), 1);
        const ReplayedFrames recorded = replayAll(m_dir + "/rec/" + recordings[0]);
        QVERIFY(isPrefix(recorded.frames, source) && !recorded.failed);
        const QStringList lines = csvLines(m_dir + "/alarms/Readings");
        QCOMPARE(QList<qint64>({recorded.frames.size(), lines.size() - 2}),
            QList<qint64>({frames, frames}));
        QCOMPARE(lines.first() + lines.last(), "time,max,threshold,emissivity");
        QVERIFY(QRegularExpression(
            R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d,3[3-6]\.\d,34\.0,0\.97$)")
                    .match(lines[lines.size() - 2])
                    .hasMatch());
    }

    // The broker goes away and comes back: the frames go on, publishing resumes by itself.
    void monitor_publishes_across_a_broker_restart()
    {
        Broker broker;
        QVERIFY(broker.start());
        Subscriber live(broker.port);
        QVector<int> maxima(25, 342);
        QVERIFY(PictureFixture::writeBytes(m_dir + "/frames.yuv", imagerFrames(maxima)));
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VX305_MQTT_PASSWORD", "s3cret");
        program.setProcessEnvironment(environment);
        program.start(VX305_PROGRAM,
            {"monitor", "--source", paced(m_dir + "/frames.yuv", true), "--alarm-folder", m_dir,
                "--mqtt", broker.url(), "--mqtt-user", "ann", "--id", "kiln 2"});
        const QString prefix = "vx305/kiln_2/";
        for (const auto &[leaf, payload] : {std::pair("max", "34.2"), {"threshold", "34.0"},
                 {"emissivity", "0.97"}, {"alarm", "on"}, {"status", "online"}})
            QVERIFY2(live.waitFor(prefix + leaf, payload), leaf);
        QImage first(LiveFrame::Width, LiveFrame::Height, QImage::Format_RGB888);
        LiveFrame::yuyvToRgb(
            reinterpret_cast<const uchar *>(imagerFrames(maxima).constData()), first.bits());
        const auto picture = live.waitFor(prefix + "alarm_picture");
        QVERIFY(picture);
        QCOMPARE(QImage::fromData(picture->payload, "PNG").convertToFormat(QImage::Format_RGB888),
            first);

        broker.stop();
        const int before = csvLines(m_dir + "/Readings").size();
        QTRY_VERIFY_WITH_TIMEOUT(csvLines(m_dir + "/Readings").size() > before + 50, 20000);
        QVERIFY(broker.start());
        Subscriber again(broker.port);
        QVERIFY(
            again.waitFor(prefix + "status", "online") && again.waitFor(prefix + "max", "34.2"));
        program.terminate();
        QVERIFY(program.waitForFinished(20000));
        const QString log = program.readAllStandardError();
        const QString address = broker.url().replace("//", "//ann@");
        QVERIFY2(log.contains("connection to " + address + " lost")
                && log.count("connected to " + address) == 2 && !log.contains("s3cret"),
            qPrintable(log));
    }

    // The imager's stream ends, the imager goes and comes back: the watch starts it again.
    void monitor_reconnects_to_the_imager()
    {
        QVERIFY(PictureFixture::writeBytes(m_dir + "/frames.yuv", imagerFrames(alarmScene(12))));
        FakePlatform platform;
        platform.cameraList = {FakePlatform::imager()};
        platform.streamSource = paced(m_dir + "/frames.yuv");
        MonitorOptions options;
        options.alarmFolder = m_dir;
        QStringList log;
        Monitor monitor(options, &platform, [&](const QString &line) { log << line; });
        QString error;
        QVERIFY(monitor.start(&error));
        const QString lost = "imager stopped: no more frames (end of stream)";
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(lost), 20000);
        platform.cameraList.clear();
        QTRY_VERIFY_WITH_TIMEOUT(log.contains("waiting for the imager"), 20000);
        platform.cameraList = {FakePlatform::imager()};
        QTRY_VERIFY_WITH_TIMEOUT(log.count(lost) == 2, 20000);
        QCOMPARE(monitor.frames(), 24);
        const QString reading = "reading frames from /dev/video0";
        const QString alarm = "alarm: maximum 34.1 reached the threshold 34.0";
        QCOMPARE(log.filter(QRegularExpression("^(?!alarm over)")),
            QStringList({reading, alarm, lost, "waiting for the imager", reading, alarm, lost}));
    }

    // The settings dialog keeps the broker (refusing an address that is none, the password in a
    // file only its owner reads); the live window then publishes its readings and alarm frame.
    void live_window_publishes()
    {
        Broker broker;
        QVERIFY(broker.start());
        Subscriber live(broker.port);
        FakeWorld world;
        seting dialog;
        dialog.ui->checkBox_mqtt->setChecked(true);
        dialog.ui->lineEdit_mqttUrl->setText("tcp://127.0.0.1");
        dialog.ui->pushButton_2->click();
        dialog.ui->lineEdit_mqttUrl->setText(broker.url());
        dialog.ui->lineEdit_mqttPassword->setText("s3cret");
        dialog.ui->pushButton_2->click();
        QCOMPARE(world.answers->asked,
            QStringList({"提示",
                "MQTT 代理地址无效：the broker address must start with mqtt:// or mqtts://"}));
        QCOMPARE(QFile::permissions(Preferences::filePath()),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);

        camer_window window(nullptr, &world.platform);
        QTRY_COMPARE(window.ui->label_mqtt->text(), "MQTT：已连接");
        window.ui->checkBox->setChecked(true);
        QImage frame(240, 320, QImage::Format_RGB888);
        frame.fill(QColor(200, 40, 10));
        window.display_cap(frame);
        window.updat_temp(36.2f, 34.0f, 0.97f);
        const QString prefix
            = MqttMessages::topic(MqttMessages::topicId(QSysInfo::machineHostName()), "");
        QVERIFY(live.waitFor(prefix + "alarm", "on") && live.waitFor(prefix + "max", "36.2"));
        const auto picture = live.waitFor(prefix + "alarm_picture");
        QVERIFY(picture);
        QCOMPARE(QImage::fromData(picture->payload, "PNG").convertToFormat(QImage::Format_RGB888),
            frame);
    }
};

QTEST_MAIN(tst_Monitor)
#include "tst_monitor.moc"
