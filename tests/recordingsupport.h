#pragma once

// Frames for the recording tests: noisy pictures that FFV1 cannot shrink much, each
// numbered in its trailer, and a replay that collects what the surface emits.

#include "live/liveframe.h"
#include "live/qtcameracapture.h"
#include "recording/replaystream.h"

#include <QByteArray>
#include <QSignalSpy>
#include <QVector>

#include <random>

// Frame k: a picture of its own, then the words k, 340 and 97 (the word 65535 for k = 1).
inline QByteArray numberedFrame(int k, bool withTrailer = true)
{
    QByteArray frame(int(LiveFrame::PictureBytes), Qt::Uninitialized);
    std::mt19937 noise(unsigned(k) * 7919u + 1u);
    for (int i = 0; i < frame.size(); ++i)
        frame[i] = char(((i / 480 + k) & 0xC0) | (noise() & 0x3F));
    if (!withTrailer)
        return frame;
    for (const int word : {k == 1 ? 65535 : k, 340, 97})
        frame.append(char(word & 0xFF)).append(char(word >> 8));
    return frame;
}

struct ReplayedFrames
{
    QVector<QByteArray> frames;
    QVector<qint64> times;
    QVector<float> readings;
    int pictures = 0;
    bool failed = false; // the replay reported an error instead of reaching the end
};

// Plays a recording as fast as it decodes and collects every frame the surface emits.
inline ReplayedFrames replayAll(const QString &path)
{
    ReplayedFrames out;
    QtCameraCapture surface;
    surface.setRawFramesWanted(true);
    QObject::connect(&surface, &QtCameraCapture::rawFrame, [&](const QByteArray &f, qint64 t) {
        out.frames << f;
        out.times << t;
    });
    QObject::connect(&surface, &QtCameraCapture::display_Qimage, [&] { ++out.pictures; });
    QObject::connect(&surface, &QtCameraCapture::Send_MaxTemp,
                     [&](float m, float w, float e) { out.readings << m << w << e; });
    ReplayStream replay(path, &surface);
    QSignalSpy finished(&replay, &ReplayStream::finished);
    QSignalSpy failed(&replay, &CameraStream::failed);
    replay.setSpeed(1e6);
    replay.start();
    for (int i = 0; i < 200 && finished.isEmpty() && failed.isEmpty(); ++i)
        finished.wait(100);
    out.failed = !failed.isEmpty();
    return out;
}
