#include "analysis/analysis_widget.h"
#include "app/mainwindow.h"
#include "browser/photo_window.h"
#include "fakeworld.h"
#include "ui_mainwindow.h"
#include "ui_photo_window.h"

#include <QListWidget>
#include <QMimeData>

class tst_OpenFolder : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeWorld> m_world;
    std::unique_ptr<MainWindow> m_window;
    QString m_path; // the home folder, with a trailing "/"

private slots:
    void init()
    {
        m_world = std::make_unique<FakeWorld>("EN");
        m_path = m_world->home.path() + "/";
        m_window = std::make_unique<MainWindow>(&m_world->platform);
        m_window->m_timer->stop();
    }
    void cleanup() { m_window.reset(), m_world.reset(); }

    void folder_opened_until_the_imager_comes_data()
    {
        // clang-format off
        // The folder opened under the home folder, the others made in it; the folder listed, the
        // model and the dialog texts asked; whether the imager then comes as a camera or a drive.
        addColumns<QString, int, QString, bool>("opened", "answer", "outcome", "camera");
        QTest::newRow("by name: DCIM_100") << "card/DCIM_100" << 0 << "card/DCIM_100 0 1" << true;
        QTest::newRow("by name: Images") << "Images" << 0 << "Images 1 1" << false;
        QTest::newRow("by parent") << "copy Images" << 0 << "copy/Images 1 1" << true;
        QTest::newRow("asked: VX300, DCIM_100.v2 no name match")
            << "DCIM_100.v2" << int(QMessageBox::Yes) << "DCIM_100.v2 1 3" << false;
        QTest::newRow("asked: VX305") << "mail" << int(QMessageBox::No) << "mail 0 3" << true;
        QTest::newRow("parent holding both asks")
            << "both DCIM_100 Images" << int(QMessageBox::Yes) << "both/Images 1 3" << false;
        // clang-format on
    }
    void folder_opened_until_the_imager_comes()
    {
        const auto [opened, answer, outcome, camera] = fetch<QString, int, QString, bool>();
        const QStringList folders = opened.split(' '), expected = outcome.split(' ');
        for (const QString &sub : folders.mid(1))
            QVERIFY(QDir().mkpath(m_path + folders[0] + "/" + sub));
        QVERIFY(QDir().mkpath(m_path + expected[0]));
        QVERIFY(PictureFixture().writeTo(m_path + expected[0] + "/IMG_0001.bmp"));
        m_world->answers->questionAnswer = QMessageBox::StandardButton(answer);
        m_world->answers->directoryAnswer = m_path + folders[0];
        QAction *openFolder = m_window->findChild<QAction *>("actionOpenFolder");
        // Before Close, as the last file entry of its kind.
        QStringList menu;
        for (const QAction *action : m_window->m_fileMenu->actions())
            menu << (action->isSeparator() ? "|" : action->text());
        QCOMPARE(menu.join(' ') + " " + openFolder->shortcut().toString(),
            "连接 断开 选项 打开文件夹... 打开录像... | 关闭 Ctrl+O");
        openFolder->trigger();
        const QPointer<photo_window> browser = m_window->m_photoWindow;
        // Another camera changes nothing: the folder stays open.
        m_world->platform.cameraList = {FakePlatform::otherCamera()};
        for (int tick = 0; tick < 3; ++tick)
            m_window->timeout_connect();
        QVERIFY(browser);
        QCOMPARE(QStringList({browser->m_pictureFolder, QString::number(browser->m_model),
                     QString::number(m_world->answers->asked.size()), browser->m_names.join(','),
                     QString::number(m_window->m_mode), m_window->ui->label->text(),
                     browser->ui->label->text()}),
            QStringList({m_path + expected[0], expected[1], expected[2], "IMG_0001.bmp",
                QString::number(MainWindow::FolderMode), "文件夹：" + m_path + folders[0], "文件夹"}));
        if (camera)
            m_world->platform.cameraList << FakePlatform::imager();
        else
            m_world->platform.drives = QStringList {m_path};
        m_window->timeout_connect();
        QCOMPARE(m_window->m_mode, camera ? MainWindow::ScreenMode : MainWindow::DriveMode);
        QTRY_VERIFY(!browser);
    }

    void dropped_picture_opened_with_its_folder()
    {
        // Dots and spaces in the names of the folder and the picture dropped.
        const QString folder = m_path + "site 2.2024";
        QVERIFY(QDir().mkpath(folder) && PictureFixture::writeBytes(folder + "/B.bmp", "damaged"));
        for (const QString name : {"A 1.v2.bmp", "C.bmp"})
            QVERIFY(PictureFixture().writeTo(folder + "/" + name));
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(folder + "/A 1.v2.bmp")});
        QDragEnterEvent enter(QPoint(9, 9), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &enter);
        QDropEvent drop(QPointF(9, 9), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &drop);
        photo_window *browser = m_window->m_photoWindow;
        QVERIFY(enter.isAccepted() && browser && browser->m_pictureFolder == folder);
        QCOMPARE(browser->findChild<Analysis_Widget *>()->m_fileName, "A 1.v2.bmp");
        // Reports for the pictures selected; the damaged one is listed.
        auto *action = browser->findChild<QAction *>("actionBatchReports");
        QVERIFY(!action->isEnabled());
        browser->m_iconView->selectAll();
        m_world->answers->directoryAnswer = m_path;
        action->trigger();
        QVERIFY(QFile::exists(m_path + "A 1.v2.pdf") && QFile::exists(m_path + "C.pdf"));
        QCOMPARE(m_world->answers->asked.last(),
            "已生成的报告：2 份。\n以下图片无法解析，已跳过：\nB.bmp");
        m_world->answers->questionAnswer = QMessageBox::No; // "skip all" of the two now there
        action->trigger();
        QCOMPARE(m_world->answers->asked.last(),
            "已生成的报告：0 份。\n以下图片无法解析，已跳过：\nB.bmp");
    }
};

QTEST_MAIN(tst_OpenFolder)
#include "tst_openfolder.moc"
