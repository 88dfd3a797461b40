#include "live/alarmhistory.h"
#include "live/camer_window.h"
#include "ui_camer_window.h"
#include "fakeworld.h"

#include <QMediaPlayer>
#include <QtTest>
#include <QtWidgets>

static QImage frameOfGrey(int grey)
{
    QImage frame(240, 320, QImage::Format_RGB888);
    frame.fill(QColor(grey, grey, grey));
    return frame;
}

class tst_CamerWindow : public QObject
{
    Q_OBJECT

private slots:
    // The first camera that passes the imager test is started, and only that one; the watch
    // runs whenever there is a camera at all.
    void init()
    {
        m_world = std::make_unique<FakeWorld>("EN");
        FakePlatform &platform = m_world->platform;
        // With no camera no watch runs; Russian texts widen the tabs.
        ConfigRecord::rewriteField(ConfigRecord::LanguageCode, "RU");
        const camer_window alone(nullptr, &platform);
        QVERIFY(!alone.m_timer && alone.ui->tabWidget->styleSheet().contains("width: 150"));
        platform.cameraList = { { "", "usb#vid_1d6b&pid_0104", "UVC Camera" },
                                { "", "usb#vid_1d6b&pid_0102&mi_00", "UVC Camera" },
                                FakePlatform::imager() };
        m_window = std::make_unique<camer_window>(nullptr, &platform);
        QCOMPARE(platform.opened, QStringList { "usb#vid_1d6b&pid_0102&mi_00" });
        QVERIFY(m_window->m_timer && m_window->m_timer->isActive());
        QCOMPARE(m_window->m_timer->interval(), 300);
        m_window->set_addr(m_world->drives.path());
    }
    void cleanup()
    {
        m_window.reset();
        m_world.reset();
    }

    void alarm_data()
    {
        QTest::addColumn<QString>("script"); // see run()
        QTest::addColumn<QString>("style"); // a running alarm keeps it until the first tick
        QTest::addColumn<QVector<int>>("state"); // flashing, frames counted, folders, sound set
        const QString normal = camer_window::NormalStyle;
        const QString quiet = camer_window::QuietStyle;
        const QString stopped = camer_window::FlashBStyle;
        const QString flashA = camer_window::FlashAStyle;
        const auto alarmRow = [](const char *name, const char *script, const QString &style,
                                 const QVector<int> &state) {
            QTest::newRow(name) << QString(script) << style << state;
        };
        alarmRow("maximum equal to threshold alarms, then below", "A+ a b", normal, { 0, 0, 0, 0 });
        alarmRow("alarm box off is quiet", "a", quiet, { 0, 0, 0, 0 });
        alarmRow("first tick yellow on red, with sound", "A+ S+ a t", flashA, { 1, 0, 0, 1 });
        alarmRow("second tick red on white", "A+ a t t", stopped, { 1, 0, 0, 0 });
        alarmRow("seven frames are not enough", "A+ F+ 7a", normal, { 1, 7, 0, 0 });
        alarmRow("eighth writes a folder, later ones nothing", "A+ F+ 12a", normal, { 1, 9, 1, 0 });
        alarmRow("a frame below starts a new alarm", "A+ F+ 8a b 8a", normal, { 1, 9, 2, 0 });
        alarmRow("stop freezes the count", "A+ F+ 7a s 10a", stopped, { 0, 7, 0, 0 });
        alarmRow("after stop, below, then eight", "A+ F+ 7a s 10a b 8a", normal, { 1, 9, 1, 0 });
        alarmRow("file box switched on late", "A+ 20a F+ 8a", normal, { 1, 9, 1, 0 });
        alarmRow("alarm box off mid-alarm", "A+ F+ 5a A- a", quiet, { 0, 0, 0, 0 });
        alarmRow("toggling the box clears the stop", "A+ 3a s A- A+ a", stopped, { 1, 0, 0, 0 });
        // Switched off, the alarm box unchecks the other two; switched on, it leaves them off.
        alarmRow("alarm box off unchecks both", "A+ S+ F+ A- A+ 8a t", flashA, { 1, 0, 0, 0 });
    }
    void alarm()
    {
        QFETCH(QString, script);
        QFETCH(QString, style);
        QFETCH(QVector<int>, state);
        run(script);
        const QTimer *flash = m_window->m_timerWarn;
        const int folders = AlarmHistory::alarmFolders(m_world->drives.path()).size();
        const QUrl sound = m_window->m_player->media().request().url();
        QCOMPARE(QVector<int>({ flash->isActive() && flash->interval() == 500,
                                m_window->m_alarmFrames, folders,
                                sound == QUrl("qrc:/Sound/Alarm/Alarm.mp3") }),
                 state);
        QCOMPARE(m_window->ui->label_6->styleSheet(), style);
        QCOMPARE(m_window->ui->listWidget->count() + m_window->ui->listWidget_2->count(),
                 2 * folders);
    }

