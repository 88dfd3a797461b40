#include "analysis/colormap.h"
#include "overlay/my_colorslider.h"
#include "ui_my_colorslider.h"

#include <QLabel>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

using namespace ColorScale;

namespace {

// Every entry different: entry i is (i, 255 - i, i / 2).
Radiometric::Palette rampPalette()
{
    Radiometric::Palette palette;
    for (int i = 0; i < 256; ++i)
        palette[std::size_t(i)] = {quint8(i), quint8(255 - i), quint8(i / 2)};
    return palette;
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &pos)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons
        = type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// A slider placed by hand in a host without layout, so any height can be given to it.
struct Placed
{
    QWidget host;
    My_ColorSlider *slider = nullptr;

    explicit Placed(int height)
    {
        host.resize(200, 1100);
        slider = new My_ColorSlider(&host);
        slider->setGeometry(0, 0, 120, height);
    }
    [[nodiscard]] bool show()
    {
        host.show();
        return QTest::qWaitForWindowExposed(&host);
    }
    void paint() { (void)slider->grab(); }
    void setHeight(int height) { slider->setGeometry(0, 0, 120, height); }

    // Press beside a tip, move through the heights, release; paints afterwards, as the
    // analysis window's repaint does.
    void drag(QPoint tip, const QVector<int> &ys)
    {
        const int x = tip.x() + 5;
        sendMouse(slider, QEvent::MouseButtonPress, QPoint(x, tip.y()));
        for (const int y : ys)
            sendMouse(slider, QEvent::MouseMove, QPoint(x, y));
        sendMouse(
            slider, QEvent::MouseButtonRelease, QPoint(x, ys.isEmpty() ? tip.y() : ys.last()));
        paint();
    }
};

} // namespace

class tst_ColorSlider : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void form();
    void tip_for_index_data();
    void tip_for_index();
    void index_for_tip_data();
    void index_for_tip();
    void hit_box_data();
    void hit_box();
    void unset_tip_is_never_hit();
    void dragged_tip_data();
    void dragged_tip();
    void scale_values_data();
    void scale_values();
    void labels_for_40_and_20();
    void first_paint_places_the_tips_data();
    void first_paint_places_the_tips();
    void press_selects_a_handle_data();
    void press_selects_a_handle();
    void press_on_both_handles_selects_the_end();
    void drag_reports_each_move();
    void clamped_drags_data();
    void clamped_drags();
    void handles_never_cross();
    void press_beside_the_handles_keeps_the_indices();
    void untouched_handle_keeps_its_index();
    void resize_keeps_the_indices_data();
    void resize_keeps_the_indices();
    void tiny_widget_data();
    void tiny_widget();
    void handles_filled_from_the_palette();
    void repaint_keeps_the_shown_bar();
};

void tst_ColorSlider::construction()
{
    const My_ColorSlider slider;
    QCOMPARE(slider.m_startIndex, 0);
    QCOMPARE(slider.m_endIndex, 255);
    QCOMPARE(slider.m_startTip, QPoint(-1, -1));
    QCOMPARE(slider.m_endTip, QPoint(-1, -1));
    QCOMPARE(slider.m_activeHandle, -1);
    QVERIFY(!slider.m_dragMoved);
}

