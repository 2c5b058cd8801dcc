#include "StatisticsWindow.h"

#include "analysis/NumberPattern.h"
#include "analysis/StatisticsTexts.h"
#include "analysiswindow/StatisticsModels.h"
#include "data/DataTexts.h"
#include "data/SaveWhole.h"
#include "data/ThaiCalendar.h"
#include "widgets/Dialogs.h"
#include "widgets/Fonts.h"
#include "widgets/TableExport.h"
#include "widgets/WidgetTexts.h"
#include "widgets/WindowFrame.h"
#include "widgets/WindowHabits.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBoxLayout>
#include <QBuffer>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QGraphicsLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QValueAxis>

#include <algorithm>

namespace {

// A picture that could not be drawn has no reason of the system's to tell.
QString failedToDraw(const QString& path)
{
    return StatisticsTexts::saveFailed() + u' ' + QDir::toNativeSeparators(path);
}

QLabel* makeWrappingLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPushButton* makeButton(const QString& name, QStringView caption, QWidget* parent)
{
    auto* button = new QPushButton(caption.toString(), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QString sourceName(PairSource source)
{
    return (
        source == PairSource::TwoDigitPrize ? StatisticsTexts::twoDigitPrize() : StatisticsTexts::firstPrizeLastTwo())
        .toString();
}

QString verdictText(const ChiSquareTest& test)
{
    switch (verdictOf(test)) {
    case TestVerdict::TooFewDraws:
        return StatisticsTexts::verdictTooFewDraws().toString();
    case TestVerdict::WithinChance:
        return StatisticsTexts::verdictWithinChance().toString();
    case TestVerdict::BeyondChance:
        return StatisticsTexts::verdictBeyondChance().toString();
    }
    return {};
}

} // namespace

StatisticsWindow::StatisticsWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("StatisticsWindow"));
    setWindowIcon(programIcon());
    setFont(Fonts::tahoma(10));

    m_description = makeWrappingLabel(QStringLiteral("descriptionLabel"), this);

    auto* sourceLabel = new QLabel(StatisticsTexts::sourceLabel().toString(), this);
    m_lowerButton = new QRadioButton(StatisticsTexts::twoDigitPrize().toString(), this);
    m_lowerButton->setObjectName(QStringLiteral("lowerPairButton"));
    m_upperButton = new QRadioButton(StatisticsTexts::firstPrizeLastTwo().toString(), this);
    m_upperButton->setObjectName(QStringLiteral("upperPairButton"));
    m_lowerButton->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(m_lowerButton);
    group->addButton(m_upperButton);
    auto* printButton = makeButton(QStringLiteral("printButton"), WidgetTexts::printButton(), this);
    auto* pdfButton = makeButton(QStringLiteral("pdfButton"), StatisticsTexts::savePdf(), this);

    auto* topRow = new QHBoxLayout;
    topRow->addWidget(sourceLabel);
    topRow->addWidget(m_lowerButton);
    topRow->addWidget(m_upperButton);
    topRow->addStretch(1);
    topRow->addWidget(printButton);
    topRow->addWidget(pdfButton);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("statisticsTabs"));
    m_tabs->addTab(buildNumbersTab(), StatisticsTexts::numbersTab().toString());
    m_tabs->addTab(buildPlacesTab(), StatisticsTexts::placesTab().toString());
    m_tabs->addTab(buildChartsTab(), StatisticsTexts::chartsTab().toString());
    m_tabs->addTab(buildSearchTab(), StatisticsTexts::searchTab().toString());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_description);
    layout->addLayout(topRow);
    layout->addWidget(m_tabs, 1);

    connect(m_lowerButton, &QRadioButton::toggled, this,
        [this](bool checked) { setPairSource(checked ? PairSource::TwoDigitPrize : PairSource::FirstPrizeLastTwo); });
    connect(printButton, &QPushButton::clicked, this, [this] { printSummary(); });
    connect(pdfButton, &QPushButton::clicked, this, [this] { askAndSavePdf(); });

    WindowHabits::closeWithKeys(this);
    WindowHabits::resizeToFit(this, QSize(1100, 700));
    showDraws({});
}

