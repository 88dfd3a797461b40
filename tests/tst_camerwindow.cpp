#include "fakeworld.h"
#include "live/alarmhistory.h"
#include "live/camer_window.h"
#include "ui_camer_window.h"

#include <QMediaPlayer>

static QImage frameOfGrey(int grey)
{
    QImage frame(240, 320, QImage::Format_RGB888);
    frame.fill(QColor(grey, grey, grey));
    return frame;
}

class tst_CamerWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeWorld> m_world;
    std::unique_ptr<camer_window> m_window;
    Ui::camer_window *ui = nullptr;
    QString m_root; // the alarm history's folder

private slots:
    // The first camera that passes the imager test is started, and only that one; the watch
    // runs whenever there is a camera at all. Russian texts widen the tabs.
    void init()
    {
        m_world = std::make_unique<FakeWorld>("RU");
        FakePlatform &platform = m_world->platform;
        const camer_window alone(nullptr, &platform);
        QVERIFY(!alone.m_timer && alone.ui->tabWidget->styleSheet().contains("width: 150"));
        platform.cameraList = {{"", "usb#vid_1d6b&pid_0104", "UVC Camera"},
            {"", "usb#vid_1d6b&pid_0102&mi_00", "UVC Camera"}, FakePlatform::imager()};
        m_window = std::make_unique<camer_window>(nullptr, &platform);
        QCOMPARE(platform.opened, QStringList {"usb#vid_1d6b&pid_0102&mi_00"});
        const QTimer *watch = m_window->m_timer;
        QVERIFY(watch && watch->isActive() && watch->interval() == 300);
        ui = m_window->ui;
        m_window->set_addr(m_root = m_world->drives.path());
    }
    void cleanup() { m_window.reset(), m_world.reset(); }

    void alarm_data()
    {
        // clang-format off
        // See run(). Then flashing, frames counted, folders written, sound set, the maximum's
        // style (N normal, Q quiet, A and B the flash styles; a running alarm keeps B until the
        // first tick) and the entries of the two history lists.
        addColumns<QString, QString>("script", "state");
        QTest::newRow("maximum equal to threshold alarms, then below") << "A+ a b" << "0 0 0 0 N 0";
        QTest::newRow("alarm box off is quiet") << "a" << "0 0 0 0 Q 0";
        QTest::newRow("first tick yellow on red, with sound") << "A+ S+ a t" << "1 0 0 1 A 0";
        QTest::newRow("second tick red on white") << "A+ a t t" << "1 0 0 0 B 0";
        QTest::newRow("seven frames are not enough") << "A+ F+ 7a" << "1 7 0 0 N 0";
        QTest::newRow("eighth writes a folder, later ones nothing") << "A+ F+ 12a" << "1 9 1 0 N 2";
        QTest::newRow("a frame below starts a new alarm") << "A+ F+ 8a b 8a" << "1 9 2 0 N 4";
        QTest::newRow("stop freezes the count") << "A+ F+ 7a s 10a" << "0 7 0 0 B 0";
        QTest::newRow("after stop, below, then eight") << "A+ F+ 7a s 10a b 8a" << "1 9 1 0 N 2";
        QTest::newRow("file box switched on late") << "A+ 20a F+ 8a" << "1 9 1 0 N 2";
        QTest::newRow("alarm box off mid-alarm") << "A+ F+ 5a A- a" << "0 0 0 0 Q 0";
        QTest::newRow("toggling the box clears the stop") << "A+ 3a s A- A+ a" << "1 0 0 0 B 0";
        // Switched off, the alarm box unchecks the other two; switched on, it leaves them off.
        QTest::newRow("alarm box off unchecks both") << "A+ S+ F+ A- A+ 8a t" << "1 0 0 0 A 0";
        // clang-format on
    }
    void alarm()
    {
        const auto [script, state] = fetch<QString, QString>();
        run(script);
        const QTimer *flash = m_window->m_timerWarn;
        const QStringList styles {camer_window::NormalStyle, camer_window::QuietStyle,
            camer_window::FlashAStyle, camer_window::FlashBStyle};
        QCOMPARE(
            QString::asprintf("%d %d %d %d %c %d", flash->isActive() && flash->interval() == 500,
                m_window->m_alarmFrames, AlarmHistory::alarmFolders(m_root).size(),
                m_window->m_player->media().request().url() == QUrl("qrc:/Sound/Alarm/Alarm.mp3"),
                "?NQAB"[styles.indexOf(ui->label_6->styleSheet()) + 1],
                ui -> listWidget -> count() + ui -> listWidget_2 -> count()),
            state);
    }

    // The folder holds the last seven frames, the record the readouts of the one before the
    // eighth (still shown when the eighth was judged). A single click on the list does nothing;
    // a double click opens the history at the oldest alarm, with the last line of its record
    // and its pictures, the alarm picture first.
    void alarm_folder_and_history()
    {
        QVERIFY(AlarmHistory::writeAlarmFolder(m_root, QVector<QImage>(7, frameOfGrey(10)).toList(),
            "1.0,2.0,0.50\n36.2,34.0,0.97", {{2023, 12, 5}, {10, 15, 30}}));
        QDir(m_root).mkdir("2023");
        run("A+ F+");
        for (int k = 1; k <= 8; ++k) {
            m_window->display_cap(frameOfGrey(20 * k));
            m_window->updat_temp(40.0f + k / 10.0f, 34.0f, 0.97f);
        }
        const QString name = AlarmHistory::alarmFolders(m_root).value(1);
        const QString folder = m_root + '/' + name + '/';
        QString greys; // in twenties, read back from the JPEG pictures
        for (const QString &picture : AlarmHistory::pictureNames())
            greys += QString::number(qRound(qGray(QImage(folder + picture).pixel(10, 10)) / 20.0));
        QCOMPARE(greys, "2345678");
        QCOMPARE(AlarmHistory::recordLines(folder + name + ".ini"), QStringList {"40.7,34.0,0.97"});

        m_window->on_listWidget_itemClicked(ui->listWidget->item(1));
        const QString afterClick = QString::number(ui->tabWidget->currentIndex());
        m_window->on_listWidget_itemDoubleClicked(ui->listWidget->item(1));
        ui->listWidget_3->setCurrentRow(2);
        QCOMPARE(QStringList({afterClick, QString::number(ui->tabWidget->currentIndex()),
                     ui->label_12->text(), ui->label_14->text(), ui->label_16->text(),
                     ui->listWidget_3->item(0)->text(), QString::number(ui->listWidget_3->count()),
                     ui->listWidget_2->item(1)->text(), QString::number(m_window->m_shownPicture)}),
            QStringList({"0", "1", "36.2", "34.0", "0.97", "Alarm.JPG", "7", name, "2"}));
        QVERIFY(!ui->label_18->pixmap(Qt::ReturnByValue).isNull());
    }

    // Before any frame the dialog is asked but nothing is written; typed without a suffix, the
    // dialog's default suffix gives the format; a file that cannot be written is reported.
    void capture_that_cannot_be_written_is_reported()
    {
        const QString shot = m_root + "/shot";
        m_world->answers->saveAnswer = shot;
        ui->pushButton->click();
        QVERIFY(!QFile::exists(shot + ".png"));
        m_window->display_cap(frameOfGrey(128));
        ui->pushButton->click();
        QCOMPARE(QImage(shot + ".png").size(), QSize(480, 640));
        m_world->answers->saveAnswer = m_root + "/gone/shot.png";
        ui->pushButton->click();
        const QStringList asked = m_world->answers->asked;
        QCOMPARE(asked.mid(0, 2) + asked.mid(6),
            QStringList({"保存的文件", m_root + "/cap.png", "警告",
                "图片保存失败，请检查文件名和文件夹!"}));
    }

private:
    // a: a frame at the threshold, na: n of them, b: a frame below it, s: the stop button,
    // t: a tick of the flash timer, A+/A-, S+/S-, F+/F-: the alarm, sound and file boxes.
    void run(const QString &script)
    {
        QCheckBox *const boxes[] = {ui->checkBox, ui->checkBox_2, ui->checkBox_3};
        for (const QString &step : script.split(' ', Qt::SkipEmptyParts)) {
            if (const int box = QString("ASF").indexOf(step[0]); box >= 0)
                boxes[box]->setChecked(step.endsWith('+'));
            else if (step == "s")
                ui->pushButton_2->click();
            else if (step == "b")
                m_window->updat_temp(33.9f, 34.0f, 0.97f);
            else if (step == "t")
                m_window->timeout_warn();
            for (int i = step.endsWith('a') ? qMax(1, step.chopped(1).toInt()) : 0; i > 0; --i) {
                m_window->display_cap(frameOfGrey(0));
                m_window->updat_temp(34.0f, 34.0f, 0.97f);
            }
        }
    }
};

QTEST_MAIN(tst_CamerWindow)
#include "tst_camerwindow.moc"
