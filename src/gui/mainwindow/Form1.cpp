#include "Form1.h"

#include "analysiswindow/Form2.h"
#include "data/DataTexts.h"
#include "data/TextTableModel.h"
#include "data/ThaiCalendar.h"
#include "mainwindow/MainWindowTexts.h"
#include "widgets/BrowserLinks.h"
#include "widgets/EventPacer.h"
#include "widgets/Fonts.h"
#include "widgets/ReportList.h"
#include "widgets/Twips.h"
#include "widgets/WindowFrame.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QItemSelection>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeView>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The client area as designed, in twips.
constexpr int clientWidthTwips = 11880;
constexpr int clientHeightTwips = 7890;

// The month items of the selection menu, January to December.
constexpr std::array<QStringView, 12> monthItemNames {u"nmujan", u"nmufeb", u"nmumarch", u"nmuapril", u"nmumay",
    u"nmujune", u"nmujuly", u"nmuaugust", u"nmusep", u"nmuoct", u"nmunov", u"nmudec"};

template<typename Widget>
Widget* place(Widget* widget, QStringView name, QRect twips, const QFont& font)
{
    widget->setObjectName(name.toString());
    widget->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    widget->setFont(font);
    return widget;
}

// Tahoma's stand-ins run wider than Tahoma: a caption that would be cut at the button's edges is set a little
// smaller instead, so that the whole caption stays readable.
void fitCaption(QPushButton* button)
{
    constexpr int marginsPixels = 12;
    button->setFont(Fonts::shrunkToFit(button->font(), button->text(), button->width() - marginsPixels, button));
}

QPushButton* makeButton(QWidget* parent, QStringView name, const QString& caption, QRect twips, const QFont& font)
{
    auto* button = place(new QPushButton(caption, parent), name, twips, font);
    button->setAutoDefault(false);
    fitCaption(button);
    return button;
}

// One flag per row of a list of `count` rows: whether `selection` holds it.
std::vector<bool> selectedRows(const QItemSelection& selection, int count)
{
    std::vector<bool> selected(static_cast<std::size_t>(count), false);
    for (const QItemSelectionRange& range : selection) {
        for (int row = qMax(range.top(), 0); row <= qMin(range.bottom(), count - 1); ++row) {
            selected[static_cast<std::size_t>(row)] = true;
        }
    }
    return selected;
}

// Marks the work buttons: what assistive technology sees of them is a bare widget that offers no action.
constexpr char workControlProperty[] = "varentaWorkControl";

QAccessibleInterface* workControlAccessible(const QString& className, QObject* object)
{
    Q_UNUSED(className)
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && widget->property(workControlProperty).toBool()) {
        return new QAccessibleWidget(widget, QAccessible::NoRole);
    }
    return nullptr;
}

QPushButton* makeWorkButton(QWidget* parent, QStringView name, QRect twips, const QFont& font)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(workControlAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled)
    // Marked before it has a parent, so that no accessible interface of it exists yet.
    auto* button = new QPushButton;
    button->setProperty(workControlProperty, true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setVisible(false);
    button->setParent(parent);
    button->setText(name.toString());
    place(button, name, twips, font);
    button->setAutoDefault(false);
    return button;
}

} // namespace

Form1::Form1(Form1Config config, QWidget* parent)
    : QWidget(parent)
    , m_config(std::move(config))
    , m_resultsFile(m_config.resultsFile.isEmpty() ? QDir(m_config.programDirectory).filePath(QStringLiteral("db.dll"))
                                                   : m_config.resultsFile)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(MainWindowTexts::windowTitle().toString());
    setFont(Fonts::windowFont());
    applyFixedClientSize(this, QSize(clientWidthTwips, clientHeightTwips));

    buildControls();
    buildMonthMenu();
    setUpTabOrder();
    connectHandlers();
    setUpCheckActions();
    setUpTicketActions();
    setUpStatisticsActions();
}

Form1::~Form1()
{
    // The analysis window is part of this window's session: it closes with it.
    delete m_analysisWindow.data();
}

