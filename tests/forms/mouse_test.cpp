#include <QPushButton>
#include <QtTest/QTest>

#include <vector>

#include "forms/mouse.h"
#include "support/window_test.h"

namespace {

using MouseEventsTest = WindowTest;

TEST_F(MouseEventsTest, MouseDownAndUpForAnyButtonInTwips) {
  QPushButton target;
  target.resize(100, 50);
  struct Seen {
    char what;
    std::int16_t button, shift;
    float x, y;
  };
  std::vector<Seen> seen;
  forms::OnMouseDown(&target, [&](std::int16_t b, std::int16_t s, float x, float y) {
    seen.push_back({'D', b, s, x, y});
  });
  forms::OnMouseUp(&target, [&](std::int16_t b, std::int16_t s, float x, float y) {
    seen.push_back({'U', b, s, x, y});
  });
  QTest::mousePress(&target, Qt::RightButton, Qt::ShiftModifier, QPoint(2, 3));
  QTest::mouseRelease(&target, Qt::RightButton, Qt::ShiftModifier, QPoint(2, 3));
  QTest::mouseClick(&target, Qt::LeftButton, Qt::ControlModifier, QPoint(10, 1));
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].what, 'D');
  EXPECT_EQ(seen[0].button, forms::kRightButton);
  EXPECT_EQ(seen[0].shift, forms::kShiftKey);
  EXPECT_FLOAT_EQ(seen[0].x, 30);
  EXPECT_FLOAT_EQ(seen[0].y, 45);
  EXPECT_EQ(seen[1].what, 'U');
  EXPECT_EQ(seen[2].button, forms::kLeftButton);
  EXPECT_EQ(seen[2].shift, forms::kCtrlKey);
  EXPECT_EQ(seen[3].what, 'U');
}

}  // namespace
