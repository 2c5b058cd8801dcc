#include "DialogRecorder.h"
#include "FakeGloApi.h"
#include "SteppingClock.h"
#include "data/ResultsFile.h"
#include "mainwindow/Form1.h"
#include "mainwindow/MainWindowTexts.h"
#include "updater/GloApiSource.h"
#include "updater/GloApiTexts.h"
#include "updater/NetworkTexts.h"
#include "updater/UpdaterTexts.h"
#include "widgets/Dialogs.h"

#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(GloFault)

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bundled results file from the line of `key` to its end.
QByteArray bundledFrom(const char* key)
{
    const QByteArray bundled = readBytes(QStringLiteral(VARENTA_BUNDLED_DB));
    const qsizetype at = bundled.indexOf(QByteArray(QByteArray("\r\n") + key));
    return at < 0 ? QByteArray() : bundled.mid(at + 2);
}

QStringList linesOf(const QByteArray& bytes)
{
    QStringList lines;
    for (const QByteArray& line : bytes.split('\n')) {
        if (!line.trimmed().isEmpty()) {
            lines.append(QString::fromLatin1(line.trimmed()));
        }
    }
    return lines;
}

} // namespace

/// The update and the full download of the main window against a fake of the lottery office's JSON API.
class TestForm1ApiUpdate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void updateGainsTheDrawsAcrossTheFormatChange_data();
    void updateGainsTheDrawsAcrossTheFormatChange();
    void updateWithNothingNewKeepsTheLines();
    void fullDownloadFillsAnEmptyFile_data();
    void fullDownloadFillsAnEmptyFile();
    void failuresLeaveTheFileUntouched_data();
    void failuresLeaveTheFileUntouched();
    void progressIsShownStepByStep_data();
    void progressIsShownStepByStep();
    void quickWorkShowsNoProgress();
    void cancelStopsTheWork_data();
    void cancelStopsTheWork();
    void drawDayWritesTheCompleteDraws_data();
    void drawDayWritesTheCompleteDraws();

private:
    void start(const QByteArray& content);
    QString dbPath() const { return m_dir->filePath(u"db.dll"_s); }
    QPushButton* button(const QString& name) const { return m_form->findChild<QPushButton*>(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeGloApi> m_api;
    std::unique_ptr<SteppingClock> m_clock;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<DialogRecorder> m_dialogs;
};

void TestForm1ApiUpdate::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_api = std::make_unique<FakeGloApi>();
    QVERIFY(m_api->listen());
    m_clock = std::make_unique<SteppingClock>();
    m_dialogs = std::make_unique<DialogRecorder>();
}

void TestForm1ApiUpdate::cleanup()
{
    m_form.reset();
    m_api.reset();
    m_clock.reset();
    m_dialogs.reset();
}

void TestForm1ApiUpdate::start(const QByteArray& content)
{
    QFile file(dbPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
    file.close();

    Form1Config config;
    config.programDirectory = m_dir->path();
    config.clock = m_clock.get();
    config.makeDrawSource = [this]() -> std::unique_ptr<DrawSource> {
        GloApiOptions options;
        options.baseUrl = m_api->baseUrl();
        options.transferTimeout = std::chrono::milliseconds(300);
        options.firstYear = 2015;
        return std::make_unique<GloApiSource>(options, *m_clock);
    };
    m_form = std::make_unique<Form1>(std::move(config));
    m_form->load();
    m_form->show();
    QVERIFY(button(u"PushButton4"_s) && button(u"PushButton1"_s));
}

void TestForm1ApiUpdate::updateGainsTheDrawsAcrossTheFormatChange_data()
{
    QTest::addColumn<bool>("periodsServed");
    QTest::newRow("draw dates by year") << true;
    QTest::newRow("likely draw days asked one by one") << false;
}

void TestForm1ApiUpdate::updateGainsTheDrawsAcrossTheFormatChange()
{
    QFETCH(bool, periodsServed);
    const QByteArray stored = bundledFrom("25580801");
    QVERIFY(stored.startsWith("25580801,"));
    m_api->addDrawLines(linesOf(stored).first(20));
    m_api->addSavedDraw(u"getLotteryResult-2015-08-16.json"_s);
    m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);
    m_api->setPeriodsByYearServed(periodsServed);
    start(stored);

    button(u"PushButton4"_s)->click();

    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages.first().text, MainWindowTexts::closingMessage().toString());
    QCOMPARE(m_dialogs->messages.first().icon, Dialogs::Icon::Information);
    QCOMPARE(m_dialogs->ends, 1);
    // Byte for byte as the bundled file has these draws.
    QCOMPARE(readBytes(dbPath()), bundledFrom("25580901"));
    QCOMPARE(m_form->list2().first(3), (QStringList {linesOf(bundledFrom("25580901")).first(3)}));
}

