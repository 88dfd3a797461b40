#include "analysis/colormap.h"
#include "overlay/my_colorslider.h"
#include "ui_my_colorslider.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

using namespace ColorScale;
using Ys = QVector<int>; // heights a drag moves through

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

    explicit Placed(int height, int startIndex = 0, int endIndex = 255)
    {
        host.resize(200, 1100);
        slider = new My_ColorSlider(&host);
        slider->setGeometry(0, 0, 120, height);
        slider->m_startIndex = startIndex;
        slider->m_endIndex = endIndex;
    }
    // Shows and paints once.
    [[nodiscard]] bool show()
    {
        host.show();
        const bool exposed = QTest::qWaitForWindowExposed(&host);
        paint();
        return exposed;
    }
    void paint() { (void)slider->grab(); }
    void setHeight(int h) { slider->setGeometry(0, 0, 120, h), paint(); }
    // Press beside a tip and move through the heights; then, unless held, release and paint
    // as the analysis window's repaint does.
    void drag(QPoint tip, const Ys &ys, bool hold = false)
    {
        const int x = tip.x() + 5;
        sendMouse(slider, QEvent::MouseButtonPress, QPoint(x, tip.y()));
        for (const int y : ys)
            sendMouse(slider, QEvent::MouseMove, QPoint(x, y));
        if (hold)
            return;
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
    void tips_and_indices_data();
    void tips_and_indices();
    void press_before_first_paint();
    void scale_labels_data();
    void scale_labels();
    void press_selects_a_handle_data();
    void press_selects_a_handle();
    void drag_reports_each_move();
    void drag_beyond_limits_keeps_last_position_data();
    void drag_beyond_limits_keeps_last_position();
    void handles_never_cross();
    void untouched_handle_keeps_its_index();
    void first_paint_and_resize_data();
    void first_paint_and_resize();
    void tiny_widget_data();
    void tiny_widget();
    void painting();
};

void tst_ColorSlider::tips_and_indices_data()
{
    QTest::addColumn<int>("index"); // -1: only y is read back
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("readBack"); // -1: no index
    QTest::newRow("0 at the top stop") << 0 << 276 << 10 << 0;
    QTest::newRow("255 at the bottom stop") << 255 << 276 << 266 << 255;
    // 128 * 256 / 255 = 128.50, + 10.5 = 139.002.
    QTest::newRow("128 of 256 pixels") << 128 << 276 << 139 << 128;
    // 500 / 255 = 1.96, + 10.5 = 12.46.
    QTest::newRow("1 of 500 pixels") << 1 << 520 << 12 << 1;
    // 63 500 / 255 = 249.02, + 10.5 = 259.52.
    QTest::newRow("127 of 500 pixels") << 127 << 520 << 259 << 127;
    // 360 / 255 = 1.41, + 10.5 = 11.91; back 255 / 180 = 1.42, + 0.5 = 1.92.
    QTest::newRow("2 of 180 pixels reads back as 1") << 2 << 200 << 11 << 1;
    QTest::newRow("0 at height 21") << 0 << 21 << 10 << 0;
    QTest::newRow("255 at height 21: one pixel") << 255 << 21 << 11 << 255;
    QTest::newRow("255 at height 20: no span") << 255 << 20 << 10 << -1;
    QTest::newRow("255 at height 5") << 255 << 5 << 10 << -1;
    // 128 * 255 / 256 = 127.5, + 0.5 = 128.0.
    QTest::newRow("y 138 of 256 pixels") << -1 << 276 << 138 << 128;
    // 127 * 255 / 256 = 126.50, + 0.5 = 127.004.
    QTest::newRow("y 137 of 256 pixels") << -1 << 276 << 137 << 127;
    QTest::newRow("above the top stop gives 0") << -1 << 276 << 2 << 0;
    QTest::newRow("below the bottom stop gives 255") << -1 << 276 << 300 << 255;
    QTest::newRow("height 0") << -1 << 0 << 10 << -1;
}

void tst_ColorSlider::tips_and_indices()
{
    QFETCH(int, index);
    QFETCH(int, height);
    QFETCH(int, y);
    QFETCH(int, readBack);
    if (index >= 0)
        QCOMPARE(tipYForIndex(index, height), y);
    QCOMPARE(indexForTipY(y, height), readBack < 0 ? std::nullopt : std::optional<int>(readBack));
}

void tst_ColorSlider::press_before_first_paint()
{
    // The tips are still (-1, -1): a press near the corner is no handle.
    QVERIFY(!hitsHandle(QPoint(-1, -1), QPoint(5, 5)));
    My_ColorSlider slider;
    sendMouse(&slider, QEvent::MouseButtonPress, QPoint(5, 5));
    QCOMPARE(slider.m_activeHandle, -1);
}

void tst_ColorSlider::scale_labels_data()
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

