#include "analysis/analysis_widget.h"
#include "app/configrecord.h"
#include "ui_analysis_widget.h"
#include "picturefixture.h"
#include "testsupport.h"

#include <QtTest>

#include <memory>

namespace {

// Grey g maps to 20.0 + 10.0 * g / 255 degrees with the fixture's defaults.
PictureFixture uniformPicture(quint8 grey, int model = PictureFixture::VX305)
{
    PictureFixture picture;
    picture.model = model;
    picture.fillGrey(grey);
    for (int k = 0; k < 256; ++k)
        picture.palette[std::size_t(k)] = quint16((k & 0xF8) << 8); // a pure red ramp
    return picture;
}

QStringList infoValues(const Analysis_Widget &window)
{
    QStringList values;
    for (int row = 0; row < 10; ++row)
        values << window.ui->tableWidget_2->item(row, 1)->text();
    return values;
}

QStringList measurementRow(const Analysis_Widget &window, int row)
{
    QStringList cells;
    for (int column = 0; column < 5; ++column)
        cells << window.ui->tableWidget->item(row, column)->text();
    return cells;
}

} // namespace

class tst_AnalysisWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void informationTable_data();
    void informationTable();
    void unitSwitch_data();
    void unitSwitch();
    void wrongModelFails_data();
    void wrongModelFails();
    void cursorReadout();
    void measurementTable();
    void deletingTheOnlyTool();
    void tableClickSelectsByLetter();
    void colourButton();
    void colouringFollowsTheHandles();
    void rectangleDrawnWithTheMouse();
    void draggedPointShowsItsNewPixel();

private:
    std::unique_ptr<Analysis_Widget> open(const PictureFixture &picture, int model = -2);

    std::unique_ptr<TemporaryHome> m_home;
    QString m_file;
};

void tst_AnalysisWidget::init()
{
    m_home = std::make_unique<TemporaryHome>();
    ConfigRecord::createDefault("EN");
    m_file = m_home->path() + "/IMG_0001.bmp";
}

void tst_AnalysisWidget::cleanup()
{
    m_home.reset();
}

std::unique_ptr<Analysis_Widget> tst_AnalysisWidget::open(const PictureFixture &picture, int model)
{
    if (!picture.writeTo(m_file))
        return nullptr;
    auto window = std::make_unique<Analysis_Widget>();
    if (!window->set_Image_addr(m_file, model == -2 ? picture.model : model))
        return nullptr;
    return window;
}

void tst_AnalysisWidget::informationTable_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("tail");
    QTest::addColumn<int>("emissivity");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("emissivityText");

    QTest::newRow("VX305, emissivity 95") << 0 << 0 << 95 << "300.6 KB" << "0.95";
    QTest::newRow("VX305, emissivity 100") << 0 << 0 << 100 << "300.6 KB" << "1.00";
    QTest::newRow("VX300") << 1 << 0 << 95 << "225.6 KB" << "0.95";
    QTest::newRow("larger than the read limit") << 0 << 2100000 << 95 << "1953.1 KB" << "0.95";
}

void tst_AnalysisWidget::informationTable()
{
    QFETCH(int, model);
    QFETCH(int, tail);
    QFETCH(int, emissivity);
    QFETCH(QString, size);
    QFETCH(QString, emissivityText);

    PictureFixture picture = uniformPicture(128, model);
    picture.tail = QByteArray(tail, '\0');
    picture.emissivity = quint8(emissivity);
    picture.centreTemp = 251;
    const auto window = open(picture);
    QVERIFY(window);
    const QStringList values = infoValues(*window);
    QCOMPARE(values.at(0), QString("IMG_0001.bmp"));
    QCOMPARE(values.at(1), size);
    QVERIFY(QDateTime::fromString(values.at(2), "yyyy/MM/dd HH:mm").isValid());
    QCOMPARE(values.at(3), emissivityText);
    QCOMPARE(values.at(4), QString("240×320"));
    // Grey 128 everywhere: 30.0 - (127 / 255) * 10.0 = 25.0196...
    QCOMPARE(values.mid(5), QStringList({ "°C", "25.1", "30.0", "20.0", "25.0" }));
    QCOMPARE(window->ui->widget->m_maxTemp, 30.0f);
    QCOMPARE(window->ui->widget->m_minTemp, 20.0f);
}

