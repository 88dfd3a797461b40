#include "live/liveframe.h"
#include "live/qtcameracapture.h"

#include <QAbstractVideoBuffer>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// The conversion formula written out plainly, as the imager's documentation gives it.
void reference(int y, int u, int v, uchar *rgb)
{
    const int d = v - 128;
    const int e = u - 128;
    const double r = y + 1.370705 * d;
    const double g = (y - 0.698001 * d) - 0.337633 * e;
    const double b = y + 1.732446 * e;
    const auto store = [](double value) {
        return uchar(std::clamp(int(std::trunc(value)), 0, 255));
    };
    rgb[0] = store(r);
    rgb[1] = store(g);
    rgb[2] = store(b);
}

QByteArray frameBytes(uchar y0, uchar u, uchar y1, uchar v, quint16 w0, quint16 w1, quint16 w2)
{
    QByteArray bytes(int(LiveFrame::FrameBytes), Qt::Uninitialized);
    for (std::size_t i = 0; i < LiveFrame::PictureBytes; i += 4) {
        bytes[int(i)] = char(y0);
        bytes[int(i + 1)] = char(u);
        bytes[int(i + 2)] = char(y1);
        bytes[int(i + 3)] = char(v);
    }
    const quint16 words[3] = { w0, w1, w2 };
    for (int i = 0; i < 3; ++i) {
        bytes[int(LiveFrame::PictureBytes) + 2 * i] = char(words[i] & 0xFF);
        bytes[int(LiveFrame::PictureBytes) + 2 * i + 1] = char(words[i] >> 8);
    }
    return bytes;
}

QVideoFrame memoryFrame(const QByteArray &bytes, QVideoFrame::PixelFormat format)
{
    QVideoFrame frame(bytes.size(), QSize(240, 320), 480, format);
    frame.map(QAbstractVideoBuffer::WriteOnly);
    std::memcpy(frame.bits(), bytes.constData(), std::size_t(bytes.size()));
    frame.unmap();
    return frame;
}

// A buffer the camera stack hands over but that refuses to be mapped.
class UnmappableBuffer : public QAbstractVideoBuffer
{
public:
    UnmappableBuffer() : QAbstractVideoBuffer(NoHandle) { }
    MapMode mapMode() const override { return NotMapped; }
    uchar *map(MapMode, int *, int *) override { return nullptr; }
    void unmap() override { }
};

} // namespace

Q_DECLARE_METATYPE(LiveFrame::Kernel)

class tst_LiveFrame : public QObject
{
    Q_OBJECT

private slots:
    void worked_pixels_data();
    void worked_pixels();
    void conversion_matches_formula_for_every_yuv_data();
    void conversion_matches_formula_for_every_yuv();
    void trailer_data();
    void trailer();
    void picture_comes_before_readings();
    void supported_formats();
    void rejected_frames_data();
    void rejected_frames();
    void short_frame_is_dropped();
    void frame_without_trailer_gives_picture_but_no_reading_data();
    void frame_without_trailer_gives_picture_but_no_reading();
};

void tst_LiveFrame::worked_pixels_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("u");
    QTest::addColumn<int>("v");
    QTest::addColumn<QColor>("rgb");

    QTest::newRow("black") << 0 << 128 << 128 << QColor(0, 0, 0);
    QTest::newRow("white") << 255 << 128 << 128 << QColor(255, 255, 255);
    QTest::newRow("truncation toward zero") << 100 << 128 << 129 << QColor(101, 99, 100);
    QTest::newRow("negative red clamps to 0") << 0 << 128 << 0 << QColor(0, 89, 0);
    QTest::newRow("red above 255 clamps") << 255 << 128 << 255 << QColor(255, 166, 255);
}

void tst_LiveFrame::worked_pixels()
{
    QFETCH(int, y);
    QFETCH(int, u);
    QFETCH(int, v);
    QFETCH(QColor, rgb);

    uchar out[3];
    LiveFrame::yuvPixelToRgb(y, u, v, out);
    QCOMPARE(QColor(out[0], out[1], out[2]), rgb);

    // The whole-frame conversion agrees on both pixels of a group.
    std::vector<uchar> src(LiveFrame::PictureBytes, 0);
    for (std::size_t i = 0; i < src.size(); i += 4) {
        src[i] = uchar(y);
        src[i + 1] = uchar(u);
        src[i + 2] = uchar(y);
        src[i + 3] = uchar(v);
    }
    std::vector<uchar> dst(LiveFrame::RgbBytes);
    LiveFrame::yuyvToRgb(src.data(), dst.data());
    QCOMPARE(QColor(dst[3], dst[4], dst[5]), rgb);
    QCOMPARE(QColor(dst[dst.size() - 3], dst[dst.size() - 2], dst[dst.size() - 1]), rgb);
}

