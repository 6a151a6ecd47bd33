#include <utility>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "about/about.h"
#include "about/license.h"
#include "accessible_tree.h"
#include "antenna/qw_antenna.h"
#include "decoder/resistor_decoder.h"
#include "forms/accessibility.h"
#include "game/mn_game.h"
#include "keyboard.h"
#include "shell/menu.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

std::string Listed(const std::vector<std::string>& faults) {
  std::string text;
  for (const std::string& fault : faults) text += "\n  " + fault;
  return text;
}

class AccessibilityTest : public WindowTest {};

// What the program says to a screen reader, heard in its place.
class Notifications {
 public:
  Notifications() {
    forms::SetAnnouncer([this](const QString& text) { said_.push_back(text); });
  }
  ~Notifications() { forms::SetAnnouncer(nullptr); }
  // What was said since the last look.
  QStringList Taken() { return std::exchange(said_, {}); }

 private:
  QStringList said_;
};

struct Named {
  const char* control;
  QAccessible::Role role;
  const char* name;
};

void ExpectNoFaults(forms::Form& form) {
  const std::vector<std::string> faults = AccessibilityFaults(form.Window());
  EXPECT_TRUE(faults.empty()) << Listed(faults);
}

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
  ExpectNoFaults(menu);
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
  ExpectNoFaults(antenna);
}

TEST_F(AccessibilityTest, GameNamesItsControlsAndPicturesAndKeepsRefreshedLabelsReadable) {
  MNGame& game = Instance<MNGame>();
  game.Show();
  ExpectNames(game, {
                        {"Start", QAccessible::PushButton, "Start New Game"},
                        {"Guess", QAccessible::EditableText, "Guess"},
                        {"Quit", QAccessible::PushButton, "Quit Game"},
                        {"CheatM", QAccessible::CheckBox, "Cheat Markers"},
                        {"PointsPlus", QAccessible::PushButton, "Give me 1 point"},
                        {"Cheat", QAccessible::CheckBox, "Let Me Cheat!"},
                    });
  const std::vector<AccessibleNode> tree = AccessibleTree(game.Window());
  const AccessibleNode* plaque = NodeOf(tree, "Picture1");
  ASSERT_NE(plaque, nullptr);
  EXPECT_EQ(plaque->role, QAccessible::Graphic);
  EXPECT_EQ(plaque->description, "Mystery Number title plaque");
  ExpectNoFaults(game);

  // Every status line the timer rewrites reads as it shows.
  Find<QPushButton>(game, "Start")->click();
  Find<QCheckBox>(game, "Cheat")->click();
  Find<QCheckBox>(game, "CheatM")->click();
  Find<QWidget>(game, "Guess")->setFocus();
  Type(game, QStringLiteral("1"));
  Press(game, Qt::Key_Return);
  Tick(game, "UpdateAll");
  EXPECT_FALSE(Find<forms::Label>(game, "HiLo")->text().isEmpty());
  EXPECT_FALSE(Find<forms::Label>(game, "Narrowed")->text().isEmpty());
  ExpectNoFaults(game);
}

TEST_F(AccessibilityTest, DecoderNamesItsChoicesAndDescribesTheBandPatches) {
  ResistorDecoder& decoder = Instance<ResistorDecoder>();
  decoder.Show();
  ExpectNames(decoder, {
                           {"Frame1", QAccessible::Grouping, "First band"},
                           {"Option2", QAccessible::RadioButton, "Brown"},
                           {"Frame2", QAccessible::Grouping, "Second band"},
                           {"Option20", QAccessible::RadioButton, "Black"},
                           {"Frame3", QAccessible::Grouping, "Multiplier"},
                           {"Option22", QAccessible::RadioButton, "Gold"},
                       });

  struct Patch {
    const char* control;
    const char* name;
    const char* colour;
  };
  auto expectPatches = [&decoder](std::initializer_list<Patch> patches) {
    const std::vector<AccessibleNode> tree = AccessibleTree(decoder.Window());
    for (const Patch& patch : patches) {
      const AccessibleNode* node = NodeOf(tree, patch.control);
      ASSERT_NE(node, nullptr) << patch.control;
      EXPECT_EQ(node->name, patch.name);
      EXPECT_EQ(node->description, patch.colour) << patch.control;
    }
  };
  expectPatches({{"first", "First band colour", "Brown"},
                 {"second", "Second band colour", "Black"},
                 {"third", "Multiplier colour", "Brown"}});

  Find<QRadioButton>(decoder, "Option5")->click();
  Find<QRadioButton>(decoder, "Option13")->click();
  Find<QRadioButton>(decoder, "Option26")->click();
  Tick(decoder, "Timer1");
  expectPatches({{"first", "First band colour", "Yellow"},
                 {"second", "Second band colour", "Violet"},
                 {"third", "Multiplier colour", "Orange"}});
  ExpectNames(decoder, {{"readout", QAccessible::StaticText, "47,000 OHMS"}});
  ExpectNoFaults(decoder);
}

