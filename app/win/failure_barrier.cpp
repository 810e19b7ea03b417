#include "app/win/failure_barrier.h"

#include <string_view>

#include "app/win/resource.h"

namespace kx27 {

void ReportUnexpectedFailure(HWND window) {
  for (HWND candidate = window ? GetAncestor(window, GA_ROOT) : nullptr; candidate;
       candidate = GetWindow(candidate, GW_OWNER)) {
    wchar_t name[32] = {};
    GetClassNameW(candidate, name, 32);
    if (std::wstring_view(name) == KX27_FORM_CLASS) {
      PostMessageW(candidate, kUnexpectedFailureNotice, 0, 0);
      return;
    }
  }
}

}  // namespace kx27
