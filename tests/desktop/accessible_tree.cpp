#include "accessible_tree.h"

#include <QLabel>
#include <QMetaEnum>
#include <QWidget>

namespace {

bool TakesInput(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::Dial:
    case QAccessible::MenuItem:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Link:
    case QAccessible::PageTab:
    case QAccessible::ListItem:
      return true;
    default:
      return false;
  }
}

QString RoleName(QAccessible::Role role) {
  return QString::fromUtf8(
      QAccessible::staticMetaObject.enumerator(QAccessible::staticMetaObject.indexOfEnumerator("Role"))
          .valueToKey(role));
}

void Walk(QAccessibleInterface* node, const QString& parentPath, std::vector<AccessibleNode>& tree) {
  if (!node || !node->isValid()) return;
  const QString name = node->text(QAccessible::Name);
  const QString path = parentPath + QStringLiteral(" / %1 \"%2\"").arg(RoleName(node->role()), name);
  tree.push_back({path, node->role(), name, node->text(QAccessible::Description), node->object()});
  for (int i = 0; i < node->childCount(); ++i) Walk(node->child(i), path, tree);
}

}  // namespace

std::vector<AccessibleNode> AccessibleTree(QWidget* window) {
  std::vector<AccessibleNode> tree;
  Walk(QAccessible::queryAccessibleInterface(window), QString(), tree);
  return tree;
}

const AccessibleNode* NodeOf(const std::vector<AccessibleNode>& tree, const char* objectName) {
  for (const AccessibleNode& node : tree) {
    if (node.object && node.object->objectName() == QLatin1String(objectName)) return &node;
  }
  return nullptr;
}

std::vector<std::string> AccessibilityFaults(QWidget* window) {
  std::vector<std::string> faults;
  for (const AccessibleNode& node : AccessibleTree(window)) {
    const std::string where = node.path.toStdString();
    if (TakesInput(node.role) && node.name.trimmed().isEmpty()) faults.push_back("unnamed control: " + where);
    if (node.role == QAccessible::Graphic && node.name.isEmpty() && node.description.isEmpty()) {
      faults.push_back("picture without a name or description: " + where);
    }
    const auto* label = qobject_cast<const QLabel*>(node.object);
    if (node.role == QAccessible::StaticText && label && !label->text().isEmpty() && node.name != label->text()) {
      faults.push_back("label named \"" + node.name.toStdString() + "\" shows \"" + label->text().toStdString() +
                       "\": " + where);
    }
  }
  return faults;
}
