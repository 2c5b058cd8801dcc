#include "Form2.h"

#include "analysis/AnalysisTexts.h"
#include "analysiswindow/FilterBox.h"
#include "data/DataTexts.h"
#include "data/TextTableModel.h"
#include "data/ThaiCalendar.h"
#include "widgets/EventPacer.h"
#include "widgets/Fonts.h"
#include "widgets/ReportList.h"
#include "widgets/Twips.h"
#include "widgets/WindowFrame.h"

#include <QPointer>
#include <QPushButton>
#include <QTreeView>

namespace {

constexpr int kClientWidthTwips = 9510;
constexpr int kClientHeightTwips = 5880;

FilterBox* makeFilterBox(const QString& name, QStringView initialText, const QRect& geometry, QWidget* parent)
{
    auto* box = new FilterBox(initialText.toString(), parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setFont(Fonts::tahoma(9.75));
    return box;
}

} // namespace

Form2::Form2(QStringList baseSet, QWidget* parent)
    : QWidget(parent)
    , m_baseSet(std::move(baseSet))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(AnalysisTexts::windowTitle().toString());
    setFont(Fonts::windowFont());

    // Controls in the order the window holds them.
    ListView1 = ReportList::create(this, u"ListView1", QRect(120, 1560, 9255, 2535));
    ListViewReport = ReportList::create(this, u"ListViewReport", QRect(120, 4200, 9255, 1215));
    m_drawRows = ReportList::rows(ListView1);
    m_frequencyRows = ReportList::rows(ListViewReport);

    PushButton1 = new QPushButton(AnalysisTexts::analyseButton().toString(), this);
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton1->setGeometry(twipsRect(7800, 120, 1575, 1290));
    PushButton1->setFont(Fonts::tahoma(12));

    const auto& initial = AnalysisTexts::filterBoxInitialTexts();
    cmbday = makeFilterBox(QStringLiteral("cmbday"), initial[0], twipsRect(2640, 1080, 2415, 405), this);
    ComboBox1 = makeFilterBox(QStringLiteral("ComboBox1"), initial[1], twipsRect(120, 120, 2415, 405), this);
    ComboBox2 = makeFilterBox(QStringLiteral("ComboBox2"), initial[2], twipsRect(2640, 120, 2415, 405), this);
    ComboBox3 = makeFilterBox(QStringLiteral("ComboBox3"), initial[3], twipsRect(5160, 120, 2415, 405), this);
    ComboBox4 = makeFilterBox(QStringLiteral("ComboBox4"), initial[4], twipsRect(120, 600, 2415, 405), this);
    ComboBox5 = makeFilterBox(QStringLiteral("ComboBox5"), initial[5], twipsRect(2640, 600, 2415, 405), this);
    ComboBox6 = makeFilterBox(QStringLiteral("ComboBox6"), initial[6], twipsRect(120, 1080, 2415, 405), this);
    ComboBox7 = makeFilterBox(QStringLiteral("ComboBox7"), initial[7], twipsRect(5160, 600, 2415, 405), this);

    StatusBar1 = createStatusBar(this, kClientWidthTwips, kClientHeightTwips);

    // Keyboard focus order of the visible controls.
    const QList<QWidget*> focusOrder {cmbday, PushButton1, ListViewReport, ComboBox1, ComboBox2, ComboBox3, ComboBox4,
        ComboBox5, ComboBox6, ComboBox7, ListView1};
    for (qsizetype i = 1; i < focusOrder.size(); ++i) {
        setTabOrder(focusOrder[i - 1], focusOrder[i]);
    }

    applyFixedClientSize(this, QSize(kClientWidthTwips, kClientHeightTwips));

    connect(PushButton1, &QPushButton::clicked, this, [this] { analyse(); });
    setUpStatisticsActions();
}

Form2::~Form2() = default;

void Form2::load()
{
    setUpDrawTableColumns();
    List1.clear();
    fillFilterBoxes();
    setUpFrequencyTableColumns();
    takeBaseSet();
}

