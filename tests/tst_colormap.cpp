#include "analysis/colormap.h"
#include "analysis/matimage.h"
#include "analysis/radiometricfile.h"
#include "picturefixture.h"

#include <QtTest>

#include <opencv2/core.hpp>

using namespace Radiometric;

namespace {

// Every entry different and recognisable: entry k is (k, 255 - k, k / 2).
Palette rampPalette()
{
    Palette palette;
    for (int k = 0; k < 256; ++k)
        palette[std::size_t(k)] = { quint8(k), quint8(255 - k), quint8(k / 2) };
    return palette;
}

QRgb rampColor(int k)
{
    return qRgb(k, 255 - k, k / 2);
}

QRgb tableColor(const cv::Mat &lut, int i)
{
    const cv::Vec3b c = lut.at<cv::Vec3b>(i, 0);
    return qRgb(c[0], c[1], c[2]);
}

} // namespace

class tst_ColorMap : public QObject
{
    Q_OBJECT

private slots:
    void table_shape();
    void handles_at_the_ends_give_the_palette();
    void table_entries_data();
    void table_entries();
    void handles_together_give_one_colour();
    void refill_keeps_the_caller_matrix();
    void bar_rows_data();
    void bar_rows();
    void bar_ignores_the_handles();
    void zero_palette_is_black();
    void colorize_looks_up_each_pixel();
    void images_share_the_matrix_memory();
    void picture_file_in_false_colour();

private:
    const Palette m_ramp = rampPalette();
};

void tst_ColorMap::table_shape()
{
    const cv::Mat lut = ColorMap::colorTable(m_ramp, 0, 255);
    QCOMPARE(lut.rows, 256);
    QCOMPARE(lut.cols, 1);
    QCOMPARE(lut.type(), CV_8UC3);
}

void tst_ColorMap::handles_at_the_ends_give_the_palette()
{
    const cv::Mat lut = ColorMap::colorTable(m_ramp, 0, 255);
    for (int i = 0; i < 256; ++i)
        QCOMPARE(tableColor(lut, i), rampColor(i));
}

void tst_ColorMap::table_entries_data()
{
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("grey");
    QTest::addColumn<int>("entry");

    QTest::newRow("ends: 0 keeps 0") << 0 << 255 << 0 << 0;
    QTest::newRow("ends: 255 keeps 255") << 0 << 255 << 255 << 255;
    QTest::newRow("L 128: 0 takes 127") << 0 << 128 << 0 << 127;
    QTest::newRow("L 128: 126 takes 127") << 0 << 128 << 126 << 127;
    QTest::newRow("L 128: 127 keeps 127") << 0 << 128 << 127 << 127;
    QTest::newRow("L 128: 128 keeps 128") << 0 << 128 << 128 << 128;
    QTest::newRow("L 128: 255 keeps 255") << 0 << 128 << 255 << 255;
    QTest::newRow("U 55: 201 takes 200") << 55 << 255 << 201 << 200;
    QTest::newRow("U 55: 255 takes 200") << 55 << 255 << 255 << 200;
    QTest::newRow("U 55: 200 keeps 200") << 55 << 255 << 200 << 200;
    QTest::newRow("U 55: 0 keeps 0") << 55 << 255 << 0 << 0;
    QTest::newRow("U 10 L 250: 3 takes 5") << 10 << 250 << 3 << 5;
    QTest::newRow("U 10 L 250: 100 keeps 100") << 10 << 250 << 100 << 100;
    QTest::newRow("U 10 L 250: 250 takes 245") << 10 << 250 << 250 << 245;
    QTest::newRow("handles past the ends are clamped") << -20 << 300 << 255 << 255;
}

void tst_ColorMap::table_entries()
{
    QFETCH(int, upper);
    QFETCH(int, lower);
    QFETCH(int, grey);
    QFETCH(int, entry);

    const cv::Mat lut = ColorMap::colorTable(m_ramp, upper, lower);
    QCOMPARE(tableColor(lut, grey), rampColor(entry));
}

void tst_ColorMap::handles_together_give_one_colour()
{
    // U = L = 100: A = B = 155.
    const cv::Mat lut = ColorMap::colorTable(m_ramp, 100, 100);
    for (int i = 0; i < 256; ++i)
        QCOMPARE(tableColor(lut, i), rampColor(155));

    QByteArray plane(76800, '\0');
    for (int i = 0; i < plane.size(); ++i)
        plane[i] = char(i % 256);
    const cv::Mat grey = MatImage::wrapGrey(reinterpret_cast<uchar *>(plane.data()));
    cv::Mat coloured;
    ColorMap::colorize(grey, lut, &coloured);
    int others = 0;
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            others += coloured.at<cv::Vec3b>(y, x) != cv::Vec3b(155, 100, 77);
    QCOMPARE(others, 0);
}

void tst_ColorMap::refill_keeps_the_caller_matrix()
{
    cv::Mat lut = cv::Mat::zeros(256, 1, CV_8UC3);
    const uchar *memory = lut.data;
    ColorMap::fillColorTable(m_ramp, 0, 255, &lut);
    QCOMPARE(static_cast<const uchar *>(lut.data), memory);
    QCOMPARE(tableColor(lut, 77), rampColor(77));
}

void tst_ColorMap::bar_rows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("entry");

    QTest::newRow("top row is entry 255") << 0 << 255;
    QTest::newRow("second row is entry 254") << 1 << 254;
    QTest::newRow("row 100 is entry 155") << 100 << 155;
    QTest::newRow("bottom row is entry 0") << 255 << 0;
}

