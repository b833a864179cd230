// Names the system gives in UTF-16 that the code page (1252 here) cannot
// write: presentations kept in folders and under names of other scripts run
// as anywhere else, and the Setup dialog stores its choices under the whole
// name. A viewer's "Pellam Temp Directory" in another script that does not
// exist (and so has no short name either) stops the runner before it writes
// anything, with a message that names it whole and says what to do.

#include <windows.h>

#include <gtest/gtest.h>

#include "common/system_text.h"
#include "contract/control_block.h"
#include "tests/e2e/presentation_run.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {
namespace {

void SetWholeValue(const std::string& exeStem, const std::wstring& name, const std::wstring& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (L"Software\\Orrindale\\" + WideFromUtf8(exeStem)).c_str(), 0, nullptr,
                            0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

std::string Lines(const std::vector<LogEntry>& log) {
  std::string text;
  for (const LogEntry& entry : log) text += entry.Key + "=" + entry.Value + "\n";
  return text;
}

struct PlaceCase {
  const char* Name;
  const char* Folder;      // UTF-8
  const char* Stem;        // UTF-8
  const char* TempFolder;  // UTF-8; empty: the usual "Pellam Temp Directory"
};

class PresentationPlace : public testing::TestWithParam<PlaceCase> {};

// Shown with the projector inside, ended on a key, nothing left; the
// projector starts in the presentation's folder, which it learns by a name
// of the code page.
TEST_P(PresentationPlace, RunsAndEndsAsAnywhereElse) {
  const PlaceCase& c = GetParam();
  PresentationSpec presentation;
  presentation.Folder = c.Folder;
  presentation.Name = c.Stem;
  presentation.TempFolder = c.TempFolder;
  presentation.Settings = "Interaction=1\r\nKeyInteraction=0\r\nExitOnESC=0\r\nMidi=0\r\n";
  presentation.Extra.push_back({"Music.MID", BuiltProgramBytes("music.mid"), ""});
  PresentationRun run(presentation);
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  ExpectProjectorFillsClientArea(run);
  ASSERT_TRUE(WaitUntil([&] { return run.ReadControlBlock().PresentationShown == 1; }, 10000));
  const std::string initialDir = ReadShortString(run.ReadControlBlock().InitialDir);
  wchar_t longName[MAX_PATH] = {};
  GetLongPathNameW(WideFromCodePage(initialDir).c_str(), longName, MAX_PATH);
  EXPECT_EQ(Utf8FromWide(longName), run.ShowFolder()) << initialDir;
  EXPECT_TRUE(FileExists(run.WorkDir() + "music.mid"));

  PressKey('A');
  ASSERT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.RunnerExitCode(), 0u);
  EXPECT_EQ(run.LastLog("exit"), "0") << Lines(run.ProjectorLog());
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Scripts, PresentationPlace,
                         testing::Values(PlaceCase{"CyrillicFolder", "\xD0\x9F\xD1\x80\xD0\xB5\xD0\xB7", "show", ""},
                                         PlaceCase{"ChineseFolderAndName", "\xE6\xBC\x94\xE7\xA4\xBA",
                                                   "\xE6\xBC\x94\xE7\xA4\xBA", ""},
                                         // An account named in Cyrillic: its temporary directory.
                                         PlaceCase{"CyrillicTempDirectory", "", "show",
                                                   "\xD0\x94\xD0\xBC\xD0\xB8\xD1\x82\xD1\x80\xD0\xB8\xD0\xB9"}),
                         CaseName<PlaceCase>);

// "/c" in a folder and under a name of another script: the choice lands
// under the whole name.
TEST(PresentationPlaceSetup, TheChoicesAreStoredUnderTheWholeName) {
  PresentationSpec presentation;
  presentation.Folder = "\xD0\x9F\xD1\x80\xD0\xB5\xD0\xB7";
  presentation.Name = "\xD0\x9F\xD0\xBE\xD0\xBA\xD0\xB0\xD0\xB7";
  presentation.Settings = "Pellam Screen Name=Place\r\nKeyInteraction=2\r\n";
  PresentationRun run(presentation);
  run.Start("/c");
  const HWND dialog = WaitForDialog(run.RunnerProcessId(), "Place - Setup");
  ASSERT_TRUE(dialog) << "no Setup dialog";
  ToggleBox(GetDlgItem(dialog, 12));  // the keys
  ClickCloseBox(dialog);
  ASSERT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.Registry().GetString("AnyKeyExit"), "1");
}

TEST(UnnameableTempDirectory, TheViewerIsToldWhichDirectoryAndNothingIsWritten) {
  PresentationRun run(PresentationSpec{});
  const std::string stem = run.ExeFileName().substr(0, run.ExeFileName().size() - 4);
  const std::wstring missing = WideFromCodePage(run.ShowDirectory()) + L"\\\u0412\u0440\u0435\u043c\u044f";
  SetWholeValue(stem, L"Pellam Temp Directory", missing);
  const std::vector<std::string> before = TreeEntries(run.ShowDirectory());

  run.Start();
  const auto box = WaitForMessageBox(run.RunnerProcessId(), 20000);
  ASSERT_TRUE(box) << "no message";
  EXPECT_EQ(box->Caption, "Error");
  const std::string& text = box->Text;
  EXPECT_NE(text.find("Cannot use the temporary directory " + Utf8FromWide(missing) +
                      " set as \"Pellam Temp "
                      "Directory\" under HKEY_CURRENT_USER\\Software\\Orrindale\\" +
                      stem + ":"),
            std::string::npos)
      << text;
  PressOk(run.RunnerProcessId());
  ASSERT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.RunnerExitCode(), 1u);
  EXPECT_EQ(TreeEntries(run.ShowDirectory()), before);
}

}  // namespace
}  // namespace vnx::test
