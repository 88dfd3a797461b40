#include "analysis/radiometricfile.h"
#include "picturefixture.h"

#include <QDir>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace Radiometric;

namespace {

std::optional<RadiometricPicture> parseFixture(const PictureFixture &fixture)
{
    return parseRadiometricBytes(fixture.bytes(), fixture.model);
}

int countValue(const std::vector<float> &map, float value)
{
    return int(std::count(map.begin(), map.end(), value));
}

} // namespace

class tst_RadiometricFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void layout_sizes();
    void temperature_of_grey_data();
    void temperature_of_grey();
    void map_is_column_major_data();
    void map_is_column_major();
    void mean_data();
    void mean();
    void mean_sums_the_stored_floats();
    void vx300_last_byte_is_top_left();
    void palette_words_data();
    void palette_words();
    void palette_in_file_data();
    void palette_in_file();
    void parameter_bytes();
    void machine_id_data();
    void machine_id();
    void markers_data();
    void markers();
    void unit_pair_table_data();
    void unit_pair_table();
    void unit_constants_are_not_rounded_fractions();
    void unit_preselection_data();
    void unit_preselection();
    void unit_display_examples();
    void unreadable_or_short_files_fail_data();
    void unreadable_or_short_files_fail();
    void large_file_read_to_limit_data();
    void large_file_read_to_limit();
    void file_name_and_time();
    void other_model_value_leaves_plane_empty();
    void random_parameters_give_finite_maps();

private:
    QTemporaryDir m_dir;
};

void tst_RadiometricFile::initTestCase()
{
    // The parse traces every field; the random rounds would drown the test log.
    QLoggingCategory::setFilterRules(QStringLiteral("vx305.radiometric.debug=false"));
    QVERIFY(m_dir.isValid());
}

void tst_RadiometricFile::layout_sizes()
{
    // Viewable picture + 76 800 grey bytes + 512 palette bytes + 44 parameter bytes.
    QCOMPARE(VX305Layout.requiredSize(), 230454 + 76800 + 512 + 44);
    QCOMPARE(VX300Layout.requiredSize(), 153657 + 76800 + 512 + 44);
    QCOMPARE(VX305Layout.requiredSize(), 307810);
    QCOMPARE(VX300Layout.requiredSize(), 231013);
    PictureFixture fixture;
    QCOMPARE(fixture.bytes().size(), 307810);
    fixture.model = PictureFixture::VX300;
    QCOMPARE(fixture.bytes().size(), 231013);
}

void tst_RadiometricFile::temperature_of_grey_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("maxTemp");
    QTest::addColumn<int>("minTemp");
    QTest::addColumn<int>("maxGrey");
    QTest::addColumn<int>("minGrey");
    QTest::addColumn<int>("grey");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");

    QTest::newRow("maximum grey is the maximum temperature")
            << 0 << 300 << 200 << 255 << 0 << 255 << 30.0 << 0.0;
    QTest::newRow("minimum grey is the minimum temperature")
            << 0 << 300 << 200 << 255 << 0 << 0 << 20.0 << 0.0;
    // 30 - 10 * 127 / 255 = 25.0196078...
    QTest::newRow("grey 128 is about 25.02")
            << 0 << 300 << 200 << 255 << 0 << 128 << 25.0196078 << 1e-5;
    QTest::newRow("VX300 grey 128 is about 25.02")
            << 1 << 300 << 200 << 255 << 0 << 128 << 25.0196078 << 1e-5;
    QTest::newRow("above the maximum grey extrapolates")
            << 0 << 300 << 200 << 200 << 100 << 250 << 35.0 << 0.0;
    QTest::newRow("below the minimum grey extrapolates")
            << 0 << 300 << 200 << 200 << 100 << 50 << 15.0 << 0.0;
    QTest::newRow("negative tenths are signed")
            << 0 << -50 << -150 << 200 << 100 << 150 << -10.0 << 0.0;
    QTest::newRow("extreme tenths")
            << 0 << 32767 << -32768 << 255 << 0 << 0 << -3276.8 << 1e-4;
    QTest::newRow("grey span upside down")
            << 0 << 300 << 200 << 0 << 200 << 100 << 25.0 << 0.0;
    // float(1) / float(3) is 11184811 / 2^25; times 300 and taken from 100 in double that is
    // exactly -100 / 2^25. A double ratio (or float arithmetic) would give 0.
    QTest::newRow("ratio is rounded to single precision")
            << 0 << 1000 << -2000 << 3 << 0 << 2 << -100.0 / 33554432.0 << 0.0;
    QTest::newRow("flat temperature span")
            << 1 << 250 << 250 << 10 << 9 << 77 << 25.0 << 0.0;
}

