// Test helper, not part of the product: shows one window over synthetic data and saves
// screenshots of it. Run it under xvfb-run (or with QT_QPA_PLATFORM=offscreen):
//   screenshots live      <folder>  live window fed by a synthetic stream, all three pages
//   screenshots analysis  <folder>  a picture of each model with a tool of each kind, then
//                                   the chart panel with an isotherm
//   screenshots browser   <folder>  main window over a drive of pictures: icons, table, opened

#include "analysis/analysis_widget.h"
#include "app/mainwindow.h"
#include "browser/photo_window.h"
#include "live/camer_window.h"
#include "live/qtcameracapture.h"
#include "ui_analysis_widget.h"
#include "ui_camer_window.h"
#include "ui_photo_window.h"
#include "fakeworld.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// A warm spot drifting over a cool background; the maximum rises through the 34.0 threshold.
QByteArray liveFrame(int t)
{
    QByteArray frame(int(LiveFrame::FrameBytes), '\0');
    const double cx = 120 + 60 * std::cos(t / 10.0), cy = 160 + 80 * std::sin(t / 13.0);
    for (int i = 0; i < int(LiveFrame::PictureBytes); i += 4) {
        const int x = i / 2 % 240, y = i / 480;
        const double heat = std::exp(-((x - cx) * (x - cx) + (y - cy) * (y - cy)) / 2500.0);
        const char luma = char(40 + 200 * heat); // U blue when cool, V red when warm
        const char group[4] = { luma, char(170 - 110 * heat), luma, char(110 + 140 * heat) };
        frame.replace(i, 4, group, 4);
    }
    const quint16 words[3] = { quint16(t < 10 ? 330 + t : 362), 340, 97 };
    for (int w = 0; w < 6; ++w)
        frame[int(LiveFrame::PictureBytes) + w] = char(words[w / 2] >> (w % 2 * 8));
    return frame;
}

// The scene as the imager writes it, its false-colour picture in front; the spots moved by i.
QByteArray scenePicture(int i)
{
    PictureFixture picture = PictureFixture::scene(PictureFixture::VX305);
    const QByteArray grey = picture.grey;
    QImage front(240, 320, QImage::Format_RGB32);
    for (int p = 0; p < 76800; ++p) {
        picture.grey[p] = grey[(p / 240 + 37 * i) % 320 * 240 + (p % 240 + 23 * i) % 240];
        const quint16 w = picture.palette[quint8(picture.grey[p])];
        front.setPixel(p % 240, p / 240, qRgb((w >> 8) & 0xF8, (w >> 3) & 0xFC, (w << 3) & 0xFF));
    }
    return picture.viewableBytes(front);
}

void drag(QWidget *label, QPoint from, QPoint to)
{
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &move);
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, to);
}

void save(QWidget *window, const QString &path, int afterMs)
{
    QTest::qWait(afterMs);
    window->grab().save(path);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString which = argc > 1 ? argv[1] : "";
    const QString out = (argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::currentPath()) + '/';
    FakeWorld world("EN");
    QTranslator translator;
    installTranslation(&translator);

    if (which == "live") {
        camer_window window(nullptr, &world.platform);
        window.resize(1130, 721);
        window.show();
        window.ui->checkBox->setChecked(true);
        window.ui->checkBox_3->setChecked(true);
        int t = 0;
        QTimer frames;
        QObject::connect(&frames, &QTimer::timeout, [&] {
            const QByteArray frame = liveFrame(t++);
            window.m_capture->presentBytes(reinterpret_cast<const uchar *>(frame.constData()));
        });
        frames.start(100);
        save(&window, out + "live-video.png", 2600);
        window.on_listWidget_itemDoubleClicked(window.ui->listWidget->item(0));
        save(&window, out + "live-history.png", 600);
        window.ui->tabWidget->setCurrentIndex(2);
        save(&window, out + "live-trend.png", 1200);
    } else if (which == "analysis") {
        for (const int model : { 0, 1 }) {
            const QString file = world.home.path() + "/IMG_0001.bmp";
            PictureFixture::scene(model).writeTo(file);
            Analysis_Widget window;
            window.resize(1100, 700);
            window.show();
            if (!window.set_Image_addr(file, model) || !QTest::qWaitForWindowExposed(&window))
                return 1;
            MyLabel *label = window.ui->label;
            const auto at = [g = label->geometryValues()](int x, int y) {
                const auto p = g.pictureToLabel(x, y, 0, 0);
                return QPoint(p.x, p.y);
            };
            window.ui->pushButton_8->click();
            QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, at(80, 110));
            window.ui->pushButton_7->click();
            drag(label, at(20, 40), at(200, 60));
            window.ui->pushButton_6->click();
            drag(label, at(130, 180), at(215, 285));
            window.ui->pushButton_5->click();
            drag(label, at(70, 230), at(100, 250));
            window.ui->pushButton_9->click();
            save(&window, out + (model == 1 ? "analysis-vx300.png" : "analysis.png"), 200);
            if (model == 0) {
                window.ui->pushButton_chart->click();
                window.ui->comboBox_isotherm->setCurrentIndex(1);
                window.ui->doubleSpinBox_isoLow->setValue(50.0);
                save(&window, out + "charts.png", 300);
            }
        }
    } else if (which == "browser") {
        const QString root = makeDrive(world.drives, "IMAGER", { "DCIM_100" });
        for (int i = 0; i < 7; ++i) {
            const QString name = QString("DCIM_100/IMG_%1.bmp").arg(i + 1, 4, 10, QChar('0'));
            PictureFixture::writeBytes(root + name, scenePicture(i));
        }
        world.platform.drives = QStringList { root };
        MainWindow window(&world.platform);
        window.show();
        save(&window, out + "browser-icons.png", 1200);
        photo_window *browser = window.m_photoWindow;
        browser->ui->pushButton_3->click();
        save(&window, out + "browser-table.png", 300);
        browser->ui->pushButton_4->click();
        browser->list_item_doubleclicked(browser->m_iconView->item(2));
        save(&window, out + "browser-opened.png", 500);
    } else {
        qWarning("usage: screenshots live|analysis|browser <output folder>");
        return 2;
    }
    return 0;
}
