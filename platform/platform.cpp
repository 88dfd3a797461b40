#include "platform/platform.h"

#include "platform/linuxplatform.h"

#include <QCameraInfo>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include "platform/multimediacamerastream.h"

#include <windows.h>
#else
#include "platform/gstcamerastream.h"
#endif

bool isImagerCamera(const QString &deviceName, const QString &description)
{
    return deviceName.contains(QLatin1String("usb#vid_1d6b"))
            && deviceName.contains(QLatin1String("pid_0102"))
            && description == QLatin1String("UVC Camera");
}

namespace {

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

    [[nodiscard]] CameraStream *openCamera(const CameraIdentity &identity,
                                           QAbstractVideoSurface *surface) const override
    {
#ifdef Q_OS_WIN
        return new MultimediaCameraStream(identity.qtDeviceName.toUtf8(), surface);
#else
        // Qt's camera maps a frame by its declared size and so drops the readings behind
        // the picture; GStreamer's buffers keep them.
        return new GstCameraStream(QStringLiteral("v4l2src device=\"%1\"").arg(identity.qtDeviceName),
                                   identity.qtDeviceName, surface);
#endif
    }
};

} // namespace

Platform *systemPlatform()
{
    static SystemPlatform platform;
    return &platform;
}
