#include "runner/work_dir_claim.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace vnx {
namespace {

// A file system of directories: present or not, in use or not, deletable or
// not; every call is recorded.
struct FakeDirectories {
  struct State {
    bool inUse = false;
    bool deletable = true;
  };
  std::map<std::string, State> existing;
  std::set<std::string> failing;  // CreateDirectory fails for another reason
  std::vector<std::string> deleted;

  WorkDirOperations Operations() {
    using Created = WorkDirOperations::Created;
    return {[this](const std::string& d) {
              if (failing.count(d)) return Created::Failed;
              if (existing.count(d)) return Created::AlreadyExists;
              existing[d] = {};
              return Created::Yes;
            },
            [this](const std::string& d) { return !existing.at(d).inUse; },
            [this](const std::string& d) {
              deleted.push_back(d);
              if (!existing.at(d).deletable) return false;
              existing.erase(d);
              return true;
            }};
  }
};

TEST(WorkDirClaim, InstancesCountUpPastDirectoriesInUse) {
  struct Case {
    const char* name;
    std::map<std::string, FakeDirectories::State> existing;
    std::int32_t instance;
    std::vector<std::string> deleted;
  } const cases[] = {
      {"clean machine", {}, 0, {}},
      {"one running", {{"T\\Vnx_Rt", {true, true}}}, 1, {}},
      {"two running", {{"T\\Vnx_Rt", {true, true}}, {"T\\Vnx_Rt1", {true, true}}}, 2, {}},
      {"stale directory reclaimed", {{"T\\Vnx_Rt", {false, true}}}, 0, {"T\\Vnx_Rt"}},
      {"stale but not deletable", {{"T\\Vnx_Rt", {false, false}}}, 1, {"T\\Vnx_Rt"}},
      {"gap after a running one", {{"T\\Vnx_Rt", {true, true}}, {"T\\Vnx_Rt1", {false, true}}}, 1, {"T\\Vnx_Rt1"}},
  };
  for (const Case& c : cases) {
    FakeDirectories fake;
    fake.existing = c.existing;
    std::int32_t instance = -1;
    const std::string directory = ClaimWorkDir(fake.Operations(), "T\\", instance);
    EXPECT_EQ(instance, c.instance) << c.name;
    EXPECT_EQ(directory, WorkDirCandidate("T\\", c.instance)) << c.name;
    EXPECT_EQ(fake.deleted, c.deleted) << c.name;
  }
}

TEST(WorkDirClaim, ADeleteThatLeavesTheDirectoryMovesOn) {
  FakeDirectories fake;
  fake.existing["T\\Vnx_Rt"] = {};
  auto operations = fake.Operations();
  operations.DeleteTree = [](const std::string&) { return true; };  // reports success, deletes nothing
  std::int32_t instance = -1;
  EXPECT_EQ(ClaimWorkDir(operations, "T\\", instance), "T\\Vnx_Rt1");
  EXPECT_EQ(instance, 1);
}

TEST(WorkDirClaim, OtherCreationFailuresNameTheCandidate) {
  FakeDirectories fake;
  fake.existing["Q:\\x\\Vnx_Rt"] = {true, true};
  fake.failing.insert("Q:\\x\\Vnx_Rt1");
  std::int32_t instance = -1;
  try {
    ClaimWorkDir(fake.Operations(), "Q:\\x\\", instance);
    ADD_FAILURE() << "no exception";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "Can't create dir Q:\\x\\Vnx_Rt1");
  }
}

}  // namespace
}  // namespace vnx