void TestForm1ApiUpdate::updateWithNothingNewKeepsTheLines()
{
    const QByteArray stored = bundledFrom("25580901");
    m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);
    start(stored);

    button(u"PushButton4"_s)->click();

    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages.first().text, MainWindowTexts::closingMessage().toString());
    QCOMPARE(m_dialogs->ends, 1);
    QCOMPARE(readBytes(dbPath()), stored);
    QCOMPARE(m_api->server().requestCount(), 1);
}

void TestForm1ApiUpdate::fullDownloadFillsAnEmptyFile_data()
{
    QTest::addColumn<bool>("periodsServed");
    QTest::newRow("draw dates by year") << true;
    QTest::newRow("likely draw days asked one by one") << false;
}

void TestForm1ApiUpdate::fullDownloadFillsAnEmptyFile()
{
    QFETCH(bool, periodsServed);
    const QStringList draws = linesOf(bundledFrom("25580901")).first(6);
    m_api->addDrawLines(draws);
    m_api->setPeriodsByYearServed(periodsServed);
    start(QByteArray());

    button(u"PushButton1"_s)->click();

    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages.first().text, MainWindowTexts::downloadDone().toString());
    QCOMPARE(m_dialogs->ends, 0);
    QCOMPARE(readBytes(dbPath()), QByteArray(draws.join(u"\r\n"_s).toLatin1() + "\r\n"));
}

void TestForm1ApiUpdate::failuresLeaveTheFileUntouched_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QList<GloFault>>("faults");
    QTest::addColumn<QString>("error");

    const QByteArray latest = FakeGloApi::latestPath;
    const QByteArray result = FakeGloApi::resultPath;
    const QString title = u"16 สิงหาคม 2558"_s;
    auto times3 = [](GloFault fault) { return QList<GloFault> {fault, fault, fault}; };
    QTest::newRow("latest: status false")
        << latest << QList<GloFault> {GloFault::StatusFalse} << GloApiTexts::unsuccessful().toString();
    QTest::newRow("latest: response null")
        << latest << QList<GloFault> {GloFault::ResponseNull} << GloApiTexts::unsuccessful().toString();
    QTest::newRow("latest: truncated") << latest << QList<GloFault> {GloFault::Truncated}
                                       << GloApiTexts::unreadable().toString();
    QTest::newRow("latest: 403 three times")
        << latest << times3(GloFault::Http403) << NetworkTexts::httpStatus().toString().arg(403);
    QTest::newRow("latest: 429 three times")
        << latest << times3(GloFault::Http429) << NetworkTexts::httpStatus().toString().arg(429);
    QTest::newRow("latest: 500 three times")
        << latest << times3(GloFault::Http500) << NetworkTexts::httpStatus().toString().arg(500);
    QTest::newRow("latest: slow") << latest << QList<GloFault> {GloFault::Slow} << NetworkTexts::timedOut().toString();
    QTest::newRow("draw: status false") << result << QList<GloFault> {GloFault::StatusFalse}
                                        << GloApiTexts::noDrawOnDate().toString().arg(title);
    QTest::newRow("draw: response null") << result << QList<GloFault> {GloFault::ResponseNull}
                                         << GloApiTexts::noDrawOnDate().toString().arg(title);
    QTest::newRow("draw: empty number lists")
        << result << QList<GloFault> {GloFault::EmptyNumbers} << GloApiTexts::notComplete().toString().arg(title);
    QTest::newRow("draw: placeholders") << result << QList<GloFault> {GloFault::Placeholders}
                                        << GloApiTexts::notComplete().toString().arg(title);
    QTest::newRow("draw: truncated") << result << QList<GloFault> {GloFault::Truncated}
                                     << GloApiTexts::unreadable().toString();
    QTest::newRow("draw: 500 three times")
        << result << times3(GloFault::Http500) << NetworkTexts::httpStatus().toString().arg(500);
    QTest::newRow("draw: slow") << result << QList<GloFault> {GloFault::Slow} << NetworkTexts::timedOut().toString();
}

