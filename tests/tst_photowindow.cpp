#include "analysis/analysis_widget.h"
#include "app/configrecord.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "browser/photo_window.h"
#include "browser/picturelisting.h"
#include "ui_mainwindow.h"
#include "ui_photo_window.h"
#include "bitmapfixture.h"
#include "testsupport.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProgressDialog>
#include <QTableWidget>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// Counts the progress dialogs shown anywhere in the application.
class ProgressWatcher : public QObject
{
public:
    int shown = 0;
    QString label;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *dialog = qobject_cast<QProgressDialog *>(object)) {
                ++shown;
                label = dialog->labelText();
            }
        }
        return false;
    }
};

const QStringList ListedNames = { "A.bmp", "Z.bmp", "a.bmp", "b.bmp", "c.BMP" };
const QStringList ListedSizes = { "300.6", "225.6", "0.0", "1.5", "300.6" };
// Which of ListedNames hold a viewable bitmap.
const QList<bool> ListedReadable = { true, true, false, false, true };

} // namespace

class tst_PhotoWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initVx305Resources(); }
    void init();
    void cleanup();

    void sizeText_data();
    void sizeText();
    void timeText_data();
    void timeText();
    void roundedThumbnail_data();
    void roundedThumbnail();
    void null_picture_thumbnail_stays_null();
    void loadPictures_keeps_order_and_reports_progress();

    void form();
    void russian_tabs_are_wider_data();
    void russian_tabs_are_wider();
    void listing_order_times_sizes();
    void unreadable_picture_keeps_its_row_with_empty_icon();
    void empty_folder_gives_empty_view();
    void icon_view_looks_data();
    void icon_view_looks();
    void table_view_looks();
    void table_column_widths_data();
    void table_column_widths();
    void switching_views_does_not_read_the_drive();
    void slow_listing_shows_progress_and_same_lists();

    void opening_replaces_previous_analysis_data();
    void opening_replaces_previous_analysis();
    void table_double_click_opens_row();
    void wrong_model_warns_and_keeps_tab();

    void hover_shows_path_and_table_clears_it();
    void drive_mode_end_to_end();
    void second_switch_in_one_tick_replaces_browser();
    void new_texts_are_translated_data();
    void new_texts_are_translated();

private:
    // A drive whose folder holds the five files of ListedNames and a few that are not listed.
    [[nodiscard]] QString listingDrive();
    [[nodiscard]] QString pictureDrive(const QString &folder, int model, int count);
    [[nodiscard]] std::unique_ptr<photo_window> browser();

    std::unique_ptr<TemporaryHome> m_home;
    std::unique_ptr<QTemporaryDir> m_drives;
    std::unique_ptr<DialogAnswerer> m_answers;
    FakePlatform m_platform;
};

void tst_PhotoWindow::init()
{
    m_home = std::make_unique<TemporaryHome>();
    m_drives = std::make_unique<QTemporaryDir>();
    m_answers = std::make_unique<DialogAnswerer>();
    m_platform = FakePlatform();
    ConfigRecord::createDefault("CH");
}

void tst_PhotoWindow::cleanup()
{
    m_answers.reset();
    m_drives.reset();
    m_home.reset();
}

QString tst_PhotoWindow::listingDrive()
{
    const QString root = makeDrive(*m_drives, "E", { "DCIM_100", "DCIM_100/sub" });
    const QString folder = root + "DCIM_100/";
    BitmapFixture::writePicture(folder + "A.bmp", 0);
    BitmapFixture::writePicture(folder + "Z.bmp", 1);
    PictureFixture::writeBytes(folder + "a.bmp", "not a picture");
    PictureFixture::writeBytes(folder + "b.bmp", QByteArray(1536, '\0'));
    BitmapFixture::writePicture(folder + "c.BMP", 0);
    PictureFixture::writeBytes(folder + "notes.txt", "x");
    PictureFixture::writeBytes(folder + "d.bmp.txt", "x");
    return root;
}

QString tst_PhotoWindow::pictureDrive(const QString &folder, int model, int count)
{
    const QString root = makeDrive(*m_drives, folder, { folder });
    for (int i = 0; i < count; ++i)
        BitmapFixture::writePicture(
                root + folder + QString("/IMG_%1.bmp").arg(i, 4, 10, QChar('0')), model,
                quint8(40 * i));
    return root;
}

