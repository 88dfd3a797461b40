#pragma once

#include <QImage>

#include <opencv2/core.hpp>

// The one place where picture memory is shared between OpenCV matrices and QImages. Nothing
// here copies: the results stay valid only while the memory they wrap lives and is not
// reallocated.
namespace MatImage {

// The 76 800-byte grey plane (240 per row) as 320 rows x 240 columns, CV_8UC1, step 240.
[[nodiscard]] cv::Mat wrapGrey(uchar *plane);

// The same plane as a 240 x 320 8-bit greyscale picture, read-only.
[[nodiscard]] QImage greyImage(const uchar *plane);

// A CV_8UC3 matrix whose channels are red, green, blue as a 24-bit RGB picture of the
// matrix's size and row step, read-only. A null picture for any other matrix type.
[[nodiscard]] QImage rgbImage(const cv::Mat &rgb);

} // namespace MatImage
