#include "platform/linuxplatform.h"
#include "platform/platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

static void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content + '\n');
}

// A row of a table with two lists, each joined by "|".
static void row(const char *name, const QString &first, const QString &second)
{
    const auto split = [](const QString &list) {
        return list.isEmpty() ? QStringList() : list.split('|');
    };
    QTest::newRow(name) << split(first) << split(second);
}

class tst_Platform : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void imagerCamera_data()
    {
        QTest::addColumn<QString>("deviceName");
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("imager");
        QTest::newRow("windows") << "\\\\?\\usb#vid_1d6b&pid_0102&mi_00" << "UVC Camera" << true;
        QTest::newRow("other vendor") << "usb#vid_046d&pid_0102" << "UVC Camera" << false;
        QTest::newRow("other product") << "usb#vid_1d6b&pid_0104" << "UVC Camera" << false;
        QTest::newRow("upper-case vendor") << "usb#VID_1D6B&pid_0102" << "UVC Camera" << false;
        QTest::newRow("description case") << "usb#vid_1d6b&pid_0102" << "UVC camera" << false;
        QTest::newRow("trailing blank") << "usb#vid_1d6b&pid_0102" << "UVC Camera " << false;
    }
    void imagerCamera()
    {
        QFETCH(QString, deviceName);
        QFETCH(QString, description);
        QFETCH(bool, imager);
        QCOMPARE(isImagerCamera(CameraIdentity { QString(), deviceName, description }), imager);
    }

    // Mounts "device mount-point [root]" after the system's own and some truncated lines, over
    // the disks of initTestCase(), and the drives found; each list joined by "|".
    void removableDrives_data()
    {
        QTest::addColumn<QStringList>("mounts");
        QTest::addColumn<QStringList>("drives");
        row("system only", "", "");
        row("usb stick partition", "/dev/sdb1 /media/VX305", "/media/VX305/");
        row("two in table order, one unpartitioned", "/dev/sdc /z|/dev/sdb1 /b", "/z/|/b/");
        row("optical drives", "/dev/sr0 /media/dvd|/dev/sdd /media/card", "");
        row("second mount of one device", "/dev/sdb1 /media/a|/dev/sdb1 /media/b", "/media/a/");
        row("bind mount of a subfolder", "/dev/sdb1 /srv /DCIM_100", "");
        row("root file system on a usb stick", "/dev/sdb1 /", "");
        row("usb hard disk is not removable", "/dev/sde1 /media/hd", "");
        row("emmc is not removable", "/dev/mmcblk0p1 /boot/fw", "");
        row("sd card in the laptop's slot", "/dev/mmcblk1p1 /media/sd", "/media/sd/");
        // Mount points as the table escapes them.
        row("space, tab and backslash", "/dev/sdb1 /a\\040b\\011\\134", "/a b\t\\/");
        row("short escape, not octal", "/dev/sdb1 /a\\08\\04", "/a\\08\\04/");
        row("utf-8 name", "/dev/sdb1 /\xed\x95\x9c", "/\xed\x95\x9c/");
    }
    void removableDrives()
    {
        QFETCH(QStringList, mounts);
        QFETCH(QStringList, drives);
        QByteArray table = "31 1 8:1 / /media/a rw - vfat\n31 1\n - - -\n\n";
        for (const QString &mount : QStringList { "/dev/sda1 /", "/dev/sda2 /home", "proc /proc",
                                                  "/dev/nvme0n1p1 /boot/efi" } + mounts) {
            const QStringList f = mount.split(' ');
            table += "30 1 8:1 " + f.value(2, "/").toUtf8() + ' ' + f.at(1).toUtf8()
                    + " rw shared:1 - vfat " + f.at(0).toUtf8() + " rw\n";
        }
        QCOMPARE(LinuxPlatform::removableDrives(table, m_sys.path()), drives);
    }

    void cameraIdentity_data()
    {
        // The sysfs files idVendor, interface, product and the node's index (an empty one is left
        // out) and the node Qt names. Then the identity listed, device name and description.
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("identity");
        const char *imager = "usb#vid_1d6b&pid_0102|UVC Camera";
        row("interface string first", "1d6b|UVC Camera|Imager|0|video0", imager);
        row("product string, ids lowered", "1D6B||UVC Camera||video0", imager);
        row("metadata node is left out", "1d6b|UVC Camera||1|video0", "");
        // Qt always reports the driver's card name, here "UVC Camera: UVC Cam" cut short.
        row("no sysfs node: Qt's identity", "1d6b||||video7", "/dev/video7|UVC Camera: UVC Cam");
    }
    void cameraIdentity()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, identity);
        // The video node links to the interface, whose parent USB device holds ids and product.
        QTemporaryDir sys;
        const QString usb = sys.path() + "/devices/pci0000:00/usb1/1-2";
        const QString node = sys.path() + "/class/video4linux/video0";
        const QStringList paths { usb + "/idVendor", usb + "/1-2:1.0/interface", usb + "/product",
                                  node + "/index" };
        for (int i = 0; i < 4; ++i)
            if (!files.at(i).isEmpty())
                writeFile(paths.at(i), files.at(i).toUtf8());
        writeFile(usb + "/idProduct", "0102");
        QVERIFY(QDir().mkpath(node) && QDir().mkpath(usb + "/1-2:1.0"));
        QVERIFY(QFile::link(usb + "/1-2:1.0", node + "/device"));
        QStringList actual;
        const QPair<QString, QString> qtCamera { "/dev/" + files.at(4), "UVC Camera: UVC Cam" };
        const QList<CameraIdentity> cameras = LinuxPlatform::cameras({ qtCamera }, sys.path());
        for (const CameraIdentity &camera : cameras)
            actual << camera.deviceName << camera.description;
        QCOMPARE(actual, identity);
    }

