#include "overlay/mylabel.h"
#include "overlay/overlaygeometry.h"

#include <QtTest>

namespace {

// A label point mapped to the picture with lengths 24, 24, then a picture point mapped to the
// label with lengths 12, 12.
QString mapped(const LabelGeometry &g, QPoint label, QPoint picture)
{
    const auto p = g.labelToPicture(label.x(), label.y(), 24, 24);
    const auto l = g.pictureToLabel(picture.x(), picture.y(), 12, 12);
    QStringList numbers;
    for (const int n : {p.x, p.y, p.a, p.b, l.x, l.y, l.a, l.b})
        numbers << QString::number(n);
    return numbers.join(' ');
}

} // namespace

class tst_Overlay : public QObject
{
    Q_OBJECT

private slots:
    // Each row: what a geometry function gives, then what it must give.
    void geometry_data()
    {
        QTest::addColumn<QVariant>("result");
        QTest::addColumn<QVariant>("expected");
        const auto row = [](const char *name, const QVariant &result, const QVariant &expected) {
            QTest::newRow(name) << result << expected;
        };
        // 60 label pixels left and right of the picture
        const LabelGeometry wide {600, 480, 640, 640};
        const LabelGeometry tall {480, 480, 700, 640}; // 30 above and below
        const LabelGeometry top {480, 480, 701, 640}; // 30.5 above
        const LabelGeometry triple {721, 720, 960, 960}; // half a pixel left
        // clang-format off
        row("side margins", mapped(wide, {538, 638}, {239, 319}), "239 319 12 12 538 638 24 24");
        row("top margin, rounded", mapped(top, {0, 33}, {0, 1}), "0 1 12 12 0 33 24 24");
        row("triple, rounded", mapped(triple, {361, 480}, {120, 160}), "120 160 8 8 361 480 36 36");
        row("left of it clamps", mapped(wide, {10, 100}, {0, 50}), "0 50 12 12 60 100 24 24");
        row("right of it clamps", mapped(wide, {599, 0}, {239, 0}), "239 0 12 12 538 0 24 24");
        row("below it clamps", mapped(tall, {240, 690}, {120, 319}), "120 319 12 12 240 668 24 24");
        // Point at (100, 100): the box is 6 x 8 picture pixels centred on (98, 98).
        const PointTool point {"P0", 100, 100, 9, Qt::red};
        const LabelGeometry g {480, 480, 640, 640};
        row("point: the point itself is off-centre", hitsPoint(point, 101, 100, g), true);
        row("point: past the right edge", hitsPoint(point, 102, 98, g), false);
        // Rectangle (20, 10)-(10, 20): strictly inside only.
        const RectTool rect {"R0", 20, 10, 10, 20, Qt::red};
        row("rect: border", hitsRect(rect, 10, 15), false);
        row("rect: inside", hitsRect(rect, 11, 19), true);
        const LineTool line {"L0", 0, 0, 100, 100, Qt::red};
        row("line: 2 away", hitsLine(line, 50, 52), true);
        row("line: 3 away", hitsLine(line, 50, 55), false);
        row("line: outside its box", hitsLine(line, 101, 101), false);
        const CircleTool circle {"C0", 100, 100, 110, 100, 10, Qt::red};
        row("circle: 10.05 away, inside by truncation", hitsCircle(circle, 110, 101), true);
        row("circle: outside", hitsCircle(circle, 108, 108), false);
        // A circle dragged keeps off column 0 and row 0 and inside the right and bottom edges.
        row("radius: largest keeping column 0 free", draggedRadius(100, 160, 199, 160), 99);
        row("radius would touch column 0", draggedRadius(100, 160, 200, 160), -1);
        row("radius to the right edge itself", draggedRadius(200, 160, 239, 160), 39);
        row("radius would pass the right edge", draggedRadius(200, 160, 240, 160), -1);
        row("radius would touch row 0", draggedRadius(120, 20, 120, 40), -1);
        row("radius to the bottom edge itself", draggedRadius(120, 300, 120, 319), 19);
        // clang-format on
    }

    void geometry()
    {
        QFETCH(QVariant, result);
        QFETCH(QVariant, expected);
        QCOMPARE(result, expected);
    }

    void painted_where_the_mapping_says()
    {
        MyLabel label;
        QPixmap picture(480, 640);
        picture.fill(Qt::darkBlue);
        label.setAlignment(Qt::AlignCenter);
        label.setPixmap(picture);
        label.resize(600, 640); // 60-pixel masks left and right
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        label.setToolKind(ToolRect);
        *label.m_rects[0] = RectTool {"R0", 20, 40, 120, 200, QColor(0, 0, 255)};
        label.setToolKind(ToolLine);
        *label.m_lines[0] = LineTool {"L0", 150, 250, 230, 250, QColor(255, 0, 255)};
        label.m_selKind = "L";
        label.m_selIndex = 0;
        label.m_highPos = {200, 100};
        label.m_centrePos = {0, 160};
        const QImage shot = label.grab().toImage();
        QCOMPARE(label.m_overlay.size(), QSize(600, 640));
        // In label pixels (picture (x, y) at 60 + 2x, 2y): the rectangle's left side in its own
        // colour; the selected line in the highlight colour; the high marker's square (side 8), its
        // left side above the gap, in red; no centre marker for a coordinate 0, so the picture
        // where its arm would be; both masks white.
        QStringList colours;
        for (const QPoint p : {QPoint(100, 240), QPoint(440, 500), QPoint(452, 193),
                 QPoint(66, 320), QPoint(30, 300), QPoint(580, 300)})
            colours << shot.pixelColor(p).name();
        QCOMPARE(colours.join(' '),
            "#0000ff #00ff00 #ff0000 " + QColor(Qt::darkBlue).name() + " #ffffff #ffffff");
    }
};

QTEST_MAIN(tst_Overlay)
#include "tst_overlay.moc"
