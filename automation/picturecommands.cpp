#include "automation/picturecommands.h"

#include "analysis/analysis_widget.h"
#include "analysis/batchreport.h"
#include "analysis/exports.h"
#include "analysis/report.h"
#include "automation/temperaturetiff.h"
#include "browser/drivechoice.h"
#include "inspection/analysiskeeper.h"
#include "inspection/analysisstore.h"
#include "inspection/inspectionreport.h"
#include "ui_analysis_widget.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace PictureCommands {

using CommandLine::Console;

namespace {

const QString ModelOption = QStringLiteral("model");
const QString UnitOption = QStringLiteral("unit");
const QString OutOption = QStringLiteral("out");

QString modelName(int model)
{
    return model == Radiometric::VX300 ? QStringLiteral("VX300") : QStringLiteral("VX305");
}

// Why the bytes are no picture of the model.
QString rejection(const QByteArray &bytes, int model)
{
    const int required = Radiometric::layoutFor(model).requiredSize();
    if (bytes.size() < required)
        return QStringLiteral("too short for a %1 picture: %2 bytes, %3 needed")
            .arg(modelName(model))
            .arg(bytes.size())
            .arg(required);
    return QStringLiteral("not a %1 picture: its machine ID is not 5 or 6").arg(modelName(model));
}

QByteArray jsonString(const QString &text)
{
    QByteArray out = "\"";
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (uchar(c) < 0x20)
                out += "\\u00" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    return out + '"';
}

QByteArray jsonValue(const QJsonValue &value)
{
    if (value.isObject())
        return QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    if (value.isString())
        return jsonString(value.toString());
    return "null";
}

// Whole or not at all, as the window writes its exports: written under another name beside
// the target and renamed over it. Unlike QSaveFile it does not wait for the disk after every
// file: over a folder of pictures that waiting took longer than all the rest.
bool writeWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    QFile file(path + QStringLiteral(".%1.part").arg(QCoreApplication::applicationPid()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
        || !file.flush()) {
        *error = file.errorString();
        file.remove();
        return false;
    }
    file.close();
#ifdef Q_OS_WIN
    QFile::remove(path);
    if (file.rename(path))
        return true;
    *error = file.errorString();
#else
    if (std::rename(
            QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData())
        == 0)
        return true;
    *error = QString::fromLocal8Bit(std::strerror(errno));
#endif
    file.remove();
    return false;
}

// A --model or --unit value (0 or 1) checked before any picture is read: -1 when not given,
// false after a usage error.
bool readChoice(const QCommandLineParser &parser, const Console &console, const QString &option,
    int *value, int *exitCode)
{
    *value = -1;
    if (!parser.isSet(option))
        return true;
    const QString text = parser.value(option);
    *value = option == ModelOption ? modelFromName(text) : unitFromName(text);
    if (*value >= 0)
        return true;
    *exitCode = console.usageError(
        QStringLiteral("--%1 takes %2, not \"%3\"")
            .arg(option,
                option == ModelOption ? QStringLiteral("VX305 or VX300") : QStringLiteral("C or F"),
                text));
    return false;
}

// The pictures named, or a usage error when there are none.
bool readPictures(
    const QCommandLineParser &parser, const Console &console, QStringList *pictures, int *exitCode)
{
    *pictures = parser.positionalArguments();
    if (pictures->isEmpty()) {
        *exitCode = console.usageError(QStringLiteral("no picture given"));
        return false;
    }
    return true;
}

// The --out folder, made when missing; empty when not given.
bool readOutFolder(const QCommandLineParser &parser, const Console &console, QString *folder)
{
    *folder = parser.value(OutOption);
    if (folder->isEmpty() || QDir().mkpath(*folder))
        return true;
    console.message(QStringLiteral("%1: the folder cannot be made").arg(*folder));
    return false;
}

void addModelOption(QCommandLineParser &parser)
{
    parser.addOption({ModelOption,
        QStringLiteral("Read the pictures as the VX305's or the VX300's. Without it "
                       "the folder decides (DCIM_100, Images), else the file."),
        QStringLiteral("VX305|VX300")});
}

void addUnitOption(QCommandLineParser &parser)
{
    parser.addOption({UnitOption,
        QStringLiteral("Temperatures in degrees Celsius or Fahrenheit. Without it "
                       "each picture's own unit."),
        QStringLiteral("C|F")});
}

void addOutOption(QCommandLineParser &parser, const QString &what)
{
    parser.addOption({OutOption,
        QStringLiteral("Write the %1 into this folder (made when missing). Without "
                       "it beside each picture.")
            .arg(what),
        QStringLiteral("DIR")});
}

void addPictureArguments(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("PICTURE"),
        QStringLiteral("Radiometric .bmp files of the imager."), QStringLiteral("PICTURE..."));
}

