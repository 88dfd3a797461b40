#include "live/camer_window.h"
#include "live/liveframe.h"
#include "live/qtcameracapture.h"
#include "platform/gstcamerastream.h"
#include "testsupport.h"
#include "ui_camer_window.h"

#include <QSignalSpy>
#include <QtTest>

#include <cstring>
#include <memory>
#include <vector>

namespace {

const QString Declared240x320
    = "capsfilter caps=video/x-raw,format=YUY2,width=240,height=320,framerate=25/1";
const QString WholeBuffers = "filesrc location=%1 blocksize=153606 ! " + Declared240x320;
constexpr int FrameCount = 4;

// Frame k of a known stream, `size` bytes: a picture of its own, then the trailer words
// 300 + k, 340 and 90 + k as far as they fit, then zeros.
QByteArray knownFrame(int k, int size)
{
    QByteArray frame(size, '\0');
    for (int i = 0; i < qMin(size, int(LiveFrame::PictureBytes)); ++i)
        frame[i] = char((i * 131 + k * 977) >> 3);
    const int words[3] = {300 + k, 340, 90 + k};
    for (int w = 0; w < 3; ++w)
        for (int b = 0; b < 2; ++b)
            if (int(LiveFrame::PictureBytes) + 2 * w + b < size)
                frame[int(LiveFrame::PictureBytes) + 2 * w + b] = char(words[w] >> (8 * b));
    return frame;
}

QImage converted(const QByteArray &frame)
{
    QImage picture(LiveFrame::Width, LiveFrame::Height, QImage::Format_RGB888);
    std::vector<uchar> rgb(LiveFrame::RgbBytes);
    LiveFrame::yuyvToRgb(reinterpret_cast<const uchar *>(frame.constData()), rgb.data());
    for (int y = 0; y < LiveFrame::Height; ++y)
        std::memcpy(
            picture.scanLine(y), rgb.data() + y * LiveFrame::Width * 3, LiveFrame::Width * 3);
    return picture;
}

} // namespace

class tst_GstCameraStream : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void frames_arrive_whole_and_in_order_data();
    void frames_arrive_whole_and_in_order();
    void failure_shows_in_picture_area_data();
    void failure_shows_in_picture_area();
    void window_destroyed_while_streaming();
    void mode_choice_data();
    void mode_choice();

private:
    // Writes FrameCount frames of `frameBytes` each, the last cut to `lastBytes`.
    QString writeFrames(int frameBytes, int lastBytes);

    std::unique_ptr<TemporaryHome> m_home;
    QList<QByteArray> m_frames;
};

void tst_GstCameraStream::init()
{
    m_home = std::make_unique<TemporaryHome>();
}

void tst_GstCameraStream::cleanup()
{
    m_home.reset();
}

QString tst_GstCameraStream::writeFrames(int frameBytes, int lastBytes)
{
    QFile file(m_home->path() + "/frames.yuv");
    if (!file.open(QIODevice::WriteOnly))
        return {};
    m_frames.clear();
    for (int k = 0; k < FrameCount; ++k) {
        m_frames << knownFrame(k, k + 1 == FrameCount ? lastBytes : frameBytes);
        file.write(m_frames.last());
    }
    return file.fileName();
}

void tst_GstCameraStream::frames_arrive_whole_and_in_order_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("frameBytes");
    QTest::addColumn<int>("lastBytes");
    QTest::addColumn<int>("pictures");
    QTest::addColumn<int>("readings");

    QTest::newRow("240 x 320 declared, 153,606-byte buffers")
        << WholeBuffers << 153606 << 153606 << 4 << 4;
    QTest::newRow("240 x 321 declared")
        << "filesrc location=%1 ! rawvideoparse width=240 height=321 format=yuy2" << 154080
        << 154080 << 4 << 4;
    QTest::newRow("153,600-byte buffers: pictures, no readings")
        << "filesrc location=%1 ! rawvideoparse width=240 height=320 format=yuy2 frame-size=153606"
        << 153606 << 153606 << 4 << 0;
    QTest::newRow("last frame cut inside the trailer")
        << WholeBuffers << 153606 << 153603 << 4 << 3;
    QTest::newRow("last frame cut inside the picture")
        << WholeBuffers << 153606 << 100000 << 3 << 3;
}

void tst_GstCameraStream::frames_arrive_whole_and_in_order()
{
    QFETCH(QString, source);
    QFETCH(int, frameBytes);
    QFETCH(int, lastBytes);
    QFETCH(int, pictures);
    QFETCH(int, readings);

    QtCameraCapture surface;
    QList<QImage> shown;
    QList<QList<float>> read;
    // Emitted on the streaming thread, collected here through queued connections.
    connect(&surface, &QtCameraCapture::display_Qimage, this, [&](const QImage &p) { shown << p; });
    connect(&surface, &QtCameraCapture::Send_MaxTemp, this, [&](float max, float warn, float fsl) {
        read << QList<float> {max, warn, fsl};
    });
    GstCameraStream stream(source.replace("%1", writeFrames(frameBytes, lastBytes)), {}, &surface);
    QSignalSpy failed(&stream, &CameraStream::failed);
    stream.start();
    QVERIFY(failed.wait());
    QCOMPARE(stream.failure(), CameraStream::Failure::StreamLost); // the end of the file
    QCoreApplication::sendPostedEvents();

    QCOMPARE(shown.size(), pictures);
    for (int k = 0; k < pictures; ++k)
        QVERIFY2(shown.at(k) == converted(m_frames.at(k)), qPrintable(QString::number(k)));
    QCOMPARE(read.size(), readings);
    for (int k = 0; k < readings; ++k)
        QCOMPARE(read.at(k), (QList<float> {(300 + k) / 10.0f, 34.0f, (90 + k) / 100.0f}));
}

