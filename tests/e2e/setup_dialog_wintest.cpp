// The Setup dialog of a runner started with "/c", under Wine, driven as a
// viewer drives it: found by its caption, check boxes ticked with the mouse,
// closed with the close box. What it shows follows the presentation's user
// choices and the viewer's stored values; what it stores lands in the
// registry under the executable's name.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "tests/e2e/dialog_steps.h"
#include "tests/e2e/presentation_run.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {
namespace {

constexpr char kTitle[] = "Setup show";
const std::string kSetupCaption = std::string(kTitle) + " - Setup";

// The check boxes by control id.
enum Box { kMouse = 10, kRightClickMenu = 11, kKeys = 12, kSoundMute = 13, kMidiMute = 14 };
constexpr Box kBoxes[] = {kMouse, kRightClickMenu, kKeys, kSoundMute, kMidiMute};

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

POINT ClientTopLeft(HWND dialog, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  POINT corner{rect.left, rect.top};
  ScreenToClient(dialog, &corner);
  return corner;
}

// Where the template puts the boxes, in pixels: the same template, laid out
// in this process with the same font.
struct Grid {
  LONG left, right, row1, row2, row3;
};
Grid TemplateGrid() {
  const HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), "SETUP_DIALOG", nullptr, QuietDialogProc, 0);
  EXPECT_TRUE(dialog);
  const auto at = [dialog](int id) { return ClientTopLeft(dialog, GetDlgItem(dialog, id)); };
  const Grid grid{at(kMouse).x, at(kSoundMute).x, at(kMouse).y, at(kRightClickMenu).y, at(kKeys).y};
  DestroyWindow(dialog);
  return grid;
}

// What a box shows; `where` is its column (0 left, 1 right) and row (0..2).
struct Seen {
  bool visible = false, enabled = false, checked = false;
  int column = -1, row = -1;
  bool operator==(const Seen&) const = default;
};

Seen Look(HWND dialog, Box box, const Grid& grid) {
  const HWND control = GetDlgItem(dialog, box);
  Seen seen;
  seen.visible = IsWindowVisible(control);
  if (!seen.visible) return seen;  // a hidden box may sit anywhere
  seen.enabled = IsWindowEnabled(control);
  seen.checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  const POINT at = ClientTopLeft(dialog, control);
  seen.column = at.x == grid.left ? 0 : at.x == grid.right ? 1 : -1;
  const LONG rows[] = {grid.row1, grid.row2, grid.row3};
  for (int row = 0; row < 3; ++row)
    if (at.y == rows[row]) seen.row = row;
  return seen;
}

std::string Describe(const Seen& s) {
  if (!s.visible) return "hidden";
  return std::string(s.enabled ? "enabled" : "greyed") + (s.checked ? " checked" : " unchecked") + " at column " +
         std::to_string(s.column) + " row " + std::to_string(s.row);
}

PresentationSpec SetupShow(const std::string& choices) {
  PresentationSpec presentation;
  presentation.Settings = std::string("Pellam Screen Name=") + kTitle + "\r\n" + choices;
  return presentation;
}

using Values = std::map<std::string, std::string>;

Values StoredChoices(const PresentationRun& run) {
  Values values;
  for (const char* name : {"MouseExit", "AnyKeyExit", "Mute", "MidiMute", "DisplayRightClickMenu"})
    if (const auto value = run.Registry().GetString(name)) values[name] = *value;
  return values;
}

HWND OpenSetup(PresentationRun& run, const std::string& arguments = "/c") {
  run.Start(arguments);
  const HWND dialog = WaitForDialog(run.RunnerProcessId(), kSetupCaption);
  EXPECT_TRUE(dialog) << "no Setup dialog";
  return dialog;
}

// Closed with the close box, the runner stores the choices and ends; of
// the presentation nothing was unpacked and nothing is left.
void CloseSetup(const PresentationRun& run, HWND dialog) {
  EXPECT_EQ(TreeEntries(run.TempBase()), std::vector<std::string>{});
  ClickCloseBox(dialog);
  ASSERT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.RunnerExitCode(), 0u);
  EXPECT_EQ(TreeEntries(run.TempBase()), std::vector<std::string>{});
}