void TestForm1ApiUpdate::failuresLeaveTheFileUntouched()
{
    QFETCH(QByteArray, path);
    QFETCH(QList<GloFault>, faults);
    QFETCH(QString, error);
    const QByteArray stored = bundledFrom("25580801");
    m_api->addDrawLines(linesOf(stored).first(3));
    m_api->addSavedDraw(u"getLotteryResult-2015-08-16.json"_s);
    m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);
    m_api->failNext(path, faults);
    start(stored);

    button(u"PushButton4"_s)->click();

    QCOMPARE(m_dialogs->ends, 0);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages.first().icon, Dialogs::Icon::Warning);
    QVERIFY2(m_dialogs->messages.first().text.contains(error), qPrintable(m_dialogs->messages.first().text));
    QCOMPARE(readBytes(dbPath()), stored);
    QCOMPARE(m_form->list2(), linesOf(stored));
    // The program goes on, and the user may try again.
    QVERIFY(button(u"PushButton4"_s)->isEnabled());
}

void TestForm1ApiUpdate::progressIsShownStepByStep_data()
{
    QTest::addColumn<bool>("periodsServed");
    QTest::addColumn<QStringList>("steps");
    const QStringList fetching {u"กำลังดึงผลงวด 01 กันยายน 2558 (1 จาก 2)"_s, u"กำลังดึงผลงวด 16 สิงหาคม 2558 (2 จาก 2)"_s};
    QTest::newRow("draw dates by year") << true << (QStringList {u"กำลังค้นหางวดใหม่"_s} + fetching);
    QTest::newRow("likely draw days asked one by one")
        << false << (QStringList {u"กำลังค้นหางวดใหม่"_s, u"กำลังค้นหางวดใหม่ในเดือนสิงหาคม 2558"_s} + fetching);
}

void TestForm1ApiUpdate::progressIsShownStepByStep()
{
    QFETCH(bool, periodsServed);
    QFETCH(QStringList, steps);
    const QByteArray stored = bundledFrom("25580801");
    m_api->addDrawLines(linesOf(stored).first(3));
    m_api->addSavedDraw(u"getLotteryResult-2015-08-16.json"_s);
    m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);
    m_api->setPeriodsByYearServed(periodsServed);
    start(stored);
    QStringList seen;
    bool shownModal = false;
    connect(m_form.get(), &Form1::updaterProgressed, this, [this, &seen, &shownModal](const QString& text) {
        if (seen.isEmpty() || seen.constLast() != text) {
            seen.append(text);
        }
        auto* dialog = m_form->findChild<QProgressDialog*>(u"updateProgress"_s);
        QVERIFY(dialog);
        shownModal = shownModal || (dialog->isVisible() && dialog->windowModality() == Qt::WindowModal);
    });

    button(u"PushButton4"_s)->click();

    QCOMPARE(seen, steps);
    QVERIFY(shownModal);
    QVERIFY(!m_form->findChild<QProgressDialog*>(u"updateProgress"_s));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages.first().text, MainWindowTexts::closingMessage().toString());
    QCOMPARE(readBytes(dbPath()), bundledFrom("25580901"));
}

void TestForm1ApiUpdate::quickWorkShowsNoProgress()
{
    // Well under a second on the updater's clock: the dialog never appears.
    const QByteArray stored = bundledFrom("25580901");
    m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);
    m_clock->setStep(std::chrono::milliseconds(1));
    start(stored);
    bool shown = false;
    connect(m_form.get(), &Form1::updaterProgressed, this,
        [this, &shown] { shown = shown || m_form->findChild<QProgressDialog*>(u"updateProgress"_s)->isVisible(); });

    button(u"PushButton4"_s)->click();

    QVERIFY(!shown);
    QCOMPARE(m_dialogs->ends, 1);
}

void TestForm1ApiUpdate::cancelStopsTheWork_data()
{
    QTest::addColumn<bool>("fullDownload");
    QTest::addColumn<bool>("slowRequest"); // else: a pause that never ends by itself
    QTest::addColumn<int>("keptDraws");
    QTest::newRow("update, during a pause") << false << false << 0;
    QTest::newRow("update, during a slow request") << false << true << 0;
    QTest::newRow("full download, during a pause") << true << false << 3;
    QTest::newRow("full download, during a slow request") << true << true << 2;
}

