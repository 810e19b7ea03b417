#include "app/win/picture_view.h"

#include <windowsx.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <utility>
#include <vector>

#include "app/picture/host_colour.h"
#include "app/win/failure_barrier.h"
#include "app/win/picture_bitmap.h"
#include "app/win/resource.h"

namespace kx27 {
namespace {

constexpr UINT kFrameReady = WM_APP;  // posted by the worker
constexpr int kMargin = 8;            // around the fitted picture, at 100 % scale
constexpr double kWheelZoom = 1.25;   // per notch
constexpr double kKeyPan = 0.125;     // of the view per arrow key
// How far the user may zoom from the fitted picture: beyond these the
// drawing is a dot or one line's pixels.
constexpr double kFarthestOut = 1.0 / 64;
constexpr double kFarthestIn = 1e6;
// A frame painted at another scale stands in until the new one is done,
// but not stretched past this: it would be a blur.
constexpr double kLargestStretch = 16;

struct TPaintRequest {
  TViewport View;
  TPictureFocus Focus;
  int Width = 0;
  int Height = 0;
  int Dpi = 96;
};

struct TFrame {
  std::vector<std::uint32_t> Pixels;
  int Width = 0;
  int Height = 0;
  TViewport View;
};

class TPictureView {
 public:
  explicit TPictureView(HWND window) : window_(window), worker_([this] { Work(); }) {}
  ~TPictureView();
  TPictureView(const TPictureView&) = delete;
  TPictureView& operator=(const TPictureView&) = delete;

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void SetContent(TPicture picture);
  void SetLineTypes(const std::array<std::int32_t, 256>& values, bool dimensions);
  void SetBefore(bool before);
  void SetFocus(const TPictureFocus& focus);
  void Fit();
  void SetDpi(int dpi);

 private:
  void OnPaint();
  void OnSize();
  void OnWheel(WPARAM wparam, LPARAM lparam);
  void OnButtonDown(LPARAM lparam);
  void OnMouseMove(LPARAM lparam);
  void OnButtonUp();
  bool OnKey(WPARAM key);

  // Runs change on the picture once no paint reads it, then paints anew.
  template <typename Change>
  void ChangePicture(Change change);
  void Request();
  void ZoomAt(TPixelPoint pixel, double factor);
  void Pan(double dx, double dy);
  TPixelRect Area() const;
  void DrawFrame(HDC dc, const RECT& client);
  void DrawStandIn(HDC dc, const TFrame& frame) const;
  void DrawMessage(HDC dc, const RECT& client, const wchar_t* message);
  void Work();
  bool PaintFrame(const TPaintRequest& request, TPictureBitmap& bitmap, TGdiPictureSink& sink,
                  TPicturePainter& painter, std::vector<std::uint32_t>& pixels);

  HWND window_;
  // The window's thread only.
  TViewport view_;
  TPictureFocus focus_;
  bool fitted_ = true;  // Home's view: it follows the window's size
  bool dragging_ = false;
  POINT drag_from_{};
  int dpi_ = 96;
  HFONT font_ = nullptr;

  // Shared with the worker under mutex_. The window's thread writes
  // picture_ only while the worker is not painting (busy_ false).
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  TPicture picture_;
  TPaintRequest request_;
  std::uint64_t wanted_ = 0;
  std::uint64_t taken_ = 0;
  bool busy_ = false;
  bool quit_ = false;
  bool failed_ = false;  // the last frame could not be painted
  TFrame frame_;
  std::atomic<bool> cancel_{false};

  std::thread worker_;  // last: it starts once everything above is made
};

TPictureView::~TPictureView() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
    cancel_ = true;
  }
  wake_.notify_one();
  worker_.join();
}

