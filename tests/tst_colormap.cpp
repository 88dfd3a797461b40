#include "analysis/colormap.h"
#include "analysis/matimage.h"

#include <QtTest>

#include <opencv2/core.hpp>

using namespace Radiometric;

namespace {

// Every entry different and recognisable: entry k is (k, 255 - k, k / 2).
QRgb rampColor(int k)
{
    return qRgb(k, 255 - k, k / 2);
}

} // namespace

class tst_ColorMap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void every_pixel_data();
    void every_pixel();
    void bar_is_the_palette_top_down();

private:
    Palette m_ramp;
};

void tst_ColorMap::initTestCase()
{
    for (int k = 0; k < 256; ++k)
        m_ramp[std::size_t(k)] = {quint8(k), quint8(255 - k), quint8(k / 2)};
}

void tst_ColorMap::every_pixel_data()
{
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");
    QTest::newRow("handles at the ends: the palette") << 0 << 255;
    QTest::newRow("upper 55, lower 128: greys above 200 take 200, below 127 take 127") << 55 << 128;
    QTest::newRow("handles together: one colour") << 100 << 100;
}

void tst_ColorMap::every_pixel()
{
    QFETCH(int, upper);
    QFETCH(int, lower);
    QByteArray plane(240 * 320, '\0');
    for (int i = 0; i < plane.size(); ++i)
        plane[i] = char((i % 240 + 3 * (i / 240)) % 256); // x + 3y at (x, y)
    uchar *bytes = reinterpret_cast<uchar *>(plane.data());
    cv::Mat coloured;
    ColorMap::colorize(
        MatImage::wrapGrey(bytes), ColorMap::colorTable(m_ramp, upper, lower), &coloured);
    const QImage picture = MatImage::rgbImage(coloured);
    const QImage grey = MatImage::greyImage(bytes);
    QCOMPARE(picture.size(), QSize(240, 320));
    QCOMPARE(grey.size(), QSize(240, 320));
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 240; ++x) {
            const int g = (x + 3 * y) % 256;
            QCOMPARE(picture.pixel(x, y), rampColor(qBound(255 - lower, g, 255 - upper)));
            QCOMPARE(grey.pixel(x, y), qRgb(g, g, g));
        }
    }
    QVERIFY(MatImage::rgbImage(cv::Mat()).isNull());
    QVERIFY(MatImage::rgbImage(MatImage::wrapGrey(bytes)).isNull());
}

void tst_ColorMap::bar_is_the_palette_top_down()
{
    const QImage bar = ColorMap::colorBar(m_ramp);
    QCOMPARE(bar.size(), QSize(30, 256));
    for (int row = 0; row < 256; ++row)
        for (int x = 0; x < 30; ++x)
            QCOMPARE(bar.pixel(x, row), rampColor(255 - row));
}

QTEST_GUILESS_MAIN(tst_ColorMap)
#include "tst_colormap.moc"
