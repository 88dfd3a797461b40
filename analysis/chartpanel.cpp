#include "analysis/chartpanel.h"

#include "analysis/analysis_widget.h"
#include "analysis/scalelock.h"
#include "app/dialogs.h"
#include "ui_analysis_widget.h"

#include <QCursor>
#include <QPixmap>
#include <QSignalBlocker>
#include <QToolTip>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

using namespace QtCharts;

namespace {

QChart *plainChart()
{
    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    QFont title = chart->titleFont();
    title.setPointSize(9);
    title.setBold(true);
    chart->setTitleFont(title);
    return chart;
}

// The view takes the chart; the one it made for itself is released, not deleted.
void setChart(QChartView *view, QChart *chart)
{
    QChart *own = view->chart();
    view->setChart(chart);
    delete own;
}

// Small labels: the panel is a narrow column.
void styleAxis(QAbstractAxis *axis)
{
    QFont font = axis->labelsFont();
    font.setPointSize(7);
    axis->setLabelsFont(font);
    font.setPointSize(8);
    axis->setTitleFont(font);
}

QScatterSeries *extremeMark(const QString &name, const QColor &color)
{
    auto *mark = new QScatterSeries;
    mark->setObjectName(name);
    mark->setColor(color);
    mark->setBorderColor(Qt::white);
    mark->setMarkerSize(10);
    mark->setPointLabelsVisible(true);
    mark->setPointLabelsColor(color);
    mark->setPointLabelsFormat(QStringLiteral("@yPoint"));
    mark->setPointLabelsClipping(false);
    QFont font = mark->pointLabelsFont();
    font.setPointSize(8);
    font.setBold(true);
    mark->setPointLabelsFont(font);
    return mark;
}

// A label step of 1, 2 or 5 times a power of ten, in tenths, a multiple of the bin width,
// giving about five labels over the span.
int labelStep(int span, int width)
{
    for (int decade = 1;; decade *= 10) {
        for (const int step : {1, 2, 5}) {
            const int candidate = step * decade;
            if (candidate >= width && candidate % width == 0 && span / candidate <= 5)
                return candidate;
        }
    }
}

QString tenthsText(int tenths)
{
    return QString::number(tenths / 10.0, 'f', 1);
}

// A bin edge in whole degrees when the bins are whole degrees wide.
QString edgeText(int tenths, int width)
{
    return width % 10 == 0 ? QString::number(tenths / 10) : tenthsText(tenths);
}

// Sets the axis to the range from low to high widened to a step of 1, 2 or 5 times a power
// of ten, with about four steps; nothing when the axis has that range already.
void setNiceRange(QValueAxis *axis, double low, double high)
{
    const double rough = std::max(high - low, 1e-9) / 4.0;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10.0 * decade;
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * decade >= rough) {
            step = m * decade;
            break;
        }
    }
    const double from = std::floor(low / step) * step;
    const double to = std::ceil(high / step) * step;
    if (axis->min() == from && axis->max() == to)
        return;
    axis->setRange(from, to);
    axis->setTickCount(int(std::lround((to - from) / step)) + 1);
}

int roundedTenths(double value)
{
    return int(std::lround(value * 10.0));
}

template <class Tool> bool holds(const ToolList<Tool> &list, const void *record)
{
    return std::any_of(list.begin(), list.end(),
        [record](const std::unique_ptr<Tool> &t) { return t.get() == record; });
}

} // namespace

ChartPanel::ChartPanel(QWidget *parent)
    : QWidget(parent)
{
    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(0);
    connect(&m_refreshTimer, &QTimer::timeout, this, &ChartPanel::refresh);
}

