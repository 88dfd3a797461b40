#include "overlay/mylabel.h"

#include "analysis/analysis_widget.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int MarkerSize = 9;

QPen toolPen(const QColor &color, int width)
{
    return QPen(QBrush(color), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

QFont nameFont(int s)
{
    QFont font(QStringLiteral("Microsoft YaHei"));
    if (s > 0)
        font.setPixelSize(int(s * 0.9));
    font.setWeight(50);
    return font;
}

} // namespace

MyLabel::MyLabel(QWidget *parent) : QLabel(parent)
{
    setAttribute(Qt::WA_MouseTracking);
    onUpdatTool = [this] { emit updat_Tool(); };
    onSetSelect = [this](int row) { emit Set_Select(row); };
}

void MyLabel::attachToAnalysisWindow(Analysis_Widget *window)
{
    connect(this, &MyLabel::Point_XY, window, &Analysis_Widget::updat_XY_Temp);
    connect(this, &MyLabel::updat_Tool, window, &Analysis_Widget::updat_Tool_Temp);
    connect(this, &MyLabel::Focus_idev, window, &Analysis_Widget::setFocus);
    connect(this, &MyLabel::Set_Select, window, &Analysis_Widget::Set_Select);
}

void MyLabel::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    m_pressPos = event->pos();
    m_dragCreating = false;
    const LabelGeometry::PicturePlace p =
            geometryValues().labelToPicture(m_pressPos.x(), m_pressPos.y(), 0, 0);

    switch (m_toolKind) {
    case ToolPoint:
        if (PointTool *tool = toolAt(m_points, m_nextNumber)) {
            tool->x = p.x;
            tool->y = p.y;
            m_selKind = QStringLiteral("P");
            m_selIndex = m_nextNumber;
        }
        break;
    case ToolLine:
        if (LineTool *tool = toolAt(m_lines, m_nextNumber)) {
            m_dragCreating = true;
            tool->x1 = tool->x2 = p.x;
            tool->y1 = tool->y2 = p.y;
            m_selKind = QStringLiteral("L");
            m_selIndex = m_nextNumber;
        }
        break;
    case ToolRect:
        if (RectTool *tool = toolAt(m_rects, m_nextNumber)) {
            m_dragCreating = true;
            tool->x1 = tool->x2 = p.x;
            tool->y1 = tool->y2 = p.y;
            m_selKind = QStringLiteral("R");
            m_selIndex = m_nextNumber;
        }
        break;
    case ToolCircle:
        if (CircleTool *tool = toolAt(m_circles, m_nextNumber)) {
            m_dragCreating = true;
            tool->cx = tool->ex = p.x;
            tool->cy = tool->ey = p.y;
            m_selKind = QStringLiteral("C");
            m_selIndex = m_nextNumber;
        }
        break;
    case ToolCursor:
        m_selKind = QStringLiteral("null");
        m_selIndex = 0;
        selectByHit(p.x, p.y);
        break;
    default:
        break;
    }
    update();
}

void MyLabel::selectByHit(int px, int py)
{
    const LabelGeometry g = geometryValues();
    const auto hit = [this](const QString &letter, int index, const char *message) {
        qDebug().noquote() << QString::fromUtf8(message).arg(index);
        m_selKind = letter;
        m_selIndex = index;
        emitSelection();
    };
    for (int i = 0; i < int(m_points.size()); ++i) {
        if (isPlaced(*m_points[std::size_t(i)]) && hitsPoint(*m_points[std::size_t(i)], px, py, g))
            hit(QStringLiteral("P"), i, "您点击了第%1个点工具");
    }
    for (int i = 0; i < int(m_lines.size()); ++i) {
        if (isPlaced(*m_lines[std::size_t(i)]) && hitsLine(*m_lines[std::size_t(i)], px, py))
            hit(QStringLiteral("L"), i, "您点击了第%1个线工具");
    }
    for (int i = 0; i < int(m_rects.size()); ++i) {
        if (isPlaced(*m_rects[std::size_t(i)]) && hitsRect(*m_rects[std::size_t(i)], px, py))
            hit(QStringLiteral("R"), i, "您点击了第%1个矩形工具");
    }
    for (int i = 0; i < int(m_circles.size()); ++i) {
        if (isPlaced(*m_circles[std::size_t(i)]) && hitsCircle(*m_circles[std::size_t(i)], px, py))
            hit(QStringLiteral("C"), i, "您点击了第%1个圆工具");
    }
}

