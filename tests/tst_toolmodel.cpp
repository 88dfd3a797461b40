#include "overlay/toolmodel.h"

#include <QtTest>

#include <vector>

namespace {

constexpr int PixelCount = 240 * 320;

std::size_t at(int x, int y)
{
    return std::size_t(x) * 320 + std::size_t(y);
}

// Places the pending record of the current kind the way a press and a drag do.
void placePending(ToolModel &model, const QVector<int> &c)
{
    const int i = model.m_nextNumber;
    switch (model.m_toolKind) {
    case ToolPoint: {
        PointTool *t = toolAt(model.m_points, i);
        t->x = c[0];
        t->y = c[1];
        break;
    }
    case ToolLine: {
        LineTool *t = toolAt(model.m_lines, i);
        t->x1 = c[0], t->y1 = c[1], t->x2 = c[2], t->y2 = c[3];
        break;
    }
    case ToolRect: {
        RectTool *t = toolAt(model.m_rects, i);
        t->x1 = c[0], t->y1 = c[1], t->x2 = c[2], t->y2 = c[3];
        break;
    }
    case ToolCircle: {
        CircleTool *t = toolAt(model.m_circles, i);
        t->cx = c[0], t->cy = c[1], t->ex = c[2], t->ey = c[3], t->r = c[4];
        break;
    }
    default:
        QFAIL("no pending record");
    }
}

// Some geometry with two distinct points for each kind.
QVector<int> someGeometry(int kind, int n)
{
    const int x = 20 + 3 * n;
    if (kind == ToolPoint)
        return {x, 30};
    if (kind == ToolCircle)
        return {x, 100, x + 2, 100, 2};
    return {x, 30, x + 5, 40};
}

// n finished tools of a kind, as the window's tool button and n press-drag-release gestures
// leave them (without the pending record of the last release).
void addTools(ToolModel &model, int kind, int n)
{
    for (int k = 0; k < n; ++k) {
        model.setToolKind(kind);
        placePending(model, someGeometry(kind, k));
    }
}

template <class Tool> QStringList names(const ToolList<Tool> &list)
{
    QStringList out;
    for (const auto &t : list)
        out << t->name;
    return out;
}

QStringList namesOf(const ToolModel &model, int kind)
{
    switch (kind) {
    case ToolPoint:
        return names(model.m_points);
    case ToolLine:
        return names(model.m_lines);
    case ToolRect:
        return names(model.m_rects);
    case ToolCircle:
        return names(model.m_circles);
    default:
        return {};
    }
}

QStringList allNames(const ToolModel &model)
{
    return names(model.m_points) + names(model.m_lines) + names(model.m_rects)
        + names(model.m_circles);
}

ToolStats measure(const std::vector<float> &map, int kind, const QVector<int> &c)
{
    switch (kind) {
    case ToolPoint: {
        PointTool t;
        t.x = c[0], t.y = c[1];
        return measureTool(map, t);
    }
    case ToolLine: {
        LineTool t;
        t.x1 = c[0], t.y1 = c[1], t.x2 = c[2], t.y2 = c[3];
        return measureTool(map, t);
    }
    case ToolRect: {
        RectTool t;
        t.x1 = c[0], t.y1 = c[1], t.x2 = c[2], t.y2 = c[3];
        return measureTool(map, t);
    }
    default: {
        CircleTool t;
        t.cx = c[0], t.cy = c[1], t.ex = c[2], t.ey = c[3], t.r = c[4];
        return measureTool(map, t);
    }
    }
}

// Counts the callbacks of a model.
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
    void construction();
    void first_tool_names_data();
    void first_tool_names();
    void naming_after_deletions_data();
    void naming_after_deletions();
    void kinds_without_records_data();
    void kinds_without_records();
    void purge_data();
    void purge();
    void purge_keeps_order_and_selection();
    void delete_selected_data();
    void delete_selected();
    void delete_removes_pending_records_first();
    void clear_removes_everything();
    void selection_row_data();
    void selection_row();
    void click_without_drag_selects_no_row();
    void pending_point_before_selected_line_is_not_counted();
    void colour_change_keeps_existing_tools();
    void line_distance_data();
    void line_distance();
    void covering_counts_data();
    void covering_counts();
    void horizontal_line_takes_exactly_its_row();
    void diagonal_takes_the_expected_pixels();
    void point_statistics_data();
    void point_statistics();
    void rectangle_statistics();
    void region_colder_than_minus_10_reports_its_own_maximum();
    void region_hotter_than_2000_reports_its_own_minimum();
    void no_pixel_keeps_starting_values();
    void pending_record_reads_nothing();
    void circle_past_the_edge_reads_inside_the_picture();
    void whole_picture_average();
};

