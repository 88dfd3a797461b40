#pragma once

// A synthetic radiometric picture for screenshots and benchmarks: two warm spots on a
// cool background under an iron-like palette.

#include "picturefixture.h"

#include <cmath>

inline quint16 rgb565(int r, int g, int b)
{
    return quint16(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
}

inline PictureFixture demoPicture(int model = PictureFixture::VX305)
{
    PictureFixture picture;
    picture.model = model;
    for (int k = 0; k < 256; ++k) {
        const double t = k / 255.0;
        const int r = int(255 * std::min(1.0, t * 1.6));
        const int g = int(255 * std::max(0.0, std::min(1.0, (t - 0.35) * 1.7)));
        const int b = int(255 * std::max(0.0, t < 0.3 ? 0.2 + t * 1.5 : 0.65 - (t - 0.3) * 1.6) + (t > 0.85 ? (t - 0.85) * 1200 : 0));
        picture.palette[std::size_t(k)] = rgb565(r, g, std::min(255, std::max(0, b)));
    }
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 240; ++x) {
            const double a = std::exp(-(std::pow(x - 80, 2) + std::pow(y - 110, 2)) / 1800.0);
            const double c = std::exp(-(std::pow(x - 170, 2) + std::pow(y - 230, 2)) / 900.0);
            const double v = 30 + 200 * a + 150 * c + 10 * std::sin(x / 9.0) * std::cos(y / 11.0);
            picture.setPixel(x, y, quint8(std::max(0.0, std::min(255.0, v))));
        }
    }
    picture.maxTemp = 652;
    picture.minTemp = 183;
    picture.maxGrey = 230;
    picture.minGrey = 20;
    picture.centreTemp = 305;
    picture.lowX = 10;
    picture.lowY = 300;
    picture.highX = 80;
    picture.highY = 110;
    if (model == PictureFixture::VX300) {
        // The VX300 stores its markers in the turned frame of its grey plane.
        for (quint16 *v : { &picture.lowX, &picture.highX, &picture.centreX })
            *v = quint16(239 - *v);
        for (quint16 *v : { &picture.lowY, &picture.highY, &picture.centreY })
            *v = quint16(319 - *v);
    }
    return picture;
}
