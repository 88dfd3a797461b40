#pragma once

#include "live/readingslog.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>

// The monitor's readings log: every reading, in one CSV file a local day,
// "<folder>/yyyy-MM-dd.csv", with the columns and lines of the live window's readings CSV.
// Lines wait in memory and go out whole, in one write, at flush(): the file ends with a whole
// line however the program ends. A file that exists already is continued (after a line end, should
// its last line have been cut by a power failure).
class DailyReadings
{
public:
    explicit DailyReadings(const QString &folder);
    ~DailyReadings();
    DailyReadings(const DailyReadings &) = delete;
    DailyReadings &operator=(const DailyReadings &) = delete;

    // A reading at `timeMs` (milliseconds since the epoch); a time before the previous
    // reading's is taken as that one's. A new local day writes what waits and opens its file.
    void append(qint64 timeMs, float maxTemp, float threshold, float emissivity);
    // Writes what waits; false with errorText() when the file could not be opened or written
    // (the lines are then dropped, so memory stays bounded).
    bool flush();
    [[nodiscard]] QString path() const { return m_file.fileName(); }
    [[nodiscard]] QString errorText() const { return m_error; }

private:
    bool open(const QDate &day);

    QString m_folder;
    QFile m_file;
    QDate m_day;
    QByteArray m_waiting;
    ReadingsCsv m_csv;
    qint64 m_lastMs = 0;
    QString m_error;
};
