#include "analysis/analysis_widget.h"
#include "analysis/radiometricfile.h"
#include "analysis/report.h"
#include "automation/commandline.h"
#include "inspection/analysisstore.h"
#include "fakeworld.h"
#include "ui_analysis_widget.h"

#include <QBuffer>
#include <QMenu>
#include <QProcess>
#include <QtTest>

#include <tiffio.h>

class tst_CommandLine : public QObject
{
    Q_OBJECT

    FakeWorld world {"EN"};
    QTemporaryDir dir;
    QTranslator translator;

    // %R the pictures' folder; A a VX305 picture 30.7 to -5.3 whose greys run past its span,
    // B a VX300 one in °F, C a VX305 file in °F outside a model folder, E B's bytes there,
    // F another picture named as A, G B's bytes among VX305 pictures, D a damaged one.
    QString expand(QString text, const QString &out = {}) const
    {
        const QString r = dir.path();
        return text.replace("%A", r + "/DCIM_100/IMG 0001.v2.bmp")
            .replace("%B", r + "/Images/IMG 0002.v1.bmp")
            .replace("%C", r + "/loose.pics/hot.spot.bmp")
            .replace("%D", r + "/loose.pics/damaged.bmp")
            .replace("%E", r + "/loose.pics/old 300.bmp")
            .replace("%F", r + "/loose.pics/IMG 0001.v2.bmp")
            .replace("%G", r + "/DCIM_100/IMG 0003.bmp")
            .replace("%O", out)
            .replace("%R", r);
    }
    // Runs the command line in this process: exit code, standard output.
    std::pair<int, QByteArray> run(const QString &arguments, const QString &out = {})
    {
        QBuffer stdOut, stdErr;
        stdOut.open(QIODevice::WriteOnly);
        stdErr.open(QIODevice::WriteOnly);
        QStringList list {"vx305"};
        for (const QString &argument : arguments.split(' '))
            list << expand(argument, out);
        const int code = CommandLine::run(list, &stdOut, &stdErr);
        return {code, stdOut.data()};
    }

private slots:
    void initTestCase()
    {
        installTranslation(&translator);
        QVERIFY(QDir(dir.path()).mkpath("DCIM_100") && QDir(dir.path()).mkpath("Images")
            && QDir(dir.path()).mkpath("loose.pics"));
        PictureFixture a;
        a.maxTemp = 307, a.minTemp = -53, a.maxGrey = 200, a.minGrey = 10, a.emissivity = 97;
        for (int i = 0; i < 240 * 320; ++i)
            a.grey[i] = char(i % 256);
        PictureFixture b;
        b.model = PictureFixture::VX300, b.unit = 1, b.maxTemp = 307, b.minTemp = -53;
        b.maxGrey = 255, b.minGrey = 0, b.centreTemp = 250;
        b.grey.replace(
            0, 120 * 320, QByteArray(120 * 320, char(255))); // the top half at the maximum
        PictureFixture c;
        c.unit = 1, c.maxTemp = 1002, c.minTemp = 321, c.maxGrey = 255, c.minGrey = 0,
        c.centreTemp = 250;
        QVERIFY(a.writeTo(expand("%A")) && b.writeTo(expand("%B")) && c.writeTo(expand("%C"))
            && b.writeTo(expand("%E")) && c.writeTo(expand("%F")) && b.writeTo(expand("%G"))
            && PictureFixture::writeBytes(expand("%D"), "BM damaged"));
    }

    void command_line_or_window_data()
    {
        // clang-format off
        addColumns<QString, bool>("arguments", "commandLine");
        QTest::newRow("nothing") << "" << false;
        QTest::newRow("a Qt option") << "-platform offscreen" << false;
        QTest::newRow("a command") << "info x.bmp" << true;
        QTest::newRow("help") << "--help" << true;
        QTest::newRow("a misspelt command") << "exprot" << true;
        // clang-format on
    }
    void command_line_or_window()
    {
        const auto [arguments, commandLine] = fetch<QString, bool>();
        QCOMPARE(CommandLine::wantsCommandLine(
                     QStringList("vx305") + arguments.split(' ', Qt::SkipEmptyParts)),
            commandLine);
    }

