// kx27.exe: the dialog that Jw_cad starts as an external transformation.

#include <windows.h>
#include <commctrl.h>

#include "app/win/failure_barrier.h"
#include "app/win/line_type_grid.h"
#include "app/win/main_form.h"
#include "app/win/picture_view.h"
#include "app/win/resource.h"

namespace {

constexpr wchar_t kApplicationClass[] = L"Kx27Application";
constexpr UINT kActivateForm = WM_APP;

// The application window: never seen itself, it owns the dialog and lends
// the taskbar button its title, which differs from the dialog's caption.
LRESULT ApplicationMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      // Restored from the taskbar: hand the activation on to the dialog or
      // to the message box it shows.
      if (LOWORD(wparam) != WA_INACTIVE && !HIWORD(wparam)) {
        PostMessageW(window, kActivateForm, 0, 0);
      }
      return 0;
    case kActivateForm: {
      HWND popup = GetLastActivePopup(window);
      if (popup != window && IsWindowEnabled(popup)) SetActiveWindow(popup);
      return 0;
    }
    case WM_CLOSE: {
      // Alt+F4 or "close window" on the taskbar button closes the dialog,
      // which writes the exchange file.
      HWND form = FindWindowExW(nullptr, nullptr, KX27_FORM_CLASS, nullptr);
      if (form && GetWindow(form, GW_OWNER) == window) PostMessageW(form, WM_CLOSE, 0, 0);
      return 0;
    }
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return kx27::Guarded(
      window, [&] { return ApplicationMessage(window, message, wparam, lparam); },
      [&] { return DefWindowProcW(window, message, wparam, lparam); });
}

HWND CreateApplicationWindow(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = ApplicationProc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_KX27));
  window_class.lpszClassName = kApplicationClass;
  if (!RegisterClassExW(&window_class)) return nullptr;
  // Zero size: only its taskbar button shows.
  HWND window = CreateWindowExW(0, kApplicationClass, kx27::kApplicationTitle,
                                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                nullptr, nullptr, instance, nullptr);
  if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (!kx27::RegisterLineTypeGrid(instance) || !kx27::RegisterPictureView(instance) ||
      !kx27::TMainForm::Register(instance)) {
    return 1;
  }

  HWND application = CreateApplicationWindow(instance);
  kx27::TMainForm form;
  HWND window = form.Create(instance, application);
  if (!window) return 1;
  ShowWindow(window, show == SW_HIDE ? SW_SHOWNORMAL : show);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsWindow(window) &&
        (form.TranslateWindowKey(message) || form.RouteWheelToPicture(message) ||
         IsDialogMessageW(window, &message))) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (application) DestroyWindow(application);
  return 0;
}
