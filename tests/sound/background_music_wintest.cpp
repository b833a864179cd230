// The background music on the main window: how often it plays for each
// repetition setting, the stop at the session's end, muted music and a file
// MCI cannot play, on a fake MCI whose notifications reach the window
// procedure as MCI's do; then the real MCI under Wine with the demo's music.

#include "sound/background_music.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "contract/private_messages.h"
#include "runner/frm_main.h"
#include "runner/pump.h"
#include "sound/sound_seams.h"
#include "tests/sound/fake_mci.h"
#include "tests/support/runner_fixture.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {
namespace {

class MusicTest : public RunnerFixture {
 protected:
  void SetUp() override {
    RunnerFixture::SetUp();
    saved_ = SoundSystem();
  }
  void TearDown() override {
    form.reset();  // its player closes while the seams are still the test's
    SoundSystem() = saved_;
    RunnerFixture::TearDown();
  }

  // A main window with the music file written into the working directory
  // and its full path formed, as the projector launch leaves it.
  void Build(const std::function<void(TfrmMain&)>& settings, const std::string& content = "MThd") {
    form = BuildForm(settings);
    DrainQueue();
    scratch.Write("song.mid", content);
    form->WorkDir = scratch.Path() + "\\";
    form->MusicFile = scratch.File("song.mid");
  }
  void PlayThroughTheWindow() {
    PostMessageA(form->MainWindow, WM_RUNNER_PLAY_MUSIC, 0, 0);
    PumpPending();
  }

  ScratchDirectory scratch{"music"};
  std::unique_ptr<TfrmMain> form;

