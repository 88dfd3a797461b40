#include "picturefixture.h"
#include "platform/gstcamerastream.h"
#include "recording/alarmclips.h"
#include "recording/recorder.h"
#include "recording/recordingformat.h"
#include "recording/videoexport.h"
#include "recordingsupport.h"
#include "testsupport.h"

#include <QGuiApplication>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>

#include <csignal>
#include <sys/resource.h>

class tst_Recording : public QObject
{
    Q_OBJECT

    TemporaryHome m_home;

private slots:
    // Frames through the camera's own frame source into a recording and back through the
    // replay: every frame byte for byte, in order, each at its time from the first.
    void recording_replays_bit_exact_data()
    {
        addColumns<QString, int, bool>("source", "frameBytes", "readings");
        const QString parse = "rawvideoparse format=yuy2 width=240 height=";
        QTest::newRow("whole frames, declared 240 x 320")
            << "blocksize=153606 ! capsfilter caps=video/x-raw,format=YUY2,width=240,height=320"
            << 153606 << true;
        QTest::newRow("the imager's 240 x 321 mode") << "! " + parse + "321" << 154080 << true;
        QTest::newRow("pictures without readings")
            << "! " + parse + "320 frame-size=153606" << 153606 << false;
    }
    void recording_replays_bit_exact()
    {
        const auto [source, frameBytes, readings] = fetch<QString, int, bool>();
        const QString folder = m_home.path() + "/a.b c";
        QByteArray file;
        QVector<QByteArray> sent;
        for (int k = 0; k < 30; ++k) {
            sent << numberedFrame(k);
            file += sent.last().leftJustified(frameBytes, '\0');
            if (!readings)
                sent.last().truncate(int(LiveFrame::PictureBytes));
        }
        QVERIFY(QDir().mkpath(folder) && PictureFixture::writeBytes(folder + "/frames.yuv", file));

        QtCameraCapture surface;
        surface.setRawFramesWanted(true);
        Recorder recorder;
        QVector<qint64> times;
        connect(&surface, &QtCameraCapture::rawFrame, this, [&](const QByteArray &f, qint64 t) {
            recorder.push(f, t);
            times << t;
        });
        const QString path = folder + "/" + RecordingFormat::recordingName(QDateTime::currentDateTime());
        QVERIFY(recorder.start(path, QDateTime::currentDateTime()));
        GstCameraStream stream(QString("filesrc location=\"%1/frames.yuv\" %2").arg(folder, source),
                               {}, &surface);
        QSignalSpy ended(&stream, &CameraStream::failed);
        stream.start();
        QVERIFY(ended.wait());
        QCoreApplication::sendPostedEvents();
        recorder.finish();
        QCOMPARE(recorder.frames(), 30);

        const ReplayedFrames back = replayAll(path);
        QCOMPARE(back.frames, sent);
        QCOMPARE(back.pictures, 30);
        QCOMPARE(back.readings.size(), readings ? 90 : 0);
        // Matroska keeps times to the millisecond.
        const qint64 t0 = times.first();
        for (qint64 &t : times)
            t = (t - t0 + 500) / 1000 * 1000;
        QCOMPARE(back.times, times);
        // The file lasts past its last frame, which a seek would drop otherwise.
        QVERIFY(ReplayStream::probe(path).durationUs > times.last());
    }

    // A clip holds exactly the frames of its window, t in (alarm - pre, alarm + post], also
    // when the alarm comes before the buffer is full and when two windows overlap.
    void alarm_clip_holds_its_window_data()
    {
        addColumns<int, int, QList<int>, QList<int>>("pre", "post", "alarms", "firstAndLast");
        QTest::newRow("10 s before, 10 s after") << 10 << 10 << QList<int> {400} << QList<int> {151, 650};
        QTest::newRow("alarm 2 s into the session") << 10 << 10 << QList<int> {50} << QList<int> {0, 300};
        QTest::newRow("two alarms, windows overlap")
            << 2 << 1 << QList<int> {100, 130} << QList<int> {51, 125, 81, 155};
        QTest::newRow("session ends before the window") << 1 << 60 << QList<int> {700}
                                                        << QList<int> {676, 749};
    }
    void alarm_clip_holds_its_window()
    {
        const auto [pre, post, alarms, firstAndLast] = fetch<int, int, QList<int>, QList<int>>();
        AlarmClips clips;
        clips.setWindow(pre, post);
        QStringList paths;
        for (int k = 0; k < 750; ++k) {
            const QByteArray frame = numberedFrame(k);
            clips.frame(frame, 1000000 + 40000LL * k); // 25 frames a second
            if (alarms.contains(k)) {
                paths << QString("%1/%2/Clip.mkv").arg(m_home.path()).arg(k);
                QVERIFY(clips.startClip(paths.last(), 1000000 + 40000LL * k, QDateTime::currentDateTime()));
            }
        }
        clips.finishAll();
        QList<int> got;
        for (const QString &path : paths) {
            const ReplayedFrames back = replayAll(path);
            QVERIFY(!back.frames.isEmpty());
            const int first = quint8(back.frames.first()[153600]) | quint8(back.frames.first()[153601]) << 8;
            got << first << first + back.frames.size() - 1;
            for (int i = 0; i < back.frames.size(); ++i)
                QVERIFY(back.frames[i] == numberedFrame(first + i));
        }
        QCOMPARE(got, firstAndLast);
    }