private:
    QTemporaryDir m_sys;
};

// Disks as the kernel shows them: a fixed SATA disk (sda), a USB stick (sdb), a stick without
// partitions (sdc), a DVD drive (sr0), a reader typed as optical (sdd), an NVMe disk, a USB hard
// disk (sde, removable 0), an eMMC (mmcblk0) and an SD card in the laptop's own slot (mmcblk1,
// removable 0). The USB hard disk and the eMMC link into /sys/devices through their bus.
void tst_Platform::initTestCase()
{
    const QString sys = m_sys.path();
    QVERIFY(QDir().mkpath(sys + "/devices/usb2/host6/block/sde") && QDir().mkpath(sys + "/block"));
    QVERIFY(QDir().mkpath(sys + "/devices/mmc_host/mmc0/block/mmcblk0"));
    QVERIFY(QFile::link(sys + "/devices/usb2/host6/block/sde", sys + "/block/sde"));
    QVERIFY(QFile::link(sys + "/devices/mmc_host/mmc0/block/mmcblk0", sys + "/block/mmcblk0"));
    const QStringList files { "sda/removable 0", "sda/device/type 0", "sda/sda1/partition 1",
                              "sda/sda2/partition 2", "sdb/removable 1", "sdb/device/type 0",
                              "sdb/sdb1/partition 1", "sdc/removable 1", "sr0/removable 1",
                              "sr0/device/type 5", "sdd/removable 1", "sdd/device/type 5",
                              "nvme0n1/removable 0", "nvme0n1/nvme0n1p1/partition 1",
                              "sde/removable 0", "sde/device/type 0", "sde/sde1/partition 1",
                              "mmcblk0/removable 0", "mmcblk0/device/type MMC",
                              "mmcblk0/mmcblk0p1/partition 1", "mmcblk1/removable 0",
                              "mmcblk1/device/type SD", "mmcblk1/mmcblk1p1/partition 1" };
    for (const QString &file : files)
        writeFile(sys + "/block/" + file.section(' ', 0, 0), file.section(' ', 1).toUtf8());
}

QTEST_GUILESS_MAIN(tst_Platform)
#include "tst_platform.moc"