void tst_ColorMap::bar_rows()
{
    QFETCH(int, row);
    QFETCH(int, entry);

    const QImage bar = ColorMap::colorBar(m_ramp);
    QCOMPARE(bar.size(), QSize(30, 256));
    for (int x = 0; x < 30; ++x) {
        const QRgb pixel = bar.pixel(x, row);
        QCOMPARE(qAlpha(pixel), 255);
        QCOMPARE(pixel, rampColor(entry));
    }
}

void tst_ColorMap::bar_ignores_the_handles()
{
    // The bar only depends on the palette, so every row is its own entry.
    const QImage bar = ColorMap::colorBar(m_ramp);
    for (int row = 0; row < 256; ++row)
        QCOMPARE(bar.pixel(15, row), rampColor(255 - row));
}

void tst_ColorMap::zero_palette_is_black()
{
    const Palette black {};
    const QImage bar = ColorMap::colorBar(black);
    for (int row = 0; row < 256; ++row)
        for (int x = 0; x < 30; ++x)
            QCOMPARE(bar.pixel(x, row), qRgb(0, 0, 0));

    QByteArray plane(76800, char(200));
    const cv::Mat grey = MatImage::wrapGrey(reinterpret_cast<uchar *>(plane.data()));
    cv::Mat coloured;
    ColorMap::colorize(grey, ColorMap::colorTable(black, 0, 255), &coloured);
    QCOMPARE(cv::countNonZero(coloured.reshape(1)), 0);
}

void tst_ColorMap::colorize_looks_up_each_pixel()
{
    QByteArray plane(76800, '\0');
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            plane[y * 240 + x] = char((x + 3 * y) % 256);
    const cv::Mat grey = MatImage::wrapGrey(reinterpret_cast<uchar *>(plane.data()));
    cv::Mat coloured;
    ColorMap::colorize(grey, ColorMap::colorTable(m_ramp, 0, 128), &coloured);
    QCOMPARE(coloured.rows, 320);
    QCOMPARE(coloured.cols, 240);
    QCOMPARE(coloured.type(), CV_8UC3);

    struct Probe { int x, y, entry; };
    // Grey (x + 3y) mod 256; below 127 the table gives entry 127.
    const Probe probes[] = { { 0, 0, 127 }, { 200, 0, 200 }, { 10, 40, 130 },
                             { 239, 319, (239 + 957) % 256 }, { 100, 5, 127 } };
    for (const Probe &p : probes) {
        const cv::Vec3b c = coloured.at<cv::Vec3b>(p.y, p.x);
        QCOMPARE(qRgb(c[0], c[1], c[2]), rampColor(p.entry));
    }
}

void tst_ColorMap::images_share_the_matrix_memory()
{
    QByteArray plane(76800, '\0');
    plane[5 * 240 + 7] = char(99);
    uchar *bytes = reinterpret_cast<uchar *>(plane.data());
    const cv::Mat grey = MatImage::wrapGrey(bytes);
    QCOMPARE(grey.rows, 320);
    QCOMPARE(grey.cols, 240);
    QCOMPARE(grey.type(), CV_8UC1);
    QCOMPARE(int(grey.step), 240);
    QCOMPARE(static_cast<const uchar *>(grey.data), static_cast<const uchar *>(bytes));
    QCOMPARE(int(grey.at<uchar>(5, 7)), 99);

    const QImage greyPicture = MatImage::greyImage(bytes);
    QCOMPARE(greyPicture.size(), QSize(240, 320));
    QCOMPARE(greyPicture.format(), QImage::Format_Grayscale8);
    QCOMPARE(greyPicture.constBits(), static_cast<const uchar *>(bytes));
    QCOMPARE(greyPicture.pixel(7, 5), qRgb(99, 99, 99));

    cv::Mat coloured;
    ColorMap::colorize(grey, ColorMap::colorTable(m_ramp, 0, 255), &coloured);
    const QImage picture = MatImage::rgbImage(coloured);
    QCOMPARE(picture.size(), QSize(240, 320));
    QCOMPARE(picture.format(), QImage::Format_RGB888);
    QCOMPARE(picture.constBits(), static_cast<const uchar *>(coloured.data));
    QCOMPARE(picture.pixel(7, 5), rampColor(99));
    QCOMPARE(picture.pixel(0, 0), rampColor(0));

    QVERIFY(MatImage::rgbImage(cv::Mat()).isNull());
    QVERIFY(MatImage::rgbImage(grey).isNull());
}

void tst_ColorMap::picture_file_in_false_colour()
{
    PictureFixture fixture;
    fixture.model = PictureFixture::VX300;
    fixture.palette[10] = 0xF800;
    fixture.palette[20] = 0x001F;
    fixture.setPixel(0, 0, 10);
    fixture.setPixel(239, 319, 20);
    const std::optional<RadiometricPicture> file =
            parseRadiometricBytes(fixture.bytes(), fixture.model);
    QVERIFY(file);

    QByteArray plane = file->grey;
    const cv::Mat grey = MatImage::wrapGrey(reinterpret_cast<uchar *>(plane.data()));
    cv::Mat coloured;
    ColorMap::colorize(grey, ColorMap::colorTable(file->palette, 0, 255), &coloured);
    const QImage picture = MatImage::rgbImage(coloured);
    QCOMPARE(picture.pixel(0, 0), qRgb(248, 0, 0));
    QCOMPARE(picture.pixel(239, 319), qRgb(0, 0, 248));
    QCOMPARE(picture.pixel(1, 0), qRgb(0, 0, 0));
}

QTEST_GUILESS_MAIN(tst_ColorMap)
#include "tst_colormap.moc"
