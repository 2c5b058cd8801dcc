#include "CommandLine.h"

#include "ProgramIdentity.h"
#include "data/DrawKeys.h"
#include "data/Result.h"
#include "updater/HttpFetch.h"

#include <QCommandLineParser>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace CommandLine {

namespace {

const QString closeAfterStartName = u"close-after-start"_s;
const QString updateNowName = u"update-now"_s;
const QString ticketsName = u"tickets"_s;
const QString statisticsName = u"statistics"_s;
const QString sourceName = u"source"_s;
const QString apiBaseName = u"api-base"_s;
const QString resultPageName = u"result-page"_s;
const QString checkName = u"check"_s;
const QString fromName = u"from"_s;
const QString toName = u"to"_s;
const QString ticketName = u"ticket"_s;
const QString drawName = u"draw"_s;
const QString exportName = u"export"_s;
const QString helpName = u"help"_s;
const QString helpAllName = u"help-all"_s;
const QString versionName = u"version"_s;

/// The name QCommandLineParser knows a spelling by: the spelling without its dashes.
QString nameOf(const QString& spelling)
{
    return spelling.mid(spelling.startsWith(u"--") ? 2 : 1);
}

QString nameOf(const Option& option)
{
    return nameOf(option.spellings.constFirst());
}

QString spellingOfMode(ModeFlag mode)
{
    switch (mode) {
    case InCheck:
        return u"--"_s + checkName;
    case InTicket:
        return u"--"_s + ticketName;
    case InExport:
        return u"--"_s + exportName;
    default:
        return QString();
    }
}

QList<OptionGroup> makeOptionGroups()
{
    const QString dateValue = u"YYYYMMDD"_s;
    const QList<OptionGroup> groups {
        {u"The main window (without --check, --ticket or --export)"_s,
            {
                {{u"--"_s + closeAfterStartName}, {},
                    u"In the window: start, show the main window, then close it (a smoke test)."_s, InWindow},
                {{u"--"_s + updateNowName}, {},
                    u"In the window: start the database update right after start, as the update button does."_s,
                    InWindow},
                {{u"--"_s + ticketsName}, {}, u"In the window: open the ticket checker over the main window."_s,
                    InWindow},
                {{u"--"_s + statisticsName}, {},
                    u"In the window: open the statistics window on every stored draw over the main window."_s,
                    InWindow},
            }},
        {u"Where the update gets draws from (the window; --check asks the JSON API)"_s,
            {
                {{u"--"_s + sourceName}, u"kind"_s,
                    u"In the window: api (the lottery office's JSON API, the default) or page (its result page). "
                    u"With --check only api."_s,
                    InWindow | InCheck},
                {{u"--"_s + apiBaseName}, u"url"_s,
                    u"In the window and with --check: scheme, host and port of the lottery office's JSON API "
                    u"(default "_s +
                        SourceOptions::defaultApiBase().toString() + u")."_s,
                    InWindow | InCheck},
                {{u"--"_s + resultPageName}, u"url"_s,
                    u"In the window, with --source=page: the lottery office's result page (default "_s +
                        SourceOptions::defaultResultPage().toString() + u")."_s,
                    InWindow},
            }},
        {u"Checking the stored draws against the lottery office, without a window"_s,
            {
                {{u"--"_s + checkName}, {},
                    u"Without a window: check the stored draws against the lottery office's JSON API, print the "
                    u"differences and exit (0: all agree, 1: some differ or are missing, 2: the check failed). "
                    u"Writes only the prize tables the store lacks."_s,
                    InCheck},
                {{u"--"_s + fromName}, dateValue,
                    u"With --check or --export: the oldest stored draw checked or saved, its date with the year of "
                    u"the Buddhist Era."_s,
                    InCheck | InExport},
                {{u"--"_s + toName}, dateValue,
                    u"With --check or --export: the newest stored draw checked or saved, its date with the year of "
                    u"the Buddhist Era."_s,
                    InCheck | InExport},
            }},
        {u"Saving the stored draws as a spreadsheet, without a window"_s,
            {
                {{u"--"_s + exportName}, u"file"_s,
                    u"Without a window: save the stored draws (key, date, weekday, the numbers of the draw and the "
                    u"full prize table where the prize store has one) as this .csv or .xlsx file and exit (0: "
                    u"written, 2: nothing written). --from and --to narrow the draws saved."_s,
                    InExport},
            }},
        {u"Checking tickets, without a window"_s,
            {
                {{u"--"_s + ticketName}, u"numbers"_s,
                    u"Without a window: check these six-digit ticket numbers, separated by commas, print the prizes "
                    u"won and exit (0: a ticket won, 1: none did, 2: bad input or a draw not stored, 3: none won "
                    u"the prizes that could be checked, but the draw has no full prize table)."_s,
                    InTicket},
                {{u"--"_s + drawName}, dateValue,
                    u"With --ticket: the draw checked against, its date with the year of the Buddhist Era (default: "
                    u"the newest)."_s,
                    InTicket},
            }},
        {u"Every mode"_s,
            {
                {{u"-h"_s, u"--"_s + helpName}, {}, u"In every mode: show these options and exit."_s, InEveryMode},
                {{u"--"_s + helpAllName}, {},
                    u"In every mode: show these options and Qt's own options of the window, and exit."_s, InEveryMode},
                {{u"-v"_s, u"--"_s + versionName}, {}, u"In every mode: show the version and exit."_s, InEveryMode},
            }},
        // The options the window's QApplication takes out of the command line itself. They are known here so that
        // the window accepts them, and so that the modes without a window refuse them.
        {u"Qt's own options of the window"_s,
            {
                {{u"-platform"_s}, u"name[:options]"_s,
                    u"In the window: the Qt platform plugin, such as xcb, wayland or offscreen."_s, InWindow, false},
                {{u"-platformpluginpath"_s}, u"path"_s, u"In the window: where the platform plugins are."_s, InWindow,
                    false},
                {{u"-platformtheme"_s}, u"theme"_s, u"In the window: the platform theme."_s, InWindow, false},
                {{u"-plugin"_s}, u"plugin"_s, u"In the window: one more plugin to load; may be given more than once."_s,
                    InWindow, false},
                {{u"-qwindowgeometry"_s, u"-geometry"_s}, u"geometry"_s,
                    u"In the window: the main window's place and size, as X11 writes them (800x600+50+50)."_s, InWindow,
                    false},
                {{u"-qwindowicon"_s, u"-icon"_s}, u"icon"_s, u"In the window: the windows' icon."_s, InWindow, false},
                {{u"-qwindowtitle"_s, u"-title"_s}, u"title"_s, u"In the window: the first window's title."_s, InWindow,
                    false},
                {{u"-reverse"_s}, {}, u"In the window: lay out from right to left (a debugging aid)."_s, InWindow},
                {{u"-session"_s}, u"session"_s, u"In the window: restore an earlier session."_s, InWindow, false},
                {{u"-style"_s}, u"style"_s, u"In the window: the widget style, such as Fusion."_s, InWindow},
                {{u"-stylesheet"_s}, u"file"_s, u"In the window: a style sheet for every widget."_s, InWindow},
                {{u"-widgetcount"_s}, {},
                    u"In the window: print at exit how many widgets were left (a debugging aid)."_s, InWindow},
                {{u"-display"_s}, u"display"_s, u"In the window: the X11 display, instead of $DISPLAY."_s, InWindow,
                    false},
                {{u"-name"_s}, u"name"_s, u"In the window: the X11 instance name."_s, InWindow, false},
                {{u"-visual"_s}, u"id"_s, u"In the window: the X11 visual."_s, InWindow, false},
                {{u"-nograb"_s}, {}, u"In the window: never grab the mouse (for a debugger)."_s, InWindow},
                {{u"-dograb"_s}, {}, u"In the window: grab the mouse even under a debugger."_s, InWindow},
            },
            true},
    };
    return groups;
}

/// The option column of the help: the spellings and the value.
QString optionColumn(const Option& option)
{
    QString column = option.spellings.join(u", "_s);
    if (!option.valueName.isEmpty()) {
        column += u" <"_s + option.valueName + u'>';
    }
    return column;
}

/// `text` broken into lines of at most `width` characters at spaces.
QStringList wrapped(const QString& text, qsizetype width)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines.append(line);
            line.clear();
        }
        line += (line.isEmpty() ? QString() : u" "_s) + word;
    }
    lines.append(line);
    return lines;
}

