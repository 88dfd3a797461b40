#pragma once

#include "analysis/radiometricfile.h"

#include <QPixmap>
#include <QPoint>
#include <QPolygon>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>

namespace Ui {
class My_ColorSlider;
}

class QLabel;

// Geometry of the two handles, free of any widget. The handles move between y = 10 and
// y = height - 10; that span stands for palette indices 0 to 255.
namespace ColorScale {

constexpr int Margin = 10;
constexpr int LastIndex = 255;
// A press selects a handle when tip.x < px <= tip.x + HitWidth and
// |py - tip.y| <= HitHalfHeight.
constexpr int HitWidth = 14;
constexpr int HitHalfHeight = 14;

// Pixels between the top and bottom stop; 0 when the widget is 20 pixels high or less.
[[nodiscard]] constexpr int span(int height)
{
    return height > 2 * Margin ? height - 2 * Margin : 0;
}

// Tip y of a handle at index (0-255): trunc(index * span / 255.0 + 10.5), the product taken
// in integers. Every index sits at y = 10 when the span is empty.
[[nodiscard]] int tipYForIndex(int index, int height);

// Index of a tip at y: trunc((y - 10) * 255.0 / span + 0.5), clamped to 0-255. nullopt when
// the span is empty, where no position stands for an index.
[[nodiscard]] std::optional<int> indexForTipY(int y, int height);

// Whether a press at p selects the handle whose tip is at tip; an unset tip (x < 0) is never
// hit.
[[nodiscard]] bool hitsHandle(const QPoint &tip, const QPoint &p);

// The start handle's new tip y for a drag to y: y when it lies within the span and above or at
// the end tip, else the tip stays where it is (also with an empty span).
[[nodiscard]] int draggedStartY(int y, int height, int startY, int endY);
// The end handle's new tip y: y when within the span and below or at the start tip, else endY.
[[nodiscard]] int draggedEndY(int y, int height, int startY, int endY);

// The handle outline: tip (x, y), then (x + 15, y - 10) and (x + 15, y + 10).
[[nodiscard]] QPolygon handleTriangle(const QPoint &tip);

// The eleven values from the top: max - k * (max - min) / 10 for k 0-9 in single precision,
// then min itself.
[[nodiscard]] std::array<float, 11> scaleValues(float maxTemp, float minTemp);
// One decimal, no unit.
[[nodiscard]] QString scaleText(float value);

} // namespace ColorScale

// The colour scale beside the picture: the palette as a bar, eleven temperature labels and two
// handles choosing the span of the palette the picture uses.
class My_ColorSlider : public QWidget
{
    Q_OBJECT

public:
    explicit My_ColorSlider(QWidget *parent = nullptr);
    ~My_ColorSlider() override;

    // Keeps the bar picture and shows it scaled to the widget.
    void setBarPixmap(const QPixmap &pixmap);
    // Fills the value column from m_maxTemp and m_minTemp.
    void updateScaleLabels();
    // Tips from the indices, for the current height.
    void indicesToTips();
    // Index of the dragged handle from its tip, never past the other handle's index; the
    // other handle keeps its index. Marks the tips as leading.
    void tipsToIndices();

    Radiometric::Palette m_scalePalette {};
    float m_maxTemp = 0.0f;
    float m_minTemp = 0.0f;
    int m_startIndex = 0;
    int m_endIndex = ColorScale::LastIndex;
    QPoint m_startTip {-1, -1};
    QPoint m_endTip {-1, -1};
    int m_activeHandle = -1;
    bool m_dragMoved = false;
    // While the scale is locked to a span the handles rest: they are not drawn and not hit,
    // and keep their indices for when the scale is unlocked.
    bool m_locked = false;
    QPixmap m_barPixmap;
    QPoint m_pressPos;
    QPoint m_movePos;
    Ui::My_ColorSlider *ui = nullptr;

signals:
    // A drag changed the indices; the analysis window repaints so the picture follows.
    void indicesChanged(int startIndex, int endIndex);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void showBar();

    std::array<QLabel *, 11> m_valueLabels {};
    // The bar as last set on the label; setting a new pixmap repaints the label, and the
    // label's repaint repaints this widget beneath it, so it is set only when it changes.
    qint64 m_shownBarKey = 0;
    QSize m_shownBarSize;
};
