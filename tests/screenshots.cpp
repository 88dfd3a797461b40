// Test helper, not part of the product: shows one window over synthetic data and saves
// screenshots of it. Run it under xvfb-run (or with QT_QPA_PLATFORM=offscreen):
//   screenshots live      <folder>  live window fed by a synthetic stream, all three pages
//   screenshots analysis  <folder>  a picture of each model with a tool of each kind, then
//                                   the chart panel with an isotherm
//   screenshots browser   <folder>  main window over a drive of pictures: icons, table, opened
//   screenshots replay    <folder>  main window replaying the demo with alarm clips on, then
//                                   the history with the clip it wrote

#include "analysis/analysis_widget.h"
#include "app/mainwindow.h"
#include "browser/photo_window.h"
#include "fakeworld.h"
#include "inspection/inspectionreportdialog.h"
#include "live/camer_window.h"
#include "live/qtcameracapture.h"
#include "recording/alarmclips.h"
#include "recording/replaystream.h"
#include "recording/syntheticscene.h"
#include "ui_analysis_widget.h"
#include "ui_camer_window.h"
#include "ui_inspectionreportdialog.h"
#include "ui_photo_window.h"

#include <QAction>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3 || !QStringList {"live", "analysis", "browser", "replay"}.contains(argv[1]))
        qFatal("usage: screenshots live|analysis|browser|replay <output folder>");
    const QString which = argv[1], out = QString::fromLocal8Bit(argv[2]) + '/';
    FakeWorld world("EN");
    QTranslator translator;
    installTranslation(&translator);
    const auto save = [&out](QWidget *window, const QString &name, int afterMs) {
        QTest::qWait(afterMs);
        window->grab().save(out + name);
    };

    if (which == "replay") {
        MainWindow main(&world.platform);
        main.m_timer->stop();
        // Through a short link, so the status row shows no build folder.
        const QString demo = QDir::tempPath() + "/VX305 demo";
        QFile::remove(demo);
        QFile::link(VX305_DEMO_DIR, demo);
        main.m_demoFolder = demo;
        main.resize(1150, 800);
        main.show();
        world.answers->questionAnswer = QMessageBox::Yes;
        main.findChild<QAction *>("actionDemo")->trigger();
        camer_window *window = main.m_camerWindow;
        for (QCheckBox *box : {window->ui->checkBox, window->ui->checkBox_3,
                 window->ui->checkBox_alarmClips, window->ui->checkBox_replayAlarms})
            box->setChecked(true);
        window->ui->spinBox_preAlarm->setValue(3);
        window->ui->spinBox_postAlarm->setValue(3);
        window->ui->comboBox_speed->setCurrentIndex(3);
        QTest::qWait(2600); // into the alarm, about 11 s of the demo
        window->ui->pushButton_markIn->click();
        save(&main, "replay.png", 0);
        QSignalSpy finished(window->m_replay, &ReplayStream::finished);
        finished.wait(20000);
        window->m_clips->finishAll();
        window->on_listWidget_itemDoubleClicked(window->ui->listWidget->item(0));
        save(&main, "replay-history.png", 600);
    } else if (which == "live") {
        camer_window window(nullptr, &world.platform);
        window.show();
        window.ui->checkBox->setChecked(true);
        window.ui->checkBox_3->setChecked(true);
        // The ten minutes before the frames below: the maximum twice past the threshold.
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        for (int k = 15000; k > 0; --k)
            window.m_readings.append(
                now - 40 * k, float(57 + 4 * std::sin(k / 1500.0)) + k % 9 / 10.f, 60.0f, 0.97f);
        // The demo's scene as the hot spot warms past the threshold: an alarm.
        for (int k = 0; k < 26; ++k) {
            const double t = 10 + k / 25.0;
            const QByteArray frame = SyntheticScene::liveFrame(
                SyntheticScene::scene(t, SyntheticScene::demoPeak(t), 0.15, unsigned(k)), 60.0f,
                0.97f);
            window.m_capture->presentBytes(reinterpret_cast<const uchar *>(frame.constData()));
            QTest::qWait(100);
        }
        save(&window, "live-video.png", 0);
        window.on_listWidget_itemDoubleClicked(window.ui->listWidget->item(0));
        save(&window, "live-history.png", 600);
        window.ui->tabWidget->setCurrentIndex(2);
        save(&window, "live-trend.png", 1200);
    } else if (which == "analysis") {
        for (const int model : {1, 0}) {
            const QString file = world.home.path() + "/IMG_0001.bmp";
            PictureFixture::scene(model).writeTo(file);
            Analysis_Widget window;
            window.show();
            window.set_Image_addr(file, model);
            // A tool of each kind.
            MyLabel *label = window.ui->label;
            label->m_points.emplace_back(new PointTool {"P0", 80, 110, 9, Qt::red});
            label->m_lines.emplace_back(new LineTool {"L0", 20, 40, 200, 60, Qt::red});
            label->m_rects.emplace_back(new RectTool {"R0", 130, 180, 215, 285, Qt::red});
            label->m_circles.emplace_back(new CircleTool {"C0", 85, 240, 115, 240, 30, Qt::green});
            label->m_selKind = "L"; // the line's profile and histogram in the charts
            label->m_selIndex = 0;
            window.updat_Tool_Temp();
            save(&window, model == 1 ? "analysis-vx300.png" : "analysis.png", 300);
            // The last, the VX305's, stays.
            window.ui->pushButton_chart->click();
            window.ui->comboBox_isotherm->setCurrentIndex(1);
            window.ui->doubleSpinBox_isoLow->setValue(50.0);
            save(&window, "charts.png", 300);
        }
    } else {
        // The scene as the imager writes it, its false-colour picture in front, turned four ways.
        const QString root = makeDrive(world.drives, "IMAGER", {"DCIM_100"});
        const PictureFixture picture = PictureFixture::scene(PictureFixture::VX305);
        QImage front(reinterpret_cast<const uchar *>(picture.grey.constData()), 240, 320, 240,
            QImage::Format_Indexed8);
        for (const quint16 w : picture.palette)
            front.setColor(front.colorCount(), qRgb(w >> 8 & 0xF8, w >> 3 & 0xFC, w << 3 & 0xFF));
        for (int i = 0; i < 7; ++i) {
            const QString name = root + QString("DCIM_100/IMG_000%1.bmp").arg(i + 1);
            PictureFixture::writeBytes(name, picture.viewableBytes(front.mirrored(i & 1, i & 2)));
        }
        world.platform.drives = QStringList {root};
        MainWindow window(&world.platform);
        window.show();
        save(&window, "browser-icons.png", 1200);
        photo_window *browser = window.m_photoWindow;
        browser->ui->pushButton_3->click();
        save(&window, "browser-table.png", 300);
        // The first picture, shown as it was taken.
        browser->table_item_doubleclicked(browser->m_tableView->item(0, 0));
        save(&window, "browser-opened.png", 500);
        // A finding against the ambient air, with both panels open.
        auto *analysis = browser->findChild<Analysis_Widget *>();
        MyLabel *label = analysis->ui->label;
        label->m_points.emplace_back(new PointTool {"P0", 80, 110, 9, Qt::red});
        label->m_rects.emplace_back(new RectTool {"R0", 130, 180, 215, 285, Qt::red});
        label->setToolKind(1);
        analysis->updat_Tool_Temp();
        emit label->updat_Tool();
        analysis->ui->pushButton_chart->click();
        analysis->ui->pushButton_finding->click();
        QTest::keyClicks(analysis->ui->lineEdit_findingTitle, "Hot breaker terminal");
        QTest::keyClicks(analysis->ui->lineEdit_location, "Panel B2, breaker 14");
        analysis->ui->textEdit_findingNote->setPlainText("Phase A terminal 40 K above ambient.");
        analysis->ui->comboBox_reference->setCurrentIndex(1);
        emit analysis->ui->comboBox_reference->activated(1);
        analysis->ui->doubleSpinBox_reference->setValue(21.5);
        save(&window, "browser-finding.png", 500);
        // All pictures in one inspection report.
        QTest::qWait(100);
        browser->ui->tabWidget->setCurrentIndex(0);
        browser->m_tableView->selectAll();
        world.answers->saveAnswer = out + "inspection.pdf";
        world.answers->execAnswer = [](QDialog *dialog) {
            auto *d = static_cast<InspectionReportDialog *>(dialog);
            d->ui->lineEdit_company->setText("Northwind Thermography Ltd.");
            d->ui->lineEdit_customer->setText("ACME Plant 2");
            d->ui->lineEdit_site->setText("Hall 7, switchgear room");
            d->ui->lineEdit_inspector->setText("J. Doe, Level II");
            return int(QDialog::Accepted);
        };
        browser->findChild<QAction *>("actionInspectionReport")->trigger();
    }
    return 0;
}
