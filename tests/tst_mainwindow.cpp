#include "app/configrecord.h"
#include "app/mainwindow.h"
#include "analysis/analysis_widget.h"
#include "browser/photo_window.h"
#include "live/camer_window.h"
#include "ui_analysis_widget.h"
#include "ui_camer_window.h"
#include "ui_mainwindow.h"
#include "ui_photo_window.h"
#include "picturefixture.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// One tick of the watch: what the world looks like, and what the window must show after it.
struct Tick
{
    QString world; // "none", "imager", "other", or "drive" with optional ":folder+folder"
    int state;
    int mode;
    QString status;
};

int g_photoSwitches = 0;
QtMessageHandler g_previousHandler = nullptr;

void countSwitches(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QStringLiteral("MainWindow::Action_photo")))
        ++g_photoSwitches;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

const QString Waiting = QStringLiteral("正在等待连接...");
const QString Screen = QStringLiteral("投屏模式");
const QString Drive = QStringLiteral("U盘模式");

} // namespace

Q_DECLARE_METATYPE(Tick)
Q_DECLARE_METATYPE(QList<Tick>)

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { g_previousHandler = qInstallMessageHandler(countSwitches); }
    void init();
    void cleanup();

    void construction();
    void configuration_load_without_file();
    void destruction_stores_folder();
    void watch_data();
    void watch();
    void disconnect_stops_watch();
    void manual_opens_beside_executable();
    void live_window_hosted_in_content_row();
    void full_screen_and_back();
    void closing_full_screen_disconnects();
    void unplug_while_full_screen_keeps_watching();
    void folder_reaches_live_window();
    void replaced_live_window_is_not_used();
    void drive_to_measurement_end_to_end();
    void unplugged_during_dialog_keeps_window_alive_data();
    void unplugged_during_dialog_keeps_window_alive();
    void older_window_leaving_full_screen_spares_the_new_one();

private:
    void apply(const QString &world);
    [[nodiscard]] bool connectEnabled() const { return m_window->m_fileMenu->actions().at(0)->isEnabled(); }
    [[nodiscard]] bool disconnectEnabled() const { return m_window->m_fileMenu->actions().at(1)->isEnabled(); }

    std::unique_ptr<TemporaryHome> m_home;
    std::unique_ptr<QTemporaryDir> m_drives;
    // A drive holding both picture folders makes the photo browser ask which to open.
    std::unique_ptr<DialogAnswerer> m_answers;
    FakePlatform m_platform;
    std::unique_ptr<MainWindow> m_window;
};

void tst_MainWindow::init()
{
    m_home = std::make_unique<TemporaryHome>();
    m_drives = std::make_unique<QTemporaryDir>();
    m_answers = std::make_unique<DialogAnswerer>();
    m_platform = FakePlatform();
    ConfigRecord::createDefault("EN");
    m_window = std::make_unique<MainWindow>(&m_platform);
    // Ticks are driven by hand.
    m_window->m_timer->stop();
    g_photoSwitches = 0;
}

void tst_MainWindow::cleanup()
{
    m_window.reset();
    m_answers.reset();
    m_drives.reset();
    m_home.reset();
}

void tst_MainWindow::apply(const QString &world)
{
    m_platform.drives.clear();
    m_platform.cameraList.clear();
    if (world == QLatin1String("imager")) {
        m_platform.cameraList = { FakePlatform::otherCamera(), FakePlatform::imager() };
    } else if (world == QLatin1String("other")) {
        m_platform.cameraList = { FakePlatform::otherCamera() };
    } else if (world.startsWith(QLatin1String("drive"))) {
        const QStringList folders = world.section(':', 1).split('+', Qt::SkipEmptyParts);
        m_platform.drives = QStringList { makeDrive(*m_drives, world, folders) };
    }
}

