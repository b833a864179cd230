#include "dialogs/frm_pw_dialog.h"

#include "common/callback_guard.h"
#include "common/system_text.h"
#include "dialogs/dialog_support.h"
#include "dialogs/password_check.h"
#include "runner/frm_main.h"
#include "runner/runner_seams.h"

namespace vnx {

TfrmPWDialog* CurrentPasswordDialog = nullptr;

namespace {

constexpr int kPasswordEditId = 101;
constexpr int kLabelId = 4;
constexpr int kOkId = 102;
constexpr int kCancelId = 103;
constexpr DWORD kWrongPasswordPause = 333;

// The edit control's own procedure, replaced by every dialog's subclass.
WNDPROC PreviousEditProc = nullptr;

void Confirm(TfrmPWDialog& dialog) {
  dialog.Accepted = 1;
  char text[1024] = {};
  SendMessageA(dialog.PasswordEdit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  dialog.EnteredText = text;
  SendMessageA(dialog.DialogWindow, WM_CLOSE, 0, 0);
}

// Enter confirms: the dialog manager's own keyboard handling is not used.
LRESULT CALLBACK PasswordEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardCallback<LRESULT>(0, [&]() -> LRESULT {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) return 0;
    if (message == WM_CHAR && wParam == '\r') {
      if (CurrentPasswordDialog) Confirm(*CurrentPasswordDialog);
      return 0;
    }
    return CallWindowProcA(PreviousEditProc, edit, message, wParam, lParam);
  });
}

// Centred on the work area, without being activated.
void Centre(TfrmPWDialog& dialog, HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  dialog.DialogWidth = static_cast<std::int16_t>(outer.right - outer.left);
  dialog.DialogHeight = static_cast<std::int16_t>(outer.bottom - outer.top);
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  SetWindowPos(window, nullptr, (work.right - work.left) / 2 - dialog.DialogWidth / 2,
               (work.bottom - work.top) / 2 - dialog.DialogHeight / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnInitDialog(TfrmPWDialog& dialog, HWND window, const std::string& label) {
  dialog.LabelFont = CreateLabelFont();
  Centre(dialog, window);
  dialog.DialogWindow = window;
  const HWND labelControl = GetDlgItem(window, kLabelId);
  SendMessageA(labelControl, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.LabelFont.get()), FALSE);
  SetWindowTextA(labelControl, label.c_str());
  dialog.PasswordEdit = GetDlgItem(window, kPasswordEditId);
  PreviousEditProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(dialog.PasswordEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PasswordEditProc)));
  if (!PreviousEditProc) MessageBeep(MB_ICONASTERISK);  // OK still confirms; Enter does not
  dialog.DialogIcon = LoadMainIcon();
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(dialog.DialogIcon));
}

void OnCommand(TfrmPWDialog& dialog, HWND window, int id) {
  if (id == kOkId) {
    Confirm(dialog);
  } else if (id == kCancelId) {
    dialog.Accepted = 0;
    SendMessageA(window, WM_CLOSE, 0, 0);
  }
}

// Returns 0 for every message, WM_INITDIALOG included: the dialog sets no
// focus of its own.
INT_PTR CALLBACK PasswordDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardCallback<INT_PTR>(0, [&]() -> INT_PTR {
    TfrmPWDialog* dialog = CurrentPasswordDialog;
    if (!dialog) return 0;
    switch (message) {
      case WM_INITDIALOG: OnInitDialog(*dialog, window, *reinterpret_cast<const std::string*>(lParam)); break;
      case WM_COMMAND: OnCommand(*dialog, window, LOWORD(wParam)); break;
      case WM_CLOSE: DestroyWindow(window); break;
      case WM_DESTROY: dialog->LabelFont.reset(); break;
      case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) SendMessageA(window, WM_CANCELMODE, 0, 0);
        break;
      default: break;
    }
    return 0;
  });
}

}  // namespace

std::string AskPassword(TfrmMain& runner) {
  TfrmPWDialog dialog;
  const CurrentDialogScope scope(CurrentPasswordDialog, dialog);
  SetLastError(ERROR_SUCCESS);
  dialog.DialogWindow = CreateDialogParamA(GetModuleHandleA(nullptr), "PW_DIALOG", runner.DialogOwner(),
                                           PasswordDialogProc, reinterpret_cast<LPARAM>(&runner.PWEditLabel));
  RethrowParkedCallbackException();
  if (!dialog.DialogWindow) Seams().ShowMessageBox(nullptr, "Error creating PW dialog", "Error");
  SetWindowTextA(dialog.DialogWindow, runner.ScreenName.c_str());
  ShowWindow(dialog.DialogWindow, SW_SHOWNORMAL);
  RunDialogLoop(dialog.DialogWindow);
  return dialog.Accepted == 1 ? dialog.EnteredText : std::string(kCancelMarker);
}

bool CheckPassword(TfrmMain& runner) {
  return PasswordAccepted(
      runner.Password, runner.AlignmentX, [&runner] { return AskPassword(runner); },
      [&runner] {
        Sleep(kWrongPasswordPause);
        Seams().ShowMessageBox(runner.DialogOwner(), Utf8FromCodePage(runner.PWrong), "Error");
      });
}

}  // namespace vnx
