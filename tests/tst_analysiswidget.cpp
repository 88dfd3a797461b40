#include "analysis/analysis_widget.h"
#include "app/configrecord.h"
#include "picturefixture.h"
#include "testsupport.h"
#include "ui_analysis_widget.h"

#include <QtTest>

#include <memory>

namespace {

// Grey g maps to 30.0 - 10.0 * (255 - g) / 255 degrees with the fixture's defaults.
PictureFixture uniformPicture(quint8 grey, int model = PictureFixture::VX305)
{
    PictureFixture picture;
    picture.model = model;
    picture.fillGrey(grey);
    for (int k = 0; k < 256; ++k)
        picture.palette[std::size_t(k)] = quint16((k & 0xF8) << 8); // a pure red ramp
    return picture;
}

// Cells from..to of one row of a table.
QStringList row(const QTableWidget *table, int row, int from, int to)
{
    QStringList cells;
    for (int column = from; column <= to; ++column)
        cells << table->item(row, column)->text();
    return cells;
}

// The information table's values, rows 0-9.
QStringList information(const Analysis_Widget &window)
{
    QStringList values;
    for (int r = 0; r < 10; ++r)
        values << window.ui->tableWidget_2->item(r, 1)->text();
    return values;
}

} // namespace

class tst_AnalysisWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_home.reset(); }

    void information_and_unit_switch_data();
    void information_and_unit_switch();
    void colours_tools_and_table();
    void tools_drawn_and_picked_with_the_mouse();
    void active_tool_button_is_marked();

private:
    std::unique_ptr<Analysis_Widget> open(const PictureFixture &picture, bool shown = false);

    std::unique_ptr<TemporaryHome> m_home;
    QString m_file;
};

void tst_AnalysisWidget::init()
{
    m_home = std::make_unique<TemporaryHome>();
    ConfigRecord::createDefault("EN");
    m_file = m_home->path() + "/IMG_0001.bmp";
}

std::unique_ptr<Analysis_Widget> tst_AnalysisWidget::open(const PictureFixture &picture, bool shown)
{
    auto window = std::make_unique<Analysis_Widget>();
    if (!picture.writeTo(m_file) || !window->set_Image_addr(m_file, picture.model))
        return nullptr;
    if (shown) {
        window->resize(1100, 700);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return nullptr;
    }
    return window;
}

void tst_AnalysisWidget::information_and_unit_switch_data()
{
    // clang-format off
    QTest::addColumn<QVector<int>>("file"); // model, unit byte, bytes past the block, emissivity
    QTest::addColumn<QStringList>("sizeAndEmissivity");
    // Unit, centre, maximum, minimum, mean, cursor on the hot pixel; then after the switch.
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("switched");

    QTest::newRow("VX305 Celsius file to °F")
        << QVector<int> {0, 0, 0, 100} << QStringList {"300.6 KB", "1.00"}
        << "°C 25.1 30.0 20.0 25.0 30.0°C" << "°F 77.2 86.0 68.0 77.0 86.0°F";
    QTest::newRow("VX305 Fahrenheit file to °C")
        << QVector<int> {0, 1, 0, 95} << QStringList {"300.6 KB", "0.95"}
        << "°F 25.1 30.0 20.0 25.0 30.0°F" << "°C -3.8 -1.1 -6.7 -3.9 -1.1°C";
    QTest::newRow("VX300 opens in °F, stored Celsius")
        << QVector<int> {1, 1, 0, 95} << QStringList {"225.6 KB", "0.95"}
        << "°F 77.2 86.0 68.0 77.0 86.0°F" << "°C 25.1 30.0 20.0 25.0 30.0°C";
    QTest::newRow("unknown unit byte keeps the pair, file past the read limit")
        << QVector<int> {0, 7, 2100000, 95} << QStringList {"1953.1 KB", "0.95"}
        << "°C 25.1 30.0 20.0 25.0 30.0°C" << "°F 25.1 30.0 20.0 25.0 30.0°F";
    // clang-format on
}

