#include "app/win/tooltip.h"

#include <commctrl.h>

namespace kx27 {
namespace {

TTTOOLINFOW ToolOf(HWND owner, HWND control, wchar_t* text) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  return tool;
}

}  // namespace

HWND CreateControlTooltip(HWND owner, HWND control, wchar_t* text) {
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!tip) return nullptr;
  TTTOOLINFOW tool = ToolOf(owner, control, text);
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  return tip;
}

// Setting the callback text anew asks for the text again and shows it;
// TTM_UPDATE alone repaints the old text on some systems (Wine).
void RefreshControlTooltip(HWND tip, HWND owner, HWND control) {
  TTTOOLINFOW tool = ToolOf(owner, control, LPSTR_TEXTCALLBACKW);
  SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace kx27
