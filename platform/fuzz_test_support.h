// Mutated inputs for the readers of files the user's machine may hand us damaged or hostile (the
// journal, the settings file): seeds and copies of them with small faults, fed to a reader in turn.
//
//   ForEachMutatedInput({good_journal}, {.count = 5000}, [](const std::string& bytes) {
//     (void)ReadJournalText(bytes);  // must neither crash, hang nor trip the sanitizers
//   });
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kestro::testing {

struct MutationBudget {
  std::size_t count = 2000;              // inputs fed at most, seeds included
  std::chrono::milliseconds time{2000};  // and no longer than this
  std::uint32_t seed = 1;                // the same seed feeds the same inputs
};

// Feeds every seed as it is, then mutated copies of them: a byte flipped by one bit or replaced,
// the text cut short, a run of bytes removed, repeated or moved, a line boundary or a NUL inserted,
// or a run of digits made huge. Each mutant starts from a seed and takes one to four faults.
inline void ForEachMutatedInput(const std::vector<std::string>& seeds, const MutationBudget& budget,
                                const std::function<void(const std::string&)>& feed) {
  if (seeds.empty()) return;
  const auto deadline = std::chrono::steady_clock::now() + budget.time;
  std::mt19937 random(budget.seed);
  const auto below = [&random](std::size_t n) {
    return n == 0 ? std::size_t{0} : std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  std::size_t fed = 0;
  for (const std::string& seed : seeds) {
    if (fed++ == budget.count) return;
    feed(seed);
  }
  static constexpr std::string_view kInserts[] = {"\n", "\r\n", "\t",   std::string_view("\0", 1),
                                                  "..", "/",    "\\",   "\"",
                                                  "=",  "%",    "\xff", "\xc3"};
  while (fed < budget.count && std::chrono::steady_clock::now() < deadline) {
    std::string input = seeds[below(seeds.size())];
    const std::size_t faults = 1 + below(4);
    for (std::size_t i = 0; i < faults; ++i) {
      const std::size_t at = below(input.size() + 1);
      const std::size_t run = 1 + below(16);
      switch (below(8)) {
        case 0:
          if (at < input.size()) input[at] = static_cast<char>(input[at] ^ (1 << below(8)));
          break;
        case 1:
          if (at < input.size()) input[at] = static_cast<char>(below(256));
          break;
        case 2:
          input.resize(at);
          break;
        case 3:
          input.erase(at, run);
          break;
        case 4:
          input.insert(at, input.substr(at, run));
          break;
        case 5: {
          const std::string piece = input.substr(at, run);
          input.erase(at, run);
          input.insert(below(input.size() + 1), piece);
          break;
        }
        case 6:
          input.insert(at, kInserts[below(std::size(kInserts))]);
          break;
        default:
          input.insert(at, std::string(1 + below(24), static_cast<char>('0' + below(10))));
          break;
      }
    }
    ++fed;
    feed(input);
  }
}

}  // namespace kestro::testing