std::unique_ptr<photo_window> tst_PhotoWindow::browser()
{
    return std::make_unique<photo_window>(nullptr, &m_platform);
}

void tst_PhotoWindow::sizeText_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty file") << qint64(0) << "0.0";
    QTest::newRow("51 bytes round down") << qint64(51) << "0.0";
    QTest::newRow("52 bytes round up") << qint64(52) << "0.1";
    QTest::newRow("a quarter KiB") << qint64(256) << "0.3";
    QTest::newRow("1023 bytes round to one") << qint64(1023) << "1.0";
    QTest::newRow("one KiB") << qint64(1024) << "1.0";
    QTest::newRow("one and a half KiB") << qint64(1536) << "1.5";
    QTest::newRow("VX305 picture") << qint64(307810) << "300.6";
    QTest::newRow("VX300 picture") << qint64(231013) << "225.6";
    QTest::newRow("one MiB stays in KiB") << qint64(1048576) << "1024.0";
    QTest::newRow("ten thousand million bytes") << qint64(10000000000) << "9765625.0";
}

void tst_PhotoWindow::sizeText()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(PictureListing::sizeText(bytes), text);
}

void tst_PhotoWindow::timeText_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("text");

    QTest::newRow("morning, padded, seconds dropped")
            << QDateTime(QDate(2024, 3, 5), QTime(7, 9, 59)) << "2024/03/05 07:09";
    QTest::newRow("afternoon on a 24-hour clock")
            << QDateTime(QDate(2024, 12, 31), QTime(13, 45)) << "2024/12/31 13:45";
    QTest::newRow("midnight") << QDateTime(QDate(2025, 1, 1), QTime(0, 0)) << "2025/01/01 00:00";
}

void tst_PhotoWindow::timeText()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, text);
    QCOMPARE(PictureListing::timeText(time), text);
}

void tst_PhotoWindow::roundedThumbnail_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("radius");

    QTest::newRow("own size, radius 15") << QSize(240, 320) << qreal(15);
    QTest::newRow("half size, radius 15") << QSize(120, 160) << qreal(15);
    QTest::newRow("widened, radius 8") << QSize(300, 100) << qreal(8);
}

void tst_PhotoWindow::roundedThumbnail()
{
    QFETCH(QSize, size);
    QFETCH(qreal, radius);

    QPixmap picture(240, 320);
    picture.fill(Qt::white);
    const QImage thumbnail =
            PictureListing::roundedThumbnail(picture, size, radius).toImage();
    QCOMPARE(thumbnail.size(), size);
    QVERIFY(thumbnail.hasAlphaChannel());
    const int w = size.width();
    const int h = size.height();
    // Corners cut away, the rest kept opaque white.
    for (const QPoint corner :
         { QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1) })
        QCOMPARE(qAlpha(thumbnail.pixel(corner)), 0);
    const int inset = int(radius * 0.2);
    QCOMPARE(qAlpha(thumbnail.pixel(inset, inset)), 0);
    for (const QPoint inside : { QPoint(w / 2, h / 2), QPoint(w / 2, 1), QPoint(1, h / 2),
                                 QPoint(int(radius), int(radius)) })
        QCOMPARE(thumbnail.pixel(inside), qRgba(255, 255, 255, 255));
}

void tst_PhotoWindow::null_picture_thumbnail_stays_null()
{
    QVERIFY(PictureListing::roundedThumbnail(QPixmap(), QSize(240, 320), 15).isNull());
}