/// A draw key given for `spelling`: eight digits, a date with the year of the Buddhist Era.
Status checkDrawKey(const QString& spelling, const QString& key)
{
    if (key.size() == 8 && DrawKeys::isDrawEntry(key)) {
        return Status::success();
    }
    return Status::failure(spelling + u" needs a draw date YYYYMMDD with the year of the Buddhist Era: "_s + key);
}

/// The address given for `spelling`, when it is one the updater can ask.
Result<QUrl> webAddress(const QString& spelling, const QString& value)
{
    const QUrl url = QUrl::fromUserInput(value);
    if (!isWebAddress(url)) {
        return Result<QUrl>::failure(spelling + u" needs an http or https address: "_s + value);
    }
    return url;
}

Result<SourceOptions> readSource(const QCommandLineParser& parser, ModeFlag mode)
{
    SourceOptions source;
    if (parser.isSet(sourceName)) {
        const QString kind = parser.value(sourceName);
        if (kind == u"page") {
            source.kind = SourceOptions::Kind::Page;
        } else if (kind != u"api") {
            return Result<SourceOptions>::failure(u"--source must be api or page: "_s + kind);
        }
    }
    if (mode == InCheck && source.kind != SourceOptions::Kind::Api) {
        return Result<SourceOptions>::failure(
            u"--check asks the lottery office's JSON API; it cannot be used with --source=page"_s);
    }
    if (parser.isSet(apiBaseName)) {
        const Result<QUrl> apiBase = webAddress(u"--"_s + apiBaseName, parser.value(apiBaseName));
        if (!apiBase) {
            return Result<SourceOptions>::failure(apiBase.error());
        }
        source.apiBase = apiBase.value();
    }
    if (parser.isSet(resultPageName)) {
        const Result<QUrl> resultPage = webAddress(u"--"_s + resultPageName, parser.value(resultPageName));
        if (!resultPage) {
            return Result<SourceOptions>::failure(resultPage.error());
        }
        source.resultPage = resultPage.value();
    }
    return source;
}

