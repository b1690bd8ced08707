#include "batch/form1_growth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace kestro {
namespace {

TEST(Form1GrowthTest, ThePickersTakeTheExtraWidthAndShareItWithAnOpenPreviewAtLeastAsBefore) {
  const Form1Sizes sizes{500, 300, 400};
  struct Case {
    int width, height;
    bool preview;
    int picker_extra_before;
    int dx, preview_extra, tree_dy, picker_extra_after;
  } const cases[] = {
      {500, 300, false, 0, 0, 0, 0, 0},       // the design size
      {400, 200, false, 0, 0, 0, 0, 0},       // smaller: nothing shrinks
      {620, 390, false, 0, 120, 0, 30, 120},  // closed: all to the pickers
      {1000, 300, true, 0, 50, 50, 0, 0},     // open: shared equally
      {1000, 300, true, 80, 80, 20, 0, 80},   // but never less than the pickers had
      {950, 300, true, 80, 50, 0, 0, 80},     // nor more than there is
  };
  for (const Case& c : cases) {
    int picker_extra = c.picker_extra_before;
    const Form1Growth g = GrowForm1(sizes, c.width, c.height, c.preview, 20, &picker_extra);
    EXPECT_EQ(g.dx, c.dx) << c.width << "x" << c.height;
    EXPECT_EQ(g.preview_extra, c.preview_extra) << c.width;
    EXPECT_EQ(g.tree_dy, c.tree_dy) << c.height;
    EXPECT_EQ(g.dy, std::max(0, c.height - 300)) << c.height;
    EXPECT_EQ(picker_extra, c.picker_extra_after) << c.width;
  }
}

TEST(Form1GrowthTest, TreesListsAndButtonsShareTheRoomAndWhatLiesInAMovingPageMovesWithIt) {
  int picker_extra = 0;
  const Form1Growth g = GrowForm1({500, 300, 400}, 601, 390, false, 20, &picker_extra);
  const PixelRect d{10, 20, 100, 50};
  struct Case {
    const char* control;
    PixelRect grown;
  } const cases[] = {
      {"Dir1", {10, 20, 201, 80}},      {"List2", {10, 50, 201, 90}},
      {"Command5", {10, 110, 150, 50}}, {"Command6", {60, 110, 151, 50}},
      {"Option1", {111, 20, 100, 50}},  {"Label2", {111, 20, 100, 50}},
      {"Undo", {111, 110, 100, 50}},    {"StatusLine", {10, 110, 201, 50}},
      {"Label4", {111, 20, 100, 50}},   {"dirs", {10, 20, 201, 140}},
      {"Drive2", {10, 20, 201, 50}},
  };
  int laid_out = 100;  // the preview's name columns: a third each of its change, the rest waits
  EXPECT_EQ(PreviewColumnGain(131, &laid_out), 10);
  EXPECT_EQ(PreviewColumnGain(132, &laid_out), 0);
  EXPECT_EQ(PreviewColumnGain(100, &laid_out), -10);
  const PixelRect count = GrownPlace(d, Follow::kCount, g);  // under its list, at the bottom
  EXPECT_EQ((std::array{count.x, count.y, count.width, count.height}),
            (std::array{10, 90, 201, 20}));
  for (const Case& c : cases) {
    const PixelRect r = GrownPlace(d, Form1FollowOf(*FindForm1Control(c.control)), g);
    EXPECT_EQ((std::array{r.x, r.y, r.width, r.height}),
              (std::array{c.grown.x, c.grown.y, c.grown.width, c.grown.height}))
        << c.control;
  }
}

}  // namespace
}  // namespace kestro
