#include "overlay/mylabel.h"
#include "overlay/overlaygeometry.h"

#include <QtTest>

class tst_Overlay : public QObject
{
    Q_OBJECT

private slots:
    void mapping_data();
    void mapping();
    void hits_data();
    void hits();
    void circle_stops_at_the_edge_data();
    void circle_stops_at_the_edge();
    void painted_where_the_mapping_says();
};

void tst_Overlay::mapping_data()
{
    // clang-format off
    QTest::addColumn<QSize>("label");
    QTest::addColumn<QSize>("shown"); // the picture's size in the label
    QTest::addColumn<QPoint>("labelPoint");
    QTest::addColumn<QPoint>("picturePoint");
    QTest::addColumn<bool>("andBack"); // the picture point maps back to the label point

    const QSize shown(480, 640);
    const QSize wide(600, 640); // 60 label pixels left and right of the picture
    const QSize tall(480, 700); // 30 above and below
    using P = QPoint;
    QTest::newRow("3:4 exact: far corner") << shown << shown << P(478, 638) << P(239, 319) << true;
    QTest::newRow("side margins: first") << wide << shown << P(60, 0) << P(0, 0) << true;
    QTest::newRow("side margins: last") << wide << shown << P(538, 638) << P(239, 319) << true;
    QTest::newRow("top margin, rounded") << QSize(480, 701) << shown << P(0, 33) << P(0, 1) << true;
    QTest::newRow("triple size") << QSize(721, 960) << QSize(720, 960) << P(361, 480) << P(120, 160)
                                 << true;
    QTest::newRow("left of it clamps") << wide << shown << P(10, 100) << P(0, 50) << false;
    QTest::newRow("right of it clamps") << wide << shown << P(599, 0) << P(239, 0) << false;
    QTest::newRow("below it clamps") << tall << shown << P(240, 690) << P(120, 319) << false;
    QTest::newRow("no picture: origin") << tall << QSize() << P(150, 200) << P(0, 0) << false;
    // clang-format on
}

void tst_Overlay::mapping()
{
    QFETCH(QSize, label);
    QFETCH(QSize, shown);
    QFETCH(QPoint, labelPoint);
    QFETCH(QPoint, picturePoint);
    QFETCH(bool, andBack);
    const LabelGeometry g {label.width(), shown.width(), label.height(), shown.height()};
    const int scale = shown.width() / 240; // label pixels per picture pixel
    const auto p = g.labelToPicture(labelPoint.x(), labelPoint.y(), 24, 24);
    QCOMPARE(QPoint(p.x, p.y), picturePoint);
    // Lengths scale and are not clamped.
    QCOMPARE(QPoint(p.a, p.b), scale ? QPoint(24, 24) / scale : QPoint());
    if (andBack) {
        const auto l = g.pictureToLabel(picturePoint.x(), picturePoint.y(), 12, 12);
        QCOMPARE(QPoint(l.x, l.y), labelPoint);
        QCOMPARE(QPoint(l.a, l.b), QPoint(12, 12) * scale);
    }
}

void tst_Overlay::hits_data()
{
    // clang-format off
    QTest::addColumn<char>("kind");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<bool>("hit");

    // Point at (100, 100): the box is 6 x 8 picture pixels centred on (98, 98).
    QTest::newRow("point: the point itself is off-centre") << 'P' << QPoint(101, 100) << true;
    QTest::newRow("point: past the left edge") << 'P' << QPoint(94, 98) << false;
    QTest::newRow("point: past the right edge") << 'P' << QPoint(102, 98) << false;
    QTest::newRow("point: past the bottom edge") << 'P' << QPoint(98, 103) << false;
    // Rectangle (20, 10)-(10, 20): strictly inside only.
    QTest::newRow("rect: border") << 'R' << QPoint(10, 15) << false;
    QTest::newRow("rect: far border") << 'R' << QPoint(20, 15) << false;
    QTest::newRow("rect: inside") << 'R' << QPoint(11, 19) << true;
    // Line (0, 0)-(100, 100).
    QTest::newRow("line: 2 away") << 'L' << QPoint(50, 52) << true;
    QTest::newRow("line: 3 away") << 'L' << QPoint(50, 55) << false;
    QTest::newRow("line: outside its box") << 'L' << QPoint(101, 101) << false;
    // Circle at (100, 100), radius 10.
    QTest::newRow("circle: 10.05 away, inside by truncation") << 'C' << QPoint(110, 101) << true;
    QTest::newRow("circle: outside") << 'C' << QPoint(108, 108) << false;
    // clang-format on
}

