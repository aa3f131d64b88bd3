#include "frontends/qt/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "frontends/common/lesson_arguments.h"
#include "frontends/qt/qt_text.h"
#include "stepwise_version.h"

namespace stepwise::qt {

std::optional<QString> informationRequested(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Stepwise: a self-paced question-and-answer tutorial. It works the assignment in FILE, "
                       "or its built-in assignment when no FILE is given, and asks for the student's name "
                       "and output folder when it starts."));
    // Qt's own options are single-dash words (-reverse, -platform): read them as whole words, so
    // that their letters are never taken for -v or -h.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Print this help and exit."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Print the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("An assignment file written by an instructor (*.stepwise)."),
                                 QStringLiteral("[FILE]"));
    // Unknown options are not an error here: they belong to Qt, which takes them out before the
    // lesson's own arguments are read.
    parser.parse(arguments);

    if (parser.isSet(version)) {
        return QStringLiteral("stepwise %1\n").arg(QLatin1String(stepwiseVersion));
    }
    if (parser.isSet(help)) {
        return toQString(lessonUsage) + QStringLiteral("\n") + parser.helpText().section(u'\n', 1);
    }
    return std::nullopt;
}

QString usageErrorText(const Text& problem) {
    return QStringLiteral("stepwise: ") + toQString(problem) + QStringLiteral("\n") + toQString(lessonUsage) +
           QStringLiteral("\nTry 'stepwise --help' for more information.\n");
}

}  // namespace stepwise::qt
