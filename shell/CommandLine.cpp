#include "shell/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

void describe(QCommandLineParser &parser)
{
    QCoreApplication::setApplicationName(QStringLiteral("Tidewell"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TIDEWELL_VERSION));
    parser.setApplicationDescription(QStringLiteral(
        "Dive planner, gas calculators and dive profile viewer.\n"
        "A dive plan (.dive) opens in the dive planner, a DAN research file (.nem, .dan) or a dive\n"
        "log (.uddf, .ssrf, or .xml from Subsurface) in the profile viewer, anything else in the\n"
        "notepad. Without a file the welcome note opens."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The file to open; arguments separated by blanks are one name."),
                                 QStringLiteral("[file...]"));
}

} // namespace

void answerHelpOrVersion(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describe(parser);
    // Errors are left to fileArguments, once Qt has taken out its own options;
    // so is --help-all, which lists the options of Qt's graphical part.
    parser.parse(arguments);
    const bool version = parser.isSet(QStringLiteral("version"));
    if (!version && !parser.isSet(QStringLiteral("help")))
        return;
    // The answers name the program as it was started: that needs an
    // application object, but not a graphical one.
    QCoreApplication answering(argc, argv);
    if (version)
        parser.showVersion();
    parser.showHelp();
}

QStringList fileArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    parser.process(arguments); // ends the program on an unknown option
    return parser.positionalArguments();
}