void tst_Overlay::hits()
{
    QFETCH(char, kind);
    QFETCH(QPoint, press);
    QFETCH(bool, hit);
    const int x = press.x();
    const int y = press.y();
    const LabelGeometry g {480, 480, 640, 640};
    QCOMPARE(kind == 'P'  ? hitsPoint(PointTool {"P0", 100, 100, 9, Qt::red}, x, y, g)
            : kind == 'R' ? hitsRect(RectTool {"R0", 20, 10, 10, 20, Qt::red}, x, y)
            : kind == 'L' ? hitsLine(LineTool {"L0", 0, 0, 100, 100, Qt::red}, x, y)
                          : hitsCircle(CircleTool {"C0", 100, 100, 110, 100, 10, Qt::red}, x, y),
        hit);
}

void tst_Overlay::circle_stops_at_the_edge_data()
{
    // clang-format off
    QTest::addColumn<QPoint>("centre");
    QTest::addColumn<QPoint>("drag");
    QTest::addColumn<int>("radius");

    QTest::newRow("grows inside") << QPoint(100, 100) << QPoint(130, 140) << 50;
    QTest::newRow("largest that keeps column 0 free") << QPoint(100, 160) << QPoint(199, 160) << 99;
    QTest::newRow("would touch column 0") << QPoint(100, 160) << QPoint(200, 160) << -1;
    QTest::newRow("right edge itself") << QPoint(200, 160) << QPoint(239, 160) << 39;
    QTest::newRow("would pass the right edge") << QPoint(200, 160) << QPoint(240, 160) << -1;
    QTest::newRow("would touch row 0") << QPoint(120, 20) << QPoint(120, 40) << -1;
    QTest::newRow("bottom edge itself") << QPoint(120, 300) << QPoint(120, 319) << 19;
    // clang-format on
}

void tst_Overlay::circle_stops_at_the_edge()
{
    QFETCH(QPoint, centre);
    QFETCH(QPoint, drag);
    QFETCH(int, radius);
    QCOMPARE(draggedRadius(centre.x(), centre.y(), drag.x(), drag.y()), radius);
}

void tst_Overlay::painted_where_the_mapping_says()
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
    // Label pixel of picture (x, y): 60 + 2x, 2y.
    const auto at = [&](int x, int y) { return shot.pixelColor(60 + 2 * x, 2 * y); };
    // The rectangle's left side halfway down in its own colour.
    QCOMPARE(at(20, 120), QColor(0, 0, 255));
    // The selected line in the highlight colour, not its own.
    QCOMPARE(at(190, 250), QColor(0, 255, 0));
    // The high marker's square (side 8 label pixels): its left side above the gap, in red.
    QCOMPARE(shot.pixelColor(60 + 400 - 8, 200 - 7), QColor(255, 0, 0));
    // No centre marker for a coordinate 0: the picture's own colour where its arm would be.
    QCOMPARE(at(3, 160), QColor(Qt::darkBlue));
    // White masks over both margins.
    QCOMPARE(shot.pixelColor(30, 300), QColor(255, 255, 255));
    QCOMPARE(shot.pixelColor(580, 300), QColor(255, 255, 255));
}

QTEST_MAIN(tst_Overlay)
#include "tst_overlay.moc"