StatisticsWindow::~StatisticsWindow() = default;

QTableView* StatisticsWindow::makeTable(const QString& name, const QString& fileName)
{
    auto* view = new QTableView(this);
    view->setObjectName(name);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setWordWrap(false);
    TableExport::attach(view, fileName);
    return view;
}

QWidget* StatisticsWindow::buildNumbersTab()
{
    auto* tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("numbersTab"));

    m_gridModel = new PairGridModel(this);
    QTableView* grid = makeTable(QStringLiteral("numberGridView"), QStringLiteral("numbers-grid.csv"));
    grid->setModel(m_gridModel);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setWordWrap(true);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->setMinimumSize(400, 400);
    grid->setAccessibleName(StatisticsTexts::numbersTab().toString());
    grid->setAccessibleDescription(StatisticsTexts::gridCaption().toString());

    m_listModel = new PairListModel(this);
    m_sortedList = new QSortFilterProxyModel(this);
    m_sortedList->setSourceModel(m_listModel);
    m_sortedList->setSortRole(kSortRole);
    QTableView* list = makeTable(QStringLiteral("numberListView"), QStringLiteral("numbers.csv"));
    list->setModel(m_sortedList);
    list->setSortingEnabled(true);
    list->sortByColumn(PairListModel::NumberColumn, Qt::AscendingOrder);
    list->verticalHeader()->hide();
    list->setAccessibleName(StatisticsTexts::numbersTab().toString());
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->horizontalHeader()->setStretchLastSection(true);

    auto* caption = makeWrappingLabel(QStringLiteral("gridCaption"), tab);
    caption->setText(StatisticsTexts::gridCaption().toString());
    m_countedLabel = makeWrappingLabel(QStringLiteral("countedLabel"), tab);

    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(caption);
    gridColumn->addWidget(grid, 1);
    auto* tables = new QHBoxLayout;
    tables->addLayout(gridColumn, 4);
    tables->addWidget(list, 5);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(m_countedLabel);
    layout->addLayout(tables, 1);
    return tab;
}

QWidget* StatisticsWindow::buildPlacesTab()
{
    auto* tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("placesTab"));
    m_placeModel = new DigitPlaceModel(this);
    QTableView* table = makeTable(QStringLiteral("placesView"), QStringLiteral("digits-by-place.csv"));
    table->setModel(m_placeModel);
    table->verticalHeader()->hide();
    table->setAccessibleName(StatisticsTexts::placesTab().toString());
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    m_tensTest = makeWrappingLabel(QStringLiteral("tensTestLabel"), tab);
    m_unitsTest = makeWrappingLabel(QStringLiteral("unitsTestLabel"), tab);
    auto* explanation = makeWrappingLabel(QStringLiteral("testExplanation"), tab);
    explanation->setText(StatisticsTexts::testExplanation().toString());

    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(table, 1);
    layout->addWidget(m_tensTest);
    layout->addWidget(m_unitsTest);
    layout->addWidget(explanation);
    return tab;
}

