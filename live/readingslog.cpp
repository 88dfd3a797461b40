#include "live/readingslog.h"

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>

#include <algorithm>
#include <limits>

namespace {

// A reading in units of 1/scale, rounded, within what a 16-bit frame word carries. The
// words the surface divided give back exactly the word.
quint16 units(float value, double scale)
{
    const double u = double(value) * scale;
    if (!(u > 0))
        return 0;
    if (u >= 65535)
        return 65535;
    return quint16(u + 0.5);
}

qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - (a % b < 0 ? 1 : 0);
}

void appendDigits(QByteArray &out, int value, int digits)
{
    char text[8];
    for (int i = digits - 1; i >= 0; --i, value /= 10)
        text[i] = char('0' + value % 10);
    out.append(text, digits);
}

} // namespace

ReadingsLog::ReadingsLog(std::size_t capacity)
    : m_capacity(std::max<std::size_t>(capacity, 1))
{
}

void ReadingsLog::append(qint64 time, float maxTemp, float threshold, float emissivity)
{
    if (!m_readings.empty())
        time = std::max(time, m_readings.back().time);
    if (m_readings.size() == m_capacity) {
        m_readings.pop_front();
        if (m_windowStart > 0)
            --m_windowStart;
    }
    m_readings.push_back(ReadingsCsv::reading(time, maxTemp, threshold, emissivity));
    ++m_appended;
    // Each reading leaves the window once, so this stays O(1) per reading on average.
    while (m_readings[m_windowStart].time <= time - WindowMs)
        ++m_windowStart;
}

QVector<AlarmPeriod> ReadingsLog::alarmPeriods() const
{
    QVector<AlarmPeriod> periods;
    bool inAlarm = false;
    for (std::size_t i = m_windowStart; i < m_readings.size(); ++i) {
        const Reading &r = m_readings[i];
        if (r.alarm() && !inAlarm)
            periods.append({r.time, r.time});
        else if (inAlarm)
            periods.last().end = r.time;
        inAlarm = r.alarm();
    }
    return periods;
}

QVector<QPointF> ReadingsLog::maxPoints(qint64 binMs) const
{
    QVector<QPointF> points;
    std::size_t lo = m_windowStart, hi = m_windowStart;
    const auto flush = [&] {
        const std::size_t first = std::min(lo, hi), second = std::max(lo, hi);
        points.append({qreal(m_readings[first].time), m_readings[first].maxTenths / 10.0});
        if (second != first)
            points.append({qreal(m_readings[second].time), m_readings[second].maxTenths / 10.0});
    };
    for (std::size_t i = m_windowStart; i < m_readings.size(); ++i) {
        const Reading &r = m_readings[i];
        if (floorDiv(r.time, binMs) != floorDiv(m_readings[lo].time, binMs)) {
            flush();
            lo = hi = i;
        }
        if (r.maxTenths < m_readings[lo].maxTenths)
            lo = i;
        if (r.maxTenths > m_readings[hi].maxTenths)
            hi = i;
    }
    if (windowSize() > 0)
        flush();
    return points;
}

QVector<QPointF> ReadingsLog::thresholdPoints() const
{
    QVector<QPointF> points;
    for (std::size_t i = m_windowStart; i < m_readings.size(); ++i) {
        const Reading &r = m_readings[i];
        if (i == m_windowStart) {
            points.append({qreal(r.time), r.thresholdTenths / 10.0});
        } else if (r.thresholdTenths != m_readings[i - 1].thresholdTenths) {
            points.append({qreal(r.time), m_readings[i - 1].thresholdTenths / 10.0});
            points.append({qreal(r.time), r.thresholdTenths / 10.0});
        }
    }
    if (windowSize() > 1)
        points.append({qreal(m_readings.back().time), m_readings.back().thresholdTenths / 10.0});
    return points;
}

ReadingsCsv::ReadingsCsv() : m_minute(std::numeric_limits<qint64>::min()) { }

void ReadingsCsv::moveTo(qint64 minute)
{
    m_minute = minute;
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(minute * 60000, Qt::LocalTime);
    m_prefix = local.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:")).toLatin1();
    const int seconds = local.offsetFromUtc();
    m_offset = seconds < 0 ? "-" : "+";
    appendDigits(m_offset, qAbs(seconds) / 3600, 2);
    m_offset += ':';
    appendDigits(m_offset, qAbs(seconds) / 60 % 60, 2);
}

void ReadingsCsv::append(QByteArray &text, const Reading &r)
{
    const qint64 minute = floorDiv(r.time, 60000);
    if (minute != m_minute)
        moveTo(minute);
    const int inMinute = int(r.time - minute * 60000);
    text += m_prefix;
    appendDigits(text, inMinute / 1000, 2);
    text += '.';
    appendDigits(text, inMinute % 1000, 3);
    text += m_offset;
    text += ',';
    text += QByteArray::number(r.maxTenths / 10);
    text += '.';
    appendDigits(text, r.maxTenths % 10, 1);
    text += ',';
    text += QByteArray::number(r.thresholdTenths / 10);
    text += '.';
    appendDigits(text, r.thresholdTenths % 10, 1);
    text += ',';
    text += QByteArray::number(r.emissivityHundredths / 100);
    text += '.';
    appendDigits(text, r.emissivityHundredths % 100, 2);
    text += '\n';
}

Reading ReadingsCsv::reading(qint64 time, float maxTemp, float threshold, float emissivity)
{
    return {time, units(maxTemp, 10), units(threshold, 10), units(emissivity, 100)};
}

bool ReadingsLog::writeCsv(QIODevice &device) const
{
    constexpr int Flush = 1 << 16;
    QByteArray text(ReadingsCsv::Header);
    text.reserve(Flush + 64);
    ReadingsCsv csv;
    for (const Reading &r : m_readings) {
        csv.append(text, r);
        if (text.size() >= Flush) {
            if (device.write(text) != text.size())
                return false;
            text.resize(0); // keeps the reserved block
        }
    }
    return device.write(text) == text.size();
}
