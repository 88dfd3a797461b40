#pragma once

#include <QString>
#include <QWidget>

// The window in which one radiometric picture from the imager's disk is examined.
class Analysis_Widget : public QWidget
{
    Q_OBJECT

public:
    explicit Analysis_Widget(QWidget *parent = nullptr);
    ~Analysis_Widget() override;

    // Parses the file with the layout of `model` (0 VX305, 1 VX300) and fills the window;
    // false when the file is not a picture of that model. Called once, before showing.
    bool set_Image_addr(QString path, int model);

    int m_model = -1;
};