void ChartPanel::attachToAnalysisWindow(Analysis_Widget *window)
{
    m_window = window;
    Ui::Analysis_Widget *ui = window->ui;
    hide();
    setUpProfileChart();
    setUpHistogramChart();

    // The panel takes its room from the picture: the window keeps the tables readable.
    connect(ui->pushButton_chart, &QPushButton::toggled, this, &QWidget::setVisible);
    // The label moves a tool after it reported the mouse position, so the charts are redrawn
    // once that move is handled.
    connect(ui->label, &MyLabel::Point_XY, this, &ChartPanel::scheduleRefresh);
    connect(ui->label, &MyLabel::updat_Tool, this, &ChartPanel::scheduleRefresh);
    connect(ui->label, &MyLabel::Set_Select, this, &ChartPanel::scheduleRefresh);
    connect(
        ui->pushButton_saveProfile, &QPushButton::clicked, window, &Analysis_Widget::saveProfile);

    connect(ui->comboBox_isotherm, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &ChartPanel::isothermEdited);
    connect(ui->doubleSpinBox_isoLow, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
        &ChartPanel::isothermEdited);
    connect(ui->doubleSpinBox_isoHigh, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
        &ChartPanel::isothermEdited);
    connect(ui->pushButton_isoColor, &QPushButton::clicked, this, &ChartPanel::chooseIsothermColor);

    connect(ui->checkBox_lockScale, &QCheckBox::toggled, this, &ChartPanel::lockToggled);
    connect(ui->doubleSpinBox_lockLow, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
        &ChartPanel::lockEdited);
    connect(ui->doubleSpinBox_lockHigh, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
        &ChartPanel::lockEdited);
    // Another window may lock or move the span.
    connect(ScaleLock::instance(), &ScaleLock::changed, this, [this] {
        showLockControls();
        m_window->updateScale();
        m_window->recolour();
    });
    unitChanged();
}

void ChartPanel::setUpProfileChart()
{
    m_profileChart = plainChart();
    m_profileSeries = new QLineSeries;
    m_profileSeries->setObjectName(QStringLiteral("profile"));
    m_profileSeries->setPen(QPen(QColor(242, 107, 29), 2));
    m_maxMark = extremeMark(QStringLiteral("maximum"), QColor(220, 30, 30));
    m_minMark = extremeMark(QStringLiteral("minimum"), QColor(30, 90, 220));
    m_profileX = new QValueAxis;
    m_profileX->setTitleText(tr("距离 (像素)"));
    m_profileX->setLabelFormat(QStringLiteral("%d"));
    m_profileY = new QValueAxis;
    m_profileY->setLabelFormat(QStringLiteral("%.1f"));
    styleAxis(m_profileX);
    styleAxis(m_profileY);
    m_profileChart->addAxis(m_profileX, Qt::AlignBottom);
    m_profileChart->addAxis(m_profileY, Qt::AlignLeft);
    const QList<QXYSeries *> series = {m_profileSeries, m_maxMark, m_minMark};
    for (QXYSeries *s : series) {
        m_profileChart->addSeries(s);
        s->attachAxis(m_profileX);
        s->attachAxis(m_profileY);
    }
    setChart(m_window->ui->profileChart, m_profileChart);
    m_window->ui->profileChart->setRenderHint(QPainter::Antialiasing);
}

void ChartPanel::setUpHistogramChart()
{
    m_histogramChart = plainChart();
    m_bars = new QBarSet(QString());
    m_bars->setColor(QColor(242, 107, 29));
    m_bars->setBorderColor(QColor(190, 80, 20));
    auto *series = new QBarSeries;
    series->setObjectName(QStringLiteral("histogram"));
    series->setBarWidth(1.0);
    series->append(m_bars);
    m_histogramChart->addSeries(series);
    m_histogramX = new QCategoryAxis;
    m_histogramX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_histogramY = new QValueAxis;
    m_histogramY->setLabelFormat(QStringLiteral("%d"));
    m_histogramY->setTitleText(tr("像素"));
    styleAxis(m_histogramX);
    styleAxis(m_histogramY);
    m_histogramChart->addAxis(m_histogramX, Qt::AlignBottom);
    m_histogramChart->addAxis(m_histogramY, Qt::AlignLeft);
    series->attachAxis(m_histogramX);
    series->attachAxis(m_histogramY);
    connect(m_bars, &QBarSet::hovered, this, [this](bool over, int bin) {
        if (!over || bin < 0 || bin >= int(m_histogram.counts.size())) {
            QToolTip::hideText();
            return;
        }
        const int low = m_histogram.firstTenths + bin * m_histogram.widthTenths;
        QToolTip::showText(QCursor::pos(),
            tr("%1 – %2 %3：%4 个像素")
                .arg(tenthsText(low), tenthsText(low + m_histogram.widthTenths), unitText())
                .arg(m_histogram.counts[std::size_t(bin)]));
    });
    setChart(m_window->ui->histogramChart, m_histogramChart);
}

int ChartPanel::unitIndex() const
{
    return m_window->ui->comboBox->currentIndex() == 1 ? 1 : 0;
}

QString ChartPanel::unitText() const
{
    return unitIndex() == 1 ? QStringLiteral("°F") : QStringLiteral("°C");
}