int runInfo(const QCommandLineParser &parser, const Console &console)
{
    int exitCode = CommandLine::Success;
    int model = -1;
    int unit = -1;
    QStringList paths;
    if (!readChoice(parser, console, ModelOption, &model, &exitCode)
        || !readChoice(parser, console, UnitOption, &unit, &exitCode)
        || !readPictures(parser, console, &paths, &exitCode))
        return exitCode;
    PictureReader reader(model);
    for (const QString &path : paths) {
        QString error;
        const std::optional<Picture> picture = reader.read(path, &error);
        if (!picture) {
            console.data(errorLine(path, error));
            console.message(path + QStringLiteral(": ") + error);
            exitCode = CommandLine::InputFailed;
            continue;
        }
        console.data(infoLine(*picture, shownUnit(picture->decoded, unit),
                              reader.analysisOf(*picture)));
    }
    return exitCode;
}

// The picture as the window's PNG export writes it: coloured, with its kept tools, isotherm and
// markers, at twice its size, drawn by a window that is never shown.
QByteArray pictureBytes(const Picture &picture, int unit,
    const std::optional<AnalysisRecord> &analysis, QString *error)
{
    const auto window = std::make_unique<Analysis_Widget>();
    if (!window->set_Image_addr(picture.path, picture.decoded.model)) {
        *error = QStringLiteral("the picture changed while it was read");
        return {};
    }
    if (analysis)
        AnalysisKeeper::apply(window.get(), *analysis);
    if (unit >= 0)
        window->ui->comboBox->setCurrentIndex(unit);
    const QImage image = Report::pictureWithOverlay(window.get(), 2);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        *error = QStringLiteral("the picture could not be drawn");
        return {};
    }
    return buffer.data();
}

