#include "engine/regex_replace.h"

#include <pcre2.h>

#include <memory>

#include "engine/utf8_text.h"

namespace kestro {
namespace {

std::string ErrorText(int code) {
  PCRE2_UCHAR text[256];
  const int length = pcre2_get_error_message(code, text, sizeof text);
  if (length < 0) return "error " + std::to_string(code);
  return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
}

// One compiled pattern with what matching it needs. The code may be shared; the match block and
// the output buffer belong to one thread, which is why the cache below is per thread.
class CompiledPattern {
 public:
  CompiledPattern(std::string_view pattern, bool match_case)
      : pattern_(pattern), match_case_(match_case) {
    int code = 0;
    PCRE2_SIZE offset = 0;
    const std::uint32_t options = PCRE2_UTF | PCRE2_UCP | (match_case ? 0 : PCRE2_CASELESS);
    code_ = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), options,
                          &code, &offset, nullptr);
    if (code_ == nullptr) {
      // PCRE2 counts bytes; a person counts characters.
      const std::size_t at = CodePointCount(pattern.substr(0, std::min(offset, pattern.size())));
      error_ =
          "bad pattern '" + pattern_ + "': " + ErrorText(code) + " at offset " + std::to_string(at);
      return;
    }
    // Without JIT (a platform that lacks it) the interpreter gives the same results, slower.
    pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE);
    data_ = pcre2_match_data_create_from_pattern(code_, nullptr);
    context_ = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(context_, kPatternMatchLimit);
  }
  CompiledPattern(const CompiledPattern&) = delete;
  CompiledPattern& operator=(const CompiledPattern&) = delete;
  ~CompiledPattern() {
    pcre2_match_context_free(context_);
    pcre2_match_data_free(data_);
    pcre2_code_free(code_);
  }

  [[nodiscard]] bool Is(std::string_view pattern, bool match_case) const {
    return match_case == match_case_ && pattern == pattern_;
  }
  [[nodiscard]] const std::string& error() const { return error_; }

  bool Replace(std::string_view source, std::string_view replacement, std::string* out,
               std::string* failure) {
    constexpr std::uint32_t kOptions =
        PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_EXTENDED | PCRE2_SUBSTITUTE_UNSET_EMPTY |
        PCRE2_SUBSTITUTE_UNKNOWN_UNSET | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH | PCRE2_NO_UTF_CHECK;
    if (buffer_.size() < source.size() * 2 + replacement.size() + 64)
      buffer_.resize(source.size() * 2 + replacement.size() + 64);
    for (;;) {
      PCRE2_SIZE length = buffer_.size();
      const int result = pcre2_substitute(
          code_, reinterpret_cast<PCRE2_SPTR>(source.data()), source.size(), 0, kOptions, data_,
          context_, reinterpret_cast<PCRE2_SPTR>(replacement.data()), replacement.size(),
          reinterpret_cast<PCRE2_UCHAR*>(buffer_.data()), &length);
      if (result >= 0) {
        out->assign(buffer_.data(), length);
        return true;
      }
      if (result == PCRE2_ERROR_NOMEMORY && length > buffer_.size()) {
        buffer_.resize(length);  // the length it needs: the second try fits
        continue;
      }
      switch (result) {
        case PCRE2_ERROR_MATCHLIMIT:
        case PCRE2_ERROR_DEPTHLIMIT:
        case PCRE2_ERROR_HEAPLIMIT:
        case PCRE2_ERROR_JIT_STACKLIMIT:
          *failure = "pattern '" + pattern_ + "' hit its match limit on this name";
          break;
        default:
          *failure = "bad replacement '" + std::string(replacement) + "': " + ErrorText(result);
          break;
      }
      return false;
    }
  }

 private:
  std::string pattern_;
  bool match_case_;
  pcre2_code* code_ = nullptr;
  pcre2_match_data* data_ = nullptr;
  pcre2_match_context* context_ = nullptr;
  std::string error_;
  std::string buffer_;
};

// The pattern last asked for on this thread, compiled (or its error) once.
CompiledPattern& PatternFor(std::string_view pattern, bool match_case) {
  thread_local std::unique_ptr<CompiledPattern> last;
  if (!last || !last->Is(pattern, match_case))
    last = std::make_unique<CompiledPattern>(pattern, match_case);
  return *last;
}

}  // namespace

std::string PatternError(std::string_view pattern, bool match_case) {
  return PatternFor(pattern, match_case).error();
}

bool RegexReplaceAll(std::string_view source, std::string_view pattern,
                     std::string_view replacement, bool match_case, std::string* out,
                     std::string* failure) {
  CompiledPattern& compiled = PatternFor(pattern, match_case);
  if (!compiled.error().empty()) {
    *failure = compiled.error();
    return false;
  }
  return compiled.Replace(source, replacement, out, failure);
}

}  // namespace kestro
