#include "ReportList.h"

#include "shell/Fonts.h"
#include "shell/Twips.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace ReportList {

QTreeWidget* create(QWidget* parent, QStringView name, QRect twips)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name.toString());
    list->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    list->setFont(Fonts::tahoma(9.75));
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSortingEnabled(false);
    list->setColumnCount(0);
    list->header()->setStretchLastSection(false);
    return list;
}

void setColumns(QTreeWidget* list, const QStringList& titles, const QList<int>& widthsTwips)
{
    list->setHeaderLabels(titles);
    int usedTwips = 0;
    for (int column = 0; column < widthsTwips.size(); ++column) {
        list->setColumnWidth(column, twipsToPixels(widthsTwips[column]));
        usedTwips += widthsTwips[column];
    }
    list->setColumnWidth(int(widthsTwips.size()), twipsToPixels(pixelsToTwips(list->width()) - usedTwips));
}

} // namespace ReportList
