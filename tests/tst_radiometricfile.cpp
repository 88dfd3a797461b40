#include "analysis/radiometricfile.h"
#include "picturefixture.h"

#include <QDir>
#include <QLoggingCategory>
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
    void temperature_of_grey_data();
    void temperature_of_grey();
    void map_is_column_major_data();
    void map_is_column_major();
    void vx300_last_byte_is_top_left();
    void palette_data();
    void palette();
    void parameter_bytes();
    void machine_id_data();
    void machine_id();
    void markers_data();
    void markers();
    void units_data();
    void units();
    void file_reading_data();
    void file_reading();
    void file_name_and_time();
    void uniform_scene_is_decoded_data();
    void uniform_scene_is_decoded();
    void other_model_value_leaves_plane_empty();

private:
    QTemporaryDir m_dir;
};

void tst_RadiometricFile::initTestCase()
{
    // The parse traces every field; that would drown the test log.
    QLoggingCategory::setFilterRules(QStringLiteral("vx305.radiometric.debug=false"));
    QVERIFY(m_dir.isValid());
}

void tst_RadiometricFile::temperature_of_grey_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QVector<int>>("span"); // max temp, min temp, max grey, min grey
    QTest::addColumn<int>("grey");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");

    const QVector<int> usual { 300, 200, 255, 0 };
    QTest::newRow("maximum grey is the maximum temperature") << 0 << usual << 255 << 30.0 << 0.0;
    QTest::newRow("minimum grey is the minimum temperature") << 0 << usual << 0 << 20.0 << 0.0;
    // 30 - 10 * 127 / 255 = 25.0196078...
    QTest::newRow("grey 128 is about 25.02") << 0 << usual << 128 << 25.0196078 << 1e-5;
    QTest::newRow("VX300 grey 128 is about 25.02") << 1 << usual << 128 << 25.0196078 << 1e-5;
    QTest::newRow("above the maximum grey extrapolates")
            << 0 << QVector<int> { 300, 200, 200, 100 } << 250 << 35.0 << 0.0;
    QTest::newRow("negative tenths are signed")
            << 0 << QVector<int> { -50, -150, 200, 100 } << 150 << -10.0 << 0.0;
    QTest::newRow("extreme tenths")
            << 0 << QVector<int> { 32767, -32768, 255, 0 } << 0 << -3276.8 << 1e-4;
    QTest::newRow("grey span upside down")
            << 0 << QVector<int> { 300, 200, 0, 200 } << 100 << 25.0 << 0.0;
    // float(1) / float(3) is 11184811 / 2^25; times 300 and taken from 100 in double that is
    // exactly -100 / 2^25. A double ratio (or float arithmetic) would give 0.
    QTest::newRow("ratio is rounded to single precision")
            << 0 << QVector<int> { 1000, -2000, 3, 0 } << 2 << -100.0 / 33554432.0 << 0.0;
    QTest::newRow("flat temperature span")
            << 1 << QVector<int> { 250, 250, 10, 9 } << 77 << 25.0 << 0.0;
}

void tst_RadiometricFile::temperature_of_grey()
{
    QFETCH(int, model);
    QFETCH(QVector<int>, span);
    QFETCH(int, grey);
    QFETCH(double, expected);
    QFETCH(double, tolerance);

    PictureFixture fixture;
    fixture.model = model;
    fixture.maxTemp = qint16(span[0]);
    fixture.minTemp = qint16(span[1]);
    fixture.maxGrey = quint8(span[2]);
    fixture.minGrey = quint8(span[3]);
    fixture.fillGrey(quint8(grey));

    const std::optional<RadiometricPicture> picture = parseFixture(fixture);
    QVERIFY(picture);
    const float first = picture->tempMap.front();
    QVERIFY2(std::abs(double(first) - expected) <= tolerance + 1e-6 * std::abs(expected),
             qPrintable(QString::number(double(first), 'g', 10)));
    QCOMPARE(countValue(picture->tempMap, first), 76800);
    // Equal floats sum exactly in double, so the mean is the stored float itself; a mean of
    // unrounded doubles (or a float sum) would miss it. QCOMPARE would be too lenient here.
    QVERIFY(picture->avgTemp == double(first));
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
    QCOMPARE(countValue(picture->tempMap, 20.0f), 76799);
    QCOMPARE(picture->avgTemp, 20.0 + 10.0 / 76800); // the mean of all 76 800 values
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
}

void tst_RadiometricFile::palette_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<QVector<int>>("rgb");

    QTest::newRow("white") << 0xFFFF << QVector<int> { 248, 252, 248 };
    QTest::newRow("black") << 0x0000 << QVector<int> { 0, 0, 0 };
    QTest::newRow("full red") << 0xF800 << QVector<int> { 248, 0, 0 };
    QTest::newRow("full green") << 0x07E0 << QVector<int> { 0, 252, 0 };
    QTest::newRow("full blue") << 0x001F << QVector<int> { 0, 0, 248 };
    QTest::newRow("lowest bit of each channel") << 0x0821 << QVector<int> { 8, 4, 8 };
}

