#include "overlay/toolmodel.h"

#include <QtTest>

#include <vector>

namespace {

constexpr int PixelCount = 240 * 320;
using G = QVector<int>; // tool geometry in the order of the record's fields
using F = QVector<float>;

void assign(PointTool &t, const G &c)
{
    t.x = c[0], t.y = c[1];
}
template <class Tool> void assign(Tool &t, const G &c) // lines and rectangles
{
    t.x1 = c[0], t.y1 = c[1], t.x2 = c[2], t.y2 = c[3];
}
void assign(CircleTool &t, const G &c)
{
    t.cx = c[0], t.cy = c[1], t.ex = c[2], t.ey = c[3], t.r = c[4];
}

template <class Tool> void place(const ToolList<Tool> &list, int i, const G &c)
{
    Tool *t = toolAt(list, i);
    QVERIFY2(t, "no pending record");
    assign(*t, c);
}

// Places the pending record of the current kind the way a press and a drag do.
void placePending(ToolModel &m, const G &c)
{
    const int i = m.m_nextNumber;
    const int k = m.m_toolKind;
    k == ToolPoint      ? place(m.m_points, i, c)
        : k == ToolLine ? place(m.m_lines, i, c)
        : k == ToolRect ? place(m.m_rects, i, c)
                        : place(m.m_circles, i, c);
}

// n finished tools of a kind, as the tool button and n press-drag-release gestures leave them.
void addTools(ToolModel &model, int kind, int n)
{
    for (int k = 0; k < n; ++k) {
        model.setToolKind(kind);
        const int x = 20 + 3 * k;
        placePending(model,
            kind == ToolPoint        ? G {x, 30}
                : kind == ToolCircle ? G {x, 100, x + 2, 100, 2}
                                     : G {x, 30, x + 5, 40});
    }
}

QStringList allNames(const ToolModel &model)
{
    QStringList out;
    const auto add = [&out](const auto &list) {
        for (const auto &t : list)
            out << t->name;
    };
    add(model.m_points), add(model.m_lines), add(model.m_rects), add(model.m_circles);
    return out;
}

template <class Tool> ToolStats measureAs(const std::vector<float> &map, const G &c)
{
    Tool t;
    assign(t, c);
    return measureTool(map, t);
}

ToolStats measure(const std::vector<float> &map, int kind, const G &c)
{
    return kind == ToolPoint ? measureAs<PointTool>(map, c)
        : kind == ToolLine   ? measureAs<LineTool>(map, c)
        : kind == ToolRect   ? measureAs<RectTool>(map, c)
                             : measureAs<CircleTool>(map, c);
}

struct Recorder
{
    explicit Recorder(ToolModel &model)
    {
        model.onUpdatTool = [this] { ++updates; };
        model.onSetSelect = [this](int row) { rows << row; };
    }
    int updates = 0;
    QList<int> rows;
};

} // namespace

class tst_ToolModel : public QObject
{
    Q_OBJECT

private slots:
    void naming_after_deletions_data();
    void naming_after_deletions();
    void purge_data();
    void purge();
    void purge_keeps_order_and_selection();
    void delete_and_clear_data();
    void delete_and_clear();
    void selection_row_data();
    void selection_row();
    void click_without_drag_selects_no_row();
    void new_tools_take_the_window_colour();
    void line_distance_data();
    void line_distance();
    void statistics_data();
    void statistics();
};

void tst_ToolModel::naming_after_deletions_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("created");
    QTest::addColumn<QStringList>("deleted");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("newIndex");

    QTest::newRow("first circle C0")
        << int(ToolCircle) << 0 << QStringList() << QStringList {"C0"} << 0;
    QTest::newRow("L1 deleted from L0 L1 L2: new line L1 between L0 and L2")
        << int(ToolLine) << 3 << QStringList {"L1"} << QStringList {"L0", "L1", "L2"} << 1;
    QTest::newRow("P0 deleted from P0 P1 P2: new point P0 first")
        << int(ToolPoint) << 3 << QStringList {"P0"} << QStringList {"P0", "P1", "P2"} << 0;
    QTest::newRow("R0 and R2 deleted from four: new rectangle R0 first")
        << int(ToolRect) << 4 << QStringList {"R0", "R2"} << QStringList {"R0", "R1", "R3"} << 0;
    QTest::newRow("last circle deleted: C1 again")
        << int(ToolCircle) << 2 << QStringList {"C1"} << QStringList {"C0", "C1"} << 1;
    QTest::newRow("nothing deleted: next after the last")
        << int(ToolLine) << 3 << QStringList() << QStringList {"L0", "L1", "L2", "L3"} << 3;
    QTest::newRow("all deleted: numbering starts again")
        << int(ToolPoint) << 2 << QStringList {"P0", "P1"} << QStringList {"P0"} << 0;
    QStringList twelve;
    for (int n = 0; n < 12; ++n)
        twelve << QStringLiteral("P%1").arg(n);
    QTest::newRow("two-digit numbers in numeric order")
        << int(ToolPoint) << 11 << QStringList() << twelve << 11;
}

