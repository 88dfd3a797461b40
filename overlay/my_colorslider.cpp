#include "overlay/my_colorslider.h"
#include "ui_my_colorslider.h"

#include <QDebug>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace ColorScale {

int tipYForIndex(int index, int height)
{
    const int product = std::clamp(index, 0, LastIndex) * span(height);
    return int(product / 255.0 + Margin + 0.5);
}

std::optional<int> indexForTipY(int y, int height)
{
    const int s = span(height);
    if (s == 0)
        return std::nullopt;
    const int index = int((y - Margin) * 255.0 / s + 0.5);
    return std::clamp(index, 0, LastIndex);
}

bool hitsHandle(const QPoint &tip, const QPoint &p)
{
    return tip.x() >= 0 && tip.x() < p.x() && p.x() <= tip.x() + HitWidth
        && tip.y() - HitHalfHeight <= p.y() && p.y() <= tip.y() + HitHalfHeight;
}

int draggedStartY(int y, int height, int startY, int endY)
{
    // Outside the span or past the other handle the tip stays where it last was.
    if (span(height) == 0 || y < Margin || y > height - Margin || y > endY)
        return startY;
    return y;
}

int draggedEndY(int y, int height, int startY, int endY)
{
    if (span(height) == 0 || y < Margin || y > height - Margin || y < startY)
        return endY;
    return y;
}

QPolygon handleTriangle(const QPoint &tip)
{
    return QPolygon({tip, QPoint(tip.x() + 15, tip.y() - 10), QPoint(tip.x() + 15, tip.y() + 10)});
}

std::array<float, 11> scaleValues(float maxTemp, float minTemp)
{
    std::array<float, 11> values {};
    const float step = (maxTemp - minTemp) / 10;
    for (int k = 0; k < 10; ++k)
        values[std::size_t(k)] = maxTemp - float(k) * step;
    values[10] = minTemp;
    return values;
}

QString scaleText(float value)
{
    return QString::number(double(value), 'f', 1);
}

} // namespace ColorScale

namespace {

QColor paletteColor(const Radiometric::Palette &palette, int index)
{
    const Radiometric::PaletteEntry &e
        = palette[std::size_t(std::clamp(index, 0, ColorScale::LastIndex))];
    return QColor(e.red, e.green, e.blue);
}

} // namespace

My_ColorSlider::My_ColorSlider(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::My_ColorSlider)
{
    ui->setupUi(this);
    ui->label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_valueLabels = {ui->label_2, ui->label_3, ui->label_4, ui->label_5, ui->label_6, ui->label_7,
        ui->label_8, ui->label_9, ui->label_10, ui->label_11, ui->label_12};
}

My_ColorSlider::~My_ColorSlider()
{
    delete ui;
}

void My_ColorSlider::setBarPixmap(const QPixmap &pixmap)
{
    m_barPixmap = pixmap;
    showBar();
}

void My_ColorSlider::showBar()
{
    if (m_barPixmap.cacheKey() == m_shownBarKey && size() == m_shownBarSize)
        return;
    m_shownBarKey = m_barPixmap.cacheKey();
    m_shownBarSize = size();
    if (m_barPixmap.isNull()) {
        ui->label->setPixmap(QPixmap());
        return;
    }
    ui->label->setPixmap(m_barPixmap.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void My_ColorSlider::updateScaleLabels()
{
    const std::array<float, 11> values = ColorScale::scaleValues(m_maxTemp, m_minTemp);
    for (std::size_t k = 0; k < values.size(); ++k)
        m_valueLabels[k]->setText(ColorScale::scaleText(values[k]));
}

void My_ColorSlider::indicesToTips()
{
    m_startTip.setY(ColorScale::tipYForIndex(m_startIndex, height()));
    m_endTip.setY(ColorScale::tipYForIndex(m_endIndex, height()));
}

void My_ColorSlider::tipsToIndices()
{
    // Only the dragged handle is read back: a tip placed from an index does not always give
    // that index back, and a handle the user did not touch must keep its colour.
    if (m_activeHandle == 1 && m_startTip.y() > 0) {
        if (const std::optional<int> index = ColorScale::indexForTipY(m_startTip.y(), height()))
            m_startIndex = std::min(*index, m_endIndex);
    } else if (m_activeHandle == 2 && m_endTip.y() > 0) {
        if (const std::optional<int> index = ColorScale::indexForTipY(m_endTip.y(), height()))
            m_endIndex = std::max(*index, m_startIndex);
    }
    m_dragMoved = true;
}

void My_ColorSlider::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    m_pressPos = event->pos();
    m_activeHandle = -1;
    if (m_locked)
        return;
    if (ColorScale::hitsHandle(m_startTip, m_pressPos)) {
        qDebug().noquote() << QStringLiteral("您点击了起点");
        m_activeHandle = 1;
    }
    if (ColorScale::hitsHandle(m_endTip, m_pressPos)) {
        qDebug().noquote() << QStringLiteral("您点击了终点");
        m_activeHandle = 2;
    }
}

void My_ColorSlider::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    m_movePos = event->pos();
    m_dragMoved = false;
    // The tip settles on its index's own position.
    update();
}

void My_ColorSlider::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    m_movePos = event->pos();
    const int y = m_movePos.y();
    const QPoint startTip = m_startTip;
    const QPoint endTip = m_endTip;
    const int startIndex = m_startIndex;
    const int endIndex = m_endIndex;

    if (m_activeHandle == 1)
        m_startTip.setY(ColorScale::draggedStartY(y, height(), m_startTip.y(), m_endTip.y()));
    else if (m_activeHandle == 2)
        m_endTip.setY(ColorScale::draggedEndY(y, height(), m_startTip.y(), m_endTip.y()));
    tipsToIndices();

    if (m_startTip != startTip || m_endTip != endTip)
        update();
    if (m_startIndex != startIndex || m_endIndex != endIndex)
        emit indicesChanged(m_startIndex, m_endIndex);
}

void My_ColorSlider::paintEvent(QPaintEvent *event)
{
    showBar();
    const QRect bar = ui->label->geometry();
    const int barRight = bar.x() + bar.width();
    if (m_startTip.x() == -1)
        m_startTip.setX(barRight);
    if (m_startTip.y() == -1)
        m_startTip.setY(bar.y());
    if (m_endTip.x() == -1)
        m_endTip.setX(barRight);
    if (m_endTip.y() == -1)
        m_endTip.setY(bar.y() + bar.height());
    if (!m_dragMoved)
        indicesToTips();

    QWidget::paintEvent(event);
    if (m_locked)
        return;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QBrush(Qt::black), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    const QPolygon start = ColorScale::handleTriangle(m_startTip);
    const QPolygon end = ColorScale::handleTriangle(m_endTip);
    painter.drawPolygon(start);
    painter.drawPolygon(end);
    painter.setPen(Qt::NoPen);
    painter.setBrush(paletteColor(m_scalePalette, m_startIndex));
    painter.drawPolygon(start);
    painter.setBrush(paletteColor(m_scalePalette, m_endIndex));
    painter.drawPolygon(end);
}