void tst_ToolModel::construction()
{
    const ToolModel model;
    QVERIFY(model.m_points.empty() && model.m_lines.empty() && model.m_rects.empty()
        && model.m_circles.empty());
    QVERIFY(model.m_selKind.isEmpty());
    QCOMPARE(model.selLetter(), QChar());
    QCOMPARE(model.m_toolKind, int(ToolCursor));
    QCOMPARE(model.m_winColor, QColor(255, 0, 0, 255));
    QCOMPARE(model.m_highlightColor, QColor(0, 255, 0, 255));
    QCOMPARE(model.selectionRow(), std::optional<int>());
}

void tst_ToolModel::first_tool_names_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");

    QTest::newRow("point P0") << int(ToolPoint) << "P0";
    QTest::newRow("line L0") << int(ToolLine) << "L0";
    QTest::newRow("rectangle R0") << int(ToolRect) << "R0";
    QTest::newRow("circle C0") << int(ToolCircle) << "C0";
}

void tst_ToolModel::first_tool_names()
{
    QFETCH(int, kind);
    QFETCH(QString, name);

    ToolModel model;
    model.setToolKind(kind);
    QCOMPARE(model.m_toolKind, kind);
    QCOMPARE(model.m_nextNumber, 0);
    QCOMPARE(allNames(model), QStringList {name});
    QCOMPARE(model.placedCount(), 0);

    if (kind == ToolPoint) {
        const PointTool &t = *model.m_points[0];
        QCOMPARE(t.x, -1);
        QCOMPARE(t.y, -1);
        QCOMPARE(t.size, 9);
        QCOMPARE(t.color, QColor(255, 0, 0));
    } else if (kind == ToolCircle) {
        const CircleTool &t = *model.m_circles[0];
        QCOMPARE(QVector<int>({t.cx, t.cy, t.ex, t.ey, t.r}), QVector<int>(5, -1));
        QCOMPARE(t.color, QColor(255, 0, 0));
    } else {
        const LineTool *line = toolAt(model.m_lines, 0);
        const RectTool *rect = toolAt(model.m_rects, 0);
        const QVector<int> c = line ? QVector<int> {line->x1, line->y1, line->x2, line->y2}
                                    : QVector<int> {rect->x1, rect->y1, rect->x2, rect->y2};
        QCOMPARE(c, QVector<int>(4, -1));
    }
}

void tst_ToolModel::naming_after_deletions_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("created");
    QTest::addColumn<QStringList>("deleted");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("newIndex");

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
        model.m_selIndex = namesOf(model, kind).indexOf(name);
        model.deleteSelectedTool();
    }

    model.setToolKind(kind);
    QCOMPARE(namesOf(model, kind), after);
    QCOMPARE(model.m_nextNumber, newIndex);

    // Placed, it takes its place in the table as in the list.
    placePending(model, someGeometry(kind, 50));
    model.m_selKind = after.at(newIndex).left(1);
    model.m_selIndex = newIndex;
    model.setToolKind(kind);
    QCOMPARE(model.selectionRow(), std::optional<int>(newIndex));
}

void tst_ToolModel::kinds_without_records_data()
{
    QTest::addColumn<int>("kind");

    QTest::newRow("cursor") << int(ToolCursor);
    QTest::newRow("zero") << 0;
    QTest::newRow("six") << 6;
    QTest::newRow("negative") << -1;
}

void tst_ToolModel::kinds_without_records()
{
    QFETCH(int, kind);

    ToolModel model;
    addTools(model, ToolLine, 2);
    model.setToolKind(ToolPoint);
    model.setToolKind(kind);
    QCOMPARE(model.m_toolKind, kind);
    QCOMPARE(model.m_nextNumber, 0);
    // The pending point is purged and nothing new is made.
    QCOMPARE(allNames(model), QStringList({"L0", "L1"}));
}