void Form1::buildControls()
{
    const QFont windowFont = Fonts::windowFont();
    const QFont tahoma975 = Fonts::tahoma(9.75);
    const QFont tahoma18 = Fonts::tahoma(18);
    const QFont msSansSerif = Fonts::msSansSerif(8.25);

    // The work buttons lie right of the client area. They are never seen and take no focus, so that neither the
    // keyboard nor a screen reader can press them.
    PushButton1 = makeWorkButton(this, u"PushButton1", QRect(13680, 720, 1455, 735), msSansSerif);
    PushButton2 = makeWorkButton(this, u"PushButton2", QRect(15600, 1200, 1695, 615), msSansSerif);

    // The top frame: the latest stored draw and the update button.
    GroupBox1 = place(new QGroupBox(this), u"GroupBox1", QRect(120, 120, 11655, 1095), windowFont);
    Label2 = place(new QLabel(MainWindowTexts::label2Caption().toString(), GroupBox1), u"Label2",
        QRect(120, 240, 3975, 615), tahoma18);
    Label1 = place(new QLabel(MainWindowTexts::label1Initial().toString(), GroupBox1), u"Label1",
        QRect(3600, 360, 6375, 495), tahoma18);
    for (QLabel* label : {Label2, Label1}) {
        label->setTextFormat(Qt::PlainText);
    }
    // The two labels overlap; the caption leans left and the latest draw right, towards the update button, so that
    // their texts never run into each other.
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->setAccessibleDescription(MainWindowTexts::label2Caption().toString());
    PushButton4 = makeButton(GroupBox1, u"PushButton4", MainWindowTexts::updateButton().toString(),
        QRect(10080, 360, 1455, 450), windowFont);

    // The large frame: the draw catalogue, its two selection buttons and the report.
    GroupBox2 = place(new QGroupBox(this), u"GroupBox2", QRect(120, 1320, 11655, 5535), windowFont);
    ListBox2 = place(new QListView(GroupBox2), u"ListBox2", QRect(120, 240, 2415, 4815), tahoma975);
    ListBox2->setSelectionMode(QAbstractItemView::MultiSelection);
    ListBox2->setUniformItemSizes(true);
    ListBox2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_catalogue = new TextTableModel(ListBox2);
    m_catalogue->setColumnTitles({QString()});
    ListBox2->setModel(m_catalogue);
    PushButton6 = makeButton(
        GroupBox2, u"PushButton6", MainWindowTexts::clearButton().toString(), QRect(240, 5100, 1095, 345), windowFont);
    PushButton7 = makeButton(GroupBox2, u"PushButton7", MainWindowTexts::chooseDrawsButton().toString(),
        QRect(1440, 5100, 1095, 345), windowFont);
    ListViewReport = ReportList::create(GroupBox2, u"ListViewReport", QRect(2640, 240, 8895, 5175));
    // Several rows at once (Shift and Ctrl with the click), so that copying takes as many draws as the user wants.
    ListViewReport->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_report = ReportList::rows(ListViewReport);

    // The row of buttons under the large frame, left to right.
    PushButton8 = makeButton(this, u"PushButton8",
        MainWindowTexts::checkAtPrefix().toString() + QStringLiteral(VARENTA_SITE_NAME), QRect(5160, 6960, 1575, 450),
        tahoma975);
    PushButton3 = makeButton(
        this, u"PushButton3", MainWindowTexts::showListButton().toString(), QRect(6840, 6960, 1575, 450), tahoma975);
    PushButton5 = makeButton(
        this, u"PushButton5", MainWindowTexts::analysisButton().toString(), QRect(8520, 6960, 1575, 450), tahoma975);
    PushButton9 = makeButton(this, u"PushButton9", MainWindowTexts::updateVersionButton().toString(),
        QRect(10200, 6960, 1575, 450), tahoma975);

    StatusBar1 = createStatusBar(this, clientWidthTwips, clientHeightTwips);
}

void Form1::buildMonthMenu()
{
    nmuselect = new QMenu(MainWindowTexts::menuCaption().toString(), this);
    nmuselect->setObjectName(QStringLiteral("nmuselect"));

    nmuall = nmuselect->addAction(MainWindowTexts::selectAllItem().toString());
    nmuall->setObjectName(QStringLiteral("nmuall"));
    connect(nmuall, &QAction::triggered, this, [this] { selectAllDraws(); });

    const auto& months = ThaiMonthNames::months();
    for (std::size_t month = 0; month < months.size(); ++month) {
        QAction* item = nmuselect->addAction(months[month].mainWindow.toString());
        item->setObjectName(monthItemNames[month].toString());
        const int number = static_cast<int>(month) + 1;
        connect(item, &QAction::triggered, this, [this, number] { selectDrawsOfMonth(number); });
        m_monthItems[month] = item;
    }
}