const std::vector<int> &ChartPanel::shownMap()
{
    Key key;
    key.tool = m_window->m_tempMap.data();
    key.coords[0] = int(m_window->m_tempMap.size());
    key.div = m_window->m_unitDiv;
    key.add = m_window->m_unitAdd;
    key.valid = true;
    if (!(key == m_shownKey)) {
        m_shown = ThermalCharts::shownMap(m_window->m_tempMap, key.div, key.add);
        m_shownKey = key;
    }
    return m_shown;
}

void ChartPanel::pictureLoaded()
{
    // New temperatures: whatever was drawn is stale.
    m_shownKey = m_profileKey = m_histogramKey = Key();
    const int unit = unitIndex();
    const float high
        = float(m_window->m_params.maxTemp) / m_window->m_unitDiv + m_window->m_unitAdd;
    const float low = float(m_window->m_params.minTemp) / m_window->m_unitDiv + m_window->m_unitAdd;
    // The hottest quarter of the picture, on half degrees.
    m_isoLow = ThermalCharts::fromUnit(std::round((low + 0.75 * (high - low)) * 2.0) / 2.0, unit);
    m_isoHigh = ThermalCharts::fromUnit(std::ceil(high * 2.0) / 2.0, unit);
    unitChanged();
}

void ChartPanel::unitChanged()
{
    const QString suffix = QLatin1Char(' ') + unitText();
    Ui::Analysis_Widget *ui = m_window->ui;
    for (QDoubleSpinBox *box : {ui->doubleSpinBox_isoLow, ui->doubleSpinBox_isoHigh,
             ui->doubleSpinBox_lockLow, ui->doubleSpinBox_lockHigh})
        box->setSuffix(suffix);
    // The vertical title is short: the chart is low.
    m_profileY->setTitleText(unitText());
    m_histogramX->setTitleText(tr("温度") + QStringLiteral(" (") + unitText() + QLatin1Char(')'));
    m_binsShown = {};
    showIsothermControls();
    showLockControls();
    scheduleRefresh();
}

ThermalCharts::Isotherm ChartPanel::isotherm() const
{
    const int unit = unitIndex();
    return {m_window->ui->comboBox_isotherm->currentIndex(),
        roundedTenths(ThermalCharts::toUnit(m_isoLow, unit)),
        roundedTenths(ThermalCharts::toUnit(m_isoHigh, unit))};
}

ThermalCharts::Isotherm ChartPanel::lockedSpan() const
{
    const ScaleLock *lock = ScaleLock::instance();
    const int unit = unitIndex();
    return {ThermalCharts::IsothermBetween,
        roundedTenths(ThermalCharts::toUnit(lock->lowCelsius(), unit)),
        roundedTenths(ThermalCharts::toUnit(lock->highCelsius(), unit))};
}

void ChartPanel::showIsothermControls()
{
    Ui::Analysis_Widget *ui = m_window->ui;
    const ThermalCharts::Isotherm band = isotherm();
    const QSignalBlocker lowBlocker(ui->doubleSpinBox_isoLow);
    const QSignalBlocker highBlocker(ui->doubleSpinBox_isoHigh);
    ui->doubleSpinBox_isoLow->setValue(band.low / 10.0);
    ui->doubleSpinBox_isoHigh->setValue(band.high / 10.0);
    // Only the limits the chosen band uses can be edited.
    const bool low
        = band.mode == ThermalCharts::IsothermAbove || band.mode == ThermalCharts::IsothermBetween;
    const bool high
        = band.mode == ThermalCharts::IsothermBelow || band.mode == ThermalCharts::IsothermBetween;
    ui->doubleSpinBox_isoLow->setEnabled(low);
    ui->doubleSpinBox_isoHigh->setEnabled(high);
    QPixmap swatch(16, 16);
    swatch.fill(m_isoColor);
    ui->pushButton_isoColor->setIcon(QIcon(swatch));
}

void ChartPanel::isothermEdited()
{
    Ui::Analysis_Widget *ui = m_window->ui;
    m_isoLow = ThermalCharts::fromUnit(ui->doubleSpinBox_isoLow->value(), unitIndex());
    m_isoHigh = ThermalCharts::fromUnit(ui->doubleSpinBox_isoHigh->value(), unitIndex());
    showIsothermControls();
    m_window->recolour();
    emit isothermChanged();
}