void tst_ToolModel::purge_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QVector<int>>("geometry");
    QTest::addColumn<bool>("stays");

    QTest::newRow("pending point") << int(ToolPoint) << QVector<int> {-1, -1} << false;
    QTest::newRow("point at the origin") << int(ToolPoint) << QVector<int> {0, 0} << true;
    QTest::newRow("pending line") << int(ToolLine) << QVector<int>(4, -1) << false;
    QTest::newRow("line pressed, not dragged")
        << int(ToolLine) << QVector<int> {5, 6, 5, 6} << false;
    QTest::newRow("vertical line") << int(ToolLine) << QVector<int> {5, 6, 5, 9} << true;
    QTest::newRow("horizontal line") << int(ToolLine) << QVector<int> {5, 6, 9, 6} << true;
    QTest::newRow("pending rectangle") << int(ToolRect) << QVector<int>(4, -1) << false;
    QTest::newRow("rectangle pressed, not dragged")
        << int(ToolRect) << QVector<int> {70, 80, 70, 80} << false;
    QTest::newRow("rectangle one column wide")
        << int(ToolRect) << QVector<int> {7, 10, 7, 20} << true;
    QTest::newRow("pending circle") << int(ToolCircle) << QVector<int>(5, -1) << false;
    QTest::newRow("circle pressed, not dragged")
        << int(ToolCircle) << QVector<int> {50, 50, 50, 50, -1} << false;
    QTest::newRow("circle dragged back to its centre")
        << int(ToolCircle) << QVector<int> {50, 50, 50, 50, 3} << false;
    QTest::newRow("circle dragged") << int(ToolCircle) << QVector<int> {50, 50, 52, 50, 2} << true;
}

void tst_ToolModel::purge()
{
    QFETCH(int, kind);
    QFETCH(QVector<int>, geometry);
    QFETCH(bool, stays);

    ToolModel model;
    model.setToolKind(kind);
    placePending(model, geometry);
    model.purgeTools();
    QCOMPARE(int(allNames(model).size()), stays ? 1 : 0);
}

void tst_ToolModel::purge_keeps_order_and_selection()
{
    ToolModel model;
    addTools(model, ToolLine, 3);
    toolAt(model.m_lines, 1)->x2 = toolAt(model.m_lines, 1)->x1;
    toolAt(model.m_lines, 1)->y2 = toolAt(model.m_lines, 1)->y1;
    model.m_selKind = QStringLiteral("L");
    model.m_selIndex = 2;

    model.purgeTools();
    QCOMPARE(names(model.m_lines), QStringList({"L0", "L2"}));
    QCOMPARE(model.m_selKind, QStringLiteral("L"));
    QCOMPARE(model.m_selIndex, 2);
}

void tst_ToolModel::delete_selected_data()
{
    QTest::addColumn<QString>("selKind");
    QTest::addColumn<int>("selIndex");
    QTest::addColumn<QStringList>("remaining");

    const QStringList all {"P0", "P1", "L0"};
    QTest::newRow("P1") << "P" << 1 << QStringList {"P0", "L0"};
    QTest::newRow("L0") << "L" << 0 << QStringList {"P0", "P1"};
    QTest::newRow("nothing selected") << "null" << 0 << all;
    QTest::newRow("never selected (empty kind)") << "" << 0 << all;
    QTest::newRow("index past the end") << "P" << 2 << all;
    QTest::newRow("negative index") << "P" << -1 << all;
    QTest::newRow("kind without tools") << "R" << 0 << all;
    QTest::newRow("lower-case letter") << "p" << 0 << all;
}

void tst_ToolModel::delete_selected()
{
    QFETCH(QString, selKind);
    QFETCH(int, selIndex);
    QFETCH(QStringList, remaining);

    ToolModel model;
    addTools(model, ToolPoint, 2);
    addTools(model, ToolLine, 1);
    const Recorder recorder(model);
    model.m_selKind = selKind;
    model.m_selIndex = selIndex;

    model.deleteSelectedTool();
    QCOMPARE(allNames(model), remaining);
    QCOMPARE(model.m_selKind, QStringLiteral("null"));
    QCOMPARE(model.selLetter(), QChar('n'));
    QCOMPARE(model.m_selIndex, -1);
    QCOMPARE(recorder.updates, 1);
}

void tst_ToolModel::delete_removes_pending_records_first()
{
    ToolModel model;
    addTools(model, ToolPoint, 3);
    model.m_selKind = QStringLiteral("P");
    model.m_selIndex = 1;
    model.setToolKind(ToolPoint); // pending P3 after the three

    model.deleteSelectedTool();
    QCOMPARE(names(model.m_points), QStringList({"P0", "P2"}));
}

