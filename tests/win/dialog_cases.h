#pragma once

// What the dialog tests share: the files the dialog reads and writes beside
// itself, and cases that print as their names.

#include <concepts>
#include <ostream>
#include <string>

namespace kx27::test {

inline constexpr wchar_t kExchange[] = L"JWC_TEMP.TXT";
inline constexpr wchar_t kSettings[] = L"kx27.dat";

// A case prints as its name, which CTest's test names carry; CaseName gives
// gtest the same name.
template <class Case>
requires std::convertible_to<decltype(Case::name), const char*> std::ostream& operator<<(
    std::ostream& os, const Case& c) {
  return os << c.name;
}
inline const auto CaseName = [](const auto& info) { return std::string(info.param.name); };

}  // namespace kx27::test
