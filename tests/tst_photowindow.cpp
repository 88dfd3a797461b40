#include "analysis/analysis_widget.h"
#include "app/mainwindow.h"
#include "browser/photo_window.h"
#include "browser/picturelisting.h"
#include "browser/thumbnailfiller.h"
#include "ui_mainwindow.h"
#include "ui_photo_window.h"
#include "fakeworld.h"

#include <QtTest>
#include <QtWidgets>

#include <unistd.h>

// The pictures of listingDrive() beside the linked ones, whether each is viewable, and sizes.
const QStringList ListedNames = { "IMG_0000.bmp", "Z.bmp", "a.bmp", "b.bmp", "c.BMP" };
const QList<bool> ListedViewable = { true, false, false, false, true };
const QStringList ListedSizes = { "300.6", "225.6", "0.0", "1.5", "300.6" };

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
static QImage shown(const QIcon &icon, const QSize &box)
{
    return icon.pixmap(box).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// An item still waiting for its thumbnail shows a transparent one.
static bool pending(const QListWidgetItem *item)
{
    const QImage image = shown(item->icon(), QSize(195, 195));
    return !image.isNull() && qAlpha(image.pixel(73, 97)) == 0;
}

class tst_PhotoWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_world = std::make_unique<FakeWorld>(); }
    void cleanup() { m_world.reset(); }

    void large_folder_lists_in_order_with_its_texts()
    {
        const QStringList linked = listingDrive(3000);
        ConfigRecord::rewriteField(ConfigRecord::LanguageCode, "RU"); // wider tabs and columns
        photo_window window(nullptr, &m_world->platform);
        // Case-sensitive name order: capitals first.
        const QStringList names = ListedNames.mid(0, 1) + linked + ListedNames.mid(1);
        QCOMPARE(window.m_names, names);
        QCOMPARE(window.m_sizes, ListedSizes.mid(0, 1) + QVector<QString>(3000, "300.6").toList()
                         + ListedSizes.mid(1));
        for (const QString &time : qAsConst(window.m_times)) {
            const QDateTime listed = QDateTime::fromString(time, "yyyy/MM/dd HH:mm");
            QVERIFY2(qAbs(listed.secsTo(QDateTime::currentDateTime())) < 600, qPrintable(time));
        }
        const QDateTime morning(QDate(2024, 3, 5), QTime(7, 9, 59));
        QCOMPARE(PictureListing::timeText(morning), QString("2024/03/05 07:09"));

        window.ui->pushButton_3->click();
        QTableWidget *table = window.m_tableView;
        QVERIFY(!window.m_iconView && window.ui->horizontalLayout_6->itemAt(1)->widget() == table);
        QCOMPARE(table->rowCount(), names.size());
        const auto w = [table](int column) { return table->columnWidth(column); };
        QCOMPARE(QList<int>({ w(0), w(1), w(2), w(3) }), QList<int>({ 70, 90, 200, 170 }));
        QVERIFY(window.ui->tabWidget->styleSheet().contains("width: 150"));
        for (int i = 0; i < names.size(); ++i) {
            const QStringList texts { QString::number(i), QString(), names.at(i),
                                      window.m_times.at(i), window.m_sizes.at(i) + "KB" };
            for (int c = 0; c < 5; ++c) {
                QCOMPARE(table->item(i, c)->text(), texts.at(c));
                QVERIFY(!(table->item(i, c)->flags() & Qt::ItemIsEditable));
            }
        }
    }

    void thumbnails_come_for_rows_in_sight_and_stay_bounded()
    {
        const int count = ListedNames.size() + listingDrive(600).size();
        const QString first = m_world->platform.drives.first() + "DCIM_100/IMG_0000.bmp";
        photo_window window(nullptr, &m_world->platform);
        window.resize(900, 600);
        window.show();
        QListWidget *view = window.m_iconView;
        const ThumbnailFiller *filler = view->findChild<ThumbnailFiller *>();
        QSignalSpy inSight(filler, &ThumbnailFiller::visibleShown);
        QVERIFY(inSight.wait());
        // What an icon made from the whole picture, rounded at its own size, showed.
        const QImage whole(first);
        const QImage rounded = PictureListing::roundedThumbnail(whole, whole.size(), 15);
        const QImage icon = shown(view->item(0)->icon(), QSize(195, 195));
        QCOMPARE(icon, shown(QIcon(QPixmap::fromImage(rounded)), QSize(195, 195)));
        QVERIFY(icon.size() == QSize(146, 195) && qAlpha(icon.pixel(0, 0)) == 0);
        // Far rows wait until they come into sight; a file that cannot be read gets no icon.
        QVERIFY(pending(view->item(count - 1)));
        view->scrollToBottom();
        QTRY_VERIFY(!pending(view->item(count - 1)) && !filler->busy());
        for (int i = 1; i < ListedNames.size(); ++i) {
            const QListWidgetItem *item = view->item(count - 5 + i);
            QVERIFY(!pending(item) && item->icon().isNull() == !ListedViewable.at(i));
        }

        // Paging down from the top, a screen in sight and one either side at a time, the first
        // rows go back to waiting and the bound holds.
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
        window.showTableView();
        QTableWidgetItem *cell = window.m_tableView->item(0, 1);
        QTRY_VERIFY(!cell->icon().isNull());
        QCOMPARE(shown(cell->icon(), QSize(60, 60)), shown(QIcon(QPixmap(first)), QSize(60, 60)));
        QVERIFY(window.m_tableView->item(count - 1, 1)->icon().isNull());
    }

    void drive_mode_end_to_end()
    {
        const QString root = m_world->drive("IMAGER", { "DCIM_100" }, 3);
        PictureFixture vx300;
        vx300.model = PictureFixture::VX300;
        QVERIFY(vx300.writeTo(root + "DCIM_100/b300.bmp"));
        QVERIFY(PictureFixture::writeBytes(root + "DCIM_100/c.bmp", "damaged"));
        MainWindow main(&m_world->platform);
        main.m_timer->stop();
        m_world->platform.drives = QStringList { root };
        main.timeout_connect();
        photo_window *window = main.m_photoWindow;
        QVERIFY(window && main.ui->horizontalLayout->itemAt(0)->widget() == window);

        // Hovering a picture shows its path; the table view clears it with an item "?".
        emit window->m_iconView->itemEntered(window->m_iconView->item(1));
        QCOMPARE(main.ui->label_2->text(), root + "DCIM_100/IMG_0001.bmp");
        window->showTableView();
        QCOMPARE(main.ui->label_2->text(), QString());

        // A picture that fails to parse (wrong model or broken) is said and leaves the tabs as
        // they were; one that parses replaces the analysis shown. Any cell names its picture.
        QPointer<QWidget> shown;
        for (const int row : { 0, 1, 3, 4 }) {
            const QPointer<QWidget> before = shown;
            window->ui->tabWidget->setCurrentIndex(0);
            emit window->m_tableView->itemDoubleClicked(window->m_tableView->item(row, row % 5));
            QCOMPARE(window->ui->tabWidget->currentIndex(), row < 3 ? 1 : 0);
            shown = window->ui->horizontalLayout_4->itemAt(1)->widget();
            QVERIFY(qobject_cast<Analysis_Widget *>(shown));
            QVERIFY(row < 3 ? !before : shown == before);
        }
        const QStringList warning { "警告", "该图片解析失败，请确认型号是否正确!" };
        QCOMPARE(m_world->answers->asked, warning + warning);

        // The pictures go while their thumbnails wait: the rows stay, with empty icons.
        main.show();
        auto blocker = std::make_unique<PoolBlocker>();
        window->showIconView();
        const ThumbnailFiller *filler = window->m_iconView->findChild<ThumbnailFiller *>();
        QTRY_VERIFY(filler->busy());
        QVERIFY(QDir(root + "DCIM_100").removeRecursively());
        blocker.reset();
        QTRY_VERIFY(!filler->busy() && !pending(window->m_iconView->item(2)));
        QVERIFY(window->m_iconView->item(2)->icon().isNull());

        // The drive leaves while the table's thumbnails wait: the browser goes, and the queued
        // work finds no one to give its thumbnails to.
        blocker = std::make_unique<PoolBlocker>();
        window->showTableView();
        QTRY_VERIFY(window->m_tableView->findChild<ThumbnailFiller *>()->busy());
        QPointer<photo_window> gone = window;
        m_world->platform.drives.clear();
        main.timeout_connect();
        QTRY_VERIFY(!gone);
        blocker.reset();
        QCoreApplication::sendPostedEvents();
    }

