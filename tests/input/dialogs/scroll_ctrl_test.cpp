#include "input/dialogs/scroll_ctrl.h"

#include <gtest/gtest.h>

#include "platform/input/virtual_keys.h"

namespace {

namespace vk = platform::vk;

TEST(ScrollCtrl, RequestsStayInsideTheRange) {
  // 100 rows, 12 in view: positions 0 to 88.
  struct Step {
    int code, track;
    int position;
    bool moved;
  };
  const Step steps[] = {
      {kScrollLineUp, 0, 0, false},    {kScrollLineDown, 0, 1, true},   {kScrollPageDown, 0, 13, true},
      {kScrollBottom, 0, 88, true},    {kScrollLineDown, 0, 88, false}, {kScrollPageUp, 0, 76, true},
      {kScrollThumbTrack, 500, 88, true}, {kScrollThumbTrack, 40, 40, true}, {kScrollTop, 0, 0, true},
      {99, 0, 0, false},
  };
  cScrollCtrl bar;
  bar.SetRange(0, 99, 12);
  for (const Step& step : steps) {
    EXPECT_EQ(bar.Scroll(step.code, step.track), step.moved) << step.code;
    EXPECT_EQ(bar.Position(), step.position) << step.code;
  }
  bar.SetRange(0, 5, 12);  // everything in view
  EXPECT_EQ(bar.Last(), 0);
  EXPECT_FALSE(bar.Scroll(kScrollPageDown));
  bar.SetRange(0, -1, 12);  // an empty list
  EXPECT_EQ(bar.Position(), 0);
}

TEST(ScrollForKey, KeysToScrollRequests) {
  const std::tuple<int, bool, int> cases[] = {
      {vk::kPrior, true, kScrollPageUp},  {vk::kNext, true, kScrollPageDown}, {vk::kEnd, false, kScrollPageDown},
      {vk::kHome, false, kScrollPageUp},  {vk::kLeft, false, kScrollLineUp},  {vk::kUp, true, kScrollLineUp},
      {vk::kRight, false, kScrollLineDown}, {vk::kDown, true, kScrollLineDown},
  };
  for (const auto& [key, vertical, code] : cases) {
    const std::optional<ScrollKey> scroll = ScrollForKey(key);
    ASSERT_TRUE(scroll.has_value()) << key;
    EXPECT_EQ(scroll->vertical, vertical) << key;
    EXPECT_EQ(scroll->code, code) << key;
  }
  EXPECT_FALSE(ScrollForKey('A').has_value());
}

}  // namespace
