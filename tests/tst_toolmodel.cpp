#include "overlay/toolmodel.h"

#include <QtTest>

#include <vector>

namespace {

using F = QVector<float>;

// Sets a record's geometry from numbers in the order of its fields.
struct Geometry
{
    QVector<int> c;
    void operator()(PointTool &t) { t.x = c[0], t.y = c[1]; }
    template <class T> void operator()(T &t) { t = {t.name, c[0], c[1], c[2], c[3], t.color}; }
    void operator()(CircleTool &t) { t = {t.name, c[0], c[1], c[2], c[3], c[4], t.color}; }
};

// Starts a tool as its button does and places its pending record, the one at m_nextNumber, as a
// press-drag-release gesture leaves it: "P x y", "L x1 y1 x2 y2", "R x1 y1 x2 y2" or
// "C cx cy ex ey r". Returns its measurement on the map.
ToolStats add(ToolModel &m, const QString &tool, const std::vector<float> &map = {})
{
    const int kind = QString("PLRC").indexOf(tool.at(0)) + ToolPoint;
    m.setToolKind(kind);
    Geometry g;
    for (const QString &n : tool.mid(2).split(' ', Qt::SkipEmptyParts))
        g.c << n.toInt();
    const auto place = [&](auto *t) { return g(*t), measureTool(map, *t); };
    const int i = m.m_nextNumber;
    return kind == ToolPoint ? place(toolAt(m.m_points, i))
        : kind == ToolLine   ? place(toolAt(m.m_lines, i))
        : kind == ToolRect   ? place(toolAt(m.m_rects, i))
                             : place(toolAt(m.m_circles, i));
}

QString allNames(const ToolModel &model)
{
    QStringList out;
    const auto add = [&out](const auto &list) {
        for (const auto &t : list)
            out << t->name;
    };
    add(model.m_points), add(model.m_lines), add(model.m_rects), add(model.m_circles);
    return out.join(' ');
}

} // namespace

class tst_ToolModel : public QObject
{
    Q_OBJECT

private slots:
    void purge_and_naming()
    {
        // A point at the origin stays; a line, a rectangle and a circle pressed and not dragged
        // (both points at the press) go, and the next of each, dragged along y only, stays; a
        // circle dragged back to its centre goes; so do pending records; none is made for the
        // cursor or kind 6.
        ToolModel model;
        for (const char *tool : {"P 0 0", "L 5 6 5 6", "L 5 6 5 9", "R 5 6 5 6", "R 5 6 5 9",
                 "C 5 6 5 6 -1", "C 5 6 5 9 3", "C 50 50 50 50 3"})
            add(model, tool);
        for (const int kind : {ToolLine, ToolRect, ToolCircle, ToolPoint, ToolCursor, ToolKind(6)})
            model.setToolKind(kind);
        QCOMPARE(allNames(model), QString("P0 L0 R0 C0"));
        // Numbers in numeric order past 9; a new record takes the lowest free number and its place.
        for (int n = 0; n < 11; ++n)
            add(model, "P 1 1");
        model.m_selKind = "P";
        model.m_selIndex = 3;
        model.deleteSelectedTool();
        model.setToolKind(ToolPoint);
        QCOMPARE(model.m_nextNumber, 3);
        QCOMPARE(allNames(model), QString("P0 P1 P2 P3 P4 P5 P6 P7 P8 P9 P10 P11 L0 R0 C0"));
    }

    void selection_and_deletion_data()
    {
        QTest::addColumn<QString>("selection"); // kind and index
        // The row the selection sends, the tools after deleting it (after clearing them: none).
        QTest::addColumn<QString>("outcome");
        // P0 P1, a pending P2, L0 L1 L2, R0, C0 C1.
        // clang-format off
        QTest::newRow("P0 is row 0") << "P 0" << "0 | P1 L0 L1 L2 R0 C0 C1";
        QTest::newRow("L0 after the points, not pending P2") << "L 0" << "2 | P0 P1 L1 L2 R0 C0 C1";
        QTest::newRow("R0 follows the lines") << "R 0" << "5 | P0 P1 L0 L1 L2 C0 C1";
        QTest::newRow("C1 is the last row") << "C 1" << "7 | P0 P1 L0 L1 L2 R0 C0";
        QTest::newRow("a full word counts by its letter") << "Line 1" << "3 | P0 P1 L0 L2 R0 C0 C1";
        QTest::newRow("null sends nothing") << "null 0" << "P0 P1 L0 L1 L2 R0 C0 C1";
        QTest::newRow("lower-case letter sends nothing") << "p 0" << "P0 P1 L0 L1 L2 R0 C0 C1";
        QTest::newRow("the pending point has no row") << "P 2" << "-1 | P0 P1 L0 L1 L2 R0 C0 C1";
        QTest::newRow("index past its list has no row") << "L 3" << "-1 | P0 P1 L0 L1 L2 R0 C0 C1";
        // clang-format on
    }

