#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CameraStream;
class QAbstractVideoSurface;

// The operating system as the application sees it: removable drives and cameras.
// Tests plug a fake in; the application uses systemPlatform().

struct CameraIdentity
{
    // Name used to open the camera: QCameraInfo::deviceName(), the video node on Linux.
    QString qtDeviceName;
    // Identity in the Windows form: "\\?\usb#vid_1d6b&pid_0102&mi_00#..." on Windows,
    // "usb#vid_xxxx&pid_yyyy" (lower-case hex) built from sysfs on Linux.
    QString deviceName;
    QString description;
};

class Platform
{
public:
    virtual ~Platform() = default;

    // Root paths of the removable drives, each with "/" separators and a trailing "/",
    // in a stable order.
    [[nodiscard]] virtual QStringList removableDrives() const = 0;

    // The video capture devices, one entry per physical camera.
    [[nodiscard]] virtual QList<CameraIdentity> cameras() const = 0;

    // A stream of one of those cameras into `surface`, not yet started, asking for the
    // imager's native frames where the device offers them. The caller owns the result and
    // destroys it before the surface; nullptr when it cannot be opened.
    [[nodiscard]] virtual CameraStream *openCamera(const CameraIdentity &camera,
                                                   QAbstractVideoSurface *surface) const = 0;
};

// The real platform of the running system (never null, lives as long as the program).
Platform *systemPlatform();

// The imager's camera: the device name contains "usb#vid_1d6b" and "pid_0102" and the
// description is exactly "UVC Camera", all case-sensitive.
[[nodiscard]] bool isImagerCamera(const QString &deviceName, const QString &description);
[[nodiscard]] inline bool isImagerCamera(const CameraIdentity &camera)
{
    return isImagerCamera(camera.deviceName, camera.description);
}
