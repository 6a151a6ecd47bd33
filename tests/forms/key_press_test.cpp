#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "forms/controls.h"
#include "forms/key_press.h"
#include "support/window_test.h"

namespace {

struct BoxControls {
  explicit BoxControls(forms::FormWindow& window)
      : Box(forms::MakeTextBox(window.Client(), {"Box", {150, 150, 1500, 375}})) {}
  QLineEdit* Box;
};

// Keeps every key code it sees and swallows the digit 7.
class KeyProbe : public forms::FormOf<BoxControls> {
 public:
  KeyProbe() : FormOf(forms::WindowDesign{.caption = "Keys", .client = {1500, 1500, 3000, 1500}}) {}
  std::vector<int> codes;

 private:
  void Connect(BoxControls& ui) override {
    forms::OnKeyPress(ui.Box, [this](std::int16_t& keyAscii) {
      codes.push_back(keyAscii);
      if (keyAscii == '7') keyAscii = 0;
    });
  }
};

using KeyPressTest = WindowTest;

TEST_F(KeyPressTest, HandlerSeesCharacterCodesBeforeTheBoxTakesThem) {
  KeyProbe& probe = forms::Instance<KeyProbe>();
  probe.Show();
  auto* box = Find<QLineEdit>(probe, "Box");
  QSignalSpy returns(box, &QLineEdit::returnPressed);
  QTest::keyClicks(box, "a1");
  QTest::keyClick(box, Qt::Key_Left);
  QTest::keyClick(box, Qt::Key_Return);
  QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(probe.codes, (std::vector<int>{'a', '1', 13, 13})) << "keys that type nothing raise no KeyPress";
  EXPECT_EQ(returns.count(), 2) << "an unchanged code goes on to the box";
  EXPECT_EQ(box->text(), "a1");
}

TEST_F(KeyPressTest, ACodeSetToZeroSwallowsTheKey) {
  KeyProbe& probe = forms::Instance<KeyProbe>();
  probe.Show();
  auto* box = Find<QLineEdit>(probe, "Box");
  QTest::keyClicks(box, "172");
  EXPECT_EQ(box->text(), "12");
  EXPECT_EQ(probe.codes, (std::vector<int>{'1', '7', '2'}));
}

}  // namespace