void tst_ColorSlider::form()
{
    const My_ColorSlider slider;
    QCOMPARE(slider.windowTitle(), QStringLiteral("VX305"));
    QCOMPARE(slider.minimumSize(), QSize(120, 0));
    QCOMPARE(slider.maximumSize(), QSize(120, 16777215));
    QCOMPARE(slider.ui->label->minimumWidth(), 35);
    QCOMPARE(slider.ui->label->maximumWidth(), 40);
    QCOMPARE(slider.ui->label->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
    QCOMPARE(slider.ui->label->sizePolicy().verticalPolicy(), QSizePolicy::Ignored);

    int values = 0;
    int ticks = 0;
    const QRegularExpression numbered(QStringLiteral("^label_(\\d+)$"));
    const QList<QLabel *> labels = slider.findChildren<QLabel *>();
    for (const QLabel *label : labels) {
        const QRegularExpressionMatch m = numbered.match(label->objectName());
        if (!m.hasMatch())
            continue;
        const int n = m.captured(1).toInt();
        if (n >= 2 && n <= 12) {
            ++values;
            QCOMPARE(label->text(), QStringLiteral("00.0"));
            QCOMPARE(label->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        } else if (n >= 13 && n <= 67) {
            ++ticks;
            QCOMPARE(label->text(), QStringLiteral("-"));
            QCOMPARE(label->font().pointSize(), 6);
        }
    }
    QCOMPARE(values, 11);
    QCOMPARE(ticks, 51);
}

void tst_ColorSlider::tip_for_index_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("y");

    QTest::newRow("U 0 at the top stop") << 0 << 276 << 10;
    QTest::newRow("L 255 at the bottom stop") << 255 << 276 << 266;
    // 128 * 256 / 255 = 128.50, + 10.5 = 139.002.
    QTest::newRow("128 of 256 pixels") << 128 << 276 << 139;
    // 500 / 255 = 1.96, + 10.5 = 12.46.
    QTest::newRow("1 of 500 pixels") << 1 << 520 << 12;
    // 63 500 / 255 = 249.02, + 10.5 = 259.52.
    QTest::newRow("127 of 500 pixels") << 127 << 520 << 259;
    QTest::newRow("255 at height 21: one pixel") << 255 << 21 << 11;
    QTest::newRow("255 at height 20: no span") << 255 << 20 << 10;
    QTest::newRow("255 at height 5") << 255 << 5 << 10;
}

void tst_ColorSlider::tip_for_index()
{
    QFETCH(int, index);
    QFETCH(int, height);
    QFETCH(int, y);

    QCOMPARE(tipYForIndex(index, height), y);
}

void tst_ColorSlider::index_for_tip_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("index"); // -1: no index

    QTest::newRow("top stop") << 10 << 276 << 0;
    QTest::newRow("bottom stop") << 266 << 276 << 255;
    // 128 * 255 / 256 = 127.5, + 0.5 = 128.0.
    QTest::newRow("y 138 of 256 pixels") << 138 << 276 << 128;
    // 127 * 255 / 256 = 126.50, + 0.5 = 127.004.
    QTest::newRow("y 137 of 256 pixels") << 137 << 276 << 127;
    QTest::newRow("above the top stop gives 0") << 2 << 276 << 0;
    QTest::newRow("below the bottom stop gives 255") << 300 << 276 << 255;
    QTest::newRow("height 21, y 11") << 11 << 21 << 255;
    QTest::newRow("height 21, y 10") << 10 << 21 << 0;
    QTest::newRow("height 20: no span") << 10 << 20 << -1;
    QTest::newRow("height 0") << 10 << 0 << -1;
}

void tst_ColorSlider::index_for_tip()
{
    QFETCH(int, y);
    QFETCH(int, height);
    QFETCH(int, index);

    QCOMPARE(indexForTipY(y, height), index < 0 ? std::optional<int>() : std::optional<int>(index));
}

void tst_ColorSlider::hit_box_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<bool>("hit");

    // Tip at (80, 100).
    QTest::newRow("px = tip.x") << QPoint(80, 100) << false;
    QTest::newRow("px = tip.x + 1") << QPoint(81, 100) << true;
    QTest::newRow("px = tip.x + 14") << QPoint(94, 100) << true;
    QTest::newRow("px = tip.x + 15") << QPoint(95, 100) << false;
    QTest::newRow("left of the tip, on the bar") << QPoint(70, 100) << false;
    QTest::newRow("14 above") << QPoint(90, 86) << true;
    QTest::newRow("15 above") << QPoint(90, 85) << false;
    QTest::newRow("14 below") << QPoint(90, 114) << true;
    QTest::newRow("15 below") << QPoint(90, 115) << false;
}

void tst_ColorSlider::hit_box()
{
    QFETCH(QPoint, press);
    QFETCH(bool, hit);

    QCOMPARE(hitsHandle(QPoint(80, 100), press), hit);
}

