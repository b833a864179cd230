#pragma once
// The projector ends with its runner. The runner joins a job object that
// kills its processes when its last handle (the runner's own) closes, and
// creates the projector inside it: a runner that crashes or is killed, even
// in the instant its projector is being created, takes the projector along
// instead of leaving it running (or suspended for good), out of sight and
// holding the working directory. Only the projector joins: the job is open
// to new processes just while the projector is created, and the runner's
// other children (programs it starts, the browser) stay outside. The
// runner's own cleanup lets go of the projector first, so nothing changes
// when it ends normally. Where the runner cannot join (already in a job that
// allows no other) the projector is put into the job right after its
// creation; systems without job objects (the Windows 95 family) go without.

#include <windows.h>

namespace vnx {

// From now until CloseJobBehindTheProjector, processes the runner creates join the job.
void OpenJobToTheProjector();
// New processes of the runner stay outside again; the suspended projector is
// in the job whether or not it joined at its creation.
void CloseJobBehindTheProjector(HANDLE projector);
// The job no longer kills anything.
void LetGoOfProjector();

}  // namespace vnx
