#include "settings/config_dialog.h"

#include <commctrl.h>

#include "host/host_state.h"
#include "res/resource_ids.h"
#include "settings/dialog_libraries.h"
#include "settings/saver_settings.h"
#include "settings/settings_bounds.h"
#include "settings/settings_store.h"
#include "settings/version_text.h"

namespace {

// The five number fields, in the order they are filled and read. The arrows
// climb to the top of their own setting's range, except the shortest turn's,
// which go as far as the longest turn's (999, as they always have); OK then
// saves 998 there, so that a longer turn remains.
struct NumberField {
  int32_t SaverSettingsRecord::*setting;
  uint32_t ConfiguredFieldValues::*reading;
  int editId;
  int spinId;
  int32_t SaverSettingsRecord::*arrowsTop;
};

const NumberField NumberFields[] = {
    {&SaverSettingsRecord::Number, &ConfiguredFieldValues::Number, IDC_NUMBER,
     IDC_NUMBER_SPIN, &SaverSettingsRecord::Number},
    {&SaverSettingsRecord::MoveSpeed, &ConfiguredFieldValues::MoveSpeed,
     IDC_MOVE_SPEED, IDC_MOVE_SPEED_SPIN, &SaverSettingsRecord::MoveSpeed},
    {&SaverSettingsRecord::RotSpeed, &ConfiguredFieldValues::RotSpeed,
     IDC_ROT_SPEED, IDC_ROT_SPEED_SPIN, &SaverSettingsRecord::RotSpeed},
    {&SaverSettingsRecord::RotTimeMin, &ConfiguredFieldValues::RotTimeMin,
     IDC_ROT_TIME_MIN, IDC_ROT_TIME_MIN_SPIN, &SaverSettingsRecord::RotTimeMax},
    {&SaverSettingsRecord::RotTimeMax, &ConfiguredFieldValues::RotTimeMax,
     IDC_ROT_TIME_MAX, IDC_ROT_TIME_MAX_SPIN, &SaverSettingsRecord::RotTimeMax},
};

// Without a version record, or without its fixed information, the
// template's "Version.0.00" stays.
void ShowVersionText(HWND dialog) {
  HRSRC found = FindResourceA(HostState.instance, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
  if (found == nullptr) {
    return;
  }
  HGLOBAL loaded = LoadResource(HostState.instance, found);
  const void* record = loaded != nullptr ? LockResource(loaded) : nullptr;
  uint32_t fileVersionHigh;
  if (!FindFileVersionHigh(record, SizeofResource(HostState.instance, found), &fileVersionHigh)) {
    return;
  }
  char text[VersionTextSize];
  FormatVersionText(fileVersionHigh, text);
  SetDlgItemTextA(dialog, IDC_VERSION, text);
}

// The arrows keep to the ranges; a loaded value outside one shows unchanged.
void ShowNumberField(HWND dialog, const NumberField& field) {
  const SettingDescription& setting = SettingDescriptionOf(field.setting);
  const int32_t top = SettingDescriptionOf(field.arrowsTop).highest;
  SendDlgItemMessageA(dialog, field.spinId, UDM_SETRANGE, 0, MAKELPARAM(top, setting.lowest));
  SetDlgItemInt(dialog, field.editId, static_cast<UINT>(SaverSettings.*field.setting), FALSE);
}

BOOL OnInitConfigureDialog(HWND dialog) {
  ShowVersionText(dialog);
  LoadSaverSettings();
  const int32_t standardZoom = SettingDescriptionOf(&SaverSettingsRecord::Zoom).lowest;
  CheckDlgButton(dialog, SaverSettings.Zoom == standardZoom ? IDC_ZOOM_STANDARD : IDC_ZOOM_DOUBLE,
                 BST_CHECKED);
  for (const NumberField& field : NumberFields) {
    ShowNumberField(dialog, field);
  }
  return TRUE;  // the focus goes to the first tab stop, the OK button
}

void AcceptSettings(HWND dialog) {
  ConfiguredFieldValues fields;
  fields.standardZoomState = IsDlgButtonChecked(dialog, IDC_ZOOM_STANDARD);
  for (const NumberField& field : NumberFields) {
    fields.*field.reading = GetDlgItemInt(dialog, field.editId, nullptr, FALSE);
  }
  BoundConfiguredSettings(fields, &SaverSettings);
  SaveSaverSettings();
  EndDialog(dialog, IDOK);
}

void OpenHomePage() {
  // The result is of no use: the dialog stays as it is either way.
  ShellExecuteByName(nullptr, nullptr, HOME_PAGE_ADDRESS, nullptr, nullptr, SW_HIDE);
}

// The whole wParam is compared, so only a plain click (notification 0) on a
// push button acts; Enter and Escape arrive as clicks on OK and Cancel.
BOOL OnConfigureCommand(HWND dialog, WPARAM wParam) {
  switch (wParam) {
    case IDOK:
      AcceptSettings(dialog);
      break;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      break;
    case IDC_HOME_PAGE:
      OpenHomePage();
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

BOOL InitConfigureDialogClasses(HINSTANCE) {
  InitCommonControlsByName();
  return TRUE;
}

extern "C" INT_PTR CALLBACK ScreenSaverConfigureDialog(HWND dialog, UINT message,
                                                       WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitConfigureDialog(dialog);
    case WM_COMMAND:
      return OnConfigureCommand(dialog, wParam);
    default:
      return FALSE;
  }
}
