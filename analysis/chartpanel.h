#pragma once

#include "analysis/thermalcharts.h"

#include <QColor>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>
#include <vector>

class Analysis_Widget;

namespace QtCharts {
class QBarSet;
class QCategoryAxis;
class QChart;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
} // namespace QtCharts

// The chart panel of the analysis window, opened from its chart button: the profile of a line,
// the histogram of the picture or of an area, the isotherm and the locked scale. The window's
// form holds the panel's widgets; the panel fills the charts and keeps the two colouring
// settings the window paints with. With the panel closed it does no work at all.
class ChartPanel : public QWidget
{
    Q_OBJECT

public:
    explicit ChartPanel(QWidget *parent = nullptr);

    // Sets up the charts and connects the panel's controls, the chart button and the overlay
    // label's signals. Called once by the window, right after building its form.
    void attachToAnalysisWindow(Analysis_Widget *window);

    // A picture was loaded: the isotherm limits start from its span.
    void pictureLoaded();
    // The unit box changed: limits and spans are shown in the new unit, charts redrawn.
    void unitChanged();
    // Charts follow the tools: recomputed once the current event is handled, when the panel is
    // open and what they show has changed.
    void scheduleRefresh();
    void refresh();

    // The isotherm band in shown tenths of the window's unit, and its colour.
    [[nodiscard]] ThermalCharts::Isotherm isotherm() const;
    [[nodiscard]] QColor isothermColor() const { return m_isoColor; }
    // The isotherm's limits in degrees Celsius, whatever the unit shown.
    [[nodiscard]] double isothermLowCelsius() const { return m_isoLow; }
    [[nodiscard]] double isothermHighCelsius() const { return m_isoHigh; }
    // Shows a kept isotherm; emits nothing.
    void setIsotherm(int mode, double lowCelsius, double highCelsius, const QColor &color);
    // The locked span in shown tenths; only meaningful while the scale is locked.
    [[nodiscard]] ThermalCharts::Isotherm lockedSpan() const;

    // Shown tenths of every map pixel (map order), for the window's current unit.
    [[nodiscard]] const std::vector<int> &shownMap();

    // What the charts show.
    [[nodiscard]] const std::vector<ThermalCharts::ProfilePoint> &profile() const
    {
        return m_profile;
    }
    [[nodiscard]] const ThermalCharts::Histogram &histogram() const { return m_histogram; }
    // Name of the line the profile is of; empty when there is none.
    [[nodiscard]] QString profileName() const { return m_profileName; }

signals:
    // The user changed the isotherm.
    void isothermChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setUpProfileChart();
    void setUpHistogramChart();
    void followSelection();
    void refreshProfile();
    void refreshHistogram();
    void showIsothermControls();
    void showLockControls();
    void chooseIsothermColor();
    void isothermEdited();
    void lockEdited();
    void lockToggled(bool locked);
    [[nodiscard]] int unitIndex() const;
    [[nodiscard]] QString unitText() const;

    Analysis_Widget *m_window = nullptr;
    QTimer m_refreshTimer;

    QtCharts::QChart *m_profileChart = nullptr;
    QtCharts::QLineSeries *m_profileSeries = nullptr;
    QtCharts::QScatterSeries *m_maxMark = nullptr;
    QtCharts::QScatterSeries *m_minMark = nullptr;
    QtCharts::QValueAxis *m_profileX = nullptr;
    QtCharts::QValueAxis *m_profileY = nullptr;
    QtCharts::QChart *m_histogramChart = nullptr;
    QtCharts::QBarSet *m_bars = nullptr;
    QtCharts::QCategoryAxis *m_histogramX = nullptr;
    QtCharts::QValueAxis *m_histogramY = nullptr;

    std::vector<ThermalCharts::ProfilePoint> m_profile;
    QString m_profileName;
    ThermalCharts::Histogram m_histogram;
    // The records the charts follow: the selected line, and the selected rectangle or circle
    // (null for the whole picture). A line selection leaves the histogram's area as it is.
    const void *m_profileLine = nullptr;
    const void *m_area = nullptr;
    char m_areaKind = 0; // 'R' or 'C'
    // What a chart was last drawn from: the record, its coordinates and the unit pair. An
    // equal key skips the work, so a mouse move that changed nothing costs nothing.
    struct Key
    {
        const void *tool = nullptr;
        std::array<int, 5> coords {};
        float div = 0.0f;
        float add = 0.0f;
        bool valid = false;
        bool operator==(const Key &o) const
        {
            return valid && o.valid && tool == o.tool && coords == o.coords && div == o.div
                && add == o.add;
        }
    };
    Key m_profileKey;
    Key m_histogramKey;
    // First edge, width (tenths) and count of the bins the axis labels name.
    std::array<int, 3> m_binsShown {};
    // The shown tenths of the picture for the unit pair in m_shownKey.
    std::vector<int> m_shown;
    Key m_shownKey;

    QColor m_isoColor = QColor(0, 255, 255);
    // Isotherm limits in degrees Celsius, shown in the window's unit.
    double m_isoLow = 0.0;
    double m_isoHigh = 0.0;
};
