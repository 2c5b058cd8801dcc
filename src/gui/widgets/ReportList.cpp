#include "ReportList.h"

#include "data/TextTableModel.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"

#include <QHeaderView>
#include <QTreeView>

namespace ReportList {

QTreeView* create(QWidget* parent, QStringView name, QRect twips)
{
    auto* list = new QTreeView(parent);
    list->setObjectName(name.toString());
    list->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
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
