// Test helper, not part of the product: the main window in USB flash drive mode over a fake
// drive of synthetic pictures; saves the thumbnails, the table, an opened picture and the
// settings dialog.
// Usage: browserdemo <output folder>

#include "app/configrecord.h"
#include "app/mainwindow.h"
#include "app/seting.h"
#include "app/startup.h"
#include "analysis/colormap.h"
#include "analysis/radiometricfile.h"
#include "browser/photo_window.h"
#include "ui_photo_window.h"
#include "demopicture.h"
#include "demosupport.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTranslator>

#include <opencv2/core.hpp>

namespace {

// A file as the imager writes it: a viewable 24-bit bitmap of the false-colour picture,
// then the radiometric payload.
void writePicture(const QString &path, PictureFixture picture)
{
    const QByteArray payload = picture.bytes().mid(picture.greyOffset());
    std::optional<Radiometric::RadiometricPicture> decoded =
            Radiometric::parseRadiometricBytes(picture.bytes(), picture.model);
    cv::Mat grey(320, 240, CV_8UC1, decoded->grey.data());
    cv::Mat coloured;
    ColorMap::colorize(grey, ColorMap::colorTable(decoded->palette, 0, 255), &coloured);
    QImage viewable(coloured.data, 240, 320, int(coloured.step), QImage::Format_RGB888);
    viewable.save(path, "BMP");
    QFile file(path);
    file.open(QIODevice::Append);
    file.write(payload);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DemoSession session;
    const QString out = DemoSession::outputFolder(argc, argv);
    DialogAnswerer answers;

    QTemporaryDir drives;
    const QString root = makeDrive(drives, QStringLiteral("IMAGER"), { QStringLiteral("DCIM_100") });
    for (int i = 0; i < 7; ++i) {
        PictureFixture picture = demoPicture();
        // Move the two spots from picture to picture.
        QByteArray shifted = picture.grey;
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 240; ++x)
                shifted[y * 240 + x] = picture.grey[((y + 37 * i) % 320) * 240 + (x + 23 * i) % 240];
        picture.grey = shifted;
        writePicture(root + QStringLiteral("DCIM_100/IMG_%1.bmp").arg(i + 1, 4, 10, QLatin1Char('0')), picture);
    }
    FakePlatform platform;
    platform.drives = QStringList { root };
    MainWindow window(&platform);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QTest::qWait(1200);
    window.grab().save(out + QStringLiteral("/browser-icons.png"));

    photo_window *browser = window.findChild<photo_window *>();
    if (!browser)
        return 1;
    browser->ui->pushButton_3->click();
    QTest::qWait(300);
    window.grab().save(out + QStringLiteral("/browser-table.png"));
    browser->ui->pushButton_4->click();
    QTest::qWait(300);
    browser->list_item_doubleclicked(browser->m_iconView->item(2));
    QTest::qWait(500);
    window.grab().save(out + QStringLiteral("/browser-opened.png"));
    window.Action_chose();
    QTest::qWait(300);
    if (window.m_seting)
        window.m_seting->grab().save(out + QStringLiteral("/settings.png"));
    return 0;
}