void tst_RadiometricFile::palette()
{
    QFETCH(int, word);
    QFETCH(QVector<int>, rgb);

    const auto channels = [](const PaletteEntry &e) {
        return QVector<int> { e.red, e.green, e.blue };
    };
    QCOMPARE(channels(decodePaletteWord(quint16(word))), rgb);
    // In the file the word is entry k (the low byte here, so 0 and 255 are both met); the
    // scale's copy runs the other way. The VX300 palette is not reversed.
    const int k = word & 0xFF;
    for (const int model : { 0, 1 }) {
        PictureFixture fixture;
        fixture.model = model;
        fixture.palette[std::size_t(k)] = quint16(word);
        const std::optional<RadiometricPicture> picture = parseFixture(fixture);
        QVERIFY(picture);
        QCOMPARE(channels(picture->palette[k]), rgb);
        QCOMPARE(channels(picture->scalePalette[255 - k]), rgb);
        QCOMPARE(channels(picture->palette[(k + 1) % 256]), QVector<int>({ 0, 0, 0 }));
    }
}

void tst_RadiometricFile::parameter_bytes()
{
    QByteArray bytes = PictureFixture().bytes();
    const int block = 307766;
    bytes.replace(block, 26, QByteArray::fromHex("01" "2C01" "38FF" "C8" "0A" "0080" "5F"
                                                 "06000000" "3412" "EFBE" "0100" "0200" "0300"
                                                 "0400"));
    bytes.replace(block + 42, 2, QByteArray::fromHex("1F00"));

    const std::optional<RadiometricPicture> picture = parseRadiometricBytes(bytes, 0);
    QVERIFY(picture);
    const Parameters &p = picture->params;
    const QVector<qint64> actual { p.unit,       p.maxTemp, p.minTemp, p.maxGrey, p.minGrey,
                                   p.centreTemp, p.emissivity, p.machineId, p.lowX, p.lowY,
                                   p.highX,      p.highY,   p.centreX, p.centreY, p.version };
    QCOMPARE(actual, QVector<qint64>({ 1, 300, -200, 200, 10, -32768, 95, 6, 0x1234, 0xBEEF, 1,
                                       2, 3, 4, 31 }));
}

void tst_RadiometricFile::machine_id_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<quint32>("machineId");
    QTest::addColumn<bool>("valid");

    for (int model = 0; model <= 1; ++model) {
        const char *name = model == 0 ? "VX305" : "VX300";
        for (const quint32 id : { 4u, 5u, 6u, 7u, 0u })
            QTest::addRow("%s machine %u", name, id) << model << id << (id == 5 || id == 6);
        QTest::addRow("%s 5 with a high byte set", name) << model << quint32(0x01000005) << false;
        QTest::addRow("%s 6 plus 256", name) << model << quint32(0x106) << false;
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
    quint16 *fields[] = { &fixture.lowX, &fixture.lowY, &fixture.highX, &fixture.highY,
                          &fixture.centreX, &fixture.centreY };
    for (int i = 0; i < 6; ++i)
        *fields[i] = quint16(stored[i]);
    const std::optional<RadiometricPicture> picture = parseFixture(fixture);
    QVERIFY(picture);
    const QVector<int> actual { picture->lowPos.x,  picture->lowPos.y,    picture->highPos.x,
                                picture->highPos.y, picture->centrePos.x, picture->centrePos.y };
    QCOMPARE(actual, shown);
}

void tst_RadiometricFile::units_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("unitByte");
    QTest::addColumn<QVector<float>>("inC"); // div, add; empty: the reading is left as it is
    QTest::addColumn<QVector<float>>("inF");
    QTest::addColumn<int>("opensIn"); // the unit box entry chosen on opening, -1 for none

    // 5.556 and -17.78 are the imager's rounded constants, not 10 / 1.8 and -160 / 9.
    const QVector<float> same { 10.0f, 0.0f };
    const QVector<float> toF { 5.556f, 32.0f };
    QTest::newRow("VX305 Celsius file") << 0 << 0 << same << toF << 0;
    QTest::newRow("VX305 Fahrenheit file opens in F unchanged")
            << 0 << 1 << QVector<float> { 18.0f, -17.78f } << same << 1;
    QTest::newRow("VX305 unit 2 is left as it is") << 0 << 2 << QVector<float>() << QVector<float>()
                                                  << -1;
    QTest::newRow("VX300 unit 0") << 1 << 0 << same << toF << 0;
    QTest::newRow("VX300 unit 1 opens in F converted") << 1 << 1 << same << toF << 1;
    QTest::newRow("VX300 unit 9 converts but leaves the box") << 1 << 9 << same << toF << -1;
}