void tst_PhotoWindow::loadPictures_keeps_order_and_reports_progress()
{
    const QString root = pictureDrive("DCIM_100", 0, 12);
    QStringList paths;
    for (int i = 0; i < 12; ++i)
        paths << root + QString("DCIM_100/IMG_%1.bmp").arg(i, 4, 10, QChar('0'));
    paths.insert(5, root + "DCIM_100/missing.bmp");

    QList<int> reported;
    const QList<QImage> images = PictureListing::loadPictures(
            paths, [&](int done, int total) {
                QCOMPARE(total, 13);
                reported << done;
            });
    QCOMPARE(images.size(), 13);
    QVERIFY(images.at(5).isNull());
    for (int i = 0; i < 13; ++i) {
        if (i == 5)
            continue;
        const int shade = 40 * (i < 5 ? i : i - 1) % 256;
        QCOMPARE(images.at(i).size(), QSize(240, 320));
        QCOMPARE(qRed(images.at(i).pixel(10, 10)), shade);
    }
    QVERIFY(reported.size() >= 2);
    QCOMPARE(reported.first(), 0);
    QCOMPARE(reported.last(), 13);
    QVERIFY(std::is_sorted(reported.begin(), reported.end()));
    QCOMPARE(PictureListing::loadPictures({}).size(), 0);
}

void tst_PhotoWindow::form()
{
    m_platform.drives = QStringList { pictureDrive("DCIM_100", 0, 1) };
    const auto window = browser();
    QCOMPARE(window->windowTitle(), QString("VX305"));
    QVERIFY(!window->windowIcon().isNull());
    QCOMPARE(window->ui->tabWidget->count(), 2);
    QCOMPARE(window->ui->tabWidget->tabText(0), QString("文件"));
    QCOMPARE(window->ui->tabWidget->tabText(1), QString("图片信息"));
    QCOMPARE(window->ui->tabWidget->currentIndex(), 0);
    QCOMPARE(window->ui->tabWidget->font().pointSize(), 10);
    QCOMPARE(window->ui->label->text(), QString("移动磁盘"));
    for (QPushButton *button : { window->ui->pushButton_3, window->ui->pushButton_4 }) {
        QCOMPARE(button->minimumSize(), QSize(35, 35));
        QCOMPARE(button->maximumSize(), QSize(35, 35));
        QVERIFY(!button->icon().isNull());
    }
    QCOMPARE(window->ui->horizontalLayout_6->count(), 2);
    QVERIFY(window->ui->horizontalLayout_6->itemAt(0)->spacerItem());
    QCOMPARE(window->ui->horizontalLayout_6->itemAt(1)->widget(), window->m_iconView);
    QCOMPARE(window->ui->horizontalLayout_4->count(), 1);
    QVERIFY(window->ui->horizontalLayout_4->itemAt(0)->spacerItem());
    QCOMPARE(window->m_language, QString("CH"));
}

void tst_PhotoWindow::russian_tabs_are_wider_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("width");

    QTest::newRow("RU 150 pixels") << "RU" << "width: 150;";
    QTest::newRow("EN 85 pixels") << "EN" << "width: 85;";
    QTest::newRow("CH 85 pixels") << "CH" << "width: 85;";
}

void tst_PhotoWindow::russian_tabs_are_wider()
{
    QFETCH(QString, language);
    QFETCH(QString, width);

    ConfigRecord::createDefault(language);
    m_platform.drives = QStringList { pictureDrive("DCIM_100", 0, 1) };
    const auto window = browser();
    QCOMPARE(window->m_language, language);
    QVERIFY2(window->ui->tabWidget->styleSheet().contains(width),
             qPrintable(window->ui->tabWidget->styleSheet()));
    if (language == QLatin1String("RU")) {
        QCOMPARE(window->ui->tabWidget->styleSheet(),
                 QString("QTabWidget#tabWidget{border-color:rgb(255,0,0);}"
                         "QTabBar::tab {color: rgb(255, 255, 255); border-top-left-radius: 5px;"
                         "border-top-right-radius: 5px;padding: 5px;margin-right:10;width: 150;}"
                         "QTabBar::tab:!selected {background-color: #929697;}"
                         "QTabBar::tab:selected {background-color:#303030;}"));
    }
}

