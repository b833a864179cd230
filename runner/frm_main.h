#pragma once
// TfrmMain: the single runner object that holds all state of one lifecycle.
// It is created zero-filled; CreateMainWindow fills its identity and settings,
// the session fills the rest.

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "contract/control_block.h"
#include "session/file_roles.h"
#include "session/reg_ini_file.h"
#include "session/user_choice.h"
#include "session/zef_exe_appender.h"
#include "sound/media_player.h"

namespace vnx {

class TfrmMain {
 public:
  TfrmMain() = default;
  TfrmMain(const TfrmMain&) = delete;
  TfrmMain& operator=(const TfrmMain&) = delete;
  ~TfrmMain();

  // EngineFile is a bare name after extraction and becomes the full path when
  // the engine is loaded; only then is there a library file to delete.
  bool EnginePathFormed() const { return EngineFile.find('\\') != std::string::npos; }
  // The password and Setup dialogs belong to the window that a screen
  // saver's "/c" names, otherwise to the runner's own window.
  HWND DialogOwner() const { return SetupOwner ? SetupOwner : MainWindow; }

  HWND MainWindow = nullptr;
  std::int32_t ReferenceWidth = 0, ReferenceHeight = 0;
  std::int32_t WindowWidth = 0, WindowHeight = 0, WindowTop = 0, WindowLeft = 0;
  TUserChoice Interaction, RightClickMenu, Sound;
  TMediaPlayer MusicPlayer;  // the background music
  TUserChoice Midi, MidiLoop;
  std::unique_ptr<TZefExeAppender> SessionReader;
  TUserChoice DLL, KeyInteraction, DisableW95Key, DisableClickForeground, DisableScreenSaver, FullScreen, CustomSize,
      MaintainRatio, AllowResize, ExitOnESC, AlwaysOnTop, NoTitle, NoBorder, Draggable, SetupMenu, CloseMenu,
      MinimizeMenu;
  std::int32_t AlignmentV = 0, AlignmentH = 0;
  std::int32_t FullScreenWidth = 0, FullScreenHeight = 0;
  RECT SavedRect{};
  bool InFullScreen = false;
  std::uint32_t SavedStyle = 0;
  // The program's file name, whole, in UTF-8: it names the per-user values,
  // the start-up atom, the end broadcast and the runner's environment
  // variable, all of which the system keeps in UTF-16.
  std::string ExeFileName;
  std::string WorkDir;
  std::vector<ToolProgram> ToolPrograms;
  std::vector<std::string> ToolFiles;
  std::vector<std::string> CreatedSubdirs;
  std::uint32_t RunnerMessage = 0;
  std::int32_t RunnerServerMessage = 0;
  PROCESS_INFORMATION ProjectorInfo{};
  HWND ProjectorWindow = nullptr;
  std::optional<DWORD> ProjectorCloseAskedAt;  // GetTickCount of the session's first close request
  HMENU PopupMenu = nullptr;
  vnx::ControlBlock* ControlBlock = nullptr;  // the mapped view shared with the engine
  bool WindowNotFound = false, PresentationShown = false, ShowFinished = false, UserResized = false;
  std::int32_t FullScreenCommand = 0;
  RECT FullScreenRect{};
  bool Dragging = false, DragMoved = false;
  POINT DragAnchor{};
  std::uint32_t DragTimerId = 0;
  std::uint32_t GlobalCloseMessage = 0;
  bool ProbePass = false, PlacementSeen = false, UseCurrentDir = false;
  std::int32_t CurrentDir = 0, MidiLoopTimes = 0;
  std::int32_t InstanceSlot = 0;
  std::string InstanceSuffix;
  bool SettingsPass = false, SetupMode = false;
  HWND SetupOwner = nullptr;                // the host's settings window given with "/c"
  bool ScreenSaverMode = false;             // started by the system as its screen saver ("/s")
  std::unique_ptr<TRegIniFile> RegIniFile;  // the per-user values, on "Software\Orrindale"
  std::int32_t AlignmentX = 0;
  bool Password = false;
  std::string PWEditLabel, PWrong;
  std::string ExeStem;  // whole, in UTF-8, as ExeFileName
  std::string ProjectorFile, ProjectorSourceName, MusicFile, SettingsFileName, EngineFile;
  std::string ScreenName, BeforeShow;
  bool HideCursor = false;
  std::vector<std::string> ExtraFiles;
  std::array<std::int32_t, 50> RightMenuDeleteItems{};
  std::int32_t ProjectorVersionMajor = 0;
};

// The process-wide main object while a lifecycle runs, otherwise null.
extern TfrmMain* frmMain;

}  // namespace vnx
