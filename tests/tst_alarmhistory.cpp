#include "live/alarmhistory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void touch(const QString &path, const QByteArray &content = QByteArray())
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Seven frames told apart by their grey level, which survives JPEG.
QList<QImage> sevenFrames(int first = 0)
{
    QList<QImage> frames;
    for (int i = 0; i < 7; ++i) {
        QImage frame(240, 320, QImage::Format_RGB888);
        frame.fill(QColor::fromRgb(30 * (first + i) % 256, 30 * (first + i) % 256, 30 * (first + i) % 256));
        frames << frame;
    }
    return frames;
}

const QDateTime Noon(QDate(2023, 12, 5), QTime(10, 15, 30));

} // namespace

class tst_AlarmHistory : public QObject
{
    Q_OBJECT

private slots:
    void listing();
    void folderName_data();
    void folderName();
    void writesSevenPicturesAndRecord();
    void same_second_alarm_keeps_both();
    void refusesWhatItCannotWrite_data();
    void refusesWhatItCannotWrite();
    void unwritable_history_loses_nothing();
    void readings_data();
    void readings();
    void pictureOrder();
};

void tst_AlarmHistory::listing()
{
    QTemporaryDir root;
    QDir dir(root.path());
    for (const char *name : { "20231205101530_copy", "2023", "19991231235959", "20231205101530",
                              "20AB1205101530" })
        QVERIFY(dir.mkdir(name));
    touch(dir.filePath("20231205101531.ini"));
    QCOMPARE(AlarmHistory::alarmFolders(root.path()),
             QStringList({ "20231205101530", "20231205101530_copy", "20AB1205101530" }));
    QCOMPARE(AlarmHistory::alarmFolders(root.path() + "/missing"), QStringList());
    QCOMPARE(AlarmHistory::alarmFolders(QString()), QStringList());
}

void tst_AlarmHistory::folderName_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("name");

    QTest::newRow("free second") << QStringList() << "20231205101530";
    QTest::newRow("taken second") << QStringList { "20231205101530" } << "20231205101530_2";
    QTest::newRow("taken twice") << QStringList { "20231205101530", "20231205101530_2" }
                                 << "20231205101530_3";
    QTest::newRow("other seconds do not matter") << QStringList { "20231205101529" }
                                                 << "20231205101530";
}

void tst_AlarmHistory::folderName()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, name);
    QTemporaryDir root;
    for (const QString &folder : existing)
        QDir(root.path()).mkdir(folder);
    const QString chosen = AlarmHistory::newFolderName(root.path(), Noon);
    QCOMPARE(chosen, name);
    QVERIFY(AlarmHistory::isAlarmFolderName(chosen));
}

void tst_AlarmHistory::writesSevenPicturesAndRecord()
{
    QTemporaryDir root;
    const std::optional<QString> name =
            AlarmHistory::writeAlarmFolder(root.path(), sevenFrames(), "36.2,34.0,0.97", Noon);
    QCOMPARE(name, std::optional<QString>(QStringLiteral("20231205101530")));
    const QString folder = root.path() + "/20231205101530/";
    for (int i = 0; i < 7; ++i) {
        const QImage written(folder + AlarmHistory::pictureNames().at(i), "jpg");
        QCOMPARE(written.size(), QSize(240, 320));
        QVERIFY2(qAbs(qGray(written.pixel(120, 160)) - 30 * i) <= 3,
                 qPrintable(AlarmHistory::pictureNames().at(i)));
    }
    QFile record(folder + "20231205101530.ini");
    QVERIFY(record.open(QIODevice::ReadOnly));
    QCOMPARE(record.readAll(), QByteArray("36.2,34.0,0.97"));
}

void tst_AlarmHistory::same_second_alarm_keeps_both()
{
    QTemporaryDir root;
    QVERIFY(AlarmHistory::writeAlarmFolder(root.path(), sevenFrames(0), "100.5,34.0,0.97", Noon));
    QVERIFY(AlarmHistory::writeAlarmFolder(root.path(), sevenFrames(1), "36.2,34.0,0.97", Noon));
    QCOMPARE(AlarmHistory::alarmFolders(root.path()),
             QStringList({ "20231205101530", "20231205101530_2" }));

    QFile first(root.path() + "/20231205101530/20231205101530.ini");
    QVERIFY(first.open(QIODevice::ReadOnly));
    QCOMPARE(first.readAll(), QByteArray("100.5,34.0,0.97"));
    QFile second(root.path() + "/20231205101530_2/20231205101530_2.ini");
    QVERIFY(second.open(QIODevice::ReadOnly));
    QCOMPARE(second.readAll(), QByteArray("36.2,34.0,0.97"));
    const QImage firstAlarm(root.path() + "/20231205101530/Alarm.JPG", "jpg");
    QVERIFY(qAbs(qGray(firstAlarm.pixel(0, 0)) - 90) <= 3);
}

