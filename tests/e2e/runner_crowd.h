#pragma once
// Many runners started at the same moment, as a viewer who double-clicks
// twice or a kiosk script starts them: presentations packed behind the real
// runner.exe with the stand-in projector and our engine, all working below
// one temporary base directory, created suspended and resumed together. A
// round looks at what each viewer sees and at what the machine keeps after
// they have all been closed.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/packed_show.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {

struct CrowdRound {
  int Started = 0;
  int Shown = 0;                        // the projector's window came up inside the runner's frame
  int ErrorBoxes = 0;                   // message boxes of runners (closed with OK)
  int WrongSettings = 0;                // a frame without its own settings' size and title
  int Collisions = 0;                   // runners without a working directory and instance of their own
  int UncleanEnds = 0;                  // not ended with exit code 0 after WM_CLOSE, or a projector left running
  std::vector<std::string> LeftBehind;  // below the temporary base, beyond what the next start removes
  std::vector<std::string> Problems;    // one line per fault seen
  DWORD MillisecondsToAllShown = 0;
};

class RunnerCrowd {
 public:
  // Packs `executables` presentations, each with a frame size and title of
  // its own but the same settings file name. The temporary base directory
  // is a scratch directory unless one is given.
  explicit RunnerCrowd(int executables, std::string tempBase = {});
  ~RunnerCrowd();
  RunnerCrowd(const RunnerCrowd&) = delete;
  RunnerCrowd& operator=(const RunnerCrowd&) = delete;

  // Starts `perExecutable` runners of every executable at the same moment,
  // waits until each shows its presentation (or fails), checks them, ends
  // them all with WM_CLOSE and looks at what is left.
  CrowdRound Round(int perExecutable);

  const std::string& TempBase() const { return tempBase_; }

  struct Show {
    std::string Path, Title;
    int Width = 0, Height = 0;
  };

 private:
  ScratchDirectory scratch_{"crowd", ScratchDirectory::Removal::Lenient};
  std::string tempBase_;
  std::vector<Show> shows_;
  std::vector<std::unique_ptr<ShowRegistrySection>> registry_;
};

}  // namespace vnx::test