void tst_PhotoWindow::listing_order_times_sizes()
{
    const QString root = listingDrive();
    m_platform.drives = QStringList { root };
    const auto window = browser();
    QCOMPARE(window->m_pictureFolder, root + "DCIM_100");
    QCOMPARE(window->m_names, ListedNames);
    QCOMPARE(window->m_sizes, ListedSizes);
    QCOMPARE(window->m_pictures.size(), ListedNames.size());
    QCOMPARE(window->m_times.size(), ListedNames.size());
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 0; i < ListedNames.size(); ++i) {
        const QFileInfo info(window->m_pictureFolder + "/" + ListedNames.at(i));
        QCOMPARE(window->m_times.at(i),
                 PictureListing::timeText(PictureListing::creationTime(info)));
        const QDateTime time = QDateTime::fromString(window->m_times.at(i), "yyyy/MM/dd HH:mm");
        QVERIFY2(time.isValid(), qPrintable(window->m_times.at(i)));
        QVERIFY(qAbs(time.secsTo(now)) < 600);
    }
    QCOMPARE(window->m_iconView->count(), ListedNames.size());
    for (int i = 0; i < ListedNames.size(); ++i)
        QCOMPARE(window->m_iconView->item(i)->text(), ListedNames.at(i));
}

void tst_PhotoWindow::unreadable_picture_keeps_its_row_with_empty_icon()
{
    m_platform.drives = QStringList { listingDrive() };
    const auto window = browser();
    window->showIconView();
    for (int i = 0; i < ListedNames.size(); ++i) {
        QCOMPARE(window->m_pictures.at(i).isNull(), !ListedReadable.at(i));
        QCOMPARE(window->m_iconView->item(i)->icon().isNull(), !ListedReadable.at(i));
        if (ListedReadable.at(i))
            QCOMPARE(window->m_pictures.at(i).size(), QSize(240, 320));
    }
    window->showTableView();
    QCOMPARE(window->m_tableView->rowCount(), ListedNames.size());
    for (int i = 0; i < ListedNames.size(); ++i) {
        QCOMPARE(window->m_tableView->item(i, 1)->icon().isNull(), !ListedReadable.at(i));
        QCOMPARE(window->m_tableView->item(i, 2)->text(), ListedNames.at(i));
    }
}

void tst_PhotoWindow::empty_folder_gives_empty_view()
{
    const QString root = makeDrive(*m_drives, "E", { "DCIM_100" });
    PictureFixture::writeBytes(root + "DCIM_100/readme.txt", "no pictures here");
    m_platform.drives = QStringList { root };
    const auto window = browser();
    QCOMPARE(window->m_pictureFolder, root + "DCIM_100");
    QCOMPARE(window->m_names, QStringList());
    QCOMPARE(window->m_iconView->count(), 0);
    QCOMPARE(window->m_notice, QString());
    window->showTableView();
    QCOMPARE(window->m_tableView->rowCount(), 0);
}

void tst_PhotoWindow::icon_view_looks_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("pixelSize");

    QTest::newRow("VX305 text 15 px") << "DCIM_100" << 0 << 15;
    QTest::newRow("VX300 text 12 px") << "Images" << 1 << 12;
}

void tst_PhotoWindow::icon_view_looks()
{
    QFETCH(QString, folder);
    QFETCH(int, model);
    QFETCH(int, pixelSize);

    m_platform.drives = QStringList { pictureDrive(folder, model, 2) };
    const auto window = browser();
    QListWidget *view = window->m_iconView;
    QVERIFY(view);
    QCOMPARE(window->m_model, model);
    QVERIFY(view->hasMouseTracking());
    QCOMPARE(view->contextMenuPolicy(), Qt::CustomContextMenu);
    QCOMPARE(view->viewMode(), QListView::IconMode);
    QCOMPARE(view->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(view->frameShape(), QFrame::NoFrame);
    QVERIFY(!view->dragEnabled());
    QCOMPARE(view->iconSize(), QSize(195, 195));
    QVERIFY(view->uniformItemSizes());
    QCOMPARE(view->resizeMode(), QListView::Adjust);
    QCOMPARE(view->spacing(), 13);
    const QString style =
            "QListWidget::item::hover{\nbackground-color: rgb(91, 91, 91);\ncolor: rgb(255, 255, "
            "255);padding:8;border-radius: 8px;\n}QListWidget::item::Focus{\ncolor: rgb(255, 255, "
            "255);background-color:  rgb(50, 50, 50);border-radius: 8px;\n}QListWidget::item{\n"
            "background-color: rgb(255, 255, 255);padding:0;border-radius: 8px;\n}";
    QCOMPARE(view->styleSheet(), style);
    QCOMPARE(window->m_viewStyleSheet, style);
    QCOMPARE(view->font().pixelSize(), pixelSize);
    QCOMPARE(view->count(), 2);
    for (int i = 0; i < 2; ++i) {
        const QListWidgetItem *item = view->item(i);
        QCOMPARE(item->text(), window->m_names.at(i));
        QCOMPARE(item->textAlignment(), int(Qt::AlignCenter));
        QVERIFY(!(item->flags() & Qt::ItemIsEditable));
        QCOMPARE(item->sizeHint(), QSize(165, 220));
        // The thumbnail keeps the picture's size; only its corners are transparent.
        const QImage icon = item->icon().pixmap(QSize(240, 320)).toImage();
        QCOMPARE(icon.size(), QSize(240, 320));
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(120, 160)), 255);
    }
}

