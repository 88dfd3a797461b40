#include "overlay/mylabel.h"
#include "overlay/overlaygeometry.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A 3:4 picture of 480 x 640 label pixels, centred in a label of the given size.
LabelGeometry shown(int labelW, int labelH)
{
    return { labelW, 480, labelH, 640 };
}

} // namespace

class tst_Overlay : public QObject
{
    Q_OBJECT

private slots:
    void labelToPicture_data();
    void labelToPicture();
    void pictureToLabel_data();
    void pictureToLabel();
    void emptyPictureMapsToOrigin();
    void hits_data();
    void hits();
    void circleStopsAtTheEdge_data();
    void circleStopsAtTheEdge();

    void lineDrawnByDragging();
    void clickWithoutMoveLeavesNoLine();
    void cursorPrefersTheLaterHit();
    void cursorDragMovesOnlyPoints();
    void printModeKeepsTheGivenGeometry();
    void paintedWhereTheMappingSays();
    void roundTrip_data();
    void roundTrip();
};

void tst_Overlay::labelToPicture_data()
{
    QTest::addColumn<int>("labelW");
    QTest::addColumn<int>("labelH");
    QTest::addColumn<QPoint>("label");
    QTest::addColumn<QPoint>("picture");

    QTest::newRow("exact 3:4 origin") << 480 << 640 << QPoint(0, 0) << QPoint(0, 0);
    QTest::newRow("exact 3:4 far corner") << 480 << 640 << QPoint(479, 639) << QPoint(239, 319);
    QTest::newRow("side margins: left of the picture") << 600 << 640 << QPoint(10, 100) << QPoint(0, 50);
    QTest::newRow("side margins: first column") << 600 << 640 << QPoint(60, 0) << QPoint(0, 0);
    QTest::newRow("one pixel right of the edge") << 600 << 640 << QPoint(540, 0) << QPoint(239, 0);
    QTest::newRow("far right") << 600 << 640 << QPoint(599, 0) << QPoint(239, 0);
    QTest::newRow("margins above and below") << 480 << 700 << QPoint(240, 30) << QPoint(120, 0);
    QTest::newRow("below the picture") << 480 << 700 << QPoint(240, 690) << QPoint(120, 319);
}

void tst_Overlay::labelToPicture()
{
    QFETCH(int, labelW);
    QFETCH(int, labelH);
    QFETCH(QPoint, label);
    QFETCH(QPoint, picture);
    const auto p = shown(labelW, labelH).labelToPicture(label.x(), label.y(), 12, 16);
    QCOMPARE(QPoint(p.x, p.y), picture);
    // Lengths are not clamped: 12 and 16 label pixels are 6 and 8 picture pixels.
    QCOMPARE(p.a, 6);
    QCOMPARE(p.b, 8);
}

void tst_Overlay::pictureToLabel_data()
{
    QTest::addColumn<int>("labelW");
    QTest::addColumn<int>("labelH");
    QTest::addColumn<QPoint>("picture");
    QTest::addColumn<QPoint>("label");

    QTest::newRow("no margins") << 480 << 640 << QPoint(120, 160) << QPoint(240, 320);
    QTest::newRow("side margins add half the spare width") << 600 << 640 << QPoint(0, 0)
                                                             << QPoint(60, 0);
    QTest::newRow("side margins, last column") << 600 << 640 << QPoint(239, 319) << QPoint(538, 638);
    QTest::newRow("top margin adds half and rounds") << 480 << 701 << QPoint(0, 1) << QPoint(0, 33);
}

void tst_Overlay::pictureToLabel()
{
    QFETCH(int, labelW);
    QFETCH(int, labelH);
    QFETCH(QPoint, picture);
    QFETCH(QPoint, label);
    const auto p = shown(labelW, labelH).pictureToLabel(picture.x(), picture.y(), 9, 4);
    QCOMPARE(QPoint(p.x, p.y), label);
    QCOMPARE(p.a, 18);
    QCOMPARE(p.b, 8);
}

void tst_Overlay::emptyPictureMapsToOrigin()
{
    const LabelGeometry none { 300, 0, 400, 0 };
    const auto p = none.labelToPicture(150, 200, 12, 16);
    QCOMPARE(QPoint(p.x, p.y), QPoint(0, 0));
    QCOMPARE(p.a, 0);
}

