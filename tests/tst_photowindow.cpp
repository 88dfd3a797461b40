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
#include <QListWidget>
#include <QPointer>
#include <QProgressDialog>
#include <QTableWidget>
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
        auto *dialog = qobject_cast<QProgressDialog *>(object);
        if (dialog && event->type() == QEvent::Show) {
            ++shown;
            label = dialog->labelText();
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

    void sizeText_and_timeText_data()
    {
        QTest::addColumn<QVariant>("value"); // a size in bytes or a file time
        QTest::addColumn<QString>("text");

        QTest::newRow("empty file") << QVariant(qint64(0)) << "0.0";
        QTest::newRow("51 bytes round down") << QVariant(qint64(51)) << "0.0";
        QTest::newRow("52 bytes round up") << QVariant(qint64(52)) << "0.1";
        QTest::newRow("1023 bytes round to one") << QVariant(qint64(1023)) << "1.0";
        QTest::newRow("one and a half KiB") << QVariant(qint64(1536)) << "1.5";
        QTest::newRow("VX305 picture") << QVariant(qint64(307810)) << "300.6";
        QTest::newRow("VX300 picture") << QVariant(qint64(231013)) << "225.6";
        QTest::newRow("ten thousand million bytes") << QVariant(qint64(10000000000)) << "9765625.0";
        QTest::newRow("morning, padded, seconds dropped")
                << QVariant(QDateTime(QDate(2024, 3, 5), QTime(7, 9, 59))) << "2024/03/05 07:09";
        QTest::newRow("afternoon on a 24-hour clock")
                << QVariant(QDateTime(QDate(2024, 12, 31), QTime(13, 45))) << "2024/12/31 13:45";
    }

    void sizeText_and_timeText()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        QCOMPARE(value.type() == QVariant::DateTime ? PictureListing::timeText(value.toDateTime())
                                                    : PictureListing::sizeText(value.toLongLong()),
                 text);
    }

    void roundedThumbnail_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("radius");

        QTest::newRow("own size, radius 15") << QSize(240, 320) << qreal(15);
        QTest::newRow("widened, radius 8") << QSize(300, 100) << qreal(8);
    }

    void roundedThumbnail()
    {
        QFETCH(QSize, size);
        QFETCH(qreal, radius);

        QPixmap picture(240, 320);
        picture.fill(Qt::white);
        const QImage thumbnail = PictureListing::roundedThumbnail(picture, size, radius).toImage();
        QCOMPARE(thumbnail.size(), size);
        const int w = size.width();
        const int h = size.height();
        const int inset = int(radius * 0.2);
        // Corners cut away, the rest kept opaque white.
        for (const QPoint corner : { QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1),
                                     QPoint(w - 1, h - 1), QPoint(inset, inset) })
            QCOMPARE(qAlpha(thumbnail.pixel(corner)), 0);
        for (const QPoint inside : { QPoint(w / 2, h / 2), QPoint(w / 2, 1), QPoint(1, h / 2),
                                     QPoint(int(radius), int(radius)) })
            QCOMPARE(thumbnail.pixel(inside), qRgba(255, 255, 255, 255));
        QVERIFY(PictureListing::roundedThumbnail(QPixmap(), size, radius).isNull());
    }

    void loadPictures_keeps_order_and_reports_progress()
    {
        const QString root = pictureDrive("DCIM_100", 0, 12);
        QStringList paths;
        for (int i = 0; i < 12; ++i)
            paths << root + QString("DCIM_100/IMG_%1.bmp").arg(i, 4, 10, QChar('0'));
        paths.insert(5, root + "DCIM_100/missing.bmp");

        QList<int> reported;
        const QList<QImage> images = PictureListing::loadPictures(paths, [&](int done, int total) {
            QCOMPARE(total, 13);
            reported << done;
        });
        QCOMPARE(images.size(), 13);
        for (int i = 0; i < 13; ++i) {
            QCOMPARE(images.at(i).isNull(), i == 5); // the missing file keeps its place
            if (i != 5)
                QCOMPARE(qRed(images.at(i).pixel(10, 10)), 40 * (i < 5 ? i : i - 1) % 256);
        }
        QVERIFY(reported.size() >= 2 && std::is_sorted(reported.begin(), reported.end()));
        QCOMPARE(reported.first(), 0);
        QCOMPARE(reported.last(), 13);
        QCOMPARE(PictureListing::loadPictures({}).size(), 0);
    }

    void language_widths_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("tabWidth");
        QTest::addColumn<QList<int>>("columns"); // the first four table columns

        QTest::newRow("CH VX305")
                << "CH" << "DCIM_100" << 0 << 85 << QList<int> { 50, 60, 120, 150 };
        QTest::newRow("EN VX300 wider names")
                << "EN" << "Images" << 1 << 85 << QList<int> { 50, 60, 200, 150 };
        QTest::newRow("RU VX305")
                << "RU" << "DCIM_100" << 0 << 150 << QList<int> { 70, 90, 200, 170 };
        QTest::newRow("RU VX300")
                << "RU" << "Images" << 1 << 150 << QList<int> { 70, 90, 200, 170 };
    }

    void language_widths()
    {
        QFETCH(QString, language);
        QFETCH(QString, folder);
        QFETCH(int, model);
        QFETCH(int, tabWidth);
        QFETCH(QList<int>, columns);

        ConfigRecord::createDefault(language);
        m_platform.drives = QStringList { pictureDrive(folder, model, 1) };
        const auto window = browser();
        QCOMPARE(window->m_language, language);
        QCOMPARE(window->m_model, model);
        // The style sheet of the other languages is split into lines.
        QCOMPARE(window->ui->tabWidget->styleSheet().remove('\n'),
                 QString("QTabWidget#tabWidget{border-color:rgb(255,0,0);}"
                         "QTabBar::tab {color: rgb(255, 255, 255); border-top-left-radius: 5px;"
                         "border-top-right-radius: 5px;padding: 5px;margin-right:10;width: %1;}"
                         "QTabBar::tab:!selected {background-color: #929697;}"
                         "QTabBar::tab:selected {background-color:#303030;}")
                         .arg(tabWidth));
        window->showTableView();
        QList<int> actual;
        for (int c = 0; c < 4; ++c)
            actual << window->m_tableView->columnWidth(c);
        QCOMPARE(actual, columns);
    }

    void listing_order_times_sizes_also_when_slow()
    {
        const QString root = listingDrive();
        m_platform.drives = QStringList { root };
        const auto window = browser();
        QCOMPARE(window->m_pictureFolder, root + "DCIM_100");
        QStringList times;
        for (const QString &name : ListedNames) {
            const QFileInfo info(root + "DCIM_100/" + name);
            times << PictureListing::timeText(PictureListing::creationTime(info));
            const QDateTime time = QDateTime::fromString(times.last(), "yyyy/MM/dd HH:mm");
            QVERIFY2(time.isValid() && qAbs(time.secsTo(QDateTime::currentDateTime())) < 600,
                     qPrintable(times.last()));
        }

        // A slow listing shows one progress dialog, closes it and gives the same lists.
        ProgressWatcher watcher;
        for (const bool slow : { false, true }) {
            if (slow) {
                qApp->installEventFilter(&watcher);
                window->m_progressDelay = 0;
                window->get_image_information();
                qApp->removeEventFilter(&watcher);
            }
            QCOMPARE(window->m_names, ListedNames);
            QCOMPARE(window->m_sizes, ListedSizes);
            QCOMPARE(window->m_times, times);
            QCOMPARE(window->m_iconView->count(), ListedNames.size());
            for (int i = 0; i < ListedNames.size(); ++i) {
                QCOMPARE(window->m_iconView->item(i)->text(), ListedNames.at(i));
                QCOMPARE(window->m_pictures.at(i).isNull(), !ListedReadable.at(i));
            }
        }
        QCOMPARE(watcher.shown, 1);
        QCOMPARE(watcher.label, QString("正在读取图片..."));
        for (QWidget *widget : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<QProgressDialog *>(widget));
    }

    void unreadable_picture_keeps_its_row_in_both_views()
    {
        const QString root = listingDrive();
        m_platform.drives = QStringList { root };
        const auto window = browser();
        // With the files gone, only the lists in memory can fill the views.
        QVERIFY(QDir(root + "DCIM_100").removeRecursively());
        window->ui->pushButton_3->click();
        QTableWidget *table = window->m_tableView;
        QVERIFY(table && !window->m_iconView);
        QCOMPARE(window->ui->horizontalLayout_6->itemAt(1)->widget(), table);
        QStringList headers;
        for (int c = 0; c < table->columnCount(); ++c)
            headers << table->horizontalHeaderItem(c)->text();
        QCOMPARE(headers, QStringList({ "编号", "图像", "名称", "时间", "大小" }));
        QVERIFY(table->verticalHeader()->isHidden());
        QCOMPARE(table->iconSize(), QSize(60, 60));

        QCOMPARE(table->rowCount(), ListedNames.size());
        for (int i = 0; i < ListedNames.size(); ++i) {
            QCOMPARE(table->rowHeight(i), 50);
            QCOMPARE(table->item(i, 1)->icon().isNull(), !ListedReadable.at(i));
            const QStringList texts { QString::number(i), QString(), ListedNames.at(i),
                                      window->m_times.at(i), ListedSizes.at(i) + "KB" };
            for (int c = 0; c < 5; ++c) {
                QCOMPARE(table->item(i, c)->text(), texts.at(c));
                QVERIFY(!(table->item(i, c)->flags() & Qt::ItemIsEditable));
            }
        }

        window->ui->pushButton_4->click();
        QVERIFY(!window->m_tableView && window->m_iconView);
        QCOMPARE(window->ui->horizontalLayout_6->count(), 2);
        QCOMPARE(window->m_iconView->count(), ListedNames.size());
        for (int i = 0; i < ListedNames.size(); ++i)
            QCOMPARE(window->m_iconView->item(i)->icon().isNull(), !ListedReadable.at(i));
    }

    void empty_folder_gives_empty_view()
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

    void each_model_shows_icons_and_opens_pictures_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("pixelSize");

        QTest::newRow("VX305 pictures from DCIM_100, text 15 px") << "DCIM_100" << 0 << 15;
        QTest::newRow("VX300 pictures from Images, text 12 px") << "Images" << 1 << 12;
    }

    void each_model_shows_icons_and_opens_pictures()
    {
        QFETCH(QString, folder);
        QFETCH(int, model);
        QFETCH(int, pixelSize);

        m_platform.drives = QStringList { pictureDrive(folder, model, 2) };
        const auto window = browser();
        QCOMPARE(window->m_model, model);
        QCOMPARE(window->windowTitle(), QString("VX305"));
        const QTabWidget *tabs = window->ui->tabWidget;
        QCOMPARE(QStringList({ tabs->tabText(0), tabs->tabText(1) }),
                 QStringList({ "文件", "图片信息" }));
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(window->ui->label->text(), QString("移动磁盘"));

        QListWidget *view = window->m_iconView;
        QCOMPARE(window->ui->horizontalLayout_6->itemAt(1)->widget(), view);
        QCOMPARE(view->iconSize(), QSize(195, 195));
        QCOMPARE(view->font().pixelSize(), pixelSize);
        QCOMPARE(view->count(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(view->item(i)->sizeHint(), QSize(165, 220));
            // The thumbnail keeps the picture's size; only its corners are transparent.
            const QImage icon = view->item(i)->icon().pixmap(QSize(240, 320)).toImage();
            QCOMPARE(icon.size(), QSize(240, 320));
            QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(icon.pixel(120, 160)), 255);
        }

        // Opening a second picture replaces the first analysis.
        QPointer<QWidget> first;
        for (int i = 0; i < 2; ++i) {
            window->ui->tabWidget->setCurrentIndex(0);
            emit view->itemDoubleClicked(view->item(i));
            QCOMPARE(tabs->currentIndex(), 1);
            QCOMPARE(window->ui->horizontalLayout_4->count(), 2);
            QWidget *shown = window->ui->horizontalLayout_4->itemAt(1)->widget();
            QVERIFY(qobject_cast<Analysis_Widget *>(shown));
            if (i == 0)
                first = shown;
        }
        QVERIFY(!first);
        QCOMPARE(m_answers->asked, QStringList());
    }

    void wrong_model_warns_and_keeps_tab()
    {
        const QString root = makeDrive(*m_drives, "E", { "DCIM_100" });
        BitmapFixture::writePicture(root + "DCIM_100/a305.bmp", 0);
        BitmapFixture::writePicture(root + "DCIM_100/b300.bmp", 1);
        PictureFixture::writeBytes(root + "DCIM_100/c.bmp", "broken");
        m_platform.drives = QStringList { root };
        const auto window = browser();
        QCOMPARE(window->m_model, 0);
        const QStringList warning { QStringLiteral("警告"),
                                    QStringLiteral("该图片解析失败，请确认型号是否正确!") };

        // Nothing opened yet: the tab stays on the file list and the viewer stays empty.
        emit window->m_iconView->itemDoubleClicked(window->m_iconView->item(1));
        QCOMPARE(m_answers->asked, warning);
        QCOMPARE(window->ui->tabWidget->currentIndex(), 0);
        QCOMPARE(window->ui->horizontalLayout_4->count(), 1);

        // Any cell of a table row names its picture, the icon cell included.
        window->showTableView();
        QTableWidget *table = window->m_tableView;
        emit table->itemDoubleClicked(table->item(0, 1));
        QCOMPARE(window->ui->tabWidget->currentIndex(), 1);
        QPointer<QWidget> shown = window->ui->horizontalLayout_4->itemAt(1)->widget();

        // With a picture open, a failing one (wrong model or broken) leaves it in place.
        for (const int row : { 1, 2 }) {
            window->ui->tabWidget->setCurrentIndex(0);
            emit table->itemDoubleClicked(table->item(row, 3));
            QCOMPARE(window->ui->tabWidget->currentIndex(), 0);
            QCOMPARE(window->ui->horizontalLayout_4->count(), 2);
            QVERIFY(shown);
            QCOMPARE(window->ui->horizontalLayout_4->itemAt(1)->widget(), shown.data());
        }
        QCOMPARE(m_answers->asked, warning + warning + warning);
    }

    void drive_mode_end_to_end()
    {
        const QString root = pictureDrive("DCIM_100", 0, 3);
        MainWindow main(&m_platform);
        main.m_timer->stop();
        main.timeout_connect();
        QCOMPARE(main.m_mode, -1);

        m_platform.drives = QStringList { root };
        main.timeout_connect();
        QCOMPARE(main.m_mode, 2);
        QCOMPARE(main.ui->label->text(), QString("U盘模式"));
        QVERIFY(main.m_photoWindow);
        QCOMPARE(main.ui->horizontalLayout->count(), 1);
        QCOMPARE(main.ui->horizontalLayout->itemAt(0)->widget(), main.m_photoWindow.data());
        photo_window *window = main.m_photoWindow;
        QCOMPARE(window->m_names, QStringList({ "IMG_0000.bmp", "IMG_0001.bmp", "IMG_0002.bmp" }));

        // Hovering a picture shows its path; the table view and unknown items clear it.
        const QString folder = root + "DCIM_100/";
        emit window->m_iconView->itemEntered(window->m_iconView->item(1));
        QCOMPARE(main.ui->label_2->text(), folder + "IMG_0001.bmp");
        window->showTableView();
        QCOMPARE(main.ui->label_2->text(), QString());
        window->showIconView();
        emit window->m_iconView->itemEntered(window->m_iconView->item(0));
        QCOMPARE(main.ui->label_2->text(), folder + "IMG_0000.bmp");
        QListWidgetItem unknown("?");
        main.Photo_itemEntered(&unknown);
        QCOMPARE(main.ui->label_2->text(), QString());

        emit window->m_iconView->itemDoubleClicked(window->m_iconView->item(2));
        QCOMPARE(window->ui->tabWidget->currentIndex(), 1);
        QVERIFY(qobject_cast<Analysis_Widget *>(window->ui->horizontalLayout_4->itemAt(1)->widget()));

        // The drive leaves: the browser goes.
        QPointer<photo_window> gone = window;
        m_platform.drives.clear();
        main.timeout_connect();
        QVERIFY(!main.m_photoWindow);
        QCOMPARE(main.ui->horizontalLayout->count(), 0);
        QTRY_VERIFY(!gone);
    }

    void second_switch_in_one_tick_replaces_browser()
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
        QCOMPARE(main.ui->horizontalLayout->count(), 1);
        QCOMPARE(main.ui->horizontalLayout->itemAt(0)->widget(), main.m_photoWindow.data());
        QCOMPARE(main.m_photoWindow->m_names, QStringList { "x.bmp" });
        QTRY_COMPARE(main.findChildren<photo_window *>().size(), 1);
    }

    void new_texts_are_translated_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("translation");

        const QString progress = QStringLiteral("正在读取图片...");
        QTest::newRow("EN no drive") << "EN" << photo_window::noDriveNotice()
                                     << "No removable disk found.";
        QTest::newRow("EN no picture folder")
                << "EN" << photo_window::noFolderNotice()
                << QStringLiteral("The selected disk holds neither the VX305 folder “DCIM_100” nor "
                                  "the VX300 folder “Images”.");
        QTest::newRow("EN progress") << "EN" << progress << "Reading pictures...";
        QTest::newRow("RU no drive") << "RU" << photo_window::noDriveNotice()
                                     << QStringLiteral("Съёмный диск не найден.");
    }

    void new_texts_are_translated()
    {
        QFETCH(QString, code);
        QFETCH(QString, source);
        QFETCH(QString, translation);

        QTranslator translator;
        QVERIFY(translator.load(translationForLanguage(code)));
        QCOMPARE(translator.translate("photo_window", source.toUtf8()), translation);
    }

private:
    // A drive whose folder holds the five files of ListedNames and a few that are not listed.
    [[nodiscard]] QString listingDrive()
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

    [[nodiscard]] QString pictureDrive(const QString &folder, int model, int count)
    {
        const QString root = makeDrive(*m_drives, folder, { folder });
        for (int i = 0; i < count; ++i)
            BitmapFixture::writePicture(
                    root + folder + QString("/IMG_%1.bmp").arg(i, 4, 10, QChar('0')), model,
                    quint8(40 * i));
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

QTEST_MAIN(tst_PhotoWindow)
#include "tst_photowindow.moc"
