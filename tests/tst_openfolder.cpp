#include "analysis/analysis_widget.h"
#include "app/configrecord.h"
#include "app/mainwindow.h"
#include "browser/photo_window.h"
#include "ui_mainwindow.h"
#include "picturefixture.h"
#include "testsupport.h"

#include <QAction>
#include <QListWidget>
#include <QMimeData>
#include <QtTest>

#include <memory>

class tst_OpenFolder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void model_of_folder_data();
    void model_of_folder();
    void watch_leaves_folder_until_imager_data();
    void watch_leaves_folder_until_imager();
    void dropped_picture_opens_in_analysis();
    void reports_for_selection();

private:
    std::unique_ptr<TemporaryHome> m_home;
    std::unique_ptr<DialogAnswerer> m_answers;
    FakePlatform m_platform;
    std::unique_ptr<MainWindow> m_window;
};

void tst_OpenFolder::init()
{
    m_home = std::make_unique<TemporaryHome>();
    m_answers = std::make_unique<DialogAnswerer>();
    m_platform = FakePlatform();
    ConfigRecord::createDefault("EN");
    m_window = std::make_unique<MainWindow>(&m_platform);
    m_window->m_timer->stop();
}

void tst_OpenFolder::cleanup()
{
    m_window.reset();
    m_answers.reset();
    m_home.reset();
}

void tst_OpenFolder::model_of_folder_data()
{
    QTest::addColumn<QString>("opened"); // under the home folder
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("questions");
    QTest::newRow("by name: DCIM_100") << "card/DCIM_100" << QStringList() << 0 << "card/DCIM_100" << 0 << 0;
    QTest::newRow("by name: Images") << "Images" << QStringList() << 0 << "Images" << 1 << 0;
    QTest::newRow("by parent") << "copy" << QStringList { "Images" } << 0 << "copy/Images" << 1 << 0;
    QTest::newRow("by question: VX300") << "mail" << QStringList() << int(QMessageBox::Yes) << "mail" << 1 << 1;
    QTest::newRow("by question: VX305") << "mail" << QStringList() << int(QMessageBox::No) << "mail" << 0 << 1;
    QTest::newRow("parent holding both asks") << "both" << QStringList { "DCIM_100", "Images" }
                                              << int(QMessageBox::Yes) << "both/Images" << 1 << 1;
}

void tst_OpenFolder::model_of_folder()
{
    QFETCH(QString, opened);
    QFETCH(QStringList, folders);
    QFETCH(int, answer);
    QFETCH(QString, listed);
    QFETCH(int, model);
    QFETCH(int, questions);
    const QString folder = m_home->path() + "/" + opened;
    for (const QString &sub : folders)
        QVERIFY(QDir().mkpath(folder + "/" + sub));
    QVERIFY(QDir().mkpath(m_home->path() + "/" + listed));
    QVERIFY(PictureFixture().writeTo(m_home->path() + "/" + listed + "/IMG_0001.bmp"));
    m_answers->questionAnswer = QMessageBox::StandardButton(answer);
    m_answers->directoryAnswer = folder;

    m_window->findChild<QAction *>("actionOpenFolder")->trigger();
    photo_window *browser = m_window->m_photoWindow;
    QVERIFY(browser);
    QCOMPARE(browser->m_pictureFolder, m_home->path() + "/" + listed);
    QCOMPARE(browser->m_model, model);
    QCOMPARE(browser->m_names, QStringList("IMG_0001.bmp"));
    QCOMPARE(m_answers->asked.size(), 1 + 2 * questions);
    QCOMPARE(m_window->m_mode, int(MainWindow::FolderMode));
    QCOMPARE(m_window->ui->label->text(), "文件夹：" + folder);
}

void tst_OpenFolder::watch_leaves_folder_until_imager_data()
{
    QTest::addColumn<QString>("arrives");
    QTest::addColumn<int>("mode");
    QTest::newRow("imager camera") << "camera" << int(MainWindow::ScreenMode);
    QTest::newRow("imager drive") << "drive" << int(MainWindow::DriveMode);
}

void tst_OpenFolder::watch_leaves_folder_until_imager()
{
    QFETCH(QString, arrives);
    QFETCH(int, mode);
    m_platform.cameraList = { FakePlatform::otherCamera() };
    m_window->openFolder(m_home->path());
    QPointer<photo_window> browser = m_window->m_photoWindow;
    for (int tick = 0; tick < 3; ++tick)
        m_window->timeout_connect();
    QVERIFY(browser);
    QCOMPARE(m_window->m_mode, int(MainWindow::FolderMode));

    if (arrives == "camera")
        m_platform.cameraList << FakePlatform::imager();
    else
        m_platform.drives = QStringList { m_home->path() + "/" };
    m_window->timeout_connect();
    QCOMPARE(m_window->m_mode, mode);
    QTRY_VERIFY(!browser);
}

void tst_OpenFolder::dropped_picture_opens_in_analysis()
{
    QVERIFY(QDir().mkpath(m_home->path() + "/mail"));
    const QString picture = m_home->path() + "/mail/IMG_0009.bmp";
    QVERIFY(PictureFixture().writeTo(picture));
    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile(picture) });
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &drop);
    QVERIFY(m_window->m_photoWindow);
    // The dropped picture's own folder, after the model question.
    QCOMPARE(m_window->m_photoWindow->m_pictureFolder, m_home->path() + "/mail");
    auto *analysis = m_window->m_photoWindow->findChild<Analysis_Widget *>();
    QVERIFY(analysis);
    QCOMPARE(analysis->m_fileName, QString("IMG_0009.bmp"));
}

void tst_OpenFolder::reports_for_selection()
{
    QVERIFY(QDir().mkpath(m_home->path() + "/DCIM_100"));
    for (const char *name : { "A.bmp", "B.bmp", "C.bmp" })
        QVERIFY(PictureFixture().writeTo(m_home->path() + "/DCIM_100/" + name));
    QVERIFY(PictureFixture::writeBytes(m_home->path() + "/DCIM_100/B.bmp", "damaged"));
    m_window->openFolder(m_home->path() + "/DCIM_100");
    photo_window *browser = m_window->m_photoWindow;
    auto *action = browser->findChild<QAction *>("actionBatchReports");
    QVERIFY(!action->isEnabled());
    browser->m_iconView->selectAll();
    QVERIFY(action->isEnabled());
    m_answers->directoryAnswer = m_home->path();
    action->trigger();
    QVERIFY(QFile::exists(m_home->path() + "/A.pdf"));
    QVERIFY(QFile::exists(m_home->path() + "/C.pdf"));
    QCOMPARE(m_answers->asked.last(), QString("已生成的报告：2 份。\n以下图片无法解析，已跳过：\nB.bmp"));
}

QTEST_MAIN(tst_OpenFolder)
#include "tst_openfolder.moc"
