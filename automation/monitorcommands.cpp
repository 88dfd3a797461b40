#include "automation/monitorcommands.h"

#include "app/configrecord.h"
#include "automation/stopsignals.h"
#include "live/liveframe.h"
#include "live/qtcameracapture.h"
#include "platform/gstcamerastream.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTimer>

#include <memory>

namespace MonitorCommands {

using CommandLine::Console;

namespace {

const QString PasswordVariable = QStringLiteral("VX305_MQTT_PASSWORD");
// Recordings of a station run for weeks: FFV1's Golomb-Rice coder costs about a third less
// CPU than the range coder for files about 4 % larger.
constexpr Recorder::Coder StationCoder = Recorder::Coder::Rice;

QString option(const char *name)
{
    return QLatin1String(name);
}

void addSourceOptions(QCommandLineParser &parser)
{
    parser.addOption({option("device"),
        QStringLiteral("The camera's video node, instead of the camera that has the "
                       "imager's identity."),
        QStringLiteral("NODE")});
    parser.addOption({option("source"),
        QStringLiteral("A GStreamer description that stands in for v4l2src, at the imager's "
                       "pace, e.g. \"filesrc location=f.yuv ! rawvideoparse width=240 height=321 "
                       "format=yuy2 framerate=25/1 ! identity sync=true\"."),
        QStringLiteral("PIPELINE")});
}

// The source the options name; usage errors in *error.
bool sourceOf(
    const QCommandLineParser &parser, bool replay, MonitorOptions *options, QString *error)
{
    QStringList given;
    for (const char *name : {"device", "source", "replay"}) {
        if ((replay || qstrcmp(name, "replay") != 0) && parser.isSet(option(name)))
            given << QStringLiteral("--") + QLatin1String(name);
    }
    if (given.size() > 1) {
        *error = QStringLiteral("%1 exclude each other").arg(given.join(QStringLiteral(" and ")));
        return false;
    }
    options->source = MonitorOptions::Source::Imager;
    if (parser.isSet(option("device"))) {
        options->source = MonitorOptions::Source::Device;
        options->device = parser.value(option("device"));
    } else if (parser.isSet(option("source"))) {
        options->source = MonitorOptions::Source::Pipeline;
        options->device = parser.value(option("source"));
    } else if (replay && parser.isSet(option("replay"))) {
        options->source = MonitorOptions::Source::Replay;
        options->device = parser.value(option("replay"));
    }
    return true;
}

bool secondsOf(const QCommandLineParser &parser, const char *name, int low, int high, int *value,
    QString *error)
{
    if (!parser.isSet(option(name)))
        return true;
    bool ok = false;
    *value = parser.value(option(name)).toInt(&ok);
    if (ok && *value >= low && *value <= high)
        return true;
    *error = QStringLiteral("--%1 takes whole seconds from %2 to %3")
                 .arg(QLatin1String(name))
                 .arg(low)
                 .arg(high);
    return false;
}

// The stream of the options' camera or source, not started; nullptr when the imager is not there.
CameraStream *openStream(const MonitorOptions &options, QtCameraCapture *surface, QString *name)
{
    *name = options.device;
    if (options.source == MonitorOptions::Source::Device)
        return new GstCameraStream(
            QStringLiteral("v4l2src device=\"%1\"").arg(options.device), options.device, surface);
    if (options.source == MonitorOptions::Source::Pipeline)
        return new GstCameraStream(options.device, QString(), surface);
    const QList<CameraIdentity> cameras = systemPlatform()->cameras();
    for (const CameraIdentity &camera : cameras) {
        if (isImagerCamera(camera)) {
            *name = camera.qtDeviceName;
            return systemPlatform()->openCamera(camera, surface);
        }
    }
    return nullptr;
}

int runRecord(const QCommandLineParser &parser, const Console &console)
{
    MonitorOptions options;
    QString error;
    if (!sourceOf(parser, false, &options, &error))
        return console.usageError(error);
    const QString out = parser.value(option("out"));
    if (out.isEmpty())
        return console.usageError(QStringLiteral("no --out file given"));
    qint64 limitUs = -1;
    if (parser.isSet(option("seconds"))) {
        bool ok = false;
        const double seconds = parser.value(option("seconds")).toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > 1e9)
            return console.usageError(
                QStringLiteral("--seconds takes a number of seconds above 0"));
        limitUs = qint64(seconds * 1e6);
    }
    QtCameraCapture surface;
    QString name;
    std::unique_ptr<CameraStream> stream(openStream(options, &surface, &name));
    if (!stream) {
        console.message(QStringLiteral("no imager found; plug it in in screen mode, or name "
                                       "its node with --device"));
        return CommandLine::InputFailed;
    }
    Recorder recorder;
    recorder.setCoder(StationCoder);
    if (!recorder.start(out, QDateTime::currentDateTime())) {
        console.message(QStringLiteral("cannot record to %1: %2").arg(out, recorder.errorText()));
        return CommandLine::InputFailed;
    }
    int code = CommandLine::Success;
    qint64 firstUs = -1;
    const auto end = [&](int exitCode, const QString &why) {
        if (!why.isEmpty())
            console.message(why);
        code = exitCode;
        QCoreApplication::exit(exitCode);
    };
    surface.setRawFramesWanted(true);
    QObject::connect(&surface, &QtCameraCapture::rawFrame, &recorder,
        [&](const QByteArray &frame, qint64 timeUs) {
            if (firstUs < 0) {
                firstUs = timeUs;
                console.message(QStringLiteral("recording from %1 into %2").arg(name, out));
            }
            if (!recorder.isRecording())
                return;
            if (limitUs >= 0 && timeUs - firstUs >= limitUs) {
                stream->stop();
                end(CommandLine::Success, QString());
                return;
            }
            recorder.push(frame, timeUs);
        });
    QObject::connect(
        stream.get(), &CameraStream::failed, &recorder,
        [&] {
            // The end of a file source is where its recording ends.
            const bool ended
                = stream->detail() == QLatin1String("end of stream") && recorder.frames() > 0;
            end(ended ? CommandLine::Success : CommandLine::InputFailed,
                ended ? QString() : QStringLiteral("%1 stopped: %2").arg(name, stream->detail()));
        },
        Qt::QueuedConnection);
    QObject::connect(&recorder, &Recorder::failed, &recorder, [&] {
        end(CommandLine::InputFailed,
            QStringLiteral("recording stopped: %1").arg(recorder.errorText()));
    });
    StopSignals stops;
    QObject::connect(&stops, &StopSignals::received, &recorder, [&](const QString &signal) {
        end(CommandLine::Success, QStringLiteral("%1: stopping").arg(signal));
    });
    stream->start();
    QCoreApplication::exec();
    stream->stop();
    recorder.finish();
    if (code == CommandLine::Success && recorder.frames() == 0) {
        console.message(QStringLiteral("no frame arrived"));
        code = CommandLine::InputFailed;
    }
    console.data(QStringLiteral("%1\n").arg(out).toUtf8());
    console.message(QStringLiteral("%1 frames, %2 s in %3")
                        .arg(recorder.frames())
                        .arg(double(recorder.durationUs()) / 1e6, 0, 'f', 1)
                        .arg(out));
    return code;
}

int runMonitor(const QCommandLineParser &parser, const Console &console)
{
    MonitorOptions options;
    QString error;
    if (!monitorOptions(parser, &options, &error))
        return console.usageError(error);
    if (options.publish
        && !MqttMessages::parseBrokerUrl(options.mqtt.url, &error)->password.isEmpty())
        console.message(QStringLiteral("a password in the broker address can be seen by every "
                                       "user of this computer; give it in %1 or a file instead")
                            .arg(PasswordVariable));
    Monitor monitor(options, nullptr, [&](const QString &line) { console.message(line); });
    StopSignals stops;
    QObject::connect(&stops, &StopSignals::received, &monitor, [&](const QString &signal) {
        console.message(QStringLiteral("%1: stopping").arg(signal));
        QCoreApplication::exit(CommandLine::Success);
    });
    QObject::connect(&monitor, &Monitor::finished, &monitor, [](bool played) {
        QCoreApplication::exit(played ? CommandLine::Success : CommandLine::InputFailed);
    });
    if (!monitor.start(&error)) {
        console.message(error);
        return CommandLine::InputFailed;
    }
    console.message(QStringLiteral("alarm folders in %1").arg(options.alarmFolder));
    const int code = QCoreApplication::exec();
    monitor.stop();
    console.message(QStringLiteral("stopped after %1 frames; alarm folders written: %2")
                        .arg(monitor.frames())
                        .arg(monitor.alarmFolders()));
    return code;
}

} // namespace

