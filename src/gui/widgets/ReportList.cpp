#include "ReportList.h"

#include "data/TextTableModel.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"

#include <QHeaderView>
#include <QStyleOptionHeader>
#include <QTreeView>

namespace ReportList {
namespace {

// Measures its titles in its own font. Qt's header measures every title in bold, which costs a bold font loaded
// for nothing at start-up: the titles are drawn in the header's font, and the bold one is no taller.
class TitleHeader final : public QHeaderView
{
public:
    using QHeaderView::QHeaderView;

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        ensurePolished();
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.section = logicalIndex;
        option.fontMetrics = fontMetrics();
        option.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
        return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
    }
};

} // namespace

QTreeView* create(QWidget* parent, QStringView name, QRect twips)
{
    auto* list = new QTreeView(parent);
    list->setObjectName(name.toString());
    list->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    // Set up as the tree view sets up the header it makes itself.
    auto* header = new TitleHeader(Qt::Horizontal, list);
    header->setSectionsMovable(true);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list->setHeader(header);
    list->setFont(Fonts::tahoma(9.75));
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSortingEnabled(false);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setModel(new TextTableModel(list));
    list->header()->setStretchLastSection(false);
    return list;
}

TextTableModel* rows(const QTreeView* list)
{
    return qobject_cast<TextTableModel*>(list->model());
}

void setColumns(QTreeView* list, const QStringList& titles, const QList<int>& widthsTwips)
{
    rows(list)->setColumnTitles(titles);
    int usedTwips = 0;
    for (int column = 0; column < widthsTwips.size(); ++column) {
        list->setColumnWidth(column, twipsToPixels(widthsTwips[column]));
        usedTwips += widthsTwips[column];
    }
    list->setColumnWidth(int(widthsTwips.size()), twipsToPixels(pixelsToTwips(list->width()) - usedTwips));
}

} // namespace ReportList
