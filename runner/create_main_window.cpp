#include "runner/create_main_window.h"

#include "common/system_text.h"
#include "contract/private_messages.h"
#include "contract/shared_names.h"
#include "runner/frm_main.h"
#include "runner/process_state.h"
#include "runner/program_identity.h"
#include "runner/runner_seams.h"
#include "runner/startup_trace.h"
#include "session/win32_file_seam.h"
#include "window/main_window_proc.h"
#include "window/screen_scaling.h"

namespace vnx {
namespace {

// A restarted lifecycle registers the class afresh; a class that only ever
// had DefWindowProc stays as it is.
void RegisterMainWindowClass(HINSTANCE module) {
  WNDCLASSA existing{};
  if (GetClassInfoA(module, kMainWindowClass, &existing) && existing.lpfnWndProc != DefWindowProcA)
    UnregisterClassA(kMainWindowClass, module);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = module;
  windowClass.lpszClassName = kMainWindowClass;
  RegisterClassA(&windowClass);
}

// The session behind the program's own executable, opened by its whole path;
// the messages name it as the code page writes it.
OwnExecutable RunnersOwnExecutable() {
  return {[] { return CodePageRendering(WideFromUtf8(Seams().ProgramPath())); },
          [] { return OpenWholePathForReading(Seams().ProgramPath()); }};
}

MainWindowSettings LayoutSettingsOf(const TfrmMain& form) {
  MainWindowSettings s;
  s.FullScreen = form.FullScreen.Value;
  s.CustomSize = form.CustomSize.Value;
  s.NoBorder = form.NoBorder.Value;
  s.NoTitle = form.NoTitle.Value;
  s.AllowResize = form.AllowResize.Value;
  s.AlwaysOnTop = form.AlwaysOnTop.Value;
  s.Left = form.WindowLeft;
  s.Top = form.WindowTop;
  s.Width = form.WindowWidth;
  s.Height = form.WindowHeight;
  return s;
}

void TakeScreenMetrics(TfrmMain& form) {
  ResizePending = false;
  ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
  ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
  const HDC screen = GetDC(nullptr);
  ScreenDpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kUnscaledDpi;
  if (screen) ReleaseDC(nullptr, screen);
  ClientWidth = ScreenWidth;
  ClientHeight = ScreenHeight;
  form.WindowWidth = ScreenWidth;
  form.WindowHeight = ScreenHeight;
}

void TakeFullScreenRect(TfrmMain& form) {
  form.FullScreenRect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  form.FullScreenWidth = form.FullScreenRect.right - form.FullScreenRect.left;
  form.FullScreenHeight = form.FullScreenRect.bottom - form.FullScreenRect.top;
}

// An author writes the settings' rectangle for 96 DPI; a viewer at 150 %
// sees it scaled as a whole.
void ScaleSettingsRect(TfrmMain& form) {
  const SettingsRect rect =
      ScreenRectOf({form.WindowLeft, form.WindowTop, form.WindowWidth, form.WindowHeight}, ScreenDpi);
  form.WindowLeft = rect.Left;
  form.WindowTop = rect.Top;
  form.WindowWidth = rect.Width;
  form.WindowHeight = rect.Height;
}

void CreateWindowFromLayout(TfrmMain& form, HINSTANCE module) {
  const ScreenRect screen{form.FullScreenRect.left, form.FullScreenRect.top, form.FullScreenRect.right,
                          form.FullScreenRect.bottom};
  const OsFlags os{OsWin95, OsWin98, OsWinMe, OsWinNT5};
  const MainWindowLayout layout =
      ComputeMainWindowLayout(LayoutSettingsOf(form), os, ScreenWidth, ScreenHeight, screen);
  form.WindowLeft = layout.Left;
  form.WindowTop = layout.Top;
  form.WindowWidth = layout.Width;
  form.WindowHeight = layout.Height;
  form.MainWindow =
      CreateWindowExA(layout.ExStyle, kMainWindowClass, "", layout.Style | WS_CLIPCHILDREN, form.WindowLeft,
                      form.WindowTop, form.WindowWidth, form.WindowHeight, nullptr, nullptr, module, nullptr);
  form.ReferenceWidth = form.WindowWidth;
  form.ReferenceHeight = form.WindowHeight;
  if (layout.Maximise) SendMessageA(form.MainWindow, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

}  // namespace

void CreateMainWindow(TfrmMain& form) {
  RunnerSeams& seams = Seams();
  const HINSTANCE module = GetModuleHandleA(nullptr);

  form.ExeFileName = FileNamePart(seams.ProgramPath());
  form.GlobalCloseMessage = RegisterWindowMessageA(kGlobalCloseMessageName);
  form.RegIniFile = std::make_unique<TRegIniFile>();
  const StartRequest request = ParseStartRequest(SplitCommandLine(seams.CommandLine()));
  form.SetupMode = request.Mode == StartMode::Setup;
  form.ScreenSaverMode = request.ScreenSaver;
  const HWND owner = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(request.OwnerWindow));
  form.SetupOwner = owner && IsWindow(owner) ? owner : nullptr;
  form.ExeStem = ExeStemOf(form.ExeFileName);
  TakeScreenMetrics(form);
  TraceStartup("display-connected");  // the first window of a machine starts its desktop
  form.SessionReader = std::make_unique<TZefExeAppender>(Win32Files(), RunnersOwnExecutable());

  if (!form.SetupMode) {
    seams.ReadSettings(form);
    if (!form.SettingsFileName.empty()) ScaleSettingsRect(form);  // else the screen's size stays
    TraceStartup("settings-read");
    if (form.MidiLoopTimes == 0) form.MidiLoopTimes = 0x7FFFFFFF;  // loop without end
  }

  RegisterMainWindowClass(module);
  TakeFullScreenRect(form);
  CreateWindowFromLayout(form, module);
  SetWindowTextA(form.MainWindow, form.ScreenName.c_str());
  // The projector is given the client area. A full-screen frame that keeps
  // its border (CustomSize with NoTitle) has less of it than the screen.
  RECT client{};
  GetClientRect(form.MainWindow, &client);
  ClientWidth = client.right;
  ClientHeight = client.bottom;
  form.PopupMenu = BuildPopupMenu(PopupMenuItems(form.CloseMenu.Value, form.SetupMenu.Value, form.MinimizeMenu.Value));
  PostMessageA(form.MainWindow, WM_RUNNER_START, 0, 0);
}

HMENU BuildPopupMenu(const std::vector<PopupMenuItem>& items, AppendMenuFunction append) {
  if (items.empty()) return nullptr;
  HMENU menu = CreatePopupMenu();
  for (const PopupMenuItem& item : items) {
    if (menu && !append(menu, MF_STRING, item.Id, item.Text)) {
      DestroyMenu(menu);
      menu = nullptr;
    }
  }
  return menu;
}

}  // namespace vnx
