#include "app/help_texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kestro {
namespace {

TEST(HelpTextsTest, EveryLabelIsInsideTheFrameAndNamedOnce) {
  std::set<std::string> names;
  for (const HelpLabel& label : HelpLabels()) {
    SCOPED_TRACE(label.name);
    EXPECT_TRUE(names.insert(label.name).second);
    EXPECT_GE(label.place.left, 0);
    EXPECT_LE(label.place.left + label.place.width, kFrame2Place.width);
    EXPECT_LE(label.place.top + label.place.height, kFrame2Place.height);
  }
  EXPECT_EQ(names.size(), 25u);
}

TEST(HelpTextsTest, LabelsComeInReadingOrder) {
  const auto labels = HelpLabels();
  for (std::size_t i = 1; i < labels.size(); ++i) {
    const TwipRect& a = labels[i - 1].place;
    const TwipRect& b = labels[i].place;
    EXPECT_TRUE(a.top < b.top || (a.top == b.top && a.left < b.left))
        << labels[i - 1].name << " before " << labels[i].name;
  }
}

TEST(HelpTextsTest, OnlyTheFourLongExplanationsWrap) {
  std::set<std::string> wrapping;
  for (const HelpLabel& label : HelpLabels()) {
    if (label.wraps) wrapping.insert(label.name);
  }
  EXPECT_EQ(wrapping, (std::set<std::string>{"Label28", "Label44", "Label7", "Label8"}));
}

TEST(HelpTextsTest, TerminalTextHoldsEveryTextWholeInReadingOrder) {
  const std::string text = HelpTextForTerminal();
  std::size_t at = text.find(kHelpFrameCaption);
  ASSERT_EQ(at, 0u);
  for (const HelpLabel& label : HelpLabels()) {
    const std::size_t next = text.find(label.text, at);
    ASSERT_NE(next, std::string::npos) << label.name;
    at = next;
  }
}

TEST(HelpTextsTest, TerminalTextPutsARowOnOneLine) {
  const std::string text = HelpTextForTerminal();
  EXPECT_NE(text.find("\n<path>:  The directory in which you wish Kestrovane to process.\n"),
            std::string::npos)
      << text;
  // The explanations of the switches start in one column.
  const std::size_t f = text.find("\n  -F <filemask> ");
  const std::size_t nd = text.find("\n  -ND [-L [<length>] ] [-S <x> ] ");
  const std::size_t note = text.find("\nthe -S option");
  ASSERT_NE(f, std::string::npos) << text;
  ASSERT_NE(nd, std::string::npos) << text;
  EXPECT_EQ(note, std::string::npos) << "the note is set in under the explanations";
  EXPECT_EQ(text.find("-- Process Files", f) - f, text.find("-- Same as above", nd) - nd);
  // The closing note follows the rule, after a blank line.
  EXPECT_NE(text.find("\n\nFor examples on usage"), std::string::npos) << text;
}

}  // namespace
}  // namespace kestro