int runExport(const QCommandLineParser &parser, const Console &console)
{
    int exitCode = CommandLine::Success;
    int model = -1;
    int unit = -1;
    QStringList paths;
    QStringList formats;
    for (const char *format : {"csv", "tiff", "png"}) {
        if (parser.isSet(QLatin1String(format)))
            formats << QLatin1String(format);
    }
    if (formats.isEmpty())
        return console.usageError(QStringLiteral("say what to write: --csv, --png or --tiff"));
    QString folder;
    if (!readChoice(parser, console, ModelOption, &model, &exitCode)
        || !readChoice(parser, console, UnitOption, &unit, &exitCode)
        || !readPictures(parser, console, &paths, &exitCode))
        return exitCode;
    if (!readOutFolder(parser, console, &folder))
        return CommandLine::InputFailed;

    PictureReader reader(model);
    // Two pictures of one name must not write over each other in one folder.
    QHash<QString, QString> writtenFrom;
    for (const QString &path : paths) {
        QString error;
        const std::optional<Picture> picture = reader.read(path, &error);
        if (!picture) {
            console.message(path + QStringLiteral(": ") + error);
            exitCode = CommandLine::InputFailed;
            continue;
        }
        const ShownUnit shown = shownUnit(picture->decoded, unit);
        const Radiometric::RadiometricPicture &decoded = picture->decoded;
        for (const QString &format : qAsConst(formats)) {
            const QString target = outputPath(path, folder, format);
            const QString key = QFileInfo(target).absoluteFilePath();
            const QString source = picture->info.absoluteFilePath();
            if (writtenFrom.contains(key) && writtenFrom.value(key) != source) {
                console.message(QStringLiteral("%1: not written, %2 was written from %3 already")
                                    .arg(path, target, writtenFrom.value(key)));
                exitCode = CommandLine::InputFailed;
                continue;
            }
            QByteArray bytes;
            if (format == QLatin1String("csv")) {
                const Exports::PictureInfo info {picture->info.fileName(), decoded.model,
                    shown.text(), decoded.params.emissivity};
                bytes = Exports::temperatureCsv(
                    info, decoded.tempMap, shown.pair.div, shown.pair.add);
            } else if (format == QLatin1String("tiff")) {
                bytes = TemperatureTiff::encode(
                    decoded.tempMap, shown.pair.div, shown.pair.add, shown.text(), &error);
            } else {
                bytes = pictureBytes(*picture, unit, reader.analysisOf(*picture), &error);
            }
            if (bytes.isEmpty() || !writeWhole(target, bytes, &error)) {
                console.message(QStringLiteral("%1: %2 not written: %3").arg(path, target, error));
                exitCode = CommandLine::InputFailed;
                continue;
            }
            writtenFrom.insert(key, source);
            console.data(target.toUtf8() + '\n');
        }
    }
    return exitCode;
}

// One inspection report of every picture, each read with its own model; those that cannot be
// read are listed at its end.
int runInspection(const QCommandLineParser &parser, const Console &console,
    const QStringList &paths, int model)
{
    int exitCode = CommandLine::Success;
    InspectionReport::Details details {parser.value(QStringLiteral("company")),
        parser.value(QStringLiteral("logo")), parser.value(QStringLiteral("customer")),
        parser.value(QStringLiteral("site")), parser.value(QStringLiteral("inspector")),
        QDate::currentDate()};
    if (parser.isSet(QStringLiteral("date"))) {
        details.date = QDate::fromString(parser.value(QStringLiteral("date")), Qt::ISODate);
        if (!details.date.isValid())
            return console.usageError(QStringLiteral("--date takes a date as YYYY-MM-DD"));
    }
    PictureReader reader(model);
    QList<int> models;
    for (const QString &path : paths) {
        QString error;
        const std::optional<Picture> picture = reader.read(path, &error);
        if (!picture) {
            console.message(path + QStringLiteral(": ") + error);
            exitCode = CommandLine::InputFailed;
        }
        models << (picture ? picture->decoded.model : std::max(model, 0));
    }
    const QString target = parser.value(QStringLiteral("inspection"));
    const QFileInfo info(target);
    if (!QDir().mkpath(info.absolutePath())) {
        console.message(QStringLiteral("%1: the folder cannot be made").arg(info.absolutePath()));
        return CommandLine::InputFailed;
    }
    const InspectionReport::Outcome outcome
        = InspectionReport::write(paths, models, details, info.absoluteFilePath());
    if (!outcome.written) {
        console.message(QStringLiteral("%1 not written").arg(target));
        return CommandLine::InputFailed;
    }
    console.data(target.toUtf8() + '\n');
    return exitCode;
}

