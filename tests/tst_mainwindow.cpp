#include "analysis/analysis_widget.h"
#include "app/mainwindow.h"
#include "browser/photo_window.h"
#include "fakeworld.h"
#include "live/camer_window.h"
#include "ui_mainwindow.h"
#include "ui_photo_window.h"

#include <QtTest>

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_world = std::make_unique<FakeWorld>("EN");
        m_window = std::make_unique<MainWindow>(&m_world->platform);
        QVERIFY(m_window->m_timer->isActive() && m_window->m_timer->interval() == 300);
        m_window->m_timer->stop(); // ticks are driven by hand
    }
    void cleanup() { m_window.reset(), m_world.reset(); }

    // Without a record one is written; the folder goes back to it. The manual opens from beside
    // the executable.
    void configuration_and_manual()
    {
        m_window->m_addr = "/srv/alarms";
        QFile::remove(ConfigRecord::filePath());
        m_window = std::make_unique<MainWindow>(&m_world->platform); // before the old one goes
        QCOMPARE(m_window->m_addr, m_world->home.documents() + "/VX305");
        QCOMPARE(ConfigRecord::readFields(), QStringList({"000", "CH", "/srv/alarms"}));
        m_window->Action_Doc();
        const QString manual = QCoreApplication::applicationDirPath() + "/Software Manual.pdf";
        QCOMPARE(m_world->answers->opened, QList<QUrl> {QUrl::fromLocalFile(manual)});
    }

    // Each tick: the world ("none", "imager" after another camera, "other" camera, or
    // "drive[:folder+folder]"), then the state() after it and the browsers right after it (one
    // replaced there is released later).
    void watch_data()
    {
        // clang-format off
        QTest::addColumn<QString>("ticks");
        const auto row = [](const char *name, const char *ticks) { QTest::newRow(name) << ticks; };
        row("another camera keeps waiting", "other -2 -1 W 0");
        row("drive at start, whatever it holds", "drive 1 2 D 1, drive 1 2 D 1");
        row("imager camera enters screen mode", "none -2 -1 W 0, imager 2 1 S 0, imager 2 1 S 0");
        row("foreign drives keep screen mode",
            "imager 2 1 S 0, drive:Photos 1 1 S 0, drive:dcim_100 1 1 S 0");
        row("screen mode to drive with DCIM_100", "imager 2 1 S 0, drive:DCIM_100 1 2 D 1");
        row("both folders switch twice", "imager 2 1 S 0, drive:Images+DCIM_100 1 2 D 2");
        row("camera lost: waiting, mode kept", "imager 2 1 S 0, none -2 1 W 0, imager 2 1 S 0");
        row("waiting after screen mode, a drive", "imager 2 1 S 0, none -2 1 W 0, drive 1 2 D 1");
        row("drive unplugged: waiting, mode kept", "drive 1 2 D 1, none -2 2 W 1, drive 1 2 D 1");
        row("camera appearing in drive mode switches nothing", "drive 1 2 D 1, imager 2 2 D 1");
        // clang-format on
    }
    void watch()
    {
        QFETCH(QString, ticks);
        m_world->answers->questionAnswer = QMessageBox::Yes;
        for (const QString &tick : ticks.split(", ")) {
            apply(tick.section(' ', 0, 0));
            m_window->timeout_connect();
            // Connect is offered until a mode has been entered; one browser at most remains.
            const QString menus = tick.section(' ', 2, 2) == "-1" ? " 10 " : " 01 ";
            const int browsers = m_window->findChildren<photo_window *>().size();
            QCOMPARE(state() + ' ' + QString::number(browsers),
                tick.section(' ', 1, 3) + menus + tick.section(' ', 4));
            QTRY_COMPARE(
                m_window->findChildren<photo_window *>().size(), m_window->m_photoWindow ? 1 : 0);
        }
    }

    void unplugged_during_dialog_keeps_window_alive_data()
    {
        QTest::addColumn<QString>("dialog");
        for (const char *dialog :
            {"parse warning", "report", "colour", "model question", "capture"})
            QTest::newRow(dialog) << QString(dialog);
    }
    // The watch keeps ticking inside a dialog's event loop; it must not destroy the window
    // whose slot opened the dialog. Real dialogs, closed from inside their own loop.
    void unplugged_during_dialog_keeps_window_alive()
    {
        QFETCH(QString, dialog);
        m_world->answers.reset();
        const QString root = m_world->drive("IMAGER", {"DCIM_100"});
        QVERIFY(PictureFixture::writeBytes(root + "DCIM_100/damaged.bmp", "damaged"));
        if (dialog == "capture")
            apply("imager");
        else
            m_world->platform.drives << root << m_world->drive("BOTH", {"DCIM_100", "Images"});
        m_window->timeout_connect();
        photo_window *browser = m_window->m_photoWindow;
        const QPointer<QWidget> host
            = browser ? static_cast<QWidget *>(browser) : m_window->m_camerWindow.data();
        if (browser)
            browser->list_item_doubleclicked(browser->m_iconView->item(0));
        QString inside; // whether the window lived through the ticks, and the status then
        QTimer::singleShot(0, [&] {
            apply("none");
            QSignalSpy ticks(m_window->m_timer, &QTimer::timeout);
            QTRY_VERIFY(ticks.count() >= 3);
            inside = (host ? "alive " : "gone ") + state().section(' ', 2, 2);
            if (auto *shown = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                shown->reject();
        });
        m_window->m_timer->start();
        if (dialog == "parse warning")
            browser->list_item_doubleclicked(browser->m_iconView->item(1));
        else if (dialog == "report")
            browser->findChild<Analysis_Widget *>()->on_pushButton_clicked();
        else if (dialog == "colour")
            browser->findChild<Analysis_Widget *>()->on_pushButton_4_clicked();
        else if (dialog == "model question")
            browser->ui->listWidget->setCurrentRow(1);
        else
            m_window->m_camerWindow->on_pushButton_clicked();
        QCOMPARE(inside, browser ? "alive D" : "alive S");
        // Once the dialog has closed, the next tick switches as usual.
        QTRY_VERIFY(!host);
        QCOMPARE(state().section(' ', 2, 2), "W");
    }

    void older_window_leaving_full_screen_spares_the_new_one()
    {
        QPointer<camer_window> older = screenMode();
        older->set_fullscr(false);
        m_window->m_timer->start();
        m_window->Action_Disconnect(); // the watch stops
        QVERIFY(!m_window->m_timer->isActive());
        m_window->Action_connect();
        m_window->m_timer->stop();
        m_window->timeout_connect();
        QPointer<camer_window> newer = m_window->m_camerWindow;
        QVERIFY(newer && newer != older);
        older->set_fullscr(true);
        QTRY_VERIFY(!older);
        QVERIFY(newer && m_window->ui->horizontalLayout->itemAt(0)->widget() == newer);
        // A window still detached in full screen goes with the main window.
        newer->set_fullscr(false);
        m_window.reset();
        QVERIFY(!newer);
    }

private:
    // Connection state, mode, status (W waiting, S screen mode, D drive mode, X disconnected),
    // whether Connect and Disconnect are enabled.
    QString state() const
    {
        const QList<QAction *> menu = m_window->m_fileMenu->actions();
        const QStringList texts {"?", "正在等待连接...", "投屏模式", "U盘模式", "已断开连接"};
        return QString::asprintf("%d %d %c %d%d", m_window->m_connectState, m_window->m_mode,
            "?WSDX"[qMax(0, texts.indexOf(m_window->ui->label->text()))], menu.at(0)->isEnabled(),
            menu.at(1)->isEnabled());
    }

    void apply(const QString &world)
    {
        FakePlatform &platform = m_world->platform;
        platform.cameraList = {FakePlatform::otherCamera(), FakePlatform::imager()};
        platform.cameraList = platform.cameraList.mid(0, world == "imager" ? 2 : world == "other");
        platform.drives.clear();
        if (world.startsWith("drive"))
            platform.drives << makeDrive(m_world->drives, world, world.section(':', 1).split('+'));
    }

    // The imager's camera found: the live window in the content row.
    camer_window *screenMode()
    {
        apply("imager");
        m_window->timeout_connect();
        QLayoutItem *row = m_window->ui->horizontalLayout->itemAt(0);
        return row && row->widget() == m_window->m_camerWindow ? m_window->m_camerWindow : nullptr;
    }

    std::unique_ptr<FakeWorld> m_world;
    std::unique_ptr<MainWindow> m_window;
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
