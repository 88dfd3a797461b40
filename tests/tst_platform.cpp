#include "picturefixture.h"
#include "platform/linuxplatform.h"
#include "testsupport.h"

static void writeFile(const QString &path, const QByteArray &content)
{
    QVERIFY(
        QDir().mkpath(QFileInfo(path).path()) && PictureFixture::writeBytes(path, content + '\n'));
}

class tst_Platform : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // The imager's identity exactly: Windows' device name with its interface matches; another
    // vendor or product, the vendor in capitals, the description's case or a trailing blank do
    // not.
    void imagerCamera()
    {
        QString matches;
        for (const QString camera :
            {"\\\\?\\usb#vid_1d6b&pid_0102&mi_00|UVC Camera", "usb#vid_046d&pid_0102|UVC Camera",
                "usb#vid_1d6b&pid_0104|UVC Camera", "usb#VID_1D6B&pid_0102|UVC Camera",
                "usb#vid_1d6b&pid_0102|UVC camera", "usb#vid_1d6b&pid_0102|UVC Camera "})
            matches += QString::number(
                isImagerCamera({{}, camera.section('|', 0, 0), camera.section('|', 1)}));
        QCOMPARE(matches, "100000");
    }

    // Mounts "device mount-point [root]" after the system's own and some truncated lines, over
    // the disks of initTestCase(), and the drives found; each list joined by "|".
    void removableDrives_data()
    {
        // clang-format off
        addColumns<QString, QString>("mounts", "drives");
        QTest::newRow("system only") << "" << "";
        QTest::newRow("usb stick partition") << "/dev/sdb1 /media/VX305" << "/media/VX305/";
        QTest::newRow("table order, one unpartitioned") << "/dev/sdc /z|/dev/sdb1 /b" << "/z/|/b/";
        QTest::newRow("optical drives") << "/dev/sr0 /media/dvd|/dev/sdd /media/card" << "";
        QTest::newRow("a device mounted twice") << "/dev/sdb1 /m/a|/dev/sdb1 /m/b" << "/m/a/";
        QTest::newRow("bind mount of a subfolder") << "/dev/sdb1 /srv /DCIM_100" << "";
        QTest::newRow("root file system on a usb stick") << "/dev/sdb1 /" << "";
        QTest::newRow("usb hard disk is not removable") << "/dev/sde1 /media/hd" << "";
        QTest::newRow("emmc is not removable") << "/dev/mmcblk0p1 /boot/fw" << "";
        QTest::newRow("sd card in the laptop's slot") << "/dev/mmcblk1p1 /media/sd" << "/media/sd/";
        // Mount points as the table escapes them.
        QTest::newRow("space, tab and backslash") << "/dev/sdb1 /a\\040b\\011\\134" << "/a b\t\\/";
        QTest::newRow("short escape, not octal") << "/dev/sdb1 /a\\08\\04" << "/a\\08\\04/";
        QTest::newRow("utf-8 name") << "/dev/sdb1 /\xed\x95\x9c" << "/\xed\x95\x9c/";
        // clang-format on
    }
    void removableDrives()
    {
        const auto [mounts, drives] = fetch<QString, QString>();
        QByteArray table = "31 1 8:1 / /media/a rw - vfat\n31 1\n - - -\n\n";
        const QString system = "/dev/sda1 /|/dev/sda2 /home|proc /proc|/dev/nvme0n1p1 /boot/efi|";
        for (const QString &mount : (system + mounts).split('|', Qt::SkipEmptyParts)) {
            const QStringList f = mount.split(' ');
            table += "30 1 8:1 " + f.value(2, "/").toUtf8() + ' ' + f.at(1).toUtf8()
                + " rw shared:1 - vfat " + f.at(0).toUtf8() + " rw\n";
        }
        QCOMPARE(LinuxPlatform::removableDrives(table, m_sys.path()).join('|'), drives);
    }

    void cameraIdentity_data()
    {
        // clang-format off
        // The sysfs files idVendor, interface, product and the node's index (an empty one is left
        // out) and the node Qt names. Then the identity listed, device name and description.
        addColumns<QString, QString>("files", "identity");
        const char *imager = "usb#vid_1d6b&pid_0102|UVC Camera";
        QTest::newRow("interface string first") << "1d6b|UVC Camera|Imager|0|video0" << imager;
        QTest::newRow("product string, ids lowered") << "1D6B||UVC Camera||video0" << imager;
        QTest::newRow("metadata node is left out") << "1d6b|UVC Camera||1|video0" << "";
        // Qt always reports the driver's card name, here "UVC Camera: UVC Cam" cut short.
        QTest::newRow("no sysfs node") << "1d6b||||video7" << "/dev/video7|UVC Camera: UVC Cam";
        // clang-format on
    }
    void cameraIdentity()
    {
        const auto [files, identity] = fetch<QString, QString>();
        const QStringList f = files.split('|');
        // The video node links to the interface, whose parent USB device holds ids and product.
        QTemporaryDir sys;
        const QString usb = sys.path() + "/devices/pci0000:00/usb1/1-2";
        const QString node = sys.path() + "/class/video4linux/video0";
        const QStringList paths {
            usb + "/idVendor", usb + "/1-2:1.0/interface", usb + "/product", node + "/index"};
        for (int i = 0; i < 4; ++i)
            if (!f[i].isEmpty())
                writeFile(paths[i], f[i].toUtf8());
        writeFile(usb + "/idProduct", "0102");
        QVERIFY(QDir().mkpath(node) && QDir().mkpath(usb + "/1-2:1.0")
            && QFile::link(usb + "/1-2:1.0", node + "/device"));
        QStringList actual;
        for (const CameraIdentity &camera :
            LinuxPlatform::cameras({{"/dev/" + f[4], "UVC Camera: UVC Cam"}}, sys.path()))
            actual << camera.deviceName << camera.description;
        QCOMPARE(actual.join('|'), identity);
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
    const QStringList files {"sda/removable 0", "sda/device/type 0", "sda/sda1/partition 1",
        "sda/sda2/partition 2", "sdb/removable 1", "sdb/device/type 0", "sdb/sdb1/partition 1",
        "sdc/removable 1", "sr0/removable 1", "sr0/device/type 5", "sdd/removable 1",
        "sdd/device/type 5", "nvme0n1/removable 0", "nvme0n1/nvme0n1p1/partition 1",
        "sde/removable 0", "sde/device/type 0", "sde/sde1/partition 1", "mmcblk0/removable 0",
        "mmcblk0/device/type MMC", "mmcblk0/mmcblk0p1/partition 1", "mmcblk1/removable 0",
        "mmcblk1/device/type SD", "mmcblk1/mmcblk1p1/partition 1"};
    for (const QString &file : files)
        writeFile(sys + "/block/" + file.section(' ', 0, 0), file.section(' ', 1).toUtf8());
}

QTEST_GUILESS_MAIN(tst_Platform)
#include "tst_platform.moc"
