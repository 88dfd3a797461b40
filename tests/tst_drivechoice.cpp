#include "browser/drivechoice.h"
#include "browser/photo_window.h"
#include "ui_photo_window.h"
#include "app/configrecord.h"
#include "app/startup.h"
#include "bitmapfixture.h"
#include "testsupport.h"

#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QtTest>

#include <memory>

// The removable drive list and the choice of picture folder and model, first as plain
// functions, then through the photo browser over a fake platform.
class tst_DriveChoice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initVx305Resources(); }
    void init();
    void cleanup();

    void chooseFolder_data();
    void chooseFolder();
    void answeredChoice_data();
    void answeredChoice();
    void rowWithin_data();
    void rowWithin();
    void folderNames_are_folders_in_name_order_ignoring_case();

    void browser_settles_folder_and_model_data();
    void browser_settles_folder_and_model();
    void question_texts_and_answers();
    void question_asked_each_time_the_choice_runs();
    void drive_items_look();
    void two_drives_select_the_first();
    void selecting_the_same_drive_again_does_nothing();
    void removed_selected_drive_falls_back_to_first();
    void stale_row_past_refilled_list_falls_back_to_first();
    void no_drive_keeps_folder_and_model();
    void drive_without_picture_folder_says_so();
    void empty_folder_is_not_the_current_directory();

private:
    [[nodiscard]] QString drive(const QString &name, const QStringList &folders);
    [[nodiscard]] std::unique_ptr<photo_window> browser();

    std::unique_ptr<TemporaryHome> m_home;
    std::unique_ptr<QTemporaryDir> m_drives;
    std::unique_ptr<DialogAnswerer> m_answers;
    FakePlatform m_platform;
};

void tst_DriveChoice::init()
{
    m_home = std::make_unique<TemporaryHome>();
    m_drives = std::make_unique<QTemporaryDir>();
    m_answers = std::make_unique<DialogAnswerer>();
    m_platform = FakePlatform();
    ConfigRecord::createDefault("CH");
}

void tst_DriveChoice::cleanup()
{
    m_answers.reset();
    m_drives.reset();
    m_home.reset();
}

// A drive whose picture folders each hold one picture named after the folder.
QString tst_DriveChoice::drive(const QString &name, const QStringList &folders)
{
    const QString root = makeDrive(*m_drives, name, folders);
    for (const QString &folder : folders) {
        const int model = folder == QLatin1String("Images") ? 1 : 0;
        BitmapFixture::writePicture(root + folder + "/" + folder + ".bmp", model);
    }
    return root;
}

std::unique_ptr<photo_window> tst_DriveChoice::browser()
{
    return std::make_unique<photo_window>(nullptr, &m_platform);
}

void tst_DriveChoice::chooseFolder_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("matches");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("model");

    QTest::newRow("DCIM_100 is the VX305") << QStringList { "DCIM_100" } << 1 << "E:/DCIM_100" << 0;
    QTest::newRow("Images is the VX300") << QStringList { "Images" } << 1 << "E:/Images" << 1;
    QTest::newRow("both folders leave the choice to the user, Images last")
            << QStringList { "DCIM_100", "Images" } << 2 << "E:/Images" << 1;
    QTest::newRow("DCIM_100 among other folders")
            << QStringList { "Android", "DCIM_100", "Music" } << 1 << "E:/DCIM_100" << 0;
    QTest::newRow("dcim_100 in lower case does not match") << QStringList { "dcim_100" } << 0
                                                           << "" << -1;
    QTest::newRow("IMAGES in upper case does not match") << QStringList { "IMAGES" } << 0 << ""
                                                         << -1;
    QTest::newRow("DCIM_1000 does not match") << QStringList { "DCIM_1000" } << 0 << "" << -1;
    QTest::newRow("no folders") << QStringList {} << 0 << "" << -1;
}

void tst_DriveChoice::chooseFolder()
{
    QFETCH(QStringList, names);
    QFETCH(int, matches);
    QFETCH(QString, folder);
    QFETCH(int, model);

    const DriveChoice::FolderChoice choice = DriveChoice::chooseFolder("E:/", names);
    QCOMPARE(choice.matches, matches);
    QCOMPARE(choice.folder, folder);
    QCOMPARE(choice.model, model);
}

