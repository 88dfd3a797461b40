#include "analysis/analysis_widget.h"
#include "analysis/scalelock.h"
#include "picturefixture.h"
#include "testsupport.h"
#include "ui_analysis_widget.h"

#include <QtCharts/QBarSet>
#include <QtCharts/QXYSeries>

using namespace QtCharts;

class tst_Charts : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryHome> m_home;
    DialogAnswerer m_answers;
    std::unique_ptr<Analysis_Widget> m_window;
    Ui::Analysis_Widget *ui = nullptr;

    // -5.3, -3.3, -0.3, 2.7 and 4.7 degrees (4.7 at grey 200, -5.3 at grey 0) in 4 x 4 blocks,
    // each clear of a rounding boundary in both units.
    static int grey(int x, int y) { return std::array {0, 40, 100, 160, 200}[(x / 4 + y / 4) % 5]; }
    // The fixtures' palette entry k: red k, green 255 - k, cut to 5 and 6 bits.
    static QColor entry(int k) { return QColor(k & 0xF8, (255 - k) & 0xFC, 0); }

    // A window with its chart panel open on a picture of the span (tenths) whose greys are
    // grey's times scale / 10.
    std::unique_ptr<Analysis_Widget> open(qint16 maxTemp, qint16 minTemp, int maxGrey, int scale)
    {
        PictureFixture fixture;
        fixture.maxTemp = maxTemp;
        fixture.minTemp = minTemp;
        fixture.maxGrey = quint8(maxGrey);
        fixture.minGrey = 0;
        for (int k = 0; k < 256; ++k)
            fixture.palette[std::size_t(k)] = quint16((k & 0xF8) << 8 | ((255 - k) & 0xFC) << 3);
        for (int i = 0; i < 240 * 320; ++i)
            fixture.grey[i] = char(grey(i % 240, i / 240) * scale / 10);
        const QString path = m_home->path() + QString("/IMG %1.v2.bmp").arg(maxTemp);
        auto window = std::make_unique<Analysis_Widget>();
        if (!fixture.writeTo(path) || !window->set_Image_addr(path, 0))
            return nullptr;
        window->ui->pushButton_chart->click();
        return window;
    }
    // Makes the first tool of the button's kind the given one, selected, as a drag on the label
    // leaves it; the charts follow.
    template <class Tool> void put(QPushButton *button, ToolList<Tool> &list, const Tool &tool)
    {
        button->click();
        *list[0] = tool;
        ui->label->m_selKind = tool.name.left(1);
        ui->label->m_selIndex = 0;
        emit ui->label->updat_Tool();
        QCoreApplication::processEvents();
    }
    QVector<QPointF> profile(const char *name) const
    {
        return ui->profileChart->chart()->findChild<QXYSeries *>(name)->pointsVector();
    }

