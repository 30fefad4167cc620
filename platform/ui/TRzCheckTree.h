#pragma once
// A tree whose nodes each carry a tick box with three states. Ticking or unticking a node
// does the same to all its children; a node whose children are ticked only in part shows the
// partial state, and one whose children are all ticked (or none) shows ticked (or unticked).

#include <QTreeWidget>

class TRzCheckTree : public QTreeWidget {
    Q_OBJECT
  public:
    enum TCheckState { csUnchecked, csChecked, csPartiallyChecked };

    explicit TRzCheckTree(QWidget* parent = nullptr);

    // Inserts a node with a tick box (unticked) as the `index`-th child of `parent`, or as the
    // `index`-th root when `parent` is nullptr. The node belongs to the tree.
    QTreeWidgetItem* InsertNode(QTreeWidgetItem* parent, int index, const QString& caption);

    static TCheckState ItemState(const QTreeWidgetItem* item);
    // Ticking a parent ticks its children; the parents above follow.
    static void SetItemState(QTreeWidgetItem* item, TCheckState state);

    // Every node in tree order: a node, then its children, then its next sibling.
    QList<QTreeWidgetItem*> NodesInOrder() const;
};
