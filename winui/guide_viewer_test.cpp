// The program's own guide viewer: the guide's text as it shows it, Esc closing it, and the
// opener's word on a guide that is not there.
#include "winui/guide_viewer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "winui/control_names.h"
#include "winui/win32_entry.h"

namespace kestro {
namespace {

TEST(GuidePlainTextTest, DropsTagsAndTheHeadDecodesEntitiesAndBreaksLinesAtBlocks) {
  EXPECT_EQ(GuidePlainText("<html><head><title>T</title><style>p{}</style></head><body>"
                           "<h1>A &amp; B</h1><p>one\n   two&#233;</p><ul><li>x &lt;y&gt;</li>"
                           "</ul><script>var a = 1 < 2;</script>end</body></html>"),
            "A & B\r\none two\xC3\xA9\r\n\xE2\x80\xA2 x <y>\r\nend");
}

TEST(GuideViewerTest, EscOnTheTextClosesTheWindow) {
  GuideViewer viewer("The guide.");
  ASSERT_NE(viewer.hwnd(), nullptr);
  HWND text = FindNamedControl(viewer.hwnd(), "GuideText");
  ASSERT_EQ(GetFocus(), text);
  PostMessageW(text, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(text, WM_KEYUP, VK_ESCAPE, 1 | (LPARAM{3} << 30));
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchWin32Message(message);
  EXPECT_EQ(viewer.hwnd(), nullptr);
}

TEST(ShellDocumentOpenerTest, AGuideThatIsNotThereIsSaidSoWithoutAShellBox) {
  const std::string missing =
      (std::filesystem::temp_directory_path() / "kestro-no-such-folder" / "manual.htm").string();
  ShellDocumentOpener opener;
  const Status opened = opener.Open(missing);
  EXPECT_EQ(opened.code(), Status::Code::kNotFound);
  EXPECT_EQ(opened.message(), "'" + missing + "': no such file");
}

}  // namespace
}  // namespace kestro