void tst_ColorSlider::scale_labels()
{
    QFETCH(float, maxTemp);
    QFETCH(float, minTemp);
    QFETCH(QStringList, texts);

    My_ColorSlider slider;
    slider.m_maxTemp = maxTemp;
    slider.m_minTemp = minTemp;
    slider.updateScaleLabels();
    QStringList shown; // the value column from the top
    for (int n = 2; n <= 12; ++n)
        shown << slider.findChild<QLabel *>(QStringLiteral("label_%1").arg(n))->text();
    QCOMPARE(shown, texts);
}

void tst_ColorSlider::press_selects_a_handle_data()
{
    QTest::addColumn<int>("endIndex");
    QTest::addColumn<QPoint>("offset"); // from the start tip
    QTest::addColumn<int>("handle");

    // Tips at y 10 and 266; the box is tip.x < px <= tip.x + 14, |py - tip.y| <= 14.
    QTest::newRow("px = tip.x") << 255 << QPoint(0, 0) << -1;
    QTest::newRow("px = tip.x + 1") << 255 << QPoint(1, 0) << 1;
    QTest::newRow("px = tip.x + 14") << 255 << QPoint(14, 0) << 1;
    QTest::newRow("px = tip.x + 15") << 255 << QPoint(15, 0) << -1;
    QTest::newRow("left of the tip, on the bar") << 255 << QPoint(-10, 0) << -1;
    QTest::newRow("14 below the start") << 255 << QPoint(7, 14) << 1;
    QTest::newRow("15 below the start") << 255 << QPoint(7, 15) << -1;
    QTest::newRow("14 above the end") << 255 << QPoint(7, 242) << 2;
    QTest::newRow("15 above the end") << 255 << QPoint(7, 241) << -1;
    // Start 0 at y 10, end 1 at y 11: the press hits both.
    QTest::newRow("on both handles: the end") << 1 << QPoint(5, 0) << 2;
}

void tst_ColorSlider::press_selects_a_handle()
{
    QFETCH(int, endIndex);
    QFETCH(QPoint, offset);
    QFETCH(int, handle);

    Placed placed(276, 0, endIndex);
    QVERIFY(placed.show());
    sendMouse(placed.slider, QEvent::MouseButtonPress, placed.slider->m_startTip + offset);
    QCOMPARE(placed.slider->m_activeHandle, handle);
}

void tst_ColorSlider::drag_reports_each_move()
{
    Placed placed(276);
    QVERIFY(placed.show());
    My_ColorSlider *s = placed.slider;
    QSignalSpy spy(s, &My_ColorSlider::indicesChanged);
    const int x = s->m_startTip.x() + 5;

    // indicesChanged comes during the drag, not at the release.
    placed.drag(s->m_startTip, {138}, true);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0), QVariantList({128, 255}));
    sendMouse(s, QEvent::MouseMove, QPoint(x, 137));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1), QVariantList({127, 255}));
    // A move that keeps the index reports nothing.
    sendMouse(s, QEvent::MouseMove, QPoint(x + 1, 137));
    QCOMPARE(spy.count(), 2);

    sendMouse(s, QEvent::MouseButtonRelease, QPoint(x, 137));
    QCOMPARE(s->m_activeHandle, 1);
    QCOMPARE(s->m_startIndex, 127);
}

void tst_ColorSlider::drag_beyond_limits_keeps_last_position_data()
{
    QTest::addColumn<int>("handle");
    QTest::addColumn<Ys>("path");
    QTest::addColumn<int>("tipY");
    QTest::addColumn<int>("index");

    // Height 276: the handles move between 10 and 266; beyond, a handle stays where it was.
    QTest::newRow("start flung above the top stays at 100") << 1 << Ys {100, -40} << 100 << 90;
    QTest::newRow("start one pixel above the span") << 1 << Ys {9} << 10 << 0;
    QTest::newRow("start flung past the end handle") << 1 << Ys {100, 400} << 100 << 90;
    QTest::newRow("end flung below the bottom stays at 200") << 2 << Ys {200, 500} << 200 << 189;
    QTest::newRow("end flung past the start handle") << 2 << Ys {200, 0} << 200 << 189;
    QTest::newRow("end one pixel inside the span") << 2 << Ys {265} << 265 << 254;
}

void tst_ColorSlider::drag_beyond_limits_keeps_last_position()
{
    QFETCH(int, handle);
    QFETCH(Ys, path);
    QFETCH(int, tipY);
    QFETCH(int, index);

    Placed placed(276);
    QVERIFY(placed.show());
    My_ColorSlider *s = placed.slider;
    placed.drag(handle == 1 ? s->m_startTip : s->m_endTip, path, true);
    QCOMPARE(handle == 1 ? s->m_startTip.y() : s->m_endTip.y(), tipY);
    QCOMPARE(handle == 1 ? s->m_startIndex : s->m_endIndex, index);
}

