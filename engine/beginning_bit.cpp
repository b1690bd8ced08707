#include "engine/beginning_bit.h"

namespace kestro {

std::string BeginningBit(const CommonStyleSettings& settings) {
  using S = CommonStyleSettings;
  std::string prefix;
  switch (settings.left) {
    case S::Left::Option1:
      prefix = "(";
      break;
    case S::Left::Option2:
      prefix = "[";
      break;
    case S::Left::Option20:
      prefix = "<";
      break;
    case S::Left::Option21:
      prefix = "{";
      break;
    case S::Left::Option3:
      prefix = settings.Text2;
      break;
  }
  // The info part is the caption text itself, so the date is the one set when the window loaded.
  switch (settings.info) {
    case S::Info::Option7:
      prefix += settings.captions.Option7;
      break;
    case S::Info::Option8:
      prefix += settings.captions.Option8;
      break;
    case S::Info::Option9:
      prefix += settings.captions.Option9;
      break;
    case S::Info::Option10:
      prefix += settings.captions.Option10;
      break;
    case S::Info::Option11:
      prefix += settings.Text4;
      break;
  }
  switch (settings.right) {
    case S::Right::Option6:
      prefix += ")";
      break;
    case S::Right::Option5:
      prefix += "]";
      break;
    case S::Right::Option18:
      prefix += ">";
      break;
    case S::Right::Option19:
      prefix += "}";
      break;
    case S::Right::Option4:
      prefix += settings.Text3;
      break;
  }
  switch (settings.seperator) {
    case S::Seperator::Option12:
      prefix += " - ";
      break;
    case S::Seperator::Option13:
      prefix += " ";
      break;
    case S::Seperator::Option14:
      prefix += " " + settings.Text5 + " ";
      break;
  }
  return prefix;
}

DateCaptions MakeDateCaptions(const CalendarDate& day) {
  return DateCaptions{
      .Option7 = FormatDate(day, DateFormat::kMMDD),
      .Option8 = FormatDate(day, DateFormat::kDDMM),
      .Option9 = FormatDate(day, DateFormat::kMMDDYY),
      .Option10 = FormatDate(day, DateFormat::kDDMMYY),
  };
}

}  // namespace kestro
