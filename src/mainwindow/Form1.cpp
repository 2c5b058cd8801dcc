#include "Form1.h"

#include "data/ThaiCalendar.h"
#include "mainwindow/MainWindowTexts.h"
#include "shell/Twips.h"

#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>

namespace {

// Report columns: title and width in twips; the last column takes what the first six leave of the table's width.
struct ReportColumn
{
    QStringView title;
    int widthTwips;
};

} // namespace

Form1::Form1(Form1Config config, QWidget* parent)
    : QWidget(parent)
    , m_config(std::move(config))
    , m_resultsFile(QDir(m_config.programDirectory).filePath(QStringLiteral("db.dll")))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(MainWindowTexts::windowTitle().toString());

    Label1 = new QLabel(MainWindowTexts::label1Initial().toString(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(3600 + 120, 360 + 120, 6375, 495));

    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setSelectionMode(QAbstractItemView::MultiSelection);
    ListBox2->setUniformItemSizes(true);
    ListBox2->setGeometry(twipsRect(120 + 120, 1320 + 240, 2415, 4815));

    ListViewReport = new QTreeWidget(this);
    ListViewReport->setObjectName(QStringLiteral("ListViewReport"));
    ListViewReport->setRootIsDecorated(false);
    ListViewReport->setUniformRowHeights(true);
    ListViewReport->setColumnCount(0);
    ListViewReport->setGeometry(twipsRect(120 + 2640, 1320 + 240, 8895, 5175));

    resize(twipsSize(11880, 7890));
}

Form1::~Form1() = default;

void Form1::load()
{
    setUpReportColumns();
    readCatalogue();
}

void Form1::setUpReportColumns()
{
    const auto& titles = MainWindowTexts::reportColumnTitles();
    const std::array<int, 6> widths {2000, 1200, 1200, 1200, 1200, 1200};
    const int tableWidthTwips = pixelsToTwips(ListViewReport->width());
    QStringList headers;
    for (QStringView title : titles) {
        headers.append(title.toString());
    }
    ListViewReport->setHeaderLabels(headers);
    ListViewReport->header()->setStretchLastSection(false);
    for (std::size_t column = 0; column < widths.size(); ++column) {
        ListViewReport->setColumnWidth(static_cast<int>(column), twipsToPixels(widths[column]));
    }
    ListViewReport->setColumnWidth(6, twipsToPixels(tableWidthTwips - 8000));
}

void Form1::readCatalogue()
{
    const Result<QStringList> lines = m_resultsFile.readResultsFile([] { QCoreApplication::processEvents(); });
    List2 = lines.ok() ? lines.value() : QStringList();

    if (List2.isEmpty()) {
        Label1->setText(lines.ok() ? MainWindowTexts::noDrawStored().toString()
                                   : MainWindowTexts::resultsFileUnreadable().toString());
        if (!lines.ok()) {
            Label1->setToolTip(lines.error());
        }
        return;
    }

    Label1->setText(drawCaption(List2.constFirst()));
    QStringList titles;
    titles.reserve(List2.size());
    for (const QString& line : std::as_const(List2)) {
        titles.append(drawTitle(line));
    }
    ListBox2->addItems(titles);
}