void tst_MainWindow::construction()
{
    QCOMPARE(m_window->windowTitle(), QString("VX305"));
    QCOMPARE(m_window->size(), QSize(1150, 800));
    QCOMPARE(m_window->minimumSize(), QSize(300, 200));
    QVERIFY(!m_window->windowIcon().isNull());
    QCOMPARE(m_window->m_connectState, -1);
    QCOMPARE(m_window->m_mode, -1);
    QCOMPARE(m_window->m_addr, m_home->documents() + "/VX305");
    QCOMPARE(m_window->ui->label->text(), Waiting);
    QVERIFY(m_window->ui->label->font().bold());
    QCOMPARE(m_window->ui->label->font().pointSize(), 10);
    QCOMPARE(m_window->ui->horizontalLayout->count(), 0);

    const QList<QAction *> menus = m_window->menuBar()->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus.at(0)->text(), QString("文件"));
    QCOMPARE(menus.at(1)->text(), QString("帮助"));
    // The four entries keep their positions; "Open folder..." follows a separator.
    const QList<QAction *> file = m_window->m_fileMenu->actions().mid(0, 4);
    QStringList texts;
    for (QAction *action : file) {
        texts << action->text();
        QVERIFY2(!action->icon().isNull(), qPrintable(action->text()));
    }
    QCOMPARE(texts, QStringList({ "连接", "断开", "选项", "关闭" }));
    QVERIFY(connectEnabled());
    QVERIFY(!disconnectEnabled());
    QVERIFY(file.at(2)->isEnabled());

    // A fresh window's own watch runs every 300 ms.
    MainWindow fresh(&m_platform);
    QVERIFY(fresh.m_timer->isActive());
    QCOMPARE(fresh.m_timer->interval(), 300);
}

void tst_MainWindow::configuration_load_without_file()
{
    m_window.reset();
    QFile::remove(ConfigRecord::filePath());
    m_window = std::make_unique<MainWindow>(&m_platform);
    QCOMPARE(m_window->m_addr, m_home->documents() + "/VX305");
    QCOMPARE(ConfigRecord::readFields(),
             QStringList({ "000", "CH", m_home->documents() + "/VX305" }));
}

void tst_MainWindow::destruction_stores_folder()
{
    m_window->m_addr = "/srv/alarms";
    m_window.reset();
    QCOMPARE(ConfigRecord::readFields(), QStringList({ "000", "EN", "/srv/alarms" }));
}

void tst_MainWindow::watch_data()
{
    QTest::addColumn<QList<Tick>>("ticks");
    QTest::addColumn<int>("photoSwitches");

    QTest::newRow("nothing attached keeps waiting")
            << QList<Tick>{ { "none", -2, -1, Waiting }, { "none", -2, -1, Waiting } } << 0;
    QTest::newRow("another camera keeps waiting")
            << QList<Tick>{ { "other", -2, -1, Waiting } } << 0;
    QTest::newRow("drive at start, whatever it holds")
            << QList<Tick>{ { "drive", 1, 2, Drive }, { "drive", 1, 2, Drive } } << 1;
    QTest::newRow("imager camera enters screen mode")
            << QList<Tick>{ { "none", -2, -1, Waiting }, { "imager", 2, 1, Screen },
                            { "imager", 2, 1, Screen } }
            << 0;
    QTest::newRow("foreign drive keeps screen mode")
            << QList<Tick>{ { "imager", 2, 1, Screen }, { "drive:Photos", 1, 1, Screen },
                            { "drive:dcim_100", 1, 1, Screen } }
            << 0;
    QTest::newRow("screen mode to drive with DCIM_100")
            << QList<Tick>{ { "imager", 2, 1, Screen }, { "drive:DCIM_100", 1, 2, Drive } } << 1;
    QTest::newRow("both folders switch twice")
            << QList<Tick>{ { "imager", 2, 1, Screen },
                            { "drive:Images+DCIM_100", 1, 2, Drive } }
            << 2;
    QTest::newRow("camera lost goes back to waiting, mode kept")
            << QList<Tick>{ { "imager", 2, 1, Screen }, { "none", -2, 1, Waiting },
                            { "imager", 2, 1, Screen } }
            << 0;
    QTest::newRow("drive unplugged goes back to waiting, mode kept")
            << QList<Tick>{ { "drive", 1, 2, Drive }, { "none", -2, 2, Waiting },
                            { "drive", 1, 2, Drive } }
            << 2;
    QTest::newRow("camera appearing in drive mode switches nothing")
            << QList<Tick>{ { "drive", 1, 2, Drive }, { "imager", 2, 2, Drive } } << 1;
    QTest::newRow("waiting after screen mode, then a drive")
            << QList<Tick>{ { "imager", 2, 1, Screen }, { "none", -2, 1, Waiting },
                            { "drive", 1, 2, Drive } }
            << 1;
}

