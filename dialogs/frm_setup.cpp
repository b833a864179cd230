#include "dialogs/frm_setup.h"

#include "common/callback_guard.h"
#include "dialogs/dialog_support.h"
#include "dialogs/setup_choices.h"
#include "runner/extraction_passes.h"
#include "runner/frm_main.h"
#include "runner/runner_seams.h"

namespace vnx {

TfrmSetup* SetupDialog = nullptr;

namespace {

constexpr int kIconPlaceholderId = 1;
constexpr int kInteractionId = 10;
constexpr int kRightClickMenuId = 11;
constexpr int kTextIds[] = {3, 4, 5};
// The order in which the check boxes are shown, hidden, enabled and checked.
constexpr std::size_t kShowOrder[] = {3, 4, 0, 1, 2};

TfrmSetup::Option& OptionOf(TfrmSetup& dialog, int controlId) {
  return dialog.Options[static_cast<std::size_t>(controlId - kInteractionId)];
}

// The viewer's choices, the window's shape and the screen name go into the
// dialog's copy; what the lock and the engine need goes to the runner, as
// at start-up. The music's countdown stays with the runner: opening the
// dialog must not cut a repeating music short or start it over.
void ReadSetupSettings(TfrmSetup& dialog, TfrmMain& runner) {
  SettingsDestinations destinations = SettingsDestinationsOf(dialog.Settings);
  destinations.Password = &runner.Password;
  destinations.AlignmentX = &runner.AlignmentX;
  destinations.PWEditLabel = &runner.PWEditLabel;
  destinations.PWrong = &runner.PWrong;
  destinations.HideCursor = &runner.HideCursor;
  destinations.BeforeShow = &runner.BeforeShow;
  destinations.RightMenuDeleteItems = &runner.RightMenuDeleteItems;
  destinations.Major = &runner.ProjectorVersionMajor;
  ReadSettingsInto(runner, destinations);
  // With "/C" this is the run's only settings read: the password dialog
  // takes its caption from the runner, as in a presentation.
  if (runner.SetupMode) runner.ScreenName = dialog.Settings.ScreenName;
}

POINT ClientTopLeft(HWND dialog, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  POINT corner{rect.left, rect.top};
  ScreenToClient(dialog, &corner);
  return corner;
}

void TakeCheckBoxes(TfrmSetup& dialog, HWND window) {
  for (TfrmSetup::Option& option : dialog.Options) {
    option.CheckBox = GetDlgItem(window, option.ControlId);
    SendMessageA(option.CheckBox, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.LabelFont.get()), FALSE);
    const POINT corner = ClientTopLeft(window, option.CheckBox);
    option.CheckBoxLeft = corner.x;
    option.CheckBoxTop = corner.y;
  }
}

// The boxes of the choices the presentation fixes stay hidden; the others
// move up and to the left into their rows.
void CloseGaps(TfrmSetup& dialog) {
  auto& o = dialog.Options;
  const auto place = [&dialog](const TfrmSetup::Option& option) {
    return CheckBoxPlace{(dialog.Settings.*option.Record).UserChoice, option.CheckBoxLeft, option.CheckBoxTop};
  };
  SetupCheckBoxes boxes{place(o[0]), place(o[1]), place(o[2]), place(o[3]), place(o[4])};
  CloseCheckBoxGaps(boxes);
  const CheckBoxPlace* placed[] = {&boxes.Interaction, &boxes.RightClickMenu, &boxes.KeyInteraction, &boxes.Sound,
                                   &boxes.Midi};
  for (std::size_t i = 0; i < o.size(); ++i) {
    if (!SetWindowPos(o[i].CheckBox, nullptr, placed[i]->Left, placed[i]->Top, 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
      continue;
    o[i].CheckBoxLeft = placed[i]->Left;
    o[i].CheckBoxTop = placed[i]->Top;
  }
}

// The icon is painted where its placeholder was.
void TakeIconPlace(TfrmSetup& dialog, HWND window) {
  const HWND placeholder = GetDlgItem(window, kIconPlaceholderId);
  GetWindowRect(placeholder, &dialog.IconRect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&dialog.IconRect), 2);
  DestroyWindow(placeholder);
  dialog.DialogIcon = LoadMainIcon();
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(dialog.DialogIcon));
}

void OnInitDialog(TfrmSetup& dialog, HWND window, TfrmMain& runner) {
  ReadSetupSettings(dialog, runner);
  dialog.PasswordPassed = Seams().CheckPassword(runner);
  if (!dialog.PasswordPassed) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    return;
  }
  dialog.LabelFont = CreateLabelFont();
  dialog.BackgroundBrush.reset(CreateSolidBrush(RGB(0, 0, 0)));
  dialog.DialogWindow = window;
  for (const int id : kTextIds)
    SendMessageA(GetDlgItem(window, id), WM_SETFONT, reinterpret_cast<WPARAM>(dialog.LabelFont.get()), FALSE);
  TakeCheckBoxes(dialog, window);
  CloseGaps(dialog);
  TakeIconPlace(dialog, window);
}

