#include "analysis/radiometricfile.h"
#include "picturefixture.h"
#include "testsupport.h"

using namespace Radiometric;
using Doubles = QVector<double>;

// The numbers as text, separated by blanks; floats with six digits.
template <class... T> static QString text(T... values)
{
    return QStringList({QString::number(values)...}).join(' ');
}

class tst_RadiometricFile : public QObject
{
    Q_OBJECT

private slots:
    // The parse traces every field; that would drown the test log.
    void initTestCase() { QLoggingCategory::setFilterRules("vx305.radiometric.debug=false"); }

    void layout_data()
    {
        // clang-format off
        // The offset of the grey plane; the palette (512 bytes) and the parameter block follow it.
        // Then where the pixel stored as byte 1683 of the plane is shown; low x, y, high x, y,
        // centre x, y as shown; the unit box entry and pair on opening, then the pair for °C
        // (none: 0 0); whether a unit byte of 2 sets a pair for °F (the VX305's stays as it is).
        addColumns<int, int, QString>("model", "grey", "shown");
        QTest::newRow("VX305") << 0 << 230454 << "1683 5 6 10 20 65535 65535 1 10 0 18 -17.78 0";
        // The VX300 turned by 180 degrees, always in Celsius.
        QTest::newRow("VX300") << 1 << 153657 << "75116 234 313 229 299 239 319 1 5.556 32 10 0 1";
        // clang-format on
    }
    // Raw bytes at the offsets, independent of the fixture writer.
    void layout()
    {
        const auto [model, grey, shown] = fetch<int, int, QString>();
        const int palette = grey + 76800, block = palette + 512;
        QByteArray bytes(block + 44, '\0');
        bytes[grey + 1683] = char(255);
        // Palette entries 255, 0, 224 and 31: white, red, green and blue.
        const int entries[4][2] = {{255, 0xFFFF}, {0, 0xF800}, {224, 0x07E0}, {31, 0x001F}};
        for (const auto &[k, word] : entries)
            bytes.replace(palette + 2 * k, 2, QByteArray(1, char(word)) + char(word >> 8));
        bytes.replace(block, 44,
            QByteArray::fromHex("01 2C01 38FF FF 05 0080 5F 06000000 0500 0600 0A00 1400 0000 0000"
                + QByteArray(32, '0') + "1F00"));
        const RadiometricPicture r = parseRadiometricBytes(bytes, model).value();
        const Parameters &p = r.params;
        // Unit byte 1 opens in °F: unchanged for the VX305, converted for the always-Celsius VX300
        // (the imager's rounded 5.556 and -17.78, not 10 / 1.8 and -160 / 9).
        const UnitPair inC = unitPairFor(model, 1, 0).value_or(UnitPair {0, 0});
        QCOMPARE(text(p.unit, p.maxTemp, p.minTemp, p.maxGrey, p.minGrey, p.centreTemp,
                     p.emissivity, p.machineId, p.version, r.grey.indexOf(char(255)), r.lowPos.x,
                     r.lowPos.y, r.highPos.x, r.highPos.y, r.centrePos.x, r.centrePos.y,
                     r.unitIndex, r.unitPair.div, r.unitPair.add, inC.div, inC.add,
                     unitPairFor(model, 2, 1).has_value()),
            "1 300 -200 255 5 -32768 95 6 31 " + shown);
        // Widened by shifting alone: white is (248, 252, 248); the scale's copy runs backwards.
        QString colours;
        for (const auto &[k, word] : entries)
            for (const PaletteEntry &e : {r.palette[std::size_t(k)], r.scalePalette[255 - k]})
                colours += text(e.red, e.green, e.blue) + ", ";
        QCOMPARE(colours,
            "248 252 248, 248 252 248, 248 0 0, 248 0 0, 0 252 0, 0 252 0, "
            "0 0 248, 0 0 248, ");
        // Grey 255 is 30.0 and grey 0 is -21.0; the map runs column by column.
        const int pixel = shown.section(' ', 0, 0).toInt();
        QCOMPARE(r.tempMap.at(std::size_t(pixel % 240 * 320 + pixel / 240)), 30.0f);
        QCOMPARE(int(std::count(r.tempMap.begin(), r.tempMap.end(), -21.0f)), 76799);
    }