void tst_PhotoWindow::table_view_looks()
{
    m_platform.drives = QStringList { listingDrive() };
    const auto window = browser();
    window->ui->pushButton_3->click();
    QTableWidget *table = window->m_tableView;
    QVERIFY(table);
    QVERIFY(!window->m_iconView);
    QCOMPARE(window->ui->horizontalLayout_6->count(), 2);
    QCOMPARE(window->ui->horizontalLayout_6->itemAt(1)->widget(), table);
    const QString style =
            "QTableWidget{\nselection-color: rgb(255, 255, 255);\nselection-background-color:  "
            "rgb(91, 91, 91);\n}QTableWidget::item::hover{\ncolor: rgb(255, 255, "
            "255);background-color: rgb(91, 91, 91);border-radius: 5px;\n}QHeaderView::section{\n"
            "border:1px groove white;color: rgb(255, 255, 255);"
            "background-color: rgb(52, 52, 52);\n}";
    QCOMPARE(table->styleSheet(), style);
    QCOMPARE(window->m_viewStyleSheet, style);
    QCOMPARE(table->font().pixelSize(), 13);
    QCOMPARE(table->columnCount(), 5);
    QStringList headers;
    for (int c = 0; c < 5; ++c) {
        headers << table->horizontalHeaderItem(c)->text();
        QCOMPARE(table->horizontalHeader()->sectionResizeMode(c), QHeaderView::Fixed);
    }
    QCOMPARE(headers, QStringList({ "编号", "图像", "名称", "时间", "大小" }));
    QVERIFY(!table->verticalHeader()->isVisible() && table->verticalHeader()->isHidden());
    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(table->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(table->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(table->iconSize(), QSize(60, 60));
    QVERIFY(table->horizontalHeader()->stretchLastSection());

    QCOMPARE(table->rowCount(), ListedNames.size());
    const int centred = int(Qt::AlignCenter);
    const int right = int(Qt::AlignRight | Qt::AlignVCenter);
    for (int i = 0; i < ListedNames.size(); ++i) {
        QCOMPARE(table->rowHeight(i), 50);
        QCOMPARE(table->item(i, 0)->text(), QString::number(i));
        QCOMPARE(table->item(i, 0)->textAlignment(), centred);
        QCOMPARE(table->item(i, 1)->text(), QString());
        QCOMPARE(table->item(i, 1)->textAlignment(), right);
        QCOMPARE(table->item(i, 2)->text(), ListedNames.at(i));
        QCOMPARE(table->item(i, 2)->textAlignment(), centred);
        QCOMPARE(table->item(i, 3)->text(), window->m_times.at(i));
        QCOMPARE(table->item(i, 3)->textAlignment(), centred);
        QCOMPARE(table->item(i, 4)->text(), ListedSizes.at(i) + "KB");
        QCOMPARE(table->item(i, 4)->textAlignment(), right);
        for (int c = 0; c < 5; ++c)
            QVERIFY(!(table->item(i, c)->flags() & Qt::ItemIsEditable));
    }

    window->ui->pushButton_4->click();
    QVERIFY(!window->m_tableView);
    QVERIFY(window->m_iconView);
    QCOMPARE(window->ui->horizontalLayout_6->count(), 2);
    QCOMPARE(window->m_iconView->count(), ListedNames.size());
}

void tst_PhotoWindow::table_column_widths_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<int>>("widths");

    QTest::newRow("CH VX305") << "CH" << "DCIM_100" << 0 << QList<int> { 50, 60, 120, 150 };
    QTest::newRow("CH VX300 wider names")
            << "CH" << "Images" << 1 << QList<int> { 50, 60, 200, 150 };
    QTest::newRow("EN VX305") << "EN" << "DCIM_100" << 0 << QList<int> { 50, 60, 120, 150 };
    QTest::newRow("KO VX300") << "KO" << "Images" << 1 << QList<int> { 50, 60, 200, 150 };
    QTest::newRow("RU VX305") << "RU" << "DCIM_100" << 0 << QList<int> { 70, 90, 200, 170 };
    QTest::newRow("RU VX300") << "RU" << "Images" << 1 << QList<int> { 70, 90, 200, 170 };
}

void tst_PhotoWindow::table_column_widths()
{
    QFETCH(QString, language);
    QFETCH(QString, folder);
    QFETCH(int, model);
    QFETCH(QList<int>, widths);

    ConfigRecord::createDefault(language);
    m_platform.drives = QStringList { pictureDrive(folder, model, 1) };
    const auto window = browser();
    QCOMPARE(window->m_model, model);
    window->showTableView();
    QList<int> actual;
    for (int c = 0; c < 4; ++c)
        actual << window->m_tableView->columnWidth(c);
    QCOMPARE(actual, widths);
}

void tst_PhotoWindow::switching_views_does_not_read_the_drive()
{
    const QString root = listingDrive();
    m_platform.drives = QStringList { root };
    const auto window = browser();
    // With the files gone, only the lists in memory can fill the views.
    QVERIFY(QDir(root + "DCIM_100").removeRecursively());
    window->showTableView();
    QCOMPARE(window->m_tableView->rowCount(), ListedNames.size());
    QVERIFY(!window->m_tableView->item(0, 1)->icon().isNull());
    window->showIconView();
    QCOMPARE(window->m_iconView->count(), ListedNames.size());
    QVERIFY(!window->m_iconView->item(0)->icon().isNull());
    QCOMPARE(window->m_names, ListedNames);
    QCOMPARE(window->m_sizes, ListedSizes);
}

void tst_PhotoWindow::slow_listing_shows_progress_and_same_lists()
{
    m_platform.drives = QStringList { listingDrive() };
    const auto window = browser();
    const QStringList times = window->m_times;

    ProgressWatcher watcher;
    qApp->installEventFilter(&watcher);
    window->m_progressDelay = 0;
    window->get_image_information();
    qApp->removeEventFilter(&watcher);

    QCOMPARE(watcher.shown, 1);
    QCOMPARE(watcher.label, QString("正在读取图片..."));
    QCOMPARE(window->m_names, ListedNames);
    QCOMPARE(window->m_sizes, ListedSizes);
    QCOMPARE(window->m_times, times);
    for (int i = 0; i < ListedNames.size(); ++i)
        QCOMPARE(window->m_pictures.at(i).isNull(), !ListedReadable.at(i));
    QCOMPARE(window->m_iconView->count(), ListedNames.size());
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *widget : windows)
        QVERIFY(!qobject_cast<QProgressDialog *>(widget));
}

