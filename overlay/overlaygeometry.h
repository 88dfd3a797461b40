#pragma once

#include "overlay/toolmodel.h"

// Mapping between label pixels and the 240 x 320 picture shown centred in the label, and
// the hit tests of the cursor tool. Integers are int32 and truncation is toward zero.
struct LabelGeometry
{
    int labelW = 0;
    int picW = 0;
    int labelH = 0;
    int picH = 0;

    struct LabelPlace
    {
        int x;
        int y;
        int a; // length along x
        int b; // length along y
    };
    using PicturePlace = LabelPlace;

    // Margins of the picture inside the label; 0 where the picture fills that direction.
    [[nodiscard]] int marginX() const { return labelW > picW ? labelW / 2 - picW / 2 : 0; }
    [[nodiscard]] int marginY() const { return labelH > picH ? labelH / 2 - picH / 2 : 0; }

    // Picture position and lengths a (along x), b (along y) to label pixels.
    [[nodiscard]] LabelPlace pictureToLabel(int x, int y, int a, int b) const;
    // Label position to the picture, clamped to 0-239 and 0-319; lengths not clamped.
    // A picture of no width or height maps everything to 0.
    [[nodiscard]] PicturePlace labelToPicture(int lx, int ly, int la, int lb) const;
};

// Cursor-tool hit tests on the picture position (px, py) of a press.
[[nodiscard]] bool hitsPoint(const PointTool &tool, int px, int py, const LabelGeometry &g);
[[nodiscard]] bool hitsLine(const LineTool &tool, int px, int py);
[[nodiscard]] bool hitsRect(const RectTool &tool, int px, int py);
[[nodiscard]] bool hitsCircle(const CircleTool &tool, int px, int py);

// The radius a circle centred at (cx, cy) takes for a drag to (px, py), or -1 when that
// circle would reach column 0, row 0 or past the picture's far edges.
[[nodiscard]] int draggedRadius(int cx, int cy, int px, int py);