void tst_DriveChoice::answeredChoice_data()
{
    QTest::addColumn<bool>("vx300");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("model");

    QTest::newRow("VX300 answer opens Images") << true << "F:/Images" << 1;
    QTest::newRow("VX305 answer opens DCIM_100") << false << "F:/DCIM_100" << 0;
}

void tst_DriveChoice::answeredChoice()
{
    QFETCH(bool, vx300);
    QFETCH(QString, folder);
    QFETCH(int, model);

    const DriveChoice::FolderChoice choice = DriveChoice::answeredChoice("F:/", vx300);
    QCOMPARE(choice.matches, 2);
    QCOMPARE(choice.folder, folder);
    QCOMPARE(choice.model, model);
}

void tst_DriveChoice::rowWithin_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("expected");

    QTest::newRow("first of one") << 0 << 1 << 0;
    QTest::newRow("second of two") << 1 << 2 << 1;
    QTest::newRow("last of three") << 2 << 3 << 2;
    QTest::newRow("one past the end falls back") << 2 << 2 << 0;
    QTest::newRow("far past the end falls back") << 5 << 1 << 0;
    QTest::newRow("negative falls back") << -1 << 2 << 0;
    QTest::newRow("no drives") << 0 << 0 << 0;
}

void tst_DriveChoice::rowWithin()
{
    QFETCH(int, row);
    QFETCH(int, count);
    QFETCH(int, expected);
    QCOMPARE(DriveChoice::rowWithin(row, count), expected);
}

void tst_DriveChoice::folderNames_are_folders_in_name_order_ignoring_case()
{
    const QString root = makeDrive(*m_drives, "E", { "images", "DCIM_100", "Android", "b" });
    QVERIFY(PictureFixture::writeBytes(root + "DCIM_200", "a file, not a folder"));
    QCOMPARE(DriveChoice::folderNames(root),
             QStringList({ "Android", "b", "DCIM_100", "images" }));
    QCOMPARE(DriveChoice::folderNames(root + "missing/"), QStringList());
}

void tst_DriveChoice::browser_settles_folder_and_model_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<bool>("answerVX300");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("model");

    QTest::newRow("DCIM_100 lists with model 0")
            << QStringList { "DCIM_100" } << false << 0 << "DCIM_100" << 0;
    QTest::newRow("Images lists with model 1")
            << QStringList { "Images" } << false << 0 << "Images" << 1;
    QTest::newRow("both folders, VX300 chosen")
            << QStringList { "Images", "DCIM_100" } << true << 1 << "Images" << 1;
    QTest::newRow("both folders, VX305 chosen")
            << QStringList { "Images", "DCIM_100" } << false << 1 << "DCIM_100" << 0;
    QTest::newRow("dcim_100 in lower case lists nothing")
            << QStringList { "dcim_100" } << false << 0 << "" << -1;
    QTest::newRow("images in lower case lists nothing")
            << QStringList { "images" } << true << 0 << "" << -1;
}

void tst_DriveChoice::browser_settles_folder_and_model()
{
    QFETCH(QStringList, folders);
    QFETCH(bool, answerVX300);
    QFETCH(int, questions);
    QFETCH(QString, folder);
    QFETCH(int, model);

    const QString root = drive("E", folders);
    m_platform.drives = QStringList { root };
    m_answers->questionAnswer = answerVX300 ? QMessageBox::Yes : QMessageBox::No;
    const auto window = browser();

    QCOMPARE(m_answers->asked.size(), 2 * questions);
    QCOMPARE(window->m_pictureFolder, folder.isEmpty() ? QString() : root + folder);
    QCOMPARE(window->m_model, model);
    const QStringList names = folder.isEmpty() ? QStringList() : QStringList { folder + ".bmp" };
    QCOMPARE(window->m_names, names);
    QCOMPARE(window->m_iconView->count(), names.size());
}