QWidget* StatisticsWindow::buildChartsTab()
{
    auto* tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("chartsTab"));
    m_chartChoice = new QComboBox(tab);
    m_chartChoice->setObjectName(QStringLiteral("chartChoice"));
    m_chartChoice->addItems({StatisticsTexts::placesChart().toString(), StatisticsTexts::numbersChart().toString()});
    auto* choiceLabel = new QLabel(StatisticsTexts::chartChoiceLabel().toString(), tab);
    choiceLabel->setBuddy(m_chartChoice);
    auto* pngButton = makeButton(QStringLiteral("savePngButton"), StatisticsTexts::savePng(), tab);

    m_chartView = new QChartView(tab);
    m_chartView->setObjectName(QStringLiteral("chartView"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    // A screen reader cannot read bars; the same figures stand in the tables.
    m_chartView->setAccessibleName(StatisticsTexts::chartsTab().toString());
    m_chartView->setAccessibleDescription(StatisticsTexts::chartTextEquivalent().toString());

    auto* row = new QHBoxLayout;
    row->addWidget(choiceLabel);
    row->addWidget(m_chartChoice);
    row->addStretch(1);
    row->addWidget(pngButton);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(row);
    layout->addWidget(m_chartView, 1);

    connect(m_chartChoice, &QComboBox::currentIndexChanged, this, [this] { refreshChart(); });
    connect(pngButton, &QPushButton::clicked, this, [this] { askAndSavePng(); });
    return tab;
}

QWidget* StatisticsWindow::buildSearchTab()
{
    auto* tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("searchTab"));
    m_patternEdit = new QLineEdit(tab);
    m_patternEdit->setObjectName(QStringLiteral("patternEdit"));
    m_patternEdit->setPlaceholderText(StatisticsTexts::searchPlaceholder().toString());
    m_patternEdit->setMaxLength(20);
    auto* label = new QLabel(StatisticsTexts::searchLabel().toString(), tab);
    label->setBuddy(m_patternEdit);
    auto* button = makeButton(QStringLiteral("searchButton"), StatisticsTexts::searchButton(), tab);
    auto* hint = makeWrappingLabel(QStringLiteral("searchHint"), tab);
    hint->setText(StatisticsTexts::searchHint().toString());
    m_searchMessage = makeWrappingLabel(QStringLiteral("searchMessage"), tab);

    m_searchModel = new DrawListModel(this);
    QTableView* results = makeTable(QStringLiteral("searchResultsView"), QStringLiteral("search.csv"));
    results->setModel(m_searchModel);
    results->verticalHeader()->hide();
    results->setAccessibleName(StatisticsTexts::searchTab().toString());
    results->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_patternEdit, 1);
    row->addWidget(button);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(row);
    layout->addWidget(hint);
    layout->addWidget(m_searchMessage);
    layout->addWidget(results, 1);

    connect(button, &QPushButton::clicked, this, [this] { search(m_patternEdit->text()); });
    connect(m_patternEdit, &QLineEdit::returnPressed, this, [this] { search(m_patternEdit->text()); });
    return tab;
}

void StatisticsWindow::showDraws(StatisticsSource source)
{
    m_source = std::move(source);
    m_statistics = computeStatistics(m_source.lines);
    setWindowTitle(StatisticsTexts::windowTitle(int(m_source.lines.size())));
    m_description->setText(descriptionLines().join(u'\n'));
    refresh();
    // A search typed before applies to the new draws too.
    if (m_lastPattern.isEmpty()) {
        m_searchModel->setLines({}, {});
        m_searchMessage->clear();
    } else {
        search(m_lastPattern);
    }
}

void StatisticsWindow::setPairSource(PairSource source)
{
    if (source == m_pairSource) {
        return;
    }
    m_pairSource = source;
    (source == PairSource::TwoDigitPrize ? m_lowerButton : m_upperButton)->setChecked(true);
    refresh();
}

QStringList StatisticsWindow::descriptionLines() const
{
    QStringList lines;
    if (!m_source.origin.isEmpty()) {
        lines.append(m_source.origin);
    }
    if (m_source.lines.isEmpty()) {
        lines.append(StatisticsTexts::noDraws().toString());
    } else {
        // The set lists the newest draw first.
        lines.append(StatisticsTexts::rangeLine().toString().arg(
            drawTitle(m_source.lines.constLast()), drawTitle(m_source.lines.constFirst())));
    }
    lines.append(m_source.filters.isEmpty()
            ? StatisticsTexts::noFilters().toString()
            : StatisticsTexts::filtersLine().toString().arg(m_source.filters.join(u", ")));
    return lines;
}

QString StatisticsWindow::placeTestText(const PlaceStat& place, QStringView placeName) const
{
    const ChiSquareTest& test = place.test;
    const QString figures = test.enoughData
        ? StatisticsTexts::testLine().toString().arg(placeName, StatisticsFormat::decimal(test.statistic),
              QString::number(test.degreesOfFreedom), StatisticsFormat::pValue(test.pValue))
        : StatisticsTexts::testLineTooFew().toString().arg(placeName);
    return figures + u'\n' + verdictText(test);
}

