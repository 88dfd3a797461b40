#include "analysis/analysis_widget.h"
#include "picturefixture.h"
#include "testsupport.h"
#include "ui_analysis_widget.h"

#include <memory>

namespace {

// The cells of a table from a column on, row by row.
QString cells(const QTableWidget *table, int column = 0)
{
    QStringList text;
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = column; c < table->columnCount(); ++c)
            text << table->item(r, c)->text();
    return text.join(' ');
}

} // namespace

class tst_AnalysisWidget : public QObject
{
    Q_OBJECT

private slots:
    void information_follows_the_unit()
    {
        // A VX300 file stored in Celsius opens in °F; it is larger than the read limit. Grey 255
        // lies above the span, hotter than the maximum.
        PictureFixture picture;
        picture.model = PictureFixture::VX300;
        picture.fillGrey(128);
        picture.setPixel(12, 300, 255);
        picture.unit = 1;
        picture.tail = QByteArray(2100000, '\0');
        const auto window = open(picture);
        QVERIFY(window);
        MyLabel *label = window->ui->label;
        label->setToolKind(ToolPoint);
        *label->m_points[0] = PointTool {"P0", 5, 5, 9, Qt::red};
        window->updat_Tool_Temp();
        // The information, the scale's maximum, the cursor on the hot pixel and the point's row.
        const auto texts = [&] {
            window->updat_XY_Temp(12, 300);
            const QString time = ' ' + window->ui->tableWidget_2->item(2, 1)->text();
            return QStringList({cells(window->ui->tableWidget_2, 1).remove(time),
                QString::number(double(window->ui->widget->m_maxTemp), 'f', 1),
                window->ui->label_4->text(), cells(window->ui->tableWidget, 2)});
        };
        // The centre -1.8, the limits 30.7 and -5.3, the mean and the map values, in °F, then °C.
        const double mean = (76799 * picture.degrees(128) + picture.degrees(255)) / 76800;
        for (const bool f : {true, false}) {
            window->ui->comboBox->setCurrentIndex(f);
            const QString unit = f ? "°F" : "°C", grey = shown(picture.degrees(128), f);
            QCOMPARE(texts(),
                QStringList({"IMG 0001.v2.bmp 1953.1 KB 0.95 240×320 " + unit + ' ' + shown(-1.8, f)
                        + ' ' + shown(30.7, f) + ' ' + shown(-5.3, f) + ' ' + shown(mean, f),
                    shown(30.7, f), shown(picture.degrees(255), f) + unit,
                    grey + ' ' + grey + ' ' + grey}));
        }
    }
    void colours_tools_and_table()
    {
        PictureFixture picture;
        for (int x = 100; x <= 110; ++x)
            picture.setPixel(x, 50, 255); // a hot row crossed by the rectangle
        picture.setPixel(0, 0, 200);
        picture.setPixel(1, 0, 100);
        const auto window = open(picture);
        QVERIFY(window);
        // The picture is coloured through the handles of the scale, and again when either moves:
        // the reds of the greys 200, 100 and 0 in a ramp of 5-bit steps.
        QString reds;
        const auto colour = [&] {
            window->colorize();
            for (int x = 0; x < 3; ++x)
                reds += QString::number(qRed(window->m_colorImage.pixel(x, 0))) + ' ';
        };
        colour();
        window->ui->widget->m_startIndex = 100; // greys above 155 take entry 155
        colour();
        window->ui->widget->m_endIndex = 128; // greys below 127 take entry 127
        colour();
        QCOMPARE(reds, QString("200 96 0 152 96 0 152 120 120 "));

        MyLabel *label = window->ui->label;
        label->setToolKind(ToolPoint);
        *label->m_points[0] = PointTool {"P0", 105, 50, 9, Qt::red};
        label->setToolKind(ToolLine);
        *label->m_lines[0] = LineTool {"L0", 1, 1, 50, 40, Qt::red};
        label->setToolKind(ToolRect);
        *label->m_rects[0] = RectTool {"R0", 90, 40, 120, 60, Qt::red};
        label->setToolKind(ToolPoint); // a pending P1, which gets no row
        window->updat_Tool_Temp();
        QTableWidget *table = window->ui->tableWidget;
        // Greys 255 and 0 lie beyond the span 20-230 on either side; 11 of the rectangle's 651 hot.
        const QString hot = shown(picture.degrees(255)), cold = shown(picture.degrees(0));
        const QString row = "P0 点 %1 %1 %1 L0 线 %2 %2 %2";
        QCOMPARE(cells(table),
            QString(row + " R0 矩形 %1 %2 %3")
                .arg(hot, cold,
                    shown((11 * picture.degrees(255) + 640 * picture.degrees(0)) / 651)));
        QCOMPARE(table->item(2, 4)->textAlignment(), int(Qt::AlignCenter));
        // A row selects its tool by the letter of its name and the rows above with that letter;
        // deleting it ends in the cursor tool.
        window->on_tableWidget_itemClicked(table->item(2, 3));
        window->ui->pushButton_3->click();
        QCOMPARE(QString("%1 %2 %3").arg(cells(table)).arg(window->m_tool).arg(label->m_toolKind),
            QString(row + " 1 1").arg(hot, cold));

        // The colour button sets the colour of the next tools; a cancelled dialog keeps it.
        DialogAnswerer answers;
        answers.colorAnswer = QColor(0, 0, 255);
        window->ui->pushButton_4->click();
        answers.colorAnswer = QColor();
        window->ui->pushButton_4->click();
        label->setToolKind(ToolCircle);
        QCOMPARE(label->m_circles.at(0)->color, QColor(0, 0, 255));
        window->ui->pushButton_2->click();
        QCOMPARE(table->rowCount(), 0);
    }
    void tools_drawn_and_picked_with_the_mouse()
    {
        PictureFixture picture;
        // A hot patch, since the mapping to the label and back may land a pixel off.
        for (int i = 0; i < 25; ++i)
            picture.setPixel(148 + i % 5, 198 + i / 5, 255);
        const auto window = open(picture, true);
        QVERIFY(window);
        MyLabel *label = window->ui->label;
        QTableWidget *table = window->ui->tableWidget;
        QTRY_VERIFY(label->m_picW > 0);
        const auto at = [&](int x, int y) {
            const auto p = label->geometryValues().pictureToLabel(x, y, 0, 0);
            return QPoint(p.x, p.y);
        };
        const auto drag = [&](QPoint from, QPoint to) {
            QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, from);
            QMouseEvent move(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(label, &move);
            QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, to);
        };
        window->ui->pushButton_8->click();
        drag(at(50, 60), at(50, 60)); // a click
        window->ui->pushButton_7->click();
        drag(at(200, 300), at(200, 300)); // a click: no line
        window->ui->pushButton_6->click();
        drag(at(49, 20), at(120, 100));
        // After a gesture its tool stays active with a new pending record, its button focused and
        // so tinted rgba(85, 170, 255, 150) over white.
        QTRY_COMPARE(
            window->ui->pushButton_6->grab().toImage().pixelColor(1, 1), QColor(155, 205, 255));
        // Another under the mouse: a black frame round rgba(85, 170, 255, 95) over white.
        QTest::mouseMove(window->ui->pushButton_7);
        const QImage hovered = window->ui->pushButton_7->grab().toImage();
        QCOMPARE(QList<QColor>({hovered.pixelColor(0, 0), hovered.pixelColor(1, 1)}),
            QList<QColor>({Qt::black, QColor(192, 223, 255)}));
        const QString cold = shown(picture.degrees(0)); // below the grey span
        QCOMPARE(cells(table), QString("P0 点 %1 %1 %1 R0 矩形 %1 %1 %1").arg(cold));
        const RectTool placed = *label->m_rects[0];
        QVERIFY(QLineF(placed.x2, placed.y2, 120, 100).length() < 2); // a pixel off at most

