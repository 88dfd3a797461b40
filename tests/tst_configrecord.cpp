#include "app/configrecord.h"
#include "app/startup.h"
#include "testsupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

#include <memory>

namespace {

// Reference serialisation written out by hand: length word, then UTF-16BE.
QByteArray streamBytes(const QString &text)
{
    QByteArray out;
    const quint32 length = quint32(text.size()) * 2;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((length >> shift) & 0xFF));
    for (const QChar c : text) {
        out.append(char(c.unicode() >> 8));
        out.append(char(c.unicode() & 0xFF));
    }
    return out;
}

QByteArray fileBytes()
{
    QFile file(ConfigRecord::filePath());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void putFileBytes(const QByteArray &bytes)
{
    QDir().mkpath(ConfigRecord::userFolder());
    QFile file(ConfigRecord::filePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class tst_ConfigRecord : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<TemporaryHome>(); }
    void cleanup() { m_home.reset(); }

    void paths();
    void first_run_writes_default_record();
    void second_run_writes_nothing();
    void five_character_record();
    void decode_data();
    void decode();
    void damaged_file_reads_defaults_data();
    void damaged_file_reads_defaults();
    void random_bytes_never_crash();
    void rewrite_data();
    void rewrite();
    void shorter_rewrite_keeps_tail();
    void rewrite_without_file_does_nothing();
    void comma_in_folder_splits();
    void translation_choice_data();
    void translation_choice();

private:
    std::unique_ptr<TemporaryHome> m_home;
};

void tst_ConfigRecord::paths()
{
    QCOMPARE(ConfigRecord::userFolder(), m_home->documents() + "/VX305");
    QCOMPARE(ConfigRecord::filePath(), m_home->documents() + "/VX305/cofnig.ini");
}

void tst_ConfigRecord::first_run_writes_default_record()
{
    QVERIFY(!QFile::exists(ConfigRecord::filePath()));
    prepareConfiguration();
    QVERIFY(QFileInfo(m_home->documents() + "/VX305").isDir());
    QCOMPARE(fileBytes(), streamBytes("000,EN," + m_home->documents() + "/VX305"));
    QCOMPARE(ConfigRecord::readFields(),
             QStringList({ "000", "EN", m_home->documents() + "/VX305" }));
}

void tst_ConfigRecord::second_run_writes_nothing()
{
    const QByteArray stored = streamBytes("123,RU,/data/alarms") + "tail";
    putFileBytes(stored);
    prepareConfiguration();
    QCOMPARE(fileBytes(), stored);
}

void tst_ConfigRecord::five_character_record()
{
    QVERIFY(QDir().mkpath(ConfigRecord::userFolder()));
    QVERIFY(ConfigRecord::write("a,b,c"));
    const QByteArray bytes = fileBytes();
    QCOMPARE(bytes.left(4), QByteArray::fromHex("0000000A"));
    QCOMPARE(bytes.size(), 14);
    QCOMPARE(ConfigRecord::readFields(), QStringList({ "a", "b", "c" }));
}

void tst_ConfigRecord::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty file") << QByteArray() << false << QString();
    QTest::newRow("three bytes") << QByteArray::fromHex("000000") << false << QString();
    QTest::newRow("odd length") << QByteArray::fromHex("0000000300410042") << false << QString();
    QTest::newRow("length past the data")
            << QByteArray::fromHex("0000000600410042") << false << QString();
    QTest::newRow("huge length") << QByteArray::fromHex("7FFFFFFE0041") << false << QString();
    QTest::newRow("null string") << QByteArray::fromHex("FFFFFFFF") << true << QString();
    QTest::newRow("zero length") << QByteArray::fromHex("00000000") << true << QString();
    QTest::newRow("record with old tail")
            << streamBytes("1,2,3") + QByteArray::fromHex("004400450046") << true << "1,2,3";
    QTest::newRow("non-latin text") << streamBytes("000,EN,/文档/VX305") << true
                                    << "000,EN,/文档/VX305";
}

void tst_ConfigRecord::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QFETCH(QString, text);

    const std::optional<QString> record = ConfigRecord::decode(bytes);
    QCOMPARE(record.has_value(), valid);
    if (valid)
        QCOMPARE(*record, text);
}

void tst_ConfigRecord::damaged_file_reads_defaults_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("folderFromFile");

    QTest::newRow("empty file") << QByteArray() << "EN" << false;
    QTest::newRow("odd length") << QByteArray::fromHex("00000005004100") << "EN" << false;
    QTest::newRow("length past the data") << QByteArray::fromHex("00010000") << "EN" << false;
    QTest::newRow("one field") << streamBytes("000") << "EN" << false;
    QTest::newRow("two fields") << streamBytes("000,RU") << "RU" << false;
    QTest::newRow("three fields") << streamBytes("000,KO,/x") << "KO" << true;
}

