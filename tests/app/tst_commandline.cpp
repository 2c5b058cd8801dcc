#include "CommandLine.h"
#include "updater/Clock.h"
#include "updater/GloApiSource.h"
#include "updater/PageDrawSource.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SourceOptions::Kind)
Q_DECLARE_METATYPE(ExportCommand::Format)

namespace {

QStringList commandLine(const QStringList& arguments)
{
    return QStringList {u"varenta"_s} + arguments;
}

/// The option spellings a text names: "--draw", "-h". A hyphen inside a word ("two-digit") names none.
QSet<QString> spellingsIn(const QString& text)
{
    static const QRegularExpression spelling(u"(?<![\\w-])(--?[a-z](?:[a-z-]*[a-z])?)"_s);
    QSet<QString> spellings;
    for (const QRegularExpressionMatch& match : spelling.globalMatch(text)) {
        spellings.insert(match.captured(1));
    }
    return spellings;
}

/// The groups of a desktop entry file, each a map of its keys to their values.
QMap<QString, QMap<QString, QString>> desktopEntryGroups(const QString& path)
{
    QMap<QString, QMap<QString, QString>> groups;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return groups;
    }
    QString group;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            group = line.mid(1, line.size() - 2);
            groups[group];
        } else if (line.contains(u'=') && !line.startsWith(u'#')) {
            groups[group].insert(line.section(u'=', 0, 0), line.section(u'=', 1));
        }
    }
    return groups;
}

} // namespace

/// The program's command line, read without starting the program: the mode it chooses, what it refuses and its help.
/// It runs without an application object, as the command line is read before one is made.
class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void window_data();
    void window();
    void theUpdateAsksTheSourceChosen_data();
    void theUpdateAsksTheSourceChosen();
    void check_data();
    void check();
    void ticket_data();
    void ticket();
    void exportDraws_data();
    void exportDraws();
    void helpAndVersion_data();
    void helpAndVersion();
    void usageErrors_data();
    void usageErrors();
    void helpListsEveryOptionByMode();
    void documentsNameEveryOption_data();
    void documentsNameEveryOption();
    void desktopActionsOpenTheirWindows_data();
    void desktopActionsOpenTheirWindows();
};

void TestCommandLine::window_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<SourceOptions::Kind>("kind");
    QTest::addColumn<QUrl>("apiBase");
    QTest::addColumn<QUrl>("resultPage");
    QTest::addColumn<bool>("updateNow");
    QTest::addColumn<bool>("closeAfterStart");
    QTest::addColumn<bool>("openTickets");
    QTest::addColumn<bool>("openStatistics");

    const QUrl office(u"https://www.glo.or.th"_s);
    const QUrl page(u"http://www.glo.or.th/detail.php?link=result_text"_s);
    QTest::newRow("no option: the API") << QStringList() << SourceOptions::Kind::Api << office << page << false << false
                                        << false << false;
    QTest::newRow("update now, close after start")
        << QStringList {u"--update-now"_s, u"--close-after-start"_s} << SourceOptions::Kind::Api << office << page
        << true << true << false << false;
    QTest::newRow("the ticket checker and the statistics window over it")
        << QStringList {u"--statistics"_s, u"--tickets"_s} << SourceOptions::Kind::Api << office << page << false
        << false << true << true;
    QTest::newRow("other API base") << QStringList {u"--api-base=http://127.0.0.1:8080"_s} << SourceOptions::Kind::Api
                                    << QUrl(u"http://127.0.0.1:8080"_s) << page << false << false << false << false;
    QTest::newRow("page") << QStringList {u"--source=page"_s} << SourceOptions::Kind::Page << office << page << false
                          << false << false << false;
    QTest::newRow("page at another address")
        << QStringList {u"--source=page"_s, u"--result-page=http://127.0.0.1:8080/r.php?a=1"_s}
        << SourceOptions::Kind::Page << office << QUrl(u"http://127.0.0.1:8080/r.php?a=1"_s) << false << false << false
        << false;
    QTest::newRow("values as the next argument")
        << QStringList {u"--source"_s, u"page"_s, u"--result-page"_s, u"https://example.test/x"_s}
        << SourceOptions::Kind::Page << office << QUrl(u"https://example.test/x"_s) << false << false << false << false;
    QTest::newRow("Qt's own options") << QStringList {u"-platform"_s, u"offscreen"_s, u"-style=fusion"_s, u"-reverse"_s,
                                             u"--plugin"_s, u"a"_s, u"-plugin"_s, u"b"_s}
                                      << SourceOptions::Kind::Api << office << page << false << false << false << false;
}

