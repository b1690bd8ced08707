// How Form1 grows beyond its design size, for every toolkit: the extra height goes to the pickers'
// trees and lists, the extra width to the pickers (and, while the outcome preview is open, shared
// with it); the operations, the buttons and the status line's end move along.
//   Form1Growth growth = GrowForm1(sizes, width, height, preview_open, count_height);
//   place = GrownPlace(design_place, Form1FollowOf(control), growth);
#pragma once

#include "batch/form1_design.h"
#include "batch/twip_rect.h"

namespace kestro {

// How a control follows the window's growth.
enum class Follow {
  kStay,         // keeps its design place
  kPickers,      // a picker page: as wide and as tall as the window lets it
  kWiden,        // as wide as the pickers, its height kept
  kTree,         // a folder tree: wider, and a third of the extra height
  kList,         // an entry list: wider, below the tree, the rest of the height (less the count)
  kCount,        // the count under an entry list, shown only when the list's growth makes room
  kLeftButton,   // the left of two buttons under a list: down, and half the extra width
  kRightButton,  // the right one: down, moved by half the extra width and widened by the other
  kRight,        // moves right by the pickers' extra width
  kStatus,       // the status line: down, and wider by the pickers' extra width
  kBottomRight,  // down and right
  kPreview,      // the outcome preview: right of the pickers, with the rest of the width
};

// The window's sizes at the design size, in pixels at its scale.
struct Form1Sizes {
  int design_width = 0;  // the client area without the preview
  int design_height = 0;
  int preview_width = 0;  // what the preview adds
};

// What the window has beyond its design size.
struct Form1Growth {
  int dx = 0;             // the width the pickers gain
  int dy = 0;             // the extra height
  int tree_dy = 0;        // of it, what the trees gain
  int preview_extra = 0;  // the width the preview gains
  int count_height = 0;   // the counts' line
  bool counts_shown = false;
};

// The growth of a client area `width` x `height`. With the preview closed the pickers take all the
// extra width, and `*picker_extra` keeps it; while it is open they share the extra width equally
// with the preview, but never have less than `*picker_extra`, what they had when it opened.
[[nodiscard]] Form1Growth GrowForm1(const Form1Sizes& sizes, int width, int height,
                                    bool preview_open, int count_height, int* picker_extra);

// `design`, a place at the design size, as it lies when the window has grown by `growth`.
[[nodiscard]] PixelRect GrownPlace(PixelRect design, Follow follow, const Form1Growth& growth);

// What each of the preview's Name and New name columns gains (or, below 0, gives back) when its
// list, last laid out `*laid_out` pixels wide, is `width` wide: a third of the change each, the
// Outcome column keeping its width. `*laid_out` moves by what was handed out, so what is left
// over waits for the next change and a window dragged a pixel at a time still widens them.
[[nodiscard]] int PreviewColumnGain(int width, int* laid_out);

// How `control` follows: by its name, else as its page or frame moves (a control inside a moving
// page moves with it; one inside a growing picker page keeps its place).
[[nodiscard]] Follow Form1FollowOf(const FormControl& control);

}  // namespace kestro
