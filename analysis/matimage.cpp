#include "analysis/matimage.h"

#include "analysis/radiometricfile.h"

namespace MatImage {

cv::Mat wrapGrey(uchar *plane)
{
    return cv::Mat(Radiometric::Height, Radiometric::Width, CV_8UC1, plane,
                   std::size_t(Radiometric::Width));
}

QImage greyImage(const uchar *plane)
{
    return QImage(plane, Radiometric::Width, Radiometric::Height, Radiometric::Width,
                  QImage::Format_Grayscale8);
}

QImage rgbImage(const cv::Mat &rgb)
{
    if (rgb.empty() || rgb.type() != CV_8UC3)
        return QImage();
    return QImage(rgb.data, rgb.cols, rgb.rows, int(rgb.step), QImage::Format_RGB888);
}

} // namespace MatImage
