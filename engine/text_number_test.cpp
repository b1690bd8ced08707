#include "engine/text_number.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace kestro {
namespace {

struct NumberCase {
  const char* text;
  double value;
};

TEST(ReadNumberTest, ReadsTheNumberAtTheStart) {
  const NumberCase cases[] = {
      {"3", 3.0},       {" 3", 3.0},
      {"  \t12", 12.0}, {"2.5x", 2.5},
      {"abc", 0.0},     {"", 0.0},
      {"-4", -4.0},     {"+7", 7.0},
      {"-", 0.0},       {".", 0.0},
      {".5", 0.5},      {"5.", 5.0},
      {"007", 7.0},     {"1e3", 1.0},
      {"3 4", 3.0},     {"12abc34", 12.0},
      {"- 3", 0.0},     {"--3", 0.0},
      {"0.25.5", 0.25}, {"x12", 0.0},
      {"-0.75", -0.75}, {"2147483648", 2147483648.0},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(ReadNumber(c.text), c.value) << "text: \"" << c.text << "\"";
  }
}

TEST(ReadNumberTest, VeryLongNumbersSaturateInsteadOfFailing) {
  const std::string huge(400, '9');
  EXPECT_TRUE(std::isinf(ReadNumber(huge)));
  EXPECT_GT(ReadNumber(huge), 0.0);
  EXPECT_LT(ReadNumber("-" + huge), 0.0);
  EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(ReadNumberTest, DecimalPointIsAFullStopWhateverTheLocale) {
  // A German LC_NUMERIC would make strtod stop at "."; the reader must not care.
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(ReadNumber("2.5"), 2.5);
  EXPECT_EQ(ReadNumber("2,5"), 2.0);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
  const NumberCase cases[] = {
      {"0.5", 0.0},
      {"1.5", 2.0},
      {"2.5", 2.0},
      {"3.5", 4.0},
      {"-0.5", 0.0},
      {"-1.5", -2.0},
      {"-2.5", -2.0},
      {"2.4", 2.0},
      {"2.6", 3.0},
      {"-2.6", -3.0},
      {"7", 7.0},
      {"0.49", 0.0},
      {"1000000.5", 1000000.0},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(RoundHalfEven(ReadNumber(c.text)), c.value) << "value: " << c.text;
  }
}

TEST(RoundHalfEvenTest, InfinityPassesThrough) { EXPECT_TRUE(std::isinf(RoundHalfEven(HUGE_VAL))); }

}  // namespace
}  // namespace kestro
