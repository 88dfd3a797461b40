#include "live/livepicturelabel.h"

#include <QPainter>
#include <QStyle>

LivePictureLabel::LivePictureLabel(QWidget *parent) : QLabel(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LivePictureLabel::setFrame(const QImage &frame)
{
    const QRect old = m_frame.isNull() ? QRect()
                                       : QStyle::alignedRect(layoutDirection(), alignment(),
                                                             m_frame.size(), contentsRect());
    m_frame = frame;
    // Only what the frames cover; a new size repaints where the old one was too.
    update(old.united(QStyle::alignedRect(layoutDirection(), alignment(), frame.size(),
                                          contentsRect())));
}

void LivePictureLabel::clearFrame()
{
    m_frame = QImage();
    update();
}

void LivePictureLabel::paintEvent(QPaintEvent *event)
{
    {
        // The label's own style: white, no border.
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
    }
    QLabel::paintEvent(event);
    if (m_frame.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(
            QStyle::alignedRect(layoutDirection(), alignment(), m_frame.size(), contentsRect()),
            m_frame);
}
