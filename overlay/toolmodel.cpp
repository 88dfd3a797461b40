#include "overlay/toolmodel.h"

#include "analysis/radiometricfile.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int Width = Radiometric::Width;
constexpr int Height = Radiometric::Height;

// Visits the box clipped to the picture, rows in ascending y and each row in ascending x,
// handing visit(x, y) the pixels that take(x, y) accepts.
template <class Take, class Visit>
void visitBox(int xlo, int xhi, int ylo, int yhi, Take take, Visit visit)
{
    xlo = std::max(xlo, 0);
    ylo = std::max(ylo, 0);
    xhi = std::min(xhi, Width - 1);
    yhi = std::min(yhi, Height - 1);
    for (int y = ylo; y <= yhi; ++y) {
        for (int x = xlo; x <= xhi; ++x) {
            if (take(x, y))
                visit(x, y);
        }
    }
}

template <class Take>
ToolStats measureBox(const std::vector<float> &map, int xlo, int xhi, int ylo, int yhi, Take take)
{
    ToolStats stats;
    float sum = 0.0f;
    visitBox(xlo, xhi, ylo, yhi, take, [&](int x, int y) {
        const std::size_t index = std::size_t(x) * Height + std::size_t(y);
        if (index >= map.size())
            return;
        const float v = map[index];
        sum += v;
        // The first pixel sets both extremes: a region colder than -10 degrees (or
        // hotter than 2000) must still report its own maximum (or minimum).
        if (stats.count == 0 || v > stats.maximum)
            stats.maximum = v;
        if (stats.count == 0 || v < stats.minimum)
            stats.minimum = v;
        ++stats.count;
    });
    if (stats.count > 0)
        stats.average = sum / float(stats.count);
    return stats;
}

template <class Take>
std::vector<QPoint> pixelsOfBox(int xlo, int xhi, int ylo, int yhi, Take take)
{
    std::vector<QPoint> pixels;
    visitBox(xlo, xhi, ylo, yhi, take, [&pixels](int x, int y) { pixels.emplace_back(x, y); });
    return pixels;
}

int truncatedRadius(int dx, int dy)
{
    return int(std::sqrt(double(dx * dx + dy * dy)));
}

template <class Tool>
void insertPending(ToolList<Tool> &list, const QString &format, const QColor &color, int *number)
{
    auto tool = std::make_unique<Tool>();
    tool->color = color;
    // The list is sorted by number, so one walk finds the lowest free number; it never
    // exceeds the list's size, so the insertion index is always valid.
    for (const auto &record : list) {
        if (record->name.mid(1).toInt() == *number)
            ++*number;
    }
    tool->name = format.arg(*number);
    list.insert(list.begin() + *number, std::move(tool));
}

template <class Tool, class Drop> void eraseIf(ToolList<Tool> &list, Drop drop)
{
    list.erase(std::remove_if(list.begin(), list.end(),
                   [&](const std::unique_ptr<Tool> &t) { return drop(*t); }),
        list.end());
}

template <class Tool> void eraseAt(ToolList<Tool> &list, int index)
{
    if (toolAt(list, index))
        list.erase(list.begin() + index);
}

template <class Tool> int placedIn(const ToolList<Tool> &list)
{
    return int(std::count_if(
        list.begin(), list.end(), [](const std::unique_ptr<Tool> &t) { return isPlaced(*t); }));
}

// Row of the record at index among the placed records of its list, offset by the rows of
// the lists before it; -1 when that record has no row.
template <class Tool> int rowIn(const ToolList<Tool> &list, int index, int rowsBefore)
{
    const Tool *selected = toolAt(list, index);
    if (!selected || !isPlaced(*selected))
        return -1;
    const auto end = list.begin() + index;
    return rowsBefore + int(std::count_if(list.begin(), end, [](const std::unique_ptr<Tool> &t) {
        return isPlaced(*t);
    }));
}

} // namespace

int lineDistance(int x1, int y1, int x2, int y2, int x, int y)
{
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    const int lengthSquared = dx * dx + dy * dy;
    // No direction to project on; the point itself is the foot.
    if (lengthSquared == 0)
        return truncatedRadius(x - x1, y - y1);
    const double t = double((y - y1) * dy + (x - x1) * dx) / double(lengthSquared);
    const int fx = x1 + int(dx * t);
    const int fy = y1 + int(dy * t);
    return truncatedRadius(x - fx, y - fy);
}

ToolStats measureTool(const std::vector<float> &map, const PointTool &tool)
{
    return measureBox(map, tool.x, tool.x, tool.y, tool.y, [](int, int) { return true; });
}

// The covering sets: a box and the test that takes a pixel of it, handed to f.
template <class F> auto withCovering(const LineTool &tool, F f)
{
    return f(std::min(tool.x1, tool.x2), std::max(tool.x1, tool.x2), std::min(tool.y1, tool.y2),
        std::max(tool.y1, tool.y2), [&tool](int x, int y) {
            return lineDistance(tool.x1, tool.y1, tool.x2, tool.y2, x, y) <= 1;
        });
}

