#pragma once

#include "platform/platform.h"

#include <QPair>

// The Linux stand-ins for the Windows drive and camera queries, written against a
// sysfs root and a mount table so that tests can feed them fake trees.
namespace LinuxPlatform {

// Mount points of removable disks, the equivalent of DRIVE_REMOVABLE roots: a mounted
// block device (or a partition of one) whose disk reports "removable" as 1, or an SD card
// in an MMC slot, and is not an optical drive; never "/" itself. `mountInfo` is the text of
// /proc/self/mountinfo; `sysRoot` stands for /sys. Each root ends with "/", in mount table
// order, each device once.
[[nodiscard]] QStringList removableDrives(const QByteArray &mountInfo, const QString &sysRoot);

// Gives each camera the Windows-style identity "usb#vid_xxxx&pid_yyyy" (lower-case hex)
// read from the USB device above its video4linux node, and as description the video
// interface's string, else the USB product string. A camera with no USB parent keeps Qt's
// name and description; metadata-only nodes are left out. Input pairs are (Qt device
// name such as "/dev/video0", description).
[[nodiscard]] QList<CameraIdentity>
cameras(const QList<QPair<QString, QString>> &qtCameras, const QString &sysRoot);

// Undoes the octal escapes (\040 for a space and so on) of a mount table field.
[[nodiscard]] QString unescapeMountField(const QByteArray &field);

} // namespace LinuxPlatform
