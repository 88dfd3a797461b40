#include "analysis/colormap.h"
#include "analysis/matimage.h"

#include <QtTest>

#include <opencv2/core.hpp>

class tst_ColorMap : public QObject
{
    Q_OBJECT

    // Every palette entry different and recognisable: entry k is (k, 255 - k, k / 2).
    static QRgb ramp(int k) { return qRgb(k, 255 - k, k / 2); }

private slots:
    void every_pixel_and_the_bar_data()
    {
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("lower");
        QTest::newRow("handles at the ends: the palette") << 0 << 255;
        QTest::newRow("upper 55, lower 128: greys above 200 take 200, below 127 take 127")
            << 55 << 128;
        QTest::newRow("handles together: one colour") << 100 << 100;
    }

    void every_pixel_and_the_bar()
    {
        QFETCH(int, upper);
        QFETCH(int, lower);
        Radiometric::Palette palette;
        for (int k = 0; k < 256; ++k)
            palette[std::size_t(k)] = {quint8(k), quint8(255 - k), quint8(k / 2)};
        QByteArray plane(240 * 320, '\0');
        for (int i = 0; i < plane.size(); ++i)
            plane[i] = char((i % 240 + 3 * (i / 240)) % 256); // x + 3y at (x, y)
        uchar *grey = reinterpret_cast<uchar *>(plane.data());
        cv::Mat coloured;
        ColorMap::colorize(
            MatImage::wrapGrey(grey), ColorMap::colorTable(palette, upper, lower), &coloured);
        const QImage picture = MatImage::rgbImage(coloured);
        QCOMPARE(picture.size(), QSize(240, 320));
        for (int y = 0; y < 320; ++y) {
            for (int x = 0; x < 240; ++x) {
                const int g = (x + 3 * y) % 256;
                QCOMPARE(picture.pixel(x, y), ramp(qBound(255 - lower, g, 255 - upper)));
                QCOMPARE(MatImage::greyImage(grey).pixel(x, y), qRgb(g, g, g));
            }
        }
        // The bar is the whole palette whatever the handles, entry 255 on top.
        const QImage bar = ColorMap::colorBar(palette);
        QCOMPARE(bar.size(), QSize(30, 256));
        for (int row = 0; row < 256; ++row)
            for (int x = 0; x < 30; ++x)
                QCOMPARE(bar.pixel(x, row), ramp(255 - row));
    }
};

QTEST_GUILESS_MAIN(tst_ColorMap)
#include "tst_colormap.moc"
