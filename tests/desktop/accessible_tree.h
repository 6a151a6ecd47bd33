#pragma once

#include <string>
#include <vector>

#include <QAccessible>
#include <QString>

class QObject;
class QWidget;

// One node of a window as the platform accessibility interface presents it
// to a screen reader.
struct AccessibleNode {
  QString path;  // role and name of each node from the window down, for messages
  QAccessible::Role role;
  QString name;
  QString description;
  QObject* object;
};

// Every node of the window, its menus included, depth first.
std::vector<AccessibleNode> AccessibleTree(QWidget* window);

// The node of a control, by its design name.
const AccessibleNode* NodeOf(const std::vector<AccessibleNode>& tree, const char* objectName);

// What a screen reader user could not make out: controls that take input but
// have no name, pictures with neither name nor description, and labels whose
// name is not the text they show.
std::vector<std::string> AccessibilityFaults(QWidget* window);
