// A multi-selection list (List1, List2): entries in list order and whether each is selected.
// Plain vectors, so a folder of 100,000 entries stays cheap to fill, select and walk.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace kestro {

class SelectableList {
 public:
  void Clear() {
    entries_.clear();
    selected_.clear();
  }
  // Replaces the entries; nothing is selected afterwards.
  void Assign(std::vector<std::string> entries) {
    entries_ = std::move(entries);
    selected_.assign(entries_.size(), 0);
  }
  [[nodiscard]] std::size_t size() const { return entries_.size(); }
  [[nodiscard]] const std::string& at(std::size_t i) const { return entries_[i]; }
  [[nodiscard]] const std::vector<std::string>& entries() const { return entries_; }
  // Hands the entries over, leaving the list empty.
  [[nodiscard]] std::vector<std::string> Take() {
    selected_.clear();
    return std::exchange(entries_, {});
  }
  [[nodiscard]] bool selected(std::size_t i) const { return selected_[i] != 0; }
  void SetSelected(std::size_t i, bool on) { selected_[i] = on ? 1 : 0; }
  void Toggle(std::size_t i) { selected_[i] = selected_[i] ? 0 : 1; }
  void SelectAll(bool on) { selected_.assign(entries_.size(), on ? 1 : 0); }
  [[nodiscard]] std::size_t SelectedCount() const {
    std::size_t n = 0;
    for (char s : selected_) n += s ? 1 : 0;
    return n;
  }

 private:
  std::vector<std::string> entries_;
  std::vector<char> selected_;
};

}  // namespace kestro