void tst_AlarmHistory::refusesWhatItCannotWrite_data()
{
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("rootExists");

    QTest::newRow("six frames") << 6 << true;
    QTest::newRow("no frames") << 0 << true;
    QTest::newRow("missing alarm-history folder") << 7 << false;
}

void tst_AlarmHistory::refusesWhatItCannotWrite()
{
    QFETCH(int, frames);
    QFETCH(bool, rootExists);
    QTemporaryDir base;
    const QString root = rootExists ? base.path() : base.path() + "/gone";
    const QList<QImage> all = sevenFrames();
    QCOMPARE(AlarmHistory::writeAlarmFolder(root, all.mid(0, frames), "1,2,3", Noon),
             std::optional<QString>());
    QCOMPARE(QDir(base.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void tst_AlarmHistory::unwritable_history_loses_nothing()
{
    QTemporaryDir base;
    QVERIFY(AlarmHistory::writeAlarmFolder(base.path(), sevenFrames(), "36.2,34.0,0.97", Noon));
    // A read-only file system (even for root) and a history "folder" that is a file.
    QCOMPARE(AlarmHistory::writeAlarmFolder("/proc", sevenFrames(), "1,2,3", Noon.addSecs(1)),
             std::optional<QString>());
    touch(base.path() + "/not-a-folder");
    QCOMPARE(AlarmHistory::writeAlarmFolder(base.path() + "/not-a-folder", sevenFrames(), "1,2,3",
                                            Noon.addSecs(2)),
             std::optional<QString>());
    QCOMPARE(AlarmHistory::alarmFolders(base.path()), QStringList({ "20231205101530" }));
    QCOMPARE(AlarmHistory::recordLines(base.path() + "/20231205101530/20231205101530.ini"),
             QStringList({ "36.2,34.0,0.97" }));
}

void tst_AlarmHistory::readings_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QStringList>("readings");

    QTest::newRow("one line") << QByteArray("36.2,34.0,0.97") << true
                              << QStringList { "36.2", "34.0", "0.97" };
    QTest::newRow("two lines show the second") << QByteArray("1.0,2.0,0.50\n36.2,34.0,0.97") << true
                                               << QStringList { "36.2", "34.0", "0.97" };
    QTest::newRow("line end after the record") << QByteArray("36.2,34.0,0.97\r\n") << true
                                               << QStringList { "36.2", "34.0", "0.97" };
    QTest::newRow("empty part kept") << QByteArray("36.2,,0.97") << true
                                     << QStringList { "36.2", "", "0.97" };
    QTest::newRow("short line") << QByteArray("36.2,34.0") << true
                                << QStringList { "36.2", "34.0", "--" };
    QTest::newRow("extra fields ignored") << QByteArray("36.2,34.0,0.97,x") << true
                                          << QStringList { "36.2", "34.0", "0.97" };
    QTest::newRow("empty file") << QByteArray() << true << QStringList { "--", "--", "--" };
    QTest::newRow("missing record") << QByteArray() << false << QStringList { "--", "--", "--" };
}

void tst_AlarmHistory::readings()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QFETCH(QStringList, readings);
    QTemporaryDir root;
    const QString path = root.path() + "/record.ini";
    if (exists)
        touch(path, content);
    QCOMPARE(AlarmHistory::readingsOf(AlarmHistory::recordLines(path)), readings);
}

void tst_AlarmHistory::pictureOrder()
{
    QTemporaryDir root;
    QVERIFY(AlarmHistory::writeAlarmFolder(root.path(), sevenFrames(), "1,2,3", Noon));
    const QString folder = root.path() + "/20231205101530";
    touch(folder + "/extra.PNG");
    touch(folder + "/a.bmp");
    touch(folder + "/notes.txt");
    QCOMPARE(AlarmHistory::pictureFiles(folder),
             QStringList({ "Alarm.JPG", "F1.JPG", "F2.JPG", "F3.JPG", "L1.JPG", "L2.JPG",
                           "L3.JPG", "a.bmp", "extra.PNG" }));
}

QTEST_MAIN(tst_AlarmHistory)
#include "tst_alarmhistory.moc"