void tst_DriveChoice::question_texts_and_answers()
{
    m_platform.drives = QStringList { drive("E", { "DCIM_100", "Images" }) };
    m_answers->questionAnswer = QMessageBox::Yes;
    const auto window = browser();
    QCOMPARE(m_answers->asked,
             QStringList({ QStringLiteral("提示"),
                           QStringLiteral("检查到U盘中同时含有VX300和VX305的文件\n"
                                          "请选择打开哪一项？") }));
}

void tst_DriveChoice::question_asked_each_time_the_choice_runs()
{
    m_platform.drives = QStringList { drive("E", { "DCIM_100", "Images" }),
                          drive("F", { "DCIM_100", "Images" }) };
    m_answers->questionAnswer = QMessageBox::Yes;
    const auto window = browser();
    QCOMPARE(m_answers->asked.size(), 2);
    QCOMPARE(window->m_pictureFolder, m_platform.drives.at(0) + "Images");

    m_answers->questionAnswer = QMessageBox::No;
    window->ui->listWidget->setCurrentRow(1);
    QCOMPARE(m_answers->asked.size(), 4);
    QCOMPARE(window->m_driveRow, 1);
    QCOMPARE(window->m_pictureFolder, m_platform.drives.at(1) + "DCIM_100");
    QCOMPARE(window->m_model, 0);
    QCOMPARE(window->m_names, QStringList { "DCIM_100.bmp" });

    // A second browser on the same drive asks again.
    const auto second = browser();
    QCOMPARE(m_answers->asked.size(), 6);
}

void tst_DriveChoice::drive_items_look()
{
    m_platform.drives = QStringList { drive("E", { "DCIM_100" }), drive("F", {}) };
    const auto window = browser();
    QListWidget *list = window->ui->listWidget;
    QCOMPARE(list->count(), 2);
    for (int row = 0; row < 2; ++row) {
        const QListWidgetItem *item = list->item(row);
        QCOMPARE(item->text(), m_platform.drives.at(row));
        QCOMPARE(item->foreground().color(), QColor(0, 0, 0));
        QCOMPARE(item->background().color(), QColor(200, 200, 200));
        QVERIFY(!item->icon().isNull());
        QCOMPARE(item->icon().availableSizes(), QList<QSize> { QSize(20, 20) });
        QCOMPARE(item->sizeHint().height(), 30);
    }
    QCOMPARE(list->resizeMode(), QListView::Adjust);
    QCOMPARE(list->movement(), QListView::Static);
    QVERIFY(!list->dragEnabled());
}

void tst_DriveChoice::two_drives_select_the_first()
{
    m_platform.drives = QStringList { drive("E", { "DCIM_100" }), drive("F", { "Images" }) };
    const auto window = browser();
    QCOMPARE(window->m_driveRow, 0);
    QCOMPARE(window->ui->listWidget->currentRow(), 0);
    QCOMPARE(window->m_pictureFolder, m_platform.drives.at(0) + "DCIM_100");
    QCOMPARE(window->m_model, 0);

    window->ui->listWidget->setCurrentRow(1);
    QCOMPARE(window->m_driveRow, 1);
    QCOMPARE(window->ui->listWidget->currentRow(), 1);
    QCOMPARE(window->m_pictureFolder, m_platform.drives.at(1) + "Images");
    QCOMPARE(window->m_model, 1);
    QCOMPARE(window->m_names, QStringList { "Images.bmp" });
}

void tst_DriveChoice::selecting_the_same_drive_again_does_nothing()
{
    m_platform.drives = QStringList { drive("E", { "DCIM_100", "Images" }) };
    const auto window = browser();
    QCOMPARE(m_answers->asked.size(), 2);
    window->on_listWidget_currentRowChanged(0);
    window->on_listWidget_currentRowChanged(-1);
    QCOMPARE(m_answers->asked.size(), 2);
}