void tst_GstCameraStream::failure_shows_in_picture_area_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("pictures");

    QTest::newRow("error after two frames") << WholeBuffers + " ! identity error-after=3"
                                            << "热像仪已停止发送图像。请检查连接线。" << 2;
    QTest::newRow("missing file") << "filesrc location=/nonexistent/frames.yuv"
                                  << "无法启动摄像头：%1" << 0;
}

void tst_GstCameraStream::failure_shows_in_picture_area()
{
    QFETCH(QString, source);
    QFETCH(QString, message);
    QFETCH(int, pictures);

    FakePlatform platform;
    platform.cameraList = {FakePlatform::imager()};
    platform.streamSource = source.replace("%1", writeFrames(153606, 153606));
    camer_window window(nullptr, &platform);
    QVERIFY(window.m_camera && window.m_camera->isActive());
    QTRY_VERIFY(!window.ui->label_17->text().isEmpty());
    QVERIFY(!window.m_camera->detail().isEmpty());
    QCOMPARE(window.ui->label_17->text(), message.replace("%1", window.m_camera->detail()));
    QCOMPARE(window.ui->label_17->pixmap(Qt::ReturnByValue).isNull(), true);
    QCOMPARE(window.m_recentFrames.size(), pictures);
    // The 300 ms watch stops the failed stream.
    QTRY_VERIFY(!window.m_camera->isActive());
}

void tst_GstCameraStream::window_destroyed_while_streaming()
{
    FakePlatform platform;
    platform.cameraList = {FakePlatform::imager()};
    QFile frame(m_home->path() + "/frame.yuv");
    QVERIFY(frame.open(QIODevice::WriteOnly));
    frame.write(knownFrame(0, 153606));
    frame.close();
    // The same frame again and again, at some 200 frames a second.
    platform.streamSource = "multifilesrc location=" + frame.fileName() + " ! " + Declared240x320
        + " ! identity sleep-time=5000";
    auto window = std::make_unique<camer_window>(nullptr, &platform);
    QTRY_VERIFY(window->m_recentFrames.size() >= 2);
    QVERIFY(window->m_camera->isActive());
    // Joins the streaming thread before the surface and the window go.
    window.reset();
}

void tst_GstCameraStream::mode_choice_data()
{
    QTest::addColumn<QString>("modes");
    QTest::addColumn<QString>("chosen");

    // Modes as v4l2src reports them, largest first.
    const QString vga = "video/x-raw, format=(string)YUY2, width=(int)640, height=(int)480, "
                        "pixel-aspect-ratio=(fraction)1/1, framerate=(fraction){ 30/1, 15/1 }";
    const QString tall = "video/x-raw, format=(string)YUY2, width=(int)240, height=(int)321, "
                         "pixel-aspect-ratio=(fraction)1/1, framerate=(fraction)25/1";
    const QString native = "video/x-raw, format=(string)YUY2, width=(int)240, height=(int)320, "
                           "pixel-aspect-ratio=(fraction)1/1, colorimetry=(string){ 2:4:5:1, "
                           "1:4:7:1 }, framerate=(fraction){ 30/1, 25/1, 9/1 }";
    const QString nativeFixed
        = "video/x-raw, format=(string)YUY2, width=(int)240, height=(int)320, "
          "pixel-aspect-ratio=(fraction)1/1, colorimetry=(string)2:4:5:1, "
          "framerate=(fraction)30/1";
    const QString jpeg = "image/jpeg, width=(int)240, height=(int)321, framerate=(fraction)30/1";
    const QString small = "video/x-raw, format=(string)YUY2, width=(int)160, height=(int)120, "
                          "framerate=(fraction)30/1";
    const QString ranged = "video/x-raw, format=(string)YUY2, width=(int)[ 16, 640 ], "
                           "height=(int)[ 16, 480 ], framerate=(fraction)[ 1/1, 60/1 ]";
    const QString nv12 = "video/x-raw, format=(string)NV12, width=(int)240, height=(int)321, "
                         "framerate=(fraction)30/1";
    QTest::newRow("240 x 321 before 640 x 480 and 240 x 320")
        << vga + "; " + tall + "; " + native << tall;
    QTest::newRow("640 x 480 has no 480-byte rows: 240 x 320") << vga + "; " + native << nativeFixed;
    QTest::newRow("240 x 320 at its highest rate")
        << jpeg + "; " + small + "; " + native << nativeFixed;
    QTest::newRow("sizes given as ranges are skipped") << ranged + "; " + native << nativeFixed;
    QTest::newRow("first YUYV mode when no other fits")
        << jpeg + "; " + nv12 + "; " + small << small;
    QTest::newRow("top of a frame-rate range")
        << "video/x-raw, format=(string)YUY2, width=(int)240, height=(int)321, "
           "framerate=(fraction)[ 1/1, 60/1 ]"
        << "video/x-raw, format=(string)YUY2, width=(int)240, height=(int)321, "
           "framerate=(fraction)60/1";
    QTest::newRow("no YUYV mode") << jpeg + "; " + nv12 << QString();
    QTest::newRow("nothing offered") << "EMPTY" << QString();
}

void tst_GstCameraStream::mode_choice()
{
    QFETCH(QString, modes);
    QFETCH(QString, chosen);
    QCOMPARE(chooseImagerMode(modes), chosen);
}

QTEST_MAIN(tst_GstCameraStream)
#include "tst_gstcamerastream.moc"
