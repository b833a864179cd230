#pragma once
// Where the settings reader stores each key. The main form points every
// destination at its own fields; the Setup dialog points some of them at its
// own copy. PresentationSettings is a portable set of the same fields under
// the main form's names, for tests and the authoring tool.

#include <array>
#include <cstdint>
#include <string>

#include "session/user_choice.h"

namespace vnx {

inline constexpr std::size_t kRightMenuDeleteItemCount = 50;
using RightMenuDeleteList = std::array<std::int32_t, kRightMenuDeleteItemCount>;

// One pointer per key, in the order the keys are read. Every pointer must be
// set.
struct SettingsDestinations {
  std::int32_t* Major;      // section "ProjectorVersion"
  std::string* BeforeShow;  // section "EngineCommands"
  std::string* ScreenName;  // "Pellam Screen Name"
  bool* Password;
  std::int32_t* AlignmentX;
  std::string* PWEditLabel;
  std::string* PWrong;
  bool* HideCursor;
  RightMenuDeleteList* RightMenuDeleteItems;  // section "RightMenuDeleteItems"
  std::int32_t* CurrentDir;
  TUserChoice *DLL, *DisableW95Key, *DisableClickForeground, *DisableScreenSaver, *FullScreen, *CustomSize,
      *MaintainRatio, *AllowResize, *ExitOnESC, *AlwaysOnTop, *NoTitle, *NoBorder, *Draggable, *SetupMenu, *CloseMenu,
      *MinimizeMenu;
  std::int32_t *Left, *Top, *Width, *Height, *AlignmentV, *AlignmentH, *MidiLoopTimes;
  TUserChoice *Midi, *MidiLoop, *Sound, *Interaction, *RightClickMenu, *KeyInteraction;
};

struct PresentationSettings {
  std::int32_t ProjectorVersionMajor = 0;
  std::string BeforeShow, ScreenName;
  bool Password = false;
  std::int32_t AlignmentX = 0;
  std::string PWEditLabel, PWrong;
  bool HideCursor = false;
  RightMenuDeleteList RightMenuDeleteItems{};
  std::int32_t CurrentDir = 0;
  TUserChoice DLL, DisableW95Key, DisableClickForeground, DisableScreenSaver, FullScreen, CustomSize, MaintainRatio,
      AllowResize, ExitOnESC, AlwaysOnTop, NoTitle, NoBorder, Draggable, SetupMenu, CloseMenu, MinimizeMenu;
  std::int32_t WindowLeft = 0, WindowTop = 0, WindowWidth = 0, WindowHeight = 0;
  std::int32_t AlignmentV = 0, AlignmentH = 0, MidiLoopTimes = 0;
  TUserChoice Midi, MidiLoop, Sound, Interaction, RightClickMenu, KeyInteraction;
};

// Every destination pointed at the fields of one settings set: the main form
// or a PresentationSettings.
template <class Form>
SettingsDestinations SettingsDestinationsOf(Form& form) {
  return {
      .Major = &form.ProjectorVersionMajor,
      .BeforeShow = &form.BeforeShow,
      .ScreenName = &form.ScreenName,
      .Password = &form.Password,
      .AlignmentX = &form.AlignmentX,
      .PWEditLabel = &form.PWEditLabel,
      .PWrong = &form.PWrong,
      .HideCursor = &form.HideCursor,
      .RightMenuDeleteItems = &form.RightMenuDeleteItems,
      .CurrentDir = &form.CurrentDir,
      .DLL = &form.DLL,
      .DisableW95Key = &form.DisableW95Key,
      .DisableClickForeground = &form.DisableClickForeground,
      .DisableScreenSaver = &form.DisableScreenSaver,
      .FullScreen = &form.FullScreen,
      .CustomSize = &form.CustomSize,
      .MaintainRatio = &form.MaintainRatio,
      .AllowResize = &form.AllowResize,
      .ExitOnESC = &form.ExitOnESC,
      .AlwaysOnTop = &form.AlwaysOnTop,
      .NoTitle = &form.NoTitle,
      .NoBorder = &form.NoBorder,
      .Draggable = &form.Draggable,
      .SetupMenu = &form.SetupMenu,
      .CloseMenu = &form.CloseMenu,
      .MinimizeMenu = &form.MinimizeMenu,
      .Left = &form.WindowLeft,
      .Top = &form.WindowTop,
      .Width = &form.WindowWidth,
      .Height = &form.WindowHeight,
      .AlignmentV = &form.AlignmentV,
      .AlignmentH = &form.AlignmentH,
      .MidiLoopTimes = &form.MidiLoopTimes,
      .Midi = &form.Midi,
      .MidiLoop = &form.MidiLoop,
      .Sound = &form.Sound,
      .Interaction = &form.Interaction,
      .RightClickMenu = &form.RightClickMenu,
      .KeyInteraction = &form.KeyInteraction,
  };
}

}  // namespace vnx