void TestCommandLine::window()
{
    QFETCH(QStringList, arguments);
    QFETCH(SourceOptions::Kind, kind);
    QFETCH(QUrl, apiBase);
    QFETCH(QUrl, resultPage);
    QFETCH(bool, updateNow);
    QFETCH(bool, closeAfterStart);
    QFETCH(bool, openTickets);
    QFETCH(bool, openStatistics);

    const CommandLine::Launch launch = parseCommandLine(commandLine(arguments));
    const auto* window = std::get_if<CommandLine::Window>(&launch);
    QVERIFY(window);
    QCOMPARE(window->source.kind, kind);
    QCOMPARE(window->source.apiBase, apiBase);
    QCOMPARE(window->source.resultPage, resultPage);
    QCOMPARE(window->updateNow, updateNow);
    QCOMPARE(window->closeAfterStart, closeAfterStart);
    QCOMPARE(window->openTickets, openTickets);
    QCOMPARE(window->openStatistics, openStatistics);
}

void TestCommandLine::theUpdateAsksTheSourceChosen_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("page");

    QTest::newRow("the API") << QStringList() << false;
    QTest::newRow("the result page") << QStringList {u"--source=page"_s} << true;
}

void TestCommandLine::theUpdateAsksTheSourceChosen()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, page);

    const CommandLine::Launch launch = parseCommandLine(commandLine(arguments));
    const auto* window = std::get_if<CommandLine::Window>(&launch);
    QVERIFY(window);
    // Unlike the command line, a source lives in an application, as in the window.
    int argc = 1;
    char name[] = "tst_commandline";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    const std::unique_ptr<DrawSource> source = makeDrawSourceFactory(window->source, Clock::system())();
    QCOMPARE(dynamic_cast<PageDrawSource*>(source.get()) != nullptr, page);
    QCOMPARE(dynamic_cast<GloApiSource*>(source.get()) != nullptr, !page);
}

void TestCommandLine::check_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("fromKey");
    QTest::addColumn<QString>("toKey");
    QTest::addColumn<QUrl>("apiBase");

    const QUrl office(u"https://www.glo.or.th"_s);
    QTest::newRow("every draw") << QStringList {u"--check"_s} << QString() << QString() << office;
    QTest::newRow("a period") << QStringList {u"--check"_s, u"--from=25690101"_s, u"--to"_s, u"25691231"_s}
                              << u"25690101"_s << u"25691231"_s << office;
    QTest::newRow("the API named") << QStringList {u"--check"_s, u"--source=api"_s} << QString() << QString() << office;
    QTest::newRow("other API base") << QStringList {u"--check"_s, u"--api-base=http://127.0.0.1:8080"_s} << QString()
                                    << QString() << QUrl(u"http://127.0.0.1:8080"_s);
}

void TestCommandLine::check()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, fromKey);
    QFETCH(QString, toKey);
    QFETCH(QUrl, apiBase);

    const CommandLine::Launch launch = parseCommandLine(commandLine(arguments));
    const auto* check = std::get_if<CommandLine::Check>(&launch);
    QVERIFY(check);
    QCOMPARE(check->fromKey, fromKey);
    QCOMPARE(check->toKey, toKey);
    QCOMPARE(check->source.kind, SourceOptions::Kind::Api);
    QCOMPARE(check->source.apiBase, apiBase);
}

void TestCommandLine::ticket_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("tickets");
    QTest::addColumn<QString>("drawKey");

    QTest::newRow("the newest draw") << QStringList {u"--ticket=536077,318543"_s} << u"536077,318543"_s << QString();
    QTest::newRow("a given draw") << QStringList {u"--ticket=536077"_s, u"--draw=25690502"_s} << u"536077"_s
                                  << u"25690502"_s;
    QTest::newRow("values as the next argument")
        << QStringList {u"--draw"_s, u"25690502"_s, u"--ticket"_s, u"536077"_s} << u"536077"_s << u"25690502"_s;
    // The command itself tells what is wrong with the numbers, one message each.
    QTest::newRow("no number") << QStringList {u"--ticket="_s} << QString() << QString();
}

void TestCommandLine::ticket()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, tickets);
    QFETCH(QString, drawKey);

    const CommandLine::Launch launch = parseCommandLine(commandLine(arguments));
    const auto* ticket = std::get_if<CommandLine::Ticket>(&launch);
    QVERIFY(ticket);
    QCOMPARE(ticket->tickets, tickets);
    QCOMPARE(ticket->drawKey, drawKey);
}

