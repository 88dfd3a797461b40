// The live window's MQTT publishing: readings, alarm changes and the alarm frame.
#include "live/camer_window.h"
#include "ui_camer_window.h"

#include "app/preferences.h"
#include "automation/mqttpublisher.h"

#include <QSysInfo>

namespace {

QString publishingText(MqttPublisher::State state)
{
    switch (state) {
    case MqttPublisher::Off:
        break;
    case MqttPublisher::Connecting:
        return camer_window::tr("MQTT：正在连接");
    case MqttPublisher::Connected:
        return camer_window::tr("MQTT：已连接");
    case MqttPublisher::Refused:
        return camer_window::tr("MQTT：代理拒绝连接");
    case MqttPublisher::Unreachable:
        return camer_window::tr("MQTT：无法连接代理");
    case MqttPublisher::Lost:
        return camer_window::tr("MQTT：连接中断，正在重连");
    }
    return QString();
}

} // namespace

void camer_window::setupPublishing()
{
    const Preferences::Mqtt wanted = Preferences::mqtt();
    if (m_publisher && wanted == m_publishing)
        return;
    delete m_publisher;
    m_publisher = nullptr;
    m_publishing = wanted;
    m_alarmPublished = false;
    ui->label_mqtt->setVisible(wanted.enabled);
    if (!wanted.enabled)
        return;
    MqttSettings settings;
    settings.url = wanted.url;
    settings.user = wanted.user;
    settings.password = wanted.password;
    settings.imagerId = QSysInfo::machineHostName();
    m_publisher = new MqttPublisher;
    connect(m_publisher, &MqttPublisher::stateChanged, this, &camer_window::showPublishingState);
    QString error;
    if (!m_publisher->start(settings, &error)) {
        ui->label_mqtt->setText(tr("MQTT：地址无效"));
        ui->label_mqtt->setToolTip(error);
    }
}

void camer_window::publishReadings(float maxTem, float warn, float fsl, bool alarm)
{
    m_publisher->setReadings(maxTem, warn, fsl);
    if (alarm == m_alarmPublished)
        return;
    m_alarmPublished = alarm;
    m_publisher->setAlarm(alarm);
    // The frame the alarm began with; encoded on the publisher's thread.
    if (alarm && !m_recentFrames.isEmpty())
        m_publisher->publishAlarmPicture(m_recentFrames.last());
}

void camer_window::showPublishingState(MqttPublisher::State state, const QString &reason)
{
    ui->label_mqtt->setText(publishingText(state));
    ui->label_mqtt->setToolTip(
        MqttPublisher::describe(state, m_publisher ? m_publisher->broker() : QString(), reason));
}
