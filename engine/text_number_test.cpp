#include "engine/text_number.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace kestro {
namespace {

TEST(ReadNumberTest, ReadsTheNumberAtTheStartWhateverTheLocale) {
  // A German LC_NUMERIC would make strtod stop at "."; the reader must not care.
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) std::setlocale(LC_NUMERIC, "C");
  const std::pair<const char*, double> cases[] = {
      {" \t12", 12.0}, {"2.5x", 2.5}, {"abc", 0.0}, {"", 0.0},        {"-4", -4.0},
      {"+7", 7.0},     {"-", 0.0},    {".", 0.0},   {".5", 0.5},      {"5.", 5.0},
      {"1e3", 1.0},    {"- 3", 0.0},  {"2,5", 2.0}, {"0.25.5", 0.25}, {"2147483648", 2147483648.0},
  };
  for (const auto& [text, value] : cases)
    EXPECT_EQ(ReadNumber(text), value) << "\"" << text << "\"";
  std::setlocale(LC_NUMERIC, saved.c_str());

  const std::string huge(400, '9');  // too long for a double: saturates instead of failing
  EXPECT_EQ(ReadNumber(huge), HUGE_VAL);
  EXPECT_EQ(ReadNumber("-" + huge), -HUGE_VAL);
  EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, double> cases[] = {
      {0.5, 0.0},           {1.5, 2.0}, {2.5, 2.0},   {-0.5, 0.0}, {-1.5, -2.0},
      {-2.5, -2.0},         {2.6, 3.0}, {-2.6, -3.0}, {0.49, 0.0}, {1000000.5, 1000000.0},
      {HUGE_VAL, HUGE_VAL},
  };
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

}  // namespace
}  // namespace kestro
