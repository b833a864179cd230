#include "tests/support/show_fixture.h"

#include <windows.h>

namespace vnx::test {

void ShowFixture::SetUp() {
  RunnerFixture::SetUp();
  char directory[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(MAX_PATH, directory);
  savedDirectory_ = directory;
  CreateDirectoryA(TempBase().c_str(), nullptr);
}

void ShowFixture::TearDown() {
  // The runner moves into its executable's directory; the scratch directory
  // can only go once nobody stands in it.
  SetCurrentDirectoryA(savedDirectory_.c_str());
  registry.reset();
  RunnerFixture::TearDown();
}

void ShowFixture::UseShow(const std::string& stem, const std::vector<ShowFile>& files) {
  showPath = scratch.File(stem + ".exe");
  PackShow(BuiltProgram("runner.exe"), showPath, files);
  registry = std::make_unique<ShowRegistrySection>(stem, TempBase());
  Seams().ProgramPath = [this] { return showPath; };
  Seams().ReadSettings = DefaultRunnerSeams().ReadSettings;
  Seams().StartSession = DefaultRunnerSeams().StartSession;
}

}  // namespace vnx::test
