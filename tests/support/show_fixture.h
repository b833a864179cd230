#pragma once
// A fixture for tests that run the real runner in this process on a packed
// presentation: the presentation lies in a scratch directory, its per-user
// section points the temporary base directory into the scratch directory,
// and the runner takes the presentation for its own executable.

#include <memory>
#include <string>
#include <vector>

#include "tests/support/packed_show.h"
#include "tests/support/runner_fixture.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {

class ShowFixture : public RunnerFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Packs the files behind runner.exe as <stem>.exe and makes it the
  // runner's own executable, with the real settings pass and start-up.
  void UseShow(const std::string& stem, const std::vector<ShowFile>& files);

  std::string TempBase() const { return scratch.File("temp"); }
  // Everything the runner left below the temporary base directory.
  std::vector<std::string> LeftInTemp() const { return TreeEntries(TempBase()); }

  ScratchDirectory scratch{"show"};
  std::string showPath;
  std::unique_ptr<ShowRegistrySection> registry;

 private:
  std::string savedDirectory_;
};

}  // namespace vnx::test
