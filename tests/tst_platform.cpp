#include "platform/linuxplatform.h"
#include "platform/platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// One mount table line in the kernel's layout.
QByteArray mountLine(int id, const QByteArray &root, const QByteArray &mountPoint,
    const QByteArray &fsType, const QByteArray &source)
{
    return QByteArray::number(id) + " 1 8:" + QByteArray::number(id) + ' ' + root + ' ' + mountPoint
        + " rw,nosuid shared:" + QByteArray::number(id) + " - " + fsType + ' ' + source + " rw\n";
}

} // namespace

class tst_Platform : public QObject
{
    Q_OBJECT

private slots:
    void imagerCamera_data();
    void imagerCamera();
    void removableDrives_data();
    void removableDrives();
    void mountFieldEscapes_data();
    void mountFieldEscapes();
    void cameraIdentity_data();
    void cameraIdentity();

private:
    QTemporaryDir m_sys;
    void makeSysTree();
};

void tst_Platform::imagerCamera_data()
{
    QTest::addColumn<QString>("deviceName");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("imager");

    const QString windowsName
        = QStringLiteral("\\\\?\\usb#vid_1d6b&pid_0102&mi_00#6&2b5ea0c5&0&0000#"
                         "{65e8773d-8f56-11d0-a3b9-00a0c9223196}\\global");
    QTest::newRow("windows name") << windowsName << "UVC Camera" << true;
    QTest::newRow("linux identity") << "usb#vid_1d6b&pid_0102"
                                    << "UVC Camera" << true;
    QTest::newRow("other vendor") << "usb#vid_046d&pid_0102"
                                  << "UVC Camera" << false;
    QTest::newRow("other product") << "usb#vid_1d6b&pid_0104"
                                   << "UVC Camera" << false;
    QTest::newRow("upper-case vendor") << "usb#VID_1D6B&pid_0102"
                                       << "UVC Camera" << false;
    QTest::newRow("description case") << "usb#vid_1d6b&pid_0102"
                                      << "UVC camera" << false;
    QTest::newRow("description with suffix") << "usb#vid_1d6b&pid_0102"
                                             << "UVC Camera: UVC Camera" << false;
    QTest::newRow("empty") << ""
                           << "" << false;
}

void tst_Platform::imagerCamera()
{
    QFETCH(QString, deviceName);
    QFETCH(QString, description);
    QFETCH(bool, imager);
    QCOMPARE(isImagerCamera(deviceName, description), imager);
    QCOMPARE(isImagerCamera(CameraIdentity {QString(), deviceName, description}), imager);
}

// Disks as the kernel shows them: /sys/block/<disk> links into /sys/devices, where the path
// tells the bus. A USB stick (sdb), a fixed SATA disk (sda), a DVD drive (sr0), a reader typed
// as optical (sdd), a stick without partitions (sdc), an NVMe disk, a USB hard disk (sde,
// removable 0), an eMMC (mmcblk0), an SD card in the laptop's own slot (mmcblk1, removable 0)
// and a USB DVD drive (sr1).
void tst_Platform::makeSysTree()
{
    const QString sys = m_sys.path();
    const struct
    {
        const char *disk;
        const char *removable;
        const char *type; // device/type, or nullptr
        const char *partition;
        const char *device; // where under /sys/devices, or nullptr for a plain folder
    } disks[] = {
        {"sda", "0", "0", "sda1", "pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0"},
        {"sdb", "1", "0", "sdb1", "pci0000:00/0000:00:14.0/usb2/2-3/2-3:1.0/host5/5:0:0:0"},
        {"sdc", "1", nullptr, nullptr, nullptr}, {"sr0", "1", "5", nullptr, nullptr},
        {"sdd", "1", "5", nullptr, nullptr}, {"nvme0n1", "0", nullptr, "nvme0n1p1", nullptr},
        {"sde", "0", "0", "sde1", "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/6:0:0:0"},
        {"mmcblk0", "0", "MMC", "mmcblk0p1", "platform/fe320000.mmc/mmc_host/mmc0/mmc0:0001"},
        {"mmcblk1", "0", "SD", "mmcblk1p1", "platform/fe310000.mmc/mmc_host/mmc1/mmc1:aaaa"},
        {"sr1", "1", "5", nullptr, "pci0000:00/0000:00:14.0/usb2/2-2/2-2:1.0/host7/7:0:0:0"},
    };
    QDir().mkpath(sys + QStringLiteral("/block"));
    for (const auto &d : disks) {
        const QString link = sys + QStringLiteral("/block/") + QLatin1String(d.disk);
        QString base = link;
        if (d.device) {
            base = sys + QStringLiteral("/devices/") + QLatin1String(d.device)
                + QStringLiteral("/block/") + QLatin1String(d.disk);
            QDir().mkpath(base);
            QFile::link(base, link);
        }
        base += QLatin1Char('/');
        writeFile(base + "removable", QByteArray(d.removable) + '\n');
        if (d.type)
            writeFile(base + "device/type", QByteArray(d.type) + '\n');
        if (d.partition)
            writeFile(base + QLatin1String(d.partition) + "/partition", "1\n");
    }
    writeFile(sys + "/block/sda/sda2/partition", "2\n");
}

