#include "analysis/analysis_widget.h"
#include "app/configrecord.h"
#include "app/startup.h"
#include "picturefixture.h"
#include "testsupport.h"
#include "ui_analysis_widget.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include <array>
#include <memory>

class tst_Exports : public QObject
{
    Q_OBJECT

    TemporaryHome m_home;
    DialogAnswerer m_answers;
    std::unique_ptr<Analysis_Widget> m_window;
    QTranslator m_translator;

    // Five greys whose temperatures lie well away from a rounding boundary in both units.
    static int grey(int x, int y) { return std::array {0, 40, 100, 160, 200}[(x * 7 + y * 3) % 5]; }

    // Triggers the export menu's action and reads the file it wrote.
    QByteArray exported(const char *action, const QString &suffix)
    {
        auto *a = m_window->findChild<QAction *>(action);
        if (!a || !m_window->ui->toolButton_export->menu()->actions().contains(a))
            return "no such action in the export menu";
        a->trigger();
        return fileBytes(m_answers.saveAnswer + suffix);
    }

private slots:
    void initTestCase()
    {
        initVx305Resources();
        QVERIFY(m_translator.load(":/Demo_EN.qm"));
        QCoreApplication::installTranslator(&m_translator);
        ConfigRecord::createDefault("EN");
        PictureFixture fixture; // 30.0 at grey 200, 20.0 at grey 0
        fixture.maxGrey = 200;
        fixture.emissivity = 97;
        for (int i = 0; i < 240 * 320; ++i)
            fixture.grey[i] = char(grey(i % 240, i / 240));
        fixture.palette.fill(0x07E0); // every grey green
        QVERIFY(fixture.writeTo(m_home.path() + "/IMG_0007.bmp"));
        m_window = std::make_unique<Analysis_Widget>();
        QVERIFY(m_window->set_Image_addr(m_home.path() + "/IMG_0007.bmp", 0));
        m_answers.saveAnswer = m_home.path() + "/out";
    }

    void every_export_and_a_failed_write()
    {
        for (const int unit : {1, 0}) { // Celsius last, for the tests that follow
            m_window->ui->comboBox->setCurrentIndex(unit);
            QByteArray expected = QByteArray("# file: IMG_0007.bmp\n# model: VX305\n# unit: ")
                + (unit ? "°F" : "°C") + "\n# emissivity: 0.97\n";
            for (int i = 0; i < 240 * 320; ++i) {
                // Tmax - (Gmax - g) / (Gmax - Gmin) * (Tmax - Tmin), shown as 10 T / div + add.
                const double t = 30.0 - (200.0 - grey(i % 240, i / 240)) / 200.0 * 10.0;
                expected += QByteArray::number(unit ? 10.0 * t / 5.556 + 32.0 : t, 'f', 1);
                expected += i % 240 < 239 ? ',' : '\n';
            }
            QCOMPARE(exported("actionExportTemperatures", ".csv"), expected);
        }
        m_window->ui->pushButton_6->click();
        *m_window->ui->label->m_rects[0] = RectTool {"R0", 10, 10, 100, 100, Qt::red};
        m_window->ui->pushButton_8->click();
        *m_window->ui->label->m_points[0] = PointTool {"P0", 3, 4, 9, Qt::red};
        m_window->updat_Tool_Temp();
        // The table's own texts, in the interface's language: P0 at grey 160, R0 over all greys.
        QCOMPARE(exported("actionExportMeasurements", ".csv"),
            QByteArray(
                "Name,Type,High,Low,Average\nP0,Point,28.0,28.0,28.0\nR0,Rect,30.0,20.0,25.0\n"));
        const QImage image = QImage::fromData(exported("actionExportPicture", ".png"), "PNG");
        QCOMPARE(image.size(), QSize(480, 640));
        // Green inside and outside the rectangle, its red outline at twice the picture size.
        QCOMPARE(QList<QColor>({image.pixelColor(300, 500), image.pixelColor(100, 100),
                     image.pixelColor(200, 100), image.pixelColor(100, 200)}),
            QList<QColor>({QColor(0, 252, 0), QColor(0, 252, 0), Qt::red, Qt::red}));
        // A file that cannot be written is reported.
        m_answers.saveAnswer = m_home.path() + "/missing/out.csv";
        QCOMPARE(exported("actionExportTemperatures", ""), QByteArray());
        QCOMPARE(m_answers.asked.mid(m_answers.asked.size() - 2),
            QStringList({"Warning", "The file could not be written: " + m_answers.saveAnswer}));
    }
};

QTEST_MAIN(tst_Exports)
#include "tst_exports.moc"
