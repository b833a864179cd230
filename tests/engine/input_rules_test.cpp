#include "engine/input_rules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/win_values.h"

namespace vnx::engine {
namespace {

struct Flags {
  bool shown = true;
  bool exitOnMouse = false, exitOnAnyKey = false, exitOnEsc = false;
  bool noOwnMenu = false, runnerMenu = false, menuOpen = false;
  bool draggable = false, blockKeys = false;
};

ControlBlock Block(const Flags& f) {
  ControlBlock block{};
  block.PresentationShown = f.shown;
  block.ExitOnMouse = f.exitOnMouse;
  block.ExitOnAnyKey = f.exitOnAnyKey;
  block.ExitOnEsc = f.exitOnEsc;
  block.NoRightClickMenu = f.noOwnMenu;
  block.CloseMenu = f.runnerMenu;
  block.PopupMenuOpen = f.menuOpen;
  block.Draggable = f.draggable;
  block.BlockSystemKeys = f.blockKeys;
  return block;
}

// "swallow; Exit, MouseDown(0x201)": the verdict in one line.
std::string Describe(const Verdict& verdict) {
  static const char* const names[] = {"Exit",       "PopupMenu", "MouseDown", "DragEnd",
                                      "DragCancel", "Raise",     "Activated", "FocusProjector"};
  std::string text = verdict.swallow ? "swallow; " : "";
  for (int i = 0; i < verdict.postCount; ++i) {
    if (i > 0) text += ", ";
    text += names[static_cast<int>(verdict.posts[i].notice)];
    if (verdict.posts[i].wParam != 0) {
      char number[16];
      std::snprintf(number, sizeof number, "(0x%x)", verdict.posts[i].wParam);
      text += number;
    }
  }
  if (!text.empty() && text.back() == ' ') text.resize(text.size() - 2);
  return text;
}

MouseInput Mouse(std::uint32_t message, std::int32_t x = 100, std::int32_t y = 100) {
  MouseInput input;
  input.message = message;
  input.x = x;
  input.y = y;
  input.overPresentation = true;
  input.inProjector = true;
  input.foregroundIsPresentation = true;
  return input;
}

InputState AnchoredAt(std::int32_t x, std::int32_t y) {
  InputState state;
  state.anchored = true;
  state.anchorX = x;
  state.anchorY = y;
  return state;
}

InputState Dragging() {
  InputState state;
  state.dragging = true;
  return state;
}

InputState ExitPosted() {
  InputState state;
  state.exitPosted = true;
  return state;
}

MouseInput Outside(MouseInput input) {
  input.overPresentation = false;
  return input;
}
MouseInput InRunner(MouseInput input) {
  input.inProjector = false;
  return input;
}
MouseInput Unfocused(MouseInput input) {
  input.foregroundIsPresentation = false;
  return input;
}

TEST(MouseRules, ExitsMenusDragsAndRaises) {
  Flags hidden;
  hidden.shown = false;
  hidden.exitOnMouse = hidden.noOwnMenu = true;
  Flags exitOnMouse;
  exitOnMouse.exitOnMouse = true;
  Flags exitInMenu = exitOnMouse;
  exitInMenu.menuOpen = true;
  Flags plain;
  Flags drag;
  drag.draggable = true;
  Flags ownMenuOff;
  ownMenuOff.noOwnMenu = true;
  Flags popup = ownMenuOff;
  popup.runnerMenu = true;
  Flags popupOpen = popup;
  popupOpen.menuOpen = true;
  Flags runnerMenuOnly;
  runnerMenuOnly.runnerMenu = true;
  Flags exitAndNoMenu = exitOnMouse;
  exitAndNoMenu.noOwnMenu = true;

  struct Case {
    const char* name;
    Flags flags;
    InputState state;
    MouseInput input;
    const char* expected;
  } const cases[] = {
      {"nothing counts before the show", hidden, {}, Mouse(msg::kLButtonDown), ""},
      {"but the own menu is kept shut", hidden, {}, Mouse(msg::kRButtonUp), "swallow"},
      {"click", exitOnMouse, {}, Mouse(msg::kLButtonDown), "Exit"},
      {"double click", exitOnMouse, {}, Mouse(msg::kMButtonDblClk), "Exit"},
      {"click on the frame", exitOnMouse, {}, Mouse(msg::kNcLButtonDown), "Exit"},
      {"wheel", exitOnMouse, {}, Mouse(msg::kMouseWheel), "Exit"},
      {"first movement only anchors", exitOnMouse, {}, Mouse(msg::kMouseMove), ""},
      {"jitter of 4 pixels", exitOnMouse, AnchoredAt(100, 100), Mouse(msg::kMouseMove, 104, 96), ""},
      {"5 pixels across", exitOnMouse, AnchoredAt(100, 100), Mouse(msg::kMouseMove, 105, 100), "Exit"},
      {"5 pixels up", exitOnMouse, AnchoredAt(100, 100), Mouse(msg::kMouseMove, 100, 95), "Exit"},
      {"far over the frame", exitOnMouse, AnchoredAt(0, 0), Mouse(msg::kNcMouseMove, -2000000000, 0), "Exit"},
      {"asked once only", exitOnMouse, ExitPosted(), Mouse(msg::kLButtonDown), ""},
      {"another program's window", exitOnMouse, {}, Outside(Mouse(msg::kLButtonDown)), ""},
      {"the runner's menu is open", exitInMenu, {}, Mouse(msg::kLButtonDown), ""},
      {"interactive click", plain, {}, Mouse(msg::kLButtonDown), ""},
      {"click from behind raises", plain, {}, Unfocused(Mouse(msg::kLButtonDown)), "Raise"},
      {"the runner's own frame is not raised", plain, {}, Unfocused(InRunner(Mouse(msg::kLButtonDown))), ""},
      {"press starts a drag", drag, {}, Mouse(msg::kLButtonDown), "MouseDown(0x201)"},
      {"right press is reported too", drag, {}, Mouse(msg::kRButtonDown), "MouseDown(0x204)"},
      {"no drag in the runner's frame", drag, {}, InRunner(Mouse(msg::kLButtonDown)), ""},
      {"release ends the drag anywhere", drag, Dragging(), Outside(Mouse(msg::kLButtonUp)), "DragEnd"},
      {"a second button cancels", drag, Dragging(), Unfocused(Mouse(msg::kRButtonDown)),
       "DragCancel, MouseDown(0x204), Raise"},
      {"runner's menu instead of the own", popup, {}, Mouse(msg::kRButtonUp), "swallow; PopupMenu"},
      {"right press kept from the projector", popup, {}, Mouse(msg::kRButtonDown), "swallow"},
      {"no runner menu: right click does nothing", ownMenuOff, {}, Mouse(msg::kRButtonUp), "swallow"},
      {"runner's menu already open", popupOpen, {}, Mouse(msg::kRButtonUp), "swallow"},
      {"projector's own menu allowed", runnerMenuOnly, {}, Mouse(msg::kRButtonUp), ""},
      {"other programs keep their menus", popup, {}, Outside(Mouse(msg::kRButtonUp)), ""},
      {"right click that ends the show", exitAndNoMenu, {}, Mouse(msg::kRButtonDown), "swallow; Exit"},
  };
  for (const Case& c : cases) {
    InputState state = c.state;
    const ControlBlock block = Block(c.flags);
    EXPECT_EQ(Describe(DecideMouse(block, state, c.input)), c.expected) << c.name;
  }
}

TEST(MouseRules, MovementIsMeasuredFromTheFirstPositionAfterTheShow) {
  Flags flags;
  flags.exitOnMouse = true;
  const ControlBlock block = Block(flags);
  InputState state;
  EXPECT_EQ(Describe(DecideMouse(block, state, Mouse(msg::kMouseMove, 300, 300))), "");
  EXPECT_EQ(Describe(DecideMouse(block, state, Mouse(msg::kMouseMove, 303, 297))), "");
  EXPECT_EQ(Describe(DecideMouse(block, state, Mouse(msg::kMouseMove, 304, 304))), "");  // still within 4
  EXPECT_EQ(Describe(DecideMouse(block, state, Mouse(msg::kMouseMove, 305, 300))), "Exit");
  EXPECT_TRUE(state.exitPosted);
  EXPECT_EQ(Describe(DecideMouse(block, state, Mouse(msg::kMouseMove, 400, 400))), "");
}

TEST(MouseRules, TheRunnersMenuRestartsTheMeasurement) {
  Flags open;
  open.exitOnMouse = open.menuOpen = true;
  Flags closed = open;
  closed.menuOpen = false;
  InputState state = AnchoredAt(100, 100);
  DecideMouse(Block(open), state, Mouse(msg::kMouseMove, 500, 500));
  EXPECT_EQ(Describe(DecideMouse(Block(closed), state, Mouse(msg::kMouseMove, 500, 500))), "");
  EXPECT_EQ(Describe(DecideMouse(Block(closed), state, Mouse(msg::kMouseMove, 502, 500))), "");
}

TEST(MouseRules, ADragRunsFromPressToRelease) {
  Flags flags;
  flags.draggable = true;
  const ControlBlock block = Block(flags);
  InputState state;
  EXPECT_EQ(Describe(DecideMouse(block, state, Mouse(msg::kLButtonDown))), "MouseDown(0x201)");
  EXPECT_EQ(Describe(DecideMouse(block, state, Mouse(msg::kMouseMove, 150, 150))), "");
  EXPECT_EQ(Describe(DecideMouse(block, state, Mouse(msg::kLButtonUp, 150, 150))), "DragEnd");
  EXPECT_EQ(Describe(DecideMouse(block, state, Mouse(msg::kLButtonUp, 150, 150))), "");
}

KeyInput Key(std::uint32_t virtualKey, bool pressed = true, bool shift = false) {
  KeyInput input;
  input.virtualKey = virtualKey;
  input.pressed = pressed;
  input.shift = shift;
  input.focusInPresentation = true;
  return input;
}
KeyInput Elsewhere(KeyInput input) {
  input.focusInPresentation = false;
  return input;
}

TEST(KeyRules, ExitKeysWindowsKeysAndTheMenuKey) {
  constexpr std::uint32_t kA = 'A';
  Flags anyKey;
  anyKey.exitOnAnyKey = true;
  Flags anyKeyHidden = anyKey;
  anyKeyHidden.shown = false;
  Flags anyKeyInMenu = anyKey;
  anyKeyInMenu.menuOpen = true;
  Flags escape;
  escape.exitOnEsc = true;
  Flags plain;
  Flags blockKeys;
  blockKeys.blockKeys = true;
  Flags blockKeysHidden = blockKeys;
  blockKeysHidden.shown = false;
  Flags blockAndExit = blockKeys;
  blockAndExit.exitOnAnyKey = true;
  Flags popup;
  popup.noOwnMenu = popup.runnerMenu = true;
  Flags runnerMenuOnly;
  runnerMenuOnly.runnerMenu = true;

  struct Case {
    const char* name;
    Flags flags;
    InputState state;
    KeyInput input;
    const char* expected;
  } const cases[] = {
      {"any key", anyKey, {}, Key(kA), "Exit"},
      {"any key, Esc too", anyKey, {}, Key(vk::kEscape), "Exit"},
      {"a release is not a press", anyKey, {}, Key(kA, false), ""},
      {"before the show", anyKeyHidden, {}, Key(kA), ""},
      {"typed into a dialog", anyKey, {}, Elsewhere(Key(kA)), ""},
      {"choosing from the runner's menu", anyKeyInMenu, {}, Key(vk::kEscape), ""},
      {"asked once only", anyKey, ExitPosted(), Key(kA), ""},
      {"Esc only", escape, {}, Key(vk::kEscape), "Exit"},
      {"Esc only, other key", escape, {}, Key(kA), ""},
      {"interactive keys", plain, {}, Key(vk::kEscape), ""},
      {"Esc stops a drag", plain, Dragging(), Key(vk::kEscape), "DragCancel"},
      {"Windows key", blockKeys, {}, Key(vk::kLWin), "swallow"},
      {"right Windows key released elsewhere", blockKeysHidden, {}, Elsewhere(Key(vk::kRWin, false)), "swallow"},
      {"Windows keys pass when allowed", plain, {}, Key(vk::kLWin), ""},
      {"a Windows key is still a key", blockAndExit, {}, Key(vk::kLWin), "swallow; Exit"},
      {"menu key pressed", popup, {}, Key(vk::kApps), "swallow"},
      {"menu key released", popup, {}, Key(vk::kApps, false), "swallow; PopupMenu"},
      {"Shift+F10 released", popup, {}, Key(vk::kF10, false, true), "swallow; PopupMenu"},
      {"F10 alone is no menu key", popup, {}, Key(vk::kF10, false), ""},
      {"menu key in a dialog", popup, {}, Elsewhere(Key(vk::kApps, false)), ""},
      {"projector's own menu allowed", runnerMenuOnly, {}, Key(vk::kApps, false), ""},
  };
  for (const Case& c : cases) {
    InputState state = c.state;
    EXPECT_EQ(Describe(DecideKey(Block(c.flags), state, c.input)), c.expected) << c.name;
  }
}

TEST(KeyRules, GetMessageHookRefusesOnlyWindowsKeyMessages) {
  Flags flags;
  flags.blockKeys = true;
  const ControlBlock block = Block(flags);
  EXPECT_TRUE(RefusesKeyMessage(block, msg::kKeyDown, vk::kLWin));
  EXPECT_TRUE(RefusesKeyMessage(block, msg::kSysKeyUp, vk::kRWin));
  EXPECT_FALSE(RefusesKeyMessage(block, msg::kKeyDown, vk::kApps));
  EXPECT_FALSE(RefusesKeyMessage(block, msg::kMouseMove, vk::kLWin));  // wParam of a mouse message
  EXPECT_FALSE(RefusesKeyMessage(Block(Flags{}), msg::kKeyDown, vk::kLWin));
}

TEST(WindowRules, ActivationIsReportedAfterTheShowAndStopsAForeignDrag) {
  Flags hidden;
  hidden.shown = false;
  struct Case {
    const char* name;
    Flags flags;
    InputState state;
    bool presentationWindow;
    const char* expected;
  } const cases[] = {
      {"before the show", hidden, {}, false, ""},
      {"a window is activated", Flags{}, {}, false, "Activated(0x1234)"},
      {"another window during a drag", Flags{}, Dragging(), false, "DragCancel, Activated(0x1234)"},
      {"the runner's window during a drag", Flags{}, Dragging(), true, "Activated(0x1234)"},
  };
  for (const Case& c : cases) {
    InputState state = c.state;
    EXPECT_EQ(Describe(DecideActivation(Block(c.flags), state, 0x1234, c.presentationWindow)), c.expected) << c.name;
  }
  InputState dragging = Dragging();
  EXPECT_EQ(Describe(DecideWindowCommand(dragging)), "DragCancel");
  EXPECT_EQ(Describe(DecideWindowCommand(dragging)), "");
}

TEST(WindowRules, FocusGoesBackToTheProjectorAtMostTwiceASecond) {
  FocusInput toFrame;
  toFrame.toRunnerWindow = true;
  toFrame.projectorVisible = true;
  toFrame.nowMs = 1000;
  const ControlBlock interactive = Block(Flags{});
  InputState state;
  EXPECT_EQ(Describe(DecideFocus(interactive, state, toFrame)), "FocusProjector");
  toFrame.nowMs = 1499;
  EXPECT_EQ(Describe(DecideFocus(interactive, state, toFrame)), "");
  toFrame.nowMs = 1500;
  EXPECT_EQ(Describe(DecideFocus(interactive, state, toFrame)), "FocusProjector");

  struct Case {
    const char* name;
    Flags flags;
    bool toRunner, fromProjector, visible;
  } const refused[] = {
      {"keys end the show anyway",
       [] {
         Flags f;
         f.exitOnAnyKey = true;
         return f;
       }(),
       true, false, true},
      {"before the show",
       [] {
         Flags f;
         f.shown = false;
         return f;
       }(),
       true, false, true},
      {"runner's menu open",
       [] {
         Flags f;
         f.menuOpen = true;
         return f;
       }(),
       true, false, true},
      {"focus to another window", Flags{}, false, false, true},
      {"from the projector itself", Flags{}, true, true, true},
      {"projector not visible", Flags{}, true, false, false},
  };
  for (const Case& c : refused) {
    InputState fresh;
    FocusInput input;
    input.toRunnerWindow = c.toRunner;
    input.fromProjectorWindow = c.fromProjector;
    input.projectorVisible = c.visible;
    input.nowMs = 5000;
    EXPECT_EQ(Describe(DecideFocus(Block(c.flags), fresh, input)), "") << c.name;
  }
}

TEST(WindowRules, TheFocusSpacingSurvivesTheTickCounterWrapping) {
  FocusInput input;
  input.toRunnerWindow = true;
  input.projectorVisible = true;
  input.nowMs = 0xFFFFFF00u;
  const ControlBlock block = Block(Flags{});
  InputState state;
  EXPECT_EQ(Describe(DecideFocus(block, state, input)), "FocusProjector");
  input.nowMs = 0x00000010u;  // 272 ms later
  EXPECT_EQ(Describe(DecideFocus(block, state, input)), "");
  input.nowMs = 0x00000200u;
  EXPECT_EQ(Describe(DecideFocus(block, state, input)), "FocusProjector");
}

}  // namespace
}  // namespace vnx::engine
