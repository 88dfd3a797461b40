#include "browser/photo_window.h"
#include "fakeworld.h"
#include "ui_photo_window.h"

// What the browser lists: folder, model, picture names, and the notice in its empty view.
static QStringList listing(const photo_window &window)
{
    const auto *notice = window.m_iconView->viewport()->findChild<QLabel *>("noticeLabel");
    return {window.m_pictureFolder, QString::number(window.m_model), window.m_names.join(' '),
        notice ? notice->text() : QString()};
}

const QStringList Question {"提示", "检查到U盘中同时含有VX300和VX305的文件\n请选择打开哪一项？"};

// The removable drive list and the choice of picture folder and model, through the photo
// browser over a fake platform.
class tst_DriveChoice : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_world = std::make_unique<FakeWorld>(); }
    void cleanup() { m_world.reset(); }

    void folder_and_model_data()
    {
        // clang-format off
        // The drive's folders, the answer to the question asked when both are there; the folder
        // the browser lists (none: it says why) and the model.
        addColumns<QString, bool, QString, int>("folders", "answerVX300", "folder", "model");
        QTest::newRow("DCIM_100 is the VX305") << "Android DCIM_100" << false << "DCIM_100" << 0;
        QTest::newRow("Images is the VX300") << "Images" << false << "Images" << 1;
        QTest::newRow("both, VX300 answered") << "DCIM_100 Images" << true << "Images" << 1;
        QTest::newRow("both, VX305 answered") << "DCIM_100 Images" << false << "DCIM_100" << 0;
        QTest::newRow("lower case matches nothing") << "dcim_100 images" << true << "" << -1;
        QTest::newRow("DCIM_1000 is no match") << "DCIM_1000" << true << "" << -1;
        QTest::newRow("a file named DCIM_100 is no folder") << "" << false << "" << -1;
        // clang-format on
    }
    void folder_and_model()
    {
        const auto [folders, answerVX300, folder, model] = fetch<QString, bool, QString, int>();
        const QString root = m_world->drive("E", folders.split(' ', Qt::SkipEmptyParts));
        PictureFixture::writeBytes(root + "DCIM_100", "a file"); // unless the folder is there
        m_world->platform.drives = QStringList {root, m_world->drive("F", {})};
        m_world->answers->questionAnswer = answerVX300 ? QMessageBox::Yes : QMessageBox::No;
        photo_window window(nullptr, &m_world->platform);
        QCOMPARE(m_world->answers->asked,
            folders.contains("DCIM_100 Images") ? Question : QStringList());
        const QStringList listed {root + folder, QString::number(model), "IMG_0000.bmp", ""};
        const QStringList none {"", "-1", "", photo_window::noFolderNotice()};
        QCOMPARE(listing(window), folder.isEmpty() ? none : listed);
        window.ui->listWidget->setCurrentRow(1); // a drive without a picture folder lists nothing
        QCOMPARE(listing(window).mid(2), none.mid(2));
    }

private:
    std::unique_ptr<FakeWorld> m_world;
};

QTEST_MAIN(tst_DriveChoice)
#include "tst_drivechoice.moc"