int runReport(const QCommandLineParser &parser, const Console &console)
{
    int exitCode = CommandLine::Success;
    int model = -1;
    QStringList paths;
    QString folder;
    if (!readChoice(parser, console, ModelOption, &model, &exitCode)
        || !readPictures(parser, console, &paths, &exitCode))
        return exitCode;
    if (parser.isSet(QStringLiteral("inspection")))
        return runInspection(parser, console, paths, model);
    if (!readOutFolder(parser, console, &folder))
        return CommandLine::InputFailed;
    PictureReader reader(model);
    for (const QString &path : paths) {
        QString error;
        const std::optional<Picture> picture = reader.read(path, &error);
        if (!picture) {
            console.message(path + QStringLiteral(": ") + error);
            exitCode = CommandLine::InputFailed;
            continue;
        }
        const QString target = outputPath(path, folder, QStringLiteral("pdf"));
        // One picture at a time: each has its own model.
        const BatchReport::Outcome outcome = BatchReport::writeReports(
            {path}, picture->decoded.model, QFileInfo(target).path(), false);
        if (outcome.written.isEmpty()) {
            console.message(QStringLiteral("%1: %2 not written").arg(path, target));
            exitCode = CommandLine::InputFailed;
            continue;
        }
        console.data(outcome.written.constFirst().toUtf8() + '\n');
    }
    return exitCode;
}

} // namespace

CommandLine::Command infoCommand()
{
    CommandLine::Command command;
    command.name = QStringLiteral("info");
    command.summary = QStringLiteral("One line of JSON per picture: model, size, time, emissivity "
                                     "and temperatures.");
    command.arguments = QStringLiteral("PICTURE...");
    command.define = [](QCommandLineParser &parser) {
        addModelOption(parser);
        addUnitOption(parser);
        addPictureArguments(parser);
    };
    command.run = runInfo;
    return command;
}

CommandLine::Command exportCommand()
{
    CommandLine::Command command;
    command.name = QStringLiteral("export");
    command.summary = QStringLiteral("The temperatures as CSV or 32-bit float TIFF, the picture as "
                                     "PNG, as the analysis window exports them.");
    command.arguments = QStringLiteral("--csv|--png|--tiff PICTURE...");
    command.define = [](QCommandLineParser &parser) {
        parser.addOption({QStringLiteral("csv"),
            QStringLiteral("The temperature of every pixel as CSV, one decimal.")});
        parser.addOption({QStringLiteral("tiff"),
            QStringLiteral("The temperatures as a 240 x 320 TIFF of 32-bit floats, "
                           "unrounded.")});
        parser.addOption({QStringLiteral("png"),
            QStringLiteral("The coloured picture with its markers, twice its size.")});
        addUnitOption(parser);
        addModelOption(parser);
        addOutOption(parser, QStringLiteral("files"));
        addPictureArguments(parser);
    };
    command.needsPainter
        = [](const QCommandLineParser &parser) { return parser.isSet(QStringLiteral("png")); };
    command.run = runExport;
    return command;
}

CommandLine::Command reportCommand()
{
    CommandLine::Command command;
    command.name = QStringLiteral("report");
    command.summary = QStringLiteral("One PDF report per picture, as the browser writes them for "
                                     "many pictures, or one inspection report of them all.");
    command.arguments = QStringLiteral("PICTURE...");
    command.define = [](QCommandLineParser &parser) {
        addModelOption(parser);
        addOutOption(parser, QStringLiteral("reports"));
        parser.addOption({QStringLiteral("inspection"),
            QStringLiteral("One inspection report of all the pictures, with their kept "
                           "analyses and findings, instead of one report each."),
            QStringLiteral("FILE.pdf")});
        for (const auto &[name, text] :
            {std::pair {"company", "The cover's company."}, {"logo", "A logo picture for the cover."},
                {"customer", "The cover's customer."}, {"site", "The cover's site."},
                {"inspector", "The cover's inspector."}})
            parser.addOption({QLatin1String(name),
                QStringLiteral("With --inspection: ") + QLatin1String(text),
                QStringLiteral("TEXT")});
        parser.addOption({QStringLiteral("date"),
            QStringLiteral("With --inspection: the report's date (default today)."),
            QStringLiteral("YYYY-MM-DD")});
        addPictureArguments(parser);
    };
    command.needsPainter = [](const QCommandLineParser &) { return true; };
    command.run = runReport;
    return command;
}