bool monitorOptions(const QCommandLineParser &parser, MonitorOptions *options, QString *error)
{
    if (!sourceOf(parser, true, options, error)
        || !secondsOf(parser, "pre-alarm", 1, 60, &options->preSeconds, error)
        || !secondsOf(parser, "post-alarm", 1, 60, &options->postSeconds, error))
        return false;
    // The live window's folder unless one is named.
    options->alarmFolder = parser.value(option("alarm-folder"));
    if (options->alarmFolder.isEmpty())
        options->alarmFolder = QFile::exists(ConfigRecord::filePath())
            ? ConfigRecord::readField(ConfigRecord::AlarmFolder)
            : ConfigRecord::userFolder();
    options->readingsFolder = parser.isSet(option("readings"))
        ? parser.value(option("readings"))
        : options->alarmFolder + QStringLiteral("/Readings");
    if (options->readingsFolder == QLatin1String("none"))
        options->readingsFolder.clear();
    options->recordFolder = parser.value(option("record"));
    options->coder = StationCoder;
    options->alarmClips = parser.isSet(option("alarm-clips"));
    options->publish = parser.isSet(option("mqtt"));
    if (!options->publish)
        return true;
    MqttSettings &mqtt = options->mqtt;
    mqtt.url = parser.value(option("mqtt"));
    mqtt.user = parser.value(option("mqtt-user"));
    mqtt.caFile = parser.value(option("mqtt-ca"));
    mqtt.imagerId
        = parser.isSet(option("id")) ? parser.value(option("id")) : QSysInfo::machineHostName();
    mqtt.password = qEnvironmentVariable(qPrintable(PasswordVariable));
    if (parser.isSet(option("mqtt-password-file"))) {
        QFile file(parser.value(option("mqtt-password-file")));
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read the password file %1: %2")
                         .arg(file.fileName(), file.errorString());
            return false;
        }
        // The first line, as an editor or "echo" leaves it.
        mqtt.password = QString::fromUtf8(file.readLine())
                            .remove(QLatin1Char('\n'))
                            .remove(QLatin1Char('\r'));
    }
    return MqttMessages::parseBrokerUrl(mqtt.url, error).has_value();
}

