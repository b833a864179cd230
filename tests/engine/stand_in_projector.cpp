// A stand-in for the projector in the engine's tests: a separate process with
// one visible top-level window of the projector's class and a message loop of
// its own. It tells a window of the test what reaches its window procedure,
// so the test sees which input (and which system command) the engine's hooks
// let through. A right click
// opens its own context menu, whose remaining items it reports before
// closing the menu again.
//   stand_in_projector.exe REPORT_WINDOW LEFT TOP WIDTH HEIGHT

#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "tests/engine/stand_in_reports.h"

namespace {

HWND g_report = nullptr;

void Report(UINT kind, WPARAM wParam, LPARAM lParam) { PostMessageA(g_report, kind, wParam, lParam); }

void OpenContextMenu(HWND window, LPARAM where) {
  const HMENU menu = CreatePopupMenu();
  for (UINT id = vnx::test::kFirstStandInMenuItem; id <= vnx::test::kLastStandInMenuItem; ++id) {
    AppendMenuA(menu, MF_STRING, id, "Item");
  }
  POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
  if (where == -1) GetCursorPos(&at);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
  DestroyMenu(menu);
}

// Called once the menu is on its way, after every hook has seen WM_INITMENUPOPUP.
void ReportMenuAndClose(HMENU menu) {
  WPARAM present = 0;
  for (UINT id = vnx::test::kFirstStandInMenuItem; id <= vnx::test::kLastStandInMenuItem; ++id) {
    const bool there = GetMenuState(menu, id, MF_BYCOMMAND) != static_cast<UINT>(-1);
    if (there) present |= WPARAM{1} << (id - vnx::test::kFirstStandInMenuItem);
  }
  Report(vnx::test::kStandInMenu, present, 0);
  EndMenu();
}

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: Report(vnx::test::kStandInInput, message, lParam); break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: Report(vnx::test::kStandInInput, message, static_cast<LPARAM>(wParam)); break;
    case WM_SYSCOMMAND:
      Report(vnx::test::kStandInInput, message, static_cast<LPARAM>(wParam & 0xFFF0));
      if ((wParam & 0xFFF0) == SC_MONITORPOWER) return 0;  // the test's screen stays as it is
      break;
    case WM_CONTEXTMENU:
      Report(vnx::test::kStandInInput, message, 0);
      OpenContextMenu(window, lParam);
      return 0;
    case WM_INITMENUPOPUP: PostMessageA(window, vnx::test::kStandInMenu, wParam, 0); break;
    case vnx::test::kStandInMenu: ReportMenuAndClose(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  char* next = commandLine;
  g_report = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoul(next, &next, 10)));
  const int left = static_cast<int>(std::strtol(next, &next, 10));
  const int top = static_cast<int>(std::strtol(next, &next, 10));
  const int width = static_cast<int>(std::strtol(next, &next, 10));
  const int height = static_cast<int>(std::strtol(next, &next, 10));

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = StandInProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = vnx::kProjectorWindowClass;
  if (RegisterClassA(&windowClass) == 0) return 1;
  const HWND window = CreateWindowExA(0, vnx::kProjectorWindowClass, "Stand-in", WS_POPUP | WS_VISIBLE, left, top,
                                      width, height, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 2;

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
