#include "platform/platform.h"

#include "platform/linuxplatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include "platform/multimediacamerastream.h"

#include <QCameraInfo>
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
#ifdef Q_OS_WIN
        const QList<QCameraInfo> infos = QCameraInfo::availableCameras();
        QList<CameraIdentity> result;
        for (const QCameraInfo &info : infos)
            result << CameraIdentity{ info.deviceName(), info.deviceName(), info.description() };
        return result;
#else
        // Every video node from sysfs rather than Qt's list, which leaves out the nodes the
        // user may not open: a refused imager is still found and can say why it does not
        // start.
        const QDir nodes(QStringLiteral("/sys/class/video4linux"));
        QList<QPair<QString, QString>> named;
        const QStringList entries =
                nodes.entryList({ QStringLiteral("video*") },
                                QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &node : entries) {
            QFile card(nodes.filePath(node) + QStringLiteral("/name"));
            QString name;
            if (card.open(QIODevice::ReadOnly))
                name = QString::fromUtf8(card.readAll().trimmed());
            named << qMakePair(QStringLiteral("/dev/") + node, name);
        }
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
        const QString source = QStringLiteral("v4l2src device=\"%1\"").arg(identity.qtDeviceName);
        return new GstCameraStream(source, identity.qtDeviceName, surface);
#endif
    }
};

} // namespace

Platform *systemPlatform()
{
    static SystemPlatform platform;
    return &platform;
}