void tst_LiveFrame::conversion_matches_formula_for_every_yuv_data()
{
    QTest::addColumn<LiveFrame::Kernel>("kernel");
    QTest::newRow("portable") << LiveFrame::Kernel::Portable;
    QTest::newRow("avx2") << LiveFrame::Kernel::Avx2;
}

void tst_LiveFrame::conversion_matches_formula_for_every_yuv()
{
    QFETCH(LiveFrame::Kernel, kernel);
    if (!LiveFrame::kernelSupported(kernel))
        QSKIP("not supported on this processor");
    // Every (Y, U, V) once as a left pixel and once as a right pixel.
    std::vector<uchar> src(LiveFrame::PictureBytes);
    std::vector<uchar> dst(LiveFrame::RgbBytes);
    const int groupsPerFrame = int(LiveFrame::PictureBytes / 4);
    const int combinations = 256 * 256 * 256;
    int mismatches = 0;
    for (int first = 0; first < combinations; first += groupsPerFrame) {
        const int count = std::min(groupsPerFrame, combinations - first);
        for (int g = 0; g < count; ++g) {
            const int c = first + g;
            src[4 * g] = uchar(c & 0xFF);
            src[4 * g + 1] = uchar((c >> 8) & 0xFF);
            src[4 * g + 2] = uchar(255 - (c & 0xFF));
            src[4 * g + 3] = uchar(c >> 16);
        }
        LiveFrame::yuyvToRgb(src.data(), dst.data(), kernel);
        for (int g = 0; g < count; ++g) {
            uchar left[3], right[3];
            reference(src[4 * g], src[4 * g + 1], src[4 * g + 3], left);
            reference(src[4 * g + 2], src[4 * g + 1], src[4 * g + 3], right);
            if (std::memcmp(left, &dst[6 * g], 3) != 0 || std::memcmp(right, &dst[6 * g + 3], 3) != 0)
                ++mismatches;
        }
    }
    QCOMPARE(mismatches, 0);
}

void tst_LiveFrame::trailer_data()
{
    QTest::addColumn<int>("w0");
    QTest::addColumn<int>("w1");
    QTest::addColumn<int>("w2");
    QTest::addColumn<float>("maxTemp");
    QTest::addColumn<float>("threshold");
    QTest::addColumn<float>("emissivity");

    QTest::newRow("362 340 97") << 362 << 340 << 97 << 36.2f << 34.0f << 0.97f;
    QTest::newRow("largest words") << 65535 << 65535 << 65535 << 6553.5f << 6553.5f << 655.35f;
    QTest::newRow("zero") << 0 << 0 << 0 << 0.0f << 0.0f << 0.0f;
    QTest::newRow("high byte only") << 256 << 512 << 100 << 25.6f << 51.2f << 1.0f;
}

void tst_LiveFrame::trailer()
{
    QFETCH(int, w0);
    QFETCH(int, w1);
    QFETCH(int, w2);
    QFETCH(float, maxTemp);
    QFETCH(float, threshold);
    QFETCH(float, emissivity);

    QtCameraCapture surface;
    QSignalSpy readings(&surface, &QtCameraCapture::Send_MaxTemp);
    const QByteArray bytes = frameBytes(10, 128, 20, 128, quint16(w0), quint16(w1), quint16(w2));
    QVERIFY(surface.present(memoryFrame(bytes, QVideoFrame::Format_YUYV)));
    QCOMPARE(readings.count(), 1);
    QCOMPARE(readings.at(0).at(0).toFloat(), maxTemp);
    QCOMPARE(readings.at(0).at(1).toFloat(), threshold);
    QCOMPARE(readings.at(0).at(2).toFloat(), emissivity);
}

void tst_LiveFrame::picture_comes_before_readings()
{
    QtCameraCapture surface;
    QStringList order;
    QImage shown;
    connect(&surface, &QtCameraCapture::display_Qimage, this, [&](const QImage &image) {
        order << "picture";
        shown = image;
    });
    connect(&surface, &QtCameraCapture::Send_MaxTemp, this,
            [&](float, float, float) { order << "readings"; });

    // Declared as RGB32, still read as YUYV.
    const QByteArray bytes = frameBytes(0, 128, 255, 128, 362, 340, 97);
    QVERIFY(surface.present(memoryFrame(bytes, QVideoFrame::Format_RGB32)));
    QCOMPARE(order, QStringList({ "picture", "readings" }));
    QCOMPARE(shown.size(), QSize(240, 320));
    QCOMPARE(shown.format(), QImage::Format_RGB888);
    QCOMPARE(shown.pixelColor(0, 0), QColor(0, 0, 0));
    QCOMPARE(shown.pixelColor(1, 0), QColor(255, 255, 255));
    QCOMPARE(shown.pixelColor(238, 319), QColor(0, 0, 0));
    QCOMPARE(shown.pixelColor(239, 319), QColor(255, 255, 255));
}

