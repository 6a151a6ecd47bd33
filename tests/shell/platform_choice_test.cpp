#include "shell/platform_choice.h"

#include <gtest/gtest.h>

namespace {

using platform::PreferredPlatform;

TEST(PlatformChoiceTest, AnXDisplayIsPreferredWhenNoPlatformIsNamed) {
  // A Wayland desktop with XWayland sets both WAYLAND_DISPLAY and DISPLAY.
  EXPECT_EQ(PreferredPlatform(nullptr, ":0"), "xcb;wayland");
  EXPECT_EQ(PreferredPlatform("", ":1"), "xcb;wayland") << "set but empty counts as unset";
}

TEST(PlatformChoiceTest, ANamedPlatformOrNoXDisplayLeavesQtsChoice) {
  EXPECT_EQ(PreferredPlatform("wayland", ":0"), "");
  EXPECT_EQ(PreferredPlatform("offscreen", ":0"), "");
  EXPECT_EQ(PreferredPlatform("xcb", nullptr), "");
  EXPECT_EQ(PreferredPlatform(nullptr, nullptr), "") << "a Wayland-only session";
  EXPECT_EQ(PreferredPlatform(nullptr, ""), "");
}

}  // namespace
