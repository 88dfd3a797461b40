#pragma once

#include <QImage>
#include <QLabel>

// The live picture label: a QLabel that also shows a frame already scaled to fit it,
// centred as the label would centre a pixmap. Setting a frame only repaints the label: a
// pixmap set on a QLabel asks every layout above it to recompute, frame after frame. It
// paints its own white background, so the styled panels behind it are not repainted either.
class LivePictureLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LivePictureLabel(QWidget *parent = nullptr);

    void setFrame(const QImage &frame);
    void clearFrame();
    [[nodiscard]] const QImage &frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_frame;
};