void tst_MainWindow::watch()
{
    QFETCH(QList<Tick>, ticks);
    QFETCH(int, photoSwitches);

    for (int i = 0; i < ticks.size(); ++i) {
        const Tick &tick = ticks.at(i);
        apply(tick.world);
        m_window->timeout_connect();
        const QByteArray where = "tick " + QByteArray::number(i) + " (" + tick.world.toUtf8() + ")";
        QVERIFY2(m_window->m_connectState == tick.state,
                 where + ": state " + QByteArray::number(m_window->m_connectState));
        QVERIFY2(m_window->m_mode == tick.mode,
                 where + ": mode " + QByteArray::number(m_window->m_mode));
        QVERIFY2(m_window->ui->label->text() == tick.status,
                 where + ": status " + m_window->ui->label->text().toUtf8());
        // Connect is offered until a mode has been entered.
        QCOMPARE(connectEnabled(), m_window->m_mode == -1);
        QCOMPARE(disconnectEnabled(), m_window->m_mode != -1);
    }
    QCOMPARE(g_photoSwitches, photoSwitches);
}

void tst_MainWindow::disconnect_stops_watch()
{
    apply("drive");
    m_window->timeout_connect();
    m_window->m_timer->start(300);
    m_window->Action_Disconnect();
    QVERIFY(!m_window->m_timer->isActive());
    QCOMPARE(m_window->ui->label->text(), QString("已断开连接"));
    QCOMPARE(m_window->m_connectState, -1);
    QCOMPARE(m_window->m_mode, -1);
    QVERIFY(connectEnabled());
    QVERIFY(!disconnectEnabled());
    QCOMPARE(m_window->ui->horizontalLayout->count(), 0);

    m_window->Action_connect();
    QVERIFY(m_window->m_timer->isActive());
    QCOMPARE(m_window->m_timer->interval(), 300);
    QCOMPARE(m_window->m_connectState, -1);
    // The restarted watch finds the drive again on its own.
    QTRY_COMPARE_WITH_TIMEOUT(m_window->m_mode, 2, 5000);
}

