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

// Seven frames told apart by their grey level (30 * (first + i)), which survives JPEG.
QList<QImage> sevenFrames(int first = 0)
{
    QList<QImage> frames;
    for (int i = first; i < first + 7; ++i) {
        frames << QImage(240, 320, QImage::Format_RGB888);
        frames.last().fill(QColor::fromRgb(30 * i, 30 * i, 30 * i));
    }
    return frames;
}

const QDateTime Noon(QDate(2023, 12, 5), QTime(10, 15, 30));

} // namespace

class tst_AlarmHistory : public QObject
{
    Q_OBJECT

private slots:
    void same_second_alarm_keeps_both();
    void refused_data();
    void refused();
    void readings_data();
    void readings();
};

void tst_AlarmHistory::same_second_alarm_keeps_both()
{
    QTemporaryDir root;
    QDir dir(root.path());
    // Not alarm folders: too short, not beginning with 20, not a folder.
    for (const char *name : {"20231205101530_copy", "2023", "19991231235959"})
        QVERIFY(dir.mkdir(name));
    touch(dir.filePath("20231205101529.ini"));
    for (int n = 0; n < 3; ++n) {
        const QString record = QString("%1.5,34.0,0.97").arg(100 - n);
        QVERIFY(AlarmHistory::writeAlarmFolder(root.path(), sevenFrames(n), record, Noon));
    }
    const QStringList names {"20231205101530", "20231205101530_2", "20231205101530_3"};
    QCOMPARE(AlarmHistory::alarmFolders(root.path()), names + QStringList {"20231205101530_copy"});
    for (int n = 0; n < 3; ++n) {
        const QString folder = dir.filePath(names.at(n)) + "/";
        QCOMPARE(AlarmHistory::recordLines(folder + names.at(n) + ".ini"),
            QStringList {QString("%1.5,34.0,0.97").arg(100 - n)});
        // The alarm frame is the fourth of the seven.
        QVERIFY(qAbs(qGray(QImage(folder + "Alarm.JPG").pixel(120, 160)) - 30 * (n + 3)) <= 3);
    }
    const QString first = dir.filePath(names.at(0));
    for (int i = 0; i < 7; ++i) {
        const QImage written(first + "/" + AlarmHistory::pictureNames().at(i), "jpg");
        QCOMPARE(written.size(), QSize(240, 320));
        QVERIFY(qAbs(qGray(written.pixel(0, 0)) - 30 * i) <= 3);
    }
    for (const char *extra : {"/extra.PNG", "/a.bmp", "/notes.txt"})
        touch(first + extra);
    QCOMPARE(AlarmHistory::pictureFiles(first),
        QStringList({"Alarm.JPG", "F1.JPG", "F2.JPG", "F3.JPG", "L1.JPG", "L2.JPG", "L3.JPG",
            "a.bmp", "extra.PNG"}));
}

void tst_AlarmHistory::refused_data()
{
    // clang-format off
    QTest::addColumn<int>("frames");
    QTest::addColumn<QString>("root"); // below a fresh folder, or absolute

    QTest::newRow("six frames") << 6 << "";
    QTest::newRow("no frames") << 0 << "";
    QTest::newRow("missing alarm-history folder") << 7 << "/gone";
    QTest::newRow("alarm-history folder is a file") << 7 << "/file";
    QTest::newRow("read-only file system, even for root") << 7 << "/proc";
    // clang-format on
}

void tst_AlarmHistory::refused()
{
    QFETCH(int, frames);
    QFETCH(QString, root);
    QTemporaryDir base;
    touch(base.path() + "/file");
    const QString path = root == "/proc" ? root : base.path() + root;
    QCOMPARE(AlarmHistory::writeAlarmFolder(path, sevenFrames().mid(0, frames), "1,2,3", Noon),
        std::optional<QString>());
    QCOMPARE(
        QDir(base.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList {"file"});
}

void tst_AlarmHistory::readings_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("content"); // null: no record file
    QTest::addColumn<QStringList>("readings");

    const QStringList usual {"36.2", "34.0", "0.97"};
    QTest::newRow("one line") << QByteArray("36.2,34.0,0.97") << usual;
    QTest::newRow("two lines show the second")
        << QByteArray("1.0,2.0,0.50\n36.2,34.0,0.97") << usual;
    QTest::newRow("line end after the record") << QByteArray("36.2,34.0,0.97\r\n") << usual;
    QTest::newRow("extra fields ignored") << QByteArray("36.2,34.0,0.97,x") << usual;
    QTest::newRow("empty part kept")
        << QByteArray("36.2,,0.97") << QStringList {"36.2", "", "0.97"};
    QTest::newRow("short line") << QByteArray("36.2,34.0") << QStringList {"36.2", "34.0", "--"};
    QTest::newRow("empty file") << QByteArray("") << QStringList {"--", "--", "--"};
    QTest::newRow("missing record") << QByteArray() << QStringList {"--", "--", "--"};
    // clang-format on
}

void tst_AlarmHistory::readings()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, readings);
    QTemporaryDir root;
    if (!content.isNull())
        touch(root.path() + "/record.ini", content);
    QCOMPARE(
        AlarmHistory::readingsOf(AlarmHistory::recordLines(root.path() + "/record.ini")), readings);
}

QTEST_MAIN(tst_AlarmHistory)
#include "tst_alarmhistory.moc"