void TestForm1ApiUpdate::cancelStopsTheWork()
{
    QFETCH(bool, fullDownload);
    QFETCH(bool, slowRequest);
    QFETCH(int, keptDraws);
    const QStringList draws = linesOf(bundledFrom("25580901")).first(6);
    m_api->addDrawLines(draws);
    const QByteArray stored = fullDownload ? QByteArray() : QByteArray(draws.last().toLatin1() + "\r\n");
    start(stored);
    m_api->setSlowDelayMs(20000);
    const auto cancelSoon = [this] {
        QTimer::singleShot(50, m_form.get(), [this] {
            // The user presses the dialog's "ยกเลิก".
            auto* dialog = m_form->findChild<QProgressDialog*>(u"updateProgress"_s);
            QVERIFY(dialog);
            auto* cancel = dialog->findChild<QPushButton*>();
            QVERIFY(cancel);
            QCOMPARE(cancel->text(), UpdateProgressTexts::cancelButton().toString());
            cancel->click();
        });
    };
    int drawsAsked = 0;
    m_api->setRequestObserver([&](const FakeHttpRequest& request) {
        if (request.path != FakeGloApi::resultPath) {
            return;
        }
        ++drawsAsked;
        // The newest draw comes with the latest; each further one is asked for. The observer sees a request
        // before it is answered: a fault set now is this request's.
        if (drawsAsked == 2) {
            if (slowRequest) {
                m_api->failNext(FakeGloApi::resultPath, {GloFault::Slow});
            } else {
                // The clock stops: the next pause would never end.
                m_clock->setStep(std::chrono::milliseconds(0));
            }
            cancelSoon();
        }
    });

    button(fullDownload ? u"PushButton1"_s : u"PushButton4"_s)->click();

    QVERIFY(!m_form->updaterRunning());
    QVERIFY(button(u"PushButton4"_s)->isEnabled());
    QCOMPARE(m_dialogs->ends, 0);
    QCOMPARE(m_dialogs->messages.size(), 1);
    if (fullDownload) {
        // Every draw written before the cancel stays, whole and in order.
        QCOMPARE(readBytes(dbPath()), QByteArray(draws.first(keptDraws).join(u"\r\n"_s).toLatin1() + "\r\n"));
        QCOMPARE(m_dialogs->messages.first().text, UpdaterTexts::downloadCancelled().toString().arg(keptDraws));
    } else {
        QCOMPARE(readBytes(dbPath()), stored);
        QCOMPARE(m_dialogs->messages.first().text,
            UpdaterTexts::withDetail(UpdaterTexts::updateCancelled(), UpdaterTexts::nothingWritten().toString()));
    }
}

void TestForm1ApiUpdate::drawDayWritesTheCompleteDraws_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("ends");
    QTest::addColumn<bool>("fullDownload");
    // The office is drawing 1 Sep 2015: its answers for that day are the real ones with numbers still missing.
    QTest::newRow("complete draws before it") << bundledFrom("25580801") << bundledFrom("25580816") << 1 << false;
    QTest::newRow("nothing else new") << bundledFrom("25580816") << bundledFrom("25580816") << 0 << false;
    QTest::newRow("full download") << QByteArray() << bundledFrom("25580816").first(36 * 4) << 0 << true;
}

void TestForm1ApiUpdate::drawDayWritesTheCompleteDraws()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, expected);
    QFETCH(int, ends);
    QFETCH(bool, fullDownload);
    m_api->addDrawLines(linesOf(bundledFrom("25580801")).first(3));
    m_api->addSavedDraw(u"getLotteryResult-2015-08-16.json"_s);
    m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);
    m_api->failAlways(FakeGloApi::latestPath, GloFault::DrawDay);
    m_api->failNext(FakeGloApi::resultPath, {GloFault::DrawDay});
    start(stored);

    button(fullDownload ? u"PushButton1"_s : u"PushButton4"_s)->click();

    QCOMPARE(readBytes(dbPath()), expected);
    QCOMPARE(m_dialogs->messages.size(), 1);
    if (fullDownload) {
        QCOMPARE(m_dialogs->messages.first().text, MainWindowTexts::downloadDone().toString());
        return;
    }
    QCOMPARE(m_dialogs->messages.first().icon, Dialogs::Icon::Information);
    QCOMPARE(m_dialogs->messages.first().text, UpdaterTexts::newestNotComplete().toString().arg(u"01 กันยายน 2558"_s));
    QCOMPARE(m_dialogs->ends, ends);
    QCOMPARE(button(u"PushButton4"_s)->isEnabled(), ends == 0);
}

QTEST_MAIN(TestForm1ApiUpdate)
#include "tst_form1apiupdate.moc"
