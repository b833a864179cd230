#include "runner/work_dir_claim.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace vnx {
namespace {

// A file system of working directories: each present or not, its claim file
// held by a live runner, left by a dead one or absent, its other files in
// use or not, deletable or not, holding the sound its runner silenced or
// not; deletions, walks and the sound given back are recorded.
struct FakeDirectories {
  enum class Claim { None, Held, Left };
  struct State {
    Claim claim = Claim::None;
    bool filesInUse = false;
    bool deletable = true;
    bool soundTaken = false;
  };
  std::map<std::string, State> existing;
  std::set<std::string> failing;  // CreateDirectory fails for another reason
  WorkDirOperations::Claim holdResult = WorkDirOperations::Claim::Held;
  std::vector<std::string> deleted, walked, soundGivenBack, queued;

  WorkDirOperations Operations() {
    using Created = WorkDirOperations::Created;
    return {[this](const std::string& d) {
              if (failing.count(d)) return Created::Failed;
              if (existing.count(d)) return Created::AlreadyExists;
              existing[d] = {};
              return Created::Yes;
            },
            [this](const std::string& d) {
              if (holdResult == WorkDirOperations::Claim::Held) existing.at(d).claim = Claim::Held;
              return holdResult;
            },
            [this](const std::string& d) { return existing.at(d).claim == Claim::Held; },
            [this](const std::string& d) {
              walked.push_back(d);
              // The walk opens every file exclusively, the claim file too.
              const State& state = existing.at(d);
              return !state.filesInUse && state.claim != Claim::Held;
            },
            [this](const std::string& d) {
              State& state = existing.at(d);  // still there: before the delete
              if (state.soundTaken) soundGivenBack.push_back(d);
              state.soundTaken = false;
            },
            [this](const std::string& d) {
              deleted.push_back(d);
              if (!existing.at(d).deletable) return false;
              existing.erase(d);
              return true;
            },
            [this](const std::string& d) { queued.push_back(d); }};
  }
};

using Claim = FakeDirectories::Claim;

TEST(WorkDirClaim, InstancesCountUpPastDirectoriesOfLiveRunners) {
  struct Case {
    const char* name;
    std::map<std::string, FakeDirectories::State> existing;
    std::int32_t instance;
    std::vector<std::string> deleted;
    std::vector<std::string> soundGivenBack;
  } const cases[] = {
      {"clean machine", {}, 0, {}, {}},
      {"one running", {{"T\\Vnx_Rt", {Claim::Held, true, true}}}, 1, {}, {}},
      {"one running, nothing of it open yet", {{"T\\Vnx_Rt", {Claim::Held, false, true}}}, 1, {}, {}},
      {"two running",
       {{"T\\Vnx_Rt", {Claim::Held, true, true}}, {"T\\Vnx_Rt1", {Claim::Held, false, true}}},
       2,
       {},
       {}},
      {"killed runner's directory reclaimed", {{"T\\Vnx_Rt", {Claim::Left, false, true}}}, 0, {"T\\Vnx_Rt"}, {}},
      {"older runner's directory reclaimed", {{"T\\Vnx_Rt", {Claim::None, false, true}}}, 0, {"T\\Vnx_Rt"}, {}},
      {"killed runner whose projector still runs", {{"T\\Vnx_Rt", {Claim::Left, true, true}}}, 1, {}, {}},
      {"stale but not deletable", {{"T\\Vnx_Rt", {Claim::Left, false, false}}}, 1, {"T\\Vnx_Rt"}, {}},
      {"gap after a running one",
       {{"T\\Vnx_Rt", {Claim::Held, false, true}}, {"T\\Vnx_Rt1", {Claim::Left, false, true}}},
       1,
       {"T\\Vnx_Rt1"},
       {}},
      // The sound a runner silenced comes back when its directory is found
      // dead, even one that cannot be deleted; a live runner keeps it, and so
      // does a dead one whose projector still plays.
      {"killed while silent", {{"T\\Vnx_Rt", {Claim::Left, false, true, true}}}, 0, {"T\\Vnx_Rt"}, {"T\\Vnx_Rt"}},
      {"killed while silent, not deletable",
       {{"T\\Vnx_Rt", {Claim::Left, false, false, true}}},
       1,
       {"T\\Vnx_Rt"},
       {"T\\Vnx_Rt"}},
      {"running silent", {{"T\\Vnx_Rt", {Claim::Held, false, true, true}}}, 1, {}, {}},
      {"killed while silent, its projector still runs", {{"T\\Vnx_Rt", {Claim::Left, true, true, true}}}, 1, {}, {}},
  };
  for (const Case& c : cases) {
    FakeDirectories fake;
    fake.existing = c.existing;
    std::int32_t instance = -1;
    const std::string directory = ClaimWorkDir(fake.Operations(), "T\\", instance);
    EXPECT_EQ(instance, c.instance) << c.name;
    EXPECT_EQ(directory, WorkDirCandidate("T\\", c.instance)) << c.name;
    EXPECT_EQ(fake.deleted, c.deleted) << c.name;
    EXPECT_EQ(fake.soundGivenBack, c.soundGivenBack) << c.name;
    EXPECT_EQ(fake.existing.at(directory).claim, Claim::Held) << c.name;
    // A live runner's files are never opened by someone else's claim.
    for (const std::string& walked : fake.walked)
      EXPECT_NE(c.existing.at(walked).claim, Claim::Held) << c.name << ": " << walked;
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

// Another runner got into the directory just made and holds it: the next
// number is taken, and a directory where no claim can be made is an error.
TEST(WorkDirClaim, AClaimThatCannotBeHeldMovesOnOrFails) {
  FakeDirectories fake;
  auto operations = fake.Operations();
  int attempts = 0;
  operations.HoldClaim = [&](const std::string& d) {
    if (++attempts == 1) return WorkDirOperations::Claim::HeldByOther;
    fake.existing.at(d).claim = Claim::Held;
    return WorkDirOperations::Claim::Held;
  };
  std::int32_t instance = -1;
  EXPECT_EQ(ClaimWorkDir(operations, "T\\", instance), "T\\Vnx_Rt1");
  EXPECT_EQ(instance, 1);

  FakeDirectories readOnly;
  readOnly.holdResult = WorkDirOperations::Claim::Failed;
  try {
    ClaimWorkDir(readOnly.Operations(), "Q:\\x\\", instance);
    ADD_FAILURE() << "no exception";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "Can't create dir Q:\\x\\Vnx_Rt");
  }
}

TEST(WorkDirClaim, OtherCreationFailuresNameTheCandidate) {
  FakeDirectories fake;
  fake.existing["Q:\\x\\Vnx_Rt"] = {Claim::Held, true, true};
  fake.failing.insert("Q:\\x\\Vnx_Rt1");
  std::int32_t instance = -1;
  try {
    ClaimWorkDir(fake.Operations(), "Q:\\x\\", instance);
    ADD_FAILURE() << "no exception";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "Can't create dir Q:\\x\\Vnx_Rt1");
  }
}

// The cleanup sweeps what runners that died left: their directories go, now
// or at the next start, with the sound they silenced given back; a live
// runner's directory is neither walked nor touched.
TEST(WorkDirSweep, DeadRunnersDirectoriesGoAndLiveOnesStay) {
  FakeDirectories fake;
  fake.existing = {{"T\\Vnx_Rt", {Claim::Held, true, true, true}},
                   {"T\\Vnx_Rt1", {Claim::Left, false, true, true}},
                   {"T\\Vnx_Rt2", {Claim::Left, true, true, false}},  // its engine still loaded somewhere
                   {"T\\Vnx_Rt3", {Claim::None, false, false, false}},
                   {"T\\Vnx_Rt4", {Claim::Held, false, true, false}}};
  SweepDeadRunnersWorkDirs(fake.Operations(), {"T\\Vnx_Rt", "T\\Vnx_Rt1", "T\\Vnx_Rt2", "T\\Vnx_Rt3", "T\\Vnx_Rt4"});
  EXPECT_EQ(fake.deleted, (std::vector<std::string>{"T\\Vnx_Rt1", "T\\Vnx_Rt3"}));
  EXPECT_EQ(fake.queued, (std::vector<std::string>{"T\\Vnx_Rt2", "T\\Vnx_Rt3"}));
  EXPECT_EQ(fake.soundGivenBack, (std::vector<std::string>{"T\\Vnx_Rt1"}));
  for (const char* live : {"T\\Vnx_Rt", "T\\Vnx_Rt4"})
    EXPECT_EQ(std::count(fake.walked.begin(), fake.walked.end(), live), 0) << live;
  EXPECT_TRUE(fake.existing.count("T\\Vnx_Rt"));
  EXPECT_TRUE(fake.existing.at("T\\Vnx_Rt").soundTaken);  // a live runner's sound stays as it set it
}

}  // namespace
}  // namespace vnx
