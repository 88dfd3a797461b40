#include "analysis/analysis_widget.h"
#include "fakeworld.h"
#include "ui_analysis_widget.h"

#include <QMenu>

class tst_Exports : public QObject
{
    Q_OBJECT

    // Five greys whose temperatures lie clear of a rounding boundary in both units, 0 and 255
    // beyond the fixture's grey span.
    static int grey(int x, int y) { return std::array {0, 40, 128, 160, 255}[(x * 7 + y * 3) % 5]; }

private slots:
    void every_export_and_a_failed_write()
    {
        FakeWorld world("EN");
        QTranslator translator;
        installTranslation(&translator);
        PictureFixture fixture; // 30.7 at grey 230, -5.3 at grey 20
        fixture.emissivity = 97;
        for (int i = 0; i < 240 * 320; ++i)
            fixture.grey[i] = char(grey(i % 240, i / 240));
        fixture.palette.fill(0x07E0); // every grey green
        const QString path = world.home.path() + "/IMG 0007.v2.bmp";
        Analysis_Widget window;
        QVERIFY(fixture.writeTo(path) && window.set_Image_addr(path, 0));
        QString &saveAnswer = world.answers->saveAnswer;
        saveAnswer = world.home.path() + "/out";
        // Triggers the export menu's action and reads the file it wrote.
        const auto exported = [&](const QString &name, const QString &suffix) {
            window.ui->toolButton_export->menu()->findChild<QAction *>(name)->trigger();
            return fileBytes(saveAnswer + suffix);
        };
        for (const int unit : {1, 0}) { // Celsius last, for the exports that follow
            window.ui->comboBox->setCurrentIndex(unit);
            QByteArray expected = QByteArray("# file: IMG 0007.v2.bmp\n# model: VX305\n# unit: ")
                + (unit ? "°F" : "°C") + "\n# emissivity: 0.97\n";
            for (int i = 0; i < 240 * 320; ++i) {
                expected += shown(fixture.degrees(grey(i % 240, i / 240)), unit).toUtf8();
                expected += i % 240 < 239 ? ',' : '\n';
            }
            QCOMPARE(exported("actionExportTemperatures", ".csv"), expected);
        }
        window.ui->pushButton_6->click();
        *window.ui->label->m_rects[0] = RectTool {"R0", 10, 10, 100, 100, Qt::red};
        window.ui->pushButton_8->click();
        *window.ui->label->m_points[0] = PointTool {"P0", 3, 4, 9, Qt::red};
        window.updat_Tool_Temp();
        // The table's own texts, in the interface's language: P0 at grey 160, R0 over all greys.
        double sum = 0;
        for (int i = 0; i < 91 * 91; ++i)
            sum += fixture.degrees(grey(10 + i % 91, 10 + i / 91));
        const QString hot = shown(fixture.degrees(255)), cold = shown(fixture.degrees(0));
        QCOMPARE(QString(exported("actionExportMeasurements", ".csv")),
            QString("Name,Type,High,Low,Average\nP0,Point,%1,%1,%1\nR0,Rect,%2,%3,%4\n")
                .arg(shown(fixture.degrees(160)), hot, cold, shown(sum / 8281)));
        // Green inside and outside the rectangle, its red outline at twice the picture size.
        const QImage image = QImage::fromData(exported("actionExportPicture", ".png"), "PNG");
        QCOMPARE(QVariantList({image.size(), image.pixelColor(300, 500), image.pixelColor(100, 100),
                     image.pixelColor(200, 100), image.pixelColor(100, 200)}),
            QVariantList({QSize(480, 640), QColor(0, 252, 0), QColor(0, 252, 0), QColor(Qt::red),
                QColor(Qt::red)}));
        // A file that cannot be written is reported.
        saveAnswer = world.home.path() + "/missing/out.csv";
        QCOMPARE(exported("actionExportTemperatures", ""), QByteArray());
        // Offered under the picture's name up to its last dot.
        QCOMPARE(world.answers->asked.mid(world.answers->asked.size() - 3),
            QStringList({world.home.documents() + "/IMG 0007.v2.csv", "Warning",
                "The file could not be written: " + saveAnswer}));
    }
};

QTEST_MAIN(tst_Exports)
#include "tst_exports.moc"
