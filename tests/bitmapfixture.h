#pragma once

// Picture files as the imager writes them: a real bitmap a viewer can show in front of the
// radiometric payload of PictureFixture. The VX305 carries a 24-bit bitmap (54-byte
// header, 230 400 pixel bytes), the VX300 a 16-bit one whose pixels start at byte 57.

#include "picturefixture.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace BitmapFixture {

inline void put32(QByteArray *bytes, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        (*bytes)[at + i] = char((v >> (8 * i)) & 0xFF);
}

inline void put16(QByteArray *bytes, int at, quint16 v)
{
    (*bytes)[at] = char(v & 0xFF);
    (*bytes)[at + 1] = char(v >> 8);
}

// The fixture's bytes with a 240 x 320 bitmap of one grey shade over its viewable part.
inline QByteArray viewableBytes(const PictureFixture &fixture, quint8 shade)
{
    QByteArray bytes = fixture.bytes();
    const bool vx300 = fixture.model == PictureFixture::VX300;
    const int bitsPerPixel = vx300 ? 16 : 24;
    const int pixelOffset = vx300 ? 57 : 54;
    const int pixelBytes = 240 * 320 * bitsPerPixel / 8;
    Q_ASSERT(pixelOffset + pixelBytes == fixture.greyOffset());

    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(&bytes, 2, quint32(bytes.size()));
    put32(&bytes, 6, 0);
    put32(&bytes, 10, quint32(pixelOffset));
    put32(&bytes, 14, 40);
    put32(&bytes, 18, 240);
    put32(&bytes, 22, 320);
    put16(&bytes, 26, 1);
    put16(&bytes, 28, quint16(bitsPerPixel));
    put32(&bytes, 30, 0);
    put32(&bytes, 34, quint32(pixelBytes));
    put32(&bytes, 38, 2835);
    put32(&bytes, 42, 2835);
    put32(&bytes, 46, 0);
    put32(&bytes, 50, 0);
    for (int i = 54; i < pixelOffset; ++i)
        bytes[i] = 0;
    if (vx300) {
        const quint16 word = quint16(((shade >> 3) << 10) | ((shade >> 3) << 5) | (shade >> 3));
        for (int i = pixelOffset; i < pixelOffset + pixelBytes; i += 2)
            put16(&bytes, i, word);
    } else {
        for (int i = pixelOffset; i < pixelOffset + pixelBytes; ++i)
            bytes[i] = char(shade);
    }
    return bytes;
}

// Writes a valid picture of the model, viewable and parseable, to path.
inline bool writePicture(const QString &path, int model, quint8 shade = 128)
{
    PictureFixture fixture;
    fixture.model = model;
    for (int i = 0; i < 240 * 320; ++i)
        fixture.grey[i] = char(i % 256);
    return PictureFixture::writeBytes(path, viewableBytes(fixture, shade));
}

} // namespace BitmapFixture