AnalysisCriteria Form2::chosenCriteria() const
{
    AnalysisCriteria criteria;
    criteria.weekday = cmbday->chosenValue();
    criteria.firstPrizeHundreds = ComboBox1->chosenValue();
    criteria.firstPrizeTens = ComboBox2->chosenValue();
    criteria.firstPrizeUnits = ComboBox3->chosenValue();
    criteria.firstPrizeTensUnits = ComboBox4->chosenValue();
    criteria.firstPrizeLeadingPair = ComboBox5->chosenValue();
    criteria.twoDigitUnits = ComboBox6->chosenValue();
    criteria.twoDigitTens = ComboBox7->chosenValue();
    return criteria;
}

void Form2::setUpDrawTableColumns()
{
    QStringList titles;
    for (QStringView title : DataTexts::fieldTitles()) {
        titles.append(title.toString());
    }
    ReportList::setColumns(ListView1, titles, {2000, 1200, 1200, 1200, 1200, 1200});
}

void Form2::setUpFrequencyTableColumns()
{
    QStringList titles {AnalysisTexts::frequencyFirstColumnTitle().toString()};
    QList<int> widths {1200};
    for (int digit = 0; digit <= 9; ++digit) {
        titles.append(QString::number(digit));
        if (digit < 9) {
            widths.append(800);
        }
    }
    ReportList::setColumns(ListViewReport, titles, widths);
}

void Form2::fillFilterBoxes()
{
    const QString notChosen = AnalysisTexts::notChosen().toString();
    const auto fill = [&notChosen](FilterBox* box, const QList<std::pair<QString, int>>& choices) {
        box->clear();
        box->addNoChoice(notChosen);
        for (const auto& [text, value] : choices) {
            box->addChoice(text, value);
        }
    };

    QList<std::pair<QString, int>> days;
    for (int weekday = 1; weekday <= 7; ++weekday) {
        days.append({ThaiDayNames::forWeekday(weekday), weekday});
    }
    QList<std::pair<QString, int>> digits;
    for (int n = 0; n <= 9; ++n) {
        digits.append({digitsText(n, 1), n});
    }
    QList<std::pair<QString, int>> pairs;
    for (int n = 0; n <= 99; ++n) {
        pairs.append({digitsText(n, 2), n});
    }

    fill(cmbday, days);
    for (FilterBox* box : {ComboBox1, ComboBox2, ComboBox3, ComboBox6, ComboBox7}) {
        fill(box, digits);
    }
    for (FilterBox* box : {ComboBox4, ComboBox5}) {
        fill(box, pairs);
    }
}

void Form2::takeBaseSet()
{
    List1 = m_baseSet;
}

void Form2::analyse()
{
    // The table fill below lets window events run; a click that arrives meanwhile must not start a second run.
    if (m_analysing) {
        return;
    }
    m_analysing = true;

    List2.clear();
    List3.clear();
    m_drawRows->clear();
    m_frequencyRows->clear();

    m_lastAnalysisCriteria = chosenCriteria();
    List3 = filterDraws(List1, m_lastAnalysisCriteria);

    // The window may be destroyed while events run; stop then without touching it again.
    const QPointer<Form2> alive(this);
    EventPacer pacer;
    pacer.letEventsRun();
    if (!alive) {
        return;
    }

    // The rows are handed to the table in one step; each row's cells are cut from its line when the table shows it.
    m_drawRows->setRows(int(List3.size()), [matching = List3](int row) { return drawTableRow(matching.at(row)); });

    fillFrequencyTable(countTwoDigitPlaces(List3));
    m_analysing = false;
    Q_EMIT analysisFinished();
}

void Form2::fillFrequencyTable(const DigitCounts& counts)
{
    const auto& rowTitles = AnalysisTexts::frequencyRowTitles();
    const std::array<const DigitCountRow*, 2> rows {&counts.tensPlace, &counts.unitsPlace};
    QList<QStringList> table;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        QStringList cells {rowTitles[row].toString()};
        for (const int count : *rows[row]) {
            cells.append(QString::number(count));
        }
        table.append(cells);
    }
    m_frequencyRows->setRows(table);
}