void tst_RadiometricFile::temperature_of_grey()
{
    QFETCH(int, model);
    QFETCH(int, maxTemp);
    QFETCH(int, minTemp);
    QFETCH(int, maxGrey);
    QFETCH(int, minGrey);
    QFETCH(int, grey);
    QFETCH(double, expected);
    QFETCH(double, tolerance);

    PictureFixture fixture;
    fixture.model = model;
    fixture.maxTemp = qint16(maxTemp);
    fixture.minTemp = qint16(minTemp);
    fixture.maxGrey = quint8(maxGrey);
    fixture.minGrey = quint8(minGrey);
    fixture.fillGrey(quint8(grey));

    const std::optional<RadiometricPicture> picture = parseFixture(fixture);
    QVERIFY(picture);
    QCOMPARE(int(picture->tempMap.size()), 76800);
    const float first = picture->tempMap.front();
    QVERIFY2(std::abs(double(first) - expected) <= tolerance + 1e-6 * std::abs(expected),
             qPrintable(QString::number(double(first), 'g', 10)));
    if (tolerance == 0.0)
        QCOMPARE(first, float(expected));
    QCOMPARE(countValue(picture->tempMap, first), 76800);
}

void tst_RadiometricFile::map_is_column_major_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");

    QTest::newRow("VX305 (3, 7)") << 0 << 3 << 7;
    QTest::newRow("VX305 last pixel") << 0 << 239 << 319;
    QTest::newRow("VX305 end of first row") << 0 << 239 << 0;
    QTest::newRow("VX300 (3, 7)") << 1 << 3 << 7;
    QTest::newRow("VX300 first pixel") << 1 << 0 << 0;
    QTest::newRow("VX300 start of last row") << 1 << 0 << 319;
}

void tst_RadiometricFile::map_is_column_major()
{
    QFETCH(int, model);
    QFETCH(int, x);
    QFETCH(int, y);

    PictureFixture fixture;
    fixture.model = model;
    fixture.setPixel(x, y, 255);
    const std::optional<RadiometricPicture> picture = parseFixture(fixture);
    QVERIFY(picture);
    QCOMPARE(quint8(picture->grey.at(y * 240 + x)), quint8(255));
    QCOMPARE(picture->tempMap.at(std::size_t(x * 320 + y)), 30.0f);
    QCOMPARE(countValue(picture->tempMap, 30.0f), 1);
    QCOMPARE(countValue(picture->tempMap, 20.0f), 76799);
}

void tst_RadiometricFile::mean_data()
{
    QTest::addColumn<int>("hotRows");
    QTest::addColumn<double>("expected");

    // Hot pixels (grey 255) are 30.0, the rest (grey 0) 20.0.
    QTest::newRow("all cold") << 0 << 20.0;
    QTest::newRow("a quarter hot") << 80 << 22.5;
    QTest::newRow("half hot") << 160 << 25.0;
    QTest::newRow("all hot") << 320 << 30.0;
}

void tst_RadiometricFile::mean()
{
    QFETCH(int, hotRows);
    QFETCH(double, expected);

    PictureFixture fixture;
    for (int y = 0; y < hotRows; ++y)
        for (int x = 0; x < 240; ++x)
            fixture.setPixel(x, y, 255);
    const std::optional<RadiometricPicture> picture = parseFixture(fixture);
    QVERIFY(picture);
    QCOMPARE(picture->avgTemp, expected);
}

void tst_RadiometricFile::mean_sums_the_stored_floats()
{
    // 76 800 equal floats sum exactly in double, so the mean is the stored float itself;
    // a mean of unrounded doubles (or a float sum) would miss it.
    PictureFixture fixture;
    fixture.fillGrey(128);
    const std::optional<RadiometricPicture> picture = parseFixture(fixture);
    QVERIFY(picture);
    QCOMPARE(picture->avgTemp, double(picture->tempMap.front()));
    QVERIFY(picture->avgTemp != 30.0 - 10.0 * 127.0 / 255.0);
}

