#include "CheckCommand.h"

#include "data/DataTexts.h"
#include "data/DrawKeys.h"
#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "updater/Clock.h"
#include "updater/DrawCheck.h"
#include "updater/GloApiSource.h"
#include "updater/OfficeCheck.h"

#include <QDir>
#include <QTextStream>

#include <array>
#include <cstdio>
#include <unistd.h>

namespace CheckCommand {

namespace {

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

} // namespace

int run(const Options& options, const ProgramFiles& files, QTextStream& out, QTextStream& err)
{
    const ResultsFile file(files.resultsPath);
    const Result<QStringList> lines = file.readResultsFile();
    if (!lines) {
        err << lines.error() << Qt::endl;
        return Failed;
    }
    if (lines.value().isEmpty()) {
        err << DataTexts::noDrawStored().toString() << ": " << QDir::toNativeSeparators(files.resultsPath) << Qt::endl;
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
    // The agreeing draws' full tables go into the prize store, which keeps those it has; the results file is never
    // written here. A store that cannot take them changes nothing a script reads.
    DrawCheck::keepAgreeingTables(
        result.agreeingTables, {prizeStorePath(files.resultsPath), bundledPrizeStorePath(files.programDirectory)});
    const QChar tab = u'\t';
    for (const DrawCheck::Difference& difference : result.differing) {
        out << "differs" << tab << DrawKeys::drawKey(difference.storedLine) << tab << difference.storedLine << tab
            << ResultsFile::formatDrawLine(difference.office) << tab << namesOf(difference.fields) << Qt::endl;
    }
    for (const DrawRecord& record : result.missing) {
        out << "missing" << tab << record.drawDate << tab << tab << ResultsFile::formatDrawLine(record) << tab
            << Qt::endl;
    }
    for (const DrawCheck::Unusable& unusable : result.unusable) {
        out << "unusable" << tab << DrawKeys::drawKey(unusable.storedLine) << tab << unusable.storedLine << tab << tab
            << unusable.reason << Qt::endl;
    }
    for (const QString& line : result.unknown) {
        out << "unknown" << tab << DrawKeys::drawKey(line) << tab << line << tab << tab << Qt::endl;
    }
    out << "checked " << result.checked << " draws from " << scope.firstKey << " to " << scope.lastKey << ": "
        << result.agreeing << " agree, " << result.differing.size() << " differ, " << result.missing.size()
        << " missing from the file, " << result.unknown.size() << " unknown to the office, " << result.unusable.size()
        << " unusable answers" << Qt::endl;
    // A draw whose answer could not be used was not checked: the check did not do what it was asked.
    if (!result.unusable.isEmpty()) {
        return Failed;
    }
    return result.agrees() ? Agrees : Differs;
}

} // namespace CheckCommand