LRESULT TPictureView::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: OnSize(); return 0;
    case kFrameReady: InvalidateRect(window_, nullptr, FALSE); return 0;
    case WM_MOUSEWHEEL: OnWheel(wparam, lparam); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(lparam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(lparam); return 0;
    case WM_LBUTTONUP: OnButtonUp(); return 0;
    case WM_CAPTURECHANGED: dragging_ = false; return 0;
    case WM_LBUTTONDBLCLK: Fit(); return 0;
    case WM_SETCURSOR:
      if (dragging_) {
        ::SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
        return TRUE;
      }
      break;
    case WM_KEYDOWN:
      if (OnKey(wparam)) return 0;
      break;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(window_, nullptr, FALSE); return 0;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    default: break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void TPictureView::SetContent(TPicture picture) {
  ChangePicture([&](TPicture& shown) { shown = std::move(picture); });
  Fit();
}

void TPictureView::SetLineTypes(const std::array<std::int32_t, 256>& values, bool dimensions) {
  ChangePicture([&](TPicture& shown) { SetLineTypesAfter(shown, values, dimensions); });
}

void TPictureView::SetBefore(bool before) {
  ChangePicture([&](TPicture& shown) { shown.Before = before; });
}

void TPictureView::SetFocus(const TPictureFocus& focus) {
  focus_ = focus;
  Request();
}

void TPictureView::Fit() {
  view_ = TViewport::Fit(picture_.Box, Area(), MulDiv(kMargin, dpi_, 96));
  fitted_ = true;
  Request();
}

void TPictureView::SetDpi(int dpi) {
  dpi_ = dpi;
  if (fitted_) {
    Fit();
  } else {
    Request();
  }
}

template <typename Change>
void TPictureView::ChangePicture(Change change) {
  {
    std::unique_lock lock(mutex_);
    cancel_ = true;
    idle_.wait(lock, [&] { return !busy_; });
    change(picture_);
  }
  Request();
}

void TPictureView::Request() {
  const TPixelRect area = Area();
  {
    std::lock_guard lock(mutex_);
    request_ = {view_, focus_, static_cast<int>(area.Right), static_cast<int>(area.Bottom), dpi_};
    ++wanted_;
    cancel_ = true;
  }
  wake_.notify_one();
  // The last frame, moved and scaled to the new view, stands in at once.
  InvalidateRect(window_, nullptr, FALSE);
}

TPixelRect TPictureView::Area() const {
  RECT client{};
  GetClientRect(window_, &client);
  return {0, 0, static_cast<double>(client.right), static_cast<double>(client.bottom)};
}

void TPictureView::ZoomAt(TPixelPoint pixel, double factor) {
  const double fitted = TViewport::Fit(picture_.Box, Area(), MulDiv(kMargin, dpi_, 96)).Scale();
  const double scale =
      std::clamp(view_.Scale() * factor, fitted * kFarthestOut, fitted * kFarthestIn);
  view_.ZoomAt(pixel, scale / view_.Scale());
  fitted_ = false;
  Request();
}

void TPictureView::Pan(double dx, double dy) {
  view_.Pan(dx, dy);
  fitted_ = false;
  Request();
}

void TPictureView::OnSize() {
  if (fitted_) {
    Fit();
  } else {
    Request();
  }
}

void TPictureView::OnWheel(WPARAM wparam, LPARAM lparam) {
  POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  ScreenToClient(window_, &at);
  const double notches = GET_WHEEL_DELTA_WPARAM(wparam) / static_cast<double>(WHEEL_DELTA);
  ZoomAt({static_cast<double>(at.x), static_cast<double>(at.y)}, std::pow(kWheelZoom, notches));
}

void TPictureView::OnButtonDown(LPARAM lparam) {
  ::SetFocus(window_);
  SetCapture(window_);
  dragging_ = true;
  drag_from_ = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  ::SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
}

void TPictureView::OnMouseMove(LPARAM lparam) {
  if (!dragging_) return;
  const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  if (at.x == drag_from_.x && at.y == drag_from_.y) return;
  Pan(at.x - drag_from_.x, at.y - drag_from_.y);
  drag_from_ = at;
}

void TPictureView::OnButtonUp() {
  if (dragging_) ReleaseCapture();
  dragging_ = false;
}

bool TPictureView::OnKey(WPARAM key) {
  const TPixelRect area = Area();
  const TPixelPoint middle{area.Right / 2, area.Bottom / 2};
  switch (key) {
    case VK_HOME: Fit(); return true;
    case VK_ADD:
    case VK_OEM_PLUS: ZoomAt(middle, kWheelZoom); return true;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: ZoomAt(middle, 1 / kWheelZoom); return true;
    case VK_LEFT: Pan(area.Right * kKeyPan, 0); return true;
    case VK_RIGHT: Pan(-area.Right * kKeyPan, 0); return true;
    case VK_UP: Pan(0, area.Bottom * kKeyPan); return true;
    case VK_DOWN: Pan(0, -area.Bottom * kKeyPan); return true;
    default: return false;
  }
}

void TPictureView::OnPaint() {
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(window_, &paint);
  RECT client{};
  GetClientRect(window_, &client);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP back = CreateCompatibleBitmap(screen, std::max<LONG>(client.right, 1),
                                        std::max<LONG>(client.bottom, 1));
  if (!dc || !back) {
    // Without memory for a back buffer, straight onto the screen.
    if (back) DeleteObject(back);
    if (dc) DeleteDC(dc);
    DrawFrame(screen, client);
    EndPaint(window_, &paint);
    return;
  }
  HGDIOBJ first = SelectObject(dc, back);
  DrawFrame(dc, client);
  BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, first);
  DeleteObject(back);
  DeleteDC(dc);
  EndPaint(window_, &paint);
}