void tst_RadiometricFile::vx300_last_byte_is_top_left()
{
    PictureFixture fixture;
    fixture.model = PictureFixture::VX300;
    QByteArray bytes = fixture.bytes();
    bytes[153657 + 76799] = char(255); // last byte of the stored plane
    bytes[153657] = char(100);         // first byte of the stored plane

    const std::optional<RadiometricPicture> picture = parseRadiometricBytes(bytes, 1);
    QVERIFY(picture);
    QCOMPARE(quint8(picture->grey.at(0)), quint8(255));
    QCOMPARE(quint8(picture->grey.at(76799)), quint8(100));
    QCOMPARE(picture->tempMap.at(0), 30.0f);
    QCOMPARE(picture->tempMap.at(239 * 320 + 319), pixelTemperature(picture->params, 100));

    // The same bytes read as a VX305 file are too short.
    QVERIFY(!parseRadiometricBytes(bytes, 0));
}

void tst_RadiometricFile::palette_words_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");

    QTest::newRow("white") << 0xFFFF << 248 << 252 << 248;
    QTest::newRow("black") << 0x0000 << 0 << 0 << 0;
    QTest::newRow("full red") << 0xF800 << 248 << 0 << 0;
    QTest::newRow("full green") << 0x07E0 << 0 << 252 << 0;
    QTest::newRow("full blue") << 0x001F << 0 << 0 << 248;
    QTest::newRow("lowest bit of each channel") << 0x0821 << 8 << 4 << 8;
}

void tst_RadiometricFile::palette_words()
{
    QFETCH(int, word);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);

    const PaletteEntry entry = decodePaletteWord(quint16(word));
    QCOMPARE(int(entry.red), red);
    QCOMPARE(int(entry.green), green);
    QCOMPARE(int(entry.blue), blue);
}

void tst_RadiometricFile::palette_in_file_data()
{
    QTest::addColumn<int>("model");
    QTest::newRow("VX305") << 0;
    QTest::newRow("VX300 palette is not reversed") << 1;
}

void tst_RadiometricFile::palette_in_file()
{
    QFETCH(int, model);

    PictureFixture fixture;
    fixture.model = model;
    fixture.palette[0] = 0xF800;
    fixture.palette[1] = 0x07E0;
    fixture.palette[200] = 0xFFFF;
    fixture.palette[255] = 0x001F;
    const std::optional<RadiometricPicture> picture = parseFixture(fixture);
    QVERIFY(picture);

    const PaletteEntry red { 248, 0, 0 };
    const PaletteEntry green { 0, 252, 0 };
    const PaletteEntry white { 248, 252, 248 };
    const PaletteEntry blue { 0, 0, 248 };
    const PaletteEntry black { 0, 0, 0 };
    QVERIFY(picture->palette[0] == red);
    QVERIFY(picture->palette[1] == green);
    QVERIFY(picture->palette[200] == white);
    QVERIFY(picture->palette[255] == blue);
    QVERIFY(picture->palette[2] == black);
    // The scale's copy runs the other way: entry 255 - k is palette entry k.
    QVERIFY(picture->scalePalette[255] == red);
    QVERIFY(picture->scalePalette[254] == green);
    QVERIFY(picture->scalePalette[55] == white);
    QVERIFY(picture->scalePalette[0] == blue);
    QVERIFY(picture->scalePalette[253] == black);
}

