#include "tests/win/screenshot.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tests/win/test_folder.h"

namespace kx27::test {

std::size_t TScreenPixels::Count(std::uint32_t rgb) const {
  return static_cast<std::size_t>(std::count(Rgb.begin(), Rgb.end(), rgb));
}

TScreenPixels CaptureWindowPixels(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);
  RECT area{};
  GetWindowRect(window, &area);
  TScreenPixels shot;
  shot.Width = area.right - area.left;
  shot.Height = area.bottom - area.top;
  if (shot.Width <= 0 || shot.Height <= 0) return TScreenPixels{};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.Width, shot.Height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.Width, shot.Height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
  SelectObject(memory, previous);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, shot.Width, -shot.Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  shot.Rgb.resize(static_cast<std::size_t>(shot.Width) * static_cast<std::size_t>(shot.Height));
  const int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(shot.Height), shot.Rgb.data(),
                             &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (rows != shot.Height) return TScreenPixels{};
  for (std::uint32_t& pixel : shot.Rgb) pixel &= 0xFFFFFF;  // BGRA in memory is 0xAARRGGBB
  return shot;
}

bool SaveWindowBitmap(HWND window, const std::wstring& name) {
  const TScreenPixels shot = CaptureWindowPixels(window);
  if (shot.Rgb.empty()) return false;
  // 24 bits a pixel, bottom-up, as BMP files store rows.
  BITMAPINFOHEADER header{sizeof header, shot.Width, shot.Height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const std::size_t stride = (static_cast<std::size_t>(shot.Width) * 3 + 3) & ~std::size_t{3};
  std::vector<char> pixels(stride * static_cast<std::size_t>(shot.Height));
  for (int y = 0; y < shot.Height; ++y) {
    char* row = pixels.data() + stride * static_cast<std::size_t>(shot.Height - 1 - y);
    for (int x = 0; x < shot.Width; ++x) {
      const std::uint32_t rgb = shot.Rgb[static_cast<std::size_t>(y) * shot.Width + x];
      row[3 * x] = static_cast<char>(rgb & 0xFF);
      row[3 * x + 1] = static_cast<char>((rgb >> 8) & 0xFF);
      row[3 * x + 2] = static_cast<char>((rgb >> 16) & 0xFF);
    }
  }
  header.biSizeImage = static_cast<DWORD>(pixels.size());

  BITMAPFILEHEADER file_header{};
  file_header.bfType = 0x4D42;  // "BM"
  file_header.bfOffBits = sizeof file_header + sizeof header;
  file_header.bfSize = file_header.bfOffBits + header.biSizeImage;
  const std::filesystem::path folder = FromHostPath(KX27_SCREENSHOT_DIR);
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file_header), sizeof file_header);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

}  // namespace kx27::test
