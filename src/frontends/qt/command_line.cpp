#include "frontends/qt/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "stepwise_version.h"

namespace stepwise::qt {

std::optional<QString> informationRequested(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Stepwise: a self-paced question-and-answer tutorial. The lesson takes no "
                       "options; it asks for the student's name and output folder when it starts."));
    // Qt's own options are single-dash words (-reverse, -platform): read them as whole words, so
    // that their letters are never taken for -v or -h.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Print this help and exit."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Print the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    // Unknown options are not an error here: they belong to Qt or are ignored, as the lesson
    // reads nothing from the command line.
    parser.parse(arguments);

    if (parser.isSet(version)) {
        return QStringLiteral("stepwise %1\n").arg(QLatin1String(stepwiseVersion));
    }
    if (parser.isSet(help)) {
        return QStringLiteral("Usage: stepwise [--version | --help]\n") + parser.helpText().section(u'\n', 1);
    }
    return std::nullopt;
}

}  // namespace stepwise::qt