void MyLabel::mouseMoveEvent(QMouseEvent *event)
{
    QLabel::mouseMoveEvent(event);
    m_movePos = event->pos();
    const LabelGeometry::PicturePlace p =
            geometryValues().labelToPicture(m_movePos.x(), m_movePos.y(), 0, 0);
    emit Point_XY(p.x, p.y);
    if (!(event->buttons() & Qt::LeftButton))
        return;

    const QChar letter = selLetter();
    bool changed = false;
    if (!m_dragCreating) {
        if (m_toolKind == ToolCursor && letter == QLatin1Char('P')) {
            if (PointTool *tool = toolAt(m_points, m_selIndex)) {
                tool->x = p.x;
                tool->y = p.y;
                changed = true;
            }
        }
    } else if (m_toolKind == ToolLine && letter == QLatin1Char('L')) {
        if (LineTool *tool = toolAt(m_lines, m_selIndex)) {
            tool->x2 = p.x;
            tool->y2 = p.y;
            changed = true;
        }
    } else if (m_toolKind == ToolRect && letter == QLatin1Char('R')) {
        if (RectTool *tool = toolAt(m_rects, m_selIndex)) {
            tool->x2 = p.x;
            tool->y2 = p.y;
            changed = true;
        }
    } else if (m_toolKind == ToolCircle && letter == QLatin1Char('C')) {
        if (CircleTool *tool = toolAt(m_circles, m_selIndex)) {
            const int r = draggedRadius(tool->cx, tool->cy, p.x, p.y);
            if (r >= 0) {
                tool->ex = p.x;
                tool->ey = p.y;
                tool->r = r;
                changed = true;
            }
        }
    }
    // The overlay follows the mouse while a tool is drawn or moved.
    if (changed)
        update();
}

void MyLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    m_movePos = event->pos();
    emit Focus_idev(m_toolKind);
    emitSelection();
    m_dragCreating = false;
    emit updat_Tool();
    update();
}

void MyLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!m_printMode) {
        const QPixmap shown = pixmap(Qt::ReturnByValue);
        m_labelW = width();
        m_picW = shown.width();
        m_labelH = height();
        m_picH = shown.height();
    }
    QPixmap overlay(qMax(1, m_labelW), qMax(1, m_labelH));
    overlay.fill(Qt::transparent);
    {
        QPainter painter(&overlay);
        painter.setRenderHint(QPainter::Antialiasing);
        paintOverlay(painter, m_picH / 500 + 1);
    }
    if (!m_printMode) {
        QPainter onLabel(this);
        onLabel.drawPixmap(0, 0, overlay);
    }
    m_overlay = overlay;
}

