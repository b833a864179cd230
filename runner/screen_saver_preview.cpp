#include "runner/screen_saver_preview.h"

#include "common/callback_guard.h"
#include "dialogs/dialog_support.h"
#include "runner/preview_picture.h"
#include "runner/process_state.h"
#include "runner/pump.h"

namespace vnx {
namespace {

constexpr char kPreviewClass[] = "VornexSaverPreview";
constexpr UINT_PTR kHostWatchTimer = 1;
// The host's window may go without its children being told (another
// process); looked for this often, so the preview ends within a second.
constexpr UINT kHostWatchMs = 250;

HWND previewHost = nullptr;

void OnPaint(HWND window) {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(window, &paint);
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const IconSquare square = PreviewIconSquare(client.right, client.bottom, GetSystemMetrics(SM_CXICON));
  if (const HICON icon = LoadMainIcon(); icon && square.Side > 0)
    DrawIconEx(dc, square.Left, square.Top, icon, square.Side, square.Side, 0, nullptr, DI_NORMAL);
  EndPaint(window, &paint);
}

void OnTimer(HWND window) {
  if (!IsWindow(previewHost)) DestroyWindow(window);
}

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardCallback<LRESULT>(0, [&]() -> LRESULT {
    switch (message) {
      case WM_PAINT: OnPaint(window); return 0;
      case WM_ERASEBKGND: return 1;  // the paint covers every pixel
      case WM_TIMER: OnTimer(window); return 0;
      case WM_DESTROY: PostQuitMessage(0); return 0;
      default: return DefWindowProcA(window, message, wParam, lParam);
    }
  });
}

HWND CreatePreviewWindow(HWND host) {
  const HINSTANCE module = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PreviewProc;
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kPreviewClass;
  if (!RegisterClassA(&windowClass)) return nullptr;
  RECT client{};
  GetClientRect(host, &client);
  // No parent notification: the host's thread, in another process, must not
  // hold up the preview's creation.
  return CreateWindowExA(WS_EX_NOPARENTNOTIFY, kPreviewClass, "", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0,
                         client.right, client.bottom, host, nullptr, module, nullptr);
}

}  // namespace

int RunScreenSaverPreview(HWND host) {
  if (!host || !IsWindow(host)) return 0;
  previewHost = host;
  const HWND preview = CreatePreviewWindow(host);
  if (!preview) return 1;
  SetTimer(preview, kHostWatchTimer, kHostWatchMs, nullptr);
  while (!QuitRequested) PumpOrWait(kIdleWaitMilliseconds);
  return 0;
}

}  // namespace vnx