void tst_MainWindow::manual_opens_beside_executable()
{
    DialogAnswerer answers;
    m_window->Action_Doc();
    QCOMPARE(answers.opened.size(), 1);
    QCOMPARE(answers.opened.first(),
             QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/Software Manual.pdf"));
}

void tst_MainWindow::live_window_hosted_in_content_row()
{
    apply("imager");
    m_window->timeout_connect();
    QVERIFY(m_window->m_camerWindow);
    QCOMPARE(m_window->ui->horizontalLayout->count(), 1);
    QCOMPARE(m_window->ui->horizontalLayout->itemAt(0)->widget(), m_window->m_camerWindow.data());
    QCOMPARE(m_window->m_camerWindow->m_addr, m_window->m_addr);
    // The live window looked for the imager itself, among the same cameras.
    QCOMPARE(m_platform.opened, QStringList { FakePlatform::imager().deviceName });
}

void tst_MainWindow::full_screen_and_back()
{
    apply("imager");
    m_window->timeout_connect();
    QPointer<camer_window> live = m_window->m_camerWindow;
    live->set_fullscr(false);
    QVERIFY(live->m_isFull);
    QVERIFY(!live->parent());
    QCOMPARE(m_window->ui->horizontalLayout->count(), 0);

    // The watch keeps the window while the imager is still there.
    m_window->timeout_connect();
    QVERIFY(live);
    QVERIFY(live->isVisible());

    live->set_fullscr(true);
    QVERIFY(!live->m_isFull);
    QCOMPARE(m_window->ui->horizontalLayout->count(), 1);
    QCOMPARE(m_window->ui->horizontalLayout->itemAt(0)->widget(), live.data());
    QCOMPARE(m_window->m_mode, 1);
}

void tst_MainWindow::closing_full_screen_disconnects()
{
    apply("imager");
    m_window->timeout_connect();
    QPointer<camer_window> live = m_window->m_camerWindow;
    live->set_fullscr(false);
    live->close();
    QCOMPARE(m_window->ui->label->text(), QString("已断开连接"));
    QVERIFY(connectEnabled());
    QCOMPARE(m_window->m_mode, -1);
    // The closed window is released at the next content replacement, not under its feet.
    QVERIFY(live);
    m_window->Action_connect();
    m_window->m_timer->stop();
    apply("none");
    m_window->timeout_connect();
    QTRY_VERIFY(!live);
}

void tst_MainWindow::unplug_while_full_screen_keeps_watching()
{
    apply("imager");
    m_window->timeout_connect();
    QPointer<camer_window> live = m_window->m_camerWindow;
    live->set_fullscr(false);
    QSignalSpy disconnected(live.data(), &camer_window::dis);

    apply("none");
    m_window->timeout_connect();
    QCOMPARE(disconnected.count(), 1);
    QVERIFY(!live || !live->isVisible());
    QVERIFY(m_window->m_timer->isActive());
    QCOMPARE(m_window->m_timer->interval(), 300);
    QCOMPARE(m_window->m_connectState, -1);
    m_window->m_timer->stop();

    m_window->timeout_connect();
    QCOMPARE(m_window->ui->label->text(), Waiting);
    QTRY_VERIFY(!live);
}

void tst_MainWindow::folder_reaches_live_window()
{
    apply("imager");
    m_window->timeout_connect();
    QTemporaryDir history;
    QDir(history.path()).mkpath("20240101120000");
    m_window->Get_Addr(history.path());
    QCOMPARE(m_window->m_camerWindow->m_addr, history.path());
    QCOMPARE(m_window->m_camerWindow->ui->listWidget->count(), 1);
    QCOMPARE(ConfigRecord::readField(ConfigRecord::AlarmFolder), history.path());
}

void tst_MainWindow::replaced_live_window_is_not_used()
{
    apply("imager");
    m_window->timeout_connect();
    QPointer<camer_window> live = m_window->m_camerWindow;
    apply("none");
    m_window->timeout_connect();
    // The row was emptied: the field no longer names the window, and a folder from the
    // settings dialog (mode still 1) goes nowhere.
    QVERIFY(!m_window->m_camerWindow);
    QCOMPARE(m_window->m_mode, 1);
    m_window->Get_Addr(m_home->path());
    QTRY_VERIFY(!live);
}

void tst_MainWindow::drive_to_measurement_end_to_end()
{
    const QString root = makeDrive(*m_drives, "IMAGER", { "DCIM_100" });
    for (const char *name : { "IMG_0002.bmp", "IMG_0001.bmp" }) {
        PictureFixture picture;
        picture.fillGrey(128);
        QVERIFY(picture.writeTo(root + "DCIM_100/" + name));
    }
    m_platform.drives = QStringList { root };
    m_window->timeout_connect();
    QCOMPARE(m_window->m_mode, 2);
    photo_window *browser = m_window->m_photoWindow;
    QVERIFY(browser);
    QCOMPARE(browser->m_names, QStringList({ "IMG_0001.bmp", "IMG_0002.bmp" }));

    browser->list_item_doubleclicked(browser->m_iconView->item(1));
    Analysis_Widget *analysis = browser->findChild<Analysis_Widget *>();
    QVERIFY(analysis);
    QCOMPARE(analysis->m_fileName, QString("IMG_0002.bmp"));
    analysis->ui->pushButton_6->click();
    *analysis->ui->label->m_rects[0] = RectTool { "R0", 10, 10, 100, 100, Qt::red };
    analysis->updat_Tool_Temp();
    QCOMPARE(analysis->ui->tableWidget->rowCount(), 1);
    // Grey 128 between 20.0 and 30.0 everywhere.
    QCOMPARE(analysis->ui->tableWidget->item(0, 4)->text(), QString("25.0"));

    // Leaving USB flash drive mode takes the browser and its analysis window away.
    QPointer<Analysis_Widget> gone = analysis;
    m_platform.drives.clear();
    m_window->timeout_connect();
    QTRY_VERIFY(!gone);
}

void tst_MainWindow::unplugged_during_dialog_keeps_window_alive_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("parse warning") << "warning";
    QTest::newRow("report save dialog") << "report";
    QTest::newRow("colour dialog") << "colour";
    QTest::newRow("model question") << "question";
    QTest::newRow("capture save dialog") << "capture";
}