    void temperature_of_grey_data()
    {
        // clang-format off
        // Maximum and minimum temperature in tenths, maximum and minimum grey, the grey of every
        // pixel and its temperature.
        QTest::addColumn<Doubles>("values");
        // 30 - 10 * 127 / 255 = 25.0196078...
        QTest::newRow("grey 128 of 20.0 to 30.0") << Doubles {300, 200, 255, 0, 128, 25.0196078};
        QTest::newRow("beyond the greys, extrapolated") << Doubles {300, 200, 200, 100, 250, 35};
        QTest::newRow("negative tenths are signed") << Doubles {-50, -150, 200, 100, 150, -10};
        QTest::newRow("fractional limits, grey below the span")
            << Doubles {307, -53, 230, 20, 0, 30.7 - 230.0 / 210 * 36};
        // float(1) / float(3) is 11184811 / 2^25; times 300 and taken from 100 in double that
        // is exactly -100 / 2^25. A double ratio (or float arithmetic) would give 0.
        QTest::newRow("float ratio") << Doubles {1000, -2000, 3, 0, 2, -100.0 / 33554432.0};
        // One grey stands for both ends of the span: every pixel is at the maximum.
        QTest::newRow("uniform scene") << Doubles {367, -53, 128, 128, 255, 36.7};
        // clang-format on
    }
    void temperature_of_grey()
    {
        QFETCH(Doubles, values);
        PictureFixture picture;
        picture.maxTemp = qint16(values[0]);
        picture.minTemp = qint16(values[1]);
        picture.maxGrey = quint8(values[2]);
        picture.minGrey = quint8(values[3]);
        picture.fillGrey(quint8(values[4]));
        picture.unit = 2; // neither °C nor °F: no unit box entry is preselected
        const RadiometricPicture parsed = parseRadiometricBytes(picture.bytes(), 0).value();
        const float first = parsed.tempMap.front();
        QVERIFY2(qAbs(first - values[5]) <= 1e-6 * qAbs(values[5]), QByteArray::number(first));
        // Equal floats sum exactly in double: the mean is the stored float itself.
        QVERIFY(std::count(parsed.tempMap.begin(), parsed.tempMap.end(), first) == 76800
            && parsed.avgTemp == double(first) && parsed.unitIndex == -1);
    }

    void which_files_parse_data()
    {
        // clang-format off
        addColumns<QByteArray, int, qint64>("content", "model", "bytesRead"); // 0: refused
        const auto fixture = [](int model, quint32 machineId = 5) {
            PictureFixture picture;
            picture.model = model;
            picture.machineId = machineId;
            return picture;
        };
        const QByteArray vx305 = fixture(0).bytes();
        QTest::newRow("one byte short") << vx305.left(307809) << 0 << qint64(0);
        QTest::newRow("2000001 bytes") << vx305 + QByteArray(1692191, 'w') << 0 << qint64(2000000);
        QTest::newRow("machine 4") << fixture(0, 4).bytes() << 0 << qint64(0);
        QTest::newRow("machine 5, high bits") << fixture(0, 0x1000005).bytes() << 0 << qint64(0);
        QTest::newRow("VX300, machine 7") << fixture(1, 7).bytes() << 1 << qint64(0);
        // clang-format on
    }
    void which_files_parse()
    {
        const auto [content, model, bytesRead] = fetch<QByteArray, int, qint64>();
        const QString path = m_dir.path() + "/IMG 0001.v2.bmp";
        QVERIFY(PictureFixture::writeBytes(path, content));
        const std::optional<RadiometricPicture> picture = parseRadiometricFile(path, model);
        const auto fromBytes = parseRadiometricBytes(content, model);
        QCOMPARE(text(picture ? picture->bytesRead : 0, fromBytes ? fromBytes->bytesRead : 0),
            text(bytesRead, bytesRead));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_RadiometricFile)
#include "tst_radiometricfile.moc"