void StatisticsWindow::refresh()
{
    const SourceStatistics& shown = m_statistics.of(m_pairSource);
    m_gridModel->setTable(shown.pairs);
    m_listModel->setTable(shown.pairs, m_source.lines);
    m_countedLabel->setText(sourceName(m_pairSource) + u": " +
        StatisticsTexts::countedLine().toString().arg(QString::number(shown.pairs.counted),
            QString::number(m_statistics.drawCount), StatisticsFormat::decimal(shown.pairs.expected())));
    m_placeModel->setPlaces(shown.places);
    m_tensTest->setText(placeTestText(shown.places.tens, StatisticsTexts::tensPlace()));
    m_unitsTest->setText(placeTestText(shown.places.units, StatisticsTexts::unitsPlace()));
    refreshChart();
}

void StatisticsWindow::refreshChart()
{
    const SourceStatistics& shown = m_statistics.of(m_pairSource);
    const bool byPlace = m_chartChoice->currentIndex() == 0;

    auto* bars = new QBarSeries;
    QStringList categories;
    double expected = 0.0;
    int highest = 0;
    if (byPlace) {
        auto* tens = new QBarSet(StatisticsTexts::tensPlace().toString());
        auto* units = new QBarSet(StatisticsTexts::unitsPlace().toString());
        for (int digit = 0; digit <= 9; ++digit) {
            const auto d = static_cast<std::size_t>(digit);
            tens->append(shown.places.tens.counts[d]);
            units->append(shown.places.units.counts[d]);
            highest = std::max({highest, shown.places.tens.counts[d], shown.places.units.counts[d]});
            categories.append(QString::number(digit));
        }
        bars->append(tens);
        bars->append(units);
        expected = shown.places.tens.expected();
    } else {
        auto* counts = new QBarSet(StatisticsTexts::countColumn().toString());
        for (int number = 0; number <= 99; ++number) {
            const int count = shown.pairs.numbers[static_cast<std::size_t>(number)].count;
            counts->append(count);
            highest = std::max(highest, count);
            categories.append(StatisticsFormat::number(number));
        }
        bars->append(counts);
        bars->setBarWidth(0.9);
        expected = shown.pairs.expected();
    }

    // The count chance alone gives, drawn across all bars.
    auto* level = new QLineSeries;
    level->setName(StatisticsTexts::expectedColumn() + u' ' + StatisticsFormat::decimal(expected));
    level->append(-0.5, expected);
    level->append(double(categories.size()) - 0.5, expected);
    QPen pen(QColor(200, 40, 40));
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    level->setPen(pen);

    auto* chart = new QChart;
    chart->setTitle(sourceName(m_pairSource) + u" - " + m_chartChoice->currentText());
    chart->addSeries(bars);
    chart->addSeries(level);
    auto* axisX = new QBarCategoryAxis;
    axisX->append(categories);
    QValueAxis* numbersAxis = nullptr;
    if (!byPlace) {
        // A hundred labels do not fit under the bars: a second axis beneath them marks every tenth number.
        axisX->setLabelsVisible(false);
        axisX->setGridLineVisible(false);
        numbersAxis = new QValueAxis;
        numbersAxis->setRange(-0.5, 99.5);
        numbersAxis->setTickType(QValueAxis::TicksDynamic);
        numbersAxis->setTickAnchor(0);
        numbersAxis->setTickInterval(10);
        numbersAxis->setLabelFormat(QStringLiteral("%02d"));
    }
    auto* axisY = new QValueAxis;
    axisY->setTitleText(StatisticsTexts::countAxis().toString());
    axisY->setLabelFormat(QStringLiteral("%d"));
    axisY->setRange(0, std::max(1.0, std::max(double(highest), expected) * 1.1));
    axisY->applyNiceNumbers();
    chart->addAxis(axisX, Qt::AlignBottom);
    if (numbersAxis) {
        chart->addAxis(numbersAxis, Qt::AlignBottom);
    }
    chart->addAxis(axisY, Qt::AlignLeft);
    for (QAbstractSeries* series : std::initializer_list<QAbstractSeries*> {bars, level}) {
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);

    QChart* old = m_chartView->chart();
    m_chartView->setChart(chart);
    delete old;
}

