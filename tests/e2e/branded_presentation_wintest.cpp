// The author's look: a presentation built by vnxpack with the author's icon
// and version text, read back from the real runner image the way Explorer
// reads it, and run the way a viewer runs it: its frame and its Setup
// dialog show the author's icon.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>

#include "common/handle.h"
#include "common/system_text.h"
#include "projector/projector_handles.h"
#include "tests/e2e/author_branding.h"
#include "tests/e2e/dialog_steps.h"
#include "tests/e2e/presentation_run.h"
#include "tests/support/screen_pixels.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {
namespace {

// Colours no runner draws by itself, one per image size.
constexpr COLORREF kColour16 = RGB(0x12, 0xC8, 0x4D), kColour32 = RGB(0xC8, 0x21, 0x96),
                   kColour48 = RGB(0x2E, 0x5A, 0xD1);

// How many pixels of the icon, drawn at side x side over white, have the
// colour; -1 when it could not be drawn.
int PixelsOfColour(HICON icon, int side, COLORREF colour) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  const UniqueGdiObject bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return -1;
  const HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
  PatBlt(dc.get(), 0, 0, side, side, WHITENESS);
  const bool drawn = DrawIconEx(dc.get(), 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
  GdiFlush();
  SelectObject(dc.get(), old);
  if (!drawn) return -1;
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  const std::uint32_t wanted = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
  int count = 0;
  for (int i = 0; i < side * side; ++i) count += (pixels[i] & 0xFFFFFF) == wanted;
  return count;
}

// The image of the program's "MAINICON" group that Windows picks for a
// size, and its pixels of the colour.
int MainIconPixels(const std::string& program, int side, COLORREF colour) {
  const HMODULE module = LoadLibraryExW(WideFromUtf8(program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return -1;
  const HICON icon = static_cast<HICON>(LoadImageW(module, L"MAINICON", IMAGE_ICON, side, side, 0));
  const int count = icon ? PixelsOfColour(icon, side, colour) : -1;
  if (icon) DestroyIcon(icon);
  FreeLibrary(module);
  return count;
}

struct VersionSeen {
  std::map<std::string, std::string> Strings;  // UTF-8
  std::uint32_t FileMs = 0, FileLs = 0, ProductMs = 0, ProductLs = 0;
};

// The version resource as Explorer's properties read it.
std::optional<VersionSeen> VersionOf(const std::string& program) {
  const std::wstring path = WideFromUtf8(program);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return std::nullopt;
  std::vector<char> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return std::nullopt;
  VersionSeen seen;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed)
    seen = {{}, fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS, fixed->dwProductVersionLS};
  for (const char* key : {"FileDescription", "ProductName", "CompanyName", "FileVersion", "ProductVersion",
                          "LegalCopyright", "OriginalFilename"}) {
    wchar_t* value = nullptr;
    const std::wstring query = L"\\StringFileInfo\\040904B0\\" + WideFromUtf8(key);
    if (VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) && value)
      seen.Strings[key] = Utf8FromWide(std::wstring(value, length > 0 ? length - 1 : 0));
  }
  return seen;
}

using Strings = std::map<std::string, std::string>;

struct BrandCase {
  const char* Name;
  std::vector<std::string> Options;             // behind "vnxpack build -o show.exe --stub runner.exe"
  std::vector<std::pair<int, COLORREF>> Icon;   // the author's icon, when given
  std::vector<std::pair<int, COLORREF>> Shown;  // the size Windows asks for, and the colour it gets
  Strings Expected;                             // nothing: the runner's own version resource stays
  std::array<std::uint32_t, 2> FileVersion{};
};

const std::string kLongTitle(2000, 'T');
const std::string kSociete = "Soci\xC3\xA9t\xC3\xA9 \xC2\xA9";             // "Société ©", in the code page
const std::string kCyrillic = "\xD0\x9F\xD0\xBE\xD0\xBA\xD0\xB0\xD0\xB7";  // "Показ", outside it

class BrandedRunnerImage : public testing::TestWithParam<BrandCase> {};

// The real runner image, branded: what Windows reads from it, and the
// presentation behind it still verifies.
TEST_P(BrandedRunnerImage, ShowsTheAuthorsIconAndText) {
  const BrandCase& c = GetParam();
  ScratchDirectory scratch("brand");
  scratch.Write("show.ini", "[Settings]\r\n");
  std::vector<std::string> arguments = {"build", "-o", scratch / "show.exe", "--stub", BuiltProgram("runner.exe")};
  if (!c.Icon.empty()) {
    scratch.Write("author.ico", IconFile(c.Icon));
    arguments.insert(arguments.end(), {"--icon", scratch / "author.ico"});
  }
  arguments.insert(arguments.end(), c.Options.begin(), c.Options.end());
  arguments.push_back(scratch / "show.ini");
  const Tool built = Vnxpack(arguments);
  ASSERT_EQ(built.Code, 0) << built.Err;
  EXPECT_EQ(Vnxpack({"verify", scratch / "show.exe"}).Code, 0);

  for (const auto& [side, colour] : c.Shown)
    EXPECT_EQ(MainIconPixels(scratch / "show.exe", side, colour), side * side) << side << "x" << side;
  const auto version = VersionOf(scratch / "show.exe");
  ASSERT_TRUE(version);
  if (c.Expected.empty()) {
    EXPECT_EQ(version->Strings, VersionOf(BuiltProgram("runner.exe"))->Strings);
  } else {
    EXPECT_EQ(version->Strings, c.Expected);
    EXPECT_EQ(version->FileMs, c.FileVersion[0]);
    EXPECT_EQ(version->FileLs, c.FileVersion[1]);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrandedRunnerImage,
    testing::Values(
        BrandCase{"SeveralSizesAndEveryText",
                  {"--title", "Fair stand", "--company", kSociete, "--file-version", "2.5.0.17", "--copyright",
                   "2026 " + kCyrillic},
                  {{16, kColour16}, {32, kColour32}, {48, kColour48}},
                  {{16, kColour16}, {32, kColour32}, {48, kColour48}},
                  {{"FileDescription", "Fair stand"},
                   {"ProductName", "Fair stand"},
                   {"CompanyName", kSociete},
                   {"FileVersion", "2.5.0.17"},
                   {"ProductVersion", "2.5.0.17"},
                   {"LegalCopyright", "2026 " + kCyrillic},
                   {"OriginalFilename", "show.exe"}},
                  {0x00020005, 0x00000011}},
        BrandCase{"OneSizeAndNoText", {}, {{32, kColour32}}, {{32, kColour32}, {16, kColour32}}, {}, {}},
        BrandCase{"LongAndEmptyTexts",
                  {"--title", kLongTitle, "--company", ""},
                  {},
                  {},
                  {{"FileDescription", kLongTitle}, {"ProductName", kLongTitle}, {"OriginalFilename", "show.exe"}},
                  {0x00010000, 0x00000000}}),
    CaseName<BrandCase>);

// An author's file that is no icon is named, and nothing is written.
TEST(BrandedRunnerImage, ABadIconIsRefusedAndNothingIsWritten) {
  ScratchDirectory scratch("brand");
  scratch.Write("show.ini", "[Settings]\r\n");
  const std::string icon = IconFile({{32, kColour32}});
  for (const std::string& bytes : {std::string("not an icon at all"), icon.substr(0, icon.size() - 100)}) {
    scratch.Write("author.ico", bytes);
    const Tool built = Vnxpack({"build", "-o", scratch / "show.exe", "--stub", BuiltProgram("runner.exe"), "--icon",
                                scratch / "author.ico", scratch / "show.ini"});
    EXPECT_EQ(built.Code, 1);
    EXPECT_EQ(built.Err.rfind(scratch / "author.ico" + ": not an icon file: ", 0), 0u) << built.Err;
    EXPECT_FALSE(FileExists(scratch / "show.exe"));
    EXPECT_FALSE(FileExists(scratch / "show.exe.vnxpack-tmp"));
  }
}

// Pixels of the colours in a window's area of the screen, once at least
// `wanted` show (the window may not have painted yet) or the time is up.
int ScreenPixelsOfColours(HWND window, const std::vector<COLORREF>& colours, int wanted) {
  int count = 0;
  for (const DWORD start = GetTickCount(); count < wanted && GetTickCount() - start < 5000; Sleep(50)) {
    const RECT area = WindowRect(window);
    const ScreenPixels seen = CaptureScreenArea(area.left, area.top, area.right - area.left, area.bottom - area.top);
    count = 0;
    for (const COLORREF pixel : seen.Pixels) count += std::count(colours.begin(), colours.end(), pixel) != 0;
  }
  return count;
}

// A viewer sees the author's icon on the presentation's frame and in its
// Setup dialog.
TEST(BrandedPresentation, FrameAndSetupDialogShowTheAuthorsIcon) {
  ScratchDirectory scratch("brand");
  scratch.Write("author.ico", IconFile({{16, kColour16}, {32, kColour32}, {48, kColour48}}));
  scratch.Write("empty.txt", "");
  ASSERT_EQ(Vnxpack({"build", "-o", scratch / "runner.exe", "--stub", BuiltProgram("runner.exe"), "--icon",
                     scratch / "author.ico", "--title", "Fair stand", scratch / "empty.txt"})
                .Code,
            0);
  PresentationSpec presentation;
  presentation.Settings = "Pellam Screen Name=Branded\r\n";
  presentation.Runner = scratch / "runner.exe";
  PresentationRun run(presentation);
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  const HWND frame = run.RunnerWindow();
  // The caption's small icon: the author's 16-pixel image, or the 32-pixel
  // one scaled down (Wine scales the big icon).
  EXPECT_GE(ScreenPixelsOfColours(frame, {kColour16, kColour32}, 16 * 16), 16 * 16);
  PostMessageA(frame, WM_CLOSE, 0, 0);
  ASSERT_TRUE(run.WaitForEnd());

  run.Start("/c");
  const HWND dialog = WaitForDialog(run.RunnerProcessId(), "Branded - Setup");
  ASSERT_TRUE(dialog);
  // Drawn beside the choices at 32 pixels, the author's 32-pixel image.
  EXPECT_GE(ScreenPixelsOfColours(dialog, {kColour32}, 32 * 32), 32 * 32);
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitForEnd());
}

}  // namespace
}  // namespace vnx::test
