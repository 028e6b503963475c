#include "common/regex.h"

#include <pcre.h>

#include <cstdint>
#include <unordered_map>

struct regex_code {
  pcre* code = nullptr;
  pcre_extra* extra = nullptr;

  regex_code() = default;
  regex_code(const regex_code&) = delete;
  regex_code& operator=(const regex_code&) = delete;
  ~regex_code() {
    if (extra) pcre_free_study(extra);
    if (code) pcre_free(code);
  }
};

namespace {

// Bounds the interpreter's recursion, so a pathological pattern on a long
// subject fails to match instead of overflowing the C stack; the JIT stops
// at the end of its own fixed stack instead. The match limit (backtracking
// steps, counted by both engines) is PCRE's default unless a caller asks
// for a tighter one.
constexpr unsigned long RECURSION_LIMIT = 10000;
// A cache this large is cleared; patterns in use stay alive through their owners.
constexpr size_t CACHE_LIMIT = 200000;

// Compilations so far, which tests read to see the cache at work.
int64_t& compile_count() {
  static int64_t count = 0;
  return count;
}

std::shared_ptr<regex_code> compile(const std::string& pattern, int options) {
  ++compile_count();
  const char* error = nullptr;
  int offset = 0;
  pcre* code = pcre_compile(pattern.c_str(), options, &error, &offset, nullptr);
  if (!code) return nullptr;
  auto compiled = std::make_shared<regex_code>();
  compiled->code = code;
  compiled->extra = pcre_study(code, PCRE_STUDY_JIT_COMPILE | PCRE_STUDY_EXTRA_NEEDED, &error);
  if (compiled->extra) {
    compiled->extra->flags |= PCRE_EXTRA_MATCH_LIMIT_RECURSION;
    compiled->extra->match_limit_recursion = RECURSION_LIMIT;
  }
  return compiled;
}

// Compiled patterns by options and text; a pattern that failed is kept as
// null so it is not compiled again either.
std::shared_ptr<regex_code> cached(std::string_view pattern, int options) {
  static std::unordered_map<std::string, std::shared_ptr<regex_code>> cache;
  std::string key;
  key.reserve(pattern.size() + 1);
  key.push_back(static_cast<char>('A' + ((options & PCRE_DOTALL) ? 1 : 0)));
  key.append(pattern);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  // PCRE reads a zero-terminated pattern: one holding a zero byte cannot be
  // compiled as written.
  std::shared_ptr<regex_code> compiled;
  if (pattern.find('\0') == std::string_view::npos) compiled = compile(std::string(pattern), options);
  if (cache.size() >= CACHE_LIMIT) cache.clear();
  cache.emplace(std::move(key), compiled);
  return compiled;
}

// A run that hits a limit (PCRE_ERROR_MATCHLIMIT, _RECURSIONLIMIT,
// _JIT_STACKLIMIT) is no match. match_limit 0 keeps PCRE's default.
bool run(const regex_code& re, std::string_view subject, bool known_valid, unsigned long match_limit) {
  pcre_extra limited;
  pcre_extra* extra = re.extra;
  if (match_limit != 0 && extra) {
    limited = *extra;
    limited.flags |= PCRE_EXTRA_MATCH_LIMIT;
    limited.match_limit = match_limit;
    extra = &limited;
  }
  int ovector[30];
  int rc = pcre_exec(re.code, extra, subject.data(), static_cast<int>(subject.size()), 0,
                     known_valid ? PCRE_NO_UTF8_CHECK : 0, ovector, 30);
  if (rc == PCRE_ERROR_BADUTF8 || rc == PCRE_ERROR_BADUTF8_OFFSET) {
    // Invalid bytes are matched as U+FFFD, as the rest of the program reads them.
    std::string clean = to_utf8(from_utf8(subject));
    rc = pcre_exec(re.code, extra, clean.data(), static_cast<int>(clean.size()), 0, PCRE_NO_UTF8_CHECK, ovector, 30);
  }
  return rc >= 0;
}

bool fits(size_t size) { return size <= static_cast<size_t>(INT32_MAX); }

}  // namespace

compiled_regex::compiled_regex(std::string_view utf8_pattern)
    : code_(cached(utf8_pattern, PCRE_UTF8 | PCRE_DOTALL)) {}

compiled_regex::compiled_regex(std::string_view utf8_pattern, bool dot_matches_newline)
    : code_(cached(utf8_pattern, PCRE_UTF8 | (dot_matches_newline ? PCRE_DOTALL : 0))) {}

int64_t compiled_regex::compilations() { return compile_count(); }

bool compiled_regex::matches(std::string_view utf8_subject) const {
  if (!code_ || !fits(utf8_subject.size())) return false;
  return run(*code_, utf8_subject, false, 0);
}

bool compiled_regex::matches(text_view subject) const { return matches_bounded(subject, 0); }

bool compiled_regex::matches_bounded(text_view subject, unsigned long match_limit) const {
  if (!code_) return false;
  // Encoded text is always well-formed (lone surrogates become U+FFFD), so
  // PCRE need not check it again.
  thread_local std::string buffer;
  buffer.clear();
  append_utf8(buffer, subject);
  if (!fits(buffer.size())) return false;
  return run(*code_, buffer, true, match_limit);
}

// ---- Numbered expressions ------------------------------------------------------

namespace {

std::unordered_map<int, compiled_regex>& numbered() {
  static std::unordered_map<int, compiled_regex> all;
  return all;
}

}  // namespace

int regex_create(int n, text_view pattern, int flags) {
  regex_free(n);
  // Flag 4 is dot-matches-newline.
  compiled_regex re(to_utf8(pattern), (flags & 4) != 0);
  if (!re.valid()) return 0;
  numbered()[n] = std::move(re);
  return 1;
}

int regex_match(int n, text_view subject) {
  auto it = numbered().find(n);
  if (it == numbered().end()) return 0;
  return it->second.matches(subject) ? 1 : 0;
}

void regex_free(int n) {
  if (n == -1) {
    numbered().clear();
  } else {
    numbered().erase(n);
  }
}