 private:
  SoundSeams saved_;
};

class FakeMusicTest : public MusicTest {
 protected:
  void SetUp() override {
    MusicTest::SetUp();
    mci.Install(SoundSystem());
  }
  FakeMci mci;
};

TEST_F(FakeMusicTest, RepetitionsFollowTheLoopSettings) {
  struct Case {
    const char* name;
    bool loop;
    std::int32_t times;  // as in the settings file
    int plays;           // within the first 7 ends of a play
  } const cases[] = {
      {"loop off", false, 3, 1},       {"once", true, 1, 1},
      {"three times", true, 3, 3},     {"0: without end", true, 0, 8},
      {"negative: once", true, -2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mci.Commands.clear();
    Build([&c](TfrmMain& f) {
      f.MidiLoop.Value = c.loop;
      f.MidiLoopTimes = c.times;
    });
    PlayThroughTheWindow();
    for (int end = 0; end < 7 && mci.Playing(); ++end) {
      mci.FinishPlay();
      PumpPending();  // the notification reaches the player through the window procedure
    }
    int plays = 0;
    for (const FakeMci::Command& command : mci.Commands) {
      if (command.Message != MCI_PLAY) continue;
      ++plays;
      EXPECT_EQ(command.Position, 0u) << "play " << plays << " did not start from the beginning";
    }
    EXPECT_EQ(plays, c.plays);
    EXPECT_EQ(mci.Playing(), c.plays == 8);
    form.reset();
  }
}

TEST_F(FakeMusicTest, TheStopDuringAPlayClosesAndDeletesWithoutAnotherPlay) {
  Build([](TfrmMain& f) {
    f.MidiLoop.Value = true;
    f.MidiLoopTimes = 5;
  });
  PlayThroughTheWindow();
  ASSERT_TRUE(mci.Playing());
  EXPECT_FALSE(DeleteFileA(form->MusicFile.c_str()));  // MCI holds it while open
  const std::size_t before = mci.Commands.size();

  StopMusic(*form);
  const std::vector<UINT> all = mci.Messages();
  const std::vector<UINT> stop(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
  EXPECT_EQ(stop, (std::vector<UINT>{MCI_STATUS, MCI_STOP, MCI_CLOSE}));
  // The stop's notification was handled before the close and started nothing.
  EXPECT_EQ(form->MusicPlayer.NotifyResult, TMediaPlayer::kNotifyAborted);
  MSG left;
  EXPECT_FALSE(PeekMessageA(&left, nullptr, MM_MCINOTIFY, MM_MCINOTIFY, PM_NOREMOVE));
  EXPECT_FALSE(FileExists(form->MusicFile));
  EXPECT_EQ(form->MidiLoopTimes, 5);
  EXPECT_FALSE(form->MusicPlayer.IsOpen);
}

// A second request while the music plays: the old device closes (its play
// aborted, which counts as an end and plays again), and that play supersedes
// the newer one. A superseded play neither counts nor plays again: otherwise
// each play would cut off the next until the count ran out.
TEST_F(FakeMusicTest, ASupersededPlayIsNotRepeated) {
  Build([](TfrmMain& f) {
    f.MidiLoop.Value = true;
    f.MidiLoopTimes = 100;
  });
  PlayThroughTheWindow();
  PlayThroughTheWindow();  // a second request, from outside
  EXPECT_EQ(mci.Count(MCI_PLAY), 3);
  EXPECT_EQ(form->MidiLoopTimes, 99);
  EXPECT_TRUE(mci.Playing());
  mci.FinishPlay();
  PumpPending();
  EXPECT_EQ(mci.Count(MCI_PLAY), 4);
  EXPECT_EQ(form->MidiLoopTimes, 98);
}

TEST_F(FakeMusicTest, MutedMusicIsNeitherWrittenNorPlayed) {
  Build([](TfrmMain& f) { f.Midi.Value = true; });
  form->MusicFile.clear();  // the extraction skipped it
  PlayThroughTheWindow();
  EXPECT_TRUE(mci.Commands.empty());
}

TEST_F(FakeMusicTest, MusicThatCannotBeOpenedLeavesThePresentationSilent) {
  for (const MCIERROR error : {MCIERR_INVALID_FILE, MCIERR_SEQ_NOMIDIPRESENT}) {
    mci.OpenError = error;
    Build([](TfrmMain& f) { f.MidiLoop.Value = true; });
    PlayThroughTheWindow();
    EXPECT_EQ(mci.Count(MCI_PLAY), 0);
    EXPECT_TRUE(messageBoxes.empty());
    EXPECT_FALSE(form->MusicPlayer.IsOpen);
    StopMusic(*form);
    EXPECT_FALSE(FileExists(scratch.File("song.mid")));
    form.reset();
  }
}

// Under Wine without a sound card the sequencer opens a valid file and
// reports playing; the play never ends by itself and the stop aborts it.
TEST_F(MusicTest, RealMciOpensTheDemoMusicAndTheCleanupClosesAndDeletesIt) {
  Build([](TfrmMain& f) { f.MidiLoop.Value = true; }, *ReadFileText(BuiltProgram("music.mid")));
  PlayThroughTheWindow();
  EXPECT_TRUE(form->MusicPlayer.IsOpen);
  EXPECT_EQ(form->MusicPlayer.LastError, 0u);
  EXPECT_EQ(form->MusicPlayer.GetMode(), TMediaPlayer::kModePlaying);
  EXPECT_FALSE(DeleteFileA(form->MusicFile.c_str()));  // MCI holds the file

  StopMusic(*form);
  EXPECT_FALSE(form->MusicPlayer.IsOpen);
  EXPECT_EQ(form->MusicPlayer.DeviceId, 0u);
  EXPECT_EQ(form->MusicPlayer.NotifyResult, TMediaPlayer::kNotifyAborted);
  EXPECT_FALSE(FileExists(form->MusicFile));
}

TEST_F(MusicTest, RealMciRefusesWhatItCannotPlay) {
  struct Case {
    const char* name;
    std::optional<std::string> content;  // none: no such file
    MCIERROR error;
  } const cases[] = {
      {"not MIDI", std::string(100, 'x'), MCIERR_INVALID_FILE},
      {"missing", std::nullopt, MCIERR_FILE_NOT_FOUND},
  };
  for (const Case& c : cases) {
    TMediaPlayer player;
    player.MediaFile = scratch.File(c.name) + ".mid";
    if (c.content) WriteFileText(player.MediaFile, *c.content);
    char text[256] = {};
    mciGetErrorStringA(c.error, text, sizeof text);
    try {
      player.Open();
      ADD_FAILURE() << c.name << ": opened";
    } catch (const EMCIDeviceError& error) {
      EXPECT_STREQ(error.what(), text) << c.name;
    }
    EXPECT_EQ(player.LastError, c.error) << c.name;
  }
}

}  // namespace
}  // namespace vnx::test
