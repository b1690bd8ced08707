// The common-style prefix "<left><info><right><separator>" put before every name.
#pragma once

#include <string>

#include "engine/calendar_date.h"
#include "engine/rename_operation.h"

namespace kestro {

// The prefix the four option groups give: the initial settings on 4 December give "(1204) ".
[[nodiscard]] std::string BeginningBit(const CommonStyleSettings& settings);

// The four date captions of the "Info" group for `day`.
[[nodiscard]] DateCaptions MakeDateCaptions(const CalendarDate& day);

}  // namespace kestro