void tst_Platform::removableDrives_data()
{
    QTest::addColumn<QByteArray>("mountInfo");
    QTest::addColumn<QStringList>("drives");

    const QByteArray system = mountLine(21, "/", "/", "ext4", "/dev/sda1")
        + mountLine(22, "/", "/home", "ext4", "/dev/sda2")
        + mountLine(23, "/", "/proc", "proc", "proc")
        + mountLine(24, "/", "/boot/efi", "vfat", "/dev/nvme0n1p1")
        + mountLine(25, "/", "/run", "tmpfs", "tmpfs");

    QTest::newRow("no drive") << system << QStringList();
    QTest::newRow("empty table") << QByteArray() << QStringList();
    QTest::newRow("usb stick partition")
        << system + mountLine(30, "/", "/media/user/VX305", "vfat", "/dev/sdb1")
        << QStringList {"/media/user/VX305/"};
    QTest::newRow("stick without partitions")
        << system + mountLine(31, "/", "/mnt/stick", "vfat", "/dev/sdc")
        << QStringList {"/mnt/stick/"};
    QTest::newRow("optical drives are skipped")
        << system + mountLine(32, "/", "/media/cdrom", "iso9660", "/dev/sr0")
            + mountLine(33, "/", "/media/card", "udf", "/dev/sdd")
        << QStringList();
    QTest::newRow("two drives in table order")
        << system + mountLine(34, "/", "/mnt/stick", "vfat", "/dev/sdc")
            + mountLine(35, "/", "/media/user/VX305", "vfat", "/dev/sdb1")
        << QStringList {"/mnt/stick/", "/media/user/VX305/"};
    QTest::newRow("second mount of one device is ignored")
        << system + mountLine(36, "/", "/media/a", "vfat", "/dev/sdb1")
            + mountLine(37, "/", "/media/b", "vfat", "/dev/sdb1")
        << QStringList {"/media/a/"};
    QTest::newRow("bind mount of a subfolder is not a drive")
        << system + mountLine(38, "/DCIM_100", "/srv/pictures", "vfat", "/dev/sdb1")
        << QStringList();
    QTest::newRow("escaped space in mount point")
        << system + mountLine(39, "/", "/media/user/NO\\040NAME", "vfat", "/dev/sdb1")
        << QStringList {"/media/user/NO NAME/"};
    QTest::newRow("unknown device")
        << system + mountLine(40, "/", "/media/x", "vfat", "/dev/sdz1") << QStringList();
    QTest::newRow("mapper device")
        << system + mountLine(41, "/", "/media/x", "ext4", "/dev/mapper/crypt") << QStringList();
    QTest::newRow("usb hard disk is not removable")
        << system + mountLine(43, "/", "/media/user/BACKUP", "ext4", "/dev/sde1") << QStringList();
    QTest::newRow("emmc boot partition is not removable")
        << system + mountLine(44, "/", "/boot/firmware", "vfat", "/dev/mmcblk0p1") << QStringList();
    QTest::newRow("sd card in the laptop's slot")
        << system + mountLine(47, "/", "/media/card", "exfat", "/dev/mmcblk1p1")
        << QStringList {"/media/card/"};
    QTest::newRow("usb dvd drive is optical")
        << system + mountLine(45, "/", "/media/dvd", "iso9660", "/dev/sr1") << QStringList();
    QTest::newRow("root file system on a usb stick is not a drive")
        << mountLine(46, "/", "/", "ext4", "/dev/sdb1") << QStringList();
    QTest::newRow("truncated lines")
        << QByteArray("30 1 8:1 / /media/a rw - vfat\n31 1\n - - -\n\n")
            + mountLine(42, "/", "/mnt/stick", "vfat", "/dev/sdc")
        << QStringList {"/mnt/stick/"};
}

void tst_Platform::removableDrives()
{
    QFETCH(QByteArray, mountInfo);
    QFETCH(QStringList, drives);
    QVERIFY(m_sys.isValid());
    makeSysTree();
    QCOMPARE(LinuxPlatform::removableDrives(mountInfo, m_sys.path()), drives);
}

void tst_Platform::mountFieldEscapes_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << QByteArray("/media/a") << "/media/a";
    QTest::newRow("space") << QByteArray("/a\\040b") << "/a b";
    QTest::newRow("tab and backslash") << QByteArray("\\011x\\134") << "\tx\\";
    QTest::newRow("backslash at the end") << QByteArray("/a\\") << "/a\\";
    QTest::newRow("short escape") << QByteArray("/a\\04") << "/a\\04";
    QTest::newRow("not octal") << QByteArray("/a\\089") << "/a\\089";
    QTest::newRow("utf-8 name") << QByteArray("/media/\xed\x95\x9c")
                                << QString::fromUtf8("/media/\xed\x95\x9c");
}

