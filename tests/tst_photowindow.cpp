#include "analysis/analysis_widget.h"
#include "app/configrecord.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "browser/photo_window.h"
#include "browser/picturelisting.h"
#include "browser/thumbnailfiller.h"
#include "ui_mainwindow.h"
#include "ui_photo_window.h"
#include "bitmapfixture.h"
#include "testsupport.h"

#include <QHeaderView>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>
#include <QSemaphore>
#include <QTableWidget>
#include <QThreadPool>
#include <QTranslator>
#include <QtTest>

#include <memory>

#include <unistd.h>

namespace {

const QStringList ListedNames = { "A.bmp", "Z.bmp", "a.bmp", "b.bmp", "c.BMP" };
const QStringList ListedSizes = { "300.6", "225.6", "0.0", "1.5", "300.6" };
// Which of ListedNames hold a viewable bitmap.
const QList<bool> ListedReadable = { true, true, false, false, true };

// Occupies every decoding thread while it lives, so that thumbnails wait in their queue.
struct PoolBlocker
{
    QSemaphore gate;
    const int threads = ThumbnailFiller::pool()->maxThreadCount();
    PoolBlocker()
    {
        for (int i = 0; i < threads; ++i)
            ThumbnailFiller::pool()->start([this] { gate.acquire(); });
    }
    ~PoolBlocker()
    {
        gate.release(threads);
        ThumbnailFiller::pool()->waitForDone();
    }
};

// The picture an icon shows at the size of its view's icons.
QImage shown(const QIcon &icon, const QSize &box)
{
    return icon.pixmap(box).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// An item still waiting for its thumbnail shows a transparent one.
bool pending(const QListWidgetItem *item)
{
    const QImage image = shown(item->icon(), QSize(195, 195));
    return !image.isNull() && qAlpha(image.pixel(73, 97)) == 0;
}

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

    void large_folder_lists_in_order_with_its_texts()
    {
        const QString root = listingDrive();
        const QStringList linked = linkPictures(root + "DCIM_100", 3000);
        m_platform.drives = QStringList { root };
        const QDateTime now = QDateTime::currentDateTime();
        const auto window = browser();
        // Case-sensitive name order: capitals first.
        const QStringList names = ListedNames.mid(0, 1) + linked + ListedNames.mid(1);
        QStringList sizes = ListedSizes;
        for (int i = 0; i < linked.size(); ++i)
            sizes.insert(1, "300.6");
        QCOMPARE(window->m_names, names);
        QCOMPARE(window->m_sizes, sizes);
        QCOMPARE(window->m_times.size(), names.size());
        for (const QString &time : qAsConst(window->m_times))
            QVERIFY2(qAbs(QDateTime::fromString(time, "yyyy/MM/dd HH:mm").secsTo(now)) < 600,
                     qPrintable(time));
        QCOMPARE(window->m_iconView->count(), names.size());
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(window->m_iconView->item(i)->text(), names.at(i));

        window->ui->pushButton_3->click();
        QTableWidget *table = window->m_tableView;
        QVERIFY(table && !window->m_iconView
                && window->ui->horizontalLayout_6->itemAt(1)->widget() == table);
        QStringList headers;
        for (int c = 0; c < table->columnCount(); ++c)
            headers << table->horizontalHeaderItem(c)->text();
        QCOMPARE(headers, QStringList({ "编号", "图像", "名称", "时间", "大小" }));
        QVERIFY(table->verticalHeader()->isHidden());
        QCOMPARE(table->iconSize(), QSize(60, 60));
        QCOMPARE(table->rowCount(), names.size());
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(table->rowHeight(i), 50);
            const QStringList texts { QString::number(i), QString(), names.at(i),
                                      window->m_times.at(i), sizes.at(i) + "KB" };
            for (int c = 0; c < 5; ++c) {
                QCOMPARE(table->item(i, c)->text(), texts.at(c));
                QVERIFY(!(table->item(i, c)->flags() & Qt::ItemIsEditable));
            }
        }
    }

