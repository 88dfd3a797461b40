// Writes the demo that Help -> Demo shows: a recording of a made-up session in which a hot
// spot warms past the alarm threshold once, and a folder of pictures of both imager models.
// Usage: vx305_makedemo <output folder>
#include "recording/recorder.h"
#include "recording/syntheticscene.h"

#include "picturefixture.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

#include <algorithm>
#include <cmath>

namespace {

constexpr int FramesPerSecond = 25;
constexpr int Seconds = 24;
constexpr float Threshold = 60.0f;

// A picture file of the scene as the imager stores it: grey levels over the scene's span
// under the iron palette.
QByteArray pictureFile(const SyntheticScene::Scene &scene, int model)
{
    PictureFixture p;
    p.model = model;
    for (int k = 0; k < 256; ++k) {
        const QRgb c = SyntheticScene::ironPalette()[std::size_t(k)];
        p.palette[std::size_t(k)] =
                quint16(((qRed(c) & 0xF8) << 8) | ((qGreen(c) & 0xFC) << 3) | (qBlue(c) >> 3));
    }
    const auto [low, high] = std::minmax_element(scene.temperatures.begin(), scene.temperatures.end());
    int lowAt = int(low - scene.temperatures.begin());
    int highAt = int(high - scene.temperatures.begin());
    for (int i = 0; i < 240 * 320; ++i)
        p.grey[i] = char(std::lround((scene.temperatures[std::size_t(i)] - *low) / (*high - *low) * 255));
    p.maxTemp = qint16(std::lround(*high * 10));
    p.minTemp = qint16(std::lround(*low * 10));
    p.maxGrey = 255;
    p.minGrey = 0;
    p.centreTemp = qint16(std::lround(scene.temperatures[160 * 240 + 120] * 10));
    p.emissivity = 95;
    // The VX300 keeps its markers in the turned frame of its grey plane.
    const bool turned = model == PictureFixture::VX300;
    const auto x = [&](int at) { return quint16(turned ? 239 - at % 240 : at % 240); };
    const auto y = [&](int at) { return quint16(turned ? 319 - at / 240 : at / 240); };
    p.lowX = x(lowAt);
    p.lowY = y(lowAt);
    p.highX = x(highAt);
    p.highY = y(highAt);
    return p.viewableBytes(SyntheticScene::colour(scene, *low, *high));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("demo");
    QDir().mkpath(out + QStringLiteral("/pictures/DCIM_100"));
    QDir().mkpath(out + QStringLiteral("/pictures/Images"));

    const QString recording = out + QStringLiteral("/Demo.mkv");
    Recorder recorder(nullptr, 0);
    if (!recorder.start(recording, QDateTime(QDate(2026, 3, 2), QTime(10, 15, 0)))) {
        fprintf(stderr, "cannot write %s: %s\n", qPrintable(recording),
                qPrintable(recorder.errorText()));
        return 1;
    }
    for (int k = 0; k < Seconds * FramesPerSecond; ++k) {
        const double t = double(k) / FramesPerSecond;
        const auto scene = SyntheticScene::scene(t, SyntheticScene::demoPeak(t), 0.15, unsigned(k));
        recorder.push(SyntheticScene::liveFrame(scene, Threshold, 0.95f), qint64(k) * 1000000 / FramesPerSecond);
    }
    recorder.finish();
    if (!recorder.errorText().isEmpty()) {
        fprintf(stderr, "%s: %s\n", qPrintable(recording), qPrintable(recorder.errorText()));
        return 1;
    }

    // Three moments of the session per model: before, while warming, at the hottest.
    const double moments[] = {3, 9, 14};
    for (int i = 0; i < 3; ++i) {
        const auto scene = SyntheticScene::scene(moments[i], SyntheticScene::demoPeak(moments[i]), 0.15,
                                                 unsigned(1000 + i));
        const QString name = QStringLiteral("/IMG_%1.bmp").arg(i + 1, 4, 10, QLatin1Char('0'));
        PictureFixture::writeBytes(out + QStringLiteral("/pictures/DCIM_100") + name,
                                   pictureFile(scene, PictureFixture::VX305));
        PictureFixture::writeBytes(out + QStringLiteral("/pictures/Images") + name,
                                   pictureFile(scene, PictureFixture::VX300));
    }
    return 0;
}