    void exports_as_the_window_data()
    {
        // clang-format off
        // The picture, --unit, the model the window is given, the TIFF's value at (105, 0).
        addColumns<QString, QString, int, float>("picture", "unit", "model", "pixel");
        QTest::newRow("VX305 in its own °C") << "%A" << "" << 0 << 12.7f;
        QTest::newRow("VX305 in °F") << "%A" << "f" << 0 << 54.85817f;
        QTest::newRow("VX300 by its folder, its own °F") << "%B" << "" << 1 << 87.25558f;
        QTest::newRow("VX300 by its folder in °C") << "%B" << "C" << 1 << 30.7f;
        QTest::newRow("VX305 °F file by its layout in °C") << "%C" << "°C" << 0 << 0.053333282f;
        QTest::newRow("VX300 by its layout") << "%E" << "" << 1 << 87.25558f;
        // clang-format on
    }
    void exports_as_the_window()
    {
        const auto [picture, unit, model, pixel] = fetch<QString, QString, int, float>();
        const QTemporaryDir out;
        const QString options = unit.isEmpty() ? "" : " --unit " + unit;
        const auto [code, written]
            = run("export --csv --png --tiff --out %O" + options + ' ' + picture, out.path());
        const QString stem = out.filePath(QFileInfo(expand(picture)).completeBaseName());
        QCOMPARE(code, 0);
        QCOMPARE(written,
            (QStringList {stem + ".csv", stem + ".tiff", stem + ".png", ""}).join('\n').toUtf8());

        Analysis_Widget window;
        QVERIFY(window.set_Image_addr(expand(picture), model));
        if (!unit.isEmpty())
            window.ui->comboBox->setCurrentIndex(unit.endsWith('f', Qt::CaseInsensitive));
        world.answers->saveAnswer = out.filePath("window");
        for (const char *name : {"actionExportTemperatures", "actionExportPicture"}) {
            for (QAction *action : window.ui->toolButton_export->menu()->actions())
                if (action->objectName() == name)
                    action->trigger();
        }
        const QByteArray csv = fileBytes(stem + ".csv");
        QCOMPARE(csv, fileBytes(out.filePath("window.csv")));
        QCOMPARE(fileBytes(stem + ".png"), fileBytes(out.filePath("window.png")));

        // The CSV's values unrounded: one 32-bit float sample per pixel, 240 x 320.
        TIFF *tiff = TIFFOpen(QFile::encodeName(stem + ".tiff").constData(), "r");
        QVERIFY(tiff);
        uint32_t width = 0, height = 0;
        uint16_t samples = 0, bits = 0, format = 0;
        TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
        TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
        TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
        TIFFGetField(tiff, TIFFTAG_SAMPLEFORMAT, &format);
        QCOMPARE(QList<int>({int(width), int(height), samples, bits, format}),
            QList<int>({240, 320, 1, 32, SAMPLEFORMAT_IEEEFP}));
        const QList<QByteArray> rows = csv.split('\n').mid(4);
        std::vector<float> row(240);
        for (uint32_t y = 0; y < 320; ++y) {
            QVERIFY(TIFFReadScanline(tiff, row.data(), y, 0) == 1);
            QByteArrayList shown;
            for (const float value : row)
                shown << QByteArray::number(double(value), 'f', 1);
            QCOMPARE(shown.join(','), rows[int(y)]);
            if (y == 0)
                QCOMPARE(qFloatDistance(row[105], pixel), quint32(0)); // the very float
        }
        TIFFClose(tiff);
    }