struct LayoutCase {
  const char* Name;
  const char* Choices;  // the presentation's settings for the five choices
  Values Stored;        // the viewer's values before
  std::map<Box, Seen> Expected;
  Values StoredAfter;
};

const Seen kHidden{};
Seen Shown(bool enabled, bool checked, int column, int row) { return {true, enabled, checked, column, row}; }

class SetupDialogLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(SetupDialogLayout, ShowsTheViewersChoicesAndStoresThem) {
  const LayoutCase& c = GetParam();
  const Grid grid = TemplateGrid();
  PresentationRun run(SetupShow(c.Choices));
  for (const auto& [name, value] : c.Stored) run.Registry().SetString(name, value);
  const HWND dialog = OpenSetup(run);
  ASSERT_TRUE(dialog);
  for (const Box box : kBoxes) {
    const Seen expected = c.Expected.count(box) ? c.Expected.at(box) : kHidden;
    const Seen seen = Look(dialog, box, grid);
    EXPECT_EQ(seen, expected) << "box " << box << ": " << Describe(seen) << ", expected " << Describe(expected);
  }
  CloseSetup(run, dialog);
  EXPECT_EQ(StoredChoices(run), c.StoredAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, SetupDialogLayout,
    testing::Values(
        // Nothing stored: the mouse ends the presentation, keys work, nothing
        // muted; the right-click menu is greyed while the mouse is off.
        LayoutCase{"AllFiveFirstRun",
                   "Interaction=2\r\nRightClickMenu=2\r\nKeyInteraction=2\r\nSound=2\r\nMidi=2\r\n",
                   {},
                   {{kMouse, Shown(true, false, 0, 0)},
                    {kRightClickMenu, Shown(false, false, 0, 1)},
                    {kKeys, Shown(true, true, 0, 2)},
                    {kSoundMute, Shown(true, false, 1, 0)},
                    {kMidiMute, Shown(true, false, 1, 1)}},
                   {{"MouseExit", "1"},
                    {"AnyKeyExit", "0"},
                    {"Mute", "0"},
                    {"MidiMute", "0"},
                    {"DisplayRightClickMenu", "0"}}},
        // The right column moves to the left one; fixed choices are stored
        // as the presentation fixes them.
        LayoutCase{"SoundAndMidiOnly",
                   "Interaction=1\r\nRightClickMenu=0\r\nKeyInteraction=0\r\nSound=2\r\nMidi=2\r\n",
                   {{"Mute", "1"}, {"MidiMute", "0"}, {"MouseExit", "1"}},
                   {{kSoundMute, Shown(true, true, 0, 0)}, {kMidiMute, Shown(true, false, 0, 1)}},
                   {{"MouseExit", "0"},
                    {"AnyKeyExit", "1"},
                    {"Mute", "1"},
                    {"MidiMute", "0"},
                    {"DisplayRightClickMenu", "0"}}},
        LayoutCase{"MouseAndKeysWithoutTheMenu",
                   "Interaction=2\r\nRightClickMenu=0\r\nKeyInteraction=2\r\nSound=1\r\nMidi=0\r\n",
                   {{"MouseExit", "0"}, {"AnyKeyExit", "1"}},
                   {{kMouse, Shown(true, true, 0, 0)}, {kKeys, Shown(true, false, 0, 1)}},
                   {{"MouseExit", "0"},
                    {"AnyKeyExit", "1"},
                    {"Mute", "0"},
                    {"MidiMute", "0"},
                    {"DisplayRightClickMenu", "0"}}},
        LayoutCase{"KeysAloneMoveToTheFirstRow",
                   "Interaction=0\r\nRightClickMenu=0\r\nKeyInteraction=2\r\nSound=0\r\nMidi=1\r\n",
                   {{"AnyKeyExit", "0x1"}},
                   {{kKeys, Shown(true, false, 0, 0)}},
                   {{"MouseExit", "1"},
                    {"AnyKeyExit", "1"},
                    {"Mute", "1"},
                    {"MidiMute", "1"},
                    {"DisplayRightClickMenu", "0"}}},
        LayoutCase{"AllFixed",
                   "Interaction=1\r\nRightClickMenu=1\r\nKeyInteraction=1\r\nSound=1\r\nMidi=0\r\n",
                   {},
                   {},
                   {{"MouseExit", "0"},
                    {"AnyKeyExit", "0"},
                    {"Mute", "0"},
                    {"MidiMute", "0"},
                    {"DisplayRightClickMenu", "1"}}}),
    CaseName<LayoutCase>);

const char kAllFive[] = "Interaction=2\r\nRightClickMenu=2\r\nKeyInteraction=2\r\nSound=2\r\nMidi=2\r\n";

TEST(SetupDialog, TickedBoxesAreStoredAndTheMouseGovernsTheMenu) {
  PresentationRun run(SetupShow(kAllFive));
  const HWND dialog = OpenSetup(run);
  ASSERT_TRUE(dialog);
  const HWND menu = GetDlgItem(dialog, kRightClickMenu);
  EXPECT_FALSE(IsWindowEnabled(menu));
  ToggleBox(GetDlgItem(dialog, kMouse));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(menu) != FALSE; }));
  ToggleBox(menu);
  ToggleBox(GetDlgItem(dialog, kSoundMute));
  ToggleBox(GetDlgItem(dialog, kKeys));
  ToggleBox(GetDlgItem(dialog, kMidiMute));
  ToggleBox(GetDlgItem(dialog, kMidiMute));  // and back
  CloseSetup(run, dialog);
  EXPECT_EQ(StoredChoices(run), (Values{{"MouseExit", "0"},
                                        {"AnyKeyExit", "1"},
                                        {"Mute", "1"},
                                        {"MidiMute", "0"},
                                        {"DisplayRightClickMenu", "1"}}));
}

