#include <QPushButton>

#include "accessible_tree.h"
#include "antenna/qw_antenna.h"
#include "keyboard.h"
#include "shell/menu.h"
#include "print_qstring.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

std::string Listed(const std::vector<std::string>& faults) {
  std::string text;
  for (const std::string& fault : faults) text += "\n  " + fault;
  return text;
}

class AccessibilityTest : public WindowTest {};

struct Named {
  const char* control;
  QAccessible::Role role;
  const char* name;
};

void ExpectNames(forms::Form& form, std::initializer_list<Named> rows) {
  const std::vector<AccessibleNode> tree = AccessibleTree(form.Window());
  for (const Named& row : rows) {
    const AccessibleNode* node = NodeOf(tree, row.control);
    ASSERT_NE(node, nullptr) << row.control << " is not in the accessible tree";
    EXPECT_EQ(node->role, row.role) << row.control;
    EXPECT_EQ(node->name, row.name) << row.control;
  }
}

TEST_F(AccessibilityTest, LauncherNamesEveryControl) {
  Menu& menu = Instance<Menu>();
  menu.Show();
  EXPECT_EQ(AccessibleTree(menu.Window()).front().name, "Menu Tool");
  ExpectNames(menu, {
                        {"Label1", QAccessible::StaticText, "Please select desired program"},
                        {"ResDecoder", QAccessible::PushButton, "Quillo's Resistor Decoder"},
                        {"QWAnt", QAccessible::PushButton, "Quarter Wave Antenna "},
                        {"MsyNum", QAccessible::PushButton, "Mystery Number Game"},
                        {"Quit", QAccessible::PushButton, "Exit to Windows"},
                    });
  const std::vector<std::string> faults = AccessibilityFaults(menu.Window());
  EXPECT_TRUE(faults.empty()) << Listed(faults);
}

TEST_F(AccessibilityTest, AntennaNamesTheFrequencyBoxAndReadsTheResult) {
  QWAntenna& antenna = Instance<QWAntenna>();
  antenna.Show();
  ExpectNames(antenna, {
                           {"Label1", QAccessible::StaticText, " Quarter Wave Dipole Calculator "},
                           {"Command2", QAccessible::PushButton, "Quit"},
                           {"Text1", QAccessible::EditableText, "Frequency in MHz"},
                           {"Label2", QAccessible::StaticText, "FREQUENCY ="},
                       });
  Find<QWidget>(antenna, "Text1")->setFocus();
  Type(antenna, QStringLiteral("146"));
  Press(antenna, Qt::Key_Return);
  const QString result = Find<forms::Label>(antenna, "Label3")->text();
  ASSERT_FALSE(result.isEmpty());
  ExpectNames(antenna, {{"Label3", QAccessible::StaticText, qPrintable(result)}});
  const std::vector<std::string> faults = AccessibilityFaults(antenna.Window());
  EXPECT_TRUE(faults.empty()) << Listed(faults);
}

}  // namespace
