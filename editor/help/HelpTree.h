#pragma once
// Expands the help tree and describes the selected entry.
#include <QString>

class ExternalDatabase;
class QTreeWidget;
class QTreeWidgetItem;

class HelpTree {
public:
    void ExpandCategory(QTreeWidgetItem* node, QTreeWidget* tree, ExternalDatabase* database);
    // The text to show for the selected node; empty on failure.
    QString DescribeSelection(QTreeWidget* tree, ExternalDatabase* database);
};
