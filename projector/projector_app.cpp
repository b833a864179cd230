#include "projector/projector_app.h"

#include <exception>
#include <string>

#include "common/callback_guard.h"
#include "common/errors.h"
#include "common/library_function.h"
#include "projector/log_format.h"
#include "projector/program_files.h"
#include "projector/projector_window.h"

namespace vnx {

ProjectorApp* theProjector = nullptr;

namespace {

constexpr int kErrorExit = 1;
constexpr int kBehaviourExit = 2;

// The slide, or the defaults with a warning when slide.txt cannot be used.
Slide ReadSlide(const std::string& directory) {
  try {
    const auto text = ReadSmallFile(directory + kSlideFileName);
    return text ? ParseSlide(*text) : Slide{};
  } catch (const std::exception& error) {
    Slide slide;
    slide.Warnings.emplace_back(error.what());
    return slide;
  }
}

void RecordSlide(const ProjectorApp& app) {
  app.Log.Write("slide-title", app.Shown.Title);
  app.Log.Write("slide-colour", ColourText(app.Shown.Colour));
  app.Log.Write("stage", std::to_string(app.Shown.StageWidth) + "x" + std::to_string(app.Shown.StageHeight));
  for (const std::string& warning : app.Shown.Warnings) app.Log.Write("slide-warning", warning);
}

// What a projector's manifest can declare; before any window. A projector
// aware of the scaling draws its stage in the screen's pixels, so it scales
// the stage itself, as the system would scale it for one that declares
// nothing.
void DeclareDpiAwareness(ProjectorApp& app) {
  using SetProcessDpiAwareFn = BOOL(WINAPI*)();
  const auto declare = LibraryFunction<SetProcessDpiAwareFn>(GetModuleHandleA("user32.dll"), "SetProcessDPIAware");
  if (!declare || !declare()) {
    app.Log.Write("dpi-aware", "unavailable");
    return;
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  app.Shown.StageWidth = MulDiv(app.Shown.StageWidth, dpi, 96);
  app.Shown.StageHeight = MulDiv(app.Shown.StageHeight, dpi, 96);
  app.Log.Write("dpi-aware", std::to_string(dpi));
}

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop(ProjectorApp& app) {
  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) break;
    if (got == -1) throw ERunnerError("GetMessage failed");
    const bool accelerated =
        app.Window && app.Accelerators && TranslateAcceleratorA(app.Window, app.Accelerators.get(), &message);
    if (!accelerated) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    RethrowParkedCallbackException();
  }
  const int code = static_cast<int>(message.wParam);
  // After WM_CLOSE the window posted this WM_QUIT itself; otherwise it came
  // from outside (the runner's graceful close without a known window).
  if (!app.CloseRequested) app.Log.Write("quit", std::to_string(code));
  return code;
}

int Run(ProjectorApp& app, int showCommand) {
  const std::string directory = ProgramDirectory();
  try {
    app.Behaviour = ParseBehaviour(ReadSmallFile(directory + kBehaviourFileName).value_or(""));
  } catch (const std::exception& error) {
    // Told to misbehave in a way it does not understand: say so where the
    // log would be and do nothing else, rather than guess.
    EventLog complaint;
    complaint.Open(directory + kDefaultLogFileName);
    complaint.Write("error", error.what());
    complaint.Write("exit", std::to_string(kBehaviourExit));
    return kBehaviourExit;
  }
  if (app.Behaviour.Log) app.Log.Open(LogFilePath(app.Behaviour, directory));
  RecordStartup(app.Log, app.Behaviour.ExtraVariables);
  app.Shown = ReadSlide(directory);
  if (app.Behaviour.ExitAtOnce) return *app.Behaviour.ExitAtOnce;
  if (app.Behaviour.DpiAware) DeclareDpiAwareness(app);
  RecordSlide(app);
  if (app.Behaviour.OpenWindow)
    OpenProjectorWindow(app, showCommand);
  else
    app.Log.Write("window", "none");
  return RunMessageLoop(app);
}

}  // namespace

int RunProjector(int showCommand) {
  ProjectorApp app;
  theProjector = &app;
  int code = kErrorExit;
  try {
    code = Run(app, showCommand);
  } catch (const std::exception& error) {
    app.Log.Write("error", error.what());
  } catch (...) {
    app.Log.Write("error", "unknown exception");
  }
  app.Log.Write("exit", std::to_string(code));
  if (app.Window) DestroyWindow(app.Window);
  theProjector = nullptr;
  return code;
}

}  // namespace vnx