void tst_Overlay::hits_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<bool>("hit");

    // Point at (100, 100): the box is 6 x 8 picture pixels centred on (98, 98).
    QTest::newRow("point: box centre") << "point" << QPoint(98, 98) << true;
    QTest::newRow("point: the point itself is off-centre") << "point" << QPoint(101, 100) << true;
    QTest::newRow("point: left edge") << "point" << QPoint(95, 98) << true;
    QTest::newRow("point: past the left edge") << "point" << QPoint(94, 98) << false;
    QTest::newRow("point: right edge") << "point" << QPoint(101, 98) << true;
    QTest::newRow("point: past the right edge") << "point" << QPoint(102, 98) << false;
    QTest::newRow("point: top edge") << "point" << QPoint(98, 94) << true;
    QTest::newRow("point: past the bottom edge") << "point" << QPoint(98, 103) << false;
    // Rectangle (10, 10)-(20, 20): strictly inside only.
    QTest::newRow("rect: border") << "rect" << QPoint(10, 15) << false;
    QTest::newRow("rect: far border") << "rect" << QPoint(20, 15) << false;
    QTest::newRow("rect: inside") << "rect" << QPoint(11, 19) << true;
    // Line (0, 0)-(100, 100).
    QTest::newRow("line: near") << "line" << QPoint(50, 52) << true;
    QTest::newRow("line: too far") << "line" << QPoint(50, 56) << false;
    QTest::newRow("line: outside its box") << "line" << QPoint(101, 101) << false;
    // Circle at (100, 100), radius 10.
    QTest::newRow("circle: inside by truncation") << "circle" << QPoint(107, 107) << true;
    QTest::newRow("circle: outside") << "circle" << QPoint(108, 108) << false;
    QTest::newRow("circle: on the radius") << "circle" << QPoint(110, 100) << true;
}

void tst_Overlay::hits()
{
    QFETCH(QString, kind);
    QFETCH(QPoint, press);
    QFETCH(bool, hit);
    const int px = press.x();
    const int py = press.y();
    if (kind == "point") {
        PointTool tool;
        tool.x = 100;
        tool.y = 100;
        QCOMPARE(hitsPoint(tool, px, py, shown(480, 640)), hit);
    } else if (kind == "rect") {
        RectTool tool;
        tool.x1 = 20;
        tool.y1 = 10;
        tool.x2 = 10;
        tool.y2 = 20;
        QCOMPARE(hitsRect(tool, px, py), hit);
    } else if (kind == "line") {
        LineTool tool;
        tool.x1 = 0;
        tool.y1 = 0;
        tool.x2 = 100;
        tool.y2 = 100;
        QCOMPARE(hitsLine(tool, px, py), hit);
    } else {
        CircleTool tool;
        tool.cx = 100;
        tool.cy = 100;
        tool.r = 10;
        QCOMPARE(hitsCircle(tool, px, py), hit);
    }
}

void tst_Overlay::circleStopsAtTheEdge_data()
{
    QTest::addColumn<QPoint>("centre");
    QTest::addColumn<QPoint>("drag");
    QTest::addColumn<int>("radius");

    QTest::newRow("grows inside") << QPoint(100, 100) << QPoint(130, 140) << 50;
    QTest::newRow("largest that keeps column 0 free") << QPoint(100, 100) << QPoint(199, 100) << 99;
    QTest::newRow("would touch column 0") << QPoint(100, 100) << QPoint(200, 100) << -1;
    QTest::newRow("would pass the right edge") << QPoint(200, 160) << QPoint(240, 160) << -1;
    QTest::newRow("right edge itself") << QPoint(200, 160) << QPoint(239, 160) << 39;
    QTest::newRow("would touch row 0") << QPoint(120, 20) << QPoint(120, 40) << -1;
    QTest::newRow("bottom edge") << QPoint(120, 300) << QPoint(120, 319) << 19;
}

void tst_Overlay::circleStopsAtTheEdge()
{
    QFETCH(QPoint, centre);
    QFETCH(QPoint, drag);
    QFETCH(int, radius);
    QCOMPARE(draggedRadius(centre.x(), centre.y(), drag.x(), drag.y()), radius);
}

