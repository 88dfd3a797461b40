#include "browser/drivechoice.h"
#include "browser/photo_window.h"
#include "ui_photo_window.h"
#include "app/configrecord.h"
#include "app/startup.h"
#include "bitmapfixture.h"
#include "testsupport.h"

#include <QLabel>
#include <QListWidget>
#include <QScopeGuard>
#include <QTableWidget>
#include <QtTest>

#include <memory>

// What the browser lists: folder, model, picture names and the number of icons shown.
static QStringList listing(const photo_window &window)
{
    return { window.m_pictureFolder, QString::number(window.m_model), window.m_names.join(' '),
             QString::number(window.m_iconView->count()) };
}

// The removable drive list and the choice of picture folder and model, as plain functions
// and through the photo browser over a fake platform.
class tst_DriveChoice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initVx305Resources(); }

    void init()
    {
        m_home = std::make_unique<TemporaryHome>();
        m_drives = std::make_unique<QTemporaryDir>();
        m_answers = std::make_unique<DialogAnswerer>();
        m_platform = FakePlatform();
        ConfigRecord::createDefault("CH");
    }

    void cleanup()
    {
        m_answers.reset();
        m_drives.reset();
        m_home.reset();
    }

    void rowWithin_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");

        QTest::newRow("last of three") << 2 << 3 << 2;
        QTest::newRow("one past the end falls back") << 2 << 2 << 0;
        QTest::newRow("negative falls back") << -1 << 2 << 0;
        QTest::newRow("no drives") << 0 << 0 << 0;
    }

    void rowWithin()
    {
        QFETCH(int, row);
        QFETCH(int, count);
        QFETCH(int, expected);
        QCOMPARE(DriveChoice::rowWithin(row, count), expected);
    }

    void folderNames_are_folders_in_name_order_ignoring_case()
    {
        const QString root = makeDrive(*m_drives, "E", { "images", "DCIM_100", "Android", "b" });
        QVERIFY(PictureFixture::writeBytes(root + "DCIM_200", "a file, not a folder"));
        QCOMPARE(DriveChoice::folderNames(root),
                 QStringList({ "Android", "b", "DCIM_100", "images" }));
        QCOMPARE(DriveChoice::folderNames(root + "missing/"), QStringList());
    }

    void folder_and_model_data()
    {
        QTest::addColumn<QStringList>("folders");
        // 2 matches: the user is asked; the plain choice is the last match, Images.
        QTest::addColumn<int>("matches");
        QTest::addColumn<bool>("answerVX300");
        QTest::addColumn<QString>("folder"); // what the browser lists
        QTest::addColumn<int>("model");

        QTest::newRow("DCIM_100 is the VX305")
                << QStringList { "DCIM_100" } << 1 << false << "DCIM_100" << 0;
        QTest::newRow("Images is the VX300")
                << QStringList { "Images" } << 1 << false << "Images" << 1;
        QTest::newRow("both folders, VX300 answered")
                << QStringList { "DCIM_100", "Images" } << 2 << true << "Images" << 1;
        QTest::newRow("both folders, VX305 answered")
                << QStringList { "DCIM_100", "Images" } << 2 << false << "DCIM_100" << 0;
        QTest::newRow("DCIM_100 among other folders")
                << QStringList { "Android", "DCIM_100", "Music" } << 1 << false << "DCIM_100" << 0;
        QTest::newRow("dcim_100 and images in lower case match nothing")
                << QStringList { "dcim_100", "images" } << 0 << true << "" << -1;
        QTest::newRow("DCIM_1000 does not match")
                << QStringList { "DCIM_1000" } << 0 << false << "" << -1;
        QTest::newRow("no folders") << QStringList {} << 0 << false << "" << -1;
    }

    void folder_and_model()
    {
        QFETCH(QStringList, folders);
        QFETCH(int, matches);
        QFETCH(bool, answerVX300);
        QFETCH(QString, folder);
        QFETCH(int, model);

        const QString root = drive("E", folders);
        const DriveChoice::FolderChoice choice = DriveChoice::chooseFolder(root, folders);
        QCOMPARE(choice.matches, matches);
        const QString plainFolder = matches == 2 ? "Images" : folder;
        QCOMPARE(choice.folder, plainFolder.isEmpty() ? QString() : root + plainFolder);
        QCOMPARE(choice.model, matches == 2 ? 1 : model);

        m_platform.drives = QStringList { root };
        m_answers->questionAnswer = answerVX300 ? QMessageBox::Yes : QMessageBox::No;
        const auto window = browser();
        const QStringList question { QStringLiteral("提示"),
                                     QStringLiteral("检查到U盘中同时含有VX300和VX305的文件\n"
                                                    "请选择打开哪一项？") };
        QCOMPARE(m_answers->asked, matches == 2 ? question : QStringList());
        if (folder.isEmpty())
            QCOMPARE(listing(*window), QStringList({ "", QString::number(model), "", "0" }));
        else
            QCOMPARE(listing(*window), QStringList({ root + folder, QString::number(model),
                                                     folder + ".bmp", "1" }));
    }

    void question_asked_each_time_the_choice_runs()
    {
        m_platform.drives = QStringList { drive("E", { "DCIM_100", "Images" }),
                              drive("F", { "DCIM_100", "Images" }) };
        m_answers->questionAnswer = QMessageBox::Yes;
        const auto window = browser();
        QCOMPARE(m_answers->asked.size(), 2);

        m_answers->questionAnswer = QMessageBox::No;
        window->ui->listWidget->setCurrentRow(1);
        QCOMPARE(m_answers->asked.size(), 4);
        QCOMPARE(listing(*window),
                 QStringList({ m_platform.drives.at(1) + "DCIM_100", "0", "DCIM_100.bmp", "1" }));
        // Selecting the same drive again (or none) does not run the choice.
        window->on_listWidget_currentRowChanged(1);
        window->on_listWidget_currentRowChanged(-1);
        QCOMPARE(m_answers->asked.size(), 4);

        // A second browser on the same drive asks again.
        const auto second = browser();
        QCOMPARE(m_answers->asked.size(), 6);
    }

    void gone_drive_falls_back_to_the_first()
    {
        m_platform.drives = QStringList { drive("E", { "DCIM_100" }), drive("F", { "Images" }),
                                          drive("G", { "Images" }) };
        const auto window = browser();
        for (int row = 0; row < 3; ++row) {
            const QListWidgetItem *item = window->ui->listWidget->item(row);
            QCOMPARE(item->text(), m_platform.drives.at(row));
            QCOMPARE(item->foreground().color(), QColor(0, 0, 0));
            QCOMPARE(item->background().color(), QColor(200, 200, 200));
            QCOMPARE(item->icon().availableSizes(), QList<QSize> { QSize(20, 20) });
            QCOMPARE(item->sizeHint().height(), 30);
        }
        const QStringList first { m_platform.drives.at(0) + "DCIM_100", "0", "DCIM_100.bmp", "1" };
        QCOMPARE(window->ui->listWidget->currentRow(), 0);
        QCOMPARE(listing(*window), first);

        window->ui->listWidget->setCurrentRow(2);
        QCOMPARE(window->m_driveRow, 2);
        QCOMPARE(listing(*window),
                 QStringList({ m_platform.drives.at(2) + "Images", "1", "Images.bmp", "1" }));

        // The selected drive G leaves: the first one is selected again.
        m_platform.drives.removeLast();
        window->chooseFolder();
        window->get_image_information();
        QCOMPARE(window->m_driveRow, 0);
        QCOMPARE(window->ui->listWidget->count(), 2);
        QCOMPARE(window->ui->listWidget->currentRow(), 0);
        QCOMPARE(listing(*window), first);

        // F leaves too, but the shown list still offers it: its stale row falls back as well.
        m_platform.drives.removeLast();
        window->ui->listWidget->setCurrentRow(1);
        QCOMPARE(window->m_driveRow, 0);
        QCOMPARE(window->ui->listWidget->count(), 1);
        QCOMPARE(listing(*window), first);
    }

    void missing_folder_or_drive_lists_nothing_and_says_so()
    {
        // A drive without a picture folder lists nothing, not even the current directory.
        QTemporaryDir current;
        QVERIFY(BitmapFixture::writePicture(current.path() + "/stray.bmp", 0));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(current.path()));
        const auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });

        m_platform.drives =
                QStringList { drive("E", { "DCIM_100" }), drive("F", { "Photos", "dcim_100" }) };
        const auto window = browser();
        window->ui->listWidget->setCurrentRow(1);
        // Pictures of E must not stay listed under F.
        QCOMPARE(listing(*window), QStringList({ "", "0", "", "0" }));
        const QLabel *notice = window->m_iconView->viewport()->findChild<QLabel *>("noticeLabel");
        QVERIFY(notice);
        QCOMPARE(notice->text(), photo_window::noFolderNotice());
        QVERIFY(notice->text().contains("DCIM_100") && notice->text().contains("Images"));

        window->showTableView();
        QCOMPARE(window->m_tableView->rowCount(), 0);
        QVERIFY(window->m_tableView->viewport()->findChild<QLabel *>("noticeLabel"));

        window->ui->listWidget->setCurrentRow(0);
        QCOMPARE(window->m_notice, QString());
        QCOMPARE(window->m_names.size(), 1);
        QVERIFY(!window->m_iconView->viewport()->findChild<QLabel *>("noticeLabel"));

        // A browser opened on F alone lists nothing either.
        const QString folderOfE = m_platform.drives.takeFirst() + "DCIM_100";
        QCOMPARE(listing(*browser()), QStringList({ "", "-1", "", "0" }));

        // With no drive at all the browser keeps folder and model and says why.
        m_platform.drives.clear();
        window->chooseFolder();
        QCOMPARE(window->ui->listWidget->count(), 0);
        QCOMPARE(window->m_pictureFolder, folderOfE);
        QCOMPARE(window->m_model, 0);
        QCOMPARE(window->m_notice, photo_window::noDriveNotice());
        const auto empty = browser();
        QCOMPARE(listing(*empty), QStringList({ "", "-1", "", "0" }));
        notice = empty->m_iconView->viewport()->findChild<QLabel *>("noticeLabel");
        QVERIFY(notice);
        QCOMPARE(notice->text(), photo_window::noDriveNotice());
    }

private:
    // A drive whose picture folders each hold one picture named after the folder.
    [[nodiscard]] QString drive(const QString &name, const QStringList &folders)
    {
        const QString root = makeDrive(*m_drives, name, folders);
        for (const QString &folder : folders) {
            const int model = folder == QLatin1String("Images") ? 1 : 0;
            BitmapFixture::writePicture(root + folder + "/" + folder + ".bmp", model);
        }
        return root;
    }

    [[nodiscard]] std::unique_ptr<photo_window> browser()
    {
        return std::make_unique<photo_window>(nullptr, &m_platform);
    }

    std::unique_ptr<TemporaryHome> m_home;
    std::unique_ptr<QTemporaryDir> m_drives;
    std::unique_ptr<DialogAnswerer> m_answers;
    FakePlatform m_platform;
};

QTEST_MAIN(tst_DriveChoice)
#include "tst_drivechoice.moc"