void tst_RadiometricFile::parameter_bytes()
{
    PictureFixture fixture;
    QByteArray bytes = fixture.bytes();
    const int block = 307766;
    const QByteArray raw = QByteArray::fromHex("01" "2C01" "38FF" "C8" "0A" "0080" "5F" "06000000"
                                               "3412" "EFBE" "0100" "0200" "0300" "0400");
    QCOMPARE(raw.size(), 26);
    bytes.replace(block, raw.size(), raw);
    bytes.replace(block + 42, 2, QByteArray::fromHex("1F00"));

    const std::optional<RadiometricPicture> picture = parseRadiometricBytes(bytes, 0);
    QVERIFY(picture);
    const Parameters &p = picture->params;
    QCOMPARE(int(p.unit), 1);
    QCOMPARE(int(p.maxTemp), 300);
    QCOMPARE(int(p.minTemp), -200);
    QCOMPARE(int(p.maxGrey), 200);
    QCOMPARE(int(p.minGrey), 10);
    QCOMPARE(int(p.centreTemp), -32768);
    QCOMPARE(int(p.emissivity), 95);
    QCOMPARE(p.machineId, quint32(6));
    QCOMPARE(int(p.lowX), 0x1234);
    QCOMPARE(int(p.lowY), 0xBEEF);
    QCOMPARE(int(p.highX), 1);
    QCOMPARE(int(p.highY), 2);
    QCOMPARE(int(p.centreX), 3);
    QCOMPARE(int(p.centreY), 4);
    QCOMPARE(int(p.version), 31);
}

void tst_RadiometricFile::machine_id_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<quint32>("machineId");
    QTest::addColumn<bool>("valid");

    for (int model = 0; model <= 1; ++model) {
        const char *name = model == 0 ? "VX305" : "VX300";
        QTest::addRow("%s machine 4", name) << model << quint32(4) << false;
        QTest::addRow("%s machine 5", name) << model << quint32(5) << true;
        QTest::addRow("%s machine 6", name) << model << quint32(6) << true;
        QTest::addRow("%s machine 7", name) << model << quint32(7) << false;
        QTest::addRow("%s machine 0", name) << model << quint32(0) << false;
        QTest::addRow("%s 5 with a high byte set", name) << model << quint32(0x01000005) << false;
        QTest::addRow("%s 6 plus 256", name) << model << quint32(0x106) << false;
        QTest::addRow("%s all ones", name) << model << quint32(0xFFFFFFFF) << false;
    }
}

void tst_RadiometricFile::machine_id()
{
    QFETCH(int, model);
    QFETCH(quint32, machineId);
    QFETCH(bool, valid);

    PictureFixture fixture;
    fixture.model = model;
    fixture.machineId = machineId;
    const std::optional<RadiometricPicture> picture = parseFixture(fixture);
    QCOMPARE(picture.has_value(), valid);
    if (valid)
        QCOMPARE(picture->params.machineId, machineId);
}

void tst_RadiometricFile::markers_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QVector<int>>("stored"); // low x, y, high x, y, centre x, y
    QTest::addColumn<QVector<int>>("shown");

    QTest::newRow("VX305 as stored, centre one up and left")
            << 0 << QVector<int>{ 5, 6, 10, 20, 120, 160 }
            << QVector<int>{ 5, 6, 10, 20, 119, 159 };
    QTest::newRow("VX305 centre x 0 becomes 65535")
            << 0 << QVector<int>{ 0, 0, 239, 319, 0, 5 }
            << QVector<int>{ 0, 0, 239, 319, 65535, 4 };
    QTest::newRow("VX305 centre at the origin wraps both")
            << 0 << QVector<int>{ 1, 1, 1, 1, 0, 0 }
            << QVector<int>{ 1, 1, 1, 1, 65535, 65535 };
    QTest::newRow("VX300 high point (10, 20) is shown at (229, 299)")
            << 1 << QVector<int>{ 0, 0, 10, 20, 100, 50 }
            << QVector<int>{ 239, 319, 229, 299, 139, 269 };
    QTest::newRow("VX300 centre is mirrored without the shift")
            << 1 << QVector<int>{ 239, 319, 0, 0, 1, 1 }
            << QVector<int>{ 0, 0, 239, 319, 238, 318 };
    QTest::newRow("VX300 beyond the picture wraps")
            << 1 << QVector<int>{ 240, 320, 65535, 65535, 0, 0 }
            << QVector<int>{ 65535, 65535, 240, 320, 239, 319 };
}

void tst_RadiometricFile::markers()
{
    QFETCH(int, model);
    QFETCH(QVector<int>, stored);
    QFETCH(QVector<int>, shown);

    PictureFixture fixture;
    fixture.model = model;
    fixture.lowX = quint16(stored[0]);
    fixture.lowY = quint16(stored[1]);
    fixture.highX = quint16(stored[2]);
    fixture.highY = quint16(stored[3]);
    fixture.centreX = quint16(stored[4]);
    fixture.centreY = quint16(stored[5]);
    const std::optional<RadiometricPicture> picture = parseFixture(fixture);
    QVERIFY(picture);
    const QVector<int> actual { picture->lowPos.x,  picture->lowPos.y,    picture->highPos.x,
                                picture->highPos.y, picture->centrePos.x, picture->centrePos.y };
    QCOMPARE(actual, shown);
}

