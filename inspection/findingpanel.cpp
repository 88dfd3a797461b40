#include "inspection/findingpanel.h"

#include "analysis/analysis_widget.h"
#include "analysis/thermalcharts.h"
#include "ui_analysis_widget.h"

#include <QSignalBlocker>

FindingPanel::FindingPanel(QWidget *parent) : QWidget(parent) { }

void FindingPanel::attachToAnalysisWindow(Analysis_Widget *window)
{
    m_window = window;
    Ui::Analysis_Widget *ui = window->ui;
    hide();
    m_criteria = Findings::storedCriteria();
    setMinimumWidth(190);

    // The findings and the charts share the room beside the tables: one panel at a time, so
    // neither squeezes the tables at the window's usual size.
    connect(ui->pushButton_finding, &QPushButton::toggled, this, [this, ui](bool open) {
        if (open)
            ui->pushButton_chart->setChecked(false);
        setVisible(open);
    });
    connect(ui->pushButton_chart, &QPushButton::toggled, this, [ui](bool open) {
        if (open)
            ui->pushButton_finding->setChecked(false);
    });
    connect(ui->lineEdit_findingTitle, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_finding.title = text;
        emit changed();
    });
    connect(ui->lineEdit_location, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_finding.location = text;
        emit changed();
    });
    connect(ui->textEdit_findingNote, &QPlainTextEdit::textChanged, this, [this, ui] {
        m_finding.note = ui->textEdit_findingNote->toPlainText();
        emit changed();
    });
    connect(ui->comboBox_reference, QOverload<int>::of(&QComboBox::activated), this,
            &FindingPanel::referenceChosen);
    connect(ui->doubleSpinBox_reference, QOverload<double>::of(&QDoubleSpinBox::valueChanged),
            this, &FindingPanel::referenceTyped);
    connect(ui->comboBox_severity, QOverload<int>::of(&QComboBox::activated), this,
            [this](int index) {
                m_finding.severity = index;
                m_finding.severitySet = true;
                showSeverity();
                emit changed();
            });
    connect(ui->toolButton_severityAuto, &QToolButton::clicked, this, [this] {
        m_finding.severitySet = false;
        m_finding.severity = m_suggestion;
        showSeverity();
        emit changed();
    });
    // The classes by number; the chosen one's action is spelled out below, where it can wrap.
    ui->comboBox_severity->addItem(Findings::classText(0, m_criteria));
    for (int severity = 1; severity <= Findings::ClassCount; ++severity) {
        ui->comboBox_severity->addItem(QString::number(severity));
        ui->comboBox_severity->setItemData(severity, Findings::classText(severity, m_criteria),
                                           Qt::ToolTipRole);
    }
    fillReferences();
    showReference();
    showSeverity();
}

int FindingPanel::unitIndex() const
{
    return m_window->ui->comboBox->currentIndex() == 1 ? 1 : 0;
}

Finding FindingPanel::finding() const
{
    return m_finding;
}

void FindingPanel::setFinding(const Finding &finding)
{
    m_finding = finding;
    Ui::Analysis_Widget *ui = m_window->ui;
    const QSignalBlocker title(ui->lineEdit_findingTitle);
    const QSignalBlocker location(ui->lineEdit_location);
    const QSignalBlocker note(ui->textEdit_findingNote);
    ui->lineEdit_findingTitle->setText(finding.title);
    ui->lineEdit_location->setText(finding.location);
    ui->textEdit_findingNote->setPlainText(finding.note);
    fillReferences();
    showReference();
    showSeverity();
}

void FindingPanel::fillReferences()
{
    QComboBox *box = m_window->ui->comboBox_reference;
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItem(tr("无"), QVariantList { Findings::NoReference, QString() });
    box->addItem(tr("输入的温度"), QVariantList { Findings::TypedTemperature, QString() });
    for (const Findings::ToolRow &row : m_rows) {
        box->addItem(tr("%1 最高").arg(row.name), QVariantList { Findings::ToolMaximum, row.name });
        box->addItem(tr("%1 平均").arg(row.name), QVariantList { Findings::ToolAverage, row.name });
    }
    const Findings::Reference &reference = m_finding.reference;
    for (int i = 0; i < box->count(); ++i) {
        const QVariantList data = box->itemData(i).toList();
        if (data.at(0).toInt() == reference.kind
            && (reference.kind < Findings::ToolMaximum || data.at(1).toString() == reference.tool)) {
            box->setCurrentIndex(i);
            return;
        }
    }
    // The tool it named is gone.
    m_finding.reference = Findings::Reference();
    box->setCurrentIndex(0);
    emit changed();
}

void FindingPanel::showReference()
{
    QDoubleSpinBox *box = m_window->ui->doubleSpinBox_reference;
    const QSignalBlocker blocker(box);
    box->setSuffix(unitIndex() == 1 ? QStringLiteral(" °F") : QStringLiteral(" °C"));
    box->setValue(Findings::shownTenths(m_finding.reference.celsius, unitIndex()) / 10.0);
    box->setEnabled(m_finding.reference.kind == Findings::TypedTemperature);
}

void FindingPanel::showSeverity()
{
    Ui::Analysis_Widget *ui = m_window->ui;
    {
        const QSignalBlocker blocker(ui->comboBox_severity);
        ui->comboBox_severity->setCurrentIndex(m_finding.severity);
    }
    ui->toolButton_severityAuto->setEnabled(m_finding.severitySet);
    const QString unit = unitIndex() == 1 ? QStringLiteral("°F") : QStringLiteral("°C");
    QString hint;
    if (m_finding.severitySet)
        hint = tr("由您选择；建议：%1").arg(Findings::classText(m_suggestion, m_criteria));
    else if (m_largest)
        hint = tr("按最大ΔT（%1 %2）建议").arg(Findings::tenthsText(*m_largest), unit);
    else
        hint = tr("设置参考温度后将给出建议");
    const QString action = m_finding.severity > 0
            ? m_criteria.actions[std::size_t(m_finding.severity - 1)].toHtmlEscaped()
                    + QStringLiteral("<br>")
            : QString();
    ui->label_severitySuggested->setText(action + QStringLiteral("<i>") + hint.toHtmlEscaped()
                                         + QStringLiteral("</i>"));
}

void FindingPanel::referenceChosen(int index)
{
    const QVariantList data = m_window->ui->comboBox_reference->itemData(index).toList();
    Findings::Reference reference = m_finding.reference;
    reference.kind = data.value(0).toInt();
    reference.tool = data.value(1).toString();
    if (reference.kind == Findings::TypedTemperature)
        reference.celsius = ThermalCharts::fromUnit(
                m_window->ui->doubleSpinBox_reference->value(), unitIndex());
    if (reference == m_finding.reference)
        return;
    m_finding.reference = reference;
    showReference();
    emit referenceChanged();
    emit changed();
}

void FindingPanel::referenceTyped(double value)
{
    m_finding.reference.celsius = ThermalCharts::fromUnit(value, unitIndex());
    emit referenceChanged();
    emit changed();
}

void FindingPanel::toolsChanged(const std::vector<Findings::ToolRow> &rows,
                                const Findings::Evaluation &evaluation)
{
    m_rows = rows;
    fillReferences();
    m_largest = evaluation.largest;
    m_suggestion = m_largest ? Findings::suggestedClass(*m_largest, unitIndex() == 1,
                                                        m_finding.reference.kind, m_criteria)
                             : 0;
    if (!m_finding.severitySet)
        m_finding.severity = m_suggestion;
    showSeverity();
}

void FindingPanel::unitChanged()
{
    showReference();
    showSeverity();
}
