#include "overlay/toolmodel.h"

#include <QtTest>

#include <vector>

namespace {

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

// Calls fn with the pending record of the model's kind, the one at m_nextNumber.
template <class Fn> auto onPending(ToolModel &m, Fn fn)
{
    const int i = m.m_nextNumber;
    switch (m.m_toolKind) {
    case ToolPoint:
        return fn(*toolAt(m.m_points, i));
    case ToolLine:
        return fn(*toolAt(m.m_lines, i));
    case ToolRect:
        return fn(*toolAt(m.m_rects, i));
    default:
        return fn(*toolAt(m.m_circles, i));
    }
}

// n finished tools of a kind, as the tool button and n press-drag-release gestures leave them.
void addTools(ToolModel &model, int kind, int n)
{
    for (int k = 0; k < n; ++k) {
        model.setToolKind(kind);
        const int x = 20 + 3 * k;
        onPending(model, [x](auto &t) { assign(t, {x, 30, x + 5, 40, 2}); });
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

} // namespace

class tst_ToolModel : public QObject
{
    Q_OBJECT

private slots:
    void naming_after_deletions_data();
    void naming_after_deletions();
    void purge_data();
    void purge();
    void selection_and_deletion_data();
    void selection_and_deletion();
    void statistics_data();
    void statistics();
};

void tst_ToolModel::naming_after_deletions_data()
{
    // clang-format off
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("created");
    QTest::addColumn<QStringList>("deleted");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("newIndex");

    QTest::newRow("L1 deleted from L0 L1 L2: new line L1 between L0 and L2")
        << int(ToolLine) << 3 << QStringList {"L1"} << QStringList {"L0", "L1", "L2"} << 1;
    QTest::newRow("R0 and R2 deleted from four: new rectangle R0 first")
        << int(ToolRect) << 4 << QStringList {"R0", "R2"} << QStringList {"R0", "R1", "R3"} << 0;
    QTest::newRow("nothing deleted: next after the last")
        << int(ToolCircle) << 3 << QStringList() << QStringList {"C0", "C1", "C2", "C3"} << 3;
    QTest::newRow("all deleted: numbering starts again")
        << int(ToolPoint) << 2 << QStringList {"P0", "P1"} << QStringList {"P0"} << 0;
    QStringList twelve;
    for (int n = 0; n < 12; ++n)
        twelve << QStringLiteral("P%1").arg(n);
    QTest::newRow("two-digit numbers in numeric order")
        << int(ToolPoint) << 11 << QStringList() << twelve << 11;
    // clang-format on
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
    // The new record takes the window's colour.
    model.m_winColor = QColor(0, 0, 255);
    model.setToolKind(kind);
    QCOMPARE(allNames(model), after);
    QCOMPARE(model.m_nextNumber, newIndex);
    QCOMPARE(onPending(model, [](auto &t) { return t.color; }), QColor(0, 0, 255));
}

void tst_ToolModel::purge_data()
{
    // clang-format off
    QTest::addColumn<int>("kind");
    QTest::addColumn<G>("geometry"); // empty: the record as setToolKind makes it
    QTest::addColumn<bool>("stays");

    QTest::newRow("pending point") << int(ToolPoint) << G() << false;
    QTest::newRow("point at the origin") << int(ToolPoint) << G {0, 0} << true;
    QTest::newRow("pending line") << int(ToolLine) << G() << false;
    QTest::newRow("line pressed, not dragged") << int(ToolLine) << G {5, 6, 5, 6} << false;
    QTest::newRow("vertical line") << int(ToolLine) << G {5, 6, 5, 9} << true;
    QTest::newRow("pending rectangle") << int(ToolRect) << G() << false;
    QTest::newRow("rectangle pressed, not dragged") << int(ToolRect) << G {70, 80, 70, 80} << false;
    QTest::newRow("rectangle one column wide") << int(ToolRect) << G {7, 10, 7, 20} << true;
    QTest::newRow("pending circle") << int(ToolCircle) << G() << false;
    QTest::newRow("circle pressed, not dragged") << int(ToolCircle) << G {50, 50, 50, 50, -1}
                                                 << false;
    QTest::newRow("circle dragged back to its centre") << int(ToolCircle) << G {50, 50, 50, 50, 3}
                                                       << false;
    QTest::newRow("circle dragged") << int(ToolCircle) << G {50, 50, 52, 50, 2} << true;
    QTest::newRow("cursor makes no record") << int(ToolCursor) << G() << false;
    QTest::newRow("kind 6 makes no record") << 6 << G() << false;
    // clang-format on
}

void tst_ToolModel::purge()
{
    QFETCH(int, kind);
    QFETCH(G, geometry);
    QFETCH(bool, stays);

    ToolModel model;
    model.setToolKind(ToolPoint);
    model.setToolKind(kind); // purges the pending P0; kinds 2-5 make a record of their own
    QCOMPARE(allNames(model).size(), kind >= ToolPoint && kind <= ToolCircle ? 1 : 0);
    if (!geometry.isEmpty())
        onPending(model, [&](auto &t) { assign(t, geometry); });
    model.purgeTools();
    QCOMPARE(allNames(model).size(), stays ? 1 : 0);
}

void tst_ToolModel::selection_and_deletion_data()
{
    // clang-format off
    QTest::addColumn<QString>("selKind");
    QTest::addColumn<int>("selIndex");
    QTest::addColumn<QList<int>>("rows"); // what the selection sends
    QTest::addColumn<QString>("deleted"); // what a deletion then removes

    // P0 P1, a pending P2, L0 L1 L2, R0, C0 C1.
    QTest::newRow("P0 is row 0") << "P" << 0 << QList<int> {0} << "P0";
    QTest::newRow("L0 follows the points, not pending P2") << "L" << 0 << QList<int> {2} << "L0";
    QTest::newRow("R0 follows the lines") << "R" << 0 << QList<int> {5} << "R0";
    QTest::newRow("C1 is the last row") << "C" << 1 << QList<int> {7} << "C1";
    QTest::newRow("a full word counts by its letter") << "Line" << 1 << QList<int> {3} << "L1";
    QTest::newRow("null sends nothing") << "null" << 0 << QList<int>() << "";
    QTest::newRow("empty kind sends nothing") << "" << 0 << QList<int>() << "";
    QTest::newRow("lower-case letter sends nothing") << "p" << 0 << QList<int>() << "";
    QTest::newRow("the pending point has no row") << "P" << 2 << QList<int> {-1} << "";
    QTest::newRow("line index past its list has no row") << "L" << 3 << QList<int> {-1} << "";
    QTest::newRow("negative index has no row") << "C" << -1 << QList<int> {-1} << "";
    // clang-format on
}

void tst_ToolModel::selection_and_deletion()
{
    QFETCH(QString, selKind);
    QFETCH(int, selIndex);
    QFETCH(QList<int>, rows);
    QFETCH(QString, deleted);

    ToolModel model;
    addTools(model, ToolPoint, 2);
    addTools(model, ToolLine, 3);
    addTools(model, ToolRect, 1);
    addTools(model, ToolCircle, 2);
    model.setToolKind(ToolPoint);
    QList<int> sent;
    int updates = 0;
    model.onSetSelect = [&sent](int row) { sent << row; };
    model.onUpdatTool = [&updates] { ++updates; };
    model.m_selKind = selKind;
    model.m_selIndex = selIndex;
    model.emitSelection();
    QCOMPARE(sent, rows);

    // Deleting purges the pending point too; deleting and clearing both end the selection.
    QStringList remaining {"P0", "P1", "L0", "L1", "L2", "R0", "C0", "C1"};
    remaining.removeOne(deleted);
    model.deleteSelectedTool();
    QCOMPARE(allNames(model), remaining);
    model.emitSelection();
    model.m_selKind = selKind;
    model.clearTools();
    QCOMPARE(allNames(model), QStringList());
    model.emitSelection();
    QCOMPARE(sent, rows);
    QCOMPARE(updates, 2);
}

void tst_ToolModel::statistics_data()
{
    // clang-format off
    QTest::addColumn<int>("kind");
    QTest::addColumn<G>("geometry");
    // The map's value everywhere, then x, y, value of single pixels; empty: no picture yet.
    QTest::addColumn<F>("picture");
    QTest::addColumn<F>("expected"); // count, maximum, minimum, average

    // Covering sets: 1 on the given pixels (everywhere when none are given), 0 elsewhere, so an
    // average of 1 means no other pixel is taken.
    const auto covers = [](const char *name, int kind, const G &g, int count,
                            const QVector<QPoint> &pixels = {}) {
        F picture {pixels.isEmpty() ? 1.0f : 0.0f};
        for (const QPoint &p : pixels)
            picture << float(p.x()) << float(p.y()) << 1.0f;
        QTest::newRow(name) << kind << g << picture << F {float(count), 1, 1, 1};
    };
    covers("point", ToolPoint, {12, 300}, 1, {{12, 300}});
    covers("line right to left along row 50", ToolLine, {60, 50, 10, 50}, 51);
    covers("vertical line of 21 rows", ToolLine, {20, 30, 20, 10}, 21);
    // The diagonal and, beside it, the pixels whose truncated distance from the foot is 1.
    covers("diagonal (0, 0)-(4, 4)", ToolLine, {0, 0, 4, 4}, 19,
        {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}, {0, 2}, {1, 2}, {2, 2}, {3, 2},
            {4, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {2, 4}, {3, 4}, {4, 4}});
    // The feet of the perpendiculars truncate toward zero; rounding down would take 21 pixels.
    covers("anti-diagonal from the right", ToolLine, {4, 0, 0, 4}, 19);
    covers("anti-diagonal from the bottom", ToolLine, {0, 4, 4, 0}, 19);
    // Its two points coincide, so there is no direction to project on.
    covers("line pressed, not dragged: its one pixel", ToolLine, {5, 5, 5, 5}, 1);
    covers("rectangle 3 x 4 from its far corner", ToolRect, {12, 13, 10, 10}, 12);
    covers("circle radius 1: 3 x 3", ToolCircle, {50, 50, 51, 50, 1}, 9);
    covers("circle radius 3: 7 x 7 without corners", ToolCircle, {50, 50, 53, 50, 3}, 45);
    // Of the 7 x 7 square only x, y 0-4 lie in the picture, and (4, 4) is 4.24 away.
    covers("circle past the top left edge", ToolCircle, {1, 1, 4, 1, 3}, 24);
    // Here x * 320 + y would pass the end of the map.
    covers("circle past the bottom right edge", ToolCircle, {238, 318, 238, 315, 3}, 24);

    // (35.5 + 12.25 + 20 + 20) / 4; (102, 200) lies outside.
    QTest::newRow("rectangle") << int(ToolRect) << G {101, 201, 100, 200}
        << F {20, 101, 200, 35.5f, 100, 201, 12.25f, 102, 200, 99}
        << F {4, 35.5f, 12.25f, 21.9375f};
    QTest::newRow("region below -10 reports its own maximum")
        << int(ToolRect) << G {0, 0, 9, 9} << F {-20} << F {100, -20, -20, -20};
    QTest::newRow("region above 2000 reports its own minimum")
        << int(ToolCircle) << G {50, 50, 51, 50, 1} << F {2500} << F {9, 2500, 2500, 2500};
    QTest::newRow("no picture: starting values")
        << int(ToolRect) << G {0, 0, 239, 319} << F() << F {0, -10, 2000, 0};
    for (const int kind : {ToolPoint, ToolLine, ToolRect, ToolCircle})
        QTest::addRow("pending record of kind %d reads nothing", kind)
            << kind << G(5, -1) << F {25} << F {0, -10, 2000, 0};
    // clang-format on
}

void tst_ToolModel::statistics()
{
    QFETCH(int, kind);
    QFETCH(G, geometry);
    QFETCH(F, picture);
    QFETCH(F, expected);

    std::vector<float> map(picture.isEmpty() ? 0 : 240 * 320, picture.value(0));
    for (int i = 1; i + 2 < picture.size(); i += 3)
        map[std::size_t(picture[i]) * 320 + std::size_t(picture[i + 1])] = picture[i + 2];
    ToolModel model;
    model.setToolKind(kind);
    const ToolStats stats = onPending(model, [&](auto &t) {
        assign(t, geometry);
        return measureTool(map, t);
    });
    QCOMPARE(F({float(stats.count), stats.maximum, stats.minimum, stats.average}), expected);
}

QTEST_GUILESS_MAIN(tst_ToolModel)
#include "tst_toolmodel.moc"