    // The exported WebM decodes, with any decoder, to the frames of the part at their times.
    void exported_webm_decodes_data()
    {
        addColumns<qint64, qint64, int, qint64>("from", "to", "frames", "lastUs");
        QTest::newRow("whole recording") << -1LL << -1LL << 40 << 1560000LL;
        QTest::newRow("between two marks") << 400000LL << 800000LL << 11 << 400000LL;
        QTest::newRow("from a mark to the end") << 1000000LL << -1LL << 15 << 560000LL;
    }
    void exported_webm_decodes()
    {
        const auto [from, to, frames, lastUs] = fetch<qint64, qint64, int, qint64>();
        const QString path = m_home.path() + "/export.mkv";
        Recorder recorder;
        QVERIFY(recorder.start(path, QDateTime::currentDateTime()));
        for (int k = 0; k < 40; ++k)
            recorder.push(numberedFrame(330 + k), 40000LL * k);
        recorder.finish();
        int calls = 0;
        const VideoExport::Outcome outcome = VideoExport::exportWebm(
            {path, m_home.path() + "/a.b c.webm", from, to, 0}, [&](double) { return ++calls > 0; });
        QVERIFY2(outcome.error.isEmpty(), qPrintable(outcome.error));
        QCOMPARE(outcome.frames, frames);
        QCOMPARE(calls, frames);
        GstElement *decoder = gst_parse_launch("filesrc name=f ! decodebin ! videoconvert ! "
                                               "video/x-raw,format=RGB ! appsink name=s sync=false", nullptr);
        GstElement *file = gst_bin_get_by_name(GST_BIN(decoder), "f");
        g_object_set(file, "location", qPrintable(m_home.path() + "/a.b c.webm"), nullptr);
        GstElement *sink = gst_bin_get_by_name(GST_BIN(decoder), "s");
        gst_element_set_state(decoder, GST_STATE_PLAYING);
        QList<qint64> times;
        QSize size;
        while (GstSample *sample = gst_app_sink_pull_sample(GST_APP_SINK(sink))) {
            times << qint64(GST_BUFFER_PTS(gst_sample_get_buffer(sample)) / 1000);
            GstStructure *caps = gst_caps_get_structure(gst_sample_get_caps(sample), 0);
            gst_structure_get_int(caps, "width", &size.rwidth());
            gst_structure_get_int(caps, "height", &size.rheight());
            gst_sample_unref(sample);
        }
        gst_element_set_state(decoder, GST_STATE_NULL);
        gst_object_unref(file), gst_object_unref(sink), gst_object_unref(decoder);
        QCOMPARE(size, QSize(480, 640));
        QCOMPARE(times.size(), frames);
        QCOMPARE(times.last(), lastUs);
    }

    // Seeks land on the frame asked for, also right after the start, while paused.
    void seek_lands_on_the_frame()
    {
        const QString path = m_home.path() + "/seek.mkv";
        Recorder recorder(nullptr, 0);
        QVERIFY(recorder.start(path, QDateTime::currentDateTime()));
        for (int k = 0; k < 200; ++k)
            recorder.push(numberedFrame(k), 40000LL * k);
        recorder.finish();
        QtCameraCapture surface;
        ReplayStream replay(path, &surface);
        replay.start();
        replay.pause();
        QList<qint64> asked, landed;
        for (const int k : {186, 48, 199, 0, 137, 138, 12, 199, 90}) {
            replay.seek(40000LL * k);
            asked << 40000LL * k;
            landed << replay.positionUs();
        }
        QCOMPARE(landed, asked);
    }

    // A recorder killed mid-recording leaves a file that replays up to about its last second.
    void killed_recording_replays_to_its_last_second()
    {
        const QString path = m_home.path() + "/killed.mkv";
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"record-child", path});
        QVERIFY(child.waitForStarted());
        int pushed = 0;
        while (pushed < 100 && child.waitForReadyRead(10000))
            while (child.canReadLine())
                pushed = child.readLine().trimmed().toInt();
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        const ReplayedFrames back = replayAll(path);
        QVERIFY(!back.failed);
        QVERIFY2(back.frames.size() >= pushed - 30, qPrintable(QString("%1 of %2").arg(back.frames.size()).arg(pushed)));
        for (int i = 0; i < back.frames.size(); ++i)
            QVERIFY(back.frames[i] == numberedFrame(i));
    }

    // A file size limit stops the recording, as an alarm clip that ends early sees. What the
    // live window says then and that what was written plays: tst_replay.
    void write_error_stops_recording()
    {
        Recorder recorder;
        QSignalSpy failed(&recorder, &Recorder::failed);
        QVERIFY(recorder.start(m_home.path() + "/limited.mkv", QDateTime::currentDateTime()));
        rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = 3 << 20;
        setrlimit(RLIMIT_FSIZE, &limit);
        for (int k = 0; k < 200 && failed.isEmpty(); ++k) {
            recorder.push(numberedFrame(k), 40000LL * k);
            QTest::qWait(5);
        }
        QVERIFY(failed.wait(5000) || !failed.isEmpty());
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!recorder.isRecording());
    }
};

// The child of the kill test: records numbered frames at 25 a second, printing how many it
// has pushed, until it is killed.
static int recordChild(const QString &path)
{
    Recorder recorder;
    if (!recorder.start(path, QDateTime::currentDateTime()))
        return 1;
    int k = 0;
    QTimer pace;
    QObject::connect(&pace, &QTimer::timeout, [&] {
        recorder.push(numberedFrame(k), 40000LL * k);
        ++k;
        printf("%d\n", k);
        fflush(stdout);
    });
    pace.start(40);
    return QCoreApplication::exec();
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "record-child") == 0) {
        QCoreApplication app(argc, argv);
        return recordChild(QString::fromLocal8Bit(argv[2]));
    }
    // Fonts, for the readings drawn into an exported video.
    QGuiApplication app(argc, argv);
    tst_Recording test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recording.moc"