void tst_ToolModel::clear_removes_everything()
{
    ToolModel model;
    addTools(model, ToolPoint, 2);
    addTools(model, ToolCircle, 2);
    model.setToolKind(ToolRect);
    model.m_selKind = QStringLiteral("C");
    model.m_selIndex = 1;
    Recorder recorder(model);

    model.clearTools();
    QVERIFY(allNames(model).isEmpty());
    QCOMPARE(model.m_selKind, QStringLiteral("null"));
    QCOMPARE(model.m_selIndex, -1);
    QCOMPARE(model.m_toolKind, int(ToolRect));
    QCOMPARE(recorder.updates, 1);

    model.emitSelection();
    QVERIFY(recorder.rows.isEmpty());
    model.deleteSelectedTool();
    QVERIFY(allNames(model).isEmpty());
    QCOMPARE(recorder.updates, 2);
}

void tst_ToolModel::selection_row_data()
{
    QTest::addColumn<QString>("selKind");
    QTest::addColumn<int>("selIndex");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<int>("row");

    // Two points, three lines, one rectangle, two circles.
    QTest::newRow("P0 is row 0") << "P" << 0 << true << 0;
    QTest::newRow("P1 is row 1") << "P" << 1 << true << 1;
    QTest::newRow("L0 follows the points") << "L" << 0 << true << 2;
    QTest::newRow("L2") << "L" << 2 << true << 4;
    QTest::newRow("R0 follows the lines") << "R" << 0 << true << 5;
    QTest::newRow("C1 is the last row") << "C" << 1 << true << 7;
    QTest::newRow("a full word counts by its letter") << "Line" << 1 << true << 3;
    QTest::newRow("null sends nothing") << "null" << 0 << false << 0;
    QTest::newRow("empty kind sends nothing") << "" << 0 << false << 0;
    QTest::newRow("line index past its list has no row") << "L" << 3 << true << -1;
    QTest::newRow("negative index has no row") << "C" << -1 << true << -1;
}

void tst_ToolModel::selection_row()
{
    QFETCH(QString, selKind);
    QFETCH(int, selIndex);
    QFETCH(bool, sent);
    QFETCH(int, row);

    ToolModel model;
    addTools(model, ToolPoint, 2);
    addTools(model, ToolLine, 3);
    addTools(model, ToolRect, 1);
    addTools(model, ToolCircle, 2);
    Recorder recorder(model);
    model.m_selKind = selKind;
    model.m_selIndex = selIndex;

    model.emitSelection();
    QCOMPARE(recorder.rows, sent ? QList<int> {row} : QList<int>());
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
    // Release: the window's setToolKind purges L0 and makes a new pending L0 in its place.
    model.setToolKind(ToolLine);
    model.emitSelection();

    // Counting list sizes would send row 1, the rectangle's, which is not selected.
    QCOMPARE(recorder.rows, QList<int>({-1}));
}

void tst_ToolModel::pending_point_before_selected_line_is_not_counted()
{
    ToolModel model;
    addTools(model, ToolPoint, 1);
    addTools(model, ToolLine, 1);
    model.setToolKind(ToolPoint); // pending P1
    model.m_selKind = QStringLiteral("L");
    model.m_selIndex = 0;
    Recorder recorder(model);

    model.emitSelection();
    // The table has P0 then L0: L0 is row 1, whatever the pending point.
    QCOMPARE(recorder.rows, QList<int>({1}));
}