private slots:
    void init()
    {
        m_home = std::make_unique<TemporaryHome>();
        QVERIFY(m_window = open(47, -53, 200, 10));
        ui = m_window->ui;
    }
    void cleanup() { m_window.reset(), m_home.reset(), ScaleLock::instance()->reset(); }

    void profile_data()
    {
        // clang-format off
        // The line covers the pixels with |x - y| <= band.
        addColumns<int, QLine, int>("unit", "line", "band");
        QTest::newRow("right to left along row 50, celsius") << 0 << QLine(60, 50, 10, 50) << 999;
        QTest::newRow("up column 100, fahrenheit") << 1 << QLine(100, 300, 100, 200) << 999;
        QTest::newRow("(0,0)-(4,4): 19 pixels, fahrenheit") << 1 << QLine(0, 0, 4, 4) << 2;
        // clang-format on
    }
    void profile()
    {
        const auto [unit, line, band] = fetch<int, QLine, int>();
        ui->comboBox->setCurrentIndex(unit);
        put(ui->pushButton_7, ui->label->m_lines,
            LineTool {"L0", line.x1(), line.y1(), line.x2(), line.y2(), Qt::red});
        // The covered pixels row by row, then by their distance along the line from its start;
        // Tmax - (Gmax - g) / (Gmax - Gmin) * (Tmax - Tmin), Fahrenheit 10 T / 5.556 + 32.
        const QRect box = QRect(line.p1(), line.p2()).normalized();
        const QPointF direction = QPointF(line.p2() - line.p1()) / std::hypot(line.dx(), line.dy());
        QVector<QPointF> expected;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = qMax(box.left(), y - band); x <= qMin(box.right(), y + band); ++x) {
                const double t = 4.7 - (200 - grey(x, y)) / 20.0;
                expected << QPointF(QPointF::dotProduct(QPoint(x, y) - line.p1(), direction),
                    std::round((unit ? 10 * t / 5.556 + 32 : t) * 10) / 10);
            }
        }
        std::stable_sort(
            expected.begin(), expected.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
        QCOMPARE(profile("profile"), expected);
        // The maximum's mark: the first of the hottest.
        QCOMPARE(profile("maximum").value(0),
            *std::max_element(expected.begin(), expected.end(),
                [](QPointF a, QPointF b) { return a.y() < b.y(); }));
    }
    void profile_saved_as_csv()
    {
        put(ui->pushButton_7, ui->label->m_lines, LineTool {"L0", 13, 40, 11, 40, Qt::red});
        m_answers.saveAnswer = m_home->path() + "/profile"; // the dialog adds the suffix
        ui->pushButton_saveProfile->click();
        QCOMPARE(fileBytes(m_answers.saveAnswer + ".csv"),
            "distance,x,y,temperature\n0.00,13,40,2.7\n1.00,12,40,2.7\n2.00,11,40,-0.3\n");
        ui->pushButton_3->click(); // a deleted line is profiled no more
        QTRY_VERIFY(profile("profile").isEmpty() && !ui->pushButton_saveProfile->isEnabled());
    }
    void histogram_of_the_selected_area()
    {
        const QBarSet *bars = ui->histogramChart->chart()->findChild<QBarSet *>();
        // Each holds -5.3 to 4.7: 21 half-degree bins from -5.5 on.
        const auto sum = [&] { return bars->count() == 21 ? bars->sum() : -1; };
        ui->chartPanel->refresh();
        QCOMPARE(sum(), 76800.0); // the whole picture
        put(ui->pushButton_6, ui->label->m_rects, RectTool {"R0", 49, 99, 10, 20, Qt::red});
        QCOMPARE(sum(), 40.0 * 80);
        put(ui->pushButton_5, ui->label->m_circles, CircleTool {"C0", 99, 99, 102, 99, 3, Qt::red});
        QCOMPARE(sum(), 45.0); // radius 3
        // Low, high and the width taken, in tenths: 200 half degrees from 0.0 to 99.9 and from
        // -20.5 to 79.0, but whole degrees for 201; 5 degrees for 900.
        for (const auto &[low, high, width] :
            {std::array {0, 999, 5}, {-205, 790, 5}, {0, 1000, 10}, {0, 9000, 50}}) {
            const ThermalCharts::Histogram h = ThermalCharts::histogram({high, low, low});
            QCOMPARE(h.widthTenths, width);
            QVERIFY(h.counts.size() <= 200 && h.counts.front() == 2 && h.counts.back() == 1);
        }
    }

    void isotherm_data()
    {
        // clang-format off
        // The limits offered first, the picture's hottest quarter on half degrees (-5.3 + 0.75 x 10
        // = 2.2 to 2, and 4.7 up to 5), and which of them are editable.
        addColumns<int, int, QString, double, double, QList<int>>(
            "unit", "mode", "offered", "low", "high", "painted");
        QTest::newRow(">= 2.7") << 0 << 1 << "2 5 1 0" << 2.7 << 0.0 << QList<int> {160, 200};
        QTest::newRow("<= -3.3") << 0 << 2 << "2 5 0 1" << 0.0 << -3.3 << QList<int> {0, 40};
        QTest::newRow("26.1-31.5 F") << 1 << 3 << "35.6 41 1 1" << 26.1 << 31.5 << QList<int> {40, 100};
        // clang-format on
    }
    void isotherm()
    {
        const auto [unit, mode, offered, low, high, painted]
            = fetch<int, int, QString, double, double, QList<int>>();
        ui->comboBox->setCurrentIndex(unit);
        m_answers.colorAnswer = Qt::blue;
        ui->pushButton_isoColor->click();
        m_answers.colorAnswer = QColor(); // cancelled: the colour stays
        ui->pushButton_isoColor->click();
        ui->comboBox_isotherm->setCurrentIndex(mode);
        const QDoubleSpinBox *from = ui->doubleSpinBox_isoLow, *to = ui->doubleSpinBox_isoHigh;
        QCOMPARE(QString::asprintf("%g %g %d %d", from->value(), to->value(), from->isEnabled(),
                     to->isEnabled()),
            offered);
        ui->doubleSpinBox_isoLow->setValue(low);
        ui->doubleSpinBox_isoHigh->setValue(high);
        m_window->colorize(); // the picture the window, the report and the PNG export show
        for (int i = 0; i < 240 * 320; ++i) {
            const int g = grey(i % 240, i / 240);
            QCOMPARE(m_window->m_colorImage.pixelColor(i % 240, i / 240),
                painted.contains(g) ? QColor(Qt::blue) : entry(g));
        }
    }

    void locked_scale_gives_equal_temperatures_equal_colours()
    {
        // -0.3 degrees at (9, 1) in both: grey 100 here, 80 in a picture of -10.3 to 19.7 over
        // 0-240; -3.3 and -5.3 at (5, 1) and (1, 1) here, 9.7 at (17, 1) and -10.3 at (1, 1) there.
        const std::unique_ptr<Analysis_Widget> other = open(197, -103, 240, 8);
        const auto colours = [&] {
            m_window->colorize();
            other->colorize();
            const QImage &here = m_window->m_colorImage, &there = other->m_colorImage;
            return QList<QColor>(
                {here.pixelColor(9, 1), here.pixelColor(5, 1), here.pixelColor(1, 1),
                    there.pixelColor(9, 1), there.pixelColor(17, 1), there.pixelColor(1, 1)});
        };
        QCOMPARE(colours(),
            QList<QColor>({entry(100), entry(40), entry(0), entry(80), entry(160), entry(0)}));
        // Unlocked, the boxes offer the picture's span rounded outwards: -5.3 to 4.7 as -6 to 5,
        // 22.46 to 40.46 F as 22 to 41.
        const auto offered = [&] {
            return QString::asprintf(
                "%g %g ", ui->doubleSpinBox_lockLow->value(), ui->doubleSpinBox_lockHigh->value());
        };
        const QString celsius = offered();
        ui->comboBox->setCurrentIndex(1);
        QCOMPARE(celsius + offered(), "-6 5 22 41 ");
        ui->comboBox->setCurrentIndex(0);
        ui->doubleSpinBox_lockLow->setValue(-5.3);
        ui->doubleSpinBox_lockHigh->setValue(4.7);
        ui->checkBox_lockScale->setChecked(true);
        // Half way takes entry 128 in both, -3.3 entry 51; beyond the span, either way, the end
        // entries. The other window follows, and its scale shows the span in the unit shown.
        QCOMPARE(colours(),
            QList<QColor>({entry(128), entry(51), entry(0), entry(128), entry(255), entry(0)}));
        other->ui->comboBox->setCurrentIndex(1);
        const auto *scale = other->ui->widget;
        QCOMPARE(QString::asprintf("%d %g %g", other->ui->checkBox_lockScale->isChecked(),
                     scale->m_maxTemp, scale->m_minTemp),
            "1 40.5 22.5");
        // An empty span: its one value and above take the last entry, below it the first.
        ui->doubleSpinBox_lockHigh->setValue(-3.3);
        ui->doubleSpinBox_lockLow->setValue(-3.3);
        QCOMPARE(colours().mid(0, 3), QList<QColor>({entry(255), entry(255), entry(0)}));
    }
};

QTEST_MAIN(tst_Charts)
#include "tst_charts.moc"