void tst_AnalysisWidget::unitSwitch_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("unitByte");
    QTest::addColumn<int>("openedIndex");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<QStringList>("switched");

    // Rows 5-9: unit, centre 25.0, maximum 30.0, minimum 20.0, mean of grey 128.
    QTest::newRow("VX305 Celsius file to °F")
            << 0 << 0 << 0 << QStringList { "°C", "25.0", "30.0", "20.0", "25.0" }
            << QStringList { "°F", "77.0", "86.0", "68.0", "77.0" };
    QTest::newRow("VX305 Fahrenheit file to °C")
            << 0 << 1 << 1 << QStringList { "°F", "25.0", "30.0", "20.0", "25.0" }
            << QStringList { "°C", "-3.9", "-1.1", "-6.7", "-3.9" };
    QTest::newRow("VX300 opens in °F, stored Celsius")
            << 1 << 1 << 1 << QStringList { "°F", "77.0", "86.0", "68.0", "77.0" }
            << QStringList { "°C", "25.0", "30.0", "20.0", "25.0" };
    QTest::newRow("VX305 unknown unit byte keeps the pair")
            << 0 << 7 << 0 << QStringList { "°C", "25.0", "30.0", "20.0", "25.0" }
            << QStringList { "°F", "25.0", "30.0", "20.0", "25.0" };
}

void tst_AnalysisWidget::unitSwitch()
{
    QFETCH(int, model);
    QFETCH(int, unitByte);
    QFETCH(int, openedIndex);
    QFETCH(QStringList, opened);
    QFETCH(QStringList, switched);

    PictureFixture picture = uniformPicture(128, model);
    picture.unit = quint8(unitByte);
    const auto window = open(picture);
    QVERIFY(window);
    window->ui->label->setToolKind(ToolPoint);
    window->ui->label->m_points[0]->x = 5;
    window->ui->label->m_points[0]->y = 5;
    window->updat_Tool_Temp();

    QCOMPARE(window->ui->comboBox->currentIndex(), openedIndex);
    QCOMPARE(infoValues(*window).mid(5), opened);
    QCOMPARE(measurementRow(*window, 0).at(2), opened.at(4));

    window->ui->comboBox->setCurrentIndex(1 - openedIndex);
    QCOMPARE(infoValues(*window).mid(5), switched);
    QCOMPARE(measurementRow(*window, 0).mid(2), QStringList({ switched.at(4), switched.at(4), switched.at(4) }));
    QCOMPARE(QString::number(double(window->ui->widget->m_maxTemp), 'f', 1), switched.at(2));
}

void tst_AnalysisWidget::wrongModelFails_data()
{
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("opened");
    QTest::addColumn<quint32>("machineId");
    QTest::addColumn<bool>("ok");

    QTest::newRow("VX305 as VX305") << 0 << 0 << quint32(5) << true;
    QTest::newRow("machine ID 6") << 0 << 0 << quint32(6) << true;
    QTest::newRow("machine ID 4") << 0 << 0 << quint32(4) << false;
    QTest::newRow("machine ID 7") << 1 << 1 << quint32(7) << false;
    QTest::newRow("VX300 file opened as VX305") << 1 << 0 << quint32(5) << false;
}

void tst_AnalysisWidget::wrongModelFails()
{
    QFETCH(int, written);
    QFETCH(int, opened);
    QFETCH(quint32, machineId);
    QFETCH(bool, ok);
    PictureFixture picture = uniformPicture(100, written);
    picture.machineId = machineId;
    QVERIFY(picture.writeTo(m_file));
    Analysis_Widget window;
    QCOMPARE(window.set_Image_addr(m_file, opened), ok);
}

void tst_AnalysisWidget::cursorReadout()
{
    PictureFixture picture = uniformPicture(0);
    picture.setPixel(12, 300, 128);
    const auto window = open(picture);
    QVERIFY(window);
    window->updat_XY_Temp(12, 300);
    QCOMPARE(window->ui->label_2->text(), QString("X: 12"));
    QCOMPARE(window->ui->label_3->text(), QString("Y: 300"));
    QCOMPARE(window->ui->label_4->text(), QString("25.0°C"));
    window->updat_XY_Temp(0, 0);
    QCOMPARE(window->ui->label_4->text(), QString("20.0°C"));
}