void tst_AnalysisWidget::information_and_unit_switch()
{
    QFETCH(QVector<int>, file);
    QFETCH(QStringList, sizeAndEmissivity);
    QFETCH(QString, opened);
    QFETCH(QString, switched);
    const int model = file.at(0);
    PictureFixture picture = uniformPicture(128, model);
    picture.setPixel(12, 300, 255);
    picture.unit = quint8(file.at(1));
    picture.tail = QByteArray(file.at(2), '\0');
    picture.emissivity = quint8(file.at(3));
    picture.centreTemp = 251;
    const auto window = open(picture);
    QVERIFY(window);
    QVERIFY(!Analysis_Widget().set_Image_addr(m_file, 1 - model));
    const QStringList values = information(*window);
    QCOMPARE(values.mid(0, 2), QStringList({"IMG_0001.bmp", sizeAndEmissivity.at(0)}));
    QVERIFY(QDateTime::fromString(values.at(2), "yyyy/MM/dd HH:mm").isValid());
    QCOMPARE(values.mid(3, 2), QStringList({sizeAndEmissivity.at(1), "240×320"}));

    MyLabel *label = window->ui->label;
    label->setToolKind(ToolPoint);
    *label->m_points[0] = PointTool {"P0", 5, 5, 9, Qt::red};
    window->updat_Tool_Temp();
    // Every shown temperature follows the unit: table, slider, cursor and tools.
    const auto check = [&](const QString &expected) {
        window->updat_XY_Temp(12, 300);
        QStringList shown = information(*window).mid(5);
        const QString mean = shown.at(4);
        QCOMPARE(QString::number(double(window->ui->widget->m_maxTemp), 'f', 1), shown.at(2));
        QCOMPARE(row(window->ui->tableWidget, 0, 2, 4), QStringList({mean, mean, mean}));
        QCOMPARE((shown << window->ui->label_4->text()).join(' '), expected);
    };
    check(opened);
    window->ui->comboBox->setCurrentIndex(opened.startsWith("°C") ? 1 : 0);
    check(switched);
    QCOMPARE(window->ui->label_2->text() + window->ui->label_3->text(), QString("X: 12Y: 300"));
}

void tst_AnalysisWidget::colours_tools_and_table()
{
    PictureFixture picture = uniformPicture(0);
    for (int x = 100; x <= 110; ++x)
        picture.setPixel(x, 50, 255); // a hot row crossed by the rectangle
    picture.setPixel(0, 0, 200);
    picture.setPixel(1, 0, 100);
    const auto window = open(picture);
    QVERIFY(window);

    // The picture is coloured through the handles of the scale, and again when either moves.
    My_ColorSlider *slider = window->ui->widget;
    const auto reds = [&] { // of the pixels (0, 0), (1, 0) and (2, 0): grey 200, 100 and 0
        window->colorize();
        const QImage &shown = window->m_colorImage;
        return QList<int>(
            {qRed(shown.pixel(0, 0)), qRed(shown.pixel(1, 0)), qRed(shown.pixel(2, 0))});
    };
    // Handles at the ends: the picture's own palette, a red ramp of 5-bit steps.
    QCOMPARE(reds(), QList<int>({200, 96, 0}));
    // Upper handle at 100: greys above 155 take entry 155.
    slider->m_startIndex = 100;
    QCOMPARE(reds(), QList<int>({152, 96, 0}));
    // Lower handle at the middle too: greys below 127 take entry 127.
    slider->m_endIndex = 128;
    QCOMPARE(reds(), QList<int>({152, 120, 120}));
    QCOMPARE(window->m_barPixmap.size(), QSize(30, 256));

    MyLabel *label = window->ui->label;
    for (const int x : {105, 10, 20}) {
        label->setToolKind(ToolPoint);
        label->m_points.back()->x = x;
        label->m_points.back()->y = 50;
    }
    label->setToolKind(ToolLine);
    *label->m_lines[0] = LineTool {"L0", 1, 1, 50, 40, Qt::red};
    label->setToolKind(ToolRect);
    *label->m_rects[0] = RectTool {"R0", 90, 40, 120, 60, Qt::red};
    label->setToolKind(ToolPoint); // a pending P3, which gets no row
    window->updat_Tool_Temp();
    QTableWidget *table = window->ui->tableWidget;
    QCOMPARE(table->rowCount(), 5);
    QCOMPARE(row(table, 0, 0, 4), QStringList({"P0", "点", "30.0", "30.0", "30.0"}));
    QCOMPARE(row(table, 3, 0, 4), QStringList({"L0", "线", "20.0", "20.0", "20.0"}));
    QCOMPARE(row(table, 4, 0, 4), QStringList({"R0", "矩形", "30.0", "20.0", "20.2"}));
    QCOMPARE(table->item(0, 2)->textAlignment(), int(Qt::AlignCenter));

    // A row selects its tool by the letter of its name and the rows above with that letter.
    window->on_tableWidget_itemClicked(table->item(2, 3));
    QCOMPARE(label->m_selKind + QString::number(label->m_selIndex), QString("P2"));
    window->Set_Select(3);
    QCOMPARE(table->currentRow(), 3);
    window->Set_Select(9);
    window->on_tableWidget_itemClicked(table->item(4, 0));
    window->ui->pushButton_3->click();
    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(label->m_selKind, QString("null"));
    QCOMPARE(window->m_tool, int(ToolCursor));
    QCOMPARE(label->m_toolKind, int(ToolCursor));

    // The colour button sets the colour of the next tools; a cancelled dialog keeps it.
    DialogAnswerer answers;
    answers.colorAnswer = QColor(0, 0, 255);
    window->ui->pushButton_4->click();
    answers.colorAnswer = QColor();
    window->ui->pushButton_4->click();
    QCOMPARE(label->m_winColor, QColor(0, 0, 255));
    QCOMPARE(answers.asked, QStringList({QString(), QString()}));
    window->ui->pushButton_2->click();
    QCOMPARE(table->rowCount(), 0);
}

