#pragma once

#include "analysis/radiometricfile.h"
#include "overlay/overlaygeometry.h"
#include "overlay/toolmodel.h"

#include <QLabel>
#include <QPixmap>
#include <QPoint>

class Analysis_Widget;

// The label showing the false-colour picture, with the measurement tools, the file's
// markers and white masks over the margins drawn on top. It turns mouse gestures into
// placing, drawing, selecting and moving tools.
class MyLabel : public QLabel, public ToolModel
{
    Q_OBJECT

public:
    explicit MyLabel(QWidget *parent = nullptr);

    // Connects the four signals to the window's slots of the same purpose.
    void attachToAnalysisWindow(Analysis_Widget *window);

    [[nodiscard]] LabelGeometry geometryValues() const
    {
        return { m_labelW, m_picW, m_labelH, m_picH };
    }

    Radiometric::MarkerPosition m_lowPos { 65535, 65535 };
    Radiometric::MarkerPosition m_highPos { 65535, 65535 };
    Radiometric::MarkerPosition m_centrePos { 65535, 65535 };
    bool m_dragCreating = false;
    QPoint m_pressPos;
    QPoint m_movePos;
    int m_labelW = 0;
    int m_picW = 0;
    int m_labelH = 0;
    int m_picH = 0;
    bool m_printMode = false;
    QPixmap m_overlay;

signals:
    void Point_XY(int px, int py);
    void updat_Tool();
    void Focus_idev(int bt_st);
    void Set_Select(int dev);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void selectByHit(int px, int py);
    void paintOverlay(QPainter &painter, int penW);
};
