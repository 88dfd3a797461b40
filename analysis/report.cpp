#include "analysis/report.h"

#include "analysis/analysis_widget.h"
#include "ui_analysis_widget.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTableWidget>

namespace Report {

std::array<QString, 11> scaleLabels(qint16 maxTenths, qint16 minTenths, float div, float add)
{
    return scaleLabels(float(maxTenths) / div + add, float(minTenths) / div + add);
}

std::array<QString, 11> scaleLabels(float dMax, float dMin)
{
    const float step = (dMax - dMin) / 10;
    std::array<QString, 11> labels;
    labels[0] = QString::number(double(dMax), 'f', 1);
    for (int i = 1; i <= 9; ++i)
        labels[std::size_t(i)] = QString::number(double(dMax - i * step), 'f', 1);
    labels[10] = QString::number(double(dMin), 'f', 1);
    return labels;
}

int blockScale(int viewportWidth)
{
    return int((viewportWidth / 930) / 1.5);
}

namespace {

// Print mode of the overlay label, undone whatever happens while it is on.
class PrintModeGuard
{
public:
    PrintModeGuard(MyLabel *label, const LabelGeometry &geometry) : m_label(label)
    {
        m_label->m_printMode = true;
        m_label->m_labelW = geometry.labelW;
        m_label->m_picW = geometry.picW;
        m_label->m_labelH = geometry.labelH;
        m_label->m_picH = geometry.picH;
    }
    ~PrintModeGuard()
    {
        m_label->m_printMode = false;
        m_label->update();
    }
    PrintModeGuard(const PrintModeGuard &) = delete;
    PrintModeGuard &operator=(const PrintModeGuard &) = delete;

private:
    MyLabel *m_label;
};

QPixmap printOverlay(MyLabel *label, const LabelGeometry &geometry)
{
    const PrintModeGuard guard(label, geometry);
    // Rendering runs the label's paint even while it is hidden.
    QPixmap target(label->size().expandedTo(QSize(1, 1)));
    label->render(&target);
    return label->m_overlay;
}

// One line of the information: its label and value are the two cells of an information
// table row, the label as the table titles it.
struct Field
{
    QPoint labelPos;
    int row;
    QPoint valuePos;
    QPoint russianPos;
};

} // namespace

QPixmap reportOverlay(Analysis_Widget *window)
{
    const QSize picture = window->m_colorImage.size();
    return printOverlay(window->ui->label,
                        { int(3.0 * picture.width() + 1.0), int(3.0 * picture.width()),
                          int(3.0 * picture.height()), int(3.0 * picture.height()) });
}

// Drawn straight onto the page rather than through a pixmap, so the scale stays text in the
// PDF; the clip keeps the block's bounds.
void drawPictureBlock(QPainter &painter, Analysis_Widget *window, const QPixmap &overlay)
{
    const QImage &coloured = window->m_colorImage;
    painter.save();
    painter.setClipRect(0, 0, 930, 960);
    painter.drawImage(210, 0, coloured.scaled(720, 960, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    painter.drawPixmap(210, 0, overlay.scaled(720, 960, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    painter.drawPixmap(80, 0, window->m_barPixmap.scaled(60, 960, Qt::IgnoreAspectRatio, Qt::FastTransformation));

    QFont font;
    font.setPixelSize(23);
    font.setWeight(75);
    painter.setFont(font);
    for (int i = 0; i < 10; ++i)
        painter.drawText(QPoint(65, 96 * i + 10), QStringLiteral("-"));
    painter.drawText(QPoint(65, 965), QStringLiteral("-"));

    // The span the window's scale shows: the picture's, or the locked one.
    const std::pair<float, float> span = window->scaleSpan();
    const std::array<QString, 11> labels = scaleLabels(span.first, span.second);
    for (int i = 0; i < 11; ++i) {
        const int y = i == 0 ? 20 : i == 10 ? 955 : 96 * i;
        const int x = labels[std::size_t(i)].toDouble() < 100 ? 10 : 0;
        painter.drawText(QPoint(x, y), labels[std::size_t(i)]);
    }
    painter.restore();
}

QImage pictureWithOverlay(Analysis_Widget *window, int scale)
{
    window->colorize();
    const QSize size = window->m_colorImage.size() * scale;
    if (size.isEmpty())
        return QImage();
    const QPixmap overlay = printOverlay(
            window->ui->label, { size.width(), size.width(), size.height(), size.height() });
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.drawImage(0, 0, window->m_colorImage.scaled(size, Qt::KeepAspectRatio,
                                                        Qt::SmoothTransformation));
    painter.drawPixmap(0, 0, overlay);
    return image;
}

bool write(Analysis_Widget *window, const QString &path)
{
    if (path.isEmpty())
        return false;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
    }
    const bool russian = window->m_lang == QLatin1String("RU");
    // Made before the printer starts, so the label's repaint does not run mid-page.
    const QPixmap overlay = reportOverlay(window);

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QPainter painter;
    if (!painter.begin(&printer)) {
        // An empty file would look like a report that failed to open.
        QFile::remove(path);
        return false;
    }
    const int W = painter.viewport().width();
    painter.setPen(QPen(QBrush(Qt::black), 5, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    QFont font;
    font.setPixelSize(150);
    font.setWeight(75);
    painter.setFont(font);
    painter.drawText(QPoint(600, 800), Analysis_Widget::tr("图像信息"));
    painter.drawLine(600, 900, W - 600, 900);
    font.setWeight(50);
    painter.setFont(font);

    static const Field fields[] = {
        { { 600, 1200 }, 2, { 1700, 1200 }, { 2300, 1200 } },
        { { 600, 1500 }, 0, { 1700, 1500 }, { 2300, 1500 } },
        { { 4100, 1500 }, 1, { 5200, 1500 }, { 6100, 1500 } },
        { { 600, 1800 }, 4, { 1700, 1800 }, { 2300, 1800 } },
        { { 4100, 1800 }, 3, { 5200, 1800 }, { 8000, 1800 } },
        { { 600, 2100 }, 5, { 1700, 2100 }, { 2300, 2100 } },
        { { 600, 2700 }, 6, { 2300, 2700 }, { 3300, 2700 } },
        { { 4100, 2700 }, 9, { 5800, 2700 }, { 7400, 2700 } },
        { { 600, 3000 }, 7, { 2300, 3000 }, { 4300, 3000 } },
        { { 4100, 3000 }, 8, { 5800, 3000 }, { 4300, 3300 } },
    };
    const QTableWidget *info = window->ui->tableWidget_2;
    for (const Field &field : fields) {
        QPoint labelPos = field.labelPos;
        if (russian && field.row == 8)
            labelPos = QPoint(600, 3300);
        const QTableWidgetItem *title = info->item(field.row, 0);
        const QString label = title ? title->text() : QString();
        painter.drawText(labelPos, label);
        const QTableWidgetItem *value = info->item(field.row, 1);
        QPoint valuePos = russian ? field.russianPos : field.valuePos;
        // The columns suit the Chinese labels; a longer translation pushes its value right
        // instead of running into it.
        const int labelEnd = labelPos.x() + painter.fontMetrics().horizontalAdvance(label);
        valuePos.setX(qMax(valuePos.x(), labelEnd + 75));
        painter.drawText(valuePos, value ? value->text() : QString());
    }
    painter.drawLine(600, 3400, W - 600, 3400);

    const int s = qMax(1, blockScale(W));
    painter.scale(s, s);
    painter.save();
    painter.translate(150, 630);
    drawPictureBlock(painter, window, overlay);
    painter.restore();

    const QTableWidget *table = window->ui->tableWidget;
    const int n = table->rowCount();
    if (n > 0) {
        printer.newPage();
        painter.scale(1.0 / s, 1.0 / s);
        font.setWeight(75);
        painter.setFont(font);
        const QString unit = window->ui->comboBox->currentIndex() == 1 ? QStringLiteral("(°F)")
                                                                      : QStringLiteral("(°C)");
        painter.drawText(QPoint(600, 800), Analysis_Widget::tr("测温信息") + unit);
        painter.drawLine(600, 900, W - 600, 900);
        font.setWeight(50);
        painter.setFont(font);

        const int c = russian ? 1750 : 1400;
        const int x0 = russian ? 350 : 1800;
        const int g = russian ? 45 : 466;
        const int m = 5;
        for (int r = 0; r < n; ++r) {
            for (int k = 0; k < m; ++k) {
                if (const QTableWidgetItem *item = table->item(r, k))
                    painter.drawText(QPoint(x0 + k * c, 1800 + 300 * r), item->text());
            }
        }
        const QString headers[] = { Analysis_Widget::tr("名称"), Analysis_Widget::tr("类型"),
                                    Analysis_Widget::tr("高"), Analysis_Widget::tr("低"),
                                    Analysis_Widget::tr("平均") };
        for (int k = 0; k < m; ++k)
            painter.drawText(QPoint(x0 + k * c, 1500), headers[k]);
        for (int j = 0; j <= n + 1; ++j)
            painter.drawLine(x0 - g, 1275 + 300 * j, x0 - g + m * c, 1275 + 300 * j);
        for (int k = 0; k <= m; ++k)
            painter.drawLine(x0 - g + k * c, 1275, x0 - g + k * c, 1575 + 300 * n);
    }
    painter.end();
    return true;
}

} // namespace Report
