#pragma once
// The nodes of the help tree: text, image and value, and the conversions
// of the database's fields into them.
#include <QString>
#include <QVariant>

#include <optional>

class QTreeWidget;
class QTreeWidgetItem;

namespace HelpNodes {

inline constexpr int kKeywordImage = 0;
inline constexpr int kCategoryImage = 1;

QTreeWidgetItem* AddNode(QTreeWidget* tree, QTreeWidgetItem* parent, const QString& text, int image,
                         std::optional<int> value);
std::optional<int> Value(const QTreeWidgetItem* node);

// An id of any number type, floating values truncated; a text field. Other
// types are a runtime error (type mismatch).
int ToId(const QVariant& field);
QString ToText(const QVariant& field);

}  // namespace HelpNodes
