#pragma once
// The projector ends with its runner. The runner puts it into a job object
// that kills it when the job's last handle closes: a runner that crashes or
// is killed takes its projector along instead of leaving it running, out of
// sight and holding the working directory. The runner's own cleanup lets go
// of the projector first, so nothing changes when it ends normally (a
// projector whose window never came keeps running, as it always did).
// Processes the projector starts are not part of the job. Systems without
// job objects (the Windows 95 family) go without.

#include <windows.h>

#include "common/handle.h"

namespace vnx {

// A job that kills its processes when its last handle closes; empty where
// the system has no job objects.
UniqueKernelHandle JobEndingWithTheRunner();
// The suspended projector joins the job.
void PutIntoJob(const UniqueKernelHandle& job, HANDLE process);
// The job no longer kills anything; then its handle is closed.
void LetGoOfJob(UniqueKernelHandle& job);

}  // namespace vnx