void TestCommandLine::exportDraws_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("path");
    QTest::addColumn<ExportCommand::Format>("format");
    QTest::addColumn<QString>("fromKey");
    QTest::addColumn<QString>("toKey");

    using Format = ExportCommand::Format;
    QTest::newRow("every draw as CSV") << QStringList {u"--export=draws.csv"_s} << u"draws.csv"_s << Format::Csv
                                       << QString() << QString();
    QTest::newRow("a period as Excel") << QStringList {u"--export=/tmp/d.xlsx"_s, u"--from=25690101"_s,
                                              u"--to=25691231"_s}
                                       << u"/tmp/d.xlsx"_s << Format::Xlsx << u"25690101"_s << u"25691231"_s;
    QTest::newRow("the extension in capitals, the value as the next argument")
        << QStringList {u"--to"_s, u"25690502"_s, u"--export"_s, u"DRAWS.XLSX"_s} << u"DRAWS.XLSX"_s << Format::Xlsx
        << QString() << u"25690502"_s;
}

void TestCommandLine::exportDraws()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, path);
    QFETCH(ExportCommand::Format, format);
    QFETCH(QString, fromKey);
    QFETCH(QString, toKey);

    const CommandLine::Launch launch = parseCommandLine(commandLine(arguments));
    const auto* exported = std::get_if<CommandLine::Export>(&launch);
    QVERIFY(exported);
    QCOMPARE(exported->path, path);
    QCOMPARE(exported->format, format);
    QCOMPARE(exported->fromKey, fromKey);
    QCOMPARE(exported->toKey, toKey);
}

void TestCommandLine::helpAndVersion_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("text");

    const QString help = CommandLine::helpText(false);
    const QString helpAll = CommandLine::helpText(true);
    const QString version = u"Varenta 1.0\n"_s;
    QTest::newRow("-h") << QStringList {u"-h"_s} << help;
    QTest::newRow("--help-all") << QStringList {u"--help-all"_s} << helpAll;
    QTest::newRow("help with the check") << QStringList {u"--check"_s, u"--help"_s} << help;
    QTest::newRow("help-all with the check, not the check")
        << QStringList {u"--check"_s, u"--from=25690101"_s, u"--help-all"_s} << helpAll;
    QTest::newRow("help before a conflict") << QStringList {u"--check"_s, u"--ticket=1"_s, u"--help"_s} << help;
    QTest::newRow("-v") << QStringList {u"-v"_s} << version;
    QTest::newRow("version with the check") << QStringList {u"--check"_s, u"-v"_s} << version;
}

void TestCommandLine::helpAndVersion()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, text);

    const CommandLine::Launch launch = parseCommandLine(commandLine(arguments));
    if (const auto* help = std::get_if<CommandLine::Help>(&launch)) {
        QCOMPARE(help->text, text);
    } else if (const auto* version = std::get_if<CommandLine::Version>(&launch)) {
        QCOMPARE(version->text, text);
    } else {
        QFAIL("neither help nor version");
    }
}

