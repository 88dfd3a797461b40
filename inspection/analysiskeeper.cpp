#include "inspection/analysiskeeper.h"

#include "analysis/analysis_widget.h"
#include "inspection/analysisstore.h"
#include "ui_analysis_widget.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr int Width = 240;
constexpr int Height = 320;
// Names are only ever a kind letter and a number; anything else did not come from us.
constexpr int MaxToolNumber = 100000;

bool inPicture(int x, int y)
{
    return x >= 0 && x < Width && y >= 0 && y < Height;
}

// The number in a tool's name when the name is its kind's letter and a number.
std::optional<int> toolNumber(const StoredTool &t)
{
    static const char letters[] = "PLRC";
    if (t.kind < ToolPoint || t.kind > ToolCircle || t.name.size() < 2
        || t.name.at(0) != QLatin1Char(letters[t.kind - ToolPoint]))
        return std::nullopt;
    bool ok = false;
    const int number = t.name.midRef(1).toInt(&ok);
    if (!ok || number < 0 || number >= MaxToolNumber || QString::number(number) != t.name.mid(1))
        return std::nullopt;
    return number;
}

// A stored tool as the overlay could have drawn it.
bool fits(const StoredTool &t)
{
    switch (t.kind) {
    case ToolPoint:
        return inPicture(t.x1, t.y1);
    case ToolLine:
    case ToolRect:
        return inPicture(t.x1, t.y1) && inPicture(t.x2, t.y2) && (t.x1 != t.x2 || t.y1 != t.y2);
    case ToolCircle:
        return inPicture(t.x1, t.y1) && inPicture(t.x2, t.y2) && t.r > 0 && t.x1 - t.r > 0
                && t.x1 + t.r <= Width - 1 && t.y1 - t.r > 0 && t.y1 + t.r <= Height - 1;
    default:
        return false;
    }
}

template <class Tool> void sortByNumber(ToolList<Tool> *list)
{
    const auto number = [](const std::unique_ptr<Tool> &t) { return t->name.midRef(1).toInt(); };
    std::stable_sort(list->begin(), list->end(),
                     [&](const auto &a, const auto &b) { return number(a) < number(b); });
    list->erase(std::unique(list->begin(), list->end(),
                            [&](const auto &a, const auto &b) { return number(a) == number(b); }),
                list->end());
}

} // namespace

QByteArray AnalysisKeeper::pictureHash(const Analysis_Widget *window)
{
    if (window->m_filePath.isEmpty())
        return QByteArray();
    // The bytes shown, unless the file is longer than the window reads.
    if (QFileInfo(window->m_filePath).size() == window->m_fileBuf.size())
        return AnalysisStore::hashOfBytes(window->m_fileBuf);
    return AnalysisStore::hashOfFile(window->m_filePath);
}

AnalysisRecord AnalysisKeeper::snapshot(const Analysis_Widget *window)
{
    const Ui::Analysis_Widget *ui = window->ui;
    AnalysisRecord r;
    r.path = window->m_filePath;
    r.unitIndex = ui->comboBox->currentIndex() == 1 ? 1 : 0;
    r.scaleStart = ui->widget->m_startIndex;
    r.scaleEnd = ui->widget->m_endIndex;
    r.isoMode = ui->comboBox_isotherm->currentIndex();
    r.isoLow = ui->chartPanel->isothermLowCelsius();
    r.isoHigh = ui->chartPanel->isothermHighCelsius();
    r.isoColor = ui->chartPanel->isothermColor().rgba();
    const MyLabel *label = ui->label;
    for (const auto &t : label->m_points) {
        if (isPlaced(*t))
            r.tools.push_back({ ToolPoint, t->name, t->x, t->y, -1, -1, -1, t->color.rgba() });
    }
    for (const auto &t : label->m_lines) {
        if (isPlaced(*t))
            r.tools.push_back({ ToolLine, t->name, t->x1, t->y1, t->x2, t->y2, -1, t->color.rgba() });
    }
    for (const auto &t : label->m_rects) {
        if (isPlaced(*t))
            r.tools.push_back({ ToolRect, t->name, t->x1, t->y1, t->x2, t->y2, -1, t->color.rgba() });
    }
    for (const auto &t : label->m_circles) {
        if (isPlaced(*t))
            r.tools.push_back({ ToolCircle, t->name, t->cx, t->cy, t->ex, t->ey, t->r,
                                t->color.rgba() });
    }
    r.finding = ui->findingPanel->finding();
    return r;
}