void tst_ToolModel::naming_after_deletions()
{
    QFETCH(int, kind);
    QFETCH(int, created);
    QFETCH(QStringList, deleted);
    QFETCH(QStringList, after);
    QFETCH(int, newIndex);

    ToolModel model;
    addTools(model, kind, created);
    for (const QString &name : qAsConst(deleted)) {
        model.m_selKind = name.left(1);
        model.m_selIndex = allNames(model).indexOf(name);
        model.deleteSelectedTool();
    }
    model.setToolKind(kind);
    QCOMPARE(allNames(model), after);
    QCOMPARE(model.m_nextNumber, newIndex);
    QCOMPARE(model.placedCount(), after.size() - 1); // the pending record is no table row

    // Placed, it takes its place in the table as in the list.
    placePending(model, {80, 90, 85, 95, 3});
    model.m_selKind = after.at(newIndex).left(1);
    model.m_selIndex = newIndex;
    model.setToolKind(kind);
    QCOMPARE(model.selectionRow(), std::optional<int>(newIndex));
}

void tst_ToolModel::purge_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<G>("geometry"); // empty: the record as setToolKind makes it
    QTest::addColumn<bool>("stays");

    QTest::newRow("pending point") << int(ToolPoint) << G() << false;
    QTest::newRow("point at the origin") << int(ToolPoint) << G {0, 0} << true;
    QTest::newRow("pending line") << int(ToolLine) << G() << false;
    QTest::newRow("line pressed, not dragged") << int(ToolLine) << G {5, 6, 5, 6} << false;
    QTest::newRow("vertical line") << int(ToolLine) << G {5, 6, 5, 9} << true;
    QTest::newRow("horizontal line") << int(ToolLine) << G {5, 6, 9, 6} << true;
    QTest::newRow("pending rectangle") << int(ToolRect) << G() << false;
    QTest::newRow("rectangle pressed, not dragged") << int(ToolRect) << G {70, 80, 70, 80} << false;
    QTest::newRow("rectangle one column wide") << int(ToolRect) << G {7, 10, 7, 20} << true;
    QTest::newRow("pending circle") << int(ToolCircle) << G() << false;
    QTest::newRow("circle pressed, not dragged")
        << int(ToolCircle) << G {50, 50, 50, 50, -1} << false;
    QTest::newRow("circle dragged back to its centre")
        << int(ToolCircle) << G {50, 50, 50, 50, 3} << false;
    QTest::newRow("circle dragged") << int(ToolCircle) << G {50, 50, 52, 50, 2} << true;
    QTest::newRow("cursor makes no record") << int(ToolCursor) << G() << false;
    QTest::newRow("kind 0 makes no record") << 0 << G() << false;
    QTest::newRow("kind 6 makes no record") << 6 << G() << false;
    QTest::newRow("kind -1 makes no record") << -1 << G() << false;
}

void tst_ToolModel::purge()
{
    QFETCH(int, kind);
    QFETCH(G, geometry);
    QFETCH(bool, stays);

    ToolModel model;
    model.setToolKind(ToolPoint);
    model.setToolKind(kind); // purges the pending P0; kinds 2-5 make a record of their own
    QCOMPARE(model.m_toolKind, kind);
    QCOMPARE(model.m_nextNumber, 0);
    QCOMPARE(allNames(model).size(), kind >= ToolPoint && kind <= ToolCircle ? 1 : 0);
    if (!geometry.isEmpty())
        placePending(model, geometry);
    model.purgeTools();
    QCOMPARE(allNames(model).size(), stays ? 1 : 0);
}

