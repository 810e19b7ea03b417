#include "app/presets/line_type_names.h"

#include <array>
#include <string_view>

#include "app/presets/preset.h"

namespace kx27 {
namespace {

constexpr std::string_view kNoConversion =
    "\x95\xcf\x8a\xb7\x82\xb5\x82\xc8\x82\xa2";                                   // 変換しない
constexpr std::string_view kSolid = "\x8e\xc0\x90\xfc";                           // 実線
constexpr std::string_view kDotted = "\x93\x5f\x90\xfc";                          // 点線
constexpr std::string_view kChain = "\x88\xea\x93\x5f\x8d\xbd";                   // 一点鎖
constexpr std::string_view kDoubleChain = "\x93\xf1\x93\x5f\x8d\xbd";             // 二点鎖
constexpr std::string_view kAuxiliary = "\x95\xe2\x8f\x95\x90\xfc";               // 補助線
constexpr std::string_view kRandom = "\x83\x89\x83\x93\x83\x5f\x83\x80\x90\xfc";  // ランダム線
constexpr std::string_view kDoubleLength = "\x94\x7b\x92\xb7\x90\xfc";            // 倍長線
constexpr std::string_view kSxf = "SXF\x90\xfc\x8e\xed";                          // SXF線種
// ユーザー定義SXF線種
constexpr std::string_view kUserSxf =
    "\x83\x86\x81\x5b\x83\x55\x81\x5b\x92\xe8\x8b\x60SXF\x90\xfc\x8e\xed";

// The predefined SXF line types 1-15 in SXF's own order.
constexpr std::array<std::string_view, 15> kSxfNames = {
    "\x8e\xc0\x90\xfc",                                  // 実線
    "\x94\x6a\x90\xfc",                                  // 破線
    "\x92\xb5\x82\xd1\x94\x6a\x90\xfc",                  // 跳び破線
    "\x88\xea\x93\x5f\x92\xb7\x8d\xbd\x90\xfc",          // 一点長鎖線
    "\x93\xf1\x93\x5f\x92\xb7\x8d\xbd\x90\xfc",          // 二点長鎖線
    "\x8e\x4f\x93\x5f\x92\xb7\x8d\xbd\x90\xfc",          // 三点長鎖線
    "\x93\x5f\x90\xfc",                                  // 点線
    "\x88\xea\x93\x5f\x8d\xbd\x90\xfc",                  // 一点鎖線
    "\x93\xf1\x93\x5f\x8d\xbd\x90\xfc",                  // 二点鎖線
    "\x88\xea\x93\x5f\x92\x5a\x8d\xbd\x90\xfc",          // 一点短鎖線
    "\x88\xea\x93\x5f\x93\xf1\x92\x5a\x8d\xbd\x90\xfc",  // 一点二短鎖線
    "\x93\xf1\x93\x5f\x92\x5a\x8d\xbd\x90\xfc",          // 二点短鎖線
    "\x93\xf1\x93\x5f\x93\xf1\x92\x5a\x8d\xbd\x90\xfc",  // 二点二短鎖線
    "\x8e\x4f\x93\x5f\x92\x5a\x8d\xbd\x90\xfc",          // 三点短鎖線
    "\x8e\x4f\x93\x5f\x93\xf1\x92\x5a\x8d\xbd\x90\xfc",  // 三点二短鎖線
};

constexpr std::array<std::int32_t, 50> kPresetValues = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  11, 12, 13, 14, 15, 16, 17,
    18, 19, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45,
    47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62};

std::string Numbered(std::string_view name, std::int32_t number) {
  return std::string(name) + std::to_string(number);
}

}  // namespace

std::string LineTypeName(std::int32_t value) {
  if (!IsLineType(value)) return {};
  if (value == 0) return std::string(kNoConversion);
  if (value == 1) return std::string(kSolid);
  if (value <= 4) return Numbered(kDotted, value - 1);
  if (value <= 6) return Numbered(kChain, value - 4);
  if (value <= 8) return Numbered(kDoubleChain, value - 6);
  if (value == 9) return std::string(kAuxiliary);
  if (value <= 15) return Numbered(kRandom, value - 10);
  if (value <= 19) return Numbered(kDoubleLength, value - 15);
  if (value <= 45) {
    return Numbered(kSxf, value - 30) + " " + std::string(kSxfNames[value - 31]);
  }
  return Numbered(kUserSxf, value - 46);
}

std::span<const std::int32_t> PresetValues() { return kPresetValues; }

}  // namespace kx27