void AnalysisKeeper::apply(Analysis_Widget *window, const AnalysisRecord &record)
{
    Ui::Analysis_Widget *ui = window->ui;
    if (record.unitIndex == 0 || record.unitIndex == 1)
        ui->comboBox->setCurrentIndex(record.unitIndex);

    My_ColorSlider *scale = ui->widget;
    const int start = qBound(0, record.scaleStart, 255);
    const int end = qBound(0, record.scaleEnd, 255);
    scale->m_startIndex = std::min(start, end);
    scale->m_endIndex = std::max(start, end);
    scale->indicesToTips();
    scale->update();

    ui->chartPanel->setIsotherm(record.isoMode, record.isoLow, record.isoHigh,
                                QColor::fromRgba(record.isoColor));

    MyLabel *label = ui->label;
    label->m_points.clear();
    label->m_lines.clear();
    label->m_rects.clear();
    label->m_circles.clear();
    for (const StoredTool &t : record.tools) {
        if (!toolNumber(t) || !fits(t))
            continue;
        const QColor color = QColor::fromRgba(t.color);
        switch (t.kind) {
        case ToolPoint:
            label->m_points.emplace_back(new PointTool { t.name, t.x1, t.y1, 9, color });
            break;
        case ToolLine:
            label->m_lines.emplace_back(new LineTool { t.name, t.x1, t.y1, t.x2, t.y2, color });
            break;
        case ToolRect:
            label->m_rects.emplace_back(new RectTool { t.name, t.x1, t.y1, t.x2, t.y2, color });
            break;
        default:
            label->m_circles.emplace_back(
                    new CircleTool { t.name, t.x1, t.y1, t.x2, t.y2, t.r, color });
            break;
        }
    }
    // The lists stay sorted by number, as the tool model keeps them.
    sortByNumber(&label->m_points);
    sortByNumber(&label->m_lines);
    sortByNumber(&label->m_rects);
    sortByNumber(&label->m_circles);
    label->m_selKind = QStringLiteral("null");
    label->m_selIndex = -1;
    // A pending record for the current tool under the lowest free number.
    label->setToolKind(window->m_tool);
    // The tools first, so the finding's reference finds its tool.
    window->updat_Tool_Temp();
    ui->findingPanel->setFinding(record.finding);
    window->updat_Tool_Temp();
    label->update();
    window->recolour();
}

AnalysisKeeper::AnalysisKeeper(Analysis_Widget *window, AnalysisStore *store)
    : QObject(window), m_window(window), m_store(store)
{
    const QByteArray hash = pictureHash(window);
    if (hash.isEmpty())
        return;
    m_restored = store->lookup(hash);
    if (m_restored)
        apply(window, *m_restored);
    m_saved = snapshot(window);
    m_saved.hash = hash;

    // Saved once the event that changed something is handled, so a burst of changes from one
    // gesture is one write.
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(0);
    connect(&m_saveTimer, &QTimer::timeout, this, &AnalysisKeeper::save);
    Ui::Analysis_Widget *ui = window->ui;
    connect(ui->label, &MyLabel::updat_Tool, this, &AnalysisKeeper::scheduleSave);
    connect(ui->comboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &AnalysisKeeper::scheduleSave);
    connect(ui->widget, &My_ColorSlider::indicesChanged, this, &AnalysisKeeper::scheduleSave);
    connect(ui->chartPanel, &ChartPanel::isothermChanged, this, &AnalysisKeeper::scheduleSave);
    connect(ui->findingPanel, &FindingPanel::changed, this, &AnalysisKeeper::scheduleSave);
    connect(store, &AnalysisStore::writeFailed, this, [this](const QByteArray &failed, const QString &why) {
        if (failed == m_saved.hash)
            emit status(tr("分析未能保存：%1").arg(why));
    });
}

void AnalysisKeeper::saveNow()
{
    if (m_saveTimer.isActive()) {
        m_saveTimer.stop();
        save();
    }
}

void AnalysisKeeper::scheduleSave()
{
    m_saveTimer.start();
}

void AnalysisKeeper::save()
{
    AnalysisRecord now = snapshot(m_window);
    now.hash = m_saved.hash;
    if (now.sameAnalysis(m_saved) || !m_store)
        return;
    now.changed = QDateTime::currentDateTimeUtc();
    m_store->save(now);
    m_saved = now;
}