void TestCommandLine::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    const QString dateNeeded = u" needs a draw date YYYYMMDD with the year of the Buddhist Era: "_s;
    QTest::newRow("unknown option") << QStringList {u"--bogus"_s} << u"Unknown option --bogus"_s;
    QTest::newRow("unknown option, one dash") << QStringList {u"-x"_s} << u"Unknown option -x"_s;
    QTest::newRow("unknown option before help")
        << QStringList {u"--help"_s, u"--bogus"_s} << u"Unknown option --bogus"_s;
    QTest::newRow("a value missing") << QStringList {u"--ticket=1"_s, u"--draw"_s}
                                     << u"Missing value after '--draw'."_s;
    QTest::newRow("a value where none is taken")
        << QStringList {u"--check=yes"_s} << u"Unexpected value after '--check'."_s;
    QTest::newRow("an argument that is no option") << QStringList {u"db.dll"_s} << u"Unexpected argument db.dll"_s;
    QTest::newRow("check and ticket") << QStringList {u"--check"_s, u"--ticket=536077"_s}
                                      << u"--check and --ticket cannot be used together"_s;
    QTest::newRow("from without check") << QStringList {u"--from=25690101"_s} << u"--from needs --check or --export"_s;
    QTest::newRow("draw with the export")
        << QStringList {u"--export=d.csv"_s, u"--draw=25690502"_s} << u"--draw needs --ticket"_s;
    QTest::newRow("the ticket checker with the export")
        << QStringList {u"--export=d.csv"_s, u"--tickets"_s} << u"--tickets cannot be used with --export"_s;
    QTest::newRow("a source with the export")
        << QStringList {u"--export=d.csv"_s, u"--source=api"_s} << u"--source cannot be used with --export"_s;
    QTest::newRow("Qt's own option with the export")
        << QStringList {u"--export=d.csv"_s, u"-platform"_s, u"offscreen"_s}
        << u"-platform cannot be used with --export"_s;
    QTest::newRow("export to a text file")
        << QStringList {u"--export=draws.txt"_s} << u"--export needs a file name ending in .csv or .xlsx: draws.txt"_s;
    QTest::newRow("export to no name") << QStringList {u"--export="_s}
                                       << u"--export needs a file name ending in .csv or .xlsx: "_s;
    QTest::newRow("export: to no date") << QStringList {u"--export=d.xlsx"_s, u"--to=2569"_s}
                                        << u"--to"_s + dateNeeded + u"2569"_s;
    QTest::newRow("draw without ticket") << QStringList {u"--draw=25690502"_s} << u"--draw needs --ticket"_s;
    QTest::newRow("update now with the check")
        << QStringList {u"--check"_s, u"--update-now"_s} << u"--update-now cannot be used with --check"_s;
    QTest::newRow("the page source with the check")
        << QStringList {u"--check"_s, u"--source=page"_s}
        << u"--check asks the lottery office's JSON API; it cannot be used with --source=page"_s;
    QTest::newRow("Qt's own option's value after an equals sign")
        << QStringList {u"-platform=offscreen"_s}
        << u"-platform takes its value as the next argument: -platform offscreen"_s;
    QTest::newRow("two tickets options") << QStringList {u"--ticket=536077"_s, u"--ticket=318543"_s}
                                         << u"--ticket is given more than once"_s;
    QTest::newRow("two draws") << QStringList {u"--ticket=536077"_s, u"--draw=25690502"_s, u"--draw"_s, u"25690416"_s}
                               << u"--draw is given more than once"_s;
    QTest::newRow("unknown source") << QStringList {u"--source=ftp"_s} << u"--source must be api or page: ftp"_s;
    QTest::newRow("API base not on the web") << QStringList {u"--api-base=ftp://example.org"_s}
                                             << u"--api-base needs an http or https address: ftp://example.org"_s;
    QTest::newRow("result page not on the web")
        << QStringList {u"--source=page"_s, u"--result-page=file:///etc/passwd"_s}
        << u"--result-page needs an http or https address: file:///etc/passwd"_s;
    QTest::newRow("result page without a host") << QStringList {u"--source=page"_s, u"--result-page=http://"_s}
                                                << u"--result-page needs an http or https address: http://"_s;
    QTest::newRow("from: no such date") << QStringList {u"--check"_s, u"--from=25691301"_s}
                                        << u"--from"_s + dateNeeded + u"25691301"_s;
    QTest::newRow("from after to") << QStringList {u"--check"_s, u"--from=25690816"_s, u"--to=25690801"_s}
                                   << u"--from comes after --to"_s;
    QTest::newRow("draw: no date") << QStringList {u"--ticket=536077"_s, u"--draw=latest"_s}
                                   << u"--draw"_s + dateNeeded + u"latest"_s;
}

void TestCommandLine::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    const CommandLine::Launch launch = parseCommandLine(commandLine(arguments));
    const auto* error = std::get_if<CommandLine::UsageError>(&launch);
    QVERIFY2(error, "the command line was accepted");
    QCOMPARE(error->text, message);
}

void TestCommandLine::helpListsEveryOptionByMode()
{
    const QString help = CommandLine::helpText(false);
    const QString helpAll = CommandLine::helpText(true);
    QVERIFY(help.startsWith(u"Usage: varenta [options]\n"
                            u"Thai Government Lottery results and digit analysis. Without --check, --ticket\n"
                            u"or --export it opens the main window. Bad command lines exit with 2.\n"_s));
    QVERIFY(help.contains(u"\nChecking tickets, without a window:\n"
                          u"  --ticket <numbers>   Without a window: check these six-digit ticket numbers,\n"
                          u"                       separated by commas, print the prizes won and exit (0: a\n"
                          u"                       ticket won, 1: none did, 2: bad input or a draw not\n"
                          u"                       stored, 3: none won the prizes that could be checked,\n"
                          u"                       but the draw has no full prize table).\n"
                          u"  --draw <YYYYMMDD>    With --ticket: the draw checked against, its date with\n"
                          u"                       the year of the Buddhist Era (default: the newest).\n"_s));

    // Each option stands under its mode's heading, and Qt's own only in the full help.
    for (const CommandLine::OptionGroup& group : CommandLine::optionGroups()) {
        QCOMPARE(help.contains(u'\n' + group.heading + u":\n"_s), !group.qtOwn);
        const qsizetype heading = helpAll.indexOf(u'\n' + group.heading + u":\n"_s);
        QVERIFY2(heading >= 0, qPrintable(group.heading));
        for (const CommandLine::Option& option : group.options) {
            const QString line = u"\n  "_s + option.spellings.join(u", "_s);
            QVERIFY2(helpAll.indexOf(line, heading) > heading, qPrintable(line));
            QCOMPARE(help.contains(line), !group.qtOwn);
        }
    }
    QVERIFY(helpAll.contains(u"\n  -platform <name[:options]>\n"_s));
}

