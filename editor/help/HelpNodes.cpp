#include "help/HelpNodes.h"

#include "core/ErrorReporter.h"

#include <QIcon>
#include <QTreeWidget>

#include <climits>
#include <cmath>

static void RegisterHelpIcons() { Q_INIT_RESOURCE(help_icons); }

namespace HelpNodes {
namespace {

constexpr int kTypeMismatch = 13;
constexpr int kOverflow = 6;

const QIcon& Image(int image)
{
    static const QIcon images[] = {
        (RegisterHelpIcons(), QIcon(QStringLiteral(":/help/keyword.svg"))),
        QIcon(QStringLiteral(":/help/category.svg")),
    };
    return images[image];
}

}  // namespace

QTreeWidgetItem* AddNode(QTreeWidget* tree, QTreeWidgetItem* parent, const QString& text, int image,
                         std::optional<int> value)
{
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    node->setText(0, text);
    node->setIcon(0, Image(image));
    if (value) node->setData(0, Qt::UserRole, *value);
    return node;
}

std::optional<int> Value(const QTreeWidgetItem* node)
{
    QVariant v = node->data(0, Qt::UserRole);
    if (!v.isValid()) return std::nullopt;
    return v.toInt();
}

int ToId(const QVariant& field)
{
    switch (field.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Double: break;
    default: throw RuntimeError(kTypeMismatch, QStringLiteral("类型不匹配"));
    }
    const double value = std::trunc(field.toDouble());
    if (value < INT_MIN || value > INT_MAX) throw RuntimeError(kOverflow, QStringLiteral("溢出"));
    return int(value);
}

QString ToText(const QVariant& field)
{
    if (field.typeId() != QMetaType::QString) throw RuntimeError(kTypeMismatch, QStringLiteral("类型不匹配"));
    return field.toString();
}

}  // namespace HelpNodes
