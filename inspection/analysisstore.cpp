#include "inspection/analysisstore.h"

#include "app/configrecord.h"
#include "app/dialogs.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>

#include <openssl/evp.h>

#include <memory>
#include <utility>

namespace {

// Each entry takes the schema from the version before it to its own number.
const char *const Migrations[] = {
    // 1: analyses and their tools.
    "CREATE TABLE IF NOT EXISTS analyses ("
    " hash BLOB PRIMARY KEY NOT NULL, path TEXT NOT NULL, changed INTEGER NOT NULL,"
    " unit_index INTEGER NOT NULL, scale_start INTEGER NOT NULL, scale_end INTEGER NOT NULL,"
    " iso_mode INTEGER NOT NULL, iso_low REAL NOT NULL, iso_high REAL NOT NULL,"
    " iso_color INTEGER NOT NULL, title TEXT NOT NULL, location TEXT NOT NULL,"
    " note TEXT NOT NULL, reference_kind INTEGER NOT NULL, reference_celsius REAL NOT NULL,"
    " reference_tool TEXT NOT NULL, severity INTEGER NOT NULL, severity_set INTEGER NOT NULL"
    ") WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS tools ("
    " hash BLOB NOT NULL REFERENCES analyses(hash) ON DELETE CASCADE,"
    " position INTEGER NOT NULL, kind INTEGER NOT NULL, name TEXT NOT NULL,"
    " x1 INTEGER NOT NULL, y1 INTEGER NOT NULL, x2 INTEGER NOT NULL, y2 INTEGER NOT NULL,"
    " r INTEGER NOT NULL, color INTEGER NOT NULL, PRIMARY KEY (hash, position)"
    ") WITHOUT ROWID;",
};
static_assert(sizeof(Migrations) / sizeof(Migrations[0]) == AnalysisStore::SchemaVersion,
              "one migration per schema version");

// Another instance holding the write lock is waited for this long.
constexpr int BusyTimeoutMs = 5000;

std::unique_ptr<AnalysisStore> &sharedStore()
{
    static std::unique_ptr<AnalysisStore> store;
    return store;
}

QSqlDatabase connection(const QString &name, const QString &path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    return db;
}

// Texts are NOT NULL: a null string is stored as an empty one.
QVariant text(const QString &s)
{
    return s.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(s);
}

bool exec(QSqlDatabase &db, const QString &statement, QString *error = nullptr)
{
    QSqlQuery query(db);
    if (query.exec(statement))
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

// Every statement of a script, one by one: the driver runs one per call.
bool execScript(QSqlDatabase &db, const QString &script, QString *error)
{
    const QStringList statements = script.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &statement : statements) {
        if (!statement.trimmed().isEmpty() && !exec(db, statement, error))
            return false;
    }
    return true;
}

std::optional<qint64> pragma(QSqlDatabase &db, const char *name)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(name))) || !query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

// Settings of each connection: the journal itself is kept in the file.
bool configure(QSqlDatabase &db)
{
    return exec(db, QStringLiteral("PRAGMA foreign_keys = ON"))
            && exec(db, QStringLiteral("PRAGMA synchronous = FULL"));
}

bool migrate(QSqlDatabase &db, QString *error)
{
    // Immediate: two instances starting at once take turns instead of both creating.
    if (!exec(db, QStringLiteral("BEGIN IMMEDIATE"), error))
        return false;
    const std::optional<qint64> version = pragma(db, "user_version");
    bool ok = version.has_value();
    for (qint64 v = version.value_or(0); ok && v < AnalysisStore::SchemaVersion; ++v)
        ok = execScript(db, QLatin1String(Migrations[v]), error);
    if (ok && version.value_or(0) < AnalysisStore::SchemaVersion)
        ok = exec(db, QStringLiteral("PRAGMA user_version = %1").arg(AnalysisStore::SchemaVersion),
                  error);
    if (ok && exec(db, QStringLiteral("COMMIT"), error))
        return true;
    exec(db, QStringLiteral("ROLLBACK"));
    return false;
}

} // namespace

