#include "analysis/colormap.h"
#include "analysis/matimage.h"

#include <QtTest>

#include <opencv2/core.hpp>

using namespace Radiometric;
using Entries = QMap<int, int>; // grey value -> palette entry it shows

namespace {

// Every entry different and recognisable: entry k is (k, 255 - k, k / 2).
QRgb rampColor(int k)
{
    return qRgb(k, 255 - k, k / 2);
}

Palette rampPalette()
{
    Palette palette;
    for (int k = 0; k < 256; ++k)
        palette[std::size_t(k)] = {quint8(k), quint8(255 - k), quint8(k / 2)};
    return palette;
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
    void table_data();
    void table();
    void bar_is_the_palette_top_down();
    void every_pixel_looked_up();

private:
    const Palette m_ramp = rampPalette();
};

void tst_ColorMap::table_data()
{
    // clang-format off
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");
    QTest::addColumn<Entries>("entries");

    QTest::newRow("handles at the ends") << 0 << 255 << Entries {{0, 0}, {255, 255}};
    QTest::newRow("lower handle 128: greys below 127 take 127")
        << 0 << 128 << Entries {{0, 127}, {126, 127}, {127, 127}, {128, 128}};
    QTest::newRow("upper handle 55: greys above 200 take 200")
        << 55 << 255 << Entries {{0, 0}, {200, 200}, {201, 200}, {255, 200}};
    QTest::newRow("both handles") << 10 << 250 << Entries {{3, 5}, {100, 100}, {250, 245}};
    QTest::newRow("handles together: one colour")
        << 100 << 100 << Entries {{0, 155}, {155, 155}, {255, 155}};
    // clang-format on
}

void tst_ColorMap::table()
{
    QFETCH(int, upper);
    QFETCH(int, lower);
    QFETCH(Entries, entries);
    const cv::Mat lut = ColorMap::colorTable(m_ramp, upper, lower);
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        QCOMPARE(tableColor(lut, it.key()), rampColor(it.value()));
}

void tst_ColorMap::bar_is_the_palette_top_down()
{
    const QImage bar = ColorMap::colorBar(m_ramp);
    QCOMPARE(bar.size(), QSize(30, 256));
    for (int row = 0; row < 256; ++row)
        for (int x = 0; x < 30; ++x)
            QCOMPARE(bar.pixel(x, row), rampColor(255 - row));
}

void tst_ColorMap::every_pixel_looked_up()
{
    QByteArray plane(240 * 320, '\0');
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            plane[y * 240 + x] = char((x + 3 * y) % 256);
    uchar *bytes = reinterpret_cast<uchar *>(plane.data());
    const cv::Mat lut = ColorMap::colorTable(m_ramp, 0, 128);
    cv::Mat coloured;
    ColorMap::colorize(MatImage::wrapGrey(bytes), lut, &coloured);
    const QImage picture = MatImage::rgbImage(coloured);
    const QImage grey = MatImage::greyImage(bytes);
    QCOMPARE(picture.size(), QSize(240, 320));
    QCOMPARE(grey.size(), QSize(240, 320));
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 240; ++x) {
            const int g = (x + 3 * y) % 256;
            QCOMPARE(picture.pixel(x, y), tableColor(lut, g));
            QCOMPARE(grey.pixel(x, y), qRgb(g, g, g));
        }
    }
    QVERIFY(MatImage::rgbImage(cv::Mat()).isNull());
    QVERIFY(MatImage::rgbImage(MatImage::wrapGrey(bytes)).isNull());
}

QTEST_GUILESS_MAIN(tst_ColorMap)
#include "tst_colormap.moc"