void tst_DriveChoice::removed_selected_drive_falls_back_to_first()
{
    m_platform.drives = QStringList { drive("E", { "DCIM_100" }), drive("F", { "Images" }) };
    const auto window = browser();
    window->ui->listWidget->setCurrentRow(1);
    QCOMPARE(window->m_pictureFolder, m_platform.drives.at(1) + "Images");

    m_platform.drives.removeLast();
    window->chooseFolder();
    window->get_image_information();
    QCOMPARE(window->m_driveRow, 0);
    QCOMPARE(window->ui->listWidget->count(), 1);
    QCOMPARE(window->ui->listWidget->currentRow(), 0);
    QCOMPARE(window->m_pictureFolder, m_platform.drives.at(0) + "DCIM_100");
    QCOMPARE(window->m_model, 0);
    QCOMPARE(window->m_names, QStringList { "DCIM_100.bmp" });
}

void tst_DriveChoice::stale_row_past_refilled_list_falls_back_to_first()
{
    m_platform.drives = QStringList { drive("E", { "Images" }), drive("F", { "DCIM_100" }),
                          drive("G", { "DCIM_100" }) };
    const auto window = browser();
    window->ui->listWidget->setCurrentRow(2);
    QCOMPARE(window->m_driveRow, 2);

    // F and G are gone, but the shown list still offers F.
    m_platform.drives = QStringList { m_platform.drives.first() };
    window->ui->listWidget->setCurrentRow(1);
    QCOMPARE(window->m_driveRow, 0);
    QCOMPARE(window->ui->listWidget->count(), 1);
    QCOMPARE(window->m_pictureFolder, m_platform.drives.at(0) + "Images");
    QCOMPARE(window->m_model, 1);
    QCOMPARE(window->m_names, QStringList { "Images.bmp" });
}

void tst_DriveChoice::no_drive_keeps_folder_and_model()
{
    m_platform.drives = QStringList { drive("E", { "Images" }) };
    const auto window = browser();
    const QString folder = window->m_pictureFolder;

    m_platform.drives.clear();
    window->chooseFolder();
    QCOMPARE(window->ui->listWidget->count(), 0);
    QCOMPARE(window->m_pictureFolder, folder);
    QCOMPARE(window->m_model, 1);
    QCOMPARE(window->m_notice, photo_window::noDriveNotice());

    // A browser made with no drive at all has nothing to list and says why.
    const auto empty = browser();
    QCOMPARE(empty->m_pictureFolder, QString());
    QCOMPARE(empty->m_model, -1);
    QCOMPARE(empty->m_iconView->count(), 0);
    const QLabel *notice = empty->m_iconView->viewport()->findChild<QLabel *>("noticeLabel");
    QVERIFY(notice);
    QCOMPARE(notice->text(), photo_window::noDriveNotice());
}

void tst_DriveChoice::drive_without_picture_folder_says_so()
{
    m_platform.drives =
            QStringList { drive("E", { "DCIM_100" }), drive("F", { "Photos", "dcim_100" }) };
    const auto window = browser();
    QCOMPARE(window->m_names.size(), 1);
    QVERIFY(!window->m_iconView->viewport()->findChild<QLabel *>("noticeLabel"));

    window->ui->listWidget->setCurrentRow(1);
    // Pictures of E must not stay listed under F.
    QCOMPARE(window->m_pictureFolder, QString());
    QCOMPARE(window->m_model, 0);
    QCOMPARE(window->m_names, QStringList());
    QCOMPARE(window->m_pictures.size(), 0);
    QCOMPARE(window->m_iconView->count(), 0);
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
}

void tst_DriveChoice::empty_folder_is_not_the_current_directory()
{
    QTemporaryDir current;
    QVERIFY(BitmapFixture::writePicture(current.path() + "/stray.bmp", 0));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(current.path()));

    m_platform.drives = QStringList { drive("E", { "Photos" }) };
    const auto window = browser();
    QDir::setCurrent(previous);
    QCOMPARE(window->m_pictureFolder, QString());
    QCOMPARE(window->m_names, QStringList());
    QCOMPARE(window->m_iconView->count(), 0);
}

QTEST_MAIN(tst_DriveChoice)
#include "tst_drivechoice.moc"
