#include "analysis/analysis_widget.h"
#include "ui_analysis_widget.h"

#include "analysis/colormap.h"
#include "analysis/exports.h"
#include "analysis/matimage.h"
#include "analysis/report.h"
#include "analysis/scalelock.h"
#include "analysis/thermalcharts.h"
#include "app/configrecord.h"
#include "app/dialogs.h"
#include "app/preferences.h"
#include "inspection/analysiskeeper.h"
#include "inspection/analysisstore.h"
#include "inspection/findings.h"

#include <QAction>
#include <QCursor>
#include <QFileInfo>
#include <QMenu>
#include <QSaveFile>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableWidgetItem>
#include <QToolTip>
#include <QUrl>

namespace {

constexpr int InfoRows = 10;

QTableWidgetItem *centredItem(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

Analysis_Widget::Analysis_Widget(QWidget *parent)
    : QWidget(parent), m_colorLut(256, 1, CV_8UC3, cv::Scalar::all(0))
{
    ui = new Ui::Analysis_Widget;
    ui->setupUi(this);
    ui->label->attachToAnalysisWindow(this);

    if (QFile::exists(ConfigRecord::filePath()))
        m_lang = ConfigRecord::readField(ConfigRecord::LanguageCode);

    setUpTables();

    const struct
    {
        QPushButton *button;
        const char *icon;
    } buttons[] = { { ui->pushButton_9, ":/photo/Corsor.png" }, { ui->pushButton_8, ":/photo/Poin.png" },
                    { ui->pushButton_7, ":/photo/Line.png" },   { ui->pushButton_6, ":/photo/Rect.png" },
                    { ui->pushButton_5, ":/photo/Ellipse.png" }, { ui->pushButton_3, ":/photo/Delete.png" },
                    { ui->pushButton_2, ":/photo/Clear.png" },  { ui->pushButton_4, ":/photo/Color.png" },
                    { ui->pushButton, ":/photo/save.png" } };
    for (const auto &b : buttons) {
        b.button->setIcon(QIcon(QString::fromLatin1(b.icon)));
        b.button->setText(QString());
    }
    setUpExports();
    ui->chartPanel->attachToAnalysisWindow(this);
    ui->findingPanel->attachToAnalysisWindow(this);
    connect(ui->findingPanel, &FindingPanel::referenceChanged, this,
            &Analysis_Widget::updat_Tool_Temp);
    // The picture follows the handles while they are dragged.
    connect(ui->widget, &My_ColorSlider::indicesChanged, this, [this] { update(); });
}

Analysis_Widget::~Analysis_Widget()
{
    // What the last event changed is saved while the widgets still show it.
    if (m_keeper)
        m_keeper->saveNow();
    delete ui;
}

void Analysis_Widget::keepAnalysis()
{
    if (m_keeper || !Preferences::rememberAnalyses())
        return;
    AnalysisStore *store = AnalysisStore::shared();
    store->reportMovedAside(this);
    if (!store->isOpen())
        return;
    m_keeper = new AnalysisKeeper(this, store);
    connect(m_keeper, &AnalysisKeeper::status, this, &Analysis_Widget::statusMessage);
    if (const std::optional<AnalysisRecord> &restored = m_keeper->restored())
        emit statusMessage(tr("分析已恢复 — %1")
                                   .arg(restored->changed.toLocalTime().toString(
                                           QStringLiteral("yyyy/MM/dd HH:mm"))));
}

void Analysis_Widget::setUpTables()
{
    QTableWidget *info = ui->tableWidget_2;
    info->setRowCount(InfoRows);
    info->setColumnCount(2);
    info->horizontalHeader()->setVisible(false);
    info->verticalHeader()->setVisible(false);
    info->horizontalHeader()->setStretchLastSection(true);
    info->setColumnWidth(0, 100);
    info->setEditTriggers(QAbstractItemView::NoEditTriggers);
    info->setMouseTracking(true);
    const QString titles[InfoRows] = { tr("文件名称:"), tr("文件大小:"), tr("时间:"),
                                       tr("发射率:"),   tr("大小:"),     tr("单位:"),
                                       tr("中心温度:"), tr("最高温度:"), tr("最低温度:"),
                                       tr("平均温度:") };
    info->verticalHeader()->setDefaultSectionSize(24);
    for (int row = 0; row < InfoRows; ++row) {
        auto *title = new QTableWidgetItem(titles[row]);
        // The title column is narrow; longer translations show whole on hover.
        title->setToolTip(titles[row]);
        info->setItem(row, 0, title);
    }

    QTableWidget *tools = ui->tableWidget;
    tools->setColumnCount(5);
    tools->setHorizontalHeaderLabels({ tr("名称"), tr("类型"), tr("高"), tr("低"), tr("平均") });
    // Every column as wide as its texts and the last one stretched: the right column is kept
    // wide enough for them (fitTablesToContents), so no text is ever cut.
    tools->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tools->horizontalHeader()->setStretchLastSection(true);
    tools->verticalHeader()->setVisible(false);
    tools->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tools->verticalHeader()->setDefaultSectionSize(24);
    tools->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tools->setSelectionMode(QAbstractItemView::SingleSelection);
    tools->setSelectionBehavior(QAbstractItemView::SelectRows);
}

bool Analysis_Widget::set_Image_addr(QString path, int model)
{
    const std::optional<Radiometric::RadiometricPicture> picture =
            Radiometric::parseRadiometricFile(path, model, &m_fileBuf);
    if (!picture)
        return false;

    m_model = model;
    m_filePath = path;
    m_fileName = picture->fileName;
    m_fileTime = picture->fileTime;
    m_bytesRead = picture->bytesRead;
    m_grey = picture->grey;
    m_palette = picture->palette;
    // The bar shows the whole palette whatever the handles, so it is drawn once.
    m_barPixmap = QPixmap::fromImage(ColorMap::colorBar(m_palette));
    ui->widget->m_scalePalette = picture->scalePalette;
    m_params = picture->params;
    m_tempMap = picture->tempMap;
    m_avgTemp = picture->avgTemp;

    ui->label->m_lowPos = picture->lowPos;
    ui->label->m_highPos = picture->highPos;
    ui->label->m_centrePos = picture->centrePos;

    // The file preselects the unit; an unchanged index sets no pair, which is then the
    // window's initial one.
    if (picture->unitIndex >= 0 && ui->comboBox->currentIndex() != picture->unitIndex)
        ui->comboBox->setCurrentIndex(picture->unitIndex);
    else
        fillInformationTable();

    m_greyMat = MatImage::wrapGrey(reinterpret_cast<uchar *>(m_grey.data()));
    m_greyImage = MatImage::greyImage(reinterpret_cast<const uchar *>(m_grey.constData()));
    ui->label->setPixmap(QPixmap::fromImage(m_greyImage).scaled(
            ui->label->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_shownSize = QSize();
    ui->chartPanel->pictureLoaded();
    return true;
}

QString Analysis_Widget::unitText() const
{
    return ui->comboBox->currentIndex() == 1 ? QStringLiteral("°F") : QStringLiteral("°C");
}

QString Analysis_Widget::tenthsText(qint16 tenths) const
{
    return Exports::displayTenths(tenths, m_unitDiv, m_unitAdd);
}

QString Analysis_Widget::degreesText(double degrees) const
{
    return Exports::displayDegrees(float(degrees), m_unitDiv, m_unitAdd);
}

void Analysis_Widget::fillInformationTable()
{
    const QString values[InfoRows] = {
        m_fileName,
        QString::number(m_bytesRead * (1 / 1024.0), 'f', 1) + QStringLiteral(" KB"),
        m_fileTime,
        QString::number(m_params.emissivity / 100.0, 'f', 2),
        QStringLiteral("240×320"),
        unitText(),
        tenthsText(m_params.centreTemp),
        tenthsText(m_params.maxTemp),
        tenthsText(m_params.minTemp),
        Exports::displayMean(m_avgTemp, m_unitDiv, m_unitAdd),
    };
    QFont bold = ui->tableWidget_2->font();
    bold.setWeight(75);
    for (int row = 0; row < InfoRows; ++row) {
        auto *item = new QTableWidgetItem(values[row]);
        item->setFont(bold);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ui->tableWidget_2->setItem(row, 1, item);
    }
    fitTablesToContents();
    updateScale();
}

std::pair<float, float> Analysis_Widget::scaleSpan() const
{
    if (ScaleLock::instance()->locked()) {
        const ThermalCharts::Isotherm span = ui->chartPanel->lockedSpan();
        return { float(span.high / 10.0), float(span.low / 10.0) };
    }
    return { float(m_params.maxTemp) / m_unitDiv + m_unitAdd,
             float(m_params.minTemp) / m_unitDiv + m_unitAdd };
}

void Analysis_Widget::updateScale()
{
    const auto [high, low] = scaleSpan();
    ui->widget->m_maxTemp = high;
    ui->widget->m_minTemp = low;
    ui->widget->updateScaleLabels();
    const bool locked = ScaleLock::instance()->locked();
    if (ui->widget->m_locked != locked) {
        ui->widget->m_locked = locked;
        ui->widget->update();
    }
}

void Analysis_Widget::recolour()
{
    m_shownSize = QSize();
    update();
}

void Analysis_Widget::buildColorTable()
{
    // A locked scale colours palette indices made from the temperatures, through the whole
    // palette.
    const bool locked = ScaleLock::instance()->locked();
    ColorMap::fillColorTable(m_palette, locked ? 0 : ui->widget->m_startIndex,
                             locked ? 255 : ui->widget->m_endIndex, &m_colorLut);
    ui->widget->setBarPixmap(m_barPixmap);
}

void Analysis_Widget::colorize()
{
    if (m_greyMat.empty())
        return;
    const QSize size = ui->label->geometry().size();
    // Paints come far more often than handle moves or resizes; the label already shows
    // this colouring then.
    if (!m_colorImage.isNull() && size == m_shownSize && ui->widget->m_startIndex == m_shownUpper
        && ui->widget->m_endIndex == m_shownLower)
        return;
    buildColorTable();
    ChartPanel *panel = ui->chartPanel;
    if (ScaleLock::instance()->locked()) {
        const ThermalCharts::Isotherm span = panel->lockedSpan();
        m_lockedGrey = ThermalCharts::lockedGrey(panel->shownMap(), span.low, span.high);
        ColorMap::colorize(MatImage::wrapGrey(reinterpret_cast<uchar *>(m_lockedGrey.data())),
                           m_colorLut, &m_colorMat);
    } else {
        ColorMap::colorize(m_greyMat, m_colorLut, &m_colorMat);
    }
    const ThermalCharts::Isotherm band = panel->isotherm();
    if (band.mode != ThermalCharts::IsothermOff)
        ThermalCharts::paintMask(ThermalCharts::isothermMask(panel->shownMap(), band),
                                 panel->isothermColor(), &m_colorMat);
    m_colorImage = MatImage::rgbImage(m_colorMat);
    m_shownSize = size;
    m_shownUpper = ui->widget->m_startIndex;
    m_shownLower = ui->widget->m_endIndex;
    ui->label->setPixmap(QPixmap::fromImage(
            m_colorImage.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void Analysis_Widget::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    colorize();
}

void Analysis_Widget::updat_XY_Temp(int px, int py)
{
    ui->label_2->setText(QStringLiteral("X: %1").arg(px));
    ui->label_3->setText(QStringLiteral("Y: %1").arg(py));
    const std::size_t index = std::size_t(px) * 320 + std::size_t(py);
    if (px < 0 || py < 0 || index >= m_tempMap.size())
        return;
    ui->label_4->setText(degreesText(m_tempMap[index]) + unitText());
}

void Analysis_Widget::updat_Tool_Temp()
{
    QTableWidget *table = ui->tableWidget;
    table->setRowCount(0);
    const MyLabel *label = ui->label;
    std::vector<Findings::ToolRow> rows;
    const auto addRow = [&](const QString &name, const QString &type, const ToolStats &stats) {
        rows.push_back({ name, degreesText(stats.maximum), degreesText(stats.average) });
        const int row = table->rowCount();
        table->insertRow(row);
        table->setItem(row, 0, centredItem(name));
        table->setItem(row, 1, centredItem(type));
        table->setItem(row, 2, centredItem(rows.back().maximum));
        table->setItem(row, 3, centredItem(degreesText(stats.minimum)));
        table->setItem(row, 4, centredItem(rows.back().average));
    };
    for (const auto &tool : label->m_points) {
        if (isPlaced(*tool))
            addRow(tool->name, tr("点"), measureTool(m_tempMap, *tool));
    }
    for (const auto &tool : label->m_lines) {
        if (isPlaced(*tool))
            addRow(tool->name, tr("线"), measureTool(m_tempMap, *tool));
    }
    for (const auto &tool : label->m_rects) {
        if (isPlaced(*tool))
            addRow(tool->name, tr("矩形"), measureTool(m_tempMap, *tool));
    }
    for (const auto &tool : label->m_circles) {
        if (isPlaced(*tool))
            addRow(tool->name, tr("圆"), measureTool(m_tempMap, *tool));
    }
    // With a reference, each tool's maximum minus it, as the two shown numbers differ.
    const Findings::Evaluation evaluation = Findings::evaluate(
            rows, ui->findingPanel->reference(), ui->comboBox->currentIndex());
    const int columns = evaluation.reference ? 6 : 5;
    if (table->columnCount() != columns) {
        table->setColumnCount(columns);
        if (columns == 6)
            table->setHorizontalHeaderItem(5, new QTableWidgetItem(QStringLiteral("ΔT")));
    }
    for (std::size_t row = 0; row < evaluation.deltas.size(); ++row)
        table->setItem(int(row), 5, centredItem(Findings::tenthsText(evaluation.deltas[row])));
    ui->findingPanel->toolsChanged(rows, evaluation);
    fitTablesToContents();
    Set_Select(m_select);
}

void Analysis_Widget::fitTablesToContents()
{
    const auto needed = [](const QTableWidget *table, int firstWidth) {
        int width = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
        for (int column = 0; column < table->columnCount(); ++column) {
            const int header = table->horizontalHeader()->isHidden()
                    ? 0
                    : table->horizontalHeader()->sectionSizeHint(column);
            width += column == 0 && firstWidth > 0
                    ? firstWidth
                    : std::max(header, static_cast<const QAbstractItemView *>(table)->sizeHintForColumn(column));
        }
        return width;
    };
    const QMargins outer = ui->verticalLayout_2->contentsMargins();
    const QMargins inner = ui->verticalLayout_4->contentsMargins();
    const int tables = std::max(needed(ui->tableWidget, 0), needed(ui->tableWidget_2, 100));
    ui->widget_6->setMinimumWidth(tables + outer.left() + outer.right() + inner.left()
                                  + inner.right());
}

void Analysis_Widget::chooseTool(int kind)
{
    m_tool = kind;
    ui->label->setToolKind(kind);
}

void Analysis_Widget::setFocus(int bt_focus)
{
    const Qt::FocusReason reason = Qt::OtherFocusReason;
    switch (bt_focus) {
    case -1:
        ui->label->setFocus(reason);
        break;
    case 1:
        ui->pushButton_9->setFocus(reason);
        on_pushButton_9_clicked();
        break;
    case 2:
    case 3:
    case 4:
    case 5: {
        QPushButton *const buttons[] = { ui->pushButton_8, ui->pushButton_7, ui->pushButton_6,
                                         ui->pushButton_5 };
        buttons[bt_focus - 2]->setFocus(reason);
        chooseTool(bt_focus);
        break;
    }
    case 6:
        ui->pushButton_4->setFocus(reason);
        break;
    case 7:
        ui->pushButton_3->setFocus(reason);
        ui->pushButton_9->setFocus(reason);
        break;
    case 8:
        ui->pushButton_2->setFocus(reason);
        break;
    case 9:
        ui->pushButton->setFocus(reason);
        break;
    default:
        break;
    }
}

void Analysis_Widget::Set_Select(int dev)
{
    m_select = dev;
    if (dev >= 0 && dev < ui->tableWidget->rowCount())
        ui->tableWidget->selectRow(dev);
}

void Analysis_Widget::on_comboBox_currentIndexChanged(int index)
{
    if (const std::optional<Radiometric::UnitPair> pair =
                Radiometric::unitPairFor(m_model, m_params.unit, index)) {
        m_unitDiv = pair->div;
        m_unitAdd = pair->add;
    }
    fillInformationTable();
    ui->chartPanel->unitChanged();
    ui->findingPanel->unitChanged();
    recolour();
    updat_Tool_Temp();
}

void Analysis_Widget::on_pushButton_9_clicked()
{
    chooseTool(1);
    ui->pushButton_9->setFocus(Qt::OtherFocusReason);
}

void Analysis_Widget::on_pushButton_8_clicked()
{
    chooseTool(2);
}

void Analysis_Widget::on_pushButton_7_clicked()
{
    chooseTool(3);
}

void Analysis_Widget::on_pushButton_6_clicked()
{
    chooseTool(4);
}

void Analysis_Widget::on_pushButton_5_clicked()
{
    chooseTool(5);
}

void Analysis_Widget::on_pushButton_4_clicked()
{
    const QColor color = Dialogs::instance()->color(this, Qt::white, QString());
    if (color.isValid())
        ui->label->m_winColor = color;
    setFocus(m_tool);
}

void Analysis_Widget::on_pushButton_3_clicked()
{
    ui->label->deleteSelectedTool();
    if (ui->label->selLetter() == QLatin1Char('n')) {
        ui->label->setFocus(Qt::OtherFocusReason);
        on_pushButton_9_clicked();
    } else {
        ui->pushButton_9->setFocus(Qt::OtherFocusReason);
    }
}

void Analysis_Widget::on_pushButton_2_clicked()
{
    ui->label->clearTools();
    setFocus(m_tool);
}

void Analysis_Widget::on_pushButton_clicked()
{
    const QString path = Dialogs::instance()->saveFileName(
            this, tr("保存的文件"),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
            QStringLiteral("Items files(*.pdf)"), QStringLiteral("pdf"));
    if (!Report::write(this, path))
        return;
    Dialogs::instance()->information(this, tr("提示"), tr("导出文件成功!"));
    Dialogs::instance()->openUrl(QUrl::fromLocalFile(path));
}

void Analysis_Widget::on_tableWidget_itemClicked(QTableWidgetItem *item)
{
    if (!item)
        return;
    const int row = item->row();
    const QTableWidgetItem *nameItem = ui->tableWidget->item(row, 0);
    if (!nameItem || nameItem->text().isEmpty())
        return;
    const QChar letter = nameItem->text().at(0);
    int index = 0;
    for (int above = 0; above < row; ++above) {
        const QTableWidgetItem *other = ui->tableWidget->item(above, 0);
        if (other && other->text().startsWith(letter))
            ++index;
    }
    ui->label->m_selKind = QString(letter);
    ui->label->m_selIndex = index;
    ui->label->update();
    ui->chartPanel->scheduleRefresh();
}

void Analysis_Widget::on_tableWidget_2_itemEntered(QTableWidgetItem *item)
{
    if (item && item->row() == 0 && item->column() == 1)
        QToolTip::showText(QCursor::pos(), item->text());
    else
        QToolTip::hideText();
}

void Analysis_Widget::setUpExports()
{
    ui->toolButton_export->setIcon(QIcon(QStringLiteral(":/photo/export.png")));
    auto *menu = new QMenu(ui->toolButton_export);
    const struct
    {
        const char *name;
        QString text;
        void (Analysis_Widget::*slot)();
    } actions[] = {
        { "actionExportTemperatures", tr("温度数据 (CSV)"), &Analysis_Widget::exportTemperatures },
        { "actionExportMeasurements", tr("测量结果 (CSV)"), &Analysis_Widget::exportMeasurements },
        { "actionExportPicture", tr("图片 (PNG)"), &Analysis_Widget::exportPicture },
    };
    for (const auto &a : actions) {
        QAction *action = menu->addAction(a.text);
        action->setObjectName(QLatin1String(a.name));
        connect(action, &QAction::triggered, this, a.slot);
    }
    ui->toolButton_export->setMenu(menu);
}

void Analysis_Widget::saveExport(const QString &filter, const QString &suffix,
                                 const std::function<bool(const QString &)> &write,
                                 const QString &nameTail)
{
    const QString proposed = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
            + QLatin1Char('/') + QFileInfo(m_fileName).completeBaseName() + nameTail
            + QLatin1Char('.') + suffix;
    const QString path = Dialogs::instance()->saveFileName(this, tr("保存的文件"), proposed,
                                                           filter, suffix);
    if (path.isEmpty())
        return;
    if (!write(path))
        Dialogs::instance()->information(this, tr("警告"),
                                         tr("无法写入文件：%1").arg(QDir::toNativeSeparators(path)));
}

namespace {

// Written whole or not at all: a half-written export must not stand in for the old one.
bool writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

void Analysis_Widget::exportTemperatures()
{
    saveExport(QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"), [this](const QString &path) {
        const Exports::PictureInfo info { m_fileName, m_model, unitText(), m_params.emissivity };
        return writeWhole(path, Exports::temperatureCsv(info, m_tempMap, m_unitDiv, m_unitAdd));
    });
}

void Analysis_Widget::exportMeasurements()
{
    saveExport(QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"), [this](const QString &path) {
        const QTableWidget *table = ui->tableWidget;
        QStringList header;
        for (int column = 0; column < table->columnCount(); ++column)
            header << table->horizontalHeaderItem(column)->text();
        QList<QStringList> rows;
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column) {
                const QTableWidgetItem *item = table->item(row, column);
                cells << (item ? item->text() : QString());
            }
            rows << cells;
        }
        return writeWhole(path, Exports::csvTable(header, rows));
    });
}

void Analysis_Widget::exportPicture()
{
    saveExport(QStringLiteral("PNG (*.png)"), QStringLiteral("png"), [this](const QString &path) {
        const QImage picture = Report::pictureWithOverlay(this, 2);
        QSaveFile file(path);
        return !picture.isNull() && file.open(QIODevice::WriteOnly)
                && picture.save(&file, "PNG") && file.commit();
    });
}

void Analysis_Widget::saveProfile()
{
    const std::vector<ThermalCharts::ProfilePoint> &profile = ui->chartPanel->profile();
    if (profile.empty())
        return;
    const auto write = [&profile](const QString &path) {
        return writeWhole(path, ThermalCharts::profileCsv(profile));
    };
    saveExport(QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"), write,
        QLatin1Char('_') + ui->chartPanel->profileName());
}
