// Tool statistics as the analysis window's table refill computes them.
#include "overlay/toolmodel.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

std::vector<float> syntheticMap()
{
    std::vector<float> map(240 * 320);
    for (std::size_t i = 0; i < map.size(); ++i)
        map[i] = 20.0f + float((i * 2654435761u) >> 24) / 16.0f;
    return map;
}

void BM_MeasureWholePicture(benchmark::State &state)
{
    const std::vector<float> map = syntheticMap();
    RectTool rect;
    rect.x1 = 0, rect.y1 = 0, rect.x2 = 239, rect.y2 = 319;
    for (auto _ : state)
        benchmark::DoNotOptimize(measureTool(map, rect));
}
BENCHMARK(BM_MeasureWholePicture)->Unit(benchmark::kMicrosecond);

// Five tools of each kind, of the sizes a user draws, measured in table order.
void BM_Refill20Tools(benchmark::State &state)
{
    const std::vector<float> map = syntheticMap();
    ToolModel model;
    for (int k = 0; k < 5; ++k) {
        const int x = 20 + 40 * k;
        model.setToolKind(ToolPoint);
        PointTool *p = toolAt(model.m_points, model.m_nextNumber);
        p->x = x, p->y = 20;
        model.setToolKind(ToolLine);
        LineTool *l = toolAt(model.m_lines, model.m_nextNumber);
        l->x1 = 5, l->y1 = 30 + 10 * k, l->x2 = 230, l->y2 = 200 + 20 * k;
        model.setToolKind(ToolRect);
        RectTool *r = toolAt(model.m_rects, model.m_nextNumber);
        r->x1 = x - 15, r->y1 = 100, r->x2 = x + 15, r->y2 = 180;
        model.setToolKind(ToolCircle);
        CircleTool *c = toolAt(model.m_circles, model.m_nextNumber);
        c->cx = x, c->cy = 250, c->ex = x + 15, c->ey = 250, c->r = 15;
    }
    model.setToolKind(ToolCursor);

    for (auto _ : state) {
        float sum = 0.0f;
        for (const auto &t : model.m_points)
            sum += measureTool(map, *t).average;
        for (const auto &t : model.m_lines)
            sum += measureTool(map, *t).average;
        for (const auto &t : model.m_rects)
            sum += measureTool(map, *t).average;
        for (const auto &t : model.m_circles)
            sum += measureTool(map, *t).average;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_Refill20Tools)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
