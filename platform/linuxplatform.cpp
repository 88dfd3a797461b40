#include "platform/linuxplatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(256).trimmed();
}

// The whole disk a block device name belongs to: itself when it is a disk, else the disk
// under whose sysfs folder the partition appears. Empty when unknown.
QString diskOf(const QString &sysRoot, const QString &name)
{
    const QDir block(sysRoot + QStringLiteral("/block"));
    if (block.exists(name))
        return name;
    const QStringList disks = block.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &disk : disks) {
        if (QFileInfo(block.filePath(disk) + QLatin1Char('/') + name).isDir())
            return disk;
    }
    return {};
}

// Windows counts DRIVE_REMOVABLE only, which follows the removable-media flag: USB sticks,
// card readers and the imager itself. An SD card in a laptop's own MMC slot reports 0 there
// but is removable media all the same; eMMC ("MMC"), USB hard disks, NVMe and the like are
// fixed disks.
bool isRemovableDisk(const QString &sysRoot, const QString &disk)
{
    const QString base = sysRoot + QStringLiteral("/block/") + disk;
    // CD and DVD drives report removable media too, but Windows types them apart.
    if (disk.startsWith(QLatin1String("sr"))
        || readSmallFile(base + QStringLiteral("/device/type")) == "5")
        return false;
    if (readSmallFile(base + QStringLiteral("/removable")) == "1")
        return true;
    return disk.startsWith(QLatin1String("mmcblk"))
        && readSmallFile(base + QStringLiteral("/device/type")) == "SD";
}

} // namespace

namespace LinuxPlatform {

QString unescapeMountField(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = false;
            const int value = digits.toInt(&ok, 8);
            if (ok && digits.size() == 3 && value < 256) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(field.at(i));
    }
    return QString::fromUtf8(out);
}

QStringList removableDrives(const QByteArray &mountInfo, const QString &sysRoot)
{
    QStringList roots;
    QSet<QString> seenDevices;
    const QList<QByteArray> lines = mountInfo.split('\n');
    for (const QByteArray &line : lines) {
        // id parent major:minor root mountpoint options [optional...] - fstype source superopts
        const QList<QByteArray> fields = line.split(' ');
        const int dash = fields.indexOf("-");
        if (dash < 5 || dash + 2 >= fields.size())
            continue;
        const QString source = unescapeMountField(fields.at(dash + 2));
        if (!source.startsWith(QLatin1String("/dev/")))
            continue;
        // Only the device's own root is a drive; bind mounts of subfolders are not.
        if (fields.at(3) != "/")
            continue;
        QString root = unescapeMountField(fields.at(4));
        // The system's own root is never the imager, whatever disk it lives on.
        if (root == QLatin1String("/"))
            continue;
        const QString device = source.mid(5);
        if (device.isEmpty() || device.contains(QLatin1Char('/')) || seenDevices.contains(device))
            continue;
        const QString disk = diskOf(sysRoot, device);
        if (disk.isEmpty() || !isRemovableDisk(sysRoot, disk))
            continue;
        seenDevices.insert(device);
        if (!root.endsWith(QLatin1Char('/')))
            root += QLatin1Char('/');
        roots << root;
    }
    return roots;
}

QList<CameraIdentity> cameras(
    const QList<QPair<QString, QString>> &qtCameras, const QString &sysRoot)
{
    QList<CameraIdentity> result;
    const QString stop = QFileInfo(sysRoot).canonicalFilePath();
    for (const auto &camera : qtCameras) {
        CameraIdentity identity {camera.first, camera.first, camera.second};
        const QString node
            = sysRoot + QStringLiteral("/class/video4linux/") + QFileInfo(camera.first).fileName();
        // A camera's second node (index 1) carries only metadata; one camera, one device.
        const QByteArray index = readSmallFile(node + QStringLiteral("/index"));
        if (!index.isEmpty() && index != "0")
            continue;
        QString interfaceName;
        QString dir = QFileInfo(node + QStringLiteral("/device")).canonicalFilePath();
        // Walk up from the video interface to the USB device that carries the ids.
        while (!dir.isEmpty() && dir != stop && dir.startsWith(stop)) {
            if (interfaceName.isEmpty())
                interfaceName
                    = QString::fromUtf8(readSmallFile(dir + QStringLiteral("/interface")));
            const QByteArray vendor = readSmallFile(dir + QStringLiteral("/idVendor"));
            const QByteArray product = readSmallFile(dir + QStringLiteral("/idProduct"));
            if (!vendor.isEmpty() && !product.isEmpty()) {
                identity.deviceName = QStringLiteral("usb#vid_%1&pid_%2")
                                          .arg(QString::fromLatin1(vendor).toLower(),
                                              QString::fromLatin1(product).toLower());
                // Qt's name is the driver's card name, cut at 31 characters; the USB
                // strings are what Windows shows.
                const QString productName
                    = QString::fromUtf8(readSmallFile(dir + QStringLiteral("/product")));
                if (!interfaceName.isEmpty())
                    identity.description = interfaceName;
                else if (!productName.isEmpty())
                    identity.description = productName;
                break;
            }
            const QString parent = QFileInfo(dir).path();
            if (parent == dir)
                break;
            dir = parent;
        }
        result << identity;
    }
    return result;
}

} // namespace LinuxPlatform
