// Any bytes as a settings file: what loads saves and loads again unchanged.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/presets/settings_file.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace kx27;

bool Same(const TSettings& a, const TSettings& b) {
  if (a.WinLeft != b.WinLeft || a.WinTop != b.WinTop || a.JwfFolder != b.JwfFolder ||
      a.PresetNo != b.PresetNo || a.Dimensions != b.Dimensions)
    return false;
  for (std::size_t n = 0; n < a.Presets.size(); ++n)
    if (a.Presets[n].Comment != b.Presets[n].Comment || a.Presets[n].Values != b.Presets[n].Values)
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TSettings loaded;
  ParseSettings(std::string_view(reinterpret_cast<const char*>(data), size), loaded);
  FUZZ_CHECK(loaded.PresetNo >= 1 && loaded.PresetNo <= kPresetCount);
  for (const TPreset& preset : loaded.Presets)
    for (const std::int32_t value : preset.Values) FUZZ_CHECK(FilterLineType(value) == value);

  const std::string saved = RenderSettings(loaded);
  TSettings reloaded;
  FUZZ_CHECK(ParseSettings(saved, reloaded) == TLoadResult::kLoaded);
  FUZZ_CHECK(Same(loaded, reloaded));
  FUZZ_CHECK(RenderSettings(reloaded) == saved);
  return 0;
}
