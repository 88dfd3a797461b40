#include "overlay/overlaygeometry.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdlib>

LabelGeometry::LabelPlace LabelGeometry::pictureToLabel(int x, int y, int a, int b) const
{
    const double hx = labelW > picW ? (labelW - picW) * 0.5 : 0.0;
    LabelPlace place;
    place.x = int((x * picW) / 240.0 + hx + 0.5);
    if (labelH > picH)
        place.y = int((y * picH) / 320.0 + (labelH - picH) * 0.5 + 0.5);
    else
        place.y = int((y * picH) / 320.0);
    place.a = int((a * picW) / 240.0 + 0.5);
    place.b = int((b * picH) / 320.0 + 0.5);
    return place;
}

LabelGeometry::PicturePlace LabelGeometry::labelToPicture(int lx, int ly, int la, int lb) const
{
    if (picW <= 0 || picH <= 0)
        return { 0, 0, 0, 0 };
    PicturePlace place;
    place.x = qBound(0, (lx - marginX()) * 240 / picW, 239);
    place.y = qBound(0, (ly - marginY()) * 320 / picH, 319);
    place.a = la * 240 / picW;
    place.b = lb * 320 / picH;
    return place;
}

bool hitsPoint(const PointTool &tool, int px, int py, const LabelGeometry &g)
{
    const LabelGeometry::PicturePlace box = g.labelToPicture(0, 0, 12, 16);
    return std::abs(tool.x - 2 - px) <= box.a / 2 && std::abs(tool.y - 2 - py) <= box.b / 2;
}

bool hitsLine(const LineTool &tool, int px, int py)
{
    return std::min(tool.x1, tool.x2) <= px && px <= std::max(tool.x1, tool.x2)
            && std::min(tool.y1, tool.y2) <= py && py <= std::max(tool.y1, tool.y2)
            && lineDistance(tool.x1, tool.y1, tool.x2, tool.y2, px, py) <= 2;
}

bool hitsRect(const RectTool &tool, int px, int py)
{
    return std::min(tool.x1, tool.x2) < px && px < std::max(tool.x1, tool.x2)
            && std::min(tool.y1, tool.y2) < py && py < std::max(tool.y1, tool.y2);
}

bool hitsCircle(const CircleTool &tool, int px, int py)
{
    const double dx = px - tool.cx;
    const double dy = py - tool.cy;
    return int(std::sqrt(dx * dx + dy * dy)) <= tool.r;
}

int draggedRadius(int cx, int cy, int px, int py)
{
    const double dx = px - cx;
    const double dy = py - cy;
    const int r = int(std::sqrt(dx * dx + dy * dy));
    if (cx + r <= 239 && cx - r > 0 && cy + r <= 319 && cy - r > 0)
        return r;
    return -1;
}
