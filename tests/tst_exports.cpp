#include "analysis/analysis_widget.h"
#include "app/configrecord.h"
#include "app/startup.h"
#include "ui_analysis_widget.h"
#include "picturefixture.h"
#include "testsupport.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include <memory>

namespace {

// Five greys whose temperatures lie well away from a rounding boundary in both units.
constexpr int Greys[5] = { 0, 40, 100, 160, 200 };

int greyAt(int x, int y)
{
    return Greys[(x * 7 + y * 3) % 5];
}

} // namespace

class tst_Exports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void temperatures_data();
    void temperatures();
    void measurements();
    void picture();
    void failed_write_is_reported();

private:
    void trigger(const char *action);

    std::unique_ptr<TemporaryHome> m_home;
    std::unique_ptr<DialogAnswerer> m_answers;
    std::unique_ptr<Analysis_Widget> m_window;
    QString m_target;
    QTranslator m_translator;
};

void tst_Exports::initTestCase()
{
    initVx305Resources();
    QVERIFY(m_translator.load(QStringLiteral(":/Demo_EN.qm")));
    QCoreApplication::installTranslator(&m_translator);
}

void tst_Exports::init()
{
    m_home = std::make_unique<TemporaryHome>();
    m_answers = std::make_unique<DialogAnswerer>();
    ConfigRecord::createDefault("EN");
    PictureFixture fixture; // 30.0 at grey 200, 20.0 at grey 0
    fixture.maxGrey = 200;
    fixture.emissivity = 97;
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            fixture.setPixel(x, y, quint8(greyAt(x, y)));
    fixture.palette.fill(0x07E0); // every grey green
    const QString path = m_home->path() + "/IMG_0007.bmp";
    QVERIFY(fixture.writeTo(path));
    m_window = std::make_unique<Analysis_Widget>();
    QVERIFY(m_window->set_Image_addr(path, 0));
    m_window->resize(1000, 700);
    m_target = m_home->path() + "/out";
    m_answers->saveAnswer = m_target;
}

void tst_Exports::cleanup()
{
    m_window.reset();
    m_answers.reset();
    m_home.reset();
}

void tst_Exports::trigger(const char *action)
{
    auto *a = m_window->findChild<QAction *>(QLatin1String(action));
    QVERIFY(a);
    QVERIFY(m_window->ui->toolButton_export->menu()->actions().contains(a));
    a->trigger();
}

void tst_Exports::temperatures_data()
{
    QTest::addColumn<int>("unitIndex");
    QTest::newRow("celsius") << 0;
    QTest::newRow("fahrenheit") << 1;
}

void tst_Exports::temperatures()
{
    QFETCH(int, unitIndex);
    m_window->ui->comboBox->setCurrentIndex(unitIndex);
    trigger("actionExportTemperatures");
    QFile file(m_target + ".csv");
    QVERIFY(file.open(QIODevice::ReadOnly));

    QByteArray expected = "# file: IMG_0007.bmp\n# model: VX305\n# unit: "
            + QByteArray(unitIndex ? "°F" : "°C") + "\n# emissivity: 0.97\n";
    for (int y = 0; y < 320; ++y) {
        QByteArrayList row;
        for (int x = 0; x < 240; ++x) {
            // Tmax - (Gmax - g) / (Gmax - Gmin) * (Tmax - Tmin), shown as 10 T / div + add.
            const double t = 30.0 - (200.0 - greyAt(x, y)) / 200.0 * 10.0;
            const double shown = unitIndex ? 10.0 * t / 5.556 + 32.0 : t;
            row << QByteArray::number(shown, 'f', 1);
        }
        expected += row.join(',') + '\n';
    }
    QCOMPARE(file.readAll(), expected);
}

void tst_Exports::measurements()
{
    m_window->ui->pushButton_6->click();
    *m_window->ui->label->m_rects[0] = RectTool { "R0", 10, 10, 100, 100, Qt::red };
    m_window->ui->pushButton_8->click();
    *m_window->ui->label->m_points[0] = PointTool { "P0", 3, 4, 9, Qt::red };
    m_window->updat_Tool_Temp();
    trigger("actionExportMeasurements");
    QFile file(m_target + ".csv");
    QVERIFY(file.open(QIODevice::ReadOnly));
    // The table's own texts, in the interface's language: P0 at grey 160, R0 over all greys.
    QCOMPARE(file.readAll(), QByteArray("Name,Type,High,Low,Average\n"
                                        "P0,Point,28.0,28.0,28.0\n"
                                        "R0,Rect,30.0,20.0,25.0\n"));
}

void tst_Exports::picture()
{
    m_window->ui->pushButton_6->click();
    *m_window->ui->label->m_rects[0] = RectTool { "R0", 50, 100, 150, 200, Qt::red };
    trigger("actionExportPicture");
    const QImage image(m_target + ".png");
    QCOMPARE(image.size(), QSize(480, 640));
    QCOMPARE(image.pixelColor(300, 500), QColor(0, 252, 0));
    // The rectangle's outline at twice the picture size.
    const QColor outline = image.pixelColor(200, 200);
    QVERIFY2(outline.red() > 200 && outline.green() < 100, qPrintable(outline.name()));
    QCOMPARE(image.pixelColor(200, 300), QColor(0, 252, 0));
}

void tst_Exports::failed_write_is_reported()
{
    m_answers->saveAnswer = m_home->path() + "/missing/out.csv";
    trigger("actionExportTemperatures");
    QCOMPARE(m_answers->asked.mid(2),
             QStringList({ "Warning", "The file could not be written: " + m_answers->saveAnswer }));
    QVERIFY(!QFile::exists(m_answers->saveAnswer));
}

QTEST_MAIN(tst_Exports)
#include "tst_exports.moc"
