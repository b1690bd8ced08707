#include "ui/twips.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(TwipsTest, FifteenTwipsAPixelAtNinetySixDpi) {
  const Twips twips(1.0);
  EXPECT_EQ(twips.Px(15), 1);
  EXPECT_EQ(twips.Px(8280), 552);
  EXPECT_EQ(twips.Rect(3564, 4536, 1380, 624), QRect(238, 302, 92, 42));
}

TEST(TwipsTest, NeighboursStayNeighboursWhenScaled) {
  // "Select All" ends where "Select None" begins less 24 twips, at every scale.
  for (double scale : {1.0, 1.25, 1.5, 2.0}) {
    const Twips twips(scale);
    const QRect all = twips.Rect(72, 4356, 1632, 372);
    const QRect none = twips.Rect(1728, 4356, 1596, 372);
    EXPECT_EQ(none.left() - (all.right() + 1), twips.Px(1728) - twips.Px(1704)) << scale;
    EXPECT_EQ(all.top(), none.top()) << scale;
    EXPECT_EQ(all.height(), none.height()) << scale;
  }
  EXPECT_EQ(Twips(1.5).Px(8280), 828);
}

}  // namespace
}  // namespace kestro