void MyLabel::paintOverlay(QPainter &painter, int penW)
{
    const LabelGeometry g = geometryValues();
    const int W = width();
    const int H = height();
    const auto penFor = [&](const QString &letter, int index, const QColor &own) {
        const bool selected = index == m_selIndex && m_selKind.startsWith(letter);
        return toolPen(selected ? m_highlightColor : own, penW);
    };
    const auto drawName = [&](const QString &name, int x, int y, int s) {
        painter.setFont(nameFont(s));
        painter.drawText(QRect(x, y, 60, 30), 0, name);
    };

    for (int i = 0; i < int(m_points.size()); ++i) {
        const PointTool &t = *m_points[std::size_t(i)];
        if (t.x < 0)
            continue;
        painter.setPen(penFor(QStringLiteral("P"), i, t.color));
        const auto c = g.pictureToLabel(t.x, t.y, MarkerSize, 0);
        const int s = c.a;
        painter.drawLine(c.x - s / 2, c.y, c.x - penW, c.y);
        painter.drawLine(c.x + s / 2, c.y, c.x + penW, c.y);
        painter.drawLine(c.x, c.y - penW, c.x, c.y - s / 2);
        painter.drawLine(c.x, c.y + penW, c.x, c.y + s / 2);
        drawName(t.name, c.x + (t.x <= 120 ? 3 : -6 - s), c.y + (t.y <= 160 ? 2 : -3 - s), s);
    }
    for (int i = 0; i < int(m_lines.size()); ++i) {
        const LineTool &t = *m_lines[std::size_t(i)];
        if (t.x1 < 0)
            continue;
        painter.setPen(penFor(QStringLiteral("L"), i, t.color));
        const auto p1 = g.pictureToLabel(t.x1, t.y1, 0, 0);
        const auto p2 = g.pictureToLabel(t.x2, t.y2, MarkerSize, 0);
        painter.drawLine(p1.x, p1.y, p2.x, p2.y);
        drawName(t.name, p2.x + (t.x2 <= 120 ? 0 : -6 - p2.a),
                 p2.y + (t.y2 <= 160 ? 0 : -3 - p2.a), p2.a);
    }
    for (int i = 0; i < int(m_rects.size()); ++i) {
        const RectTool &t = *m_rects[std::size_t(i)];
        if (t.x1 < 0)
            continue;
        painter.setPen(penFor(QStringLiteral("R"), i, t.color));
        const auto p1 = g.pictureToLabel(t.x1, t.y1, 0, 0);
        const auto p2 = g.pictureToLabel(t.x2, t.y2, MarkerSize, 0);
        const int left = qMin(p1.x, p2.x);
        const int top = qMin(p1.y, p2.y);
        painter.drawRect(left, top, qAbs(p2.x - p1.x), qAbs(p2.y - p1.y));
        drawName(t.name, left + (left <= W / 2 ? 4 : -6 - p2.a),
                 top + (top <= H / 2 ? 4 : -3 - p2.a), p2.a);
    }
    for (int i = 0; i < int(m_circles.size()); ++i) {
        const CircleTool &t = *m_circles[std::size_t(i)];
        if (t.cx < 0)
            continue;
        painter.setPen(penFor(QStringLiteral("C"), i, t.color));
        const auto c = g.pictureToLabel(t.cx, t.cy, 0, 0);
        const auto e = g.pictureToLabel(t.ex, t.ey, MarkerSize, t.r);
        const int lr = e.b;
        painter.drawEllipse(c.x - lr, c.y - lr, 2 * lr, 2 * lr);
        drawName(t.name, c.x + (c.x <= W / 2 ? 4 : -6 - e.a), c.y + (c.y <= H / 2 ? 4 : -3 - e.a),
                 e.a);
    }

    const auto drawMarker = [&](const Radiometric::MarkerPosition &pos, const QColor &color,
                                const QString &letter) {
        painter.setPen(toolPen(color, penW));
        const auto m = g.pictureToLabel(pos.x, pos.y, 4, 0);
        const int s4 = m.a;
        const int lx = m.x;
        const int ly = m.y;
        for (const int y : { ly - s4, ly + s4 }) {
            painter.drawLine(lx - s4, y, lx - 2, y);
            painter.drawLine(lx + 2, y, lx + s4, y);
        }
        for (const int x : { lx - s4, lx + s4 }) {
            painter.drawLine(x, ly - s4, x, ly - 2);
            painter.drawLine(x, ly + 2, x, ly + s4);
        }
        QFont font;
        if (s4 > 0)
            font.setPixelSize(int(s4 * 2.6));
        font.setWeight(75);
        painter.setFont(font);
        const int dx = pos.x <= 120 ? s4 + 2 : int(0.0 - s4 * 2.6);
        painter.drawText(QRect(lx + dx, ly - 2 - s4, 30, 30), 0, letter);
    };
    drawMarker(m_lowPos, QColor(0, 255, 0), QStringLiteral("L"));
    drawMarker(m_highPos, QColor(255, 0, 0), QStringLiteral("H"));

    if (m_centrePos.x != 0 && m_centrePos.y != 0) {
        painter.setPen(toolPen(QColor(255, 255, 255), penW));
        const auto c = g.pictureToLabel(m_centrePos.x, m_centrePos.y, 13, 0);
        const int s13 = c.a;
        painter.drawLine(c.x - s13 / 2, c.y, c.x - s13 / 4, c.y);
        painter.drawLine(c.x + s13 / 2, c.y, c.x + s13 / 4, c.y);
        painter.drawLine(c.x, c.y - s13 / 4, c.x, c.y - s13 / 2);
        painter.drawLine(c.x, c.y + s13 / 4, c.x, c.y + s13 / 2);
        painter.setPen(toolPen(QColor(220, 220, 220, 220), penW));
        const int d = g.pictureToLabel(m_centrePos.x, m_centrePos.y, 10, 0).a;
        painter.drawEllipse(c.x - d / 2, c.y - d / 2, d, d);
    }

    if (!m_printMode) {
        painter.setBrush(QColor(255, 255, 255));
        // Outside print mode the paint has just read these from the shown picture.
        const int pw = m_picW;
        const int ph = m_picH;
        if (pw < W) {
            painter.drawRect(0, 0, W / 2 - pw / 2, H);
            painter.drawRect(W / 2 + pw / 2, 0, W, H);
        }
        if (ph < H) {
            painter.drawRect(0, 0, W, H / 2 - ph / 2);
            painter.drawRect(0, H / 2 + ph / 2, W, H);
        }
    }
}