void TPictureView::DrawFrame(HDC dc, const RECT& client) {
  SetDCBrushColor(dc, RGB(0xFF, 0xFF, 0xFF));
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  // Under the lock: the worker waits the moment a blit takes, only once
  // its next frame is done.
  std::lock_guard lock(mutex_);
  if (picture_.Items.empty()) {
    DrawMessage(dc, client, L"図形がありません");
  } else if (failed_) {
    DrawMessage(dc, client, L"メモリが足りないため、図を表示できません");
  } else if (!frame_.Pixels.empty()) {
    DrawStandIn(dc, frame_);
  }
  if (GetFocus() == window_) {
    RECT inside = client;
    InflateRect(&inside, -1, -1);
    DrawFocusRect(dc, &inside);
  }
}

// The frame, painted for a view that may since have moved or zoomed, where
// its drawing lies in the view now.
void TPictureView::DrawStandIn(HDC dc, const TFrame& frame) const {
  const double stretch = view_.Scale() / frame.View.Scale();
  if (stretch > kLargestStretch || stretch < 1 / kLargestStretch) return;
  const TPixelPoint top_left = view_.ToPixel(frame.View.ToDrawing({0, 0}));
  const TPixelPoint bottom_right = view_.ToPixel(
      frame.View.ToDrawing({static_cast<double>(frame.Width), static_cast<double>(frame.Height)}));
  const int left = static_cast<int>(std::lround(top_left.X));
  const int top = static_cast<int>(std::lround(top_left.Y));
  const int width = static_cast<int>(std::lround(bottom_right.X)) - left;
  const int height = static_cast<int>(std::lround(bottom_right.Y)) - top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = frame.Width;
  info.bmiHeader.biHeight = -frame.Height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  if (width == frame.Width && height == frame.Height) {
    SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(frame.Height), frame.Pixels.data(), &info, DIB_RGB_COLORS);
    return;
  }
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, left, top, width, height, 0, 0, frame.Width, frame.Height, frame.Pixels.data(),
                &info, DIB_RGB_COLORS, SRCCOPY);
}

void TPictureView::DrawMessage(HDC dc, const RECT& client, const wchar_t* message) {
  HGDIOBJ first = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  RECT area = client;
  DrawTextW(dc, message, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, first);
}

