#pragma once

#include "inspection/analysisrecord.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>

class QThread;
class QWidget;

// The user's analyses in one SQLite database ("analyses.sqlite" in the per-user folder). The
// schema is versioned with PRAGMA user_version and migrated forward; the journal is a WAL and
// every change is one transaction, with a busy timeout, so two running instances share the
// file. Writes go to a thread of their own: saving never waits for the disk. A database that
// is damaged, or made by a newer version, is moved aside and a new one is made.
class AnalysisStore : public QObject
{
    Q_OBJECT

public:
    // The schema this build reads and writes.
    static constexpr int SchemaVersion = 1;

    // The store of the current per-user folder, opened on first use. When the folder has
    // changed since (another user folder in a test), that folder's store replaces it.
    [[nodiscard]] static AnalysisStore *shared();
    // The file name inside the per-user folder.
    [[nodiscard]] static QString defaultPath();

    explicit AnalysisStore(const QString &path, QObject *parent = nullptr);
    // Commits what is queued, then closes.
    ~AnalysisStore() override;

    // Opens the database, creating or migrating it; a damaged one is moved aside first. False
    // when no database can be used here (a folder that cannot be written, a lock held too
    // long): nothing is stored then.
    bool open();
    [[nodiscard]] bool isOpen() const { return m_open; }
    [[nodiscard]] QString path() const { return m_path; }
    // Where open() moved a damaged database, once; empty when it moved none.
    [[nodiscard]] QString takeMovedAside();
    // Tells the user, once, that open() moved a damaged database aside.
    void reportMovedAside(QWidget *parent);

    // The analysis of a picture, the newest one queued included. Call it from the thread that
    // opened the store.
    [[nodiscard]] std::optional<AnalysisRecord> lookup(const QByteArray &hash);
    // Queues the record; of several queued for one picture only the newest is written.
    void save(const AnalysisRecord &record);
    // Waits until everything queued so far is committed or has failed.
    void flush();
    // Analyses stored; -1 when the store is not open.
    [[nodiscard]] int count();

    // Every picture the store holds an analysis of.
    [[nodiscard]] QSet<QByteArray> hashes();

    // SHA-256 of bytes, and of a file's whole content (empty when it cannot be read).
    [[nodiscard]] static QByteArray hashOfBytes(const QByteArray &bytes);
    [[nodiscard]] static QByteArray hashOfFile(const QString &path);

signals:
    // From the writer thread, after the transaction of a picture's analysis was committed.
    void committed(const QByteArray &hash);
    // A picture's analysis that could not be written; the message says why, untranslated.
    void writeFailed(const QByteArray &hash, const QString &message);

private:
    enum class Check { Usable, Damaged, Unusable };
    [[nodiscard]] Check openReader();
    bool moveAside();
    void closeReader();
    void writerLoop();
    bool write(const QString &connection, const AnalysisRecord &record, QString *error);

    QString m_path;
    QString m_readerName;
    QString m_writerName;
    bool m_open = false;
    QString m_movedAside;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<QByteArray> m_queue;
    std::map<QByteArray, AnalysisRecord> m_pending;
    int m_writing = 0;
    bool m_stopping = false;
    QThread *m_writer = nullptr;
};
