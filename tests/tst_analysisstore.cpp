#include "analysis/analysis_widget.h"
#include "app/preferences.h"
#include "fakeworld.h"
#include "inspection/analysiskeeper.h"
#include "inspection/analysisstore.h"
#include "ui_analysis_widget.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <csignal>
#include <cstdio>

namespace {

// The analysis as one line, in the order of the record's fields.
QString describe(const AnalysisRecord &r)
{
    QStringList parts { QString::number(r.unitIndex), QString::number(r.scaleStart),
                        QString::number(r.scaleEnd), QString::number(r.isoMode),
                        QString::number(r.isoLow), QString::number(r.isoHigh),
                        QString::number(r.isoColor, 16) };
    for (const StoredTool &t : r.tools)
        parts << QStringLiteral("%1:%2:%3,%4,%5,%6,%7").arg(t.kind).arg(t.name).arg(t.x1).arg(t.y1)
                         .arg(t.x2).arg(t.y2).arg(t.r);
    const Finding &f = r.finding;
    parts << f.title << f.location << f.note << QString::number(f.reference.kind)
          << QString::number(f.reference.celsius) << f.reference.tool
          << QString::number(f.severity) << QString::number(f.severitySet);
    return parts.join(QLatin1Char('|'));
}

// A scene with fractional and negative limits, so a restored unit changes every number.
QByteArray sceneBytes()
{
    PictureFixture p = PictureFixture::scene(PictureFixture::VX305);
    p.maxTemp = 307;
    p.minTemp = -53;
    return p.bytes();
}

// Child process modes. "restore": the analysis a fresh window restores, as one line.
// "writer DB PREFIX COUNT": COUNT analyses of distinct pictures, each committed before the next;
// with COUNT 0 one picture's analysis changed for ever, "committed N" after each commit.
int child(int argc, char **argv)
{
    QApplication app(argc, argv);
    initVx305Resources();
    const QString mode = QString::fromLocal8Bit(argv[1]);
    if (mode == QLatin1String("restore")) {
        Analysis_Widget window;
        if (!window.set_Image_addr(QString::fromLocal8Bit(argv[2]), 0))
            return 3;
        window.keepAnalysis();
        std::printf("%s\n", qPrintable(describe(AnalysisKeeper::snapshot(&window))));
        return 0;
    }
    AnalysisStore store(QString::fromLocal8Bit(argv[2]));
    if (!store.open())
        return 4;
    int failures = 0;
    QObject::connect(&store, &AnalysisStore::writeFailed, [&](const QByteArray &, const QString &why) {
        ++failures;
        std::fprintf(stderr, "failed: %s\n", qPrintable(why));
    });
    const QByteArray prefix(argv[3]);
    const int count = QString::fromLocal8Bit(argv[4]).toInt();
    for (int i = 0; count == 0 || i < count; ++i) {
        AnalysisRecord r;
        r.hash = QCryptographicHash::hash(count == 0 ? prefix : prefix + QByteArray::number(i),
                                          QCryptographicHash::Sha256);
        r.changed = QDateTime::currentDateTimeUtc();
        r.finding.title = QString::number(i);
        for (int t = 0; t < i % 7; ++t)
            r.tools.push_back({ ToolPoint, QStringLiteral("P%1").arg(t), t, i % 320, -1, -1, -1, 0 });
        store.save(r);
        store.flush();
        std::printf("committed %d\n", i);
        std::fflush(stdout);
    }
    return failures == 0 ? 0 : 5;
}

} // namespace

class tst_AnalysisStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeWorld> m_world;
    QString m_picture;

