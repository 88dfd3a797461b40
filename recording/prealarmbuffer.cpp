#include "recording/prealarmbuffer.h"

void PreAlarmBuffer::setSpan(qint64 spanUs)
{
    m_spanUs = spanUs;
    trim();
}

void PreAlarmBuffer::append(const QByteArray &bytes, qint64 timeUs)
{
    m_frames.push_back({bytes, timeUs});
    trim();
}

std::size_t PreAlarmBuffer::bytes() const
{
    std::size_t total = 0;
    for (const Frame &frame : m_frames)
        total += std::size_t(frame.bytes.size());
    return total;
}

void PreAlarmBuffer::trim()
{
    if (m_frames.empty())
        return;
    const qint64 oldest = m_frames.back().timeUs - m_spanUs;
    while (!m_frames.empty() && m_frames.front().timeUs <= oldest)
        m_frames.pop_front();
}
