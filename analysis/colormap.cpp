#include "analysis/colormap.h"

#include <QColor>
#include <QPainter>
#include <QPen>

#include <opencv2/imgproc.hpp>

namespace ColorMap {

void fillColorTable(const Radiometric::Palette &palette, int upper, int lower, cv::Mat *lut)
{
    const int a = 255 - qBound(0, upper, 255);
    const int b = 255 - qBound(0, lower, 255);
    lut->create(256, 1, CV_8UC3);
    for (int i = 0; i < 256; ++i) {
        const int source = i > a ? a : i < b ? b : i;
        const Radiometric::PaletteEntry &entry = palette[std::size_t(source)];
        lut->at<cv::Vec3b>(i, 0) = cv::Vec3b(entry.red, entry.green, entry.blue);
    }
}

cv::Mat colorTable(const Radiometric::Palette &palette, int upper, int lower)
{
    cv::Mat lut;
    fillColorTable(palette, upper, lower, &lut);
    return lut;
}

QImage colorBar(const Radiometric::Palette &palette)
{
    QImage bar(BarWidth, BarHeight, QImage::Format_ARGB32_Premultiplied);
    bar.fill(Qt::transparent);
    QPainter painter(&bar);
    for (int i = 0; i < 256; ++i) {
        const Radiometric::PaletteEntry &entry = palette[std::size_t(i)];
        painter.setPen(QPen(QColor(entry.red, entry.green, entry.blue, 255)));
        painter.drawLine(0, 255 - i, BarWidth, 255 - i);
    }
    painter.end();
    return bar;
}

void colorize(const cv::Mat &grey, const cv::Mat &lut, cv::Mat *coloured)
{
    cv::applyColorMap(grey, *coloured, lut);
}

} // namespace ColorMap