AnalysisStore *AnalysisStore::shared()
{
    std::unique_ptr<AnalysisStore> &store = sharedStore();
    const QString path = defaultPath();
    if (!store || store->path() != path) {
        if (!store && QCoreApplication::instance()) {
            // Before the application's end, while the database driver is still there.
            qAddPostRoutine([] { sharedStore().reset(); });
        }
        store.reset(new AnalysisStore(path));
        store->open();
    }
    return store.get();
}

QString AnalysisStore::defaultPath()
{
    return ConfigRecord::userFolder() + QStringLiteral("/analyses.sqlite");
}

AnalysisStore::AnalysisStore(const QString &path, QObject *parent)
    : QObject(parent),
      m_path(path),
      m_readerName(QStringLiteral("vx305-analyses-%1-reader").arg(quintptr(this))),
      m_writerName(QStringLiteral("vx305-analyses-%1-writer").arg(quintptr(this)))
{
}

AnalysisStore::~AnalysisStore()
{
    if (m_writer) {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        m_writer->wait();
        delete m_writer;
    }
    closeReader();
}

QString AnalysisStore::takeMovedAside()
{
    return std::exchange(m_movedAside, QString());
}

void AnalysisStore::reportMovedAside(QWidget *parent)
{
    const QString moved = takeMovedAside();
    if (!moved.isEmpty())
        Dialogs::instance()->information(
                parent, tr("提示"),
                tr("分析数据库已损坏或来自更新的版本，已移至：\n%1\n已新建一个数据库。")
                        .arg(QDir::toNativeSeparators(moved)));
}

bool AnalysisStore::open()
{
    if (m_open)
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    Check check = openReader();
    if (check == Check::Damaged) {
        closeReader();
        if (!moveAside())
            return false;
        check = openReader();
    }
    if (check != Check::Usable) {
        closeReader();
        return false;
    }
    m_open = true;
    m_writer = QThread::create([this] { writerLoop(); });
    m_writer->start();
    return true;
}

AnalysisStore::Check AnalysisStore::openReader()
{
    QSqlDatabase db = connection(m_readerName, m_path);
    if (!db.open()) {
        qDebug() << "分析数据库无法打开" << db.lastError().text();
        return Check::Unusable;
    }
    // A file that is not a database fails its first statement; a damaged one its check.
    const std::optional<qint64> version = pragma(db, "user_version");
    if (!version) {
        qDebug() << "分析数据库已损坏" << m_path;
        return Check::Damaged;
    }
    if (*version > SchemaVersion) {
        qDebug() << "分析数据库来自更新的版本" << *version;
        return Check::Damaged;
    }
    {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()
            || query.value(0).toString() != QLatin1String("ok")) {
            qDebug() << "分析数据库检查失败" << query.lastError().text();
            return Check::Damaged;
        }
    }
    QString error;
    if (!exec(db, QStringLiteral("PRAGMA journal_mode = WAL"), &error) || !configure(db)
        || !migrate(db, &error)) {
        qDebug() << "分析数据库无法准备" << error;
        return Check::Unusable;
    }
    return Check::Usable;
}

void AnalysisStore::closeReader()
{
    if (QSqlDatabase::contains(m_readerName)) {
        QSqlDatabase::database(m_readerName, false).close();
        QSqlDatabase::removeDatabase(m_readerName);
    }
}

bool AnalysisStore::moveAside()
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = m_path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = m_path + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(m_path, target))
        return false;
    // A journal left beside would be replayed into the new database.
    for (const char *suffix : { "-wal", "-shm" }) {
        const QString part = m_path + QLatin1String(suffix);
        if (QFileInfo::exists(part) && !QFile::rename(part, target + QLatin1String(suffix)))
            QFile::remove(part);
    }
    m_movedAside = target;
    return true;
}