namespace {

// A label showing a 480 x 640 picture with no margins, answering its release the way the
// analysis window does (a new pending record after a drawing gesture).
struct Stage
{
    MyLabel label;
    Stage()
    {
        QPixmap picture(480, 640);
        picture.fill(Qt::darkBlue);
        label.setAlignment(Qt::AlignCenter);
        label.resize(480, 640);
        label.setPixmap(picture);
        label.m_labelW = 480;
        label.m_picW = 480;
        label.m_labelH = 640;
        label.m_picH = 640;
        QObject::connect(&label, &MyLabel::Focus_idev, &label, [this](int kind) {
            if (kind >= 2 && kind <= 5)
                label.setToolKind(kind);
        });
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(&label, Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&label, &move);
        QTest::mouseRelease(&label, Qt::LeftButton, Qt::NoModifier, to);
    }
};

} // namespace

void tst_Overlay::lineDrawnByDragging()
{
    Stage stage;
    stage.label.setToolKind(ToolLine);
    QSignalSpy updated(&stage.label, &MyLabel::updat_Tool);
    stage.drag(QPoint(20, 40), QPoint(200, 100));
    QCOMPARE(updated.count(), 1);
    // The placed line and the next pending one.
    QCOMPARE(int(stage.label.m_lines.size()), 2);
    const LineTool &line = *stage.label.m_lines[0];
    QCOMPARE(line.name, QString("L0"));
    QCOMPARE(QList<int>({ line.x1, line.y1, line.x2, line.y2 }), QList<int>({ 10, 20, 100, 50 }));
    QCOMPARE(stage.label.m_lines[1]->x1, -1);
}

void tst_Overlay::clickWithoutMoveLeavesNoLine()
{
    Stage stage;
    stage.label.setToolKind(ToolLine);
    QSignalSpy focus(&stage.label, &MyLabel::Focus_idev);
    QSignalSpy updated(&stage.label, &MyLabel::updat_Tool);
    QTest::mouseClick(&stage.label, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QCOMPARE(focus.count(), 1);
    QCOMPARE(focus.first().first().toInt(), 3);
    QCOMPARE(updated.count(), 1);
    QCOMPARE(stage.label.placedCount(), 0);
}

void tst_Overlay::cursorPrefersTheLaterHit()
{
    Stage stage;
    stage.label.setToolKind(ToolPoint);
    QTest::mouseClick(&stage.label, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200)); // P0 (100, 100)
    stage.label.setToolKind(ToolRect);
    stage.drag(QPoint(100, 100), QPoint(300, 300)); // R0 (50, 50)-(150, 150)
    stage.label.setToolKind(ToolCursor);

    QSignalSpy selected(&stage.label, &MyLabel::Set_Select);
    QTest::mouseClick(&stage.label, Qt::LeftButton, Qt::NoModifier, QPoint(196, 196));
    // First the point's row, then the rectangle's, which wins.
    QCOMPARE(selected.count() >= 2, true);
    QCOMPARE(selected.at(0).first().toInt(), 0);
    QCOMPARE(selected.at(1).first().toInt(), 1);
    QCOMPARE(stage.label.m_selKind, QString("R"));
    QCOMPARE(stage.label.m_selIndex, 0);

    // A click on nothing clears the selection.
    QTest::mouseClick(&stage.label, Qt::LeftButton, Qt::NoModifier, QPoint(470, 630));
    QCOMPARE(stage.label.m_selKind, QString("null"));
}

void tst_Overlay::cursorDragMovesOnlyPoints()
{
    Stage stage;
    stage.label.setToolKind(ToolPoint);
    QTest::mouseClick(&stage.label, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    stage.label.setToolKind(ToolRect);
    stage.drag(QPoint(300, 300), QPoint(400, 400));
    stage.label.setToolKind(ToolCursor);

    stage.drag(QPoint(196, 196), QPoint(250, 260));
    QCOMPARE(QPoint(stage.label.m_points[0]->x, stage.label.m_points[0]->y), QPoint(125, 130));

    stage.drag(QPoint(350, 350), QPoint(50, 50));
    const RectTool &rect = *stage.label.m_rects[0];
    QCOMPARE(QList<int>({ rect.x1, rect.y1, rect.x2, rect.y2 }), QList<int>({ 150, 150, 200, 200 }));
}

void tst_Overlay::printModeKeepsTheGivenGeometry()
{
    Stage stage;
    stage.label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&stage.label));
    stage.label.m_printMode = true;
    stage.label.m_labelW = 120;
    stage.label.m_picW = 120;
    stage.label.m_labelH = 160;
    stage.label.m_picH = 160;
    stage.label.repaint();
    QCOMPARE(stage.label.m_overlay.size(), QSize(120, 160));
    QCOMPARE(stage.label.m_labelW, 120);
    stage.label.m_printMode = false;
    stage.label.repaint();
    QCOMPARE(stage.label.m_overlay.size(), QSize(480, 640));
}