void tst_AnalysisWidget::measurementTable()
{
    PictureFixture picture = uniformPicture(0);
    for (int x = 100; x <= 110; ++x)
        picture.setPixel(x, 50, 255); // a hot row crossed by the rectangle
    const auto window = open(picture);
    QVERIFY(window);
    MyLabel *label = window->ui->label;
    label->setToolKind(ToolRect);
    *label->m_rects[0] = RectTool { "R0", 90, 40, 120, 60, Qt::red };
    label->setToolKind(ToolPoint);
    *label->m_points[0] = PointTool { "P0", 105, 50, 9, Qt::red };
    label->setToolKind(ToolPoint); // a pending P1, which gets no row
    window->updat_Tool_Temp();

    QCOMPARE(window->ui->tableWidget->rowCount(), 2);
    QCOMPARE(measurementRow(*window, 0), QStringList({ "P0", "点", "30.0", "30.0", "30.0" }));
    const QStringList rect = measurementRow(*window, 1);
    QCOMPARE(rect.mid(0, 4), QStringList({ "R0", "矩形", "30.0", "20.0" }));
    QVERIFY(rect.at(4).toDouble() > 20.0 && rect.at(4).toDouble() < 21.0);
    QCOMPARE(window->ui->tableWidget->item(0, 2)->textAlignment(), int(Qt::AlignCenter));
}

void tst_AnalysisWidget::deletingTheOnlyTool()
{
    const auto window = open(uniformPicture(10));
    QVERIFY(window);
    MyLabel *label = window->ui->label;
    window->ui->pushButton_6->click();
    label->m_rects[0]->x1 = 10;
    label->m_rects[0]->y1 = 10;
    label->m_rects[0]->x2 = 30;
    label->m_rects[0]->y2 = 30;
    label->m_selKind = "R";
    label->m_selIndex = 0;
    window->updat_Tool_Temp();
    QCOMPARE(window->ui->tableWidget->rowCount(), 1);

    window->ui->pushButton_3->click();
    QCOMPARE(window->ui->tableWidget->rowCount(), 0);
    QCOMPARE(label->m_selKind, QString("null"));
    QCOMPARE(window->m_tool, 1);
    QCOMPARE(label->m_toolKind, 1);
}

void tst_AnalysisWidget::tableClickSelectsByLetter()
{
    const auto window = open(uniformPicture(10));
    QVERIFY(window);
    MyLabel *label = window->ui->label;
    for (int i = 0; i < 3; ++i) {
        label->setToolKind(ToolPoint);
        label->m_points[std::size_t(i)]->x = 10 * (i + 1);
        label->m_points[std::size_t(i)]->y = 10;
    }
    label->setToolKind(ToolLine);
    *label->m_lines[0] = LineTool { "L0", 1, 1, 50, 50, Qt::red };
    window->updat_Tool_Temp();
    QCOMPARE(window->ui->tableWidget->rowCount(), 4);

    window->on_tableWidget_itemClicked(window->ui->tableWidget->item(2, 3));
    QCOMPARE(label->m_selKind, QString("P"));
    QCOMPARE(label->m_selIndex, 2);
    window->on_tableWidget_itemClicked(window->ui->tableWidget->item(3, 0));
    QCOMPARE(label->m_selKind, QString("L"));
    QCOMPARE(label->m_selIndex, 0);

    window->Set_Select(3);
    QCOMPARE(window->ui->tableWidget->currentRow(), 3);
    window->Set_Select(9);
    QCOMPARE(window->m_select, 9);
}

void tst_AnalysisWidget::colourButton()
{
    const auto window = open(uniformPicture(10));
    QVERIFY(window);
    DialogAnswerer answers;
    answers.colorAnswer = QColor(0, 0, 255);
    window->ui->pushButton_4->click();
    QCOMPARE(window->ui->label->m_winColor, QColor(0, 0, 255));
    QCOMPARE(answers.asked, QStringList({ QString() }));
    answers.colorAnswer = QColor();
    window->ui->pushButton_4->click();
    QCOMPARE(window->ui->label->m_winColor, QColor(0, 0, 255));
}