/// Why the options given cannot stand as they are in `mode`: repeated, or belonging to another mode. Empty when
/// they can.
QString refusedOption(const QCommandLineParser& parser, ModeFlag mode)
{
    for (const OptionGroup& group : optionGroups()) {
        for (const Option& option : group.options) {
            if (!parser.isSet(nameOf(option))) {
                continue;
            }
            const QString& spelling = option.spellings.constFirst();
            // Qt's own options may be repeated (-plugin); a repeated option of ours would silently drop a value.
            if (!group.qtOwn && !option.valueName.isEmpty() && parser.values(nameOf(option)).size() > 1) {
                return spelling + u" is given more than once"_s;
            }
            if ((option.modes & mode) != 0) {
                continue;
            }
            // An option of the modes without a window names the modes it belongs to.
            if ((option.modes & InWindow) == 0) {
                QStringList modes;
                for (const ModeFlag needed : {InCheck, InTicket, InExport}) {
                    if ((option.modes & needed) != 0) {
                        modes.append(spellingOfMode(needed));
                    }
                }
                return spelling + u" needs "_s + modes.join(u" or "_s);
            }
            return spelling + u" cannot be used with "_s + spellingOfMode(mode);
        }
    }
    return QString();
}

Launch readWindow(const QCommandLineParser& parser)
{
    const Result<SourceOptions> source = readSource(parser, InWindow);
    if (!source) {
        return UsageError {source.error()};
    }
    Window window;
    window.source = source.value();
    window.updateNow = parser.isSet(updateNowName);
    window.closeAfterStart = parser.isSet(closeAfterStartName);
    window.openTickets = parser.isSet(ticketsName);
    window.openStatistics = parser.isSet(statisticsName);
    return window;
}