void tst_LiveFrame::supported_formats()
{
    QtCameraCapture surface;
    for (auto handle : { QAbstractVideoBuffer::NoHandle, QAbstractVideoBuffer::GLTextureHandle }) {
        const QList<QVideoFrame::PixelFormat> formats = surface.supportedPixelFormats(handle);
        QCOMPARE(formats.size(), 32);
        QCOMPARE(formats.first(), QVideoFrame::Format_ARGB32);
        QCOMPARE(formats.at(20), QVideoFrame::Format_YUYV);
        QCOMPARE(formats.last(), QVideoFrame::Format_AdobeDng);
        QVERIFY(!formats.contains(QVideoFrame::Format_Invalid));
    }
    const QMetaEnum names = QMetaEnum::fromType<QtCameraCapture::PixelFormat>();
    QCOMPARE(names.keyCount(), 35);
    QCOMPARE(names.keyToValue("Format_YUYV"), 21);
    QCOMPARE(names.keyToValue("NPixelFormats"), 33);
    QCOMPARE(names.keyToValue("Format_User"), 1000);
}

void tst_LiveFrame::rejected_frames_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("result");

    QTest::newRow("invalid frame") << 0 << false;
    QTest::newRow("frame that cannot be mapped") << 1 << true;
    QTest::newRow("one byte short of the picture") << 2 << true;
}

void tst_LiveFrame::rejected_frames()
{
    QFETCH(int, kind);
    QFETCH(bool, result);

    QtCameraCapture surface;
    QSignalSpy pictures(&surface, &QtCameraCapture::display_Qimage);
    QSignalSpy readings(&surface, &QtCameraCapture::Send_MaxTemp);
    QVideoFrame frame;
    const QByteArray full = frameBytes(1, 2, 3, 4, 5, 6, 7);
    if (kind == 1)
        frame = QVideoFrame(new UnmappableBuffer, QSize(240, 320), QVideoFrame::Format_YUYV);
    else if (kind == 2)
        frame = memoryFrame(full.left(int(LiveFrame::PictureBytes) - 1), QVideoFrame::Format_YUYV);
    QCOMPARE(surface.present(frame), result);
    QCOMPARE(pictures.count(), 0);
    QCOMPARE(readings.count(), 0);
}

void tst_LiveFrame::short_frame_is_dropped()
{
    // A short frame between two good ones changes nothing about them.
    QtCameraCapture surface;
    QSignalSpy readings(&surface, &QtCameraCapture::Send_MaxTemp);
    const QByteArray good = frameBytes(50, 128, 50, 128, 100, 200, 95);
    QVERIFY(surface.present(memoryFrame(good, QVideoFrame::Format_YUYV)));
    QVERIFY(surface.present(memoryFrame(good.left(1000), QVideoFrame::Format_YUYV)));
    QVERIFY(surface.present(memoryFrame(good, QVideoFrame::Format_YUYV)));
    QCOMPARE(readings.count(), 2);
}

void tst_LiveFrame::frame_without_trailer_gives_picture_but_no_reading_data()
{
    QTest::addColumn<int>("bytes");

    QTest::newRow("153,600 mapped bytes") << 153600;
    QTest::newRow("trailer cut after two words") << 153604;
}

void tst_LiveFrame::frame_without_trailer_gives_picture_but_no_reading()
{
    // A camera stack that maps only the declared 240 x 320 picture left the live view empty.
    QFETCH(int, bytes);
    QtCameraCapture surface;
    QSignalSpy pictures(&surface, &QtCameraCapture::display_Qimage);
    QSignalSpy readings(&surface, &QtCameraCapture::Send_MaxTemp);
    const QByteArray full = frameBytes(0, 128, 255, 128, 362, 340, 97);
    QVERIFY(surface.present(memoryFrame(full.left(bytes), QVideoFrame::Format_YUYV)));
    QVERIFY(surface.present(memoryFrame(full, QVideoFrame::Format_YUYV)));
    QCOMPARE(pictures.count(), 2);
    QCOMPARE(pictures.at(0).at(0).value<QImage>(), pictures.at(1).at(0).value<QImage>());
    QCOMPARE(readings.count(), 1);
}

QTEST_GUILESS_MAIN(tst_LiveFrame)
#include "tst_liveframe.moc"