// The watch keeps ticking inside a dialog's event loop; it must not destroy the window whose
// slot opened the dialog. Real dialogs, closed from inside their own loop.
void tst_MainWindow::unplugged_during_dialog_keeps_window_alive()
{
    QFETCH(QString, path);
    m_answers.reset();
    const QString root = makeDrive(*m_drives, "IMAGER", { "DCIM_100" });
    QVERIFY(PictureFixture().writeTo(root + "DCIM_100/A.bmp"));
    QVERIFY(PictureFixture::writeBytes(root + "DCIM_100/B.bmp", "damaged"));
    apply(path == "capture" ? "imager" : "none");
    if (path != "capture")
        m_platform.drives = QStringList { root, makeDrive(*m_drives, "BOTH", { "DCIM_100", "Images" }) };
    m_window->timeout_connect();
    QPointer<QWidget> host = path == "capture" ? static_cast<QWidget *>(m_window->m_camerWindow)
                                               : m_window->m_photoWindow;
    QVERIFY(host);
    photo_window *browser = m_window->m_photoWindow;
    QPointer<Analysis_Widget> analysis;
    if (path == "report" || path == "colour") {
        browser->list_item_doubleclicked(browser->m_iconView->item(0));
        analysis = browser->findChild<Analysis_Widget *>();
        QVERIFY(analysis);
    }

    bool aliveInside = false;
    QString statusInside;
    QTimer::singleShot(0, [&] {
        apply("none");
        QTest::qWait(1000);
        aliveInside = host;
        statusInside = m_window->ui->label->text();
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    m_window->m_timer->start();
    if (path == "warning")
        browser->list_item_doubleclicked(browser->m_iconView->item(1));
    else if (path == "report")
        analysis->on_pushButton_clicked();
    else if (path == "colour")
        analysis->on_pushButton_4_clicked();
    else if (path == "question")
        browser->ui->listWidget->setCurrentRow(1);
    else
        m_window->m_camerWindow->on_pushButton_clicked();

    QVERIFY(aliveInside);
    QCOMPARE(statusInside, path == "capture" ? Screen : Drive);
    // Once the dialog has closed, the next tick switches as usual.
    QTRY_VERIFY(!host);
    QCOMPARE(m_window->ui->label->text(), Waiting);
}

void tst_MainWindow::older_window_leaving_full_screen_spares_the_new_one()
{
    apply("imager");
    m_window->timeout_connect();
    QPointer<camer_window> older = m_window->m_camerWindow;
    older->set_fullscr(false);
    m_window->Action_Disconnect();
    m_window->Action_connect();
    m_window->m_timer->stop();
    m_window->timeout_connect();
    QPointer<camer_window> newer = m_window->m_camerWindow;
    QVERIFY(newer && newer != older);

    older->set_fullscr(true);
    QTRY_VERIFY(!older);
    QVERIFY(newer);
    QCOMPARE(m_window->ui->horizontalLayout->itemAt(0)->widget(), newer.data());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
