#include "tests/win/screenshot.h"

#include <fstream>
#include <vector>

namespace kx27::test {
namespace {

// Reads the screen rather than asking the window to print itself: what the
// user sees, whatever the controls do with WM_PRINT.
std::vector<char> CaptureRows(const RECT& area, BITMAPINFOHEADER& header) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
  SelectObject(memory, previous);

  header = BITMAPINFOHEADER{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files store rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  std::vector<char> pixels(stride * static_cast<std::size_t>(height));
  BITMAPINFO info{};
  info.bmiHeader = header;
  const int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                             DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (rows != height) pixels.clear();
  header.biSizeImage = static_cast<DWORD>(pixels.size());
  return pixels;
}

}  // namespace

bool SaveWindowBitmap(HWND window, const std::filesystem::path& file) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);
  RECT area{};
  if (!GetWindowRect(window, &area) || area.right <= area.left || area.bottom <= area.top) {
    return false;
  }
  BITMAPINFOHEADER header{};
  const std::vector<char> pixels = CaptureRows(area, header);
  if (pixels.empty()) return false;

  BITMAPFILEHEADER file_header{};
  file_header.bfType = 0x4D42;  // "BM"
  file_header.bfOffBits = sizeof file_header + sizeof header;
  file_header.bfSize = file_header.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file_header), sizeof file_header);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

}  // namespace kx27::test