void tst_ToolModel::purge_keeps_order_and_selection()
{
    ToolModel model;
    addTools(model, ToolLine, 3);
    LineTool *l1 = toolAt(model.m_lines, 1);
    l1->x2 = l1->x1, l1->y2 = l1->y1;
    model.m_selKind = QStringLiteral("L");
    model.m_selIndex = 2;

    model.purgeTools();
    QCOMPARE(allNames(model), QStringList({"L0", "L2"}));
    QCOMPARE(model.m_selKind, QStringLiteral("L"));
    QCOMPARE(model.m_selIndex, 2);
}

void tst_ToolModel::delete_and_clear_data()
{
    QTest::addColumn<QString>("selKind");
    QTest::addColumn<int>("selIndex");
    QTest::addColumn<bool>("pending"); // a pending point P2 after P0 and P1
    QTest::addColumn<bool>("clear"); // clearTools instead of deleteSelectedTool
    QTest::addColumn<QStringList>("remaining");

    const QStringList all {"P0", "P1", "L0"};
    QTest::newRow("P1") << "P" << 1 << false << false << QStringList {"P0", "L0"};
    QTest::newRow("P1, the pending point goes too")
        << "P" << 1 << true << false << QStringList {"P0", "L0"};
    QTest::newRow("L0") << "L" << 0 << false << false << QStringList {"P0", "P1"};
    QTest::newRow("nothing selected") << "null" << 0 << true << false << all;
    QTest::newRow("never selected (empty kind)") << "" << 0 << false << false << all;
    QTest::newRow("index past the end") << "P" << 2 << false << false << all;
    QTest::newRow("negative index") << "P" << -1 << false << false << all;
    QTest::newRow("kind without tools") << "R" << 0 << false << false << all;
    QTest::newRow("lower-case letter") << "p" << 0 << false << false << all;
    QTest::newRow("clear") << "L" << 0 << true << true << QStringList();
}

void tst_ToolModel::delete_and_clear()
{
    QFETCH(QString, selKind);
    QFETCH(int, selIndex);
    QFETCH(bool, pending);
    QFETCH(bool, clear);
    QFETCH(QStringList, remaining);

    ToolModel model;
    addTools(model, ToolPoint, 2);
    addTools(model, ToolLine, 1);
    if (pending)
        model.setToolKind(ToolPoint);
    const Recorder recorder(model);
    model.m_selKind = selKind;
    model.m_selIndex = selIndex;

    clear ? model.clearTools() : model.deleteSelectedTool();
    QCOMPARE(allNames(model), remaining);
    QCOMPARE(model.m_toolKind, int(pending ? ToolPoint : ToolLine));
    QCOMPARE(model.m_selKind, QStringLiteral("null"));
    QCOMPARE(model.selLetter(), QChar('n'));
    QCOMPARE(model.m_selIndex, -1);
    QCOMPARE(recorder.updates, 1);
}

void tst_ToolModel::selection_row_data()
{
    QTest::addColumn<QString>("selKind");
    QTest::addColumn<int>("selIndex");
    QTest::addColumn<QList<int>>("rows");

    // Two points and a pending one, three lines, one rectangle, two circles.
    QTest::newRow("P0 is row 0") << "P" << 0 << QList<int> {0};
    QTest::newRow("L0 follows the points, not the pending one") << "L" << 0 << QList<int> {2};
    QTest::newRow("R0 follows the lines") << "R" << 0 << QList<int> {5};
    QTest::newRow("C1 is the last row") << "C" << 1 << QList<int> {7};
    QTest::newRow("a full word counts by its letter") << "Line" << 1 << QList<int> {3};
    QTest::newRow("null sends nothing") << "null" << 0 << QList<int>();
    QTest::newRow("empty kind sends nothing") << "" << 0 << QList<int>();
    QTest::newRow("the pending point has no row") << "P" << 2 << QList<int> {-1};
    QTest::newRow("line index past its list has no row") << "L" << 3 << QList<int> {-1};
    QTest::newRow("negative index has no row") << "C" << -1 << QList<int> {-1};
}

void tst_ToolModel::selection_row()
{
    QFETCH(QString, selKind);
    QFETCH(int, selIndex);
    QFETCH(QList<int>, rows);

    ToolModel model;
    addTools(model, ToolPoint, 2);
    addTools(model, ToolLine, 3);
    addTools(model, ToolRect, 1);
    addTools(model, ToolCircle, 2);
    model.setToolKind(ToolPoint);
    Recorder recorder(model);
    model.m_selKind = selKind;
    model.m_selIndex = selIndex;

    model.emitSelection();
    QCOMPARE(recorder.rows, rows);
}