void tst_RadiometricFile::unit_pair_table_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("unitByte");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("changes");
    QTest::addColumn<float>("div");
    QTest::addColumn<float>("add");

    QTest::newRow("VX305 Celsius file shown in C") << 0 << 0 << 0 << true << 10.0f << 0.0f;
    QTest::newRow("VX305 Celsius file shown in F") << 0 << 0 << 1 << true << 5.556f << 32.0f;
    QTest::newRow("VX305 Fahrenheit file shown in C")
            << 0 << 1 << 0 << true << 18.0f << -17.78f;
    QTest::newRow("VX305 Fahrenheit file shown in F") << 0 << 1 << 1 << true << 10.0f << 0.0f;
    QTest::newRow("VX305 unit 2 in C unchanged") << 0 << 2 << 0 << false << 0.0f << 0.0f;
    QTest::newRow("VX305 unit 255 in F unchanged") << 0 << 255 << 1 << false << 0.0f << 0.0f;
    QTest::newRow("VX300 unit 0 in C") << 1 << 0 << 0 << true << 10.0f << 0.0f;
    QTest::newRow("VX300 unit 1 in C") << 1 << 1 << 0 << true << 10.0f << 0.0f;
    QTest::newRow("VX300 unit 1 in F") << 1 << 1 << 1 << true << 5.556f << 32.0f;
    QTest::newRow("VX300 unit 9 in F") << 1 << 9 << 1 << true << 5.556f << 32.0f;
    QTest::newRow("no model chosen") << -1 << 0 << 1 << false << 0.0f << 0.0f;
    QTest::newRow("no such index") << 0 << 0 << 2 << false << 0.0f << 0.0f;
}

void tst_RadiometricFile::unit_pair_table()
{
    QFETCH(int, model);
    QFETCH(int, unitByte);
    QFETCH(int, index);
    QFETCH(bool, changes);
    QFETCH(float, div);
    QFETCH(float, add);

    const std::optional<UnitPair> pair = unitPairFor(model, quint8(unitByte), index);
    QCOMPARE(pair.has_value(), changes);
    if (changes) {
        QCOMPARE(pair->div, div);
        QCOMPARE(pair->add, add);
    }
}

void tst_RadiometricFile::unit_constants_are_not_rounded_fractions()
{
    const std::optional<UnitPair> toF = unitPairFor(0, 0, 1);
    const std::optional<UnitPair> toC = unitPairFor(0, 1, 0);
    QVERIFY(toF && toC);
    QVERIFY(toF->div != float(10.0 / 1.8));
    QVERIFY(toC->add != float(-160.0 / 9.0));
}

void tst_RadiometricFile::unit_preselection_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("unitByte");
    QTest::addColumn<int>("index");
    QTest::addColumn<float>("div");
    QTest::addColumn<float>("add");

    QTest::newRow("VX305 unit 0") << 0 << 0 << 0 << 10.0f << 0.0f;
    QTest::newRow("VX305 unit 1 opens in F unchanged") << 0 << 1 << 1 << 10.0f << 0.0f;
    QTest::newRow("VX305 unit 2 leaves the box") << 0 << 2 << -1 << 10.0f << 0.0f;
    QTest::newRow("VX300 unit 0") << 1 << 0 << 0 << 10.0f << 0.0f;
    QTest::newRow("VX300 unit 1 opens in F converted") << 1 << 1 << 1 << 5.556f << 32.0f;
    QTest::newRow("VX300 unit 7 leaves the box") << 1 << 7 << -1 << 10.0f << 0.0f;
}

void tst_RadiometricFile::unit_preselection()
{
    QFETCH(int, model);
    QFETCH(int, unitByte);
    QFETCH(int, index);
    QFETCH(float, div);
    QFETCH(float, add);

    PictureFixture fixture;
    fixture.model = model;
    fixture.unit = quint8(unitByte);
    const std::optional<RadiometricPicture> picture = parseFixture(fixture);
    QVERIFY(picture);
    QCOMPARE(int(picture->params.unit), unitByte);
    QCOMPARE(picture->unitIndex, index);
    QCOMPARE(picture->unitPair.div, div);
    QCOMPARE(picture->unitPair.add, add);
}

