#include "automation/dailyreadings.h"

#include <QDateTime>
#include <QDir>

DailyReadings::DailyReadings(const QString &folder)
    : m_folder(folder)
{
}

DailyReadings::~DailyReadings()
{
    flush();
}

void DailyReadings::append(qint64 timeMs, float maxTemp, float threshold, float emissivity)
{
    timeMs = qMax(timeMs, m_lastMs);
    m_lastMs = timeMs;
    const QDate day = QDateTime::fromMSecsSinceEpoch(timeMs).date();
    if (day != m_day) {
        flush();
        m_file.close();
        m_day = day;
    }
    m_csv.append(m_waiting, ReadingsCsv::reading(timeMs, maxTemp, threshold, emissivity));
}

bool DailyReadings::open(const QDate &day)
{
    QDir().mkpath(m_folder);
    m_file.setFileName(m_folder + QLatin1Char('/') + day.toString(QStringLiteral("yyyy-MM-dd"))
        + QStringLiteral(".csv"));
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        m_error = m_file.errorString();
        return false;
    }
    QByteArray start;
    if (m_file.size() == 0) {
        start = ReadingsCsv::Header;
    } else {
        char last = 0;
        if (m_file.seek(m_file.size() - 1) && m_file.getChar(&last) && last != '\n')
            start = "\n";
    }
    m_waiting.prepend(start);
    return true;
}

bool DailyReadings::flush()
{
    if (m_waiting.isEmpty())
        return true;
    bool written = m_file.isOpen() || open(m_day);
    if (written)
        written = m_file.write(m_waiting) == m_waiting.size();
    if (!written && m_error.isEmpty())
        m_error = m_file.errorString();
    if (written)
        m_error.clear();
    m_waiting.clear();
    return written;
}