void ChartPanel::setIsotherm(int mode, double lowCelsius, double highCelsius, const QColor &color)
{
    QComboBox *box = m_window->ui->comboBox_isotherm;
    {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(qBound(0, mode, box->count() - 1));
    }
    m_isoLow = lowCelsius;
    m_isoHigh = highCelsius;
    if (color.isValid())
        m_isoColor = color;
    showIsothermControls();
    m_window->recolour();
}

void ChartPanel::chooseIsothermColor()
{
    const QColor color = Dialogs::instance()->color(m_window, m_isoColor, tr("等温线颜色"));
    if (!color.isValid())
        return;
    m_isoColor = color;
    showIsothermControls();
    m_window->recolour();
    emit isothermChanged();
}

void ChartPanel::showLockControls()
{
    Ui::Analysis_Widget *ui = m_window->ui;
    const ScaleLock *lock = ScaleLock::instance();
    double low = ThermalCharts::toUnit(lock->lowCelsius(), unitIndex());
    double high = ThermalCharts::toUnit(lock->highCelsius(), unitIndex());
    if (!lock->hasSpan()) {
        // Until a span is set the boxes offer the picture's own, in whole degrees.
        low = std::floor(
            float(m_window->m_params.minTemp) / m_window->m_unitDiv + m_window->m_unitAdd);
        high = std::ceil(
            float(m_window->m_params.maxTemp) / m_window->m_unitDiv + m_window->m_unitAdd);
    }
    const QSignalBlocker checkBlocker(ui->checkBox_lockScale);
    const QSignalBlocker lowBlocker(ui->doubleSpinBox_lockLow);
    const QSignalBlocker highBlocker(ui->doubleSpinBox_lockHigh);
    ui->checkBox_lockScale->setChecked(lock->locked());
    ui->doubleSpinBox_lockLow->setValue(low);
    ui->doubleSpinBox_lockHigh->setValue(high);
}

void ChartPanel::lockEdited()
{
    Ui::Analysis_Widget *ui = m_window->ui;
    ScaleLock::instance()->setSpan(
        ThermalCharts::fromUnit(ui->doubleSpinBox_lockLow->value(), unitIndex()),
        ThermalCharts::fromUnit(ui->doubleSpinBox_lockHigh->value(), unitIndex()));
}

void ChartPanel::lockToggled(bool locked)
{
    // The first lock of a session takes the span the boxes offer.
    if (locked && !ScaleLock::instance()->hasSpan())
        lockEdited();
    ScaleLock::instance()->setLocked(locked);
}

void ChartPanel::scheduleRefresh()
{
    // The records followed are kept up to date even while the panel is closed; that is cheap.
    followSelection();
    if (!isHidden())
        m_refreshTimer.start();
}

void ChartPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void ChartPanel::followSelection()
{
    const MyLabel *label = m_window->ui->label;
    const int index = label->m_selIndex;
    switch (label->selLetter().unicode()) {
    case 'L':
        if (const LineTool *line = toolAt(label->m_lines, index); line && isPlaced(*line))
            m_profileLine = line;
        break;
    case 'R':
        if (const RectTool *rect = toolAt(label->m_rects, index); rect && isPlaced(*rect)) {
            m_area = rect;
            m_areaKind = 'R';
        }
        break;
    case 'C':
        if (const CircleTool *circle = toolAt(label->m_circles, index);
            circle && isPlaced(*circle)) {
            m_area = circle;
            m_areaKind = 'C';
        }
        break;
    default:
        m_area = nullptr;
        break;
    }
    // A deleted record is followed no more.
    if (m_profileLine && !holds(label->m_lines, m_profileLine))
        m_profileLine = nullptr;
    if (m_area
        && !(m_areaKind == 'R' ? holds(label->m_rects, m_area) : holds(label->m_circles, m_area)))
        m_area = nullptr;
}

void ChartPanel::refresh()
{
    m_refreshTimer.stop();
    if (isHidden() || !m_window)
        return;
    followSelection();
    refreshProfile();
    refreshHistogram();
}