void tst_RadiometricFile::unit_display_examples()
{
    // A VX305 Fahrenheit file: 98.6 °F stored as 986 tenths.
    const std::optional<UnitPair> inF = unitPairFor(0, 1, 1);
    const std::optional<UnitPair> inC = unitPairFor(0, 1, 0);
    QVERIFY(inF && inC);
    QCOMPARE(QString::number(double(986 / inF->div + inF->add), 'f', 1), QString("98.6"));
    // 986 / 18 - 17.78 = 36.9978
    QCOMPARE(QString::number(double(986 / inC->div + inC->add), 'f', 1), QString("37.0"));

    // A VX300 file is Celsius: 37.0 °C shown in F is 370 / 5.556 + 32 = 98.5947.
    const std::optional<UnitPair> vx300F = unitPairFor(1, 1, 1);
    QVERIFY(vx300F);
    QCOMPARE(QString::number(double(370 / vx300F->div + vx300F->add), 'f', 2),
             QString("98.59"));
    // A map value in degrees: 10 * 37.0 / 5.556 + 32.
    QCOMPARE(QString::number(double(10 * 37.0f / vx300F->div + vx300F->add), 'f', 1),
             QString("98.6"));
}

void tst_RadiometricFile::unreadable_or_short_files_fail_data()
{
    QTest::addColumn<QString>("kind"); // "file", "missing", "directory"
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("valid");

    PictureFixture vx305;
    PictureFixture vx300;
    vx300.model = PictureFixture::VX300;
    const QByteArray full305 = vx305.bytes();
    const QByteArray full300 = vx300.bytes();

    QTest::newRow("missing file") << "missing" << QByteArray() << 0 << false;
    QTest::newRow("directory") << "directory" << QByteArray() << 0 << false;
    QTest::newRow("empty VX305 file") << "file" << QByteArray() << 0 << false;
    QTest::newRow("empty VX300 file") << "file" << QByteArray() << 1 << false;
    QTest::newRow("VX305 exact layout size") << "file" << full305 << 0 << true;
    QTest::newRow("VX300 exact layout size") << "file" << full300 << 1 << true;
    QTest::newRow("VX305 one byte short") << "file" << full305.left(307809) << 0 << false;
    QTest::newRow("VX300 one byte short") << "file" << full300.left(231012) << 1 << false;
    QTest::newRow("VX305 cut inside the grey plane")
            << "file" << full305.left(240000) << 0 << false;
    QTest::newRow("VX300 cut inside the palette") << "file" << full300.left(230600) << 1 << false;
    QTest::newRow("VX300 file read as VX305") << "file" << full300 << 0 << false;

    PictureFixture flat = vx305;
    flat.maxGrey = 128;
    flat.minGrey = 128;
    QTest::newRow("VX305 equal grey span") << "file" << flat.bytes() << 0 << false;
    flat.model = PictureFixture::VX300;
    flat.maxGrey = 0;
    flat.minGrey = 0;
    QTest::newRow("VX300 grey span 0 to 0") << "file" << flat.bytes() << 1 << false;
}

void tst_RadiometricFile::unreadable_or_short_files_fail()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(int, model);
    QFETCH(bool, valid);

    const QString path = m_dir.path() + "/" + QTest::currentDataTag() + ".bmp";
    if (kind == "file")
        QVERIFY(PictureFixture::writeBytes(path, content));
    else if (kind == "directory")
        QVERIFY(QDir().mkpath(path));
    QCOMPARE(QFileInfo::exists(path), kind != "missing");

    const std::optional<RadiometricPicture> picture = parseRadiometricFile(path, model);
    QCOMPARE(picture.has_value(), valid);
    if (kind == "file")
        QCOMPARE(parseRadiometricBytes(content, model).has_value(), valid);
    if (valid)
        QCOMPARE(picture->bytesRead, qint64(content.size()));
}

