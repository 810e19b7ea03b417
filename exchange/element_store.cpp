#include "exchange/element_store.h"

#include <limits>

#include "text/shift_jis.h"

namespace kx27 {

TStoredText TElementStore::StoreText(std::string_view text) {
  // A length that does not fit the record is cut rather than wrapped around.
  constexpr std::size_t kMaxLength = std::numeric_limits<std::uint32_t>::max();
  if (text.size() > kMaxLength) text = CutToWholeChars(text, kMaxLength);
  const TStoredText stored{Chars.size(), static_cast<std::uint32_t>(text.size())};
  Chars.append(text);
  return stored;
}

}  // namespace kx27