void tst_RadiometricFile::units()
{
    QFETCH(int, model);
    QFETCH(int, unitByte);
    QFETCH(QVector<float>, inC);
    QFETCH(QVector<float>, inF);
    QFETCH(int, opensIn);

    const auto pair = [&](int index) {
        const std::optional<UnitPair> p = unitPairFor(model, quint8(unitByte), index);
        return p ? QVector<float> { p->div, p->add } : QVector<float>();
    };
    QCOMPARE(pair(0), inC);
    QCOMPARE(pair(1), inF);
    QCOMPARE(pair(2), QVector<float>());
    QVERIFY(!unitPairFor(-1, quint8(unitByte), 1)); // no model chosen

    PictureFixture fixture;
    fixture.model = model;
    fixture.unit = quint8(unitByte);
    const std::optional<RadiometricPicture> picture = parseFixture(fixture);
    QVERIFY(picture);
    QCOMPARE(picture->unitIndex, opensIn);
    const QVector<float> opened { picture->unitPair.div, picture->unitPair.add };
    QCOMPARE(opened, opensIn == 0 ? inC : opensIn == 1 ? inF : QVector<float>({ 10.0f, 0.0f }));
}

void tst_RadiometricFile::file_reading_data()
{
    QTest::addColumn<QString>("kind"); // "file", "missing", "directory"
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("model");
    QTest::addColumn<qint64>("bytesRead"); // 0: the file is refused

    PictureFixture vx305;
    PictureFixture vx300;
    vx300.model = PictureFixture::VX300;
    const QByteArray full305 = vx305.bytes();
    const QByteArray full300 = vx300.bytes();

    QTest::newRow("missing file") << "missing" << QByteArray() << 0 << qint64(0);
    QTest::newRow("directory") << "directory" << QByteArray() << 0 << qint64(0);
    QTest::newRow("empty file") << "file" << QByteArray() << 1 << qint64(0);
    QTest::newRow("VX305 exact layout size") << "file" << full305 << 0 << qint64(307810);
    QTest::newRow("VX300 exact layout size") << "file" << full300 << 1 << qint64(231013);
    QTest::newRow("VX305 one byte short") << "file" << full305.left(307809) << 0 << qint64(0);
    QTest::newRow("VX300 one byte short") << "file" << full300.left(231012) << 1 << qint64(0);
    QTest::newRow("VX305 cut inside the grey plane")
            << "file" << full305.left(240000) << 0 << qint64(0);
    QTest::newRow("VX300 file read as VX305") << "file" << full300 << 0 << qint64(0);

    for (const int size : { 2000000, 2000001, 3000000 }) {
        PictureFixture large = size == 3000000 ? vx300 : vx305;
        large.tail = QByteArray(size - large.layoutSize(), char(0x77));
        QTest::addRow("%s %d bytes read to 2 000 000", size == 3000000 ? "VX300" : "VX305", size)
                << "file" << large.bytes() << large.model << qint64(2000000);
    }

}

void tst_RadiometricFile::file_reading()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(int, model);
    QFETCH(qint64, bytesRead);

    const QString path = m_dir.path() + "/" + QTest::currentDataTag() + ".bmp";
    if (kind == "file")
        QVERIFY(PictureFixture::writeBytes(path, content));
    else if (kind == "directory")
        QVERIFY(QDir().mkpath(path));

    const std::optional<RadiometricPicture> picture = parseRadiometricFile(path, model);
    const std::optional<RadiometricPicture> fromBytes = parseRadiometricBytes(content, model);
    QCOMPARE(picture ? picture->bytesRead : 0, bytesRead);
    if (kind == "file")
        QCOMPARE(fromBytes ? fromBytes->bytesRead : 0, bytesRead);
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
    QVERIFY(parseFixture(fixture)->fileName.isEmpty());
}

void tst_RadiometricFile::uniform_scene_is_decoded_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("grey"); // the one grey that stands for both ends
    QTest::newRow("VX305 span 128 to 128") << 0 << 128;
    QTest::newRow("VX300 span 0 to 0") << 1 << 0;
}

void tst_RadiometricFile::uniform_scene_is_decoded()
{
    QFETCH(int, model);
    QFETCH(int, grey);
    PictureFixture fixture;
    fixture.model = model;
    fixture.maxGrey = fixture.minGrey = quint8(grey);
    fixture.maxTemp = 367;
    fixture.setPixel(0, 0, 0);
    fixture.setPixel(239, 319, 255);
    const std::optional<RadiometricPicture> picture = parseFixture(fixture);
    QVERIFY(picture);
    for (const float t : picture->tempMap)
        QCOMPARE(t, 36.7f);
    QCOMPARE(picture->avgTemp, double(36.7f));
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

QTEST_GUILESS_MAIN(tst_RadiometricFile)
#include "tst_radiometricfile.moc"
