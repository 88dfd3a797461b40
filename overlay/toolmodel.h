#pragma once

#include <QColor>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The measurement tools placed on a 240 x 320 picture: four ordered lists of records, their
// names, the selection, and the statistics of one tool over the temperature map. No widget:
// the overlay label holds the model and forwards the two callbacks to its signals.

// The numbers shared by the overlay label, the tool buttons and the window's focus slot.
enum ToolKind : int { ToolCursor = 1, ToolPoint = 2, ToolLine = 3, ToolRect = 4, ToolCircle = 5 };

// All coordinates in picture pixels; -1 in the first one marks a record not yet placed.
struct PointTool
{
    QString name;
    int x = -1;
    int y = -1;
    int size = 9; // cross size in picture pixels
    QColor color;
};

struct LineTool
{
    QString name;
    int x1 = -1;
    int y1 = -1;
    int x2 = -1;
    int y2 = -1;
    QColor color;
};

// Two opposite corners in either order.
struct RectTool
{
    QString name;
    int x1 = -1;
    int y1 = -1;
    int x2 = -1;
    int y2 = -1;
    QColor color;
};

// Centre, last accepted drag point and radius.
struct CircleTool
{
    QString name;
    int cx = -1;
    int cy = -1;
    int ex = -1;
    int ey = -1;
    int r = -1;
    QColor color;
};

// Each record lives on the heap and belongs to the list holding it, so a pointer to a
// record stays valid while others are inserted before it.
template <class Tool> using ToolList = std::vector<std::unique_ptr<Tool>>;

// The record at index, or nullptr when the index lies outside the list.
template <class Tool> [[nodiscard]] Tool *toolAt(const ToolList<Tool> &list, int index)
{
    if (index < 0 || index >= int(list.size()))
        return nullptr;
    return list[std::size_t(index)].get();
}

// Placed records only; pending ones are not drawn, listed or measured.
[[nodiscard]] inline bool isPlaced(const PointTool &t)
{
    return t.x >= 0;
}
[[nodiscard]] inline bool isPlaced(const LineTool &t)
{
    return t.x1 >= 0;
}
[[nodiscard]] inline bool isPlaced(const RectTool &t)
{
    return t.x1 >= 0;
}
[[nodiscard]] inline bool isPlaced(const CircleTool &t)
{
    return t.cx >= 0;
}

// Statistics in the map's unit. With no pixel taken, maximum -10.0, minimum 2000.0,
// average 0.0.
struct ToolStats
{
    float maximum = -10.0f;
    float minimum = 2000.0f;
    float average = 0.0f;
    int count = 0;
};

// Truncated distance of pixel (x, y) from the infinite line through (x1, y1) and (x2, y2),
// measured to the foot point whose coordinates are truncated toward zero. Integer
// arithmetic, division and square root in double; coordinates within a few thousand.
// Coinciding end points give the distance from that point.
[[nodiscard]] int lineDistance(int x1, int y1, int x2, int y2, int x, int y);

// Statistics of one record over a map of 240 x 320 values addressed x * 320 + y. Pixels are
// visited row by row (y ascending, then x ascending) and summed in single precision. Only
// pixels inside the picture and inside the map are read, so a pending record, an empty
// map or a circle reaching past the edge never reads outside the buffer.
[[nodiscard]] ToolStats measureTool(const std::vector<float> &map, const PointTool &tool);
[[nodiscard]] ToolStats measureTool(const std::vector<float> &map, const LineTool &tool);
[[nodiscard]] ToolStats measureTool(const std::vector<float> &map, const RectTool &tool);
[[nodiscard]] ToolStats measureTool(const std::vector<float> &map, const CircleTool &tool);

// The pixels measureTool takes from a record, in the same order (rows in ascending y, each in
// ascending x), inside the picture only. Empty for a pending record.
[[nodiscard]] std::vector<QPoint> coveringPixels(const LineTool &tool);
[[nodiscard]] std::vector<QPoint> coveringPixels(const RectTool &tool);
[[nodiscard]] std::vector<QPoint> coveringPixels(const CircleTool &tool);

class ToolModel
{
public:
    ToolModel() = default;
    ToolModel(const ToolModel &) = delete;
    ToolModel &operator=(const ToolModel &) = delete;

    // Makes kind current, purges, and for kinds 2-5 inserts a pending record under the lowest
    // free number at the list index equal to that number.
    void setToolKind(int kind);
    // Removes pending records and lines, rectangles and circles whose two points coincide.
    void purgeTools();
    // Purges, removes the selected record when the selection names one, clears the selection
    // and reports the change.
    void deleteSelectedTool();
    // Removes every record, clears the selection and reports the change.
    void clearTools();
    // Sends the selected tool's table row through onSetSelect, when a kind is selected.
    void emitSelection();

    // The row emitSelection sends: nullopt when no kind is selected; -1 when the selected
    // record is pending or missing; otherwise the number of placed records listed before it
    // in the order points, lines, rectangles, circles.
    [[nodiscard]] std::optional<int> selectionRow() const;
    // First character of m_selKind ('P', 'L', 'R', 'C', 'n'), a null character when empty.
    [[nodiscard]] QChar selLetter() const;

    int m_toolKind = ToolCursor;
    ToolList<PointTool> m_points;
    ToolList<LineTool> m_lines;
    ToolList<RectTool> m_rects;
    ToolList<CircleTool> m_circles;
    QString m_selKind;
    int m_selIndex = -1;
    int m_nextNumber = 0;
    QColor m_winColor = QColor(255, 0, 0, 255);
    QColor m_highlightColor = QColor(0, 255, 0, 255);

    // The label's updat_Tool() and Set_Select(int).
    std::function<void()> onUpdatTool;
    std::function<void(int)> onSetSelect;
};