void TPictureView::Work() {
  // Made here and used only here: GDI's memory DC and bitmap belong to
  // the thread that paints.
  TPictureBitmap bitmap;
  std::unique_ptr<TGdiPictureSink> sink;
  int sink_dpi = 0;
  TPicturePainter painter;
  std::vector<std::uint32_t> pixels;
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [&] { return quit_ || wanted_ != taken_; });
    if (quit_) return;
    const TPaintRequest request = request_;
    taken_ = wanted_;
    cancel_ = false;
    busy_ = true;
    lock.unlock();
    bool painted = false;
    bool failed = false;
    try {
      if (!sink || request.Dpi != sink_dpi) {
        sink = std::make_unique<TGdiPictureSink>(request.Dpi);
        sink_dpi = request.Dpi;
      }
      painted = PaintFrame(request, bitmap, *sink, painter, pixels);
      failed = !painted && !cancel_;
    } catch (...) {
      failed = true;
    }
    lock.lock();
    busy_ = false;
    if (painted) {
      frame_.Pixels.swap(pixels);
      frame_.Width = request.Width;
      frame_.Height = request.Height;
      frame_.View = request.View;
    }
    if (painted || failed) {
      failed_ = failed;
      PostMessageW(window_, kFrameReady, 0, 0);
    }
    idle_.notify_all();
  }
}

bool TPictureView::PaintFrame(const TPaintRequest& request, TPictureBitmap& bitmap,
                              TGdiPictureSink& sink, TPicturePainter& painter,
                              std::vector<std::uint32_t>& pixels) {
  if (!bitmap.Resize(request.Width, request.Height)) return false;
  bitmap.Clear(kHostBackground);
  sink.Begin(bitmap);
  const TPixelRect rect{0, 0, static_cast<double>(request.Width),
                        static_cast<double>(request.Height)};
  const TPaintCount count =
      painter.Paint(picture_, request.View, rect, request.Focus, sink, &cancel_);
  sink.Finish();
  if (count.Cancelled) return false;
  const std::span<const std::uint32_t> painted = bitmap.Pixels();
  pixels.assign(painted.begin(), painted.end());
  return true;
}

TPictureView* ViewOf(HWND window) {
  return reinterpret_cast<TPictureView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT ViewMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* view = new (std::nothrow) TPictureView(window);
    if (!view) return FALSE;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    return DefWindowProcW(window, message, wparam, lparam);
  }
  TPictureView* view = ViewOf(window);
  if (!view) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete view;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return view->HandleMessage(message, wparam, lparam);
}

LRESULT CALLBACK ViewProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(
      window, [&] { return ViewMessage(window, message, wparam, lparam); },
      [&] { return DefWindowProcW(window, message, wparam, lparam); });
}

// A setter reaches the view only once the window made it.
template <typename Call>
void WithView(HWND window, Call call) {
  if (TPictureView* view = window ? ViewOf(window) : nullptr) call(*view);
}

}  // namespace

bool RegisterPictureView(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = ViewProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = KX27_PICTURE_CLASS;
  return RegisterClassExW(&window_class) != 0;
}

void SetPictureContent(HWND view, TPicture picture) {
  WithView(view, [&](TPictureView& shown) { shown.SetContent(std::move(picture)); });
}

void SetPictureLineTypes(HWND view, const std::array<std::int32_t, 256>& values, bool dimensions) {
  WithView(view, [&](TPictureView& shown) { shown.SetLineTypes(values, dimensions); });
}

void SetPictureBefore(HWND view, bool before) {
  WithView(view, [&](TPictureView& shown) { shown.SetBefore(before); });
}

void SetPictureFocus(HWND view, const TPictureFocus& focus) {
  WithView(view, [&](TPictureView& shown) { shown.SetFocus(focus); });
}

void FitPicture(HWND view) {
  WithView(view, [](TPictureView& shown) { shown.Fit(); });
}

void SetPictureScale(HWND view, int dpi) {
  WithView(view, [&](TPictureView& shown) { shown.SetDpi(dpi); });
}

}  // namespace kx27