// A check box takes effect at once; the right-click menu can be switched
// only while mouse interaction is on.
void OnCommand(TfrmSetup& dialog, int id) {
  if (id < kInteractionId || id >= kInteractionId + static_cast<int>(dialog.Options.size())) return;
  TfrmSetup::Option& option = OptionOf(dialog, id);
  const bool checked = (SendMessageA(option.CheckBox, BM_GETSTATE, 0, 0) & BST_CHECKED) != 0;
  (dialog.Settings.*option.Record).Value = checked;
  if (id != kInteractionId) return;
  const HWND rightClickMenu = OptionOf(dialog, kRightClickMenuId).CheckBox;
  EnableWindow(rightClickMenu, checked);
  InvalidateRect(option.CheckBox, nullptr, FALSE);
  InvalidateRect(rightClickMenu, nullptr, FALSE);
}

// Black with white texts.
INT_PTR OnColorStatic(const TfrmSetup& dialog, HDC dc) {
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkColor(dc, RGB(0, 0, 0));
  return reinterpret_cast<INT_PTR>(dialog.BackgroundBrush.get());
}

void OnPaint(const TfrmSetup& dialog, HWND window) {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(window, &paint);
  DrawIcon(dc, dialog.IconRect.left, dialog.IconRect.top, dialog.DialogIcon);
  EndPaint(window, &paint);
}

INT_PTR CALLBACK SetupDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardCallback<INT_PTR>(0, [&]() -> INT_PTR {
    TfrmSetup* dialog = SetupDialog;
    if (!dialog) return 0;
    switch (message) {
      case WM_INITDIALOG: OnInitDialog(*dialog, window, *reinterpret_cast<TfrmMain*>(lParam)); break;
      case WM_COMMAND: OnCommand(*dialog, LOWORD(wParam)); break;
      case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(dialog->BackgroundBrush.get());
      case WM_CTLCOLORSTATIC: return OnColorStatic(*dialog, reinterpret_cast<HDC>(wParam));
      case WM_PAINT: OnPaint(*dialog, window); break;
      case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) SendMessageA(window, WM_CANCELMODE, 0, 0);
        break;
      case WM_CLOSE: DestroyWindow(window); break;
      case WM_DESTROY:
        dialog->BackgroundBrush.reset();
        dialog->LabelFont.reset();
        break;
      default: break;
    }
    return 0;
  });
}

// Visible for the choices left to the viewer, enabled where the settings
// allow it, checked as the effective value stands.
void ShowOptions(TfrmSetup& dialog) {
  for (const std::size_t index : kShowOrder) {
    const TfrmSetup::Option& option = dialog.Options[index];
    const TUserChoice& choice = dialog.Settings.*option.Record;
    if ((IsWindowVisible(option.CheckBox) != FALSE) != choice.UserChoice)
      ShowWindow(option.CheckBox, choice.UserChoice ? SW_SHOW : SW_HIDE);
    EnableWindow(option.CheckBox, choice.ChoiceEnabled);
    SendMessageA(option.CheckBox, BM_SETCHECK, choice.Value ? BST_CHECKED : BST_UNCHECKED, 0);
    InvalidateRect(option.CheckBox, nullptr, TRUE);
  }
}

void SaveDialogChoices(TfrmSetup& dialog, TfrmMain& runner) {
  const PresentationSettings& s = dialog.Settings;
  TRegIniFile& registry = *runner.RegIniFile;
  dialog.Changed = SaveChoices(
      ChoicesToStore(s.Interaction, s.KeyInteraction, s.Sound, s.Midi, s.RightClickMenu),
      [&](const std::string& name, bool fallback) { return registry.ReadBool(runner.ExeStem, name, fallback); },
      [&](const std::string& name, bool value) { registry.WriteBool(runner.ExeStem, name, value); });
}

}  // namespace

bool RunSetupDialog(TfrmMain& runner) {
  TfrmSetup dialog;
  const CurrentDialogScope scope(SetupDialog, dialog);
  SetLastError(ERROR_SUCCESS);
  dialog.DialogWindow = CreateDialogParamA(GetModuleHandleA(nullptr), "SETUP_DIALOG", runner.DialogOwner(),
                                           SetupDialogProc, reinterpret_cast<LPARAM>(&runner));
  RethrowParkedCallbackException();  // the settings read or the registry failed
  // A refused password has already destroyed the dialog, silently.
  if (!dialog.DialogWindow && dialog.PasswordPassed)
    Seams().ShowMessageBox(nullptr, "Error creating Setup dialog", "Error");
  SetWindowTextA(dialog.DialogWindow, (dialog.Settings.ScreenName + " - Setup").c_str());
  ShowOptions(dialog);
  if (dialog.PasswordPassed) ShowWindow(dialog.DialogWindow, SW_SHOWNORMAL);
  RunDialogLoop(dialog.DialogWindow);
  SaveDialogChoices(dialog, runner);
  return dialog.Changed;
}

}  // namespace vnx
