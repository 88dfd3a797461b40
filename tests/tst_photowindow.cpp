#include "analysis/analysis_widget.h"
#include "app/mainwindow.h"
#include "browser/photo_window.h"
#include "browser/picturelisting.h"
#include "browser/thumbnailfiller.h"
#include "fakeworld.h"
#include "ui_mainwindow.h"
#include "ui_photo_window.h"

#include <QtWidgets>

#include <unistd.h>

// The pictures of listingDrive() beside the linked ones.
const QStringList ListedNames = {"IMG_0000.bmp", "Z.bmp", "a b.v2.bmp", "b.bmp", "c.BMP"};

// Occupies every decoding thread until the gate returned goes, so that thumbnails wait in their
// queue.
static std::shared_ptr<QSemaphore> blockPool()
{
    QThreadPool *pool = ThumbnailFiller::pool();
    const std::shared_ptr<QSemaphore> gate(new QSemaphore, [pool](QSemaphore *g) {
        g->release(pool->maxThreadCount());
        pool->waitForDone();
        delete g;
    });
    for (int i = 0; i < pool->maxThreadCount(); ++i)
        pool->start([g = gate.get()] { g->acquire(); });
    return gate;
}

// The picture an icon shows at the size of its view's icons.
static QImage shown(const QIcon &icon, const QSize &box = QSize(195, 195))
{
    return icon.pixmap(box).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The icons of the items from `from` on: "." waiting for a thumbnail (a transparent one), "-"
// none, "#" a thumbnail.
static QString icons(const QListWidget *view, int from, int to)
{
    QString text;
    for (int i = from; i < to; ++i) {
        const QImage image = shown(view->item(i)->icon());
        text += image.isNull() ? '-' : qAlpha(image.pixel(73, 97)) == 0 ? '.' : '#';
    }
    return text;
}

class tst_PhotoWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_world = std::make_unique<FakeWorld>(); }
    void cleanup() { m_world.reset(); }

    // Thousands of pictures: listed in order with their texts; thumbnails come for the rows in
    // sight.
    void large_folder()
    {
        const QStringList linked = listingDrive(3000);
        const int count = ListedNames.size() + linked.size();
        const QString folder = m_world->platform.drives.first() + "DCIM_100/";
        photo_window window(nullptr, &m_world->platform);
        // Case-sensitive name order: capitals first; sizes in KB with one decimal.
        const QStringList names = ListedNames.mid(0, 1) + linked + ListedNames.mid(1);
        QCOMPARE(window.m_names, names);
        QCOMPARE(window.m_sizes.join(' '),
            "300.6 " + QString("300.6 ").repeated(3000) + "225.6 0.0 1.5 300.6");
        QCOMPARE(PictureListing::timeText({{2024, 3, 5}, {7, 9, 59}}), "2024/03/05 07:09");

        window.resize(900, 600);
        window.show();
        QListWidget *view = window.m_iconView;
        const ThumbnailFiller *filler = view->findChild<ThumbnailFiller *>();
        QSignalSpy inSight(filler, &ThumbnailFiller::visibleShown);
        QVERIFY(inSight.wait());
        // What an icon made from the whole picture, rounded at its own size, showed.
        const QImage whole(folder + names[0]), icon = shown(view->item(0)->icon());
        QCOMPARE(icon,
            shown(QPixmap::fromImage(PictureListing::roundedThumbnail(whole, whole.size(), 15))));
        QVERIFY(icon.size() == QSize(146, 195) && qAlpha(icon.pixel(0, 0)) == 0); // round corners
        // Far rows wait until they come into sight; a file that cannot be read gets no icon.
        QCOMPARE(icons(view, count - 4, count), "....");
        view->scrollToBottom();
        QTRY_VERIFY(!filler->busy() && icons(view, count - 4, count) == "---#");
        // Scrolled through, the view keeps 400 thumbnails; the rows longest out of sight wait
        // again.
        for (int k = 1; k <= 40; ++k) {
            view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() * k / 41);
            QVERIFY(inSight.wait());
        }
        QTRY_VERIFY(!filler->busy());
        QCOMPARE(QString::number(icons(view, 0, count).count('#')) + icons(view, 0, 1), "400.");
        window.ui->pushButton_3->click();
        QTableWidget *table = window.m_tableView;
        QVERIFY(!window.m_iconView && window.ui->horizontalLayout_6->itemAt(1)->widget() == table);
        QCOMPARE(table->rowCount(), names.size());
        for (int i = 0; i < names.size(); ++i) {
            QStringList cells; // "!" marks an editable one
            for (int c = 0; c < 5; ++c)
                cells << table->item(i, c)->text()
                        + (table->item(i, c)->flags() & Qt::ItemIsEditable ? "!" : "");
            const QDateTime time = QFileInfo(folder + names[i]).lastModified();
            QCOMPARE(cells,
                QStringList({QString::number(i), "", names[i], time.toString("yyyy/MM/dd HH:mm"),
                    window.m_sizes[i] + "KB"}));
        }
    }

    void drive_mode_end_to_end()
    {
        const QString root = m_world->drive("IMAGER 2.0", {"DCIM_100"}, 3);
        QVERIFY(PictureFixture::writeBytes(root + "DCIM_100/c.bmp", "damaged"));
        MainWindow main(&m_world->platform);
        main.m_timer->stop();
        m_world->platform.drives = QStringList {root};
        main.timeout_connect();
        photo_window *window = main.m_photoWindow;
        QVERIFY(window && main.ui->horizontalLayout->itemAt(0)->widget() == window);

        // Hovering a picture shows its path; the table view clears it with an item "?".
        emit window->m_iconView->itemEntered(window->m_iconView->item(1));
        const QString hovered = main.ui->label_2->text();
        window->showTableView();
        QCOMPARE(hovered + '|' + main.ui->label_2->text(), root + "DCIM_100/IMG_0001.bmp|");

        // A picture that fails to parse is said and leaves the tabs as they were; one that
        // parses replaces the analysis shown. Any cell names its picture.
        QPointer<QWidget> analysis;
        for (const int row : {0, 1, 2, 3}) {
            const QPointer<QWidget> before = analysis;
            window->ui->tabWidget->setCurrentIndex(0);
            emit window->m_tableView->itemDoubleClicked(window->m_tableView->item(row, row));
            QCOMPARE(window->ui->tabWidget->currentIndex(), row < 3 ? 1 : 0);
            analysis = window->ui->horizontalLayout_4->itemAt(1)->widget();
            QVERIFY(qobject_cast<Analysis_Widget *>(analysis));
            QVERIFY(row < 3 ? !before : analysis == before);
        }
        QCOMPARE(
            m_world->answers->asked, QStringList({"警告", "该图片解析失败，请确认型号是否正确!"}));

        // The pictures go while their thumbnails wait: the rows stay, with empty icons.
        main.show();
        auto blocker = blockPool();
        window->showIconView();
        const ThumbnailFiller *filler = window->m_iconView->findChild<ThumbnailFiller *>();
        QTRY_VERIFY(filler->busy());
        QVERIFY(QDir(root + "DCIM_100").removeRecursively());
        blocker.reset();
        QTRY_VERIFY(!filler->busy() && icons(window->m_iconView, 0, 4) == "----");

        // The drive leaves while the table's thumbnails wait: the browser goes, and the queued
        // work finds no one to give its thumbnails to.
        blocker = blockPool();
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
        const QString folder = m_world->drive("E", {"DCIM_100", "DCIM_100/sub"}) + "DCIM_100/";
        m_world->platform.drives = QStringList {m_world->drives.path() + "/E/"};
        for (const QString name : {"a b.v2.bmp", "notes.txt", "d.bmp.txt"})
            PictureFixture::writeBytes(folder + name, "x");
        PictureFixture::writeBytes(folder + "b.bmp", QByteArray(1536, '\0'));
        PictureFixture::writeBytes(folder + "Z.bmp", QByteArray(231013, 'Z')); // a VX300's size
        QStringList names;
        for (int i = 1; i <= count + 1; ++i) {
            names << (i > count ? "c.BMP" : QString("IMG_%1.bmp").arg(i, 4, 10, QChar('0')));
            if (::link(QFile::encodeName(folder + "IMG_0000.bmp"),
                    QFile::encodeName(folder + names.last())))
                return {};
        }
        return names.mid(0, count);
    }

    std::unique_ptr<FakeWorld> m_world;
};

QTEST_MAIN(tst_PhotoWindow)
#include "tst_photowindow.moc"
