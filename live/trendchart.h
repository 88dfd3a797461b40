#pragma once

#include <QObject>
#include <QtCharts/QChartGlobal>

QT_CHARTS_BEGIN_NAMESPACE
class QAreaSeries;
class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;
QT_CHARTS_END_NAMESPACE

class QTimer;
class ReadingsLog;

// The live trend on a chart view: the maximum temperature and the threshold of the log's
// window against local time, alarm periods shaded. It redraws at most four times a second,
// only while the view is shown and only when the log has grown, so the frame path pays
// nothing for it but the log's append.
class TrendChart : public QObject
{
    Q_OBJECT

public:
    static constexpr int RedrawInterval = 250;

    // Neither the view nor the log is owned; both outlive the chart.
    TrendChart(QtCharts::QChartView *view, const ReadingsLog *log, QObject *parent = nullptr);

    // Draws what the log holds now: the ten minutes up to its newest reading.
    void redraw();
    [[nodiscard]] bool isRedrawing() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const ReadingsLog *m_log;
    QTimer *m_timer;
    QtCharts::QLineSeries *m_max;
    QtCharts::QLineSeries *m_threshold;
    QtCharts::QLineSeries *m_alarmTop;
    QtCharts::QLineSeries *m_alarmBottom;
    QtCharts::QAreaSeries *m_alarm;
    QtCharts::QDateTimeAxis *m_timeAxis;
    QtCharts::QValueAxis *m_valueAxis;
    quint64 m_drawn = 0;
};