    void thumbnails_come_for_rows_in_sight_and_stay_bounded()
    {
        const QString root = listingDrive();
        const QString first = root + "DCIM_100/A.bmp";
        const int count = ListedNames.size() + linkPictures(root + "DCIM_100", 600).size();
        m_platform.drives = QStringList { root };
        const auto window = browser();
        window->resize(900, 600);
        window->show();
        QListWidget *view = window->m_iconView;
        const ThumbnailFiller *filler = view->findChild<ThumbnailFiller *>();
        QSignalSpy inSight(filler, &ThumbnailFiller::visibleShown);
        QVERIFY(inSight.wait());
        // What an icon made from the whole picture, rounded at its own size, showed.
        const QImage whole(first);
        const QIcon rounded(QPixmap::fromImage(
                PictureListing::roundedThumbnail(whole, whole.size(), 15)));
        const QImage icon = shown(view->item(0)->icon(), QSize(195, 195));
        QCOMPARE(icon, shown(rounded, QSize(195, 195)));
        QVERIFY(icon.size() == QSize(146, 195) && qAlpha(icon.pixel(0, 0)) == 0);
        // Far rows wait until they come into sight; a file that cannot be read gets no icon.
        QVERIFY(pending(view->item(count - 1)));
        view->scrollToBottom();
        // The signal may still be that of the rows at the top; the last rows come after it.
        for (int i = 1; i < ListedNames.size(); ++i) {
            QTRY_VERIFY(!pending(view->item(count - 5 + i)));
            QCOMPARE(view->item(count - 5 + i)->icon().isNull(), !ListedReadable.at(i));
        }

        // Paging down from the top, a screen in sight and one either side at a time, the
        // first rows go back to waiting and the bound holds.
        QScrollBar *bar = view->verticalScrollBar();
        for (bar->setValue(0); !pending(view->item(0)) && bar->value() < bar->maximum();) {
            bar->setValue(bar->value() + 3 * bar->pageStep());
            QVERIFY(inSight.wait());
            QTRY_VERIFY(!filler->busy());
        }
        int decoded = 0;
        for (int i = 0; i < count; ++i)
            decoded += !view->item(i)->icon().isNull() && !pending(view->item(i));
        QVERIFY(pending(view->item(0)));
        QVERIFY2(decoded <= ThumbnailFiller::Kept, qPrintable(QString::number(decoded)));

        // The table's icons: the picture itself as a 60 x 60 icon showed it.
        window->showTableView();
        QTableWidget *table = window->m_tableView;
        QSignalSpy tableInSight(table->findChild<ThumbnailFiller *>(),
                                &ThumbnailFiller::visibleShown);
        QVERIFY(tableInSight.wait());
        QCOMPARE(shown(table->item(0, 1)->icon(), QSize(60, 60)),
                 shown(QIcon(QPixmap(first)), QSize(60, 60)));
        QVERIFY(table->item(count - 1, 1)->icon().isNull());
        table->scrollToBottom();
        QVERIFY(tableInSight.wait());
        for (int i = 1; i < ListedNames.size(); ++i)
            QCOMPARE(table->item(count - 5 + i, 1)->icon().isNull(), !ListedReadable.at(i));
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
        window->show();
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(view->item(i)->sizeHint(), QSize(165, 220));
            QTRY_VERIFY(!pending(view->item(i)));
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
        main.show();
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

        // The pictures go while their thumbnails wait: the rows stay, with empty icons.
        window->ui->tabWidget->setCurrentIndex(0);
        auto blocker = std::make_unique<PoolBlocker>();
        window->showIconView();
        const ThumbnailFiller *filler = window->m_iconView->findChild<ThumbnailFiller *>();
        QTRY_VERIFY(filler->busy());
        QVERIFY(QDir(root + "DCIM_100").removeRecursively());
        QSignalSpy inSight(filler, &ThumbnailFiller::visibleShown);
        blocker.reset();
        QVERIFY(inSight.wait());
        QVERIFY(window->m_iconView->item(2)->icon().isNull());

        // The drive leaves while the table's thumbnails wait: the browser goes, and the
        // queued work finds no one to give its thumbnails to.
        blocker = std::make_unique<PoolBlocker>();
        window->showTableView();
        QTRY_VERIFY(window->m_tableView->findChild<ThumbnailFiller *>()->busy());
        QPointer<photo_window> gone = window;
        m_platform.drives.clear();
        main.timeout_connect();
        QVERIFY(!main.m_photoWindow);
        QCOMPARE(main.ui->horizontalLayout->count(), 0);
        QTRY_VERIFY(!gone);
        blocker.reset();
        QCoreApplication::sendPostedEvents();
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

        QTest::newRow("EN no drive") << "EN" << photo_window::noDriveNotice()
                                     << "No removable disk found.";
        QTest::newRow("EN no picture folder")
                << "EN" << photo_window::noFolderNotice()
                << QStringLiteral("The selected disk holds neither the VX305 folder “DCIM_100” nor "
                                  "the VX300 folder “Images”.");
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

    // Hard links of the folder's A.bmp, named "IMG_nnnn.bmp": the disk holds a single copy.
    [[nodiscard]] QStringList linkPictures(const QString &folder, int count)
    {
        const QString source = folder + "/A.bmp";
        QStringList names;
        for (int i = 0; i < count; ++i) {
            names << QString("IMG_%1.bmp").arg(i, 4, 10, QChar('0'));
            if (::link(QFile::encodeName(source), QFile::encodeName(folder + "/" + names.last())))
                return {};
        }
        return names;
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
