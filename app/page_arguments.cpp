#include "app/page_arguments.h"

#include <charconv>
#include <string_view>

namespace {

// A whole decimal number of at most `digits` digits, nothing else.
std::optional<uint64_t> Number(std::string_view text, size_t digits) {
  uint64_t value = 0;
  if (text.empty() || text.size() > digits) return std::nullopt;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

PageArguments ReadPageArguments(const std::vector<std::string>& args) {
  PageArguments out;
  for (const std::string& arg : args) {
    std::string_view a = arg;
    auto value = [&](std::string_view name) -> std::optional<std::string_view> {
      if (a.substr(0, name.size()) != name) return std::nullopt;
      return a.substr(name.size());
    };
    if (auto v = value("--fixed-random=")) {
      out.fixed_random = Number(*v, 20);
      if (!out.fixed_random) out.problems.push_back("fixed-random takes a number, not '" + std::string(*v) + "'");
    } else if (auto v = value("--replay=")) {
      out.replay = *v;
    } else if (auto v = value("--stop=")) {
      // Milliseconds, under 10 digits: a replay stops within three hours.
      out.stop_ms = Number(*v, 9);
      if (!out.stop_ms) out.problems.push_back("stop takes milliseconds, not '" + std::string(*v) + "'");
    } else if (auto v = value("--lang=")) {
      out.lang = *v;
    }
  }
  return out;
}
