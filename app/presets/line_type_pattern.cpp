#include "app/presets/line_type_pattern.h"

#include <array>

#include "app/presets/preset.h"

namespace kx27 {
namespace {

using TDashes = std::span<const std::uint8_t>;

constexpr std::uint8_t kSolid[] = {0};
constexpr std::uint8_t kDotted1[] = {8, 4};
constexpr std::uint8_t kDotted2[] = {4, 3};
constexpr std::uint8_t kDotted3[] = {2, 2};
constexpr std::uint8_t kChain1[] = {14, 3, 2, 3};
constexpr std::uint8_t kChain2[] = {24, 4, 2, 4};
constexpr std::uint8_t kDoubleChain1[] = {14, 3, 2, 3, 2, 3};
constexpr std::uint8_t kDoubleChain2[] = {24, 4, 2, 4, 2, 4};
constexpr std::uint8_t kAuxiliary[] = {1, 2};
constexpr std::uint8_t kDoubleLength1[] = {16, 8};
constexpr std::uint8_t kDoubleLength2[] = {8, 6};
constexpr std::uint8_t kDoubleLength3[] = {28, 6, 4, 6};
constexpr std::uint8_t kDoubleLength4[] = {28, 6, 4, 6, 4, 6};

// SXF's predefined types 1-15, in SXF's order.
constexpr std::uint8_t kSxfDashed[] = {9, 3};
constexpr std::uint8_t kSxfDashedSpaced[] = {9, 9};
constexpr std::uint8_t kSxfLongChain[] = {24, 3, 1, 3};
constexpr std::uint8_t kSxfLongDoubleChain[] = {24, 3, 1, 3, 1, 3};
constexpr std::uint8_t kSxfLongTripleChain[] = {24, 3, 1, 3, 1, 3, 1, 3};
constexpr std::uint8_t kSxfDotted[] = {1, 3};
constexpr std::uint8_t kSxfChain[] = {18, 3, 3, 3};
constexpr std::uint8_t kSxfChainDoubleDash[] = {18, 3, 3, 3, 3, 3};
constexpr std::uint8_t kSxfDashedDotted[] = {9, 3, 1, 3};
constexpr std::uint8_t kSxfDoubleDashedDotted[] = {9, 3, 9, 3, 1, 3};
constexpr std::uint8_t kSxfDashedDoubleDotted[] = {9, 3, 1, 3, 1, 3};
constexpr std::uint8_t kSxfDoubleDashedDoubleDotted[] = {9, 3, 9, 3, 1, 3, 1, 3};
constexpr std::uint8_t kSxfDashedTripleDotted[] = {9, 3, 1, 3, 1, 3, 1, 3};
constexpr std::uint8_t kSxfDoubleDashedTripleDotted[] = {9, 3, 9, 3, 1, 3, 1, 3, 1, 3};

const std::array<TDashes, 9> kBasic = {TDashes(kSolid, 0), kDotted1,      kDotted2,
                                       kDotted3,           kChain1,       kChain2,
                                       kDoubleChain1,      kDoubleChain2, kAuxiliary};
const std::array<TDashes, 4> kDoubleLength = {kDoubleLength1, kDoubleLength2, kDoubleLength3,
                                              kDoubleLength4};
const std::array<TDashes, 15> kSxf = {TDashes(kSolid, 0),
                                      kSxfDashed,
                                      kSxfDashedSpaced,
                                      kSxfLongChain,
                                      kSxfLongDoubleChain,
                                      kSxfLongTripleChain,
                                      kSxfDotted,
                                      kSxfChain,
                                      kSxfChainDoubleDash,
                                      kSxfDashedDotted,
                                      kSxfDoubleDashedDotted,
                                      kSxfDashedDoubleDotted,
                                      kSxfDoubleDashedDoubleDotted,
                                      kSxfDashedTripleDotted,
                                      kSxfDoubleDashedTripleDotted};

}  // namespace

TLineTypePattern LineTypePattern(std::int32_t value) {
  if (value == 0 || !IsLineType(value)) return {};
  if (value <= 9) return {TSampleStyle::kDashes, kBasic[value - 1], 0};
  if (value <= 15) return {TSampleStyle::kWave, {}, value - 10};
  if (value <= 19) return {TSampleStyle::kDashes, kDoubleLength[value - 16], 0};
  if (value <= 45) return {TSampleStyle::kDashes, kSxf[value - 31], 0};
  return {TSampleStyle::kUserDefined, {}, 0};
}

}  // namespace kx27