    void info_lines_data()
    {
        // clang-format off
        // One line per picture, "T" standing for the time.
        addColumns<QString, QString>("arguments", "line");
        const QString tail = ", \"time\": \"T\", \"emissivity\": 0.95, \"unit\": ";
        QTest::newRow("VX300 by its folder, its own °F") << "%B" << "{\"file\": \"%B\", \"model\": \"VX300\", \"bytes\": 231013"
            + tail + "\"°F\", \"max\": 87.3, \"min\": 22.5, \"centre\": 77.0, \"average\": 54.9, \"finding\": null}";
        QTest::newRow("the same in °C") << "--unit c %B" << "{\"file\": \"%B\", \"model\": \"VX300\", \"bytes\": 231013"
            + tail + "\"°C\", \"max\": 30.7, \"min\": -5.3, \"centre\": 25.0, \"average\": 12.7, \"finding\": null}";
        QTest::newRow("VX305 °F file by its layout in °C") << "%C --unit C" << "{\"file\": \"%C\", \"model\": \"VX305\", \"bytes\": 307810"
            + tail + "\"°C\", \"max\": 37.9, \"min\": 0.1, \"centre\": -3.9, \"average\": 0.1, \"finding\": null}";
        QTest::newRow("a VX300 picture read as a VX305") << "%B --model vx305" << "{\"file\": \"%B\", \"error\": \"too short for "
            "a VX305 picture: 231013 bytes, 307810 needed; it reads as a VX300 picture (--model VX300)\"}";
        QTest::newRow("a VX300 picture in a VX305 folder") << "%G" << "{\"file\": \"%G\", \"error\": \"too short for a VX305 "
            "picture: 231013 bytes, 307810 needed; its folder DCIM_100 holds the VX305's pictures; it reads as a VX300 picture (--model VX300)\"}";
        QTest::newRow("a folder") << "%R" << "{\"file\": \"%R\", \"error\": \"is a folder\"}";
        // clang-format on
    }
    void info_lines()
    {
        const auto [arguments, line] = fetch<QString, QString>();
        QString actual = QString::fromUtf8(run("info " + arguments).second);
        const QRegularExpressionMatch time
            = QRegularExpression("\"time\": \"([^\"]*)\"").match(actual);
        if (time.hasMatch()) {
            // The time the information table shows, with its offset from UTC.
            const QString path = expand(arguments.split(' ').filter("%").constFirst());
            QCOMPARE(QDateTime::fromString(time.captured(1), Qt::ISODate)
                         .toLocalTime()
                         .toString("yyyy/MM/dd HH:mm"),
                Radiometric::parseRadiometricFile(path, line.contains("VX300"))->fileTime);
            actual.replace(time.capturedStart(1), time.capturedLength(1), "T");
        }
        QCOMPARE(actual, expand(line) + '\n');
    }