void tst_AnalysisWidget::colouringFollowsTheHandles()
{
    PictureFixture picture = uniformPicture(0);
    picture.setPixel(0, 0, 200);
    picture.setPixel(1, 0, 100);
    const auto window = open(picture);
    QVERIFY(window);
    window->colorize();
    // Handles at the ends: the picture's own palette (red ramp, widened by shifting).
    QCOMPARE(QColor(window->m_colorImage.pixel(0, 0)), QColor(200 & 0xF8, 0, 0));
    QCOMPARE(QColor(window->m_colorImage.pixel(1, 0)), QColor(100 & 0xF8, 0, 0));

    // Lower handle at the middle: every grey below 127 takes entry 127.
    window->ui->widget->m_endIndex = 128;
    window->colorize();
    QCOMPARE(QColor(window->m_colorImage.pixel(1, 0)), QColor(127 & 0xF8, 0, 0));
    QCOMPARE(QColor(window->m_colorImage.pixel(2, 0)), QColor(127 & 0xF8, 0, 0));
    // Handles together: one colour.
    window->ui->widget->m_startIndex = 100;
    window->ui->widget->m_endIndex = 100;
    window->colorize();
    QCOMPARE(QColor(window->m_colorImage.pixel(0, 0)), QColor(155 & 0xF8, 0, 0));
    QCOMPARE(QColor(window->m_colorImage.pixel(2, 0)), QColor(155 & 0xF8, 0, 0));
    QCOMPARE(window->m_barPixmap.size(), QSize(30, 256));
}

void tst_AnalysisWidget::rectangleDrawnWithTheMouse()
{
    const auto window = open(uniformPicture(128));
    QVERIFY(window);
    window->resize(1100, 700);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_VERIFY(window->ui->label->m_picW > 0);

    MyLabel *label = window->ui->label;
    const LabelGeometry g = label->geometryValues();
    const auto at = [&](int x, int y) {
        const auto p = g.pictureToLabel(x, y, 0, 0);
        return QPoint(p.x, p.y);
    };
    window->ui->pushButton_6->click();
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, at(40, 60));
    QMouseEvent move(QEvent::MouseMove, at(120, 200), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(label, &move);
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, at(120, 200));

    QCOMPARE(window->ui->tableWidget->rowCount(), 1);
    QCOMPARE(measurementRow(*window, 0), QStringList({ "R0", "矩形", "25.0", "25.0", "25.0" }));
    QCOMPARE(window->ui->label_2->text(), QString("X: 120"));
    // After the gesture the rectangle tool stays active with a new pending record.
    QCOMPARE(label->m_toolKind, int(ToolRect));
    QCOMPARE(window->m_tool, int(ToolRect));
}

void tst_AnalysisWidget::draggedPointShowsItsNewPixel()
{
    PictureFixture picture = uniformPicture(0);
    // A hot patch, since the mapping to the label and back may land a pixel off.
    for (int x = 148; x <= 152; ++x)
        for (int y = 198; y <= 202; ++y)
            picture.setPixel(x, y, 255);
    const auto window = open(picture);
    QVERIFY(window);
    window->resize(1100, 700);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_VERIFY(window->ui->label->m_picW > 0);
    MyLabel *label = window->ui->label;
    const LabelGeometry g = label->geometryValues();
    const auto at = [&](int x, int y) {
        const auto p = g.pictureToLabel(x, y, 0, 0);
        return QPoint(p.x, p.y);
    };
    window->ui->pushButton_8->click();
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, at(50, 60));
    QCOMPARE(measurementRow(*window, 0), QStringList({ "P0", "点", "20.0", "20.0", "20.0" }));

    window->ui->pushButton_9->click();
    // The point's box is centred two pixels up and left of it.
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, at(48, 58));
    QMouseEvent move(QEvent::MouseMove, at(150, 200), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(label, &move);
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, at(150, 200));
    QCOMPARE(measurementRow(*window, 0), QStringList({ "P0", "点", "30.0", "30.0", "30.0" }));
    QCOMPARE(window->ui->tableWidget->currentRow(), 0);
}

QTEST_MAIN(tst_AnalysisWidget)
#include "tst_analysiswidget.moc"