CommandLine::Command recordCommand()
{
    CommandLine::Command command;
    command.name = QStringLiteral("record");
    command.summary = QStringLiteral("Records the imager's live frames into a Matroska file, as "
                                     "the live window records.");
    command.arguments = QStringLiteral("--out FILE.mkv");
    command.define = [](QCommandLineParser &parser) {
        parser.addOption(
            {option("out"), QStringLiteral("The recording to write."), QStringLiteral("FILE.mkv")});
        parser.addOption({option("seconds"),
            QStringLiteral("Ends after this many seconds of frames; without it, at "
                           "the end of the source or on SIGINT or SIGTERM."),
            QStringLiteral("N")});
        addSourceOptions(parser);
    };
    command.run = runRecord;
    return command;
}

CommandLine::Command monitorCommand()
{
    CommandLine::Command command;
    command.name = QStringLiteral("monitor");
    command.summary = QStringLiteral("Screen mode without a window: alarms, alarm folders, clips, "
                                     "recordings, the readings log and MQTT, until stopped.");
    command.define = [](QCommandLineParser &parser) {
        addSourceOptions(parser);
        parser.addOption({option("replay"),
            QStringLiteral("Plays a recording at its own pace instead, then ends."),
            QStringLiteral("FILE.mkv")});
        parser.addOption({option("alarm-folder"),
            QStringLiteral("Where alarm folders go; default the live window's."),
            QStringLiteral("DIR")});
        parser.addOption({option("alarm-clips"),
            QStringLiteral("Adds Clip.mkv, the seconds around the alarm, to each "
                           "alarm folder.")});
        parser.addOption({option("pre-alarm"),
            QStringLiteral("Seconds of a clip before the alarm (1 to 60, default 10)."),
            QStringLiteral("S")});
        parser.addOption({option("post-alarm"),
            QStringLiteral("Seconds of a clip after the alarm (1 to 60, default 10)."),
            QStringLiteral("S")});
        parser.addOption({option("record"),
            QStringLiteral("Records every frame into DIR, a new file every hour."),
            QStringLiteral("DIR")});
        parser.addOption({option("readings"),
            QStringLiteral("One CSV of the readings a day in DIR (default Readings in "
                           "the alarm folder; \"none\" for none)."),
            QStringLiteral("DIR")});
        parser.addOption({option("mqtt"),
            QStringLiteral("Publishes to the broker mqtt://host[:port] or "
                           "mqtts://host[:port]."),
            QStringLiteral("URL")});
        parser.addOption({option("mqtt-user"), QStringLiteral("The broker's user name."),
            QStringLiteral("USER")});
        parser.addOption({option("mqtt-password-file"),
            QStringLiteral("A file whose first line is the broker's password "
                           "(default: the environment variable %1).")
                .arg(PasswordVariable),
            QStringLiteral("FILE")});
        parser.addOption({option("mqtt-ca"),
            QStringLiteral("A CA certificate (PEM) trusted for mqtts besides the "
                           "system's."),
            QStringLiteral("FILE")});
        parser.addOption({option("id"),
            QStringLiteral("The imager's name in the topics vx305/ID/... (default "
                           "the host name)."),
            QStringLiteral("ID")});
    };
    command.run = runMonitor;
    return command;
}

} // namespace MonitorCommands
