#pragma once

#include <QByteArray>
#include <QPointF>
#include <QVector>
#include <QtGlobal>

#include <cstddef>
#include <deque>

class QIODevice;

// One frame's readings in the imager's own units, so they print exactly as the readouts
// show them.
struct Reading
{
    qint64 time = 0; // milliseconds since the epoch
    quint16 maxTenths = 0;
    quint16 thresholdTenths = 0;
    quint16 emissivityHundredths = 0;

    // The alarm monitor's rule: a maximum equal to the threshold is an alarm.
    [[nodiscard]] bool alarm() const { return maxTenths >= thresholdTenths; }
};

// An alarm period of the trend, in milliseconds since the epoch: from its first reading at
// or above the threshold to the first reading below it (or to the newest reading).
struct AlarmPeriod
{
    qint64 start = 0;
    qint64 end = 0;
    bool operator==(const AlarmPeriod &o) const { return start == o.start && end == o.end; }
};

// Readings as the lines of the readings CSV: "2026-12-07T14:03:21.250+01:00,36.2,34.0,0.97\n",
// local time with milliseconds and the offset, numbers with a "." and one, one and two
// decimals. The time zone is looked up once a minute of readings (offsets are whole minutes
// in every zone of our time), so a day of readings costs 1,440 lookups.
class ReadingsCsv
{
public:
    static constexpr const char *Header = "time,max,threshold,emissivity\n";
    ReadingsCsv();
    // Appends the reading's line to `text`.
    void append(QByteArray &text, const Reading &reading);
    // The readings as the surface emits them (degrees, emissivity), clamped to what the
    // frame's 16-bit words can carry.
    [[nodiscard]] static Reading reading(qint64 time, float maxTemp, float threshold,
                                         float emissivity);

private:
    void moveTo(qint64 minute);
    qint64 m_minute;
    QByteArray m_prefix; // "2026-12-07T14:03:"
    QByteArray m_offset; // "+01:00"
};

// The readings of one live session. Every reading is kept, up to a capacity beyond which
// the oldest go; the trend's window is the last ten minutes of them. Appending is O(1)
// and allocates at most one small block.
class ReadingsLog
{
public:
    static constexpr qint64 WindowMs = 10 * 60 * 1000;
    // 2^23 readings of 16 bytes (128 MiB): close to four days at 25 frames a second.
    static constexpr std::size_t DefaultCapacity = std::size_t(1) << 23;

    explicit ReadingsLog(std::size_t capacity = DefaultCapacity);

    // The readings as the surface emits them (degrees, emissivity); values outside what
    // the frame's 16-bit words can carry are clamped to it. A time before the newest
    // reading's is taken as the newest's, so the log never goes back in time.
    void append(qint64 time, float maxTemp, float threshold, float emissivity);

    [[nodiscard]] std::size_t size() const { return m_readings.size(); }
    [[nodiscard]] const Reading &at(std::size_t i) const { return m_readings[i]; }
    // Counts every reading ever appended, dropped ones too: tells a drawer what is new.
    [[nodiscard]] quint64 appended() const { return m_appended; }

    // The window: the readings of the ten minutes up to the newest, i.e. those later than
    // the newest reading's time minus WindowMs. Indices into at().
    [[nodiscard]] std::size_t windowStart() const { return m_windowStart; }
    [[nodiscard]] std::size_t windowSize() const { return size() - m_windowStart; }

    // The window's alarm periods, oldest first.
    [[nodiscard]] QVector<AlarmPeriod> alarmPeriods() const;
    // The window's maximum temperatures in degrees against time, thinned to the lowest and
    // the highest reading of each binMs-long bin, in the order they came.
    [[nodiscard]] QVector<QPointF> maxPoints(qint64 binMs) const;
    // The window's threshold in degrees against time, as steps: a point at the first and
    // the newest reading and two at every change.
    [[nodiscard]] QVector<QPointF> thresholdPoints() const;

    // Writes every kept reading as CSV: the header "time,max,threshold,emissivity", then
    // one line per reading (ReadingsCsv). False when the device refused a write.
    bool writeCsv(QIODevice &device) const;

private:
    std::deque<Reading> m_readings;
    std::size_t m_windowStart = 0;
    std::size_t m_capacity;
    quint64 m_appended = 0;
};
