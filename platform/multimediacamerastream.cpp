#include "platform/multimediacamerastream.h"

#include <QCamera>
#include <QCameraViewfinderSettings>

namespace {

// The imager streams 240 x 320 YUYV with its readings behind the picture; a converted
// or rescaled stream would lose them, so ask for the native format once the device is
// loaded and its modes are known.
void chooseNativeViewfinder(QCamera *camera)
{
    const QList<QCameraViewfinderSettings> modes = camera->supportedViewfinderSettings();
    QCameraViewfinderSettings chosen;
    for (const QCameraViewfinderSettings &mode : modes) {
        if (mode.pixelFormat() != QVideoFrame::Format_YUYV)
            continue;
        if (chosen.isNull() || mode.resolution() == QSize(240, 320))
            chosen = mode;
    }
    if (!chosen.isNull())
        camera->setViewfinderSettings(chosen);
}

} // namespace

MultimediaCameraStream::MultimediaCameraStream(
    const QByteArray &deviceName, QAbstractVideoSurface *surface, QObject *parent)
    : CameraStream(parent)
    , m_camera(new QCamera(deviceName, this))
{
    m_camera->setViewfinder(surface);
    connect(m_camera, &QCamera::statusChanged, this, [this](QCamera::Status status) {
        if (status == QCamera::LoadedStatus)
            chooseNativeViewfinder(m_camera);
    });
    connect(m_camera, &QCamera::errorOccurred, this, &CameraStream::failed);
}

void MultimediaCameraStream::start()
{
    m_camera->start();
}

void MultimediaCameraStream::stop()
{
    m_camera->stop();
}

bool MultimediaCameraStream::isActive() const
{
    return m_camera->state() == QCamera::ActiveState;
}

CameraStream::Failure MultimediaCameraStream::failure() const
{
    return m_camera->error() == QCamera::NoError ? Failure::None : Failure::Other;
}

QString MultimediaCameraStream::detail() const
{
    return m_camera->errorString();
}