void StatisticsWindow::search(const QString& pattern)
{
    m_lastPattern = pattern;
    const Result<NumberPattern> parsed = NumberPattern::parse(pattern);
    // A pattern that cannot be searched is told in the colour of a warning.
    QPalette palette = m_searchMessage->parentWidget()->palette();
    if (!parsed) {
        palette.setColor(QPalette::WindowText, QColor(170, 0, 0));
        m_searchMessage->setPalette(palette);
        m_searchModel->setLines({}, {});
        m_searchMessage->setText(parsed.error());
        return;
    }
    m_searchMessage->setPalette(palette);
    const NumberPattern& wanted = parsed.value();
    QStringList found;
    QStringList foundIn;
    for (const QString& line : std::as_const(m_source.lines)) {
        QStringList places;
        for (const PatternPlace place : wanted.placesIn(line)) {
            places.append(NumberPattern::placeName(place));
        }
        if (!places.isEmpty()) {
            found.append(line);
            foundIn.append(places.join(u", "));
        }
    }
    const QStringView target = wanted.target() == PatternTarget::TwoDigitPrize ? StatisticsTexts::twoDigitPrize()
        : wanted.target() == PatternTarget::ThreeDigit                         ? StatisticsTexts::threeDigitsOrUpper()
                                                                               : DataTexts::firstPrize();
    m_searchMessage->setText(StatisticsTexts::searchFound().toString().arg(
        wanted.text(), target.toString(), QString::number(found.size()), QString::number(m_source.lines.size())));
    m_searchModel->setLines(std::move(found), std::move(foundIn));
}

void StatisticsWindow::paintSummary(QPainter& painter, const QRect& page) const
{
    const SourceStatistics& shown = m_statistics.of(m_pairSource);
    QFont font = Fonts::tahoma(10);
    QFont titleFont = Fonts::tahoma(16);
    titleFont.setBold(true);
    int y = page.top();
    const auto writeLine = [&](const QString& text, const QFont& lineFont) {
        painter.setFont(lineFont);
        const QRect bounds =
            painter.boundingRect(QRect(page.left(), y, page.width(), page.height()), Qt::TextWordWrap, text);
        painter.drawText(QRect(page.left(), y, page.width(), bounds.height()), Qt::TextWordWrap, text);
        y += bounds.height() + painter.fontMetrics().height() / 3;
    };

    writeLine(windowTitle(), titleFont);
    for (const QString& line : descriptionLines()) {
        writeLine(line, font);
    }
    writeLine(StatisticsTexts::pageSourceLine().toString().arg(sourceName(m_pairSource)), font);
    writeLine(StatisticsTexts::countedLine().toString().arg(QString::number(shown.pairs.counted),
                  QString::number(m_statistics.drawCount), StatisticsFormat::decimal(shown.pairs.expected())),
        font);
    y += painter.fontMetrics().height() / 2;

    // The digits by place, one column per digit.
    painter.setFont(font);
    const int rowHeight = painter.fontMetrics().height() * 3 / 2;
    const int firstColumn = page.width() * 3 / 13;
    const int cellWidth = (page.width() - firstColumn) / 10;
    const QStringList rowTitles {StatisticsTexts::digitColumn().toString(), StatisticsTexts::tensPlace().toString(),
        StatisticsTexts::unitsPlace().toString(), StatisticsTexts::expectedColumn().toString()};
    for (int row = 0; row < rowTitles.size(); ++row) {
        const int top = y + row * rowHeight;
        painter.drawText(QRect(page.left(), top, firstColumn, rowHeight), Qt::AlignVCenter, rowTitles[row]);
        for (int digit = 0; digit <= 9; ++digit) {
            const auto d = static_cast<std::size_t>(digit);
            const QString cell = row == 0 ? QString::number(digit)
                : row == 1                ? QString::number(shown.places.tens.counts[d])
                : row == 2                ? QString::number(shown.places.units.counts[d])
                                          : StatisticsFormat::decimal(shown.places.tens.expected());
            const QRect box(page.left() + firstColumn + digit * cellWidth, top, cellWidth, rowHeight);
            painter.drawRect(box);
            painter.drawText(box, Qt::AlignCenter, cell);
        }
    }
    y += rowTitles.size() * rowHeight + rowHeight / 2;
    writeLine(placeTestText(shown.places.tens, StatisticsTexts::tensPlace()), font);
    writeLine(placeTestText(shown.places.units, StatisticsTexts::unitsPlace()), font);
    y += rowHeight / 2;

    // The 00-99 grid with its counts, shaded as in the window.
    writeLine(StatisticsTexts::gridCaption().toString(), font);
    const int side = std::min(page.width(), page.bottom() - y) / 10;
    QFont small = Fonts::tahoma(8);
    for (int number = 0; number <= 99; ++number) {
        const QRect box(page.left() + (number % 10) * side, y + (number / 10) * side, side, side);
        const QModelIndex index = m_gridModel->index(number / 10, number % 10);
        painter.fillRect(box, m_gridModel->data(index, Qt::BackgroundRole).value<QColor>());
        painter.setPen(Qt::gray);
        painter.drawRect(box);
        painter.setPen(m_gridModel->data(index, Qt::ForegroundRole).value<QColor>());
        painter.setFont(small);
        painter.drawText(box, Qt::AlignCenter, m_gridModel->data(index, Qt::DisplayRole).toString());
    }
    painter.setPen(Qt::black);
}

