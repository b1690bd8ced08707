// GrowForm1, GrownPlace and which control follows how.
#include "batch/form1_growth.h"

#include <algorithm>
#include <string_view>

namespace kestro {

Form1Growth GrowForm1(const Form1Sizes& sizes, int width, int height, bool preview_open,
                      int count_height, int* picker_extra) {
  Form1Growth growth;
  growth.dy = std::max(0, height - sizes.design_height);
  const int dx = std::max(0, width - sizes.design_width - (preview_open ? sizes.preview_width : 0));
  if (!preview_open) *picker_extra = dx;
  growth.dx = std::min(dx, std::max(*picker_extra, dx / 2));
  growth.preview_extra = dx - growth.dx;
  growth.tree_dy = growth.dy / 3;
  growth.count_height = count_height;
  growth.counts_shown = growth.dy - growth.tree_dy >= count_height;
  return growth;
}

PixelRect GrownPlace(PixelRect r, Follow follow, const Form1Growth& g) {
  const int dl = g.dx;
  const int dy = g.dy;
  switch (follow) {
    case Follow::kStay:
      break;
    case Follow::kPickers:
      r.width += dl;
      r.height += dy;
      break;
    case Follow::kWiden:
      r.width += dl;
      break;
    case Follow::kTree:
      r.width += dl;
      r.height += g.tree_dy;
      break;
    case Follow::kList:
      r.y += g.tree_dy;
      r.width += dl;
      r.height += dy - g.tree_dy - (g.counts_shown ? g.count_height : 0);
      break;
    case Follow::kCount:
      r = {r.x, r.y + dy - g.count_height, r.width + dl, g.count_height};
      break;
    case Follow::kLeftButton:
      r.y += dy;
      r.width += dl / 2;
      break;
    case Follow::kRightButton:
      r.x += dl / 2;
      r.y += dy;
      r.width += dl - dl / 2;
      break;
    case Follow::kRight:
      r.x += dl;
      break;
    case Follow::kStatus:
      r.y += dy;
      r.width += dl;
      break;
    case Follow::kBottomRight:
      r.x += dl;
      r.y += dy;
      break;
    case Follow::kPreview:
      r.x += dl;
      r.width += g.preview_extra;
      r.height += dy;
      break;
  }
  return r;
}

int PreviewColumnGain(int width, int* laid_out) {
  const int third = (width - *laid_out) / 3;
  *laid_out += 3 * third;
  return third;
}

namespace {

struct NamedFollow {
  std::string_view name;
  Follow follow;
};
constexpr NamedFollow kFollows[] = {
    {"TabStrip2", Follow::kPickers},
    {"dirs", Follow::kPickers},
    {"files", Follow::kPickers},
    {"Drive1", Follow::kWiden},
    {"Drive2", Follow::kWiden},
    {"Dir1", Follow::kTree},
    {"Dir3", Follow::kTree},
    {"List1", Follow::kList},
    {"List2", Follow::kList},
    {"Command5", Follow::kLeftButton},
    {"Command7", Follow::kLeftButton},
    {"Command6", Follow::kRightButton},
    {"Command8", Follow::kRightButton},
    {"TabStrip1", Follow::kRight},
    {"Frame2", Follow::kRight},
    {"after", Follow::kRight},
    {"Command10", Follow::kRight},
    {"Command3", Follow::kRight},
    {"Command4", Follow::kRight},
    {"Command1", Follow::kRight},
    {"StatusLine", Follow::kStatus},
    {"Undo", Follow::kBottomRight},
    {"PreviewToggle", Follow::kBottomRight},
};

}  // namespace

Follow Form1FollowOf(const FormControl& control) {
  for (const NamedFollow& named : kFollows) {
    if (named.name == control.name) return named.follow;
  }
  // The operation pages move with their tab strip.
  if (const char* page = Form1PageOf(control); page != nullptr && control.parent == nullptr) {
    const std::string_view name = page;
    return name == "dirs" || name == "files" ? Follow::kPickers : Follow::kRight;
  }
  if (control.parent == nullptr) return Follow::kStay;
  const FormControl* parent = FindForm1Control(control.parent);
  if (parent == nullptr) return Follow::kStay;
  const Follow outer = Form1FollowOf(*parent);
  // Only a move carries over to what lies inside; a growing parent keeps its inside in place.
  return outer == Follow::kRight || outer == Follow::kBottomRight ? outer : Follow::kStay;
}

}  // namespace kestro
