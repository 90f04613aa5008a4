#pragma once
// Opens the help database and imports its index into the help tree.
#include <QString>

class ExternalDatabase;
class QTreeWidget;

class HelpDatabase {
public:
    void OpenHelpDatabase(ExternalDatabase* database, QTreeWidget* tree);
    void ImportIndex(const QString& label, const QString& query, ExternalDatabase* database, QTreeWidget* tree);
};