template <class F> auto withCovering(const RectTool &tool, F f)
{
    return f(std::min(tool.x1, tool.x2), std::max(tool.x1, tool.x2), std::min(tool.y1, tool.y2),
        std::max(tool.y1, tool.y2), [](int, int) { return true; });
}

template <class F> auto withCovering(const CircleTool &tool, F f)
{
    return f(tool.cx - tool.r, tool.cx + tool.r, tool.cy - tool.r, tool.cy + tool.r,
        [&tool](int x, int y) { return truncatedRadius(x - tool.cx, y - tool.cy) <= tool.r; });
}

template <class Tool> ToolStats measureCovering(const std::vector<float> &map, const Tool &tool)
{
    if (!isPlaced(tool))
        return ToolStats();
    return withCovering(tool, [&map](int xlo, int xhi, int ylo, int yhi, auto take) {
        return measureBox(map, xlo, xhi, ylo, yhi, take);
    });
}

template <class Tool> std::vector<QPoint> pixelsCovered(const Tool &tool)
{
    if (!isPlaced(tool))
        return {};
    return withCovering(tool, [](int xlo, int xhi, int ylo, int yhi, auto take) {
        return pixelsOfBox(xlo, xhi, ylo, yhi, take);
    });
}

ToolStats measureTool(const std::vector<float> &map, const LineTool &tool)
{
    return measureCovering(map, tool);
}

ToolStats measureTool(const std::vector<float> &map, const RectTool &tool)
{
    return measureCovering(map, tool);
}

ToolStats measureTool(const std::vector<float> &map, const CircleTool &tool)
{
    return measureCovering(map, tool);
}

std::vector<QPoint> coveringPixels(const LineTool &tool)
{
    return pixelsCovered(tool);
}

std::vector<QPoint> coveringPixels(const RectTool &tool)
{
    return pixelsCovered(tool);
}

std::vector<QPoint> coveringPixels(const CircleTool &tool)
{
    return pixelsCovered(tool);
}

void ToolModel::setToolKind(int kind)
{
    m_toolKind = kind;
    m_nextNumber = 0;
    purgeTools();
    switch (kind) {
    case ToolPoint:
        insertPending(m_points, QStringLiteral("P%1"), m_winColor, &m_nextNumber);
        break;
    case ToolLine:
        insertPending(m_lines, QStringLiteral("L%1"), m_winColor, &m_nextNumber);
        break;
    case ToolRect:
        insertPending(m_rects, QStringLiteral("R%1"), m_winColor, &m_nextNumber);
        break;
    case ToolCircle:
        insertPending(m_circles, QStringLiteral("C%1"), m_winColor, &m_nextNumber);
        break;
    default:
        break;
    }
}

void ToolModel::purgeTools()
{
    eraseIf(m_points, [](const PointTool &t) { return t.x < 0; });
    eraseIf(m_lines, [](const LineTool &t) { return t.x1 < 0 || (t.x1 == t.x2 && t.y1 == t.y2); });
    eraseIf(m_rects, [](const RectTool &t) { return t.x1 < 0 || (t.x1 == t.x2 && t.y1 == t.y2); });
    eraseIf(
        m_circles, [](const CircleTool &t) { return t.cx < 0 || (t.cx == t.ex && t.cy == t.ey); });
}

void ToolModel::deleteSelectedTool()
{
    purgeTools();
    switch (selLetter().unicode()) {
    case 'P':
        eraseAt(m_points, m_selIndex);
        break;
    case 'L':
        eraseAt(m_lines, m_selIndex);
        break;
    case 'R':
        eraseAt(m_rects, m_selIndex);
        break;
    case 'C':
        eraseAt(m_circles, m_selIndex);
        break;
    default:
        break;
    }
    m_selKind = QStringLiteral("null");
    m_selIndex = -1;
    if (onUpdatTool)
        onUpdatTool();
}

void ToolModel::clearTools()
{
    m_points.clear();
    m_lines.clear();
    m_rects.clear();
    m_circles.clear();
    m_selKind = QStringLiteral("null");
    m_selIndex = -1;
    if (onUpdatTool)
        onUpdatTool();
}

void ToolModel::emitSelection()
{
    const std::optional<int> row = selectionRow();
    if (row && onSetSelect)
        onSetSelect(*row);
}

std::optional<int> ToolModel::selectionRow() const
{
    switch (selLetter().unicode()) {
    case 'P':
        return rowIn(m_points, m_selIndex, 0);
    case 'L':
        return rowIn(m_lines, m_selIndex, placedIn(m_points));
    case 'R':
        return rowIn(m_rects, m_selIndex, placedIn(m_points) + placedIn(m_lines));
    case 'C':
        return rowIn(
            m_circles, m_selIndex, placedIn(m_points) + placedIn(m_lines) + placedIn(m_rects));
    default:
        return std::nullopt;
    }
}

QChar ToolModel::selLetter() const
{
    return m_selKind.isEmpty() ? QChar() : m_selKind.at(0);
}
