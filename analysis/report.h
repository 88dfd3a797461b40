#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

#include <array>

class Analysis_Widget;
class QPainter;

// The A4 PDF report of an analysis window: page 1 with the file's information and the
// picture block (false-colour picture, overlay, colour bar and its scale), page 2 with the
// measurement table when tools exist. Positions are printer device units at high resolution.
namespace Report {

// The eleven scale labels from the top, one decimal: Dmax, Dmax - i * step for i 1-9,
// Dmin, with D = tenths / div + add and step = (Dmax - Dmin) / 10 in single precision.
[[nodiscard]] std::array<QString, 11> scaleLabels(qint16 maxTenths, qint16 minTenths, float div,
                                                  float add);
// The same from Dmax and Dmin already in the unit shown.
[[nodiscard]] std::array<QString, 11> scaleLabels(float dMax, float dMin);

// The painter scale of the picture block for a viewport width: trunc((w / 930) / 1.5).
[[nodiscard]] int blockScale(int viewportWidth);

// The overlay label's tools and markers at three times the picture's size, as the report's
// picture block draws them.
[[nodiscard]] QPixmap reportOverlay(Analysis_Widget *window);
// The 930 x 960 picture block in its own units at the painter's origin: the coloured picture
// with the overlay, the colour bar and its eleven labels for the span the window's scale shows.
void drawPictureBlock(QPainter &painter, Analysis_Widget *window, const QPixmap &overlay);

// The coloured picture with its tools and markers drawn over it as the report draws them, at
// scale times the picture's size. Null before a picture is loaded.
[[nodiscard]] QImage pictureWithOverlay(Analysis_Widget *window, int scale);

// Writes the report of the window to path. False, with nothing left behind, when the file
// cannot be written.
bool write(Analysis_Widget *window, const QString &path);

} // namespace Report
