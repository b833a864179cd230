#pragma once
// One presentation from beginning to end: password, working directory,
// unpacking, satellite tools, engine, projector, and the cleanup that runs on
// every way out once the start-up atom exists.

namespace vnx {

class TfrmMain;

void StartSession(TfrmMain& runner);

}  // namespace vnx
