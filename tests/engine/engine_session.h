#pragma once
// A presentation session as the runner sets it up for the engine, played by
// the test process: a working directory "Vnx_Rt<n>" under the temporary
// directory with a copy of the engine library, the named mapping with a
// filled control block, the library loaded and its hooks installed for every
// thread, a stand-in projector in a process of its own, and a window of the
// test in the runner's place that records the engine's messages.
// Everything is taken down again, in the runner's order, when the session
// object goes; the teardown also checks that the library let go of the
// mapping and of itself.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "contract/control_block.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {

// A working directory "Vnx_Rt<n>" with a copy of the engine library. The
// numbers lie far above any runner's and differ for every directory: Wine
// never unloads a hook library from the processes it was loaded into (the
// desktop process among them), so the file stays in use until the Wine
// session ends, and a later session must not meet it. Directories left so by
// earlier runs are removed when the first one of a run is made.
class TestWorkDirectory {
 public:
  TestWorkDirectory();
  ~TestWorkDirectory();
  TestWorkDirectory(const TestWorkDirectory&) = delete;
  TestWorkDirectory& operator=(const TestWorkDirectory&) = delete;

  bool Ready() const { return ready_; }
  std::int32_t Instance() const { return instance_; }
  const std::string& EnginePath() const { return enginePath_; }
  std::string MappingName() const { return MappingNameFor(instance_); }

 private:
  std::int32_t instance_ = 0;
  std::string directory_, enginePath_;
  bool ready_ = false;
};

struct EngineSettings {
  bool exitOnMouse = false, exitOnAnyKey = false, exitOnEsc = false;
  bool noRightClickMenu = false, closeMenu = false, draggable = false;
  bool blockSystemKeys = false, disableScreenSaver = false, hideCursor = false;
  bool runningAsScreenSaver = false;
  std::vector<std::int32_t> menuDeleteItems;
};

// A hidden window of the test that records the messages posted to it. In the
// runner's place it also does what the runner does on WM_RUNNER_SHOWN: it
// marks the block, from which the engine learns that the show has begun.
class Recorder {
 public:
  struct Entry {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };

  explicit Recorder(ControlBlock* block = nullptr);
  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  HWND Window() const { return window_; }
  int Count(UINT message) const;
  int Count(UINT message, WPARAM wParam) const;
  int Count(const std::function<bool(const Entry&)>& match) const;
  // How often the stand-in reported this input message (and this key).
  int Inputs(UINT inputMessage) const;
  int Keys(UINT keyMessage, WPARAM virtualKey) const;
  // The engine's private messages in arrival order (WM_USER+1 ... +50).
  std::vector<Entry> PrivateMessages() const;
  void Clear() { entries_.clear(); }
  // Pumps until a message arrives that matches, or the time is up.
  bool WaitFor(UINT message, WPARAM wParam, DWORD timeoutMs = 3000);
  bool WaitFor(const std::function<bool(const Entry&)>& match, DWORD timeoutMs = 3000);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  ControlBlock* block_ = nullptr;
  std::vector<Entry> entries_;
};

// A stand-in projector process with its window; ended by its handle.
class StandIn {
 public:
  // Started suspended; before it runs, started() sees its ids (the runner
  // writes them into the block then).
  StandIn(HWND report, RECT where, const std::function<void(const PROCESS_INFORMATION&)>& started = {});
  ~StandIn();
  StandIn(const StandIn&) = delete;
  StandIn& operator=(const StandIn&) = delete;

  HWND Window() const { return window_; }
  POINT Centre() const;
  DWORD ProcessId() const { return info_.dwProcessId; }
  bool Running() const { return window_ != nullptr; }
  // The process has not ended (nor crashed).
  bool Alive() const { return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

 private:
  PROCESS_INFORMATION info_{};
  HWND window_ = nullptr;
};

class EngineSession {
 public:
  explicit EngineSession(const EngineSettings& settings);
  ~EngineSession();
  EngineSession(const EngineSession&) = delete;
  EngineSession& operator=(const EngineSession&) = delete;

  ControlBlock& Block() { return *block_; }
  Recorder& Runner() { return *runner_; }
  StandIn& Projector() { return *projector_; }
  HMODULE Engine() const { return engine_; }
  bool Ready() const { return ready_; }

  // The runner's last steps of the launch: the projector window into the
  // block and PresentationRunning; then waits for WM_RUNNER_SHOWN.
  bool ShowPresentation();

 private:
  void InstallHooks(const EngineSettings& settings);
  void Teardown();

  TestWorkDirectory workDir_;
  HANDLE mapping_ = nullptr;
  ControlBlock* block_ = nullptr;
  HMODULE engine_ = nullptr;
  HHOOK hooks_[4] = {};
  std::unique_ptr<Recorder> runner_;
  std::unique_ptr<StandIn> projector_;
  bool ready_ = false;
};

// Pumps this thread's messages until done() holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpFor(DWORD milliseconds);

std::string TestProgramDirectory();
// A handle as the control block holds it.
std::uint32_t BlockValue(const void* handle);
bool MappingExists(const std::string& name);

}  // namespace vnx::test
