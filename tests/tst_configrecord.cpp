#include "app/configrecord.h"
#include "app/startup.h"
#include "testsupport.h"

#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// The record as Qt's data stream writes a string in its default settings: a big-endian
// length word, then UTF-16BE.
QByteArray streamBytes(const QString &text)
{
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream << text;
    return out;
}

QByteArray fileBytes()
{
    QFile file(ConfigRecord::filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_ConfigRecord : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<TemporaryHome>(); }
    void cleanup() { m_home.reset(); }

    void first_run_writes_default_record();
    void read_and_rewrite_data();
    void read_and_rewrite();
    void translation_data();
    void translation();

private:
    std::unique_ptr<TemporaryHome> m_home;
};

void tst_ConfigRecord::first_run_writes_default_record()
{
    prepareConfiguration();
    const QString folder = m_home->documents() + "/VX305";
    QCOMPARE(ConfigRecord::filePath(), folder + "/cofnig.ini");
    const QByteArray first = fileBytes();
    QCOMPARE(first, streamBytes("000,EN," + folder));
    // A second run finds the file and writes nothing: a shorter record stays over the first.
    QVERIFY(ConfigRecord::write("1,RU,/a"));
    prepareConfiguration();
    const QByteArray second = streamBytes("1,RU,/a");
    QCOMPARE(fileBytes(), second + first.mid(second.size()));
}

void tst_ConfigRecord::read_and_rewrite_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("bytes"); // null: no file at all
    QTest::addColumn<QString>("language"); // fields 1 and 2 as read; "*" the user folder
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("after"); // the record after the rewrite; null: still no file

    QTest::newRow("folder")
        << streamBytes("000,EN,/a/b") << "EN" << "/a/b" << 2 << "/c" << "000,EN,/c";
    QTest::newRow("language keeps the leading code")
        << streamBytes("7x9,EN,/a") << "EN" << "/a" << 1 << "RU" << "7x9,RU,/a";
    QTest::newRow("shorter folder leaves the old tail")
        << streamBytes("000,EN,/a/long/folder") << "EN" << "/a/long/folder" << 2
        << "/b" << "000,EN,/b";
    QTest::newRow("comma in the folder: a fourth field, lost on rewrite")
        << streamBytes("000,RU,/data/a,b") << "RU" << "/data/a" << 1 << "CH" << "000,CH,/data/a";
    QTest::newRow("empty fields stay empty")
        << streamBytes(",,/a") << "" << "/a" << 2 << "/b" << ",,/b";
    QTest::newRow("non-latin folder")
        << streamBytes("0,EN,/文档") << "EN" << "/文档" << 1 << "KO" << "0,KO,/文档";
    QTest::newRow("null string: one empty field")
        << QByteArray::fromHex("FFFFFFFF") << "EN" << "*" << 2 << "/b" << ",EN,/b";
    // Damaged records read and repair with the defaults of the missing fields.
    QTest::newRow("empty file") << QByteArray("") << "EN" << "*" << 2 << "/b" << "000,EN,/b";
    QTest::newRow("three bytes")
        << QByteArray::fromHex("000000") << "EN" << "*" << 2 << "/b" << "000,EN,/b";
    QTest::newRow("odd length")
        << QByteArray::fromHex("0000000300410042") << "EN" << "*" << 1 << "KO" << "000,KO,*";
    QTest::newRow("length past the data")
        << QByteArray::fromHex("0000000600410042") << "EN" << "*" << 2 << "/b" << "000,EN,/b";
    QTest::newRow("one field") << streamBytes("123") << "EN" << "*" << 2 << "/b" << "123,EN,/b";
    QTest::newRow("two fields") << streamBytes("000,RU") << "RU" << "*" << 1 << "CH" << "000,CH,*";
    QTest::newRow("no file: nothing written")
        << QByteArray() << "EN" << "*" << 2 << "/b" << QString();
    // clang-format on
}

void tst_ConfigRecord::read_and_rewrite()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, language);
    QFETCH(QString, folder);
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(QString, after);
    const QString userFolder = m_home->documents() + "/VX305";
    QVERIFY(QDir().mkpath(userFolder));
    if (!bytes.isNull()) {
        QFile file(userFolder + "/cofnig.ini");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QCOMPARE(ConfigRecord::readField(ConfigRecord::LanguageCode), language);
    QCOMPARE(
        ConfigRecord::readField(ConfigRecord::AlarmFolder), folder == "*" ? userFolder : folder);

    ConfigRecord::rewriteField(field, value);
    if (after.isNull()) {
        QVERIFY(!QFile::exists(userFolder + "/cofnig.ini"));
        return;
    }
    // Written from the first byte and never truncated.
    const QByteArray record = streamBytes(QString(after).replace("*", userFolder));
    QCOMPARE(fileBytes(), record + bytes.mid(record.size()));
    QCOMPARE(ConfigRecord::readField(field), QString(value));
}

void tst_ConfigRecord::translation_data()
{
    // clang-format off
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");

    QTest::newRow("English") << "EN" << ":/Demo_EN.qm" << "帮助" << "Help";
    QTest::newRow("Korean") << "KO" << ":/Demo_KO.qm" << "帮助" << "도움말";
    QTest::newRow("Russian") << "RU" << ":/Demo_RU.qm" << "文件" << "Файл";
    QTest::newRow("Chinese source texts") << "CH" << QString() << QString() << QString();
    QTest::newRow("lower case is unknown: English") << "ru" << ":/Demo_EN.qm" << "文件" << "File";
    // clang-format on
}

void tst_ConfigRecord::translation()
{
    QFETCH(QString, code);
    QFETCH(QString, file);
    QFETCH(QString, source);
    QFETCH(QString, translation);
    QCOMPARE(translationForLanguage(code), file);
    if (file.isEmpty())
        return;
    initVx305Resources();
    QTranslator translator;
    QVERIFY(translator.load(file));
    QCOMPARE(translator.translate("MainWindow", source.toUtf8()), translation);
}

QTEST_GUILESS_MAIN(tst_ConfigRecord)
#include "tst_configrecord.moc"
