#include "live/camer_window.h"
#include "live/qtcameracapture.h"
#include "picturefixture.h"
#include "platform/gstcamerastream.h"
#include "testsupport.h"

#include <QLabel>

#include <unistd.h>

const QString Declared = "capsfilter caps=\"video/x-raw, format=(string)YUY2, width=(int)240, "
                         "height=(int)320, framerate=(fraction)25/1\"";
// Whole frames, 153,606 bytes each, from a file.
const QString Whole = "filesrc location=%1 blocksize=153606 ! " + Declared;

class tst_GstCameraStream : public QObject
{
    Q_OBJECT

    TemporaryHome m_home;
    QList<QImage> m_pictures; // what the converter makes of each frame written
    QList<float> m_readings; // the readings of each frame written whole

    // Writes four frames of `frameBytes` each, the last cut to `lastBytes`; the file's path.
    // Frame k shows a picture of its own, then the trailer words 300 + k, 340 and 90 + k as far
    // as they fit, then zeros.
    QString writeFrames(int frameBytes, int lastBytes)
    {
        QByteArray frames;
        m_pictures.clear();
        m_readings.clear();
        for (int k = 0; k < 4; ++k) {
            QByteArray frame(int(LiveFrame::PictureBytes), '\0');
            for (int i = 0; i < frame.size(); ++i)
                frame[i] = char((i * 131 + k * 977) >> 3);
            m_pictures << QImage(LiveFrame::Width, LiveFrame::Height, QImage::Format_RGB888);
            LiveFrame::yuyvToRgb(
                reinterpret_cast<const uchar *>(frame.constData()), m_pictures[k].bits());
            for (const int word : {300 + k, 340, 90 + k})
                frame.append(char(word)).append(char(word >> 8));
            m_readings << (300 + k) / 10.0f << 34.0f << (90 + k) / 100.0f;
            frames += frame.leftJustified(k == 3 ? lastBytes : frameBytes, '\0', true);
        }
        const QString path = m_home.path() + "/frames.yuv";
        return PictureFixture::writeBytes(path, frames) ? path : QString();
    }

private slots:
    void frames_arrive_whole_and_in_order_data()
    {
        // clang-format off
        addColumns<QString, int, int, int, int>(
            "source", "frameBytes", "lastBytes", "pictures", "readings");
        const QString parsed = "filesrc location=%1 ! rawvideoparse format=yuy2 width=240 height=";
        QTest::newRow("240 x 320 declared, whole frames") << Whole << 153606 << 153606 << 4 << 4;
        QTest::newRow("240 x 321 declared") << parsed + "321" << 154080 << 154080 << 4 << 4;
        QTest::newRow("153,600-byte buffers: pictures, no readings")
            << parsed + "320 frame-size=153606" << 153606 << 153606 << 4 << 0;
        QTest::newRow("last frame cut inside the trailer") << Whole << 153606 << 153603 << 4 << 3;
        QTest::newRow("last frame cut inside the picture") << Whole << 153606 << 100000 << 3 << 3;
        // clang-format on
    }
    void frames_arrive_whole_and_in_order()
    {
        const auto [source, size, last, pictures, readings] = fetch<QString, int, int, int, int>();
        QtCameraCapture surface;
        QList<QImage> shown;
        QList<float> read;
        // Emitted on the streaming thread, collected here through queued connections.
        connect(&surface, &QtCameraCapture::display_Qimage, this, [&](QImage p) { shown << p; });
        connect(&surface, &QtCameraCapture::Send_MaxTemp, this,
            [&](float max, float warn, float fsl) { read << max << warn << fsl; });
        GstCameraStream stream(source.arg(writeFrames(size, last)), {}, &surface);
        QSignalSpy failed(&stream, &CameraStream::failed);
        stream.start();
        // The end of the file.
        QVERIFY(failed.wait() && stream.failure() == CameraStream::Failure::StreamLost);
        QCoreApplication::sendPostedEvents();
        QVERIFY(shown == m_pictures.mid(0, pictures));
        QCOMPARE(read, m_readings.mid(0, 3 * readings));
    }