Status StatisticsWindow::savePdf(const QString& path)
{
    // The report is made in memory and saved whole, so that a failed write never leaves half a file.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        writer.setTitle(windowTitle());
        writer.setCreator(QStringLiteral("Varenta"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            return Status::failure(failedToDraw(path));
        }
        const QRect paintRect = writer.pageLayout().paintRectPixels(writer.resolution());
        paintSummary(painter, paintRect.translated(-paintRect.topLeft()));
        painter.end();
    }
    return saveWhole(path, buffer.data());
}

Status StatisticsWindow::saveChartPng(const QString& path)
{
    QImage image;
    if (m_chartView->isVisible()) {
        image = m_chartView->grab().toImage();
    } else {
        // Off the screen the chart has no size of its own yet: lay it out on a page of its own and paint that.
        const QSize size(1000, 600);
        QChart* chart = m_chartView->chart();
        chart->resize(size);
        chart->layout()->activate();
        image = QImage(size, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        m_chartView->scene()->render(&painter, QRectF(QPointF(0, 0), size), chart->geometry());
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return Status::failure(failedToDraw(path));
    }
    return saveWhole(path, buffer.data());
}

void StatisticsWindow::printSummary()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QPainter painter(&printer);
    const QRect paintRect = printer.pageLayout().paintRectPixels(printer.resolution());
    paintSummary(painter, paintRect.translated(-paintRect.topLeft()));
}

void StatisticsWindow::askAndSavePdf()
{
    const QString path =
        TableExport::askSaveFileName(this, StatisticsTexts::savePdf().toString().remove(QStringLiteral("...")),
            QStringLiteral("statistics.pdf"), QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty()) {
        return;
    }
    const Status saved = savePdf(path);
    if (!saved) {
        Dialogs::showMessage(this, {Dialogs::Icon::Warning, {}, saved.error()});
    }
}

void StatisticsWindow::askAndSavePng()
{
    const QString path =
        TableExport::askSaveFileName(this, StatisticsTexts::savePng().toString().remove(QStringLiteral("...")),
            QStringLiteral("chart.png"), QStringLiteral("PNG (*.png)"));
    if (path.isEmpty()) {
        return;
    }
    const Status saved = saveChartPng(path);
    if (!saved) {
        Dialogs::showMessage(this, {Dialogs::Icon::Warning, {}, saved.error()});
    }
}
