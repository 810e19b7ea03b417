#pragma once

// The tool's one window: 20 presets of line types by layer, the grid that
// edits the selected one, OK (convert and write back) and Cancel. The
// handlers only move values between the controls and the core.

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <filesystem>
#include <string>

#include "app/convert/layer_summary.h"
#include "app/convert/selection.h"
#include "app/form/form_layout.h"
#include "app/grid/undo.h"
#include "app/presets/settings_file.h"

namespace kx27 {

// The application's title: the taskbar button's text and the caption of the
// tool's own message box.
inline constexpr const wchar_t* kApplicationTitle = L"kx27_レイヤ→線種変換";

struct TGridCellTip;

// The tooltip of the preset tabs and the tab it is about.
struct TTabTip {
  HWND Tip = nullptr;
  int Hovered = -1;
};

class TMainForm {
 public:
  TMainForm() = default;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;
  ~TMainForm();

  static bool Register(HINSTANCE instance);

  // Creates the window hidden; OnShow runs when it is first shown.
  HWND Create(HINSTANCE instance, HWND owner);

  // Keys that act on the whole window wherever the focus is (Ctrl+Tab,
  // Ctrl+PgDn and their reverse switch presets, Ctrl+Z takes back the
  // grid's last change); true when handled.
  bool TranslateWindowKey(const MSG& message);
  // The wheel over the picture zooms it wherever the focus is.
  bool RouteWheelToPicture(const MSG& message);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnCommand(int id, int code);
  LRESULT OnNotify(NMHDR& header);
  LRESULT OnControlColor(HDC dc, HWND control);
  void OnActivate(bool active);

  // main_form_layout.cpp
  void CreateFonts();
  void CreateControls();
  TFormMetrics Metrics() const;
  void OpenAt(POINT saved);
  void OnGetMinMaxInfo(MINMAXINFO& info) const;
  void ScaleControls();
  void LayoutControls();
  void OnDpiChanged(int dpi, const RECT& suggested);
  void SetLabelText(int id, const wchar_t* text);  // sized to fit, as labels do
  void FitLabel(int id);
  int Scaled(int size) const { return MulDiv(size, dpi_, 96); }

  void OnShow();
  void OnClose();
  void OnOk();
  bool SaveSettingsOrAsk(bool converts);
  void ExplainRefusalOnOk(const std::wstring& reason);
  void OnUnexpectedFailure();
  void OnCancel();
  void OnClearPreset();
  void OnImportJwf();
  void OnPresetChanging();
  void OnPresetChanged();
  void OnDimensionsClicked();
  void OnGridSelectionChanged();
  void OnGridChanged();
  void OnGridCellTip(TGridCellTip& tip);
  void OnTabTip(NMTTDISPINFOW& info);
  void SwitchPreset(int step);
  bool UndoFromAnywhere(HWND target);

  HWND Control(int id) const { return GetDlgItem(window_, id); }
  int SelectedPreset() const;  // 1..20
  bool IsChecked(int id) const;
  void FocusPicture();
  void StoreGrid(int preset_no);
  void ShowPreset(int preset_no);
  void ShowProgress(const wchar_t* text);

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  HFONT small_font_ = nullptr;
  HBRUSH status_brush_ = nullptr;
  HBRUSH guide_text_brush_ = nullptr;
  int dpi_ = 96;
  std::filesystem::path exchange_path_;
  std::filesystem::path settings_path_;
  TSettings settings_;
  TSelection selection_;
  bool answered_ = false;                     // OK wrote the exchange file
  TLayerSummary summary_;                     // of the drawing read at start-up
  std::wstring settings_warning_;             // kept in the status line; empty when none
  std::array<TGridUndo, kPresetCount> undo_;  // of the presets not shown
  HWND focus_ = nullptr;                      // the focused control while the window is inactive
  bool shown_ = false;
  bool closed_ = false;
  bool failing_ = false;   // the user has been told of an unexpected failure
  HWND ok_tip_ = nullptr;  // why OK cannot convert, when it cannot
  std::wstring ok_tip_text_;
  TTabTip tab_tip_;
  std::wstring tab_tip_text_;
};

}  // namespace kx27