void tst_AnalysisWidget::tools_drawn_and_picked_with_the_mouse()
{
    PictureFixture picture = uniformPicture(0);
    // A hot patch, since the mapping to the label and back may land a pixel off.
    for (int x = 148; x <= 152; ++x)
        for (int y = 198; y <= 202; ++y)
            picture.setPixel(x, y, 255);
    const auto window = open(picture, true);
    QVERIFY(window);
    MyLabel *label = window->ui->label;
    QTableWidget *table = window->ui->tableWidget;
    QTRY_VERIFY(label->m_picW > 0);
    const LabelGeometry g = label->geometryValues();
    const auto at = [&](int x, int y) {
        const auto p = g.pictureToLabel(x, y, 0, 0);
        return QPoint(p.x, p.y);
    };
    const auto drag = [&](QPoint from, QPoint to) {
        QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, at(from.x(), from.y()));
        QMouseEvent move(
            QEvent::MouseMove, at(to.x(), to.y()), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &move);
        QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, at(to.x(), to.y()));
    };
    window->ui->pushButton_8->click();
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, at(50, 60));
    window->ui->pushButton_7->click();
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, at(200, 300)); // no line
    window->ui->pushButton_6->click();
    drag({49, 20}, {120, 100});
    // After a gesture its tool stays active with a new pending record.
    QCOMPARE(label->m_toolKind, int(ToolRect));
    QCOMPARE(window->m_tool, int(ToolRect));
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(row(table, 1, 0, 4), QStringList({"R0", "矩形", "20.0", "20.0", "20.0"}));
    const RectTool placed = *label->m_rects[0];
    QVERIFY(
        qAbs(placed.x1 - 49) + qAbs(placed.y1 - 20) + qAbs(placed.x2 - 120) + qAbs(placed.y2 - 100)
        <= 4);

    window->ui->pushButton_9->click();
    // (50, 58) is in the point's box, centred two pixels up and left of it, and inside the
    // rectangle: the rectangle, found later, is selected.
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, at(50, 58));
    QCOMPARE(table->currentRow(), 1);
    drag({46, 58}, {150, 200}); // the point alone
    QCOMPARE(row(table, 0, 0, 4), QStringList({"P0", "点", "30.0", "30.0", "30.0"}));
    QCOMPARE(table->currentRow(), 0);
    QCOMPARE(window->ui->label_2->text(), QString("X: 150"));
    drag({100, 90}, {10, 10}); // the rectangle alone, which does not move
    QCOMPARE(QPoint(label->m_rects[0]->x1, label->m_rects[0]->y1), QPoint(placed.x1, placed.y1));
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, at(230, 310));
    QCOMPARE(label->m_selKind, QString("null"));
}

// The focused tool button is tinted rgba(85, 170, 255, 150) over white; the others stay white.
void tst_AnalysisWidget::active_tool_button_is_marked()
{
    const auto window = open(uniformPicture(0), true);
    QVERIFY(window);
    window->ui->pushButton_7->click();
    window->ui->pushButton_7->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(window->ui->pushButton_7->hasFocus());
    QCOMPARE(window->ui->pushButton_7->grab().toImage().pixelColor(1, 1), QColor(155, 205, 255));
    QCOMPARE(window->ui->pushButton_8->grab().toImage().pixelColor(1, 1), QColor(Qt::white));
}

QTEST_MAIN(tst_AnalysisWidget)
#include "tst_analysiswidget.moc"
