#include "automation/commandline.h"

#include "app/startup.h"
#include "automation/monitorcommands.h"
#include "automation/picturecommands.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QTranslator>

#include <cstdio>

namespace CommandLine {

namespace {

const QString Program = QStringLiteral("vx305");

bool isHelp(const QString &argument)
{
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

const Command *find(const QString &name)
{
    for (const Command &command : commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

QString overallHelp()
{
    QString text = QStringLiteral("Usage: %1 [COMMAND [OPTIONS] ARGUMENTS]\n"
                                  "Desktop companion of the VX300 and VX305 thermal imagers.\n"
                                  "Without a command the window starts.\n\nCommands:\n")
                       .arg(Program);
    int width = 0;
    for (const Command &command : commands())
        width = qMax(width, command.name.size());
    for (const Command &command : commands())
        text
            += QStringLiteral("  %1  %2\n").arg(command.name.leftJustified(width), command.summary);
    text += QStringLiteral("\n\"%1 COMMAND --help\" describes a command, \"man %1\" all of them.\n"
                           "Exit codes: 0 done, 1 an input failed (the others were done), "
                           "2 usage error.\n")
                .arg(Program);
    return text;
}

// The parser a command's arguments go through: the command's own options and --help.
void prepare(const Command &command, QCommandLineParser *parser)
{
    parser->setApplicationDescription(command.summary);
    parser->addHelpOption();
    if (command.define)
        command.define(*parser);
}

// QCommandLineParser's text with a usage line naming the program and the command, not the
// path the program was started from.
QString commandHelp(const Command &command, const QCommandLineParser &parser)
{
    QString text = parser.helpText();
    const int lineEnd = text.indexOf(QLatin1Char('\n'));
    text.replace(0, lineEnd,
        QStringLiteral("Usage: %1 %2 [options] %3").arg(Program, command.name, command.arguments));
    return text;
}

bool parse(const Command &command, const QStringList &arguments, QCommandLineParser *parser)
{
    prepare(command, parser);
    // The parser skips the first element, which names the program.
    return parser->parse(QStringList(Program + QLatin1Char(' ') + command.name) + arguments.mid(2));
}

QtMessageHandler defaultHandler = nullptr;

void onlyCritical(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if ((type == QtCriticalMsg || type == QtFatalMsg) && defaultHandler)
        defaultHandler(type, context, text);
}

} // namespace

Console::Console(QIODevice *out, QIODevice *err, const QString &command)
    : m_out(out)
    , m_err(err)
    , m_command(command)
{
}

void Console::data(const QByteArray &bytes) const
{
    m_out->write(bytes);
}

void Console::message(const QString &text) const
{
    const QString prefix = m_command.isEmpty() ? Program : Program + QLatin1Char(' ') + m_command;
    m_err->write((prefix + QStringLiteral(": ") + text + QLatin1Char('\n')).toUtf8());
}

int Console::usageError(const QString &text) const
{
    message(text);
    const QString help = m_command.isEmpty() ? Program : Program + QLatin1Char(' ') + m_command;
    m_err->write(QStringLiteral("Try \"%1 --help\".\n").arg(help).toUtf8());
    return UsageError;
}

const std::vector<Command> &commands()
{
    static const std::vector<Command> all {PictureCommands::infoCommand(),
        PictureCommands::exportCommand(), PictureCommands::reportCommand(),
        MonitorCommands::recordCommand(), MonitorCommands::monitorCommand()};
    return all;
}

QStringList arguments(int argc, char *argv[])
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

bool wantsCommandLine(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return false;
    const QString &first = arguments.at(1);
    return !first.startsWith(QLatin1Char('-')) || isHelp(first)
        || first == QLatin1String("--version");
}

bool needsPainter(const QStringList &arguments)
{
    const Command *command = arguments.size() > 1 ? find(arguments.at(1)) : nullptr;
    if (!command || !command->needsPainter)
        return false;
    QCommandLineParser parser;
    return parse(*command, arguments, &parser) && command->needsPainter(parser);
}

int run(const QStringList &arguments, QIODevice *out, QIODevice *err)
{
    const Console console(out, err);
    const QString first = arguments.value(1);
    if (first.isEmpty() || isHelp(first)) {
        console.data(overallHelp().toUtf8());
        return Success;
    }
    if (first == QLatin1String("--version")) {
        console.data(
            QStringLiteral("%1 %2\n").arg(Program, QStringLiteral(VX305_VERSION)).toUtf8());
        return Success;
    }
    if (first == QLatin1String("help")) {
        if (arguments.size() < 3) {
            console.data(overallHelp().toUtf8());
            return Success;
        }
        // "vx305 help export" is "vx305 export --help".
        return run({arguments.at(0), arguments.at(2), QStringLiteral("--help")}, out, err);
    }
    const Command *command = find(first);
    if (!command) {
        QStringList names;
        for (const Command &known : commands())
            names << known.name;
        return console.usageError(QStringLiteral("unknown command \"%1\" (commands: %2)")
                                      .arg(first, names.join(QStringLiteral(", "))));
    }
    const Console commandConsole(out, err, command->name);
    QCommandLineParser parser;
    if (!parse(*command, arguments, &parser))
        return commandConsole.usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        commandConsole.data(commandHelp(*command, parser).toUtf8());
        return Success;
    }
    return command->run(parser, commandConsole);
}

int exec(int argc, char *argv[])
{
    const QStringList arguments = CommandLine::arguments(argc, argv);
    // The decoders trace every file on the debug stream and Qt warns about the session it
    // runs in; a command's standard error carries its own messages. QT_LOGGING_RULES set
    // shows everything again.
    if (!qEnvironmentVariableIsSet("QT_LOGGING_RULES"))
        defaultHandler = qInstallMessageHandler(onlyCritical);
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (needsPainter(arguments)) {
        // No display is needed, whatever the environment names.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        initVx305Resources();
        QTranslator translator;
        installTranslation(&translator);
        return run(arguments, &out, &err);
    }
    QCoreApplication app(argc, argv);
    initVx305Resources();
    return run(arguments, &out, &err);
}

} // namespace CommandLine
