#include "runner/projector_job.h"

namespace vnx {
namespace {

// Looked up at run time: the Windows 95 family's kernel32 lacks them, and
// an import would keep the runner from starting there at all.
template <class Function>
Function Kernel32(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

using CreateJobObjectFunction = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPCSTR);
using SetInformationJobObjectFunction = BOOL(WINAPI*)(HANDLE, JOBOBJECTINFOCLASS, LPVOID, DWORD);
using AssignProcessToJobObjectFunction = BOOL(WINAPI*)(HANDLE, HANDLE);

bool SetLimits(HANDLE job, DWORD flags) {
  const auto set = Kernel32<SetInformationJobObjectFunction>("SetInformationJobObject");
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = flags;
  return set && set(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

}  // namespace

UniqueKernelHandle JobEndingWithTheRunner() {
  const auto create = Kernel32<CreateJobObjectFunction>("CreateJobObjectA");
  UniqueKernelHandle job(create ? create(nullptr, nullptr) : nullptr);
  if (job && !SetLimits(job.get(), JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK))
    job.reset();
  return job;
}

void PutIntoJob(const UniqueKernelHandle& job, HANDLE process) {
  const auto assign = Kernel32<AssignProcessToJobObjectFunction>("AssignProcessToJobObject");
  if (job && assign) assign(job.get(), process);
}

void LetGoOfJob(UniqueKernelHandle& job) {
  if (!job) return;
  SetLimits(job.get(), JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK);
  job.reset();
}

}  // namespace vnx