void tst_ColorSlider::unset_tip_is_never_hit()
{
    // Before the first paint the tips are (-1, -1); a press near the corner is no handle.
    QVERIFY(!hitsHandle(QPoint(-1, -1), QPoint(5, 5)));

    My_ColorSlider slider;
    sendMouse(&slider, QEvent::MouseButtonPress, QPoint(5, 5));
    QCOMPARE(slider.m_activeHandle, -1);
}

void tst_ColorSlider::dragged_tip_data()
{
    QTest::addColumn<int>("handle");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("startY");
    QTest::addColumn<int>("endY");
    QTest::addColumn<int>("newY");

    QTest::newRow("start within the span") << 1 << 50 << 300 << 10 << 290 << 50;
    QTest::newRow("start above the top stop stops at 10") << 1 << 3 << 300 << 50 << 290 << 10;
    QTest::newRow("start past the end handle stops at it") << 1 << 280 << 300 << 10 << 200 << 200;
    QTest::newRow("end within the span") << 2 << 250 << 300 << 10 << 290 << 250;
    QTest::newRow("end below the bottom stop stops at H - 10")
        << 2 << 400 << 300 << 10 << 290 << 290;
    QTest::newRow("end past the start handle stops at it") << 2 << 20 << 300 << 100 << 290 << 100;
    QTest::newRow("start in a 15-pixel widget stays") << 1 << 12 << 15 << 7 << 12 << 7;
    QTest::newRow("end in a 20-pixel widget stays") << 2 << 10 << 20 << 10 << 12 << 12;
}

void tst_ColorSlider::dragged_tip()
{
    QFETCH(int, handle);
    QFETCH(int, y);
    QFETCH(int, height);
    QFETCH(int, startY);
    QFETCH(int, endY);
    QFETCH(int, newY);

    const int result = handle == 1 ? draggedStartY(y, height, startY, endY)
                                   : draggedEndY(y, height, startY, endY);
    QCOMPARE(result, newY);
}

void tst_ColorSlider::scale_values_data()
{
    QTest::addColumn<float>("maxTemp");
    QTest::addColumn<float>("minTemp");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("40.0 to 20.0") << 40.0f << 20.0f
                                  << QStringList {"40.0", "38.0", "36.0", "34.0", "32.0", "30.0",
                                         "28.0", "26.0", "24.0", "22.0", "20.0"};
    QTest::newRow("35.0 to 20.0") << 35.0f << 20.0f
                                  << QStringList {"35.0", "33.5", "32.0", "30.5", "29.0", "27.5",
                                         "26.0", "24.5", "23.0", "21.5", "20.0"};
    QTest::newRow("10.0 to -10.0") << 10.0f << -10.0f
                                   << QStringList {"10.0", "8.0", "6.0", "4.0", "2.0", "0.0",
                                          "-2.0", "-4.0", "-6.0", "-8.0", "-10.0"};
    QTest::newRow("a flat picture")
        << 25.0f << 25.0f << QStringList(QVector<QString>(11, QStringLiteral("25.0")).toList());
}

void tst_ColorSlider::scale_values()
{
    QFETCH(float, maxTemp);
    QFETCH(float, minTemp);
    QFETCH(QStringList, texts);

    QStringList shown;
    for (const float v : scaleValues(maxTemp, minTemp))
        shown << scaleText(v);
    QCOMPARE(shown, texts);
}

void tst_ColorSlider::labels_for_40_and_20()
{
    My_ColorSlider slider;
    slider.m_maxTemp = 40.0f;
    slider.m_minTemp = 20.0f;
    slider.updateScaleLabels();

    const QList<QLabel *> column {slider.ui->label_2, slider.ui->label_3, slider.ui->label_4,
        slider.ui->label_5, slider.ui->label_6, slider.ui->label_7, slider.ui->label_8,
        slider.ui->label_9, slider.ui->label_10, slider.ui->label_11, slider.ui->label_12};
    QStringList shown;
    for (const QLabel *label : column)
        shown << label->text();
    QCOMPARE(shown,
        QStringList({"40.0", "38.0", "36.0", "34.0", "32.0", "30.0", "28.0", "26.0", "24.0", "22.0",
            "20.0"}));
}

