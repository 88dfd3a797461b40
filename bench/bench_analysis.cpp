// Picture decoding of both models, colouring at the window's default size, the report, and
// reports for 100 pictures.
#include "analysis/analysis_widget.h"
#include "analysis/batchreport.h"
#include "analysis/radiometricfile.h"
#include "analysis/report.h"
#include "app/startup.h"
#include "ui_analysis_widget.h"

#include "picturefixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString writeDemo(const QTemporaryDir &dir, int model)
{
    const QString path = dir.filePath(QStringLiteral("demo%1.bmp").arg(model));
    PictureFixture::scene(model).writeTo(path);
    return path;
}

// Read from the page cache, plane, palette, parameters, map and mean.
void BM_DecodeFile(benchmark::State &state)
{
    const int model = int(state.range(0));
    QTemporaryDir dir;
    const QString path = writeDemo(dir, model);
    for (auto _ : state)
        benchmark::DoNotOptimize(Radiometric::parseRadiometricFile(path, model));
    state.SetLabel(model == 0 ? "VX305" : "VX300");
}
BENCHMARK(BM_DecodeFile)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Colour table, colouring and the label's picture at the window's default size.
void BM_Colorize(benchmark::State &state)
{
    QTemporaryDir dir;
    Analysis_Widget window;
    window.set_Image_addr(writeDemo(dir, 0), 0);
    window.resize(1150, 760);
    window.ui->label->resize(600, 700);
    int handle = 0;
    for (auto _ : state) {
        // A new handle each time, as while dragging, so the picture is set again.
        window.ui->widget->m_startIndex = (handle++) % 100;
        window.colorize();
    }
}
BENCHMARK(BM_Colorize)->Unit(benchmark::kMicrosecond);

void BM_Report(benchmark::State &state)
{
    QTemporaryDir dir;
    Analysis_Widget window;
    window.set_Image_addr(writeDemo(dir, 0), 0);
    window.colorize();
    window.ui->label->setToolKind(ToolRect);
    *window.ui->label->m_rects[0] = RectTool { "R0", 20, 20, 200, 300, Qt::red };
    window.updat_Tool_Temp();
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state)
        benchmark::DoNotOptimize(Report::write(&window, path));
}
BENCHMARK(BM_Report)->Unit(benchmark::kMillisecond);

// Reports for a selection of 100 pictures, as the browser writes them.
void BM_BatchReports(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString first = writeDemo(dir, 0);
    QStringList pictures;
    for (int i = 0; i < 100; ++i) {
        const QString path = dir.filePath(QStringLiteral("IMG_%1.bmp").arg(i, 4, 10, QLatin1Char('0')));
        QFile::copy(first, path);
        pictures << path;
    }
    QDir(dir.path()).mkpath(QStringLiteral("out"));
    for (auto _ : state) {
        const BatchReport::Outcome outcome =
                BatchReport::writeReports(pictures, 0, dir.filePath(QStringLiteral("out")), false);
        if (outcome.written.size() != 100)
            state.SkipWithError("not every report was written");
    }
}
BENCHMARK(BM_BatchReports)->Unit(benchmark::kMillisecond)->Iterations(2);

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