void tst_RadiometricFile::large_file_read_to_limit_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("fileSize");
    QTest::addColumn<qint64>("bytesRead");

    QTest::newRow("VX305 1 999 999 bytes") << 0 << 1999999 << qint64(1999999);
    QTest::newRow("VX305 2 000 000 bytes") << 0 << 2000000 << qint64(2000000);
    QTest::newRow("VX305 2 000 001 bytes") << 0 << 2000001 << qint64(2000000);
    QTest::newRow("VX300 3 MB") << 1 << 3000000 << qint64(2000000);
}

void tst_RadiometricFile::large_file_read_to_limit()
{
    QFETCH(int, model);
    QFETCH(int, fileSize);
    QFETCH(qint64, bytesRead);

    PictureFixture fixture;
    fixture.model = model;
    fixture.fillGrey(255);
    fixture.tail = QByteArray(fileSize - fixture.layoutSize(), char(0x77));
    const QByteArray content = fixture.bytes();
    QCOMPARE(content.size(), fileSize);
    const QString path = m_dir.path() + "/large.bmp";
    QVERIFY(fixture.writeTo(path));

    const std::optional<RadiometricPicture> picture = parseRadiometricFile(path, model);
    QVERIFY(picture);
    QCOMPARE(picture->bytesRead, bytesRead);
    QCOMPARE(picture->avgTemp, 30.0);
    const std::optional<RadiometricPicture> fromBytes = parseRadiometricBytes(content, model);
    QVERIFY(fromBytes);
    QCOMPARE(fromBytes->bytesRead, bytesRead);
}

void tst_RadiometricFile::file_name_and_time()
{
    PictureFixture fixture;
    const QString path = m_dir.path() + "/IMG_0001.bmp";
    QVERIFY(fixture.writeTo(path));
    const std::optional<RadiometricPicture> picture = parseRadiometricFile(path, 0);
    QVERIFY(picture);
    QCOMPARE(picture->fileName, QString("IMG_0001.bmp"));
    const QRegularExpression shape("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}$");
    QVERIFY2(shape.match(picture->fileTime).hasMatch(), qPrintable(picture->fileTime));
    QCOMPARE(picture->fileTime.left(4).toInt(), QDate::currentDate().year());

    const std::optional<RadiometricPicture> fromBytes = parseRadiometricBytes(fixture.bytes(), 0);
    QVERIFY(fromBytes);
    QVERIFY(fromBytes->fileName.isEmpty());
}

void tst_RadiometricFile::other_model_value_leaves_plane_empty()
{
    PictureFixture fixture; // VX305 layout
    fixture.fillGrey(255);
    fixture.palette[3] = 0xF800;
    fixture.unit = 1;
    for (const int model : { -1, 2 }) {
        const std::optional<RadiometricPicture> picture =
                parseRadiometricBytes(fixture.bytes(), model);
        QVERIFY(picture);
        QCOMPARE(picture->model, model);
        QCOMPARE(picture->grey, QByteArray(76800, '\0'));
        QCOMPARE(picture->avgTemp, 20.0);
        QVERIFY(picture->palette[3] == (PaletteEntry { 248, 0, 0 }));
        QCOMPARE(picture->unitIndex, 1);
        QCOMPARE(picture->unitPair.div, 10.0f);
    }
}

void tst_RadiometricFile::random_parameters_give_finite_maps()
{
    QRandomGenerator random(305);
    for (int round = 0; round < 40; ++round) {
        PictureFixture fixture;
        fixture.model = int(random.bounded(2));
        for (char &g : fixture.grey)
            g = char(random.bounded(256));
        fixture.maxTemp = qint16(random.bounded(65536) - 32768);
        fixture.minTemp = qint16(random.bounded(65536) - 32768);
        fixture.maxGrey = quint8(random.bounded(256));
        fixture.minGrey = quint8(random.bounded(256));
        fixture.machineId = 5 + random.bounded(2);
        const std::optional<RadiometricPicture> picture = parseFixture(fixture);
        QCOMPARE(picture.has_value(), fixture.maxGrey != fixture.minGrey);
        if (!picture)
            continue;
        for (const float t : picture->tempMap)
            QVERIFY(std::isfinite(t));
        QVERIFY(std::isfinite(picture->avgTemp));
    }
}

QTEST_GUILESS_MAIN(tst_RadiometricFile)
#include "tst_radiometricfile.moc"
