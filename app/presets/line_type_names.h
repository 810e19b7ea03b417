#pragma once

// The names of the line-type numbers, as the dialog and kx27c show them.
//
//   0      変換しない (the layer keeps its line types)
//   1-9    実線, 点線1-3, 一点鎖1-2, 二点鎖1-2, 補助線
//   11-15  ランダム線1-5
//   16-19  倍長線1-4
//   31-45  SXF線種1-15 with the name of the SXF predefined line type
//          (実線, 破線, 跳び破線, 一点長鎖線 ... 三点二短鎖線, in SXF's order)
//   47-62  ユーザー定義SXF線種1-16 (their patterns are defined by the drawing)

#include <cstdint>
#include <span>
#include <string>

namespace kx27 {

// Shift_JIS; empty for a number that is no line type (IsLineType).
std::string LineTypeName(std::int32_t value);

// 0 and every line type that a preset may hold, ascending.
std::span<const std::int32_t> PresetValues();

}  // namespace kx27
