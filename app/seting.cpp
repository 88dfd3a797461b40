#include "app/seting.h"
#include "ui_seting.h"

#include "app/configrecord.h"
#include "app/dialogs.h"
#include "app/preferences.h"
#include "automation/mqttmessages.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSignalBlocker>
#include <QStandardPaths>

#include <array>
#include <cmath>

seting::seting(QWidget *parent) : QWidget(parent)
{
    ui = new Ui::seting;
    ui->setupUi(this);
    ui->lineEdit->setReadOnly(true);
    setWindowFlags(Qt::Dialog);
    setWindowModality(Qt::ApplicationModal);

    if (QFile::exists(ConfigRecord::filePath())) {
        m_lang = ConfigRecord::readField(ConfigRecord::LanguageCode);
        m_addr = ConfigRecord::readField(ConfigRecord::AlarmFolder);
    }
    ui->lineEdit->setText(m_addr);

    // Showing the stored language is not a change.
    const QSignalBlocker blocker(ui->comboBox);
    const int index = languageCodes().indexOf(m_lang);
    ui->comboBox->setCurrentIndex(index);

    ui->checkBox_rememberAnalyses->setChecked(Preferences::rememberAnalyses());
    showCriteria(Findings::storedCriteria());
    const Preferences::Mqtt mqtt = Preferences::mqtt();
    ui->checkBox_mqtt->setChecked(mqtt.enabled);
    ui->lineEdit_mqttUrl->setText(mqtt.url);
    ui->lineEdit_mqttUser->setText(mqtt.user);
    ui->lineEdit_mqttPassword->setText(mqtt.password);
}

seting::~seting()
{
    delete ui;
}

const QStringList &seting::languageCodes()
{
    static const QStringList codes = { QStringLiteral("EN"), QStringLiteral("CH"),
                                       QStringLiteral("KO"), QStringLiteral("RU") };
    return codes;
}

void seting::setFolder(const QString &folder)
{
    m_addr = folder;
    ui->lineEdit->setText(m_addr);
}

void seting::on_pushButton_3_clicked()
{
    close();
}

void seting::on_pushButton_2_clicked()
{
    Preferences::Mqtt mqtt;
    mqtt.enabled = ui->checkBox_mqtt->isChecked();
    mqtt.url = ui->lineEdit_mqttUrl->text().trimmed();
    mqtt.user = ui->lineEdit_mqttUser->text().trimmed();
    mqtt.password = ui->lineEdit_mqttPassword->text();
    QString why;
    if (mqtt.enabled && !MqttMessages::parseBrokerUrl(mqtt.url, &why)) {
        Dialogs::instance()->information(this, tr("提示"), tr("MQTT 代理地址无效：%1").arg(why));
        return;
    }
    Preferences::setMqtt(mqtt);
    emit publishingChanged();
    emit send_addr(m_addr);
    Preferences::setRememberAnalyses(ui->checkBox_rememberAnalyses->isChecked());
    Findings::storeCriteria(shownCriteria());
    if (QFile::exists(ConfigRecord::filePath())) {
        ConfigRecord::rewriteField(ConfigRecord::LanguageCode, m_lang);
        qDebug() << "写入了" << m_lang;
    }
    close();
    if (m_changed)
        Dialogs::instance()->information(this, tr("提示"), tr("改动将在应用重启后生效!"));
}

void seting::on_pushButton_clicked()
{
    const QString chosen = Dialogs::instance()->existingDirectory(
            this, tr("选择一个目录"),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!chosen.isEmpty()) {
        const QString folder = QDir::fromNativeSeparators(chosen);
        // The record separates its fields with commas; such a path would be cut short.
        if (folder.contains(QLatin1Char(',')))
            Dialogs::instance()->information(this, tr("提示"),
                                             tr("路径中不能包含逗号“,”，请选择其他文件夹。"));
        else
            setFolder(folder);
    }
    emit send_addr(m_addr);
}

void seting::on_comboBox_currentIndexChanged(int index)
{
    Q_UNUSED(index);
    m_changed = true;
}

void seting::on_comboBox_activated(int index)
{
    if (index >= 0 && index < languageCodes().size())
        m_lang = languageCodes().at(index);
}

void seting::on_pushButton_criteriaDefaults_clicked()
{
    showCriteria(Findings::defaultCriteria());
}

namespace {

struct CriteriaRow
{
    QLineEdit *action;
    QDoubleSpinBox *component;
    QDoubleSpinBox *ambient;
};

std::array<CriteriaRow, Findings::ClassCount> criteriaRows(Ui::seting *ui)
{
    return { { { ui->lineEdit_action1, ui->doubleSpinBox_component1, ui->doubleSpinBox_ambient1 },
               { ui->lineEdit_action2, ui->doubleSpinBox_component2, ui->doubleSpinBox_ambient2 },
               { ui->lineEdit_action3, ui->doubleSpinBox_component3, ui->doubleSpinBox_ambient3 },
               { ui->lineEdit_action4, ui->doubleSpinBox_component4, ui->doubleSpinBox_ambient4 } } };
}

// A bound in its box; the box's lowest value, shown as a dash, stands for none.
void showBound(QDoubleSpinBox *box, const std::optional<int> &tenths)
{
    box->setValue(tenths ? *tenths / 10.0 : box->minimum());
}

std::optional<int> boundOf(const QDoubleSpinBox *box)
{
    if (box->value() <= box->minimum())
        return std::nullopt;
    return int(std::lround(box->value() * 10.0));
}

} // namespace

void seting::showCriteria(const Findings::Criteria &criteria)
{
    const auto rows = criteriaRows(ui);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].action->setText(criteria.actions[i]);
        showBound(rows[i].component, criteria.component[i]);
        showBound(rows[i].ambient, criteria.ambient[i]);
    }
}

Findings::Criteria seting::shownCriteria() const
{
    Findings::Criteria criteria = Findings::defaultCriteria();
    const auto rows = criteriaRows(ui);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].action->text().trimmed().isEmpty())
            criteria.actions[i] = rows[i].action->text().trimmed();
        criteria.component[i] = boundOf(rows[i].component);
        criteria.ambient[i] = boundOf(rows[i].ambient);
    }
    return criteria;
}