    void selection_and_deletion()
    {
        QFETCH(QString, selection);
        QFETCH(QString, outcome);
        ToolModel model;
        for (const char *kind : {"P", "P", "L", "L", "L", "R", "C", "C"})
            add(model, kind + QString(" 20 30 25 40 2"));
        model.setToolKind(ToolPoint);
        QStringList log;
        model.onSetSelect = [&log](int row) { log << QString::number(row); };
        model.onUpdatTool = [&] { log << allNames(model); };
        model.m_selKind = selection.section(' ', 0, 0);
        model.m_selIndex = selection.section(' ', 1).toInt();
        model.emitSelection();
        // Deleting purges the pending point too; deleting and clearing both end the selection.
        model.deleteSelectedTool();
        model.emitSelection();
        model.m_selKind = selection.section(' ', 0, 0);
        model.clearTools();
        model.emitSelection();
        QCOMPARE(log.join(" | "), outcome + " | ");
    }

    void statistics_data()
    {
        QTest::addColumn<QString>("tool");
        // The map's value everywhere, then x, y, value of single pixels; empty: no picture yet.
        QTest::addColumn<F>("picture");
        QTest::addColumn<F>("expected"); // count, maximum, minimum, average
        // The size of the covering set: the map is 1 (or the value given) everywhere.
        const auto covers = [](const char *name, const char *tool, float count, float value = 1) {
            QTest::newRow(name) << tool << F {value} << F {count, value, value, value};
        };
        // clang-format off
        QTest::newRow("point") << "P 12 300" << F {0, 12, 300, 7} << F {1, 7, 7, 7};
        covers("line right to left along row 50", "L 60 50 10 50", 51);
        // The diagonal and, beside it, the pixels whose truncated distance from the foot is 1.
        covers("diagonal (0, 0)-(4, 4)", "L 0 0 4 4", 19);
        // The feet of the perpendiculars truncate toward zero; rounding down would take 21 pixels.
        covers("anti-diagonal from the right", "L 4 0 0 4", 19);
        covers("anti-diagonal from the bottom", "L 0 4 4 0", 19);
        // Its two points coincide, so there is no direction to project on.
        covers("line pressed, not dragged: its one pixel", "L 5 5 5 5", 1);
        covers("rectangle 3 x 4 from its far corner", "R 12 13 10 10", 12);
        covers("circle radius 3: 7 x 7 without corners", "C 50 50 53 50 3", 45);
        // Of the 7 x 7 square only x, y 0-4 lie in the picture, and (4, 4) is 4.24 away.
        covers("circle past the top left edge", "C 1 1 4 1 3", 24);
        // Here x * 320 + y would pass the end of the map.
        covers("circle past the bottom right edge", "C 238 318 238 315 3", 24);
        // (36 + 12 + 20 + 20) / 4; (102, 200) lies outside.
        QTest::newRow("rectangle") << "R 101 201 100 200"
            << F {20, 101, 200, 36, 100, 201, 12, 102, 200, 99} << F {4, 36, 12, 22};
        covers("below -10: own maximum", "R 0 0 9 9", 100, -20);
        covers("over 2000: own minimum", "R 0 0 2 2", 9, 2500);
        QTest::newRow("no picture: starting values") << "R 0 0 9 9" << F() << F {0, -10, 2000, 0};
        // clang-format on
    }

    void statistics()
    {
        QFETCH(QString, tool);
        QFETCH(F, picture);
        QFETCH(F, expected);
        std::vector<float> map(picture.isEmpty() ? 0 : 240 * 320, picture.value(0));
        for (int i = 1; i + 2 < picture.size(); i += 3)
            map[std::size_t(picture[i]) * 320 + std::size_t(picture[i + 1])] = picture[i + 2];
        ToolModel model;
        const ToolStats stats = add(model, tool, map);
        QCOMPARE(F({float(stats.count), stats.maximum, stats.minimum, stats.average}), expected);
    }
};

QTEST_GUILESS_MAIN(tst_ToolModel)
#include "tst_toolmodel.moc"