void ChartPanel::refreshProfile()
{
    const auto *line = static_cast<const LineTool *>(m_profileLine);
    Key key;
    key.tool = line;
    if (line)
        key.coords = {line->x1, line->y1, line->x2, line->y2, 0};
    key.div = m_window->m_unitDiv;
    key.add = m_window->m_unitAdd;
    key.valid = true;
    if (key == m_profileKey)
        return;
    m_profileKey = key;

    m_profile = line ? ThermalCharts::lineProfile(shownMap(), *line)
                     : std::vector<ThermalCharts::ProfilePoint>();
    m_profileName = line ? line->name : QString();
    m_window->ui->pushButton_saveProfile->setEnabled(!m_profile.empty());
    m_profileChart->setTitle(line ? line->name : tr("请选择一条线"));
    QVector<QPointF> points;
    points.reserve(int(m_profile.size()));
    const ThermalCharts::ProfilePoint *hottest = nullptr;
    const ThermalCharts::ProfilePoint *coldest = nullptr;
    for (const ThermalCharts::ProfilePoint &p : m_profile) {
        points.append(QPointF(p.distance, p.tenths / 10.0));
        if (!hottest || p.tenths > hottest->tenths)
            hottest = &p;
        if (!coldest || p.tenths < coldest->tenths)
            coldest = &p;
    }
    // The ranges first and only when they change: every change of a range, like every change
    // of points, has the chart rebuild the line's outline, the bulk of a refresh.
    if (!hottest) {
        setNiceRange(m_profileX, 0, 1);
        setNiceRange(m_profileY, 0, 1);
    } else {
        // Room above the maximum's label and below the minimum's.
        const double pad = std::max(1.0, (hottest->tenths - coldest->tenths) / 10.0 * 0.15);
        setNiceRange(m_profileX, 0, std::max(1.0, m_profile.back().distance));
        setNiceRange(m_profileY, coldest->tenths / 10.0 - pad, hottest->tenths / 10.0 + pad);
    }
    m_profileSeries->replace(points);
    m_maxMark->replace(hottest
            ? QVector<QPointF> {QPointF(hottest->distance, hottest->tenths / 10.0)}
            : QVector<QPointF>());
    m_minMark->replace(coldest
            ? QVector<QPointF> {QPointF(coldest->distance, coldest->tenths / 10.0)}
            : QVector<QPointF>());
}

void ChartPanel::refreshHistogram()
{
    Key key;
    key.tool = m_area;
    if (m_areaKind == 'R' && m_area) {
        const auto *rect = static_cast<const RectTool *>(m_area);
        key.coords = {rect->x1, rect->y1, rect->x2, rect->y2, 0};
    } else if (m_areaKind == 'C' && m_area) {
        const auto *circle = static_cast<const CircleTool *>(m_area);
        key.coords = {circle->cx, circle->cy, circle->r, 0, 1};
    }
    key.div = m_window->m_unitDiv;
    key.add = m_window->m_unitAdd;
    key.valid = true;
    if (key == m_histogramKey)
        return;
    m_histogramKey = key;

    const std::vector<int> &shown = shownMap();
    if (!m_area) {
        m_histogram = ThermalCharts::histogram(shown);
        m_histogramChart->setTitle(tr("整幅图像"));
    } else if (m_areaKind == 'R') {
        const auto *rect = static_cast<const RectTool *>(m_area);
        m_histogram
            = ThermalCharts::histogram(ThermalCharts::valuesAt(shown, coveringPixels(*rect)));
        m_histogramChart->setTitle(rect->name);
    } else {
        const auto *circle = static_cast<const CircleTool *>(m_area);
        m_histogram
            = ThermalCharts::histogram(ThermalCharts::valuesAt(shown, coveringPixels(*circle)));
        m_histogramChart->setTitle(circle->name);
    }

    QList<qreal> counts;
    counts.reserve(int(m_histogram.counts.size()));
    int most = 1;
    for (const int c : m_histogram.counts) {
        counts.append(c);
        most = std::max(most, c);
    }
    setNiceRange(m_histogramY, 0, most);
    m_bars->remove(0, m_bars->count());
    m_bars->append(counts);

    // Bar k stands at x = k; the labels name bin edges. While a tool is dragged the bins often
    // stay the same, and so do the labels.
    const int bins = int(m_histogram.counts.size());
    const int width = m_histogram.widthTenths;
    const int first = m_histogram.firstTenths;
    if (m_binsShown == std::array<int, 3> {first, width, bins})
        return;
    m_binsShown = {first, width, bins};
    for (const QString &label : m_histogramX->categoriesLabels())
        m_histogramX->remove(label);
    m_histogramX->setStartValue(-0.5);
    m_histogramX->setRange(-0.5, std::max(bins, 1) - 0.5);
    if (bins > 0) {
        const int step = labelStep(bins * width, width);
        for (int edge = first + ((step - first % step) % step); edge <= first + bins * width;
             edge += step)
            m_histogramX->append(edgeText(edge, width), double(edge - first) / width - 0.5);
    }
}
