// Time of one call of the engine library's mouse hook, by the part the
// calling process plays in the presentation:
//   bare       WProc, which only hands the event on (the floor of any hook)
//   outsider   MProc in a process outside the presentation
//   projector  MProc in the projector's process (one lasting view of the block)
//   runner     MProc in the runner's process (the block mapped for each call)
// The event is a mouse move over a window outside the presentation, so the
// figures are the cost of looking, not of acting. Each part uses its own copy
// of the library in a working directory of its own.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "contract/control_block.h"

namespace {

using HookProc = LRESULT(CALLBACK*)(int, WPARAM, LPARAM);
constexpr int kCalls = 200000;

std::string ProgramDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path);
  return directory.substr(0, directory.find_last_of('\\') + 1);
}

double NanosecondsPerCall(HookProc hook) {
  MOUSEHOOKSTRUCT event{};
  event.hwnd = GetDesktopWindow();
  event.pt = POINT{10, 10};
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kCalls; ++i) hook(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&event));
  QueryPerformanceCounter(&end);
  return 1e9 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) / kCalls;
}

// runnerId and projectorId as the block names them; directoryName decides
// whether the library finds a block at all.
void Measure(const char* part, const char* directoryName, std::int32_t instance, DWORD runnerId, DWORD projectorId,
             const char* procedure) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string directory = std::string(temp) + directoryName;
  const std::string engine = directory + "\\vnxengine.dll";
  CreateDirectoryA(directory.c_str(), nullptr);
  CopyFileA((ProgramDirectory() + "vnxengine.dll").c_str(), engine.c_str(), FALSE);
  const HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                            vnx::kControlBlockMappingSize, vnx::MappingNameFor(instance).c_str());
  void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(vnx::ControlBlock));
  auto* block = static_cast<vnx::ControlBlock*>(view);
  std::memset(block, 0, sizeof *block);
  block->Initialised = 1;
  block->RunnerProcessId = runnerId;
  block->ProjectorProcessId = projectorId;
  block->KeyboardHook = 1;  // as if hooked: no watcher for the parts that are not the runner

  const HMODULE library = LoadLibraryA(engine.c_str());
  const auto hook = reinterpret_cast<HookProc>(reinterpret_cast<void (*)()>(GetProcAddress(library, procedure)));
  if (hook == nullptr) {
    std::printf("%-9s cannot load %s\n", part, engine.c_str());
  } else {
    std::printf("%-9s %8.0f ns per call\n", part, NanosecondsPerCall(hook));
  }
  block->RunnerWindow = 0;
  FreeLibrary(library);
  UnmapViewOfFile(block);
  CloseHandle(mapping);
  for (int attempt = 0; attempt < 40 && !DeleteFileA(engine.c_str()); ++attempt) Sleep(50);  // the watcher lets go
  RemoveDirectoryA(directory.c_str());
}

}  // namespace

int main() {
  const DWORD self = GetCurrentProcessId();
  const DWORD someoneElse = self + 4;
  Measure("bare", "Vnx_Rt999000001", 999000001, someoneElse, 0, "WProc");
  Measure("outsider", "Vnx_Rt999000002", 999000002, someoneElse, 0, "MProc");
  Measure("projector", "Vnx_Rt999000003", 999000003, someoneElse, self, "MProc");
  Measure("runner", "Vnx_Rt999000004", 999000004, self, 0, "MProc");
  return 0;
}
