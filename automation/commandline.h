#pragma once

#include <QByteArray>
#include <QCommandLineParser>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The program without its window: "vx305 <command> ...". Each command declares its options on a
// QCommandLineParser, says whether it draws (it then runs under a QApplication on the offscreen
// platform, else under a QCoreApplication) and runs with a console: data to standard output,
// messages to standard error.
namespace CommandLine {

enum ExitCode {
    Success = 0,
    InputFailed = 1, // at least one input failed; the others were done
    UsageError = 2,
};

// Where a command writes. Messages are prefixed "vx305 <command>: " and end with a line end.
class Console
{
public:
    Console(QIODevice *out, QIODevice *err, const QString &command = QString());

    void data(const QByteArray &bytes) const;
    void message(const QString &text) const;
    // The message, a pointer to the command's help, and UsageError to return.
    [[nodiscard]] int usageError(const QString &text) const;
    [[nodiscard]] QString command() const { return m_command; }

private:
    QIODevice *m_out;
    QIODevice *m_err;
    QString m_command;
};

struct Command
{
    QString name;
    // One line in "vx305 --help"; the first line of the command's own help.
    QString summary;
    // The positional part of the usage line, e.g. "PICTURE...".
    QString arguments;
    // Adds the command's options and positional arguments (--help is added for every command).
    std::function<void(QCommandLineParser &parser)> define;
    // Whether the parsed command paints or needs a hidden widget. Unset: never.
    std::function<bool(const QCommandLineParser &parser)> needsPainter;
    // Runs once the arguments parsed; returns the exit code, UsageError included.
    std::function<int(const QCommandLineParser &parser, const Console &console)> run;
};

// Every command, in the order the overall help lists them.
[[nodiscard]] const std::vector<Command> &commands();

// main()'s arguments as text.
[[nodiscard]] QStringList arguments(int argc, char *argv[]);

// Whether a program's arguments (the program name first) ask for the command line rather than
// the window: a first argument that is not an option (a command, known or not), or --help,
// -h, help or --version. Qt's own options (-platform, -style, ...) still start the window.
[[nodiscard]] bool wantsCommandLine(const QStringList &arguments);

// Whether the command the arguments name paints; false for an unknown command or bad options.
[[nodiscard]] bool needsPainter(const QStringList &arguments);

// Runs the command line under an existing application object and returns the exit code.
int run(const QStringList &arguments, QIODevice *out, QIODevice *err);

// The whole command line from main(): makes the application object the command needs (the
// offscreen platform for one that paints, set here whatever the environment says), quiets
// the debug stream and runs.
int exec(int argc, char *argv[]);

} // namespace CommandLine