private slots:
    void init()
    {
        m_world = std::make_unique<FakeWorld>("EN");
        QVERIFY(QDir().mkpath(m_world->home.path() + "/site 2.2024"));
        m_picture = m_world->home.path() + "/site 2.2024/IMG 0001.v2.bmp";
        QVERIFY(PictureFixture::writeBytes(m_picture, sceneBytes()));
    }
    void cleanup() { m_world.reset(); }

    void analysis_restored_from_the_picture_bytes()
    {
        auto first = std::make_unique<Analysis_Widget>();
        QVERIFY(first->set_Image_addr(m_picture, 0));
        first->keepAnalysis();
        QVERIFY(!first->m_keeper->restored());
        // What a user does: tools, unit, handles, isotherm, a finding against a tool.
        Ui::Analysis_Widget *ui = first->ui;
        MyLabel *label = ui->label;
        label->m_points.emplace_back(new PointTool { "P0", 80, 110, 9, QColor(10, 20, 30) });
        label->m_rects.emplace_back(new RectTool { "R3", 130, 180, 215, 285, Qt::red });
        label->m_circles.emplace_back(new CircleTool { "C0", 85, 240, 115, 240, 30, Qt::green });
        emit label->updat_Tool();
        ui->comboBox->setCurrentIndex(1);
        ui->widget->m_startIndex = 12;
        ui->widget->m_endIndex = 200;
        emit ui->widget->indicesChanged(12, 200);
        ui->comboBox_isotherm->setCurrentIndex(3);
        ui->doubleSpinBox_isoLow->setValue(-4.5);
        ui->comboBox_reference->setCurrentIndex(ui->comboBox_reference->findText("R3 平均"));
        emit ui->comboBox_reference->activated(ui->comboBox_reference->currentIndex());
        QTest::keyClicks(ui->lineEdit_findingTitle, "Hot, \"loose\" lug");
        ui->textEdit_findingNote->setPlainText("Line one.\nLine two, ünïcode.");
        QCoreApplication::processEvents();
        const AnalysisRecord made = AnalysisKeeper::snapshot(first.get());
        QVERIFY(made.finding.reference.tool == "R3" && !made.finding.severitySet);
        first.reset(); // closing the window right after the last change loses nothing
        AnalysisStore::shared()->flush();

        const QString copy = m_world->home.path() + "/copy. of it.bmp";
        QVERIFY(QFile::copy(m_picture, copy));
        QByteArray changed = sceneBytes();
        changed[100000] = char(changed[100000] ^ 1);
        const QString edited = m_world->home.path() + "/edited.bmp";
        QVERIFY(PictureFixture::writeBytes(edited, changed));
        for (const auto &[path, restored] : { std::pair { m_picture, true }, { copy, true },
                                              { edited, false } }) {
            Analysis_Widget second;
            QVERIFY(second.set_Image_addr(path, 0));
            QSignalSpy status(&second, &Analysis_Widget::statusMessage);
            second.keepAnalysis();
            QCOMPARE(describe(AnalysisKeeper::snapshot(&second)) == describe(made), restored);
            QCOMPARE(status.count(), restored ? 1 : 0);
            if (restored)
                QVERIFY(status.at(0).at(0).toString().startsWith("分析已恢复 — 20"));
        }
        QProcess fresh;
        fresh.start(QCoreApplication::applicationFilePath(), { "restore", copy });
        QVERIFY(fresh.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(fresh.readAllStandardOutput()).trimmed(), describe(made));
    }

    void clearing_and_forgetting()
    {
        {
            Analysis_Widget window;
            QVERIFY(window.set_Image_addr(m_picture, 0));
            window.keepAnalysis();
            window.ui->label->m_points.emplace_back(new PointTool { "P0", 1, 2, 9, Qt::red });
            emit window.ui->label->updat_Tool();
            QCoreApplication::processEvents();
            window.on_pushButton_2_clicked(); // Clear all
            QCoreApplication::processEvents();
        }
        const QByteArray hash = AnalysisStore::hashOfFile(m_picture);
        AnalysisStore::shared()->flush();
        QVERIFY(AnalysisStore::shared()->lookup(hash)->tools.empty());

        // Not remembered: nothing restored, nothing kept.
        Preferences::setRememberAnalyses(false);
        Analysis_Widget window;
        QVERIFY(window.set_Image_addr(m_picture, 0));
        window.keepAnalysis();
        QVERIFY(!window.m_keeper);
    }

    void damaged_database_is_moved_aside_data()
    {
        addColumns<QString>("damage");
        QTest::newRow("garbage") << "garbage";
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("newer version") << "newer";
    }
    void damaged_database_is_moved_aside()
    {
        const auto [damage] = fetch<QString>();
        const QString path = AnalysisStore::defaultPath();
        if (damage == "garbage") {
            QVERIFY(PictureFixture::writeBytes(path, QByteArray(70000, 'x')));
        } else {
            {
                AnalysisStore store(path);
                QVERIFY(store.open());
                for (int i = 0; i < 400; ++i) {
                    AnalysisRecord r;
                    r.hash = QByteArray::number(i).leftJustified(32, '-');
                    r.finding.note = QString(300, QChar('a' + i % 26));
                    store.save(r);
                }
            }
            QFile file(path);
            if (damage == "truncated") {
                QVERIFY(file.size() > 100000 && file.resize(file.size() / 2));
            } else {
                QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
                db.setDatabaseName(path);
                QVERIFY(db.open() && QSqlQuery(db).exec("PRAGMA user_version = 99"));
                db.close();
            }
        }
        QSqlDatabase::removeDatabase("newer");
        const QByteArray before = fileBytes(path);

        Analysis_Widget window;
        QVERIFY(window.set_Image_addr(m_picture, 0));
        window.keepAnalysis();
        const QStringList aside = QDir(m_world->home.documents() + "/VX305")
                                          .entryList({ "analyses.sqlite.damaged-*" }, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(fileBytes(m_world->home.documents() + "/VX305/" + aside[0]), before);
        QVERIFY(m_world->answers->asked.last().contains(aside[0]));
        // A working new store.
        window.ui->label->m_points.emplace_back(new PointTool { "P4", 5, 6, 9, Qt::red });
        emit window.ui->label->updat_Tool();
        QCoreApplication::processEvents();
        AnalysisStore::shared()->flush();
        QCOMPARE(AnalysisStore::shared()->count(), 1);
    }

    void killed_writer_leaves_the_last_commit()
    {
        const QString path = m_world->home.path() + "/killed.sqlite";
        const QByteArray hash = QCryptographicHash::hash("burst", QCryptographicHash::Sha256);
        int last = -1;
        for (int round = 0; round < 12; ++round) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(),
                         { "writer", path, "burst", "0" });
            // Killed right after a random commit was reported, while the next one runs.
            const int target = QRandomGenerator::global()->bounded(1, 40);
            int reported = -1;
            while (reported < target && writer.waitForReadyRead(60000)) {
                while (writer.canReadLine())
                    reported = writer.readLine().trimmed().split(' ').value(1).toInt();
            }
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished(60000));
            while (writer.canReadLine())
                reported = writer.readLine().trimmed().split(' ').value(1).toInt();
            QVERIFY2(reported >= target, qPrintable(writer.readAllStandardError()));
            // Opening checks the file: a damaged one would be moved aside, its analyses gone.
            AnalysisStore store(path);
            QVERIFY(store.open() && store.takeMovedAside().isEmpty());
            const std::optional<AnalysisRecord> stored = store.lookup(hash);
            QVERIFY(stored);
            // The last reported commit, or the one after it if its report was cut off.
            const int title = stored->finding.title.toInt();
            QVERIFY2(title == reported || title == reported + 1,
                     qPrintable(QString("%1 vs %2").arg(title).arg(reported)));
            QCOMPARE(int(stored->tools.size()), title % 7);
            last = title;
        }
        QVERIFY(last >= 0);
    }

    void two_instances_write_at_once()
    {
        const QString path = m_world->home.path() + "/shared.sqlite";
        QProcess a, b;
        a.start(QCoreApplication::applicationFilePath(), { "writer", path, "a", "150" });
        b.start(QCoreApplication::applicationFilePath(), { "writer", path, "b", "150" });
        QVERIFY(a.waitForFinished(120000) && b.waitForFinished(120000));
        QCOMPARE(a.exitCode() * 10 + b.exitCode(), 0);
        AnalysisStore store(path);
        QVERIFY(store.open());
        QCOMPARE(store.count(), 300);
        for (const QByteArray prefix : { "a", "b" }) {
            for (int i = 0; i < 150; i += 37) {
                const auto r = store.lookup(QCryptographicHash::hash(prefix + QByteArray::number(i),
                                                                      QCryptographicHash::Sha256));
                QVERIFY(r && r->finding.title == QString::number(i) && int(r->tools.size()) == i % 7);
            }
        }
    }
};

int main(int argc, char **argv)
{
    if (argc > 2 && (qstrcmp(argv[1], "restore") == 0 || qstrcmp(argv[1], "writer") == 0))
        return child(argc, argv);
    QApplication app(argc, argv);
    tst_AnalysisStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_analysisstore.moc"
