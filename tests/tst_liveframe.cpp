#include "live/liveframe.h"
#include "live/qtcameracapture.h"
#include "testsupport.h"

#include <cstring>

// The conversion as the imager's documentation gives it, in double precision: Y = 100, U = 128,
// V = 129 gives (101, 99, 100); red below 0 or above 255 is clamped.
static void reference(int y, int u, int v, uchar *rgb)
{
    const int d = v - 128, e = u - 128;
    const double values[3] = {y + 1.370705 * d, y - 0.698001 * d - 0.337633 * e, y + 1.732446 * e};
    for (int c = 0; c < 3; ++c)
        rgb[c] = uchar(std::clamp(int(std::trunc(values[c])), 0, 255));
}

// The first `size` bytes of a frame: black and white pixels (the group 0, 128, 255, 128)
// over the whole picture, then the trailer words little-endian (36.2, 34.0 and 0.97).
static QVideoFrame frame(int size = int(LiveFrame::FrameBytes),
    QVideoFrame::PixelFormat format = QVideoFrame::Format_YUYV,
    const char *trailer = "6a0154016100")
{
    const QByteArray bytes
        = QByteArray("\x00\x80\xff\x80", 4).repeated(int(LiveFrame::PictureBytes) / 4)
        + QByteArray::fromHex(trailer);
    QVideoFrame frame(size, QSize(240, 320), 480, format);
    frame.map(QAbstractVideoBuffer::WriteOnly);
    std::memcpy(frame.bits(), bytes.constData(), std::size_t(size));
    frame.unmap();
    return frame;
}

// The picture of frame(): RGB888, black and white pixels in turn down to the last row.
static bool blackAndWhite(const QImage &p)
{
    return p.format() == QImage::Format_RGB888 && p.pixel(0, 0) == 0xff000000
        && p.pixel(1, 0) == 0xffffffff && p.pixel(238, 319) == 0xff000000
        && p.pixel(239, 319) == 0xffffffff;
}

class tst_LiveFrame : public QObject
{
    Q_OBJECT

private slots:
    // Every (Y, U, V) once as a left and once as a right pixel, a frame at a time, through
    // each conversion this processor runs.
    void every_yuv_matches_the_formula()
    {
        for (const auto kernel : {LiveFrame::Kernel::Portable, LiveFrame::Kernel::Avx2}) {
            if (!LiveFrame::kernelSupported(kernel))
                continue;
            std::vector<uchar> src(LiveFrame::PictureBytes), dst(LiveFrame::RgbBytes), want(dst);
            int mismatches = 0;
            for (int c = 0; c < (1 << 24);) {
                std::size_t bytes = 0;
                for (; bytes < src.size() && c < (1 << 24); bytes += 4, ++c) {
                    const uchar g[4] = {uchar(c), uchar(c >> 8), uchar(255 - c), uchar(c >> 16)};
                    std::memcpy(&src[bytes], g, 4);
                    reference(g[0], g[1], g[3], &want[bytes / 2 * 3]);
                    reference(g[2], g[1], g[3], &want[bytes / 2 * 3 + 3]);
                }
                LiveFrame::yuyvToRgb(src.data(), dst.data(), kernel);
                mismatches += std::memcmp(want.data(), dst.data(), bytes / 2 * 3) != 0;
            }
            QVERIFY2(mismatches == 0, kernel == LiveFrame::Kernel::Avx2 ? "avx2" : "portable");
        }
    }

    // The row's frame and what present() returns; then "picture" for each picture emitted, and
    // the readings. Then whole frames, which must come through as usual: every frame read as
    // YUYV, the picture first, then the frame's readings.
    void short_frame_is_dropped_data()
    {
        addColumns<QVideoFrame, bool, QVariantList>("frame", "result", "emitted");
        QTest::newRow("invalid frame") << QVideoFrame() << false << QVariantList();
        QTest::newRow("one byte short of the picture")
            << frame(int(LiveFrame::PictureBytes) - 1) << true << QVariantList();
        // Qt 5.15's map() divides by zero on a planar frame one row high.
        QTest::newRow("planar 4:2:0 frame 256 x 1, which Qt cannot map")
            << QVideoFrame(int(LiveFrame::FrameBytes), {256, 1}, 256, QVideoFrame::Format_YUV420P)
            << true << QVariantList();
        QTest::newRow("frame of no size") << QVideoFrame(int(LiveFrame::FrameBytes), {0, 0}, 480,
                                                 QVideoFrame::Format_YUYV) << true << QVariantList();
        // A camera stack that maps only the declared 240 x 320 picture left the live view empty:
        // the picture shows, with no reading.
        const QVariantList picture {"picture"};
        QTest::newRow("153,600 mapped bytes") << frame(153600) << true << picture;
        QTest::newRow("trailer cut after two words") << frame(153604) << true << picture;
    }
    void short_frame_is_dropped()
    {
        const auto [frame, result, emitted] = fetch<QVideoFrame, bool, QVariantList>();
        QtCameraCapture surface;
        // Every format but Format_Invalid is offered, whatever the handle; all are read as YUYV.
        const auto offered = surface.supportedPixelFormats(QAbstractVideoBuffer::GLTextureHandle);
        QVERIFY(offered.size() == 32 && offered.contains(QVideoFrame::Format_YUYV));
        QVariantList out;
        connect(&surface, &QtCameraCapture::display_Qimage, this, [&](const QImage &picture) {
            out << (blackAndWhite(picture) ? "picture" : "wrong picture");
        });
        connect(&surface, &QtCameraCapture::Send_MaxTemp, this,
            [&](float max, float warn, float fsl) { out << max << warn << fsl; });
        QCOMPARE(out << surface.present(frame), QVariantList(emitted) << result);
        out.clear();
        const int whole = int(LiveFrame::FrameBytes); // then the largest words
        out << surface.present(::frame())
            << surface.present(::frame(whole, QVideoFrame::Format_RGB32, "ffffffffffff"));
        QCOMPARE(out,
            QVariantList({"picture", 36.2f, 34.0f, 0.97f, true, "picture", 6553.5f, 6553.5f,
                655.35f, true}));
    }
};

QTEST_GUILESS_MAIN(tst_LiveFrame)
#include "tst_liveframe.moc"
