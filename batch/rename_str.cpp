// RenameStr: the window's controls read into an operation, the numbering computation, and the
// call of ProcessString for one entry.
#include "batch/rename_str.h"

#include <string>

#include "engine/messages.h"
#include "engine/numbering.h"
#include "engine/process_string.h"
#include "engine/regex_replace.h"

namespace kestro {
namespace {

std::string CaseCode(CaseChoice choice) {
  switch (choice) {
    case CaseChoice::uppercase:
      return "1";
    case CaseChoice::lowercase:
      return "2";
    case CaseChoice::sentence:
      return "3";
    case CaseChoice::None:
      break;
  }
  return "0";
}

std::int16_t DecimalWidth(std::int32_t value) {
  return static_cast<std::int16_t>(std::to_string(value).size());
}

}  // namespace

RenameOperation OperationInForce(const WindowState& state) {
  RenameOperation op;
  op.keep_extension = state.SmartCheck;
  switch (state.active_operation) {
    case ActiveOperation::Rename:
      op.mode = RenameMode::CommonStyle;
      op.common_style = state.common_style;
      break;
    case ActiveOperation::Strip:
      op.mode = RenameMode::Strip;
      op.param1 = state.Text6;
      if (state.leftoption) op.param2.push_back('1');  // empty: rightoption
      break;
    case ActiveOperation::Replace:
      op.mode = RenameMode::Replace;
      op.param1 = state.Text8;
      op.param2 = state.Text7;
      op.regex = state.RegexCheck;
      op.match_case = state.MatchCase;
      break;
    case ActiveOperation::Case:
      op.mode = RenameMode::Case;
      op.param1 = CaseCode(state.case_choice);
      op.extension_only = state.CaseExtOnly;
      break;
    case ActiveOperation::Extension:
      op.mode = RenameMode::Extension;
      op.param1 = state.extad;
      break;
    case ActiveOperation::Numbering:
      op.mode = RenameMode::Numbering;
      break;
    case ActiveOperation::None:
      break;
  }
  return op;
}

std::optional<std::string> TryRenameStr(const WindowState& state, const Clock& clock, UiHost& ui,
                                        std::string_view name, std::int32_t position,
                                        std::int32_t count, std::string* failure,
                                        const EntryDates* dates) {
  NumberingValues numbers;
  numbers.entry_number = position;
  numbers.highest_number = count;
  numbers.digit_width = DecimalWidth(count);
  RenameOperation op = OperationInForce(state);
  if (op.mode == RenameMode::Numbering) {
    NumberingOutcome numbering = ComputeNumbering(state.numbering, position, count);
    switch (numbering.status) {
      case NumberingOutcome::Status::kOk:
        break;
      case NumberingOutcome::Status::kErroneous:
        ui.ShowMessage({messages::kErroneousValues, messages::kErrorTitle, MessageIcon::Critical});
        return std::nullopt;
      case NumberingOutcome::Status::kNoName:
        return std::nullopt;
    }
    op.param1 = std::move(numbering.param1);
    op.param2 = std::move(numbering.param2);
    numbers = numbering.values;
  }
  const EntryDates sample = dates == nullptr ? SampleEntryDates(clock.Today()) : EntryDates();
  std::string why;
  std::string result =
      ProcessString(name, op, numbers, clock.Today(), &why, dates != nullptr ? dates : &sample);
  if (!why.empty()) {
    if (failure != nullptr) *failure = std::move(why);
    return std::nullopt;
  }
  return result;
}

std::string RenameStr(const WindowState& state, const Clock& clock, UiHost& ui,
                      std::string_view name, std::int32_t position, std::int32_t count) {
  return TryRenameStr(state, clock, ui, name, position, count).value_or(std::string());
}

DatesNeeded DatesInUse(const WindowState& state) {
  DatesNeeded needed;
  const auto choose = [&](bool taken, bool modified) {
    needed.taken = taken;
    needed.modified = modified;
  };
  if (state.active_operation == ActiveOperation::Rename &&
      state.common_style.info != CommonStyleSettings::Info::Option11) {
    const DateChoice choice = state.common_style.date_choice;
    choose(choice == DateChoice::Taken, choice == DateChoice::Modified);
  } else if (state.active_operation == ActiveOperation::Numbering) {
    const NumberingOrder order = state.numbering.order;
    choose(order == NumberingOrder::Taken, order == NumberingOrder::Modified);
  }
  return needed;
}

std::string ReplacePatternError(const WindowState& state) {
  if (!state.RegexCheck || state.Text8.empty()) return {};
  return PatternError(state.Text8, state.MatchCase);
}

void CheckAllValues(WindowState& state, const Clock& clock, UiHost& ui) {
  state.after = RenameStr(state, clock, ui, state.before, 1, 999);
}

}  // namespace kestro
