#pragma once
// Names that runners, the tests and the benchmarks find one another by:
// kernel objects, the start-up atom, the runner's window class, the files a
// runner keeps in its working directory and the variable that asks it for a
// start-up trace. The mapping and working-directory names are in
// contract/control_block.h.

namespace vnx {

// Serialises the choice of the instance number among runners that start at
// the same moment.
inline constexpr char kStartupMutexName[] = "OrrindaleRunnerMutex";
// Serialises the additions to the system's queue of files to delete at the
// next restart.
inline constexpr char kDeleteAtRestartMutexName[] = "OrrindaleRunnerDeleteAtRestart";
// Followed by the lower-case executable name: held by every live runner of
// that executable until its process ends.
inline constexpr char kAliveMutexPrefix[] = "OrrindaleRunnerAlive_";
// Followed by the executable name: the global atom held while a session runs.
inline constexpr char kStartupAtomPrefix[] = "aakq ";

// The runner's top-level window.
inline constexpr char kMainWindowClass[] = "GaGaVornexWindow";

// In the working directory: the file that claims it for one runner, and the
// machine's sound state saved while the presentation silences it. Neither is
// "*.dat", which the cleanup deletes early, nor begins with ".", which the
// in-use walk passes over.
inline constexpr char kWorkDirClaimFileName[] = "vnx_rt.claim";
inline constexpr char kSoundRestoreFileName[] = "vnx_rt.sound";
// The settings pass's directory below the temporary base directory is this
// name followed by the decimal process id.
inline constexpr char kSettingsPassDirectoryName[] = "Vnx_Ini";

// A file path: the runner appends its start-up steps to it, with their times.
inline constexpr char kStartupTraceVariable[] = "VNX_STARTUP_TRACE";

}  // namespace vnx
