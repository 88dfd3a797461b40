#include "analysis/analysis_widget.h"
#include "app/mainwindow.h"
#include "browser/photo_window.h"
#include "live/camer_window.h"
#include "ui_camer_window.h"
#include "ui_mainwindow.h"
#include "ui_photo_window.h"
#include "fakeworld.h"

#include <QtTest>
#include <QtWidgets>

const QString Waiting = "正在等待连接...";
const QString Screen = "投屏模式";
const QString Drive = "U盘模式";
const QString Disconnected = "已断开连接";

static int g_photoSwitches = 0;

static void countPhotoSwitches(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_photoSwitches += message.contains("MainWindow::Action_photo");
}

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qInstallMessageHandler(countPhotoSwitches); }
    void init()
    {
        m_world = std::make_unique<FakeWorld>("EN");
        m_window = std::make_unique<MainWindow>(&m_world->platform);
        QVERIFY(m_window->m_timer->isActive() && m_window->m_timer->interval() == 300);
        m_window->m_timer->stop(); // ticks are driven by hand
        g_photoSwitches = 0;
    }
    void cleanup()
    {
        m_window.reset();
        m_world.reset();
    }

    // The folder comes from the record and goes back to it; without a record one is written.
    void configuration()
    {
        const QString folder = m_world->home.documents() + "/VX305";
        QCOMPARE(m_window->m_addr, folder);
        m_window->m_addr = "/srv/alarms";
        QFile::remove(ConfigRecord::filePath());
        // The new window comes before the old one is gone.
        m_window = std::make_unique<MainWindow>(&m_world->platform);
        QCOMPARE(m_window->m_addr, folder);
        QCOMPARE(ConfigRecord::readFields(), QStringList({ "000", "CH", "/srv/alarms" }));
    }

    // Each tick: the world ("none", "imager" after another camera, "other" camera, or
    // "drive[:folder+folder]"), then the connection state, mode and status (W, S, D) after it.
    void watch_data()
    {
        QTest::addColumn<QStringList>("ticks");
        QTest::addColumn<int>("photoSwitches");
        const auto row = [](const char *name, const QString &ticks, int photoSwitches) {
            QTest::newRow(name) << ticks.split(", ") << photoSwitches;
        };
        row("another camera keeps waiting", "other -2 -1 W", 0);
        row("drive at start, whatever it holds", "drive 1 2 D, drive 1 2 D", 1);
        row("imager camera enters screen mode", "none -2 -1 W, imager 2 1 S, imager 2 1 S", 0);
        row("foreign drives keep screen mode",
            "imager 2 1 S, drive:Photos 1 1 S, drive:dcim_100 1 1 S", 0);
        row("screen mode to drive with DCIM_100", "imager 2 1 S, drive:DCIM_100 1 2 D", 1);
        row("both folders switch twice", "imager 2 1 S, drive:Images+DCIM_100 1 2 D", 2);
        row("camera lost: waiting, mode kept", "imager 2 1 S, none -2 1 W, imager 2 1 S", 0);
        row("waiting after screen mode, then a drive", "imager 2 1 S, none -2 1 W, drive 1 2 D", 1);
        row("drive unplugged: waiting, mode kept", "drive 1 2 D, none -2 2 W, drive 1 2 D", 2);
        row("camera appearing in drive mode switches nothing", "drive 1 2 D, imager 2 2 D", 1);
    }
    void watch()
    {
        QFETCH(QStringList, ticks);
        QFETCH(int, photoSwitches);
        m_world->answers->questionAnswer = QMessageBox::Yes;
        const QMap<QString, QString> statuses { { Waiting, "W" }, { Screen, "S" }, { Drive, "D" } };
        for (const QString &tick : ticks) {
            apply(tick.section(' ', 0, 0));
            m_window->timeout_connect();
            QCOMPARE(QString("%1 %2 %3").arg(m_window->m_connectState).arg(m_window->m_mode)
                             .arg(statuses.value(m_window->ui->label->text())),
                     tick.section(' ', 1));
            // Connect is offered until a mode has been entered; one browser at most remains.
            QCOMPARE(menu(0)->isEnabled(), m_window->m_mode == -1);
            QCOMPARE(menu(1)->isEnabled(), m_window->m_mode != -1);
            const int browsers = m_window->m_photoWindow ? 1 : 0;
            QTRY_COMPARE(m_window->findChildren<photo_window *>().size(), browsers);
        }
        QCOMPARE(g_photoSwitches, photoSwitches);
    }

    void manual_opens_beside_executable()
    {
        m_window->Action_Doc();
        const QString manual = QCoreApplication::applicationDirPath() + "/Software Manual.pdf";
        QCOMPARE(m_world->answers->opened, QList<QUrl> { QUrl::fromLocalFile(manual) });
    }

    void full_screen_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QString>("status");
        // Then dis() emitted, Connect and Disconnect enabled, the connection state and the mode.
        QTest::addColumn<QVector<int>>("state");
        QTest::newRow("leaving it puts it back into the row")
                << "leave" << Screen << QVector<int> { 0, 0, 1, 2, 1 };
        QTest::newRow("closing it disconnects")
                << "close" << Disconnected << QVector<int> { 1, 1, 0, -1, -1 };
        QTest::newRow("the imager unplugged closes it, the watch goes on")
                << "unplug" << Waiting << QVector<int> { 1, 1, 0, -2, -1 };
    }
    // The live window detached in full screen, while the imager stays, and how that ends; then
    // Connect and a drive: the watch finds it on its own.
    void full_screen()
    {
        QFETCH(QString, ending);
        QFETCH(QString, status);
        QFETCH(QVector<int>, state);
        QPointer<camer_window> live = screenMode();
        // It follows the folder the settings dialog sends.
        m_window->Get_Addr(m_world->drives.path());
        QCOMPARE(live->m_addr, m_world->drives.path());
        // A double click elsewhere and Escape change nothing; a double click on the picture
        // shows it full screen by itself, Escape takes it back.
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTest::mouseDClick(live, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QVERIFY(!live->m_isFull);
        QTest::keyClick(live, Qt::Key_Escape);
        QVERIFY(!live->m_isFull && live->parent());
        const QLabel *picture = live->ui->label_17;
        const QPoint centre = picture->mapTo(live, picture->rect().center());
        QTest::mouseDClick(live, Qt::LeftButton, Qt::NoModifier, centre);
        QVERIFY(live->m_isFull && live->isFullScreen() && !live->parent());
        QCOMPARE(m_window->ui->horizontalLayout->count(), 0);
        m_window->timeout_connect(); // the imager is still there: nothing changes
        QSignalSpy disconnected(live.data(), &camer_window::dis);
        m_window->m_timer->start(300);
        if (ending == "leave")
            QTest::keyClick(live, Qt::Key_Escape);
        else if (ending == "close")
            live->close();
        apply(ending == "unplug" ? "none" : "imager");
        if (ending == "unplug")
            m_window->timeout_connect();
        // Disconnected, the watch stops; unplugged, it goes on at once.
        const QTimer *watch = m_window->m_timer;
        QCOMPARE(watch->isActive() && watch->interval() == 300, ending != "close");
        m_window->m_timer->stop();
        if (ending == "unplug")
            m_window->timeout_connect();
        QCOMPARE(m_window->ui->label->text(), status);
        QCOMPARE(QVector<int>({ disconnected.count(), menu(0)->isEnabled(), menu(1)->isEnabled(),
                                m_window->m_connectState, m_window->m_mode }),
                 state);
        if (ending == "leave")
            QVERIFY(!live->m_isFull && m_window->ui->horizontalLayout->itemAt(0)->widget() == live);
        // A closed window is released at the next content replacement, not under its feet.
        QVERIFY(live);
        m_window->Action_connect();
        apply("drive");
        QTRY_COMPARE_WITH_TIMEOUT(m_window->m_mode, 2, 5000);
        QTRY_VERIFY(!live);
    }

    void unplugged_during_dialog_keeps_window_alive_data()
    {
        QTest::addColumn<QString>("dialog");
        for (const char *dialog :
             { "parse warning", "report", "colour", "model question", "capture" })
            QTest::newRow(dialog) << QString(dialog);
    }
    // The watch keeps ticking inside a dialog's event loop; it must not destroy the window
    // whose slot opened the dialog. Real dialogs, closed from inside their own loop.
    void unplugged_during_dialog_keeps_window_alive()
    {
        QFETCH(QString, dialog);
        m_world->answers.reset();
        const QString root = m_world->drive("IMAGER", { "DCIM_100" });
        QVERIFY(PictureFixture::writeBytes(root + "DCIM_100/damaged.bmp", "damaged"));
        apply(dialog == "capture" ? "imager" : "none");
        if (dialog != "capture")
            m_world->platform.drives << root << m_world->drive("BOTH", { "DCIM_100", "Images" });
        m_window->timeout_connect();
        photo_window *browser = m_window->m_photoWindow;
        QPointer<QWidget> host = m_window->m_camerWindow.data();
        if (browser)
            host = browser;
        if (browser)
            browser->list_item_doubleclicked(browser->m_iconView->item(0));
        auto *analysis = browser ? browser->findChild<Analysis_Widget *>() : nullptr;

        bool aliveInside = false;
        QString statusInside;
        QTimer::singleShot(0, [&] {
            apply("none");
            QSignalSpy ticks(m_window->m_timer, &QTimer::timeout);
            QTRY_VERIFY(ticks.count() >= 3);
            aliveInside = host;
            statusInside = m_window->ui->label->text();
            if (auto *shown = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                shown->reject();
        });
        m_window->m_timer->start();
        if (dialog == "parse warning")
            browser->list_item_doubleclicked(browser->m_iconView->item(1));
        else if (dialog == "report")
            analysis->on_pushButton_clicked();
        else if (dialog == "colour")
            analysis->on_pushButton_4_clicked();
        else if (dialog == "model question")
            browser->ui->listWidget->setCurrentRow(1);
        else
            m_window->m_camerWindow->on_pushButton_clicked();
        QVERIFY(aliveInside);
        QCOMPARE(statusInside, browser ? Drive : Screen);
        // Once the dialog has closed, the next tick switches as usual.
        QTRY_VERIFY(!host);
        QCOMPARE(m_window->ui->label->text(), Waiting);
    }

    void older_window_leaving_full_screen_spares_the_new_one()
    {
        QPointer<camer_window> older = screenMode();
        older->set_fullscr(false);
        m_window->Action_Disconnect();
        m_window->Action_connect();
        m_window->m_timer->stop();
        m_window->timeout_connect();
        QPointer<camer_window> newer = m_window->m_camerWindow;
        QVERIFY(newer && newer != older);
        older->set_fullscr(true);
        QTRY_VERIFY(!older);
        QVERIFY(newer && m_window->ui->horizontalLayout->itemAt(0)->widget() == newer);
    }

private:
    QAction *menu(int entry) const { return m_window->m_fileMenu->actions().at(entry); }

    void apply(const QString &world)
    {
        FakePlatform &platform = m_world->platform;
        platform.drives.clear();
        platform.cameraList.clear();
        if (world == "imager")
            platform.cameraList = { FakePlatform::otherCamera(), FakePlatform::imager() };
        else if (world == "other")
            platform.cameraList = { FakePlatform::otherCamera() };
        else if (world.startsWith("drive"))
            platform.drives << makeDrive(m_world->drives, world, world.section(':', 1).split('+'));
    }

    // The imager's camera found: the live window in the content row.
    camer_window *screenMode()
    {
        apply("imager");
        m_window->timeout_connect();
        QLayoutItem *row = m_window->ui->horizontalLayout->itemAt(0);
        camer_window *live = m_window->m_camerWindow;
        return row && row->widget() == live ? live : nullptr;
    }

    std::unique_ptr<FakeWorld> m_world;
    std::unique_ptr<MainWindow> m_window;
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