        window->ui->pushButton_9->click();
        // (50, 58) is in the point's box, centred two pixels up and left of it, and inside the
        // rectangle: the rectangle, found later, is selected.
        drag(at(50, 58), at(50, 58));
        QCOMPARE(table->currentRow(), 1);
        drag(at(46, 58), at(150, 200)); // the point alone
        QCOMPARE(table->currentRow(), 0);
        QCOMPARE(window->ui->label_2->text() + ' ' + table->item(0, 4)->text(),
            "X: 150 " + shown(picture.degrees(255)));
        drag(at(100, 90), at(10, 10)); // the rectangle alone, which does not move
        const RectTool &after = *label->m_rects[0];
        QCOMPARE(QLine(after.x1, after.y1, after.x2, after.y2),
            QLine(placed.x1, placed.y1, placed.x2, placed.y2));
        drag(at(230, 310), at(230, 310));
        // The readout follows the mouse with no button held.
        QMouseEvent hover(
            QEvent::MouseMove, at(20, 30), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &hover);
        QCOMPARE(label->m_selKind + ' ' + window->ui->label_2->text(), QString("null X: 20"));
    }

private:
    // The palette is made a pure red ramp.
    std::unique_ptr<Analysis_Widget> open(PictureFixture picture, bool shown = false)
    {
        for (int k = 0; k < 256; ++k)
            picture.palette[std::size_t(k)] = quint16((k & 0xF8) << 8);
        auto window = std::make_unique<Analysis_Widget>();
        if (!picture.writeTo(m_file) || !window->set_Image_addr(m_file, picture.model))
            return nullptr;
        window->resize(1100, 700);
        window->setVisible(shown);
        return !shown || QTest::qWaitForWindowExposed(window.get()) ? std::move(window) : nullptr;
    }

    const TemporaryHome m_home;
    const QString m_file = m_home.path() + "/IMG 0001.v2.bmp";
};

QTEST_MAIN(tst_AnalysisWidget)
#include "tst_analysiswidget.moc"