std::optional<AnalysisRecord> AnalysisStore::lookup(const QByteArray &hash)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto pending = m_pending.find(hash);
        if (pending != m_pending.end())
            return pending->second;
    }
    if (!m_open)
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_readerName, false);
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
            "SELECT path, changed, unit_index, scale_start, scale_end, iso_mode, iso_low,"
            " iso_high, iso_color, title, location, note, reference_kind, reference_celsius,"
            " reference_tool, severity, severity_set FROM analyses WHERE hash = ?"));
    query.addBindValue(hash);
    if (!query.exec() || !query.next())
        return std::nullopt;
    AnalysisRecord r;
    r.hash = hash;
    r.path = query.value(0).toString();
    r.changed = QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong(), Qt::UTC);
    r.unitIndex = query.value(2).toInt();
    r.scaleStart = query.value(3).toInt();
    r.scaleEnd = query.value(4).toInt();
    r.isoMode = query.value(5).toInt();
    r.isoLow = query.value(6).toDouble();
    r.isoHigh = query.value(7).toDouble();
    r.isoColor = QRgb(query.value(8).toLongLong());
    r.finding.title = query.value(9).toString();
    r.finding.location = query.value(10).toString();
    r.finding.note = query.value(11).toString();
    r.finding.reference.kind = query.value(12).toInt();
    r.finding.reference.celsius = query.value(13).toDouble();
    r.finding.reference.tool = query.value(14).toString();
    r.finding.severity = query.value(15).toInt();
    r.finding.severitySet = query.value(16).toBool();

    QSqlQuery tools(db);
    tools.prepare(QStringLiteral("SELECT kind, name, x1, y1, x2, y2, r, color FROM tools"
                                 " WHERE hash = ? ORDER BY position"));
    tools.addBindValue(hash);
    if (tools.exec()) {
        while (tools.next()) {
            r.tools.push_back({ tools.value(0).toInt(), tools.value(1).toString(),
                                tools.value(2).toInt(), tools.value(3).toInt(),
                                tools.value(4).toInt(), tools.value(5).toInt(),
                                tools.value(6).toInt(), QRgb(tools.value(7).toLongLong()) });
        }
    }
    return r;
}

void AnalysisStore::save(const AnalysisRecord &record)
{
    if (!m_open || record.hash.isEmpty())
        return;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_pending.find(record.hash) == m_pending.end())
            m_queue.push_back(record.hash);
        m_pending[record.hash] = record;
    }
    m_wake.notify_one();
}

void AnalysisStore::flush()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_writer || (m_queue.empty() && m_writing == 0); });
}

