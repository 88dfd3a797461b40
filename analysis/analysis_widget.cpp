#include "analysis/analysis_widget.h"

#include "analysis/radiometricfile.h"

Analysis_Widget::Analysis_Widget(QWidget *parent) : QWidget(parent) { }

Analysis_Widget::~Analysis_Widget() = default;

bool Analysis_Widget::set_Image_addr(QString path, int model)
{
    const std::optional<Radiometric::RadiometricPicture> picture =
            Radiometric::parseRadiometricFile(path, model);
    if (!picture)
        return false;
    m_model = model;
    return true;
}
