#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QCamera;

// The operating system as the application sees it: removable drives and cameras.
// Tests plug a fake in; the application uses systemPlatform().

struct CameraIdentity
{
    // Name used to open the camera through Qt Multimedia (QCameraInfo::deviceName()).
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

    // Opens one of those cameras, not yet started, with its viewfinder asked for the
    // imager's native frames where the device offers them. The caller owns the result;
    // nullptr when it cannot be opened.
    [[nodiscard]] virtual QCamera *openCamera(const CameraIdentity &camera) const = 0;
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
