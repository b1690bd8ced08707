// Form1Window as it grows: the design size is the smallest, and the extra room goes to the
// pickers' trees and lists and to the preview by the rule both windows follow
// (batch/form1_growth.h).
#include <windows.h>

#include "batch/form1_design.h"
#include "batch/form1_growth.h"
#include "winui/form1_window.h"
#include "winui/win32_fonts.h"

namespace kestro {

Form1Sizes Form1Window::DesignSizes() const {
  return {TwipsToPixels(kForm1DesignWidth, scale_), TwipsToPixels(kForm1ClientHeight, scale_),
          TwipsToPixels(kForm1PreviewWidth, scale_)};
}

void Form1Window::Resized() {
  if (hwnd_ == nullptr || IsIconic(hwnd_)) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  // No line of counts under the lists here: they take all the height they gain.
  growth_ = GrowForm1(DesignSizes(), client.right, client.bottom, preview_shown_,
                      /*count_height=*/0, &picker_extra_);
  LayOut();
  // The tab strips' panels are drawn by the window: the old edges go.
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Form1Window::LimitSize(MINMAXINFO& limits) const {
  const Form1Sizes sizes = DesignSizes();
  const SIZE smallest = OuterSize(sizes.design_width + (preview_shown_ ? sizes.preview_width : 0),
                                  sizes.design_height, kWindowStyle, 0);
  limits.ptMinTrackSize = {smallest.cx, smallest.cy};
}

}  // namespace kestro