void tst_Overlay::paintedWhereTheMappingSays()
{
    Stage stage;
    stage.label.resize(600, 640); // 60-pixel masks left and right
    stage.label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&stage.label));
    stage.label.setToolKind(ToolRect);
    *stage.label.m_rects[0] = RectTool { "R0", 20, 40, 120, 200, QColor(0, 0, 255) };
    stage.label.setToolKind(ToolLine);
    *stage.label.m_lines[0] = LineTool { "L0", 150, 250, 230, 250, QColor(255, 0, 255) };
    stage.label.m_selKind = "L";
    stage.label.m_selIndex = 0;
    stage.label.m_highPos = { 200, 100 };
    stage.label.m_lowPos = { 30, 300 };
    stage.label.m_centrePos = { 0, 160 };

    const QImage shot = stage.label.grab().toImage();
    const LabelGeometry g = stage.label.geometryValues();
    const auto at = [&](int x, int y) {
        const auto p = g.pictureToLabel(x, y, 0, 0);
        return shot.pixelColor(p.x, p.y);
    };
    // The rectangle's left side halfway down in its own colour.
    QCOMPARE(at(20, 120), QColor(0, 0, 255));
    // The selected line in the highlight colour, not its own.
    QCOMPARE(at(190, 250), QColor(0, 255, 0));
    // The high marker's square: its left side above the gap, in red.
    const auto high = g.pictureToLabel(200, 100, 4, 0);
    QCOMPARE(shot.pixelColor(high.x - high.a, high.y - high.a + 1), QColor(255, 0, 0));
    // No centre marker for a coordinate 0: the picture's own colour where its arm would be.
    QCOMPARE(at(3, 160).rgb(), QColor(Qt::darkBlue).rgb());
    // White masks over both margins.
    QCOMPARE(shot.pixelColor(30, 300), QColor(255, 255, 255));
    QCOMPARE(shot.pixelColor(580, 300), QColor(255, 255, 255));
    QCOMPARE(at(100, 300).rgb(), QColor(Qt::darkBlue).rgb());
}

void tst_Overlay::roundTrip_data()
{
    QTest::addColumn<QSize>("label");
    QTest::addColumn<QSize>("picture");
    QTest::newRow("minimum label") << QSize(20, 20) << QSize(15, 20);
    QTest::newRow("side margins") << QSize(800, 700) << QSize(525, 700);
    QTest::newRow("top margin") << QSize(300, 900) << QSize(300, 400);
    QTest::newRow("triple size") << QSize(721, 960) << QSize(720, 960);
}

void tst_Overlay::roundTrip()
{
    QFETCH(QSize, label);
    QFETCH(QSize, picture);
    const LabelGeometry g { label.width(), picture.width(), label.height(), picture.height() };
    // Both ways truncate, so a round trip lands on the same pixel at whole multiples of the
    // picture size and at most one pixel off (more where a label pixel spans several) otherwise.
    const bool exact = picture.width() % 240 == 0 && picture.height() % 320 == 0;
    for (int x = 0; x < 240; x += 17) {
        for (int y = 0; y < 320; y += 23) {
            const auto l = g.pictureToLabel(x, y, 0, 0);
            const auto p = g.labelToPicture(l.x, l.y, 0, 0);
            if (exact) {
                QCOMPARE(QPoint(p.x, p.y), QPoint(x, y));
            } else {
                QVERIFY(qAbs(p.x - x) <= 240 / picture.width() + 1);
                QVERIFY(qAbs(p.y - y) <= 320 / picture.height() + 1);
            }
        }
    }
}

QTEST_MAIN(tst_Overlay)
#include "tst_overlay.moc"