private:
    // A drive whose folder holds the files of ListedNames (c.BMP and `count` pictures named
    // IMG_nnnn.bmp hard links of IMG_0000.bmp, so the disk holds a single copy) and a few that
    // are not listed. Returns the names of the links.
    QStringList listingDrive(int count)
    {
        const QString folder = m_world->drive("E", { "DCIM_100", "DCIM_100/sub" }) + "DCIM_100/";
        m_world->platform.drives = QStringList { m_world->drives.path() + "/E/" };
        PictureFixture vx300;
        vx300.model = PictureFixture::VX300;
        vx300.writeTo(folder + "Z.bmp");
        PictureFixture::writeBytes(folder + "a.bmp", "not a picture");
        PictureFixture::writeBytes(folder + "b.bmp", QByteArray(1536, '\0'));
        PictureFixture::writeBytes(folder + "notes.txt", "x");
        PictureFixture::writeBytes(folder + "d.bmp.txt", "x");
        QStringList names;
        for (int i = 1; i <= count + 1; ++i) {
            names << (i > count ? "c.BMP" : QString("IMG_%1.bmp").arg(i, 4, 10, QChar('0')));
            const QByteArray link = QFile::encodeName(folder + names.last());
            if (::link(QFile::encodeName(folder + "IMG_0000.bmp"), link))
                return {};
        }
        return names.mid(0, count);
    }

    std::unique_ptr<FakeWorld> m_world;
};

QTEST_MAIN(tst_PhotoWindow)
#include "tst_photowindow.moc"
