#include <QCheckBox>
#include <QRadioButton>

#include "forms/controls.h"
#include "support/window_test.h"

namespace {

using CheckBoxTest = WindowTest;

TEST_F(CheckBoxTest, BackColourFillsTheWholeBox) {
  QWidget container;
  container.resize(200, 60);
  QCheckBox* check = forms::MakeCheckBox(&container, {"Check", "Check", {0, 0, 1500, 255}, 0x8C6636});
  QRadioButton* option = forms::MakeOption(&container, {"Option", "Option", {0, 300, 1500, 255}, 0x123456});
  container.show();
  // Far right of each box, clear of the indicator and the caption.
  EXPECT_EQ(check->grab().toImage().pixelColor(95, 8), QColor(0x8C, 0x66, 0x36));
  EXPECT_EQ(option->grab().toImage().pixelColor(95, 8), QColor(0x12, 0x34, 0x56));
}

}  // namespace