TEST(SetupDialog, AStoredValueOfTheWrongTypeIsReported) {
  PresentationRun run(SetupShow(kAllFive));
  run.Registry().SetNumber("AnyKeyExit", 1);
  run.Start("/c");
  const HWND box = WaitForDialog(run.RunnerProcessId(), "Error");
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), "Exception occured: Invalid data type for 'AnyKeyExit'");
  ClickWindow(FindWindowExA(box, nullptr, "Button", nullptr));
  ASSERT_TRUE(run.WaitForEnd());
  EXPECT_EQ(TreeEntries(run.TempBase()), std::vector<std::string>{});
}

// A locked presentation asks for its password before the Setup dialog;
// refused, the dialog never shows and the values go back as they were read.
struct LockedCase {
  const char* Name;
  std::vector<std::string> Typed;
  bool SetupShown;
};

class LockedSetup : public testing::TestWithParam<LockedCase> {};

TEST_P(LockedSetup, ThePasswordComesFirst) {
  const LockedCase& c = GetParam();
  PresentationSpec presentation = SetupShow(kAllFive);
  presentation.Password = "open sesame";
  PresentationRun run(presentation);
  run.Registry().SetString("Mute", "1");
  run.Start("/c");
  for (std::size_t i = 0; i < c.Typed.size(); ++i) {
    const HWND password = WaitForPasswordDialog(run.RunnerProcessId(), kTitle);
    ASSERT_TRUE(password);
    EXPECT_FALSE(WaitForWindow(run.RunnerProcessId(), "#32770", &kSetupCaption, 0));
    AnswerPassword(password, c.Typed[i]);
    if (!c.SetupShown || i + 1 < c.Typed.size()) {
      EXPECT_EQ(AnswerErrorBox(run.RunnerProcessId()), "Wrong password!");
    }
  }
  if (c.SetupShown) {
    const HWND dialog = WaitForDialog(run.RunnerProcessId(), kSetupCaption);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, kSoundMute)));
    CloseSetup(run, dialog);
  } else {
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_EQ(run.RunnerExitCode(), 0u);
    EXPECT_EQ(TreeEntries(run.TempBase()), std::vector<std::string>{});
  }
  EXPECT_EQ(StoredChoices(run), (Values{{"MouseExit", "1"},
                                        {"AnyKeyExit", "0"},
                                        {"Mute", "1"},
                                        {"MidiMute", "0"},
                                        {"DisplayRightClickMenu", "0"}}));
}

INSTANTIATE_TEST_SUITE_P(Answers, LockedSetup,
                         testing::Values(LockedCase{"Right", {"open sesame"}, true},
                                         LockedCase{"WrongThenRight", {"sesame", "open sesame"}, true},
                                         LockedCase{"ThreeWrong", {"a", "b", "c"}, false}),
                         CaseName<LockedCase>);

}  // namespace
}  // namespace vnx::test