TEST_F(AccessibilityTest, AboutBoxAndTermsReadAsTheyShow) {
  About& about = Instance<About>();
  about.Show();
  ExpectNames(about, {
                         {"cmdOK", QAccessible::PushButton, "OK"},
                         {"cmdSysInfo", QAccessible::PushButton, "System Info..."},
                         {"lblTitle", QAccessible::StaticText, "Kelvaro #1"},
                         {"lblVersion", QAccessible::StaticText, "Version 1.0.2"},
                         {"Command1", QAccessible::PushButton, "License Agreement"},
                     });
  const std::vector<AccessibleNode> tree = AccessibleTree(about.Window());
  // A dialog, read with what it says whenever a screen reader presents it,
  // whether the box's activation or its focus on "OK" comes first.
  EXPECT_EQ(tree.front().role, QAccessible::Dialog);
  EXPECT_EQ(tree.front().name, "About Kelvaro #1");
  EXPECT_EQ(tree.front().description,
            "Kelvaro #1. Version 1.0.2. This software package consists of 3 seperate programs. Resistor Decoder, "
            "Antenna Calculator, and a cool little game called Mystery Number.");
  EXPECT_TRUE(NodeOf(tree, "cmdOK")->description.isEmpty()) << "what the box says is not read a second time";
  // Its labels are its own texts: a screen reader that reads a dialog's loose
  // labels in place of its description, and leaves out the short ones ("Kelvaro
  // #1", "Version 1.0.2"), finds none.
  QAccessibleInterface* box = QAccessible::queryAccessibleInterface(about.Window());
  for (const char* label : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"}) {
    const auto related = QAccessible::queryAccessibleInterface(Find<QWidget>(about, label))->relations();
    EXPECT_TRUE(related.contains({box, QAccessible::Label})) << label;
  }
  for (const char* picture : {"picIcon", "Image1"}) {
    const AccessibleNode* node = NodeOf(tree, picture);
    ASSERT_NE(node, nullptr) << picture;
    EXPECT_EQ(node->role, QAccessible::Graphic) << picture;
    EXPECT_FALSE(node->description.isEmpty()) << picture;
  }
  ExpectNoFaults(about);

  Find<QPushButton>(about, "Command1")->click();
  License& license = Instance<License>();
  ASSERT_TRUE(license.IsLoaded());
  EXPECT_EQ(AccessibleTree(license.Window()).front().name, "License");
  EXPECT_TRUE(NodeOf(AccessibleTree(license.Window()), "Label1")->name.contains("example.com"))
      << "the terms are read out, the contact address included";
  ExpectNoFaults(license);
}

TEST_F(AccessibilityTest, WhatFollowsAnActionIsSaidOnceAndTimersSayNothing) {
  Notifications notifications;

  QWAntenna& antenna = Instance<QWAntenna>();
  antenna.Show();
  Find<QWidget>(antenna, "Text1")->setFocus();
  Type(antenna, QStringLiteral("7.2"));
  Press(antenna, Qt::Key_Return);
  Press(antenna, Qt::Key_Return);
  EXPECT_EQ(notifications.Taken(), QStringList({"65 Feet", "65 Feet"})) << "every Enter, the same result too";

  ResistorDecoder& decoder = Instance<ResistorDecoder>();
  decoder.Show();
  Tick(decoder, "Timer1");
  EXPECT_TRUE(notifications.Taken().isEmpty()) << "the choices the window opens on";
  Find<QRadioButton>(decoder, "Option3")->click();
  Tick(decoder, "Timer1");
  Tick(decoder, "Timer1");
  EXPECT_EQ(notifications.Taken(), QStringList({"Red = 2. 200 OHMS"}));

  MNGame& game = Instance<MNGame>();
  game.Show();
  Tick(game, "UpdateAll");
  EXPECT_TRUE(notifications.Taken().isEmpty());
  Find<QPushButton>(game, "Start")->click();
  EXPECT_EQ(notifications.Taken(), QStringList({"Round 1 in progress. Mystery number is between 0 and 100"}));
  Find<QWidget>(game, "Guess")->setFocus();
  for (int i = 0; i < 2; ++i) {
    Type(game, QStringLiteral("0"));
    Press(game, Qt::Key_Return);
    EXPECT_TRUE(notifications.Taken().isEmpty()) << "the hint waits for the tick";
    Tick(game, "UpdateAll");
    Tick(game, "UpdateAll");
    EXPECT_EQ(notifications.Taken(), QStringList({"Higher than 0"})) << "guess " << i;
  }
  Find<QCheckBox>(game, "Cheat")->click();
  EXPECT_EQ(notifications.Taken(), QStringList({"Shown: Cheat Markers. Give me 1 point. Cheater"}));
}

}  // namespace