void tst_Platform::mountFieldEscapes()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    QCOMPARE(LinuxPlatform::unescapeMountField(field), text);
}

void tst_Platform::cameraIdentity_data()
{
    QTest::addColumn<QString>("vendor");
    QTest::addColumn<QString>("product");
    QTest::addColumn<QByteArray>("interfaceString");
    QTest::addColumn<QByteArray>("productString");
    QTest::addColumn<QByteArray>("nodeIndex");
    QTest::addColumn<QString>("qtName");
    QTest::addColumn<QString>("deviceName");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<bool>("imager");

    // Qt always reports the driver's card name, here "UVC Camera: UVC Cam" cut short.
    QTest::newRow("the imager") << "1d6b"
                                << "0102" << QByteArray("UVC Camera") << QByteArray("UVC Camera")
                                << QByteArray("0") << "/dev/video0"
                                << "usb#vid_1d6b&pid_0102"
                                << "UVC Camera" << true << true;
    QTest::newRow("product string when no interface string")
        << "1d6b"
        << "0102" << QByteArray() << QByteArray("UVC Camera") << QByteArray() << "/dev/video0"
        << "usb#vid_1d6b&pid_0102"
        << "UVC Camera" << true << true;
    QTest::newRow("upper-case ids are lowered")
        << "1D6B"
        << "0102" << QByteArray("UVC Camera") << QByteArray() << QByteArray("0") << "/dev/video0"
        << "usb#vid_1d6b&pid_0102"
        << "UVC Camera" << true << true;
    QTest::newRow("other vendor") << "046d"
                                  << "0825" << QByteArray("UVC Camera") << QByteArray("Webcam C270")
                                  << QByteArray("0") << "/dev/video0"
                                  << "usb#vid_046d&pid_0825"
                                  << "UVC Camera" << true << false;
    QTest::newRow("other product")
        << "1d6b"
        << "0104" << QByteArray("UVC Camera") << QByteArray() << QByteArray("0") << "/dev/video0"
        << "usb#vid_1d6b&pid_0104"
        << "UVC Camera" << true << false;
    QTest::newRow("other description")
        << "1d6b"
        << "0102" << QByteArray("HD Webcam") << QByteArray("HD Webcam") << QByteArray("0")
        << "/dev/video0"
        << "usb#vid_1d6b&pid_0102"
        << "HD Webcam" << true << false;
    QTest::newRow("metadata node is left out")
        << "1d6b"
        << "0102" << QByteArray("UVC Camera") << QByteArray() << QByteArray("1") << "/dev/video0"
        << QString() << QString() << false << false;
    QTest::newRow("no sysfs node keeps the qt identity")
        << "1d6b"
        << "0102" << QByteArray("UVC Camera") << QByteArray() << QByteArray("0") << "/dev/video7"
        << "/dev/video7"
        << "UVC Camera: UVC Cam" << true << false;
}

void tst_Platform::cameraIdentity()
{
    QFETCH(QString, vendor);
    QFETCH(QString, product);
    QFETCH(QByteArray, interfaceString);
    QFETCH(QByteArray, productString);
    QFETCH(QByteArray, nodeIndex);
    QFETCH(QString, qtName);
    QFETCH(QString, deviceName);
    QFETCH(QString, description);
    QFETCH(bool, listed);
    QFETCH(bool, imager);

    QTemporaryDir sys;
    QVERIFY(sys.isValid());
    // The kernel's layout: the video node links to the interface, whose parent is the
    // USB device holding the ids and the product string.
    const QString usbDevice = sys.path() + QStringLiteral("/devices/pci0000:00/usb1/1-2");
    const QString interface = usbDevice + QStringLiteral("/1-2:1.0");
    writeFile(usbDevice + "/idVendor", vendor.toLatin1() + '\n');
    writeFile(usbDevice + "/idProduct", product.toLatin1() + '\n');
    if (!productString.isEmpty())
        writeFile(usbDevice + "/product", productString + '\n');
    writeFile(interface + "/bInterfaceClass", "0e\n");
    if (!interfaceString.isEmpty())
        writeFile(interface + "/interface", interfaceString + '\n');
    const QString node = sys.path() + QStringLiteral("/class/video4linux/video0");
    QVERIFY(QDir().mkpath(node));
    if (!nodeIndex.isEmpty())
        writeFile(node + "/index", nodeIndex + '\n');
    QVERIFY(QFile::link(interface, node + QStringLiteral("/device")));

    const QList<CameraIdentity> cameras = LinuxPlatform::cameras(
        {qMakePair(qtName, QStringLiteral("UVC Camera: UVC Cam"))}, sys.path());
    QCOMPARE(cameras.size(), listed ? 1 : 0);
    if (!listed)
        return;
    QCOMPARE(cameras.first().qtDeviceName, qtName);
    QCOMPARE(cameras.first().deviceName, deviceName);
    QCOMPARE(cameras.first().description, description);
    QCOMPARE(isImagerCamera(cameras.first()), imager);
}

QTEST_GUILESS_MAIN(tst_Platform)
#include "tst_platform.moc"
