// The chart panel while a tool is dragged: one mouse move on the overlay label and the refresh
// it schedules (profile of the line, or histogram of the rectangle), then, in the "drawn"
// variants, the chart painted as the next repaint paints it.
#include "analysis/analysis_widget.h"
#include "app/startup.h"
#include "ui_analysis_widget.h"

#include "picturefixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct DraggingWindow
{
    QTemporaryDir dir;
    Analysis_Widget window;

    explicit DraggingWindow(QPushButton *(*tool)(Ui::Analysis_Widget *))
    {
        const QString path = dir.filePath(QStringLiteral("demo.bmp"));
        PictureFixture::scene(0).writeTo(path);
        window.set_Image_addr(path, 0);
        window.resize(1100, 700);
        window.ui->pushButton_chart->setChecked(true);
        // Lays the window out and paints the label once, which sets its picture geometry.
        window.grab();
        tool(window.ui)->click();
        press(30, 40);
    }

    QPoint at(int x, int y) const
    {
        const auto p = window.ui->label->geometryValues().pictureToLabel(x, y, 0, 0);
        return QPoint(p.x, p.y);
    }
    void press(int x, int y)
    {
        QMouseEvent event(
            QEvent::MouseButtonPress, at(x, y), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.ui->label, &event);
    }
    // A move to a new end point, then the events it posted, among them the charts' refresh;
    // the chart's scene does its queued work there too, as between two real moves.
    void dragTo(int x, int y)
    {
        QMouseEvent event(
            QEvent::MouseMove, at(x, y), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.ui->label, &event);
        QApplication::processEvents();
    }
};

QPushButton *lineTool(Ui::Analysis_Widget *ui)
{
    return ui->pushButton_7;
}

QPushButton *rectTool(Ui::Analysis_Widget *ui)
{
    return ui->pushButton_6;
}

void drag(benchmark::State &state, QPushButton *(*tool)(Ui::Analysis_Widget *),
    QtCharts::QChartView *(*view)(Ui::Analysis_Widget *))
{
    DraggingWindow w(tool);
    QPixmap canvas(view(w.window.ui)->size());
    int step = 0;
    for (auto _ : state) {
        // Long diagonal ends, every one a new position.
        ++step;
        w.dragTo(200 + step % 30, 250 + step % 60);
        // The whole widget, as its repaint paints it (QGraphicsView hides QWidget::render).
        if (state.range(0))
            static_cast<QWidget *>(view(w.window.ui))->render(&canvas);
    }
    state.SetLabel(state.range(0) ? "drawn" : "data");
}

void BM_ProfileWhileDragging(benchmark::State &state)
{
    drag(state, lineTool, [](Ui::Analysis_Widget *ui) { return ui->profileChart; });
}
BENCHMARK(BM_ProfileWhileDragging)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_HistogramWhileDragging(benchmark::State &state)
{
    drag(state, rectTool, [](Ui::Analysis_Widget *ui) { return ui->histogramChart; });
}
BENCHMARK(BM_HistogramWhileDragging)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initVx305Resources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