    // The folder holds the last seven frames, the record the readouts of the one before the
    // eighth (still shown when the eighth was judged). A single click on the list does nothing;
    // a double click opens the history at the oldest alarm, with the last line of its record
    // and its pictures, the alarm picture first.
    void alarm_folder_and_history()
    {
        const QString root = m_world->drives.path();
        const QDateTime older(QDate(2023, 12, 5), QTime(10, 15, 30));
        const QList<QImage> seven = QVector<QImage>(7, frameOfGrey(10)).toList();
        QVERIFY(AlarmHistory::writeAlarmFolder(root, seven, "1.0,2.0,0.50\n36.2,34.0,0.97", older));
        QDir(root).mkdir("2023");
        run("A+ F+");
        for (int k = 1; k <= 8; ++k) {
            m_window->display_cap(frameOfGrey(20 * k));
            m_window->updat_temp(40.0f + k / 10.0f, 34.0f, 0.97f);
        }
        const QString name = AlarmHistory::alarmFolders(root).value(1);
        const QString folder = root + '/' + name + '/';
        for (int i = 0; i < 7; ++i) {
            const QImage picture(folder + AlarmHistory::pictureNames().at(i), "jpg");
            QVERIFY2(qAbs(qGray(picture.pixel(10, 10)) - 20 * (i + 2)) <= 3, qPrintable(folder));
        }
        const QStringList record { "40.7,34.0,0.97" };
        QCOMPARE(AlarmHistory::recordLines(folder + name + ".ini"), record);

        const Ui::camer_window *ui = m_window->ui;
        m_window->on_listWidget_itemClicked(ui->listWidget->item(1));
        QCOMPARE(ui->tabWidget->currentIndex(), 0);
        m_window->on_listWidget_itemDoubleClicked(ui->listWidget->item(1));
        QCOMPARE(QStringList({ QString::number(ui->tabWidget->currentIndex()), ui->label_12->text(),
                               ui->label_14->text(), ui->label_16->text(),
                               ui->listWidget_3->item(0)->text(),
                               ui->listWidget_2->item(1)->text() }),
                 QStringList({ "1", "36.2", "34.0", "0.97", "Alarm.JPG", name }));
        QCOMPARE(ui->listWidget_3->count(), 7);
        ui->listWidget_3->setCurrentRow(2);
        QCOMPARE(m_window->m_shownPicture, 2);
        QVERIFY(!ui->label_18->pixmap(Qt::ReturnByValue).isNull());
    }

    void capture()
    {
        // Typed without a suffix: the dialog's default suffix gives the format.
        const QString target = m_world->drives.path() + "/shot.png";
        m_world->answers->saveAnswer = m_world->drives.path() + "/shot";
        // Before any frame the dialog is asked but nothing is written.
        m_window->ui->pushButton->click();
        const QStringList asked { "保存的文件", m_world->drives.path() + "/cap.png" };
        QCOMPARE(m_world->answers->asked, asked);
        QVERIFY(!QFile::exists(target));
        m_window->display_cap(frameOfGrey(128));
        m_window->ui->pushButton->click();
        QCOMPARE(QImage(target).size(), QSize(480, 640));
    }

    void capture_that_cannot_be_written_is_reported()
    {
        m_window->display_cap(frameOfGrey(128));
        m_world->answers->saveAnswer = m_world->drives.path() + "/gone/shot.png";
        m_window->ui->pushButton->click();
        const QStringList said { "警告", "图片保存失败，请检查文件名和文件夹!" };
        QCOMPARE(m_world->answers->asked.mid(2), said);
    }

private:
    // a: a frame at the threshold, na: n of them, b: a frame below it, s: the stop button,
    // t: a tick of the flash timer, A+/A-, S+/S-, F+/F-: the alarm, sound and file boxes.
    void run(const QString &script)
    {
        const QMap<QChar, QCheckBox *> boxes { { 'A', m_window->ui->checkBox },
                                               { 'S', m_window->ui->checkBox_2 },
                                               { 'F', m_window->ui->checkBox_3 } };
        const QStringList steps = script.split(' ', Qt::SkipEmptyParts);
        for (const QString &step : steps) {
            if (boxes.contains(step.at(0)))
                boxes.value(step.at(0))->setChecked(step.endsWith('+'));
            else if (step == "s")
                m_window->ui->pushButton_2->click();
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

    std::unique_ptr<FakeWorld> m_world;
    std::unique_ptr<camer_window> m_window;
};

QTEST_MAIN(tst_CamerWindow)
#include "tst_camerwindow.moc"
