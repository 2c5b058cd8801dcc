#include "PrizeTableDialog.h"

#include "data/ThaiCalendar.h"
#include "data/TicketCheck.h"
#include "data/TicketTexts.h"
#include "updater/HttpFetch.h"
#include "widgets/BrowserLinks.h"
#include "widgets/WidgetTexts.h"
#include "widgets/WindowHabits.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

QString PrizeTableDialog::tableHtml(const DrawPrizes& prizes)
{
    QString html =
        u"<h2>"_s + TicketTexts::tableTitle().toString().arg(drawTitle(prizes.drawKey)).toHtmlEscaped() + u"</h2>"_s;
    if (prizes.partial) {
        html += u"<p>"_s + TicketTexts::partialInTable().toString().toHtmlEscaped() + u"</p>"_s;
    }
    // What the amounts of the draw's era mean: per ticket of a pair, special prizes a number cannot show.
    for (const QString& note : TicketCheck::eraNotes(prizes.drawKey)) {
        html += u"<p>"_s + note.toHtmlEscaped() + u"</p>"_s;
    }
    html += u"<table cellspacing='0' cellpadding='4' border='1' style='border-collapse:collapse'>"_s;
    for (const PrizeKind kind : PrizeKinds::all()) {
        const QStringList numbers = prizes.numbersOf(kind);
        if (numbers.isEmpty()) {
            continue;
        }
        const qint64 amount = prizes.amountOf(kind);
        html += u"<tr><td valign='top' width='30%'><b>"_s + PrizeKinds::thaiName(kind).toHtmlEscaped() + u"</b>"_s;
        if (amount >= 0) {
            html += u"<br>"_s + TicketTexts::eachPrize().toString().arg(formatBaht(amount)).toHtmlEscaped();
        }
        html += u"</td><td><tt>"_s;
        // Lines break only between numbers, never inside one.
        for (qsizetype i = 0; i < numbers.size(); ++i) {
            if (i > 0) {
                html += u"&nbsp; "_s;
            }
            html += numbers.at(i).toHtmlEscaped();
        }
        html += u"</tt></td></tr>"_s;
    }
    html += u"</table>"_s;
    return html;
}

PrizeTableDialog::PrizeTableDialog(const DrawPrizes& prizes, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"PrizeTableDialog"_s);
    setWindowTitle(TicketTexts::tableTitle().toString().arg(drawTitle(prizes.drawKey)));
    setAttribute(Qt::WA_DeleteOnClose);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(u"prizeTable"_s);
    m_browser->setHtml(tableHtml(prizes));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(WidgetTexts::printButton().toString(), QDialogButtonBox::ActionRole);
    print->setObjectName(u"printButton"_s);
    // The office's own sheet of the draw, where it is known and is a web address.
    if (isWebAddress(QUrl(prizes.pdfUrl, QUrl::StrictMode))) {
        QPushButton* office =
            buttons->addButton(TicketTexts::officeSheetButton().toString(), QDialogButtonBox::ActionRole);
        office->setObjectName(u"officeSheetButton"_s);
        office->setToolTip(TicketTexts::officeSheetTip().toString());
        connect(office, &QPushButton::clicked, this,
            [this, address = prizes.pdfUrl] { BrowserLinks::openInDefaultBrowser(this, address); });
    }
    QPushButton* close = buttons->addButton(WidgetTexts::closeButton().toString(), QDialogButtonBox::RejectRole);
    close->setObjectName(u"closeButton"_s);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, [this] { askAndPrint(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);
    WindowHabits::closeWithKeys(this);
    WindowHabits::resizeToFit(this, QSize(640, 620));
}

void PrizeTableDialog::print(QPrinter& printer) const
{
    m_browser->document()->print(&printer);
}

void PrizeTableDialog::askAndPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(WidgetTexts::printButton().toString().remove(u"..."_s));
    if (dialog.exec() == QDialog::Accepted) {
        print(printer);
    }
}