void tst_ToolModel::colour_change_keeps_existing_tools()
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
    QTest::addColumn<QVector<int>>("line");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("distance");

    QTest::newRow("on a horizontal line") << QVector<int> {0, 0, 10, 0} << 5 << 0 << 0;
    QTest::newRow("three rows off a horizontal line") << QVector<int> {0, 0, 10, 0} << 5 << 3 << 3;
    QTest::newRow("past the end: the infinite line counts")
        << QVector<int> {0, 0, 10, 0} << 20 << 2 << 2;
    // t = 4 / 32, foot (trunc 0.5, trunc 0.5) = (0, 0).
    QTest::newRow("diagonal, (0, 1): foot truncated to the start")
        << QVector<int> {0, 0, 4, 4} << 0 << 1 << 1;
    // t = 8 / 32, foot (1, 1), distance sqrt 2.
    QTest::newRow("diagonal, (2, 0)") << QVector<int> {0, 0, 4, 4} << 2 << 0 << 1;
    // t = 16 / 32, foot (2, 2), distance sqrt 8 = 2.83.
    QTest::newRow("diagonal, far corner (4, 0)") << QVector<int> {0, 0, 4, 4} << 4 << 0 << 2;
    // dy = -10, t = 50 / 100, foot (10, 5).
    QTest::newRow("upward vertical line") << QVector<int> {10, 10, 10, 0} << 13 << 5 << 3;
    // dx = dy = -4, t = 4 / 32, dx * t = -0.5 truncates to 0: foot (4, 4).
    QTest::newRow("backward diagonal truncates toward zero")
        << QVector<int> {4, 4, 0, 0} << 4 << 3 << 1;
    QTest::newRow("coinciding points: distance from the point")
        << QVector<int> {5, 5, 5, 5} << 8 << 9 << 5;
}

void tst_ToolModel::line_distance()
{
    QFETCH(QVector<int>, line);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, distance);

    QCOMPARE(lineDistance(line[0], line[1], line[2], line[3], x, y), distance);
}

void tst_ToolModel::covering_counts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QVector<int>>("geometry");
    QTest::addColumn<int>("count");

    QTest::newRow("point") << int(ToolPoint) << QVector<int> {12, 300} << 1;
    QTest::newRow("line (10, 50)-(60, 50): 51 pixels of row 50")
        << int(ToolLine) << QVector<int> {10, 50, 60, 50} << 51;
    QTest::newRow("the same line drawn right to left")
        << int(ToolLine) << QVector<int> {60, 50, 10, 50} << 51;
    QTest::newRow("vertical line of 21 rows")
        << int(ToolLine) << QVector<int> {20, 30, 20, 10} << 21;
    QTest::newRow("diagonal (0, 0)-(4, 4): 19 pixels")
        << int(ToolLine) << QVector<int> {0, 0, 4, 4} << 19;
    QTest::newRow("rectangle 3 x 4 from its far corner")
        << int(ToolRect) << QVector<int> {12, 13, 10, 10} << 12;
    QTest::newRow("rectangle one column wide")
        << int(ToolRect) << QVector<int> {7, 20, 7, 10} << 11;
    QTest::newRow("rectangle over the whole picture")
        << int(ToolRect) << QVector<int> {0, 0, 239, 319} << PixelCount;
    QTest::newRow("circle radius 1: 3 x 3")
        << int(ToolCircle) << QVector<int> {50, 50, 51, 50, 1} << 9;
    QTest::newRow("circle radius 2: 5 x 5")
        << int(ToolCircle) << QVector<int> {50, 50, 52, 50, 2} << 25;
    QTest::newRow("circle radius 3: 7 x 7 without corners")
        << int(ToolCircle) << QVector<int> {50, 50, 53, 50, 3} << 45;
}

void tst_ToolModel::covering_counts()
{
    QFETCH(int, kind);
    QFETCH(QVector<int>, geometry);
    QFETCH(int, count);

    const std::vector<float> map(PixelCount, 25.0f);
    const ToolStats stats = measure(map, kind, geometry);
    QCOMPARE(stats.count, count);
    QCOMPARE(stats.average, 25.0f);
}

void tst_ToolModel::horizontal_line_takes_exactly_its_row()
{
    std::vector<float> map(PixelCount, 0.0f);
    for (int x = 10; x <= 60; ++x)
        map[at(x, 50)] = 1.0f;

    const ToolStats stats = measure(map, ToolLine, {10, 50, 60, 50});
    QCOMPARE(stats.count, 51);
    QCOMPARE(stats.minimum, 1.0f);
    QCOMPARE(stats.maximum, 1.0f);
}

void tst_ToolModel::diagonal_takes_the_expected_pixels()
{
    // The diagonal and, beside it, the pixels whose truncated distance from the foot is 1.
    const QVector<QPoint> expected {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}, {0, 2},
        {1, 2}, {2, 2}, {3, 2}, {4, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {2, 4}, {3, 4}, {4, 4}};
    std::vector<float> map(PixelCount, 0.0f);
    for (const QPoint &p : expected)
        map[at(p.x(), p.y())] = 1.0f;

    const ToolStats stats = measure(map, ToolLine, {0, 0, 4, 4});
    QCOMPARE(stats.count, 19);
    QCOMPARE(stats.minimum, 1.0f);
}

