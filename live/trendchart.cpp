#include "live/trendchart.h"

#include "live/readingslog.h"

#include <QDateTime>
#include <QEvent>
#include <QTimer>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

using namespace QtCharts;

namespace {
// Below this span the axis would magnify the imager's tenths into noise.
constexpr double MinimumSpan = 2.0;
// Bins of a second: at most two points a second, some 1,200 over the window.
constexpr qint64 BinMs = 1000;
} // namespace

TrendChart::TrendChart(QChartView *view, const ReadingsLog *log, QObject *parent)
    : QObject(parent)
    , m_log(log)
    , m_timer(new QTimer(this))
    , m_max(new QLineSeries)
    , m_threshold(new QLineSeries)
    , m_alarm(new QAreaSeries)
    , m_timeAxis(new QDateTimeAxis)
    , m_valueAxis(new QValueAxis)
{
    m_alarmTop = new QLineSeries(m_alarm);
    m_alarmBottom = new QLineSeries(m_alarm);
    m_alarm->setUpperSeries(m_alarmTop);
    m_alarm->setLowerSeries(m_alarmBottom);
    m_alarm->setName(tr("报警时段"));
    m_alarm->setPen(Qt::NoPen);
    m_alarm->setBrush(QColor(255, 0, 0, 55));
    m_max->setName(tr("最大温度"));
    m_max->setPen(QPen(QColor(242, 107, 29), 2));
    m_threshold->setName(tr("报警阈值"));
    m_threshold->setPen(QPen(QColor(48, 48, 48), 1.5, Qt::DashLine));

    auto *chart = new QChart;
    // The panel's white shows through, without the theme's frame.
    chart->setBackgroundVisible(false);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    // The shading first, so the lines are drawn over it.
    for (QAbstractSeries *series :
        std::initializer_list<QAbstractSeries *> {m_alarm, m_max, m_threshold})
        chart->addSeries(series);
    m_timeAxis->setFormat(QStringLiteral("HH:mm:ss"));
    m_timeAxis->setTickCount(6);
    m_valueAxis->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(m_timeAxis, Qt::AlignBottom);
    chart->addAxis(m_valueAxis, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(m_timeAxis);
        series->attachAxis(m_valueAxis);
    }
    // The view's own empty chart is not deleted by setChart.
    QChart *former = view->chart();
    view->setChart(chart);
    delete former;
    view->setRenderHint(QPainter::Antialiasing);

    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_log->appended() != m_drawn)
            redraw();
    });
    view->installEventFilter(this);
    redraw();
}

bool TrendChart::isRedrawing() const
{
    return m_timer->isActive();
}

bool TrendChart::eventFilter(QObject *watched, QEvent *event)
{
    // Showing and hiding reach the view both when its tab changes and when the window
    // itself is shown or hidden.
    if (event->type() == QEvent::Show) {
        redraw();
        m_timer->start(RedrawInterval);
    } else if (event->type() == QEvent::Hide) {
        m_timer->stop();
    }
    return QObject::eventFilter(watched, event);
}

void TrendChart::redraw()
{
    m_drawn = m_log->appended();
    const qint64 end = m_log->size() > 0 ? m_log->at(m_log->size() - 1).time
                                         : QDateTime::currentMSecsSinceEpoch();
    const qint64 start = end - ReadingsLog::WindowMs;
    const QVector<QPointF> max = m_log->maxPoints(BinMs);
    const QVector<QPointF> threshold = m_log->thresholdPoints();

    double low = 0, high = 50;
    if (!max.isEmpty()) {
        low = high = max.first().y();
        for (const QVector<QPointF> *points : {&max, &threshold})
            for (const QPointF &p : *points) {
                low = std::min(low, p.y());
                high = std::max(high, p.y());
            }
        const double pad = std::max(MinimumSpan - (high - low), (high - low) * 0.2) / 2;
        low -= pad;
        high += pad;
    }
    m_valueAxis->setRange(low, high);
    m_valueAxis->applyNiceNumbers();
    low = m_valueAxis->min();
    high = m_valueAxis->max();
    m_timeAxis->setRange(
        QDateTime::fromMSecsSinceEpoch(start), QDateTime::fromMSecsSinceEpoch(end));

    // The shading spans the whole height of the plot through each alarm period.
    QVector<QPointF> top {{qreal(start), low}};
    for (const AlarmPeriod &period : m_log->alarmPeriods())
        top << QPointF(period.start, low) << QPointF(period.start, high)
            << QPointF(period.end, high) << QPointF(period.end, low);
    top << QPointF(end, low);
    m_alarmTop->replace(top);
    m_alarmBottom->replace(QVector<QPointF> {{qreal(start), low}, {qreal(end), low}});
    m_max->replace(max);
    m_threshold->replace(threshold);
}
