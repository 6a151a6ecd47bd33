#include <QLineEdit>
#include <QPixmap>

#include "accessible_tree.h"
#include "forms/controls.h"
#include "support/window_test.h"

namespace {

// A window with one of each thing a screen reader could not make out.
struct MuteControls {
  explicit MuteControls(forms::FormWindow& window)
      : Box(forms::MakeTextBox(window.Client(), {"Box", {150, 150, 1500, 375}})),
        Button(forms::MakeButton(window.Client(), {"Button", "", {150, 600, 1500, 375}})),
        Status(forms::MakeLabel(window.Client(), {"Status", "Ready", {150, 1050, 1500, 255}})),
        Photo(forms::MakePicture(window.Client(), "Photo", {1800, 150, 480, 480}, true)) {
    QPixmap dot(8, 8);
    dot.fill(Qt::red);
    Photo->SetPicture(dot);
    Status->setText(QStringLiteral("Busy"));  // past the label's own setter
  }
  QLineEdit* Box;
  QPushButton* Button;
  forms::Label* Status;
  forms::Picture* Photo;
};

class MuteProbe : public forms::FormOf<MuteControls> {
 public:
  MuteProbe() : FormOf(forms::WindowDesign{.caption = "Mute", .client = {1500, 1500, 3000, 1500}}) {}

 private:
  void Connect(MuteControls&) override {}
};

using AccessibleTreeTest = WindowTest;

TEST_F(AccessibleTreeTest, FindsWhatAScreenReaderCouldNotMakeOut) {
  MuteProbe& probe = forms::Instance<MuteProbe>();
  probe.Show();
  const std::vector<std::string> faults = AccessibilityFaults(probe.Window());
  ASSERT_EQ(faults.size(), 4u);
  EXPECT_EQ(faults[0].rfind("unnamed control: ", 0), 0u) << faults[0];
  EXPECT_EQ(faults[1].rfind("unnamed control: ", 0), 0u) << faults[1];
  EXPECT_EQ(faults[2].rfind("label named \"Ready\" shows \"Busy\"", 0), 0u) << faults[2];
  EXPECT_EQ(faults[3].rfind("picture without a name or description", 0), 0u) << faults[3];

  Find(probe, "Box")->setAccessibleName(QStringLiteral("Name"));
  Find<QPushButton>(probe, "Button")->setText(QStringLiteral("Go"));
  Find(probe, "Status")->setAccessibleName(QStringLiteral("Busy"));
  Find(probe, "Photo")->setAccessibleDescription(QStringLiteral("A red dot"));
  EXPECT_TRUE(AccessibilityFaults(probe.Window()).empty());
}

}  // namespace