void tst_ColorSlider::first_paint_places_the_tips_data()
{
    QTest::addColumn<int>("height");

    QTest::newRow("276 pixels") << 276;
    QTest::newRow("400 pixels") << 400;
    QTest::newRow("517 pixels") << 517;
}

void tst_ColorSlider::first_paint_places_the_tips()
{
    QFETCH(int, height);

    Placed placed(height);
    QVERIFY(placed.show());
    placed.paint();
    const My_ColorSlider &s = *placed.slider;
    const QRect bar = s.ui->label->geometry();
    QVERIFY(bar.width() >= 35 && bar.width() <= 40);
    QCOMPARE(s.m_startTip, QPoint(bar.x() + bar.width(), 10));
    QCOMPARE(s.m_endTip, QPoint(bar.x() + bar.width(), height - 10));
}

void tst_ColorSlider::press_selects_a_handle_data()
{
    QTest::addColumn<QPoint>("offset"); // from the start tip
    QTest::addColumn<int>("handle");

    QTest::newRow("start tip itself") << QPoint(0, 0) << -1;
    QTest::newRow("start, x + 14") << QPoint(14, 0) << 1;
    QTest::newRow("start, x + 15") << QPoint(15, 0) << -1;
    QTest::newRow("start, 14 below") << QPoint(7, 14) << 1;
    QTest::newRow("between the handles") << QPoint(7, 100) << -1;
    QTest::newRow("end, x + 1") << QPoint(1, 256) << 2;
    QTest::newRow("end, 14 above") << QPoint(1, 242) << 2;
}

void tst_ColorSlider::press_selects_a_handle()
{
    QFETCH(QPoint, offset);
    QFETCH(int, handle);

    Placed placed(276);
    QVERIFY(placed.show());
    placed.paint();
    sendMouse(placed.slider, QEvent::MouseButtonPress, placed.slider->m_startTip + offset);
    QCOMPARE(placed.slider->m_activeHandle, handle);
}

void tst_ColorSlider::press_on_both_handles_selects_the_end()
{
    Placed placed(276);
    placed.slider->m_startIndex = 100;
    placed.slider->m_endIndex = 101;
    QVERIFY(placed.show());
    placed.paint();
    QCOMPARE(placed.slider->m_endTip.y() - placed.slider->m_startTip.y(), 1);

    sendMouse(placed.slider, QEvent::MouseButtonPress, placed.slider->m_startTip + QPoint(5, 0));
    QCOMPARE(placed.slider->m_activeHandle, 2);
}

void tst_ColorSlider::drag_reports_each_move()
{
    Placed placed(276);
    QVERIFY(placed.show());
    placed.paint();
    My_ColorSlider *s = placed.slider;
    QSignalSpy spy(s, &My_ColorSlider::indicesChanged);
    const int x = s->m_startTip.x() + 5;

    sendMouse(s, QEvent::MouseButtonPress, QPoint(x, 10));
    sendMouse(s, QEvent::MouseMove, QPoint(x, 138));
    QCOMPARE(s->m_startTip.y(), 138);
    QCOMPARE(s->m_startIndex, 128);
    QVERIFY(s->m_dragMoved);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0), QVariantList({128, 255}));

    sendMouse(s, QEvent::MouseMove, QPoint(x, 137));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1), QVariantList({127, 255}));

    // A move that keeps the index reports nothing.
    sendMouse(s, QEvent::MouseMove, QPoint(x + 1, 137));
    QCOMPARE(spy.count(), 2);

    sendMouse(s, QEvent::MouseButtonRelease, QPoint(x, 137));
    QVERIFY(!s->m_dragMoved);
    QCOMPARE(s->m_activeHandle, 1);
    QCOMPARE(s->m_startIndex, 127);
}

