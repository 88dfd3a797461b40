#include "app/configrecord.h"
#include "app/startup.h"
#include "testsupport.h"

using namespace ConfigRecord;

namespace {

// The record as Qt's data stream writes a string in its default settings: a big-endian
// length word, then UTF-16BE.
QByteArray stream(const QString &text)
{
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream << text;
    return out;
}

} // namespace

class tst_ConfigRecord : public QObject
{
    Q_OBJECT

private slots:
    void start_up()
    {
        // The first run writes the default record; a second finds the file and writes nothing, so a
        // shorter record stays over the first.
        const TemporaryHome home;
        prepareConfiguration();
        const QString folder = home.documents() + "/VX305";
        QCOMPARE(filePath(), folder + "/cofnig.ini");
        const QByteArray first = fileBytes(filePath());
        QCOMPARE(first, stream("000,EN," + folder));
        QVERIFY(write("1,RU,/a"));
        prepareConfiguration();
        QCOMPARE(fileBytes(filePath()), stream("1,RU,/a") + first.mid(stream("1,RU,/a").size()));
        // The translation by the language code; codes are upper case, any other is English.
        QStringList files;
        for (const char *code : {"EN", "KO", "RU", "CH", "ru"})
            files << translationForLanguage(code);
        QCOMPARE(files,
            QStringList({":/Demo_EN.qm", ":/Demo_KO.qm", ":/Demo_RU.qm", "", ":/Demo_EN.qm"}));
    }

    void read_and_rewrite_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no file at all
        QTest::addColumn<QString>("read"); // fields 1 and 2 as read; "*" the user folder
        QTest::addColumn<QString>("after"); // after the language is rewritten; null: still no file
        const auto hex = [](const char *h) { return QByteArray::fromHex(h); };
        // clang-format off
        QTest::newRow("comma: a fourth field, lost") << stream("0,RU,/文档,b") << "RU /文档" << "0,KO,/文档";
        QTest::newRow("leading code copied") << stream("7x9,EN,") << "EN " << "7x9,KO,";
        QTest::newRow("null string: one empty field") << hex("FFFFFFFF") << "EN *" << ",KO,*";
        // Damaged records read and repair with the defaults of the missing fields.
        QTest::newRow("three bytes") << hex("000000") << "EN *" << "000,KO,*";
        QTest::newRow("odd length") << hex("0000000300410042") << "EN *" << "000,KO,*";
        QTest::newRow("length past the data") << hex("0000000600410042") << "EN *" << "000,KO,*";
        QTest::newRow("two fields") << stream("123,RU") << "RU *" << "123,KO,*";
        QTest::newRow("no file: nothing written") << QByteArray() << "EN *" << QString();
        // clang-format on
    }

    void read_and_rewrite()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, read);
        QFETCH(QString, after);
        const TemporaryHome home;
        const QString folder = userFolder();
        createDefault("EN");
        QFile file(filePath());
        QVERIFY(bytes.isNull()
                ? file.remove()
                : file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QCOMPARE(readField(LanguageCode) + ' ' + readField(AlarmFolder), read.replace("*", folder));
        rewriteField(LanguageCode, "KO");
        // Written from the first byte and never truncated.
        const QByteArray record
            = after.isNull() ? QByteArray() : stream(after.replace("*", folder));
        QCOMPARE(fileBytes(filePath()), record + bytes.mid(record.size()));
        QCOMPARE(file.exists(), !after.isNull());
    }
};

QTEST_GUILESS_MAIN(tst_ConfigRecord)
#include "tst_configrecord.moc"
