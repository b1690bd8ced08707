// GuidePlainText: the guide's text as the program's own viewer shows it.
#include "winui/guide_viewer.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(GuidePlainTextTest, DropsTagsAndTheHeadDecodesEntitiesAndBreaksLinesAtBlocks) {
  EXPECT_EQ(GuidePlainText("<html><head><title>T</title><style>p{}</style></head><body>"
                           "<h1>A &amp; B</h1><p>one\n   two&#233;</p><ul><li>x &lt;y&gt;</li>"
                           "</ul><script>var a = 1 < 2;</script>end</body></html>"),
            "A & B\r\none two\xC3\xA9\r\n\xE2\x80\xA2 x <y>\r\nend");
}

}  // namespace
}  // namespace kestro