void tst_ToolModel::click_without_drag_selects_no_row()
{
    ToolModel model;
    addTools(model, ToolPoint, 1);
    addTools(model, ToolRect, 1);
    model.setToolKind(ToolLine);
    Recorder recorder(model);

    // Press: the pending L0 takes the press position as both points and is selected.
    placePending(model, {30, 40, 30, 40});
    model.m_selKind = QStringLiteral("L");
    model.m_selIndex = model.m_nextNumber;
    // Release: setToolKind purges L0 and makes a new pending L0 in its place.
    model.setToolKind(ToolLine);
    model.emitSelection();
    // Counting list sizes would send row 1, the rectangle's, which is not selected.
    QCOMPARE(recorder.rows, QList<int>({-1}));
}

void tst_ToolModel::new_tools_take_the_window_colour()
{
    ToolModel model;
    addTools(model, ToolRect, 1);
    model.m_winColor = QColor(0, 0, 255);
    model.setToolKind(ToolRect);
    QCOMPARE(model.m_rects[0]->color, QColor(255, 0, 0));
    QCOMPARE(model.m_rects[1]->color, QColor(0, 0, 255));
}

void tst_ToolModel::line_distance_data()
{
    QTest::addColumn<G>("line");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<int>("distance");

    QTest::newRow("on a horizontal line") << G {0, 0, 10, 0} << QPoint(5, 0) << 0;
    QTest::newRow("three rows off a horizontal line") << G {0, 0, 10, 0} << QPoint(5, 3) << 3;
    QTest::newRow("past the end: the infinite line") << G {0, 0, 10, 0} << QPoint(20, 2) << 2;
    // t = 4 / 32, foot (trunc 0.5, trunc 0.5) = (0, 0).
    QTest::newRow("diagonal, (0, 1): foot at the start") << G {0, 0, 4, 4} << QPoint(0, 1) << 1;
    // t = 8 / 32, foot (1, 1), distance sqrt 2.
    QTest::newRow("diagonal, (2, 0)") << G {0, 0, 4, 4} << QPoint(2, 0) << 1;
    // t = 16 / 32, foot (2, 2), distance sqrt 8 = 2.83.
    QTest::newRow("diagonal, far corner (4, 0)") << G {0, 0, 4, 4} << QPoint(4, 0) << 2;
    // dy = -10, t = 50 / 100, foot (10, 5).
    QTest::newRow("upward vertical line") << G {10, 10, 10, 0} << QPoint(13, 5) << 3;
    // dx = dy = -4, t = 4 / 32, dx * t = -0.5 truncates to 0: foot (4, 4).
    QTest::newRow("backward diagonal truncates toward zero") << G {4, 4, 0, 0} << QPoint(4, 3) << 1;
    QTest::newRow("coinciding end points") << G {5, 5, 5, 5} << QPoint(8, 9) << 5;
}

void tst_ToolModel::line_distance()
{
    QFETCH(G, line);
    QFETCH(QPoint, pixel);
    QFETCH(int, distance);
    QCOMPARE(lineDistance(line[0], line[1], line[2], line[3], pixel.x(), pixel.y()), distance);
}

