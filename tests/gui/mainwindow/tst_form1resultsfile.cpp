#include "DialogRecorder.h"
#include "FakeResultSite.h"
#include "SteppingClock.h"
#include "TestData.h"
#include "data/ResultsFile.h"
#include "mainwindow/Form1.h"
#include "updater/PageDrawSource.h"
#include "widgets/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const DrawRecord newer {u"25690901"_s, u"090169"_s, u"901"_s, u"902"_s, u"903"_s, u"904"_s, u"09"_s};
const DrawRecord older {u"25690816"_s, u"004615"_s, u"429"_s, u"731"_s, u"094"_s, u"937"_s, u"53"_s};

QByteArray lineOf(const DrawRecord& draw)
{
    return ResultsFile::formatDrawLine(draw).toLatin1() + "\r\n";
}

} // namespace

/// The main window on a results file that lives apart from the program, as each user's file of a shared install.
class TestForm1ResultsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void update_data();
    void update();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DialogRecorder> m_dialogs;
    SteppingClock m_clock {std::chrono::milliseconds(250), SteppingClock::afterTestDraws()};
};

void TestForm1ResultsFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_dialogs = std::make_unique<DialogRecorder>();
}

void TestForm1ResultsFile::cleanup()
{
    m_dialogs.reset();
}

void TestForm1ResultsFile::update_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QByteArray>("userFileAfter");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("listLoads");

    const QString problem = u"บันทึกผลรางวัลงวดใหม่ไม่ได้ เพราะสร้างหรือเขียนโฟลเดอร์ข้อมูลของคุณไม่ได้:\n/nowhere"_s;
    QTest::newRow("the user's file is updated")
        << QString() << lineOf(newer) + lineOf(older) << u"ปิดโปรแกรมเพื่ออัพเดทข้อมูล"_s << 1;
    QTest::newRow("a file that must not be written: told, nothing fetched")
        << problem << lineOf(older) << problem + u"\nฐานข้อมูลยังเหมือนเดิม ไม่มีการบันทึกใดๆ"_s << 0;
}

void TestForm1ResultsFile::update()
{
    QFETCH(QString, problem);
    QFETCH(QByteArray, userFileAfter);
    QFETCH(QString, message);
    QFETCH(int, listLoads);

    const QDir root(m_dir->path());
    QVERIFY(root.mkpath(u"program"_s) && root.mkpath(u"user"_s));
    const QString bundled = root.filePath(u"program/db.dll"_s);
    const QString userFile = root.filePath(u"user/db.dll"_s);
    const QByteArray bundledBytes = lineOf(older) + lineOf(older);
    QVERIFY(writeBytes(bundled, bundledBytes));
    QVERIFY(writeBytes(userFile, lineOf(older)));
    FakeResultSite site({newer, older});
    QVERIFY(site.listen());

    Form1Config config;
    config.programDirectory = root.filePath(u"program"_s);
    config.resultsFile = userFile;
    config.resultsFileProblem = problem;
    const QUrl page = site.resultPageUrl();
    config.makeDrawSource = [this, page]() -> std::unique_ptr<DrawSource> {
        return std::make_unique<PageDrawSource>(page, m_clock, PageClient::Limits {2000, 5, 1 << 20});
    };
    config.clock = &m_clock;
    Form1 form(std::move(config));
    form.load();
    form.show();

    // The window shows the user's file and says which file it is.
    QCOMPARE(form.list2().size(), 1);
    const QString toolTip = form.findChild<QLabel*>(u"Label1"_s)->toolTip();
    QCOMPARE(toolTip.section(u'\n', 0, 0), u"แฟ้มผลรางวัลที่ใช้อยู่: "_s + userFile);
    QCOMPARE(toolTip.section(u'\n', 1), problem);

    form.findChild<QPushButton*>(u"PushButton4"_s)->click();

    QCOMPARE(fileBytes(userFile), userFileAfter);
    QCOMPARE(fileBytes(bundled), bundledBytes);
    QCOMPARE(site.listLoads(), listLoads);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].text, message);
    QCOMPARE(m_dialogs->ends, problem.isEmpty() ? 1 : 0);
}

QTEST_MAIN(TestForm1ResultsFile)
#include "tst_form1resultsfile.moc"
