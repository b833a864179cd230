// TMediaPlayer on a fake MCI: the flags each command sends with the one-shot
// wait and notify choices, the rewind before a play at the end, the errors,
// the notifications and the close of the destructor.

#include "sound/media_player.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "sound/sound_seams.h"
#include "tests/sound/fake_mci.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {
namespace {

class MediaPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = SoundSystem();
    mci.Install(SoundSystem());
    scratch.Write("song.mid", "MThd");
    player = std::make_unique<TMediaPlayer>();
    player->MediaFile = scratch.File("song.mid");
  }
  void TearDown() override {
    player.reset();
    MSG message;
    while (PeekMessageA(&message, nullptr, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
    }
    SoundSystem() = saved_;
  }
  DWORD LastFlags() const { return mci.Commands.back().Flags; }

  ScratchDirectory scratch{"player"};
  FakeMci mci;
  std::unique_ptr<TMediaPlayer> player;

 private:
  SoundSeams saved_;
};

TEST_F(MediaPlayerTest, EachCommandSendsItsDefaultsOrTheOneShotChoice) {
  struct Step {
    const char* name;
    std::function<void(TMediaPlayer&)> prepare;
    std::function<void(TMediaPlayer&)> command;
    UINT message;
    DWORD flags;
  };
  const auto open = [](TMediaPlayer& p) { p.Open(); };
  const auto play = [](TMediaPlayer& p) { p.Play(); };
  const auto stop = [](TMediaPlayer& p) { p.Stop(); };
  const auto close = [](TMediaPlayer& p) { p.Close(); };
  const auto none = [](TMediaPlayer&) {};
  const auto notify = [](TMediaPlayer& p) { p.SetNotify(true); };
  const auto noNotify = [](TMediaPlayer& p) { p.SetNotify(false); };
  const auto wait = [](TMediaPlayer& p) {
    p.Wait = true;
    p.WaitGiven = true;
  };
  const auto noWait = [](TMediaPlayer& p) {
    p.Wait = false;
    p.WaitGiven = true;
  };
  const Step steps[] = {
      {"open", none, open, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT},
      {"open with notify", notify, open, MCI_OPEN, MCI_WAIT | MCI_NOTIFY | MCI_OPEN_ELEMENT},
      {"open without wait", noWait, open, MCI_OPEN, MCI_OPEN_ELEMENT},
      {"play", none, play, MCI_PLAY, MCI_NOTIFY},
      {"play without notify", noNotify, play, MCI_PLAY, 0},
      {"play with wait", wait, play, MCI_PLAY, MCI_WAIT | MCI_NOTIFY},
      {"the choice was used up", none, play, MCI_PLAY, MCI_NOTIFY},
      {"stop", none, stop, MCI_STOP, MCI_WAIT},
      {"stop with notify", notify, stop, MCI_STOP, MCI_WAIT | MCI_NOTIFY},
      {"close", noWait, close, MCI_CLOSE, 0},
  };
  for (const Step& step : steps) {
    step.prepare(*player);
    step.command(*player);
    EXPECT_EQ(mci.Commands.back().Message, step.message) << step.name;
    EXPECT_EQ(LastFlags(), step.flags) << step.name;
    EXPECT_EQ(player->LastError, 0u) << step.name;
  }
  EXPECT_FALSE(player->IsOpen);
  EXPECT_EQ(player->DeviceId, 0u);
}

TEST_F(MediaPlayerTest, OpeningAgainClosesFirstAndTheDestructorCloses) {
  player->Open();
  const MCIDEVICEID first = player->DeviceId;
  EXPECT_NE(first, 0u);
  player->Open();
  EXPECT_EQ(mci.Messages(), (std::vector<UINT>{MCI_OPEN, MCI_CLOSE, MCI_OPEN}));
  EXPECT_EQ(mci.Commands[1].Flags, static_cast<DWORD>(MCI_WAIT));
  player.reset();
  EXPECT_EQ(mci.Messages().back(), static_cast<UINT>(MCI_CLOSE));
  EXPECT_EQ(mci.Commands.back().Flags, static_cast<DWORD>(MCI_WAIT));
  EXPECT_TRUE(DeleteFileA(scratch.File("song.mid").c_str()));  // MCI let go of it
}

TEST_F(MediaPlayerTest, APlayAtTheEndRewindsFirst) {
  player->Open();
  player->Play();
  mci.FinishPlay();
  player->AutoRewind = false;
  player->Play();  // from the end: nothing to hear
  mci.FinishPlay();
  player->AutoRewind = true;
  player->Play();
  ASSERT_EQ(mci.Count(MCI_SEEK), 1);
  std::vector<DWORD> starts;
  for (const FakeMci::Command& command : mci.Commands)
    if (command.Message == MCI_PLAY) starts.push_back(command.Position);
  EXPECT_EQ(starts, (std::vector<DWORD>{0, mci.Length, 0}));
  EXPECT_EQ(player->GetMode(), TMediaPlayer::kModePlaying);
}

TEST_F(MediaPlayerTest, ErrorsCarryTheMciTextOrSaySo) {
  struct Case {
    const char* name;
    MCIERROR error;
    bool textKnown;
    const char* message;
  } const cases[] = {
      {"known text", MCIERR_INVALID_FILE, true, "MCI error 296"},
      {"no text", 12345, false, "Unknown MCI Error"},
  };
  for (const Case& c : cases) {
    mci.OpenError = c.error;
    mci.ErrorTextKnown = c.textKnown;
    try {
      player->Open();
      ADD_FAILURE() << c.name << ": no exception";
    } catch (const EMCIDeviceError& error) {
      EXPECT_STREQ(error.what(), c.message) << c.name;
    }
    EXPECT_EQ(player->LastError, c.error) << c.name;
    EXPECT_FALSE(player->IsOpen) << c.name;
  }
  for (const auto& command :
       {std::function<void()>([&] { player->Play(); }), std::function<void()>([&] { player->Stop(); }),
        std::function<void()>([&] { player->Rewind(); })}) {
    try {
      command();
      ADD_FAILURE() << "no exception";
    } catch (const EMCIDeviceError& error) {
      EXPECT_STREQ(error.what(), "Device Not Open");
    }
  }
  const std::size_t sent = mci.Commands.size();
  EXPECT_EQ(player->GetMode(), 0u);
  player->Close();
  EXPECT_EQ(mci.Commands.size(), sent);  // nothing open, nothing sent
}

TEST_F(MediaPlayerTest, NotificationsAreRecordedAndPassedOn) {
  int calls = 0;
  player->OnNotify = [&](TMediaPlayer& sender) {
    EXPECT_EQ(&sender, player.get());
    ++calls;
  };
  struct Case {
    WPARAM flags;
    std::uint8_t result;
  } const cases[] = {
      {MCI_NOTIFY_ABORTED, TMediaPlayer::kNotifyAborted},
      {MCI_NOTIFY_SUPERSEDED, TMediaPlayer::kNotifySuperseded},
      {MCI_NOTIFY_FAILURE, TMediaPlayer::kNotifyFailure},
      {MCI_NOTIFY_SUCCESSFUL, TMediaPlayer::kNotifySuccessful},
      {0x40, TMediaPlayer::kNotifySuccessful},  // unknown: the last result stays
  };
  player->NotifyResult = 99;
  for (const Case& c : cases) {
    player->HandleNotify(c.flags);
    EXPECT_EQ(player->NotifyResult, c.result) << c.flags;
  }
  EXPECT_EQ(calls, 5);
}

}  // namespace
}  // namespace vnx::test
