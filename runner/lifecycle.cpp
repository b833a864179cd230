#include "runner/lifecycle.h"

#include <windows.h>

#include <exception>
#include <memory>
#include <string>

#include "common/errors.h"
#include "common/system_libraries.h"
#include "common/system_text.h"
#include "runner/create_main_window.h"
#include "runner/frm_main.h"
#include "runner/process_state.h"
#include "runner/program_identity.h"
#include "runner/pump.h"
#include "runner/runner_seams.h"
#include "runner/screen_saver_preview.h"
#include "runner/startup_trace.h"

namespace vnx {
namespace {

// The message of the exception in flight, in UTF-8 for the reports. Our
// messages are in the code page, but for the few that name the system's own
// text whole.
std::string CurrentExceptionMessage() {
  try {
    throw;
  } catch (const EWholeMessage& error) {
    return error.what();
  } catch (const std::exception& error) {
    return Utf8FromCodePage(error.what());
  } catch (...) {
    return "Unknown exception";
  }
}

void RunMessageLoop(TfrmMain& form) {
  do {
    try {
      PumpOrWait(kIdleWaitMilliseconds);
    } catch (...) {
      Seams().ShowMessageBox(form.MainWindow, "Exception occured: " + CurrentExceptionMessage(), "Error");
    }
  } while (!QuitRequested);
}

}  // namespace

int RunRunnerProcess() {
  // Before anything loads a library: a presentation usually starts from a
  // download folder, where anyone may have left a library of a system name.
  KeepLibrarySearchInSystemDirectory();
  TraceStartup("process");
  // A screen saver's preview or password request: nothing of this runner is
  // unpacked or written; a preview with a host window shows the icon there.
  const StartRequest request = ParseStartRequest(SplitCommandLine(Seams().CommandLine()));
  if (request.Mode == StartMode::Nothing) {
    return RunScreenSaverPreview(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(request.PreviewWindow)));
  }
  ClassifyRunningOs();
  try {
    while (RestartRequested) {
      QuitRequested = false;
      RestartRequested = false;
      RunLifecycle();
    }
  } catch (...) {
    Seams().ShowLastChanceReport(CurrentExceptionMessage());
    return 1;
  }
  return 0;
}

void RunLifecycle() {
  auto form = std::make_unique<TfrmMain>();
  frmMain = form.get();
  CreateMainWindow(*form);
  RunMessageLoop(*form);
  try {
    ShutdownMainForm(*form);
  } catch (...) {
    // Shutdown failures must not keep the remaining steps from running.
  }
  Sleep(111);
  // A last attempt after the session's own cleanup; failure is ignored.
  if (form->EnginePathFormed()) DeleteFileA(form->EngineFile.c_str());
}

void ShutdownMainForm(TfrmMain& form) {
  form.SessionReader.reset();
  form.ToolFiles.clear();
  form.ToolPrograms.clear();
  form.RegIniFile.reset();
  form.CreatedSubdirs.clear();
  form.ExtraFiles.clear();
  Sleep(111);
  if (form.FullScreen.Value && !form.CustomSize.Value) CloseWindow(form.MainWindow);
  DestroyWindow(form.MainWindow);
  form.MainWindow = nullptr;
}

}  // namespace vnx