void tst_ColorSlider::clamped_drags_data()
{
    QTest::addColumn<int>("handle");
    QTest::addColumn<QVector<int>>("path");
    QTest::addColumn<int>("tipY");
    QTest::addColumn<int>("index");

    // Height 276: the handles move between 10 and 266.
    QTest::newRow("start flung above the top reaches index 0")
        << 1 << QVector<int> {100, -40} << 10 << 0;
    QTest::newRow("start flung past the end handle meets it")
        << 1 << QVector<int> {100, 400} << 266 << 255;
    QTest::newRow("end flung below the bottom reaches index 255")
        << 2 << QVector<int> {200, 500} << 266 << 255;
    QTest::newRow("end flung past the start handle meets it")
        << 2 << QVector<int> {200, 0} << 10 << 0;
    QTest::newRow("end stopped one pixel inside the span") << 2 << QVector<int> {265} << 265 << 254;
}

void tst_ColorSlider::clamped_drags()
{
    QFETCH(int, handle);
    QFETCH(QVector<int>, path);
    QFETCH(int, tipY);
    QFETCH(int, index);

    Placed placed(276);
    QVERIFY(placed.show());
    placed.paint();
    My_ColorSlider *s = placed.slider;
    const QPoint tip = handle == 1 ? s->m_startTip : s->m_endTip;
    const int x = tip.x() + 5;
    sendMouse(s, QEvent::MouseButtonPress, QPoint(x, tip.y()));
    for (const int y : qAsConst(path))
        sendMouse(s, QEvent::MouseMove, QPoint(x, y));

    QCOMPARE(handle == 1 ? s->m_startTip.y() : s->m_endTip.y(), tipY);
    QCOMPARE(handle == 1 ? s->m_startIndex : s->m_endIndex, index);
    QVERIFY(s->m_startIndex <= s->m_endIndex);
}

void tst_ColorSlider::handles_never_cross()
{
    Placed placed(276);
    QVERIFY(placed.show());
    placed.paint();
    My_ColorSlider *s = placed.slider;

    placed.drag(s->m_endTip, {150});
    const int endIndex = s->m_endIndex;
    placed.drag(s->m_startTip, {100, 200, 250});
    QCOMPARE(s->m_startIndex, endIndex);
    QCOMPARE(s->m_startTip.y(), s->m_endTip.y());

    // Now both tips coincide and a press takes the end handle, which cannot go above the start.
    placed.drag(s->m_endTip, {20});
    QCOMPARE(s->m_endIndex, endIndex);
    QCOMPARE(s->m_startIndex, endIndex);
}

void tst_ColorSlider::press_beside_the_handles_keeps_the_indices()
{
    // 180 pixels for 256 indices: index 2 sits at y 11, which reads back as index 1.
    QCOMPARE(indexForTipY(tipYForIndex(2, 200), 200), std::optional<int>(1));

    Placed placed(200);
    placed.slider->m_startIndex = 2;
    placed.slider->m_endIndex = 200;
    QVERIFY(placed.show());
    placed.paint();
    My_ColorSlider *s = placed.slider;
    QSignalSpy spy(s, &My_ColorSlider::indicesChanged);

    sendMouse(s, QEvent::MouseButtonPress, QPoint(5, 100));
    QCOMPARE(s->m_activeHandle, -1);
    sendMouse(s, QEvent::MouseMove, QPoint(5, 150));
    sendMouse(s, QEvent::MouseButtonRelease, QPoint(5, 150));
    QCOMPARE(s->m_startIndex, 2);
    QCOMPARE(s->m_endIndex, 200);
    QCOMPARE(spy.count(), 0);
}

void tst_ColorSlider::untouched_handle_keeps_its_index()
{
    Placed placed(200);
    placed.slider->m_startIndex = 2;
    QVERIFY(placed.show());
    placed.paint();
    My_ColorSlider *s = placed.slider;

    placed.drag(s->m_endTip, {150});
    QCOMPARE(s->m_endIndex, *indexForTipY(150, 200));
    QCOMPARE(s->m_startIndex, 2);
}

void tst_ColorSlider::resize_keeps_the_indices_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");

    QTest::newRow("276 to 520") << 276 << 520;
    QTest::newRow("520 to 276") << 520 << 276;
    QTest::newRow("300 to 1000") << 300 << 1000;
}

