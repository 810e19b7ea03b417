#pragma once

// Line types from a Jw_cad environment file (.JWF): its "LAYTYP_g = ..."
// lines give the line types of layers 0-F of group g.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kx27 {

// For each group 0..15 the 16 cell texts its row takes, or nothing when the
// file has no line for it.
using TJwfRows = std::array<std::optional<std::array<std::string, 16>>, 16>;

// True when the name's extension is ".jwf" in any case.
bool HasJwfExtension(const std::filesystem::path& file);

// Reads the file; a missing or unreadable file gives what was read so far.
TJwfRows ImportJwf(const std::filesystem::path& file);

// ImportJwf for the file's bytes.
TJwfRows ParseJwf(std::string_view bytes);

}  // namespace kx27
