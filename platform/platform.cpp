#include "platform/platform.h"

#include "platform/linuxplatform.h"

#include <QCamera>
#include <QCameraInfo>
#include <QCameraViewfinderSettings>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

bool isImagerCamera(const QString &deviceName, const QString &description)
{
    return deviceName.contains(QLatin1String("usb#vid_1d6b"))
            && deviceName.contains(QLatin1String("pid_0102"))
            && description == QLatin1String("UVC Camera");
}

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

class SystemPlatform final : public Platform
{
public:
    [[nodiscard]] QStringList removableDrives() const override
    {
#ifdef Q_OS_WIN
        QStringList roots;
        const QFileInfoList drives = QDir::drives();
        for (const QFileInfo &drive : drives) {
            const QString root = drive.absolutePath();
            const std::wstring path = QDir::toNativeSeparators(root).toStdWString();
            if (GetDriveTypeW(path.c_str()) == DRIVE_REMOVABLE)
                roots << root;
        }
        return roots;
#else
        QFile mounts(QStringLiteral("/proc/self/mountinfo"));
        if (!mounts.open(QIODevice::ReadOnly))
            return {};
        // /proc files report no size; readAll reads until the end.
        return LinuxPlatform::removableDrives(mounts.readAll(), QStringLiteral("/sys"));
#endif
    }

    [[nodiscard]] QList<CameraIdentity> cameras() const override
    {
        const QList<QCameraInfo> infos = QCameraInfo::availableCameras();
#ifdef Q_OS_WIN
        QList<CameraIdentity> result;
        for (const QCameraInfo &info : infos)
            result << CameraIdentity{ info.deviceName(), info.deviceName(), info.description() };
        return result;
#else
        QList<QPair<QString, QString>> named;
        for (const QCameraInfo &info : infos)
            named << qMakePair(info.deviceName(), info.description());
        return LinuxPlatform::cameras(named, QStringLiteral("/sys"));
#endif
    }

    [[nodiscard]] QCamera *openCamera(const CameraIdentity &identity) const override
    {
        auto *camera = new QCamera(identity.qtDeviceName.toUtf8());
        QObject::connect(camera, &QCamera::statusChanged, camera, [camera](QCamera::Status status) {
            if (status == QCamera::LoadedStatus)
                chooseNativeViewfinder(camera);
        });
        return camera;
    }
};

} // namespace

Platform *systemPlatform()
{
    static SystemPlatform platform;
    return &platform;
}
