#include "CheckCommand.h"

#include "ProgramIdentity.h"
#include "data/DrawKeys.h"
#include "data/ResultsFile.h"
#include "data/ResultsLocation.h"
#include "updater/Clock.h"
#include "updater/DrawCheck.h"
#include "updater/GloApiSource.h"
#include "updater/OfficeCheck.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <array>
#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace CheckCommand {

namespace {

const QString checkOption = u"check"_s;
const QString fromOption = u"from"_s;
const QString toOption = u"to"_s;

// Field names for scripts: those of the draw record.
constexpr std::array<QStringView, DrawCheck::fieldCount> fieldNames {
    u"drawDate", u"firstPrize", u"threeDigit1", u"threeDigit2", u"threeDigit3", u"threeDigit4", u"twoDigit"};

QString namesOf(const QList<int>& fields)
{
    QStringList names;
    for (const int field : fields) {
        names.append(fieldNames.at(static_cast<std::size_t>(field)).toString());
    }
    return names.join(u',');
}

bool isDrawKey(const QString& text)
{
    return text.size() == 8 && DrawKeys::isDrawEntry(text);
}

} // namespace

bool requested(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0) {
            return true;
        }
    }
    return false;
}

QList<QCommandLineOption> commandLineOptions()
{
    return {
        QCommandLineOption(checkOption,
            u"Check the stored draws against the lottery office's JSON API, print the differences and exit (0: all "
            u"agree, 1: some differ or are missing, 2: the check failed). Writes nothing."_s),
        QCommandLineOption(fromOption, u"With --check: the oldest stored draw checked."_s, u"YYYYMMDD"_s),
        QCommandLineOption(toOption, u"With --check: the newest stored draw checked."_s, u"YYYYMMDD"_s),
    };
}

int run(const Options& options, QTextStream& out, QTextStream& err)
{
    const ResultsFile file(options.resultsPath);
    const Result<QStringList> lines = file.readResultsFile();
    if (!lines) {
        err << lines.error() << Qt::endl;
        return Failed;
    }
    if (lines.value().isEmpty()) {
        err << "The results file holds no draw: " << QDir::toNativeSeparators(options.resultsPath) << Qt::endl;
        return Failed;
    }
    const DrawCheck::Scope scope = DrawCheck::scopeOfPeriod(lines.value(), options.fromKey, options.toKey);

    const std::unique_ptr<GloApiSource> source = makeApiSource(options.source, Clock::system());
    OfficeCheck check(*source);
    // A person at a terminal sees how far the check is; a script's log gets only the findings.
    OfficeCheck::Progress progress;
    if (isatty(fileno(stderr))) {
        progress = [&err](const CheckStep& step) { err << step.text << Qt::endl; };
    }
    const Result<DrawCheck::Outcome> outcome = check.run(lines.value(), scope, progress);
    if (!outcome) {
        err << "The check failed: " << outcome.error() << Qt::endl;
        return Failed;
    }

    const DrawCheck::Outcome& result = outcome.value();
    const QChar tab = u'\t';
    for (const DrawCheck::Difference& difference : result.differing) {
        out << "differs" << tab << DrawKeys::drawKey(difference.storedLine) << tab << difference.storedLine << tab
            << ResultsFile::formatDrawLine(difference.office) << tab << namesOf(difference.fields) << Qt::endl;
    }
    for (const DrawRecord& record : result.missing) {
        out << "missing" << tab << record.drawDate << tab << tab << ResultsFile::formatDrawLine(record) << tab
            << Qt::endl;
    }
    for (const QString& line : result.unknown) {
        out << "unknown" << tab << DrawKeys::drawKey(line) << tab << line << tab << tab << Qt::endl;
    }
    out << "checked " << result.checked << " draws from " << scope.firstKey << " to " << scope.lastKey << ": "
        << result.agreeing << " agree, " << result.differing.size() << " differ, " << result.missing.size()
        << " missing from the file, " << result.unknown.size() << " unknown to the office" << Qt::endl;
    return result.agrees() ? Agrees : Differs;
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    setUpProgramIdentity(false);

    QTextStream out(stdout);
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Thai Government Lottery results and digit analysis"_s);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions(commandLineOptions());
    SourceOptions::addTo(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << Qt::endl;
        return Failed;
    }
    if (parser.isSet(u"help"_s)) {
        out << parser.helpText();
        return Agrees;
    }
    if (parser.isSet(u"version"_s)) {
        out << QCoreApplication::applicationName() << u' ' << QCoreApplication::applicationVersion() << Qt::endl;
        return Agrees;
    }
    const Result<SourceOptions> source = SourceOptions::read(parser);
    if (!source) {
        err << source.error() << Qt::endl;
        return Failed;
    }
    if (source.value().kind != SourceOptions::Kind::Api) {
        err << "--check asks the lottery office's JSON API; it cannot be used with --source=page" << Qt::endl;
        return Failed;
    }

    Options options;
    options.source = source.value();
    options.fromKey = parser.value(fromOption);
    options.toKey = parser.value(toOption);
    for (const QString& key : {options.fromKey, options.toKey}) {
        if (!key.isEmpty() && !isDrawKey(key)) {
            err << "--from and --to need a draw date YYYYMMDD with the year of the Buddhist Era: " << key << Qt::endl;
            return Failed;
        }
    }
    if (!options.fromKey.isEmpty() && !options.toKey.isEmpty() &&
        DrawKeys::keyValue(options.fromKey) > DrawKeys::keyValue(options.toKey)) {
        err << "--from comes after --to" << Qt::endl;
        return Failed;
    }
    options.resultsPath = ResultsLocation::existingDataFile(QCoreApplication::applicationDirPath(), u"db.dll"_s);
    return run(options, out, err);
}

} // namespace CheckCommand