void tst_PhotoWindow::opening_replaces_previous_analysis_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("model");

    QTest::newRow("VX305 pictures from DCIM_100") << "DCIM_100" << 0;
    QTest::newRow("VX300 pictures from Images") << "Images" << 1;
}

void tst_PhotoWindow::opening_replaces_previous_analysis()
{
    QFETCH(QString, folder);
    QFETCH(int, model);

    m_platform.drives = QStringList { pictureDrive(folder, model, 2) };
    const auto window = browser();
    QCOMPARE(window->m_model, model);
    QListWidget *view = window->m_iconView;

    emit view->itemDoubleClicked(view->item(0));
    QCOMPARE(m_answers->asked, QStringList());
    QCOMPARE(window->ui->tabWidget->currentIndex(), 1);
    QCOMPARE(window->ui->horizontalLayout_4->count(), 2);
    QPointer<Analysis_Widget> first =
            qobject_cast<Analysis_Widget *>(window->ui->horizontalLayout_4->itemAt(1)->widget());
    QVERIFY(first);

    window->ui->tabWidget->setCurrentIndex(0);
    emit view->itemDoubleClicked(view->item(1));
    QCOMPARE(window->ui->tabWidget->currentIndex(), 1);
    QCOMPARE(window->ui->horizontalLayout_4->count(), 2);
    QVERIFY(!first);
    QVERIFY(qobject_cast<Analysis_Widget *>(window->ui->horizontalLayout_4->itemAt(1)->widget()));
    QCOMPARE(m_answers->asked, QStringList());
}