void tst_ToolModel::statistics_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<G>("geometry");
    // The map's value everywhere, then x, y, value of single pixels; empty: no picture yet.
    QTest::addColumn<F>("picture");
    QTest::addColumn<int>("count");
    QTest::addColumn<float>("maximum");
    QTest::addColumn<float>("minimum");
    QTest::addColumn<float>("average");

    // Covering sets: 1 on the given pixels (everywhere when none are given), 0 elsewhere, so an
    // average of 1 means no other pixel is taken.
    const auto covers = [](const char *name, int kind, const G &g, int count,
                            const QVector<QPoint> &pixels = {}) {
        F picture {pixels.isEmpty() ? 1.0f : 0.0f};
        for (const QPoint &p : pixels)
            picture << float(p.x()) << float(p.y()) << 1.0f;
        QTest::newRow(name) << kind << g << picture << count << 1.0f << 1.0f << 1.0f;
    };
    QVector<QPoint> row50;
    for (int x = 10; x <= 60; ++x)
        row50 << QPoint(x, 50);
    covers("point", ToolPoint, {12, 300}, 1, {{12, 300}});
    covers("line (10, 50)-(60, 50): row 50", ToolLine, {10, 50, 60, 50}, 51, row50);
    covers("the same right to left", ToolLine, {60, 50, 10, 50}, 51, row50);
    covers("vertical line of 21 rows", ToolLine, {20, 30, 20, 10}, 21);
    // The diagonal and, beside it, the pixels whose truncated distance from the foot is 1.
    covers("diagonal (0, 0)-(4, 4)", ToolLine, {0, 0, 4, 4}, 19,
        {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}, {0, 2}, {1, 2}, {2, 2}, {3, 2},
            {4, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {2, 4}, {3, 4}, {4, 4}});
    covers("rectangle 3 x 4 from its far corner", ToolRect, {12, 13, 10, 10}, 12);
    covers("rectangle one column wide", ToolRect, {7, 20, 7, 10}, 11);
    covers("rectangle over the whole picture", ToolRect, {0, 0, 239, 319}, PixelCount);
    covers("circle radius 1: 3 x 3", ToolCircle, {50, 50, 51, 50, 1}, 9);
    covers("circle radius 2: 5 x 5", ToolCircle, {50, 50, 52, 50, 2}, 25);
    covers("circle radius 3: 7 x 7 without corners", ToolCircle, {50, 50, 53, 50, 3}, 45);
    // Of the 7 x 7 square only x, y 0-4 lie in the picture, and (4, 4) is 4.24 away.
    covers("circle past the top left edge", ToolCircle, {1, 1, 4, 1, 3}, 24);
    // Here x * 320 + y would pass the end of the map.
    covers("circle past the bottom right edge", ToolCircle, {238, 318, 238, 315, 3}, 24);

    for (const float v : {23.5f, -15.25f, 1999.5f}) // -15.25 lies below the starting maximum
        QTest::addRow("point %g", double(v))
            << int(ToolPoint) << G {12, 300} << F {30, 12, 300, v} << 1 << v << v << v;
    // (35.5 + 12.25 + 20 + 20) / 4; (102, 200) lies outside.
    QTest::newRow("rectangle") << int(ToolRect) << G {101, 201, 100, 200}
                               << F {20, 101, 200, 35.5f, 100, 201, 12.25f, 102, 200, 99} << 4
                               << 35.5f << 12.25f << 21.9375f;
    // The sum, 1 920 000, is exact in single precision.
    QTest::newRow("whole picture")
        << int(ToolRect) << G {239, 319, 0, 0} << F {25, 0, 0, 30, 239, 319, 10} << PixelCount
        << 30.0f << 10.0f << 25.0f;
    QTest::newRow("region below -10 reports its own maximum")
        << int(ToolRect) << G {0, 0, 9, 9} << F {-20} << 100 << -20.0f << -20.0f << -20.0f;
    QTest::newRow("region above 2000 reports its own minimum")
        << int(ToolCircle) << G {50, 50, 51, 50, 1} << F {2500} << 9 << 2500.0f << 2500.0f
        << 2500.0f;
    QTest::newRow("no picture: starting values")
        << int(ToolRect) << G {0, 0, 239, 319} << F() << 0 << -10.0f << 2000.0f << 0.0f;
    for (const int kind : {ToolPoint, ToolLine, ToolRect, ToolCircle})
        QTest::addRow("pending record of kind %d reads nothing", kind)
            << kind << G(5, -1) << F {25} << 0 << -10.0f << 2000.0f << 0.0f;
}

void tst_ToolModel::statistics()
{
    QFETCH(int, kind);
    QFETCH(G, geometry);
    QFETCH(F, picture);
    QFETCH(int, count);
    QFETCH(float, maximum);
    QFETCH(float, minimum);
    QFETCH(float, average);

    std::vector<float> map(picture.isEmpty() ? 0 : PixelCount, picture.value(0));
    for (int i = 1; i + 2 < picture.size(); i += 3)
        map[std::size_t(picture[i]) * 320 + std::size_t(picture[i + 1])] = picture[i + 2];
    const ToolStats stats = measure(map, kind, geometry);
    QCOMPARE(stats.count, count);
    QCOMPARE(stats.maximum, maximum);
    QCOMPARE(stats.minimum, minimum);
    QCOMPARE(stats.average, average);
}

QTEST_GUILESS_MAIN(tst_ToolModel)
#include "tst_toolmodel.moc"