    void exit_codes_and_messages_data()
    {
        // clang-format off
        // Arguments, exit code, lines on standard output (-1 any), standard error, the files
        // written ("|" between them) and a text that the first one (as text, a PDF by pdftotext) or else standard
        // output holds.
        addColumns<QString, int, int, QString, QString, QString>("arguments", "code", "lines", "err", "files", "holds");
        QTest::newRow("help") << "--help" << 0 << -1 << "" << "" << "Commands:\n  info    One line of JSON";
        QTest::newRow("a command's help") << "help report" << 0 << -1 << "" << ""
                                          << "Usage: vx305 report [options] PICTURE...\n";
        QTest::newRow("unknown command") << "frobnicate" << 2 << 0
            << "vx305: unknown command \"frobnicate\" (commands: info, export, report)\nTry \"vx305 --help\".\n" << "" << "";
        QTest::newRow("no picture") << "info" << 2 << 0 << "vx305 info: no picture given\nTry \"vx305 info --help\".\n" << "" << "";
        QTest::newRow("unknown option") << "info --colour %A" << 2 << 0
            << "vx305 info: Unknown option 'colour'.\nTry \"vx305 info --help\".\n" << "" << "";
        QTest::newRow("bad unit") << "export --csv --unit K %A" << 2 << 0
            << "vx305 export: --unit takes C or F, not \"K\"\nTry \"vx305 export --help\".\n" << "" << "";
        QTest::newRow("bad model") << "report --model VX400 %A" << 2 << 0
            << "vx305 report: --model takes VX305 or VX300, not \"VX400\"\nTry \"vx305 report --help\".\n" << "" << "";
        QTest::newRow("nothing to write") << "export %A" << 2 << 0
            << "vx305 export: say what to write: --csv, --png or --tiff\nTry \"vx305 export --help\".\n" << "" << "";
        QTest::newRow("a damaged picture among good ones") << "export --csv --out %O %A %D %B" << 1 << 2
            << "vx305 export: %D: too short for a picture of the imager (10 bytes)\n"
            << "%O/IMG 0001.v2.csv|%O/IMG 0002.v1.csv" << "";
        QTest::newRow("one name from two folders") << "export --tiff --out %O %A %F" << 1 << 1
            << "vx305 export: %F: not written, %O/IMG 0001.v2.tiff was written from %A already\n"
            << "%O/IMG 0001.v2.tiff" << "";
        QTest::newRow("beside the picture") << "export --csv %C" << 0 << 1 << "" << "%R/loose.pics/hot.spot.csv"
                                            << "# file: hot.spot.bmp\n# model: VX305\n# unit: °F\n";
        QTest::newRow("one inspection report, a damaged picture listed")
            << "report --inspection %O/all.pdf --company ACME&Co --date 2026-12-07 %A %D %B" << 1 << 1
            << "vx305 report: %D: too short for a picture of the imager (10 bytes)\n" << "%O/all.pdf"
            << "ACME&Co";
        QTest::newRow("reports, a missing picture among them") << "report --out %O %A %R/none.bmp" << 1 << 1
            << "vx305 report: %R/none.bmp: No such file or directory\n" << "%O/IMG 0001.v2.pdf"
            << "Maximum temperature: 30.7";
        // clang-format on
    }
    void kept_analysis_read_with_the_picture()
    {
        AnalysisRecord r;
        r.hash = AnalysisStore::hashOfFile(expand("%A"));
        r.changed = QDateTime(QDate(2026, 12, 7), QTime(9, 30), Qt::UTC);
        r.tools = {{ToolRect, "R2", 5, 300, 60, 310, -1, 0xff00ff00}};
        r.finding = {"Hot, \"loose\" lug", "Panel 2", "Seen.\nAgain.",
            {Findings::TypedTemperature, -6.0, ""}, 2, false};
        AnalysisStore::shared()->save(r);
        AnalysisStore::shared()->flush();
        const QString finding = R"("finding": {"changed":"2026-12-07T09:30:00Z","location":"Panel 2",)"
                                R"("note":"Seen.\nAgain.","reference":{"temperature":%1},"severity":2,)"
                                R"("severity_chosen":false,"title":"Hot, \"loose\" lug"}})";
        QVERIFY(run("info %A").second.endsWith(finding.arg("-6").toUtf8() + '\n'));
        QVERIFY(run("info --unit F %A").second.endsWith(finding.arg("21.2").toUtf8() + '\n'));
        // The PNG with the kept rectangle, as the window shows the picture once restored.
        const QTemporaryDir out;
        QCOMPARE(run("export --png --out %O %A", out.path()).first, 0);
        Analysis_Widget window;
        QVERIFY(window.set_Image_addr(expand("%A"), 0));
        window.keepAnalysis();
        QCOMPARE(window.ui->label->m_rects.size(), std::size_t(1));
        QCOMPARE(QImage(out.filePath("IMG 0001.v2.png")).convertToFormat(QImage::Format_RGB32),
            Report::pictureWithOverlay(&window, 2));
    }

    void exit_codes_and_messages()
    {
        const auto [arguments, code, lines, err, files, holds]
            = fetch<QString, int, int, QString, QString, QString>();
        const QTemporaryDir out;
        QProcess program;
        QStringList list;
        for (const QString &argument : arguments.split(' '))
            list << expand(argument, out.path());
        program.start(VX305_PROGRAM, list);
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), code);
        QCOMPARE(QString::fromUtf8(program.readAllStandardError()), expand(err, out.path()));
        QByteArray text = program.readAllStandardOutput();
        QVERIFY(lines < 0 || text.count('\n') == lines);
        const QStringList expected = expand(files, out.path()).split('|', Qt::SkipEmptyParts);
        for (const QString &file : expected)
            QVERIFY2(QFile::exists(file), qPrintable(file));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files).size(), int(files.count("%O")));
        if (!expected.isEmpty() && expected[0].endsWith(".pdf")) {
            QCOMPARE(QProcess::execute("pdftotext", {expected[0], out.filePath("report.txt")}), 0);
            text = fileBytes(out.filePath("report.txt"));
        } else if (!expected.isEmpty()) {
            text = fileBytes(expected[0]);
        }
        QVERIFY2(text.contains(holds.toUtf8()), text.left(300));
    }
};

QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
