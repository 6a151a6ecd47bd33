#include "core/form_value.h"

#include <gtest/gtest.h>

namespace {

TEST(FormValueTest, EmptyJoinsAsEmptyText) {
  const FormValue empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.Text(), "");
  EXPECT_EQ(empty.Number(), 0);
}

TEST(FormValueTest, JoinsEachKindAsNumberWritingSays) {
  EXPECT_EQ(FormValue(std::int16_t{-468}).Text(), "-468");
  EXPECT_EQ(FormValue(3.25).Text(','), "3,25");
  EXPECT_EQ(FormValue(" OHMS").Text(), " OHMS");
  EXPECT_EQ(FormValue(std::int16_t{7}).Number(), 7);
  EXPECT_EQ(FormValue(2.5).Number(), 2.5);
}

TEST(FormValueTest, KeepsItsKind) {
  EXPECT_TRUE(FormValue(std::int16_t{1}).IsInteger());
  EXPECT_TRUE(FormValue(1.0).IsDouble());
  EXPECT_TRUE(FormValue("1").IsText());
  EXPECT_NE(FormValue(std::int16_t{1}), FormValue(1.0));
}

}  // namespace
