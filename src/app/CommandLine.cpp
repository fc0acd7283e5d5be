#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {
const QString kUsage = QStringLiteral("Usage: ");
} // namespace

QString ProgramVersion()
{
    return QStringLiteral(SONIVEL_VERSION);
}

SCommandLine ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Sonivel: the desktop companion of a handheld sound level meter."));
    // Our own help option: the parser's also offers --help-all, whose Qt
    // options only the application object could print.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
                                  QStringLiteral("Displays this help and ends."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Use the meter on serial device <dev> (instead of $SONIVEL_PORT "
                                                 "or the automatic search)."),
                                  QStringLiteral("dev"));
    parser.addOption(port);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A data text file to open at start, as File > Open does."),
                                 QStringLiteral("[file]"));

    SCommandLine result;
    const QString program =
        arguments.isEmpty() ? QStringLiteral("sonivel") : QFileInfo(arguments.first()).fileName();
    const auto fail = [&result, &program](const QString& error) {
        result.action = SCommandLine::EAction::Fail;
        result.output = QStringLiteral("%1\nTry '%2 --help'.\n").arg(error, program);
        return result;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        result.action = SCommandLine::EAction::ShowHelp;
        // The usage line names the program as it was called, without its folder.
        result.output = parser.helpText();
        const qsizetype end = result.output.indexOf(QStringLiteral(" [options]"));
        if (result.output.startsWith(kUsage) && end > kUsage.size())
            result.output.replace(kUsage.size(), end - kUsage.size(), program);
        return result;
    }
    if (parser.isSet(version)) {
        result.action = SCommandLine::EAction::ShowVersion;
        result.output = QStringLiteral("Sonivel %1\n").arg(ProgramVersion());
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return fail(QStringLiteral("Only one data file can be opened."));
    result.portPath = parser.value(port);
    if (parser.isSet(port) && result.portPath.isEmpty())
        return fail(QStringLiteral("--port needs a device path."));
    result.dataFile = files.isEmpty() ? QString() : files.first();
    return result;
}