int modelFromName(const QString &name)
{
    if (name.compare(QLatin1String("VX305"), Qt::CaseInsensitive) == 0)
        return Radiometric::VX305;
    if (name.compare(QLatin1String("VX300"), Qt::CaseInsensitive) == 0)
        return Radiometric::VX300;
    return -1;
}

int unitFromName(const QString &name)
{
    const QString unit = name.startsWith(QStringLiteral("°")) ? name.mid(1) : name;
    if (unit.compare(QLatin1String("C"), Qt::CaseInsensitive) == 0)
        return 0;
    if (unit.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0)
        return 1;
    return -1;
}

int folderModel(const QString &folder)
{
    // Only a choice of the folder itself counts: opened, a folder holding "DCIM_100" would
    // list the pictures in there, never one beside it.
    const DriveChoice::FolderChoice choice = DriveChoice::chooseOpenedFolder(folder);
    return choice.matches == 1 && QDir(choice.folder) == QDir(folder) ? choice.model : -1;
}

std::optional<Picture> PictureReader::read(const QString &path, QString *error)
{
    Picture picture;
    picture.path = path;
    picture.info = QFileInfo(path);
    if (picture.info.isDir()) {
        *error = QStringLiteral("is a folder");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    picture.bytes = file.read(Radiometric::MaxFileSize);

    int model = m_model;
    bool byFolder = false;
    if (model < 0) {
        const QString folder = picture.info.absolutePath();
        auto known = m_folderModels.constFind(folder);
        if (known == m_folderModels.constEnd())
            known = m_folderModels.insert(folder, folderModel(folder));
        model = known.value();
        byFolder = model >= 0;
    }
    if (model >= 0) {
        if (std::optional<Radiometric::RadiometricPicture> decoded
            = Radiometric::parseRadiometricBytes(picture.bytes, model)) {
            picture.decoded = std::move(*decoded);
            return picture;
        }
        *error = rejection(picture.bytes, model);
        if (byFolder)
            *error += QStringLiteral("; its folder %1 holds the %2's pictures")
                          .arg(QDir(picture.info.absolutePath()).dirName(), modelName(model));
        const int other = model == Radiometric::VX305 ? Radiometric::VX300 : Radiometric::VX305;
        if (Radiometric::parseRadiometricBytes(picture.bytes, other))
            *error
                += QStringLiteral("; it reads as a %1 picture (--model %1)").arg(modelName(other));
        return std::nullopt;
    }
    for (const int layout : {Radiometric::VX305, Radiometric::VX300}) {
        if (std::optional<Radiometric::RadiometricPicture> decoded
            = Radiometric::parseRadiometricBytes(picture.bytes, layout)) {
            picture.decoded = std::move(*decoded);
            return picture;
        }
    }
    *error = picture.bytes.size() < Radiometric::VX300Layout.requiredSize()
        ? QStringLiteral("too short for a picture of the imager (%1 bytes)")
              .arg(picture.bytes.size())
        : QStringLiteral("not a picture of the VX305 or the VX300");
    return std::nullopt;
}

QString ShownUnit::text() const
{
    return index == 1 ? QStringLiteral("°F") : QStringLiteral("°C");
}

ShownUnit shownUnit(const Radiometric::RadiometricPicture &picture, int index)
{
    // The box starts at "°C"; the file's unit byte may move it, and the pair with it.
    ShownUnit shown;
    shown.index = picture.unitIndex >= 0 ? picture.unitIndex : 0;
    shown.pair = picture.unitPair;
    if (index >= 0 && index != shown.index) {
        shown.index = index;
        // A unit byte the window does not know leaves the pair as it was.
        if (const std::optional<Radiometric::UnitPair> pair
            = Radiometric::unitPairFor(picture.model, picture.params.unit, index))
            shown.pair = *pair;
    }
    return shown;
}

PictureReader::PictureReader(int model)
    : m_model(model)
{
}

PictureReader::~PictureReader() = default;

std::optional<AnalysisRecord> PictureReader::analysisOf(const Picture &picture)
{
    if (!m_storeTried) {
        m_storeTried = true;
        const QString path = AnalysisStore::defaultPath();
        if (QFileInfo::exists(path)) {
            m_store = std::make_unique<AnalysisStore>(path);
            if (m_store->open())
                m_analysed = m_store->hashes();
        }
    }
    if (m_analysed.isEmpty())
        return std::nullopt;
    // The bytes read are the whole file unless it is longer than a picture can be.
    const QByteArray hash = picture.info.size() == picture.bytes.size()
        ? AnalysisStore::hashOfBytes(picture.bytes)
        : AnalysisStore::hashOfFile(picture.path);
    if (!m_analysed.contains(hash))
        return std::nullopt;
    return m_store->lookup(hash);
}

QJsonValue findingFor(const std::optional<AnalysisRecord> &analysis, const ShownUnit &unit)
{
    if (!analysis || analysis->finding.isEmpty())
        return QJsonValue(QJsonValue::Null);
    const Finding &f = analysis->finding;
    QJsonObject finding {{QStringLiteral("title"), f.title},
        {QStringLiteral("location"), f.location}, {QStringLiteral("note"), f.note},
        {QStringLiteral("severity"),
            f.severity > 0 ? QJsonValue(f.severity) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("severity_chosen"), f.severitySet},
        {QStringLiteral("changed"), analysis->changed.toString(Qt::ISODate)}};
    const Findings::Reference &r = f.reference;
    if (r.kind == Findings::TypedTemperature)
        finding.insert(QStringLiteral("reference"),
            QJsonObject {{QStringLiteral("temperature"),
                Findings::shownTenths(r.celsius, unit.index) / 10.0}});
    else if (r.kind == Findings::ToolMaximum || r.kind == Findings::ToolAverage)
        finding.insert(QStringLiteral("reference"),
            QJsonObject {{QStringLiteral("tool"), r.tool},
                {QStringLiteral("of"),
                    r.kind == Findings::ToolMaximum ? QStringLiteral("maximum")
                                                    : QStringLiteral("average")}});
    else
        finding.insert(QStringLiteral("reference"), QJsonValue(QJsonValue::Null));
    return finding;
}

QByteArray infoLine(
    const Picture &picture, const ShownUnit &unit, const std::optional<AnalysisRecord> &analysis)
{
    const Radiometric::RadiometricPicture &p = picture.decoded;
    const float div = unit.pair.div;
    const float add = unit.pair.add;
    const QDateTime time = Radiometric::pictureTime(picture.info);
    const QString iso = time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
    QByteArray line = "{\"file\": " + jsonString(picture.path);
    line += ", \"model\": " + jsonString(modelName(p.model));
    line += ", \"bytes\": " + QByteArray::number(picture.info.size());
    line += ", \"time\": " + jsonString(iso);
    line += ", \"emissivity\": " + QByteArray::number(p.params.emissivity / 100.0, 'f', 2);
    line += ", \"unit\": " + jsonString(unit.text());
    line += ", \"max\": " + Exports::displayTenths(p.params.maxTemp, div, add).toLatin1();
    line += ", \"min\": " + Exports::displayTenths(p.params.minTemp, div, add).toLatin1();
    line += ", \"centre\": " + Exports::displayTenths(p.params.centreTemp, div, add).toLatin1();
    line += ", \"average\": " + Exports::displayMean(p.avgTemp, div, add).toLatin1();
    line += ", \"finding\": " + jsonValue(findingFor(analysis, unit));
    return line + "}\n";
}

QByteArray errorLine(const QString &path, const QString &error)
{
    return "{\"file\": " + jsonString(path) + ", \"error\": " + jsonString(error) + "}\n";
}

QString outputPath(const QString &picturePath, const QString &folder, const QString &suffix)
{
    const QFileInfo picture(picturePath);
    return QDir(folder.isEmpty() ? picture.path() : folder)
        .filePath(picture.completeBaseName() + QLatin1Char('.') + suffix);
}

} // namespace PictureCommands