void tst_ToolModel::point_statistics_data()
{
    QTest::addColumn<float>("value");

    QTest::newRow("23.5") << 23.5f;
    QTest::newRow("-15.25, below the starting maximum") << -15.25f;
    QTest::newRow("1999.5") << 1999.5f;
}

void tst_ToolModel::point_statistics()
{
    QFETCH(float, value);

    std::vector<float> map(PixelCount, 30.0f);
    map[at(12, 300)] = value;
    const ToolStats stats = measure(map, ToolPoint, {12, 300});
    QCOMPARE(stats.count, 1);
    QCOMPARE(stats.maximum, value);
    QCOMPARE(stats.minimum, value);
    QCOMPARE(stats.average, value);
}

void tst_ToolModel::rectangle_statistics()
{
    std::vector<float> map(PixelCount, 20.0f);
    map[at(101, 200)] = 35.5f;
    map[at(100, 201)] = 12.25f;
    map[at(102, 200)] = 99.0f; // outside

    const ToolStats stats = measure(map, ToolRect, {101, 201, 100, 200});
    QCOMPARE(stats.count, 4);
    QCOMPARE(stats.maximum, 35.5f);
    QCOMPARE(stats.minimum, 12.25f);
    QCOMPARE(stats.average, 21.9375f); // 87.75 / 4
}

void tst_ToolModel::region_colder_than_minus_10_reports_its_own_maximum()
{
    const std::vector<float> map(PixelCount, -20.0f);
    const ToolStats stats = measure(map, ToolRect, {0, 0, 9, 9});
    QCOMPARE(stats.maximum, -20.0f);
    QCOMPARE(stats.minimum, -20.0f);
    QCOMPARE(stats.average, -20.0f);
}

void tst_ToolModel::region_hotter_than_2000_reports_its_own_minimum()
{
    const std::vector<float> map(PixelCount, 2500.0f);
    const ToolStats stats = measure(map, ToolCircle, {50, 50, 51, 50, 1});
    QCOMPARE(stats.minimum, 2500.0f);
    QCOMPARE(stats.maximum, 2500.0f);
}

void tst_ToolModel::no_pixel_keeps_starting_values()
{
    // No picture loaded yet: the map is empty.
    const std::vector<float> map;
    const ToolStats stats = measure(map, ToolRect, {0, 0, 239, 319});
    QCOMPARE(stats.count, 0);
    QCOMPARE(stats.maximum, -10.0f);
    QCOMPARE(stats.minimum, 2000.0f);
    QCOMPARE(stats.average, 0.0f);
}

void tst_ToolModel::pending_record_reads_nothing()
{
    const std::vector<float> map(PixelCount, 25.0f);
    QCOMPARE(measure(map, ToolPoint, {-1, -1}).count, 0);
    QCOMPARE(measure(map, ToolLine, {-1, -1, -1, -1}).count, 0);
    QCOMPARE(measure(map, ToolRect, {-1, -1, -1, -1}).count, 0);
    QCOMPARE(measure(map, ToolCircle, {-1, -1, -1, -1, -1}).count, 0);
}

void tst_ToolModel::circle_past_the_edge_reads_inside_the_picture()
{
    // Centre (1, 1), radius 3: of its 7 x 7 square only x, y 0-4 lie in the picture, and
    // (4, 4) is 4.24 away.
    const std::vector<float> map(PixelCount, 25.0f);
    const ToolStats stats = measure(map, ToolCircle, {1, 1, 4, 1, 3});
    QCOMPARE(stats.count, 24);

    // The same at the far corner, where x * 320 + y would pass the end of the map.
    QCOMPARE(measure(map, ToolCircle, {238, 318, 238, 315, 3}).count, 24);
}

void tst_ToolModel::whole_picture_average()
{
    std::vector<float> map(PixelCount, 25.0f);
    map[at(0, 0)] = 30.0f;
    map[at(239, 319)] = 10.0f;
    const ToolStats stats = measure(map, ToolRect, {239, 319, 0, 0});
    QCOMPARE(stats.maximum, 30.0f);
    QCOMPARE(stats.minimum, 10.0f);
    QCOMPARE(stats.average, 25.0f); // the sum, 1 920 000, is exact in single precision
}

QTEST_GUILESS_MAIN(tst_ToolModel)
#include "tst_toolmodel.moc"
