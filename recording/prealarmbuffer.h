#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <deque>

// The last seconds of live frames, bounded by time: a frame older than the span before the
// newest is let go. The frames' bytes are shared with the signal that brought them.
class PreAlarmBuffer
{
public:
    struct Frame
    {
        QByteArray bytes;
        qint64 timeUs;
    };

    explicit PreAlarmBuffer(qint64 spanUs = 0) : m_spanUs(spanUs) { }

    // Keeps frames later than the newest minus `spanUs`.
    void setSpan(qint64 spanUs);
    void append(const QByteArray &bytes, qint64 timeUs);
    void clear() { m_frames.clear(); }

    [[nodiscard]] const std::deque<Frame> &frames() const { return m_frames; }
    // The bytes of frame data held.
    [[nodiscard]] std::size_t bytes() const;

private:
    void trim();

    std::deque<Frame> m_frames;
    qint64 m_spanUs;
};