void tst_PhotoWindow::table_double_click_opens_row()
{
    const QString root = makeDrive(*m_drives, "E", { "DCIM_100" });
    BitmapFixture::writePicture(root + "DCIM_100/good.bmp", 0);
    PictureFixture::writeBytes(root + "DCIM_100/bad.bmp", "broken");
    m_platform.drives = QStringList { root };
    const auto window = browser();
    QCOMPARE(window->m_names, QStringList({ "bad.bmp", "good.bmp" }));
    window->showTableView();

    // Any cell of the row names the picture, the icon cell included.
    emit window->m_tableView->itemDoubleClicked(window->m_tableView->item(1, 1));
    QCOMPARE(window->ui->tabWidget->currentIndex(), 1);
    QCOMPARE(window->ui->horizontalLayout_4->count(), 2);
    QCOMPARE(m_answers->asked, QStringList());

    emit window->m_tableView->itemDoubleClicked(window->m_tableView->item(0, 3));
    QCOMPARE(m_answers->asked.size(), 2);
}

void tst_PhotoWindow::wrong_model_warns_and_keeps_tab()
{
    const QString root = makeDrive(*m_drives, "E", { "DCIM_100" });
    BitmapFixture::writePicture(root + "DCIM_100/a305.bmp", 0);
    BitmapFixture::writePicture(root + "DCIM_100/b300.bmp", 1);
    m_platform.drives = QStringList { root };
    const auto window = browser();
    QCOMPARE(window->m_model, 0);
    QListWidget *view = window->m_iconView;

    // Nothing opened yet: the tab stays on the file list and the viewer stays empty.
    emit view->itemDoubleClicked(view->item(1));
    QCOMPARE(m_answers->asked,
             QStringList({ QStringLiteral("警告"),
                           QStringLiteral("该图片解析失败，请确认型号是否正确!") }));
    QCOMPARE(window->ui->tabWidget->currentIndex(), 0);
    QCOMPARE(window->ui->horizontalLayout_4->count(), 1);

    // With a picture open, a failing one leaves it in place.
    emit view->itemDoubleClicked(view->item(0));
    QPointer<QWidget> shown = window->ui->horizontalLayout_4->itemAt(1)->widget();
    window->ui->tabWidget->setCurrentIndex(0);
    emit view->itemDoubleClicked(view->item(1));
    QCOMPARE(m_answers->asked.size(), 4);
    QCOMPARE(window->ui->tabWidget->currentIndex(), 0);
    QCOMPARE(window->ui->horizontalLayout_4->count(), 2);
    QVERIFY(shown);
    QCOMPARE(window->ui->horizontalLayout_4->itemAt(1)->widget(), shown.data());
}

void tst_PhotoWindow::hover_shows_path_and_table_clears_it()
{
    m_platform.drives = QStringList { pictureDrive("DCIM_100", 0, 2) };
    MainWindow main(&m_platform);
    main.m_timer->stop();
    main.timeout_connect();
    photo_window *window = main.m_photoWindow;
    QVERIFY(window);

    emit window->m_iconView->itemEntered(window->m_iconView->item(1));
    QCOMPARE(main.ui->label_2->text(), window->m_pictureFolder + "/IMG_0001.bmp");

    window->showTableView();
    QCOMPARE(main.ui->label_2->text(), QString());

    window->showIconView();
    emit window->m_iconView->itemEntered(window->m_iconView->item(0));
    QCOMPARE(main.ui->label_2->text(), window->m_pictureFolder + "/IMG_0000.bmp");
    QListWidgetItem unknown("?");
    main.Photo_itemEntered(&unknown);
    QCOMPARE(main.ui->label_2->text(), QString());
}