void tst_ColorSlider::resize_keeps_the_indices()
{
    QFETCH(int, from);
    QFETCH(int, to);

    Placed placed(from);
    QVERIFY(placed.show());
    placed.paint();
    My_ColorSlider *s = placed.slider;
    placed.drag(s->m_startTip, {100});
    placed.drag(s->m_endTip, {from - 60});
    const int startIndex = s->m_startIndex;
    const int endIndex = s->m_endIndex;
    const int x = s->m_startTip.x();
    QVERIFY(startIndex > 0 && endIndex < 255);

    placed.setHeight(to);
    placed.paint();
    QCOMPARE(s->m_startIndex, startIndex);
    QCOMPARE(s->m_endIndex, endIndex);
    QCOMPARE(s->m_startTip, QPoint(x, tipYForIndex(startIndex, to)));
    QCOMPARE(s->m_endTip, QPoint(x, tipYForIndex(endIndex, to)));
}

void tst_ColorSlider::tiny_widget_data()
{
    QTest::addColumn<int>("height");

    QTest::newRow("20 pixels: no span") << 20;
    QTest::newRow("15 pixels: negative span") << 15;
    QTest::newRow("1 pixel") << 1;
    QTest::newRow("0 pixels: never painted") << 0;
}

void tst_ColorSlider::tiny_widget()
{
    QFETCH(int, height);

    Placed placed(height);
    placed.slider->m_scalePalette = rampPalette();
    QVERIFY(placed.show());
    placed.paint();
    My_ColorSlider *s = placed.slider;
    QSignalSpy spy(s, &My_ColorSlider::indicesChanged);

    const QPoint at = s->m_startTip.x() < 0 ? QPoint(80, 5) : s->m_startTip + QPoint(5, 0);
    sendMouse(s, QEvent::MouseButtonPress, at);
    for (const int y : {3, 10, 15, 50})
        sendMouse(s, QEvent::MouseMove, QPoint(at.x(), y));
    sendMouse(s, QEvent::MouseButtonRelease, QPoint(at.x(), 50));
    placed.paint();
    QCOMPARE(s->m_startIndex, 0);
    QCOMPARE(s->m_endIndex, 255);
    QCOMPARE(spy.count(), 0);

    // Grown again, the handles stand at their indices.
    placed.setHeight(300);
    placed.paint();
    QCOMPARE(s->m_startTip.y(), 10);
    QCOMPARE(s->m_endTip.y(), 290);
}

void tst_ColorSlider::handles_filled_from_the_palette()
{
    Placed placed(400);
    My_ColorSlider *s = placed.slider;
    s->m_scalePalette = rampPalette();
    s->m_startIndex = 40;
    s->m_endIndex = 200;
    QVERIFY(placed.show());

    const QImage image = s->grab().toImage();
    QCOMPARE(s->m_startTip.y(), tipYForIndex(40, 400));
    QCOMPARE(QColor(image.pixel(s->m_startTip + QPoint(10, 0))), QColor(40, 215, 20));
    QCOMPARE(QColor(image.pixel(s->m_endTip + QPoint(10, 0))), QColor(200, 55, 100));
}

void tst_ColorSlider::repaint_keeps_the_shown_bar()
{
    Placed placed(400);
    My_ColorSlider *s = placed.slider;
    const QPixmap bar = QPixmap::fromImage(ColorMap::colorBar(rampPalette()));
    s->setBarPixmap(bar);
    QVERIFY(placed.show());
    placed.paint();

    const QPixmap shown = s->ui->label->pixmap(Qt::ReturnByValue);
    QCOMPARE(shown.size(), bar.size().scaled(s->size(), Qt::KeepAspectRatio));
    placed.paint();
    placed.paint();
    // Setting a new pixmap on every paint would repaint the label, and so this widget, forever.
    QCOMPARE(s->ui->label->pixmap(Qt::ReturnByValue).cacheKey(), shown.cacheKey());

    placed.setHeight(600);
    placed.paint();
    QCOMPARE(s->ui->label->pixmap(Qt::ReturnByValue).size(),
        bar.size().scaled(QSize(120, 600), Qt::KeepAspectRatio));
}

QTEST_MAIN(tst_ColorSlider)
#include "tst_colorslider.moc"