    void camera_window_data()
    {
        // clang-format off
        // The window's source, whether its node may be read, the failure it shows (none: closed
        // while streaming), its pictures.
        addColumns<QString, bool, QString, int>("source", "readable", "message", "pictures");
        QTest::newRow("error after two frames") << Whole + " ! identity error-after=3" << true
                                                << "热像仪已停止发送图像。请检查连接线。" << 2;
        QTest::newRow("missing file")
            << "filesrc location=/no%1" << true << "无法启动摄像头：%1" << 0;
        QTest::newRow("closed mid-stream") << "videotestsrc is-live=true ! " + Declared << true << ""
                                           << 2;
        QTest::newRow("no permission") << Whole << false
            << "没有打开热像仪摄像头（/dev/video*）的权限。请将您的用户加入 video 组，然后重新登录。"
            << 0;
        // clang-format on
    }
    void camera_window()
    {
        auto [source, readable, message, pictures] = fetch<QString, bool, QString, int>();
        QString node = writeFrames(153606, 153606);
        if (!readable) {
            QVERIFY(QFile::copy(node, node + ".locked"));
            node += ".locked";
            QVERIFY(QFile::setPermissions(node, {}));
            if (access(QFile::encodeName(node).constData(), R_OK) == 0)
                QSKIP("root reads any file; CTest runs this under unshare --user as well");
        }
        FakePlatform platform;
        platform.cameraList = {FakePlatform::imager()};
        platform.streamSource = source.replace("%1", node);
        platform.streamDevice = node;
        camer_window window(nullptr, &platform);
        QLabel *picture = window.findChild<QLabel *>("label_17");
        QTRY_VERIFY(message.isEmpty() ? window.m_recentFrames.size() >= pictures
                                      : !picture->text().isEmpty());
        if (message.isEmpty())
            return; // the window joins the streaming thread before the surface and the window go
        QCOMPARE(picture->text() + QString::number(window.m_recentFrames.size()),
            message.replace("%1", window.m_camera->detail()) + QString::number(pictures));
        QVERIFY(!window.m_camera->detail().isEmpty());
        QVERIFY(picture->pixmap(Qt::ReturnByValue).isNull());
        QTRY_VERIFY(!window.m_camera->isActive()); // the 300 ms watch stops the failed stream
    }

    void mode_choice_data()
    {
        // clang-format off
        // Modes as v4l2src lists them; "w x h rate" stands for a YUY2 mode.
        addColumns<QString, QString>("modes", "chosen");
        const QString jpeg = "image/jpeg, width=(int)240, height=(int)321; ";
        const QString nv12 = "video/x-raw, format=(string)NV12, width=(int)240, height=(int)321; ";
        const QString ranged
            = "video/x-raw, format=(string)YUY2, width=(int)[ 16, 640 ], height=(int)480; ";
        const QString native = "240 x 320 { 9/1, 30/1 }, colorimetry=(string){ 2:4:5:1, 1:4:7:1 }";
        const QString fixed = "240 x 320 30/1, colorimetry=(string)2:4:5:1";
        QTest::newRow("240 x 321 first") << "240 x 480 30/1; 240 x 321 25/1; " + native
                                         << "240 x 321 25/1";
        QTest::newRow("no ranges, no 640 x 480") << ranged + "640 x 480 30/1; " + native << fixed;
        QTest::newRow("highest rate of 240 x 320") << jpeg + "160 x 120 30/1; " + native << fixed;
        QTest::newRow("else the first") << jpeg + nv12 + "160 x 120 30/1" << "160 x 120 30/1";
        QTest::newRow("top of a rate range") << "240 x 321 [ 1/1, 60/1 ]" << "240 x 321 60/1";
        QTest::newRow("no YUYV mode") << jpeg + nv12 << "";
        // clang-format on
    }
    void mode_choice()
    {
        auto [modes, chosen] = fetch<QString, QString>();
        const QString caps = "video/x-raw, format=(string)YUY2, width=(int)\\1, "
                             "height=(int)\\2, framerate=(fraction)";
        const QRegularExpression size("(\\d+) x (\\d+) ");
        QCOMPARE(chooseImagerMode(modes.replace(size, caps)), chosen.replace(size, caps));
    }
};

QTEST_MAIN(tst_GstCameraStream)
#include "tst_gstcamerastream.moc"