void Form1::setUpTabOrder()
{
    // The work buttons come first, then the visible controls from the top frame down to the row of buttons.
    const std::array<QWidget*, 11> order {PushButton2, PushButton1, PushButton4, ListBox2, ListViewReport, PushButton5,
        PushButton3, PushButton6, PushButton7, PushButton8, PushButton9};
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void Form1::connectHandlers()
{
    connect(PushButton3, &QPushButton::clicked, this, [this] { showReport(); });
    connect(PushButton4, &QPushButton::clicked, this, [this] { UpdateDatabase(); });
    connect(PushButton1, &QPushButton::clicked, this, [this] { DownloadAllDraws(); });
    connect(PushButton5, &QPushButton::clicked, this, [this] { ShowAnalysisWindow(); });
    connect(PushButton6, &QPushButton::clicked, this, [this] { clearSelection(); });
    connect(PushButton7, &QPushButton::clicked, this, [this] { popUpMonthMenu(); });
    connect(PushButton8, &QPushButton::clicked, this, [this] { OpenLotteryOfficeSite(); });
    connect(PushButton9, &QPushButton::clicked, this, [this] { OpenPublisherPage(); });
}

void Form1::load()
{
    applySkin();
    setUpReportColumns();
    readCatalogue();
    showResultsFileInUse();
    // The work buttons lead the focus order, but the keyboard starts on the first control the user can see.
    PushButton4->setFocus(Qt::OtherFocusReason);
}

int Form1::drawCount() const
{
    return m_catalogue->rowCount();
}

bool Form1::isDrawSelected(int index) const
{
    return index >= 0 && index < drawCount() && ListBox2->selectionModel()->isSelected(m_catalogue->index(index, 0));
}

QList<int> Form1::selectedDrawIndexes() const
{
    const int count = drawCount();
    const std::vector<bool> selected = selectedRows(ListBox2->selectionModel()->selection(), count);
    QList<int> indexes;
    for (int row = 0; row < count; ++row) {
        if (selected[static_cast<std::size_t>(row)]) {
            indexes.append(row);
        }
    }
    return indexes;
}

QStringList Form1::selectedLines() const
{
    QStringList lines;
    for (const int i : selectedDrawIndexes()) {
        if (i < List2.size()) {
            lines.append(List2.at(i));
        }
    }
    return lines;
}

void Form1::applySkin()
{
    // A missing or broken skin leaves the window its default look; there is nothing for the user to do about it.
    if (SkinFramework.load(QDir(m_config.programDirectory).filePath(u"Graphic"_s), u"Normalblue.ini"_s)) {
        SkinFramework.apply(this);
    }
}

void Form1::setUpReportColumns()
{
    QStringList titles;
    for (QStringView title : DataTexts::fieldTitles()) {
        titles.append(title.toString());
    }
    ReportList::setColumns(ListViewReport, titles, {2000, 1200, 1200, 1200, 1200, 1200});
}

void Form1::readCatalogue()
{
    EventPacer pacer;
    const Result<QStringList> lines = m_resultsFile.readResultsFile([&pacer] { pacer.letEventsRun(); });
    List2 = lines.ok() ? lines.value() : QStringList();
    m_readFailure = lines.ok() ? QString() : lines.error();

    if (List2.isEmpty()) {
        Label1->setText(
            lines.ok() ? DataTexts::noDrawStored().toString() : DataTexts::resultsFileUnreadable().toString());
        if (!lines.ok()) {
            Label1->setToolTip(lines.error());
        }
        return;
    }

    Label1->setText(drawCaption(List2.constFirst()));
    m_titles.reserve(List2.size());
    m_months.reserve(List2.size());
    for (const QString& line : std::as_const(List2)) {
        m_titles.append(drawTitle(line));
        m_months.append(drawMonth(line));
    }
    m_catalogue->setRows(int(m_titles.size()), [titles = m_titles](int row) { return QStringList {titles.at(row)}; });
}

void Form1::showResultsFileInUse()
{
    // Which file the window shows matters once users of one machine each keep their own.
    QStringList lines {MainWindowTexts::resultsFileInUse().toString().arg(
        QDir::toNativeSeparators(QFileInfo(m_resultsFile.path()).absoluteFilePath()))};
    for (const QString& more : {m_config.resultsFileProblem, Label1->toolTip()}) {
        if (!more.isEmpty()) {
            lines.append(more);
        }
    }
    Label1->setToolTip(lines.join(u'\n'));
}

void Form1::popUpMonthMenu()
{
    // At the pointer when the button was clicked; under the button when it was pressed from the keyboard.
    const QPoint pointer = QCursor::pos();
    const QRect button(PushButton7->mapToGlobal(QPoint(0, 0)), PushButton7->size());
    nmuselect->popup(button.contains(pointer) ? pointer : button.bottomLeft());
}

void Form1::selectAllDraws()
{
    if (drawCount() > 0) {
        ListBox2->selectAll();
    }
}

void Form1::selectDrawsOfMonth(int month)
{
    // The draws selected now and those of the month become the new selection, set in one step as runs of
    // neighbouring draws.
    const int count = drawCount();
    std::vector<bool> selected = selectedRows(ListBox2->selectionModel()->selection(), count);
    bool added = false;
    for (int row = 0; row < count; ++row) {
        if (!selected[static_cast<std::size_t>(row)] && m_months.at(row) == month) {
            selected[static_cast<std::size_t>(row)] = true;
            added = true;
        }
    }
    if (!added) {
        return;
    }
    QItemSelection selection;
    for (int row = 0; row < count;) {
        if (!selected[static_cast<std::size_t>(row)]) {
            ++row;
            continue;
        }
        const int first = row;
        while (row < count && selected[static_cast<std::size_t>(row)]) {
            ++row;
        }
        selection.append(QItemSelectionRange(m_catalogue->index(first, 0), m_catalogue->index(row - 1, 0)));
    }
    ListBox2->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void Form1::clearSelection()
{
    ListBox2->clearSelection();
}

void Form1::showReport()
{
    // Events run while the report is built; a second click arriving meanwhile would interleave two builds in one
    // table.
    if (m_reportRunning) {
        return;
    }
    m_reportRunning = true;
    const QPointer<Form1> self(this);
    const auto done = qScopeGuard([self] {
        if (self) {
            self->m_reportRunning = false;
        }
    });

    m_report->clear();
    m_reportDraws.clear();

    // The draws selected at the click; choices made while the rows are built wait for the next click.
    const QList<int> selected = selectedDrawIndexes();
    m_reportDraws = selected;

    EventPacer pacer;
    pacer.letEventsRun();
    if (!self) {
        return;
    }

    // The rows are handed to the table in one step; each row's cells are cut from its line when the table shows it.
    m_report->setRows(int(selected.size()), [selected, titles = m_titles, lines = List2](int row) {
        const int i = selected.at(row);
        const QStringList fields =
            ResultsFile::numberFields(i < lines.size() ? QStringView(lines.at(i)) : QStringView());
        QStringList cells {titles.at(i)};
        for (int k = 0; k < 6; ++k) {
            cells.append(k < fields.size() ? fields.at(k) : QString());
        }
        return cells;
    });
}

void Form1::ShowAnalysisWindow()
{
    if (m_analysisWindow) {
        // Open already: only bring it to the front, with its choices and results as they are.
        WindowFrame::bringToFront(m_analysisWindow);
        return;
    }
    // The analysis works on the draws selected now, in catalogue order; later choices here do not reach it.
    auto* window = new Form2(selectedLines());
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_analysisWindow = window;
    connectStatistics(window);
    window->load();
    window->show();
}

void Form1::OpenLotteryOfficeSite()
{
    BrowserLinks::openInDefaultBrowser(this, QStringLiteral(VARENTA_HOME_ADDRESS));
}

void Form1::OpenPublisherPage()
{
    BrowserLinks::openInDefaultBrowser(this, QStringLiteral(VARENTA_PUBLISHER_PAGE));
}
