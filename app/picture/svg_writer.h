#pragma once

// The picture as a standalone SVG 1.1 file, painted as the window paints
// it: white background, host colours, line types as dash arrays in pixels,
// solids filled, texts in UTF-8; one <g id="group-G"> per layer group and in
// it one <g id="layer-G-L"> per layer (G and L hexadecimal digits 0-F).

#include <filesystem>
#include <string>

#include "app/picture/picture.h"
#include "exchange/file_system.h"
#include "exchange/replace_file.h"

namespace kx27 {

struct TSvgSize {
  double Width = 1200;  // pixels; the height follows the drawing's shape
  double Margin = 16;
  double MaxHeight = 1200;
};

std::string PictureSvg(const TPicture& picture, const TSvgSize& size = {});

// Writes it in one step, as the exchange file is written.
TReplaceResult WritePictureSvg(const std::filesystem::path& file, const TPicture& picture,
                               TFileSystem& files = NativeFileSystem());

}  // namespace kx27
