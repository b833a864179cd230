#include "runner/projector_job.h"

#include "common/handle.h"
#include "common/library_function.h"

namespace vnx {
namespace {

// The job functions are looked up at run time: the Windows 95 family's
// kernel32 lacks them, and an import would keep the runner from starting
// there at all.
using CreateJobObjectFunction = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPCSTR);
using SetInformationJobObjectFunction = BOOL(WINAPI*)(HANDLE, JOBOBJECTINFOCLASS, LPVOID, DWORD);
using AssignProcessToJobObjectFunction = BOOL(WINAPI*)(HANDLE, HANDLE);

bool Assign(HANDLE job, HANDLE process) {
  const auto assign = KernelFunction<AssignProcessToJobObjectFunction>("AssignProcessToJobObject");
  return assign && assign(job, process);
}

struct RunnerJob {
  UniqueKernelHandle Job;  // held until the runner's process ends
  bool RunnerInside = false;
};

// One job for the runner's life: a process cannot leave a job, so a
// presentation restarted after Setup reuses the one the runner joined.
RunnerJob theJob;

void SetLimits(DWORD flags) {
  const auto set = KernelFunction<SetInformationJobObjectFunction>("SetInformationJobObject");
  if (!theJob.Job || !set) return;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = flags;
  set(theJob.Job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

}  // namespace

void OpenJobToTheProjector() {
  if (!theJob.Job) {
    const auto create = KernelFunction<CreateJobObjectFunction>("CreateJobObjectA");
    theJob.Job.reset(create ? create(nullptr, nullptr) : nullptr);
    if (theJob.Job) theJob.RunnerInside = Assign(theJob.Job.get(), GetCurrentProcess());
  }
  // Without silent breakaway every process the runner creates now joins.
  SetLimits(JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_BREAKAWAY_OK);
}

void CloseJobBehindTheProjector(HANDLE projector) {
  SetLimits(JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK);
  if (projector && theJob.Job && !theJob.RunnerInside) Assign(theJob.Job.get(), projector);
}

void LetGoOfProjector() { SetLimits(JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK); }

}  // namespace vnx