void tst_ColorSlider::handles_never_cross()
{
    Placed placed(276);
    QVERIFY(placed.show());
    My_ColorSlider *s = placed.slider;

    placed.drag(s->m_endTip, {150});
    const int endIndex = s->m_endIndex;
    // Moves past the other handle are refused; meeting it is allowed.
    placed.drag(s->m_startTip, {100, 200, 250});
    QCOMPARE(s->m_startTip.y(), 100);
    placed.drag(s->m_startTip, {150, 151});
    QCOMPARE(s->m_startIndex, endIndex);
    QCOMPARE(s->m_startTip.y(), s->m_endTip.y());
    // Now both tips coincide and a press takes the end handle, which cannot go above the start.
    placed.drag(s->m_endTip, {20});
    QCOMPARE(s->m_endIndex, endIndex);
    QCOMPARE(s->m_startIndex, endIndex);
}

void tst_ColorSlider::untouched_handle_keeps_its_index()
{
    // Index 2 sits at y 11, which reads back as index 1 (see tips_and_indices).
    Placed placed(200, 2, 200);
    QVERIFY(placed.show());
    My_ColorSlider *s = placed.slider;
    QSignalSpy spy(s, &My_ColorSlider::indicesChanged);

    // A drag beside the handles changes nothing.
    sendMouse(s, QEvent::MouseButtonPress, QPoint(5, 100));
    sendMouse(s, QEvent::MouseMove, QPoint(5, 150));
    sendMouse(s, QEvent::MouseButtonRelease, QPoint(5, 150));
    QCOMPARE(s->m_startIndex, 2);
    QCOMPARE(s->m_endIndex, 200);
    QCOMPARE(spy.count(), 0);

    placed.drag(s->m_endTip, {150});
    QCOMPARE(s->m_endIndex, *indexForTipY(150, 200));
    QCOMPARE(s->m_startIndex, 2);
}

void tst_ColorSlider::first_paint_and_resize_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("276 to 520") << 276 << 520;
    QTest::newRow("520 to 276") << 520 << 276;
    QTest::newRow("300 to 1000") << 300 << 1000;
    QTest::newRow("517 to 400") << 517 << 400;
}

void tst_ColorSlider::first_paint_and_resize()
{
    QFETCH(int, from);
    QFETCH(int, to);

    Placed placed(from);
    QVERIFY(placed.show());
    My_ColorSlider *s = placed.slider;
    const QRect bar = s->ui->label->geometry();
    const int x = bar.x() + bar.width();
    QVERIFY(bar.width() >= 35 && bar.width() <= 40);
    QCOMPARE(s->m_startTip, QPoint(x, 10));
    QCOMPARE(s->m_endTip, QPoint(x, from - 10));

    // Resized, the tips follow the indices.
    placed.drag(s->m_startTip, {100});
    placed.drag(s->m_endTip, {from - 60});
    const int startIndex = s->m_startIndex;
    const int endIndex = s->m_endIndex;
    QVERIFY(startIndex > 0 && endIndex < 255);

    placed.setHeight(to);
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
    My_ColorSlider *s = placed.slider;
    QSignalSpy spy(s, &My_ColorSlider::indicesChanged);
    const QPoint startTip = s->m_startTip;
    const QPoint endTip = s->m_endTip;

    placed.drag(startTip.x() < 0 ? QPoint(75, 5) : startTip, {3, 10, 15, 50});
    placed.drag(endTip.x() < 0 ? QPoint(75, 5) : endTip, {3, 10, 15, 50});
    QCOMPARE(s->m_startTip, startTip);
    QCOMPARE(s->m_endTip, endTip);
    QCOMPARE(s->m_startIndex, 0);
    QCOMPARE(s->m_endIndex, 255);
    QCOMPARE(spy.count(), 0);

    // Grown again, the handles stand at their indices.
    placed.setHeight(300);
    QCOMPARE(s->m_startTip.y(), 10);
    QCOMPARE(s->m_endTip.y(), 290);
}

void tst_ColorSlider::painting()
{
    Placed placed(400, 40, 200);
    My_ColorSlider *s = placed.slider;
    s->m_scalePalette = rampPalette();
    const QPixmap bar = QPixmap::fromImage(ColorMap::colorBar(rampPalette()));
    s->setBarPixmap(bar);
    QVERIFY(placed.show());

    // The handles are filled with the palette entries at their indices.
    const QImage image = s->grab().toImage();
    QCOMPARE(QColor(image.pixel(s->m_startTip + QPoint(10, 0))), QColor(40, 215, 20));
    QCOMPARE(QColor(image.pixel(s->m_endTip + QPoint(10, 0))), QColor(200, 55, 100));

    const QPixmap shown = s->ui->label->pixmap(Qt::ReturnByValue);
    QCOMPARE(shown.size(), bar.size().scaled(s->size(), Qt::KeepAspectRatio));
    placed.paint();
    // Setting a new pixmap on every paint would repaint the label, and so this widget, forever.
    QCOMPARE(s->ui->label->pixmap(Qt::ReturnByValue).cacheKey(), shown.cacheKey());
    placed.setHeight(600);
    QCOMPARE(s->ui->label->pixmap(Qt::ReturnByValue).size(),
        bar.size().scaled(QSize(120, 600), Qt::KeepAspectRatio));
}

QTEST_MAIN(tst_ColorSlider)
#include "tst_colorslider.moc"