/// The stored draws from `--from` to `--to`, both draw keys; an end not given is empty.
struct Period
{
    QString fromKey;
    QString toKey;
};

Result<Period> readPeriod(const QCommandLineParser& parser)
{
    for (const QString& name : {fromName, toName}) {
        if (!parser.isSet(name)) {
            continue;
        }
        if (const Status valid = checkDrawKey(u"--"_s + name, parser.value(name)); !valid) {
            return Result<Period>::failure(valid.error());
        }
    }
    Period period {parser.value(fromName), parser.value(toName)};
    if (!period.fromKey.isEmpty() && !period.toKey.isEmpty() &&
        DrawKeys::keyValue(period.fromKey) > DrawKeys::keyValue(period.toKey)) {
        return Result<Period>::failure(u"--from comes after --to"_s);
    }
    return period;
}

Launch readCheck(const QCommandLineParser& parser)
{
    const Result<SourceOptions> source = readSource(parser, InCheck);
    if (!source) {
        return UsageError {source.error()};
    }
    const Result<Period> period = readPeriod(parser);
    if (!period) {
        return UsageError {period.error()};
    }
    Check check;
    check.source = source.value();
    check.fromKey = period.value().fromKey;
    check.toKey = period.value().toKey;
    return check;
}

Launch readExport(const QCommandLineParser& parser)
{
    const QString path = parser.value(exportName);
    const std::optional<ExportCommand::Format> format = ExportCommand::formatOf(path);
    if (!format) {
        return UsageError {u"--export needs a file name ending in .csv or .xlsx: "_s + path};
    }
    const Result<Period> period = readPeriod(parser);
    if (!period) {
        return UsageError {period.error()};
    }
    Export exported;
    exported.path = path;
    exported.format = *format;
    exported.fromKey = period.value().fromKey;
    exported.toKey = period.value().toKey;
    return exported;
}

Launch readTicket(const QCommandLineParser& parser)
{
    Ticket ticket;
    // The ticket numbers are checked when the command runs, which tells each bad number on its own line.
    ticket.tickets = parser.value(ticketName);
    if (parser.isSet(drawName)) {
        ticket.drawKey = parser.value(drawName);
        if (const Status valid = checkDrawKey(u"--"_s + drawName, ticket.drawKey); !valid) {
            return UsageError {valid.error()};
        }
    }
    return ticket;
}

/// The first option given with an equals sign that takes its value only as the next argument; Qt would not see
/// that value.
QString valueAfterEqualsRefused(const QStringList& arguments)
{
    for (const QString& argument : arguments.sliced(1)) {
        if (argument == u"--") {
            break;
        }
        const QString spelling = argument.section(u'=', 0, 0);
        if (!argument.startsWith(u'-') || spelling == argument) {
            continue;
        }
        for (const OptionGroup& group : optionGroups()) {
            for (const Option& option : group.options) {
                if (!option.valueAfterEquals && option.spellings.contains(u'-' + nameOf(spelling))) {
                    return option.spellings.constFirst() + u" takes its value as the next argument: "_s +
                        option.spellings.constFirst() + u' ' + argument.section(u'=', 1);
                }
            }
        }
    }
    return QString();
}

/// The usage error of a command line the parser could not read: an unknown option, a missing value.
QString unreadable(const QCommandLineParser& parser, const QStringList& arguments)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().constFirst();
        // Named as it was written: with one dash or two.
        for (const QString& argument : arguments.sliced(1)) {
            if (argument.startsWith(u'-') && nameOf(argument.section(u'=', 0, 0)) == name) {
                return u"Unknown option "_s + argument.section(u'=', 0, 0);
            }
        }
        return u"Unknown option "_s + name;
    }
    return parser.errorText();
}

} // namespace