void tst_PhotoWindow::drive_mode_end_to_end()
{
    const QString root = pictureDrive("DCIM_100", 0, 3);
    MainWindow main(&m_platform);
    main.m_timer->stop();
    main.timeout_connect();
    QCOMPARE(main.m_mode, -1);

    m_platform.drives = QStringList { root };
    main.timeout_connect();
    QCOMPARE(main.m_connectState, 1);
    QCOMPARE(main.m_mode, 2);
    QCOMPARE(main.ui->label->text(), QString("U盘模式"));
    QVERIFY(main.m_photoWindow);
    QCOMPARE(main.ui->horizontalLayout->count(), 1);
    QCOMPARE(main.ui->horizontalLayout->itemAt(0)->widget(), main.m_photoWindow.data());
    photo_window *window = main.m_photoWindow;
    QCOMPARE(window->m_mainWindow, &main);
    QCOMPARE(window->m_pictureFolder, root + "DCIM_100");
    QCOMPARE(window->m_names, QStringList({ "IMG_0000.bmp", "IMG_0001.bmp", "IMG_0002.bmp" }));
    QCOMPARE(window->m_iconView->count(), 3);

    emit window->m_iconView->itemDoubleClicked(window->m_iconView->item(2));
    QCOMPARE(window->ui->tabWidget->currentIndex(), 1);
    QVERIFY(qobject_cast<Analysis_Widget *>(window->ui->horizontalLayout_4->itemAt(1)->widget()));

    // The drive leaves: the browser goes, and the field stops naming it.
    QPointer<photo_window> gone = window;
    m_platform.drives.clear();
    main.timeout_connect();
    QVERIFY(!main.m_photoWindow);
    QCOMPARE(main.ui->horizontalLayout->count(), 0);
    QTRY_VERIFY(!gone);
}

void tst_PhotoWindow::second_switch_in_one_tick_replaces_browser()
{
    MainWindow main(&m_platform);
    main.m_timer->stop();
    m_platform.cameraList = { FakePlatform::imager() };
    main.timeout_connect();
    QCOMPARE(main.m_mode, 1);

    m_answers->questionAnswer = QMessageBox::Yes;
    m_platform.cameraList.clear();
    const QString root = makeDrive(*m_drives, "E", { "DCIM_100", "Images" });
    BitmapFixture::writePicture(root + "Images/x.bmp", 1);
    m_platform.drives = QStringList { root };
    main.timeout_connect();
    QCOMPARE(main.m_mode, 2);
    // One question per browser: the switch ran twice.
    QCOMPARE(m_answers->asked.size(), 4);
    QVERIFY(main.m_photoWindow);
    QCOMPARE(main.ui->horizontalLayout->count(), 1);
    QCOMPARE(main.ui->horizontalLayout->itemAt(0)->widget(), main.m_photoWindow.data());
    QCOMPARE(main.m_photoWindow->m_pictureFolder, root + "Images");
    QCOMPARE(main.m_photoWindow->m_names, QStringList { "x.bmp" });
    QTRY_COMPARE(main.findChildren<photo_window *>().size(), 1);
}

void tst_PhotoWindow::new_texts_are_translated_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");

    QTest::newRow("EN no drive") << "EN" << photo_window::noDriveNotice()
                                 << "No removable disk found.";
    QTest::newRow("EN no picture folder")
            << "EN" << photo_window::noFolderNotice()
            << QStringLiteral("The selected disk holds neither the VX305 folder “DCIM_100” nor "
                              "the VX300 folder “Images”.");
    QTest::newRow("EN progress") << "EN" << QStringLiteral("正在读取图片...")
                                 << "Reading pictures...";
    QTest::newRow("RU no drive") << "RU" << photo_window::noDriveNotice()
                                 << QStringLiteral("Съёмный диск не найден.");
    QTest::newRow("KO progress") << "KO" << QStringLiteral("正在读取图片...")
                                 << QStringLiteral("사진을 읽는 중...");
}

void tst_PhotoWindow::new_texts_are_translated()
{
    QFETCH(QString, code);
    QFETCH(QString, source);
    QFETCH(QString, translation);

    QTranslator translator;
    QVERIFY(translator.load(translationForLanguage(code)));
    QCOMPARE(translator.translate("photo_window", source.toUtf8()), translation);
}

QTEST_MAIN(tst_PhotoWindow)
#include "tst_photowindow.moc"