int AnalysisStore::count()
{
    if (!m_open)
        return -1;
    QSqlQuery query(QSqlDatabase::database(m_readerName, false));
    if (!query.exec(QStringLiteral("SELECT count(*) FROM analyses")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

void AnalysisStore::writerLoop()
{
    {
        QSqlDatabase db = connection(m_writerName, m_path);
        const bool ready = db.open() && configure(db);
        for (;;) {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_queue.empty())
                break;
            const QByteArray hash = m_queue.front();
            m_queue.pop_front();
            const AnalysisRecord record = m_pending[hash];
            m_pending.erase(hash);
            ++m_writing;
            lock.unlock();

            QString error = db.lastError().text();
            if (ready && write(m_writerName, record, &error))
                emit committed(hash);
            else
                emit writeFailed(hash, error);

            lock.lock();
            --m_writing;
            m_idle.notify_all();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(m_writerName);
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_idle.notify_all();
}

bool AnalysisStore::write(const QString &connectionName, const AnalysisRecord &r, QString *error)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (!exec(db, QStringLiteral("BEGIN IMMEDIATE"), error))
        return false;
    QSqlQuery analysis(db);
    analysis.prepare(QStringLiteral(
            "INSERT INTO analyses (hash, path, changed, unit_index, scale_start, scale_end,"
            " iso_mode, iso_low, iso_high, iso_color, title, location, note, reference_kind,"
            " reference_celsius, reference_tool, severity, severity_set)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
            " ON CONFLICT (hash) DO UPDATE SET path = excluded.path, changed = excluded.changed,"
            " unit_index = excluded.unit_index, scale_start = excluded.scale_start,"
            " scale_end = excluded.scale_end, iso_mode = excluded.iso_mode,"
            " iso_low = excluded.iso_low, iso_high = excluded.iso_high,"
            " iso_color = excluded.iso_color, title = excluded.title,"
            " location = excluded.location, note = excluded.note,"
            " reference_kind = excluded.reference_kind,"
            " reference_celsius = excluded.reference_celsius,"
            " reference_tool = excluded.reference_tool, severity = excluded.severity,"
            " severity_set = excluded.severity_set"));
    const Finding &f = r.finding;
    for (const QVariant &value :
         { QVariant(r.hash), text(r.path), QVariant(r.changed.toMSecsSinceEpoch()),
           QVariant(r.unitIndex), QVariant(r.scaleStart), QVariant(r.scaleEnd),
           QVariant(r.isoMode), QVariant(r.isoLow), QVariant(r.isoHigh),
           QVariant(qint64(r.isoColor)), text(f.title), text(f.location), text(f.note),
           QVariant(f.reference.kind), QVariant(f.reference.celsius), text(f.reference.tool),
           QVariant(f.severity), QVariant(f.severitySet) })
        analysis.addBindValue(value);
    bool ok = analysis.exec();
    QSqlQuery removeTools(db);
    removeTools.prepare(QStringLiteral("DELETE FROM tools WHERE hash = ?"));
    removeTools.addBindValue(r.hash);
    ok = ok && removeTools.exec();
    QSqlQuery tool(db);
    tool.prepare(QStringLiteral("INSERT INTO tools (hash, position, kind, name, x1, y1, x2, y2,"
                                " r, color) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (std::size_t i = 0; ok && i < r.tools.size(); ++i) {
        const StoredTool &t = r.tools[i];
        for (const QVariant &value :
             { QVariant(r.hash), QVariant(qint64(i)), QVariant(t.kind), text(t.name),
               QVariant(t.x1), QVariant(t.y1), QVariant(t.x2), QVariant(t.y2), QVariant(t.r),
               QVariant(qint64(t.color)) })
            tool.addBindValue(value);
        ok = tool.exec();
    }
    if (ok && exec(db, QStringLiteral("COMMIT"), error))
        return true;
    for (const QSqlQuery *failed : { &analysis, &removeTools, &tool }) {
        if (failed->lastError().isValid())
            *error = failed->lastError().text();
    }
    exec(db, QStringLiteral("ROLLBACK"));
    return false;
}

QSet<QByteArray> AnalysisStore::hashes()
{
    QSet<QByteArray> all;
    if (!m_open)
        return all;
    QSqlQuery query(QSqlDatabase::database(m_readerName, false));
    if (query.exec(QStringLiteral("SELECT hash FROM analyses"))) {
        while (query.next())
            all.insert(query.value(0).toByteArray());
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto &pending : m_pending)
        all.insert(pending.first);
    return all;
}

namespace {

class Sha256
{
public:
    Sha256() : m_context(EVP_MD_CTX_new())
    {
        m_ok = m_context && EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr) == 1;
    }
    ~Sha256() { EVP_MD_CTX_free(m_context); }
    Sha256(const Sha256 &) = delete;
    Sha256 &operator=(const Sha256 &) = delete;

    void add(const char *data, qint64 size)
    {
        m_ok = m_ok && EVP_DigestUpdate(m_context, data, std::size_t(size)) == 1;
    }
    QByteArray result()
    {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int length = 0;
        if (!m_ok || EVP_DigestFinal_ex(m_context, digest, &length) != 1)
            return QByteArray();
        return QByteArray(reinterpret_cast<const char *>(digest), int(length));
    }

private:
    EVP_MD_CTX *m_context;
    bool m_ok = false;
};

} // namespace

QByteArray AnalysisStore::hashOfBytes(const QByteArray &bytes)
{
    Sha256 sha;
    sha.add(bytes.constData(), bytes.size());
    return sha.result();
}

QByteArray AnalysisStore::hashOfFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    Sha256 sha;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 read = file.read(chunk.data(), chunk.size());
        if (read < 0)
            return QByteArray();
        if (read == 0)
            break;
        sha.add(chunk.constData(), read);
    }
    return sha.result();
}
