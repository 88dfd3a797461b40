#include "recording/alarmclips.h"

#include "recording/recorder.h"

AlarmClips::AlarmClips(QObject *parent) : QObject(parent)
{
    m_buffer.setSpan(m_preUs);
}

AlarmClips::~AlarmClips()
{
    finishAll();
}

void AlarmClips::setWindow(int preSeconds, int postSeconds)
{
    m_preUs = qint64(preSeconds) * 1000000;
    m_postUs = qint64(postSeconds) * 1000000;
    m_buffer.setSpan(m_preUs);
}

void AlarmClips::frame(const QByteArray &bytes, qint64 timeUs)
{
    m_buffer.append(bytes, timeUs);
    for (auto it = m_clips.begin(); it != m_clips.end();) {
        if (timeUs <= it->endUs)
            it->recorder->push(bytes, timeUs);
        if (timeUs >= it->endUs || !it->recorder->isRecording()) {
            it->recorder->finish();
            const QString path = it->recorder->path();
            it = m_clips.erase(it);
            emit clipFinished(path);
        } else {
            ++it;
        }
    }
}

bool AlarmClips::startClip(const QString &path, qint64 alarmUs, const QDateTime &wallTime)
{
    // A clip is short: all of it may wait for the encoder.
    auto recorder = std::make_unique<Recorder>(nullptr, int((m_preUs + m_postUs) / 1000000) + 2);
    recorder->setCoder(m_coder);
    const qint64 from = alarmUs - m_preUs;
    const PreAlarmBuffer::Frame *first = nullptr;
    for (const PreAlarmBuffer::Frame &kept : m_buffer.frames()) {
        if (kept.timeUs > from) {
            first = &kept;
            break;
        }
    }
    const QDateTime start = first ? wallTime.addMSecs((first->timeUs - alarmUs) / 1000) : wallTime;
    if (!recorder->start(path, start))
        return false;
    for (const PreAlarmBuffer::Frame &kept : m_buffer.frames()) {
        if (kept.timeUs > from && kept.timeUs <= alarmUs + m_postUs)
            recorder->push(kept.bytes, kept.timeUs);
    }
    m_clips.push_back({std::move(recorder), alarmUs + m_postUs});
    return true;
}

void AlarmClips::finishAll()
{
    while (!m_clips.empty()) {
        m_clips.back().recorder->finish();
        const QString path = m_clips.back().recorder->path();
        m_clips.pop_back();
        emit clipFinished(path);
    }
}

void AlarmClips::clear()
{
    finishAll();
    m_buffer.clear();
}