void tst_ConfigRecord::damaged_file_reads_defaults()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, language);
    QFETCH(bool, folderFromFile);

    putFileBytes(bytes);
    QCOMPARE(ConfigRecord::readField(ConfigRecord::LanguageCode), language);
    QCOMPARE(ConfigRecord::readField(ConfigRecord::AlarmFolder),
             folderFromFile ? QString("/x") : m_home->documents() + "/VX305");

    // A rewrite repairs the record with the defaults of the missing fields.
    ConfigRecord::rewriteField(ConfigRecord::AlarmFolder, "/new");
    QCOMPARE(ConfigRecord::readFields().size(), 3);
    QCOMPARE(ConfigRecord::readField(ConfigRecord::LanguageCode), language);
    QCOMPARE(ConfigRecord::readField(ConfigRecord::AlarmFolder), QString("/new"));
}

void tst_ConfigRecord::random_bytes_never_crash()
{
    QRandomGenerator random(305);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes(int(random.bounded(64)), Qt::Uninitialized);
        for (char &b : bytes)
            b = char(random.bounded(256));
        const std::optional<QString> record = ConfigRecord::decode(bytes);
        if (record)
            QVERIFY(record->size() * 2 + 4 <= bytes.size());
    }
}

void tst_ConfigRecord::rewrite_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("after");

    QTest::newRow("folder") << "000,EN,/a/b" << 2 << "/c" << "000,EN,/c";
    QTest::newRow("language keeps the leading code") << "7x9,EN,/a" << 1 << "RU" << "7x9,RU,/a";
    QTest::newRow("four fields lose the fourth") << "000,EN,/a,extra" << 1 << "CH"
                                                 << "000,CH,/a";
    QTest::newRow("empty fields stay empty") << ",,/a" << 2 << "/b" << ",,/b";
}

void tst_ConfigRecord::rewrite()
{
    QFETCH(QString, before);
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(QString, after);

    putFileBytes(streamBytes(before));
    ConfigRecord::rewriteField(field, value);
    QCOMPARE(ConfigRecord::decode(fileBytes()).value_or("<damaged>"), after);
}

void tst_ConfigRecord::shorter_rewrite_keeps_tail()
{
    const QByteArray longRecord = streamBytes("000,EN,/a/very/long/alarm/folder");
    putFileBytes(longRecord);
    ConfigRecord::rewriteField(ConfigRecord::AlarmFolder, "/b");

    const QByteArray bytes = fileBytes();
    const QByteArray shortRecord = streamBytes("000,EN,/b");
    QCOMPARE(bytes.size(), longRecord.size());
    QCOMPARE(bytes.left(shortRecord.size()), shortRecord);
    QCOMPARE(bytes.mid(shortRecord.size()), longRecord.mid(shortRecord.size()));
    QCOMPARE(ConfigRecord::readFields(), QStringList({ "000", "EN", "/b" }));
}

void tst_ConfigRecord::rewrite_without_file_does_nothing()
{
    ConfigRecord::rewriteField(ConfigRecord::AlarmFolder, "/b");
    QVERIFY(!QFile::exists(ConfigRecord::filePath()));
}

void tst_ConfigRecord::comma_in_folder_splits()
{
    putFileBytes(streamBytes("000,EN,/data/a,b"));
    QCOMPARE(ConfigRecord::readFields(), QStringList({ "000", "EN", "/data/a", "b" }));
    QCOMPARE(ConfigRecord::readField(ConfigRecord::AlarmFolder), QString("/data/a"));
}

void tst_ConfigRecord::translation_choice_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("file");

    QTest::newRow("English") << "EN" << ":/Demo_EN.qm";
    QTest::newRow("Russian") << "RU" << ":/Demo_RU.qm";
    QTest::newRow("Korean") << "KO" << ":/Demo_KO.qm";
    QTest::newRow("Chinese source texts") << "CH" << QString();
    QTest::newRow("lower case is unknown") << "ru" << ":/Demo_EN.qm";
    QTest::newRow("empty") << "" << ":/Demo_EN.qm";
}

void tst_ConfigRecord::translation_choice()
{
    QFETCH(QString, code);
    QFETCH(QString, file);

    QCOMPARE(translationForLanguage(code), file);
    if (!file.isEmpty()) {
        initVx305Resources();
        QVERIFY2(QFile::exists(file), qPrintable(file));
    }
}

QTEST_GUILESS_MAIN(tst_ConfigRecord)
#include "tst_configrecord.moc"