const QList<OptionGroup>& optionGroups()
{
    static const QList<OptionGroup> groups = makeOptionGroups();
    return groups;
}

QString helpText(bool withQtOptions)
{
    constexpr qsizetype indent = 2;
    constexpr qsizetype lineWidth = 79;
    // The descriptions start in one column; an option too wide for it has its description on the next line.
    constexpr qsizetype widestColumn = 28;
    qsizetype column = 0;
    for (const OptionGroup& group : optionGroups()) {
        for (const Option& option : group.options) {
            if (!group.qtOwn || withQtOptions) {
                column = std::max(column, std::min(widestColumn, indent + optionColumn(option).size() + 2));
            }
        }
    }

    QString text = u"Usage: varenta [options]\n"_s +
        wrapped(u"Thai Government Lottery results and digit analysis. Without --check, --ticket or --export it opens "
                u"the main window. Bad command lines exit with 2."_s,
            lineWidth)
            .join(u'\n') +
        u'\n';
    for (const OptionGroup& group : optionGroups()) {
        if (group.qtOwn && !withQtOptions) {
            continue;
        }
        text += u'\n' + group.heading + u":\n"_s;
        for (const Option& option : group.options) {
            QString first = QString(indent, u' ') + optionColumn(option);
            if (first.size() + 2 > column) {
                text += first + u'\n';
                first.clear();
            }
            const QStringList lines = wrapped(option.description, lineWidth - column);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                text += (i == 0 ? first : QString()).leftJustified(column) + lines.at(i) + u'\n';
            }
        }
    }
    return text;
}

QString versionText()
{
    return programName() + u' ' + programVersion() + u'\n';
}

} // namespace CommandLine

CommandLine::Launch parseCommandLine(const QStringList& arguments)
{
    using namespace CommandLine;
    QCommandLineParser parser;
    // Qt's own options of the window are written with one dash and a whole word (-platform), so such a word is one
    // option rather than a row of one-letter ones.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionGroup& group : optionGroups()) {
        for (const Option& option : group.options) {
            QStringList names;
            for (const QString& spelling : option.spellings) {
                names.append(nameOf(spelling));
            }
            parser.addOption(QCommandLineOption(names, option.description, option.valueName));
        }
    }
    const QStringList commandLine = arguments.isEmpty() ? QStringList {u"varenta"_s} : arguments;
    if (!parser.parse(commandLine)) {
        return UsageError {unreadable(parser, commandLine)};
    }
    if (const QString refused = valueAfterEqualsRefused(commandLine); !refused.isEmpty()) {
        return UsageError {refused};
    }
    // Help and version answer whatever else the command line asks.
    if (parser.isSet(helpAllName) || parser.isSet(helpName)) {
        return Help {helpText(parser.isSet(helpAllName))};
    }
    if (parser.isSet(versionName)) {
        return Version {versionText()};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return UsageError {u"Unexpected argument "_s + parser.positionalArguments().constFirst()};
    }

    // The modes without a window are chosen by their options; at most one of them may be.
    QList<ModeFlag> chosen;
    for (const ModeFlag mode : {InCheck, InTicket, InExport}) {
        if (parser.isSet(nameOf(spellingOfMode(mode)))) {
            chosen.append(mode);
        }
    }
    if (chosen.size() > 1) {
        return UsageError {
            spellingOfMode(chosen.at(0)) + u" and "_s + spellingOfMode(chosen.at(1)) + u" cannot be used together"_s};
    }
    const ModeFlag mode = chosen.isEmpty() ? InWindow : chosen.constFirst();
    if (const QString misplaced = refusedOption(parser, mode); !misplaced.isEmpty()) {
        return UsageError {misplaced};
    }
    switch (mode) {
    case InCheck:
        return readCheck(parser);
    case InTicket:
        return readTicket(parser);
    case InExport:
        return readExport(parser);
    default:
        return readWindow(parser);
    }
}
