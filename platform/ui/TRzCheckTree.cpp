#include "platform/ui/TRzCheckTree.h"

#include <QHeaderView>

TRzCheckTree::TRzCheckTree(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
}

QTreeWidgetItem* TRzCheckTree::InsertNode(QTreeWidgetItem* parent, int index,
                                          const QString& caption) {
    auto* item = new QTreeWidgetItem(QStringList{caption});
    // Qt works the partial state of a parent out from its children (auto tri-state) and passes
    // a tick of the parent down to them.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                   Qt::ItemIsAutoTristate);
    item->setCheckState(0, Qt::Unchecked);
    if (parent) {
        parent->insertChild(index, item);
    } else {
        insertTopLevelItem(index, item);
    }
    return item;
}

TRzCheckTree::TCheckState TRzCheckTree::ItemState(const QTreeWidgetItem* item) {
    switch (item->checkState(0)) {
        case Qt::Checked:
            return csChecked;
        case Qt::PartiallyChecked:
            return csPartiallyChecked;
        default:
            return csUnchecked;
    }
}

void TRzCheckTree::SetItemState(QTreeWidgetItem* item, TCheckState state) {
    item->setCheckState(0, state == csChecked            ? Qt::Checked
                           : state == csPartiallyChecked ? Qt::PartiallyChecked
                                                         : Qt::Unchecked);
}

QList<QTreeWidgetItem*> TRzCheckTree::NodesInOrder() const {
    QList<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(const_cast<TRzCheckTree*>(this)); *it; ++it)
        nodes << *it;
    return nodes;
}