void TestCommandLine::documentsNameEveryOption_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("sectionStart");
    QTest::addColumn<QString>("sectionEnd");

    QTest::newRow("manual page") << QStringLiteral(VARENTA_SOURCE_DIR "/packaging/varenta.1") << u"\n.SH OPTIONS\n"_s
                                 << u"\n.SH "_s;
    QTest::newRow("README") << QStringLiteral(VARENTA_SOURCE_DIR "/README.md") << u"\n### Command-line options\n"_s
                            << u"\n#"_s;
}

void TestCommandLine::documentsNameEveryOption()
{
    QFETCH(QString, path);
    QFETCH(QString, sectionStart);
    QFETCH(QString, sectionEnd);

    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    // The manual page writes a dash as \- and changes fonts with \f.
    static const QRegularExpression fontChange(u"\\\\f[BIRP]"_s);
    const QString text = QString::fromUtf8(file.readAll()).replace(u"\\-"_s, u"-"_s).remove(fontChange);
    const qsizetype start = text.indexOf(sectionStart);
    QVERIFY(start >= 0);
    const qsizetype end = text.indexOf(sectionEnd, start + sectionStart.size());
    const QSet<QString> documented = spellingsIn(text.mid(start, end < 0 ? -1 : end - start));

    QSet<QString> options;
    for (const CommandLine::OptionGroup& group : CommandLine::optionGroups()) {
        for (const CommandLine::Option& option : group.options) {
            if (!group.qtOwn) {
                options.unite(QSet<QString>(option.spellings.cbegin(), option.spellings.cend()));
            }
        }
    }
    QStringList missing = QStringList(options.cbegin(), options.cend());
    missing.removeIf([&documented](const QString& spelling) { return documented.contains(spelling); });
    QStringList unknown = QStringList(documented.cbegin(), documented.cend());
    unknown.removeIf([&options](const QString& spelling) { return options.contains(spelling); });
    QVERIFY2(missing.isEmpty(), qPrintable(u"not documented: "_s + missing.join(u' ')));
    QVERIFY2(unknown.isEmpty(), qPrintable(u"documented but not an option: "_s + unknown.join(u' ')));
}

void TestCommandLine::desktopActionsOpenTheirWindows_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("thaiName");
    QTest::addColumn<bool>("openTickets");
    QTest::addColumn<bool>("openStatistics");

    QTest::newRow("the program") << u"Desktop Entry"_s << u"วาเรนตา"_s << false << false;
    QTest::newRow("the ticket checker") << u"Desktop Action tickets"_s << u"ตรวจสลาก"_s << true << false;
    QTest::newRow("the statistics window") << u"Desktop Action statistics"_s << u"ดูสถิติ"_s << false << true;
}

void TestCommandLine::desktopActionsOpenTheirWindows()
{
    QFETCH(QString, group);
    QFETCH(QString, thaiName);
    QFETCH(bool, openTickets);
    QFETCH(bool, openStatistics);

    // The entry as it is installed, configured by the build.
    const auto groups = desktopEntryGroups(QStringLiteral(VARENTA_DESKTOP_ENTRY));
    QVERIFY2(groups.contains(group), qPrintable(group));
    if (group.startsWith(u"Desktop Action "_s)) {
        const QStringList actions =
            groups.value(u"Desktop Entry"_s).value(u"Actions"_s).split(u';', Qt::SkipEmptyParts);
        QVERIFY(actions.contains(group.mid(QStringView(u"Desktop Action ").size())));
    }
    QCOMPARE(groups.value(group).value(u"Name[th]"_s), thaiName);

    const QStringList exec = QProcess::splitCommand(groups.value(group).value(u"Exec"_s));
    QVERIFY(!exec.isEmpty());
    QCOMPARE(exec.constFirst(), u"varenta"_s);
    const CommandLine::Launch launch = parseCommandLine(exec);
    const auto* window = std::get_if<CommandLine::Window>(&launch);
    QVERIFY2(window, qPrintable(exec.join(u' ')));
    QCOMPARE(window->openTickets, openTickets);
    QCOMPARE(window->openStatistics, openStatistics);
    QVERIFY(!window->updateNow && !window->closeAfterStart);
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
