#include "live/alarmhistory.h"

#include <QtTest>

using namespace AlarmHistory;

namespace {

void touch(const QString &path, const QByteArray &content = QByteArray())
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Seven frames told apart by their grey level, 30 times their index, which survives JPEG.
QList<QImage> sevenFrames()
{
    QList<QImage> frames;
    for (int i = 0; i < 7; ++i) {
        frames << QImage(240, 320, QImage::Format_RGB888);
        frames[i].fill(QColor::fromRgb(30 * i, 30 * i, 30 * i));
    }
    return frames;
}

const QDateTime Noon(QDate(2023, 12, 5), QTime(10, 15, 30));

} // namespace

class tst_AlarmHistory : public QObject
{
    Q_OBJECT

private slots:
    void same_second_alarm_keeps_both()
    {
        QTemporaryDir root;
        QDir dir(root.path());
        // Not alarm folders: too short, not beginning with 20, not a folder.
        for (const char *name : {"20231205101530_copy", "2023", "19991231235959"})
            QVERIFY(dir.mkdir(name));
        touch(dir.filePath("20231205101529.ini"));
        for (int n = 0; n < 3; ++n)
            QVERIFY(writeAlarmFolder(root.path(), sevenFrames(), "36.2,34.0,0.97", Noon));
        const QStringList names {"20231205101530", "20231205101530_2", "20231205101530_3"};
        QCOMPARE(alarmFolders(root.path()), names + QStringList {"20231205101530_copy"});
        const QString first = dir.filePath(names.at(0)) + "/";
        for (const char *extra : {"extra.PNG", "a.bmp", "notes.txt"})
            touch(first + extra);
        const QStringList pictures = pictureFiles(first);
        QCOMPARE(pictures,
            QStringList({"Alarm.JPG", "F1.JPG", "F2.JPG", "F3.JPG", "L1.JPG", "L2.JPG", "L3.JPG",
                "a.bmp", "extra.PNG"}));
        // Frames 0 to 6 of the first alarm, in the order F1, F2, F3, Alarm, L1, L2, L3.
        QString frames;
        for (const QString &name : pictures.mid(0, 7))
            frames += QString::number(qRound(qGray(QImage(first + name).pixel(0, 0)) / 30.0));
        QCOMPARE(frames, QString("3012456"));
    }

    void refused()
    {
        QTemporaryDir base;
        touch(base.path() + "/file");
        QVERIFY(!writeAlarmFolder(base.path(), sevenFrames().mid(1), "1,2,3", Noon));
        // A missing alarm-history folder, one that is a file, a read-only file system (even for
        // root).
        for (const QString &root : {base.path() + "/gone", base.path() + "/file", QString("/proc")})
            QVERIFY(!writeAlarmFolder(root, sevenFrames(), "1,2,3", Noon));
        QCOMPARE(QDir(base.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList {"file"});
    }

    void readings()
    {
        QTemporaryDir root;
        const QString path = root.path() + "/record.ini";
        QStringList shown;
        // One line; the last of two; a line end after it; extra fields; an empty part; a short
        // line; an empty file; then no file.
        for (const char *record : {"36.2,34.0,0.97", "1,2,0.5\n36.2,34.0,0.97",
                 "36.2,34.0,0.97\r\n", "36.2,34.0,0.97,x", "36.2,,0.97", "36.2,34.0", ""}) {
            touch(path, record);
            shown << readingsOf(recordLines(path)).join(' ');
        }
        shown << readingsOf(recordLines(path + ".gone")).join(' ');
        QCOMPARE(shown,
            QStringList({"36.2 34.0 0.97", "36.2 34.0 0.97", "36.2 34.0 0.97", "36.2 34.0 0.97",
                "36.2  0.97", "36.2 34.0 --", "-- -- --", "-- -- --"}));
    }
};

QTEST_MAIN(tst_AlarmHistory)
#include "tst_alarmhistory.moc"
