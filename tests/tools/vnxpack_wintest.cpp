// vnxpack.exe's host: the same commands on Windows files and times, and on
// paths of any script, which it takes whole.

#include <gtest/gtest.h>

#include <sstream>

#include "common/handle.h"
#include "common/system_text.h"
#include "session/win32_file_seam.h"
#include "tests/support/file_times.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/session_fixture.h"
#include "tools/vnxpack/vnxpack.h"
#include "tools/vnxpack/win32_pack_host.h"

namespace vnx {
namespace {

int Vnxpack(const std::vector<std::string>& arguments, std::string* err = nullptr) {
  std::ostringstream out, errors;
  const int code = VnxpackMain(arguments, Win32PackHost(), out, errors);
  if (err) *err = errors.str();
  return code;
}

TEST(VnxpackOnWindows, BuildVerifyExtractRoundTrip) {
  test::ScratchDirectory scratch("seam");
  const std::string folder = scratch / "presentation";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\media").c_str(), nullptr);
  const std::string big = test::Compressible(100000);
  test::WriteFileText(folder + "\\show.ini", "[Settings]");
  test::WriteFileText(folder + "\\media\\clip.bin", big);
  test::SetLastWriteTime(folder + "\\show.ini", test::kSomeFileTime);
  test::SetLastWriteTime(folder + "\\media\\clip.bin", test::kSomeFileTime + 77);
  test::WriteFileText(scratch / "stub.exe", std::string(512, 'M'));

  std::string err;
  ASSERT_EQ(Vnxpack({"build", "-o", scratch / "show.exe", "--stub", scratch / "stub.exe", folder}, &err), 0) << err;
  EXPECT_EQ(Vnxpack({"verify", scratch / "show.exe"}, &err), 0) << err;
  ASSERT_EQ(Vnxpack({"extract", scratch / "show.exe", scratch / "copy"}, &err), 0) << err;

  EXPECT_EQ(test::ReadFileText(scratch / "copy\\show.ini").value_or(""), "[Settings]");
  EXPECT_EQ(test::ReadFileText(scratch / "copy\\media\\clip.bin").value_or(""), big);
  EXPECT_EQ(test::FileTimesOf(scratch / "copy\\show.ini").LastWrite, test::kSomeFileTime);
  EXPECT_EQ(test::FileTimesOf(scratch / "copy\\media\\clip.bin").LastWrite, test::kSomeFileTime + 77);
  EXPECT_FALSE(test::FileExists(scratch / "show.exe.vnxpack-tmp"));

  // A rebuild replaces the output in place.
  ASSERT_EQ(
      Vnxpack({"build", "-o", scratch / "show.exe", "--stub", scratch / "stub.exe", folder + "\\show.ini=PTOOL.X"},
              &err),
      0)
      << err;
  EXPECT_EQ(Vnxpack({"verify", scratch / "show.exe"}), 0);
}

// Files named whole: paths in UTF-8.
void MakeWholeDirectory(const std::string& path) { CreateDirectoryW(WideFromUtf8(path).c_str(), nullptr); }
void WriteWhole(const std::string& path, const std::string& text) {
  Win32WholeFiles().Create(path)->Write(text.data(), text.size());
}
std::optional<std::string> ReadWhole(const std::string& path) {
  try {
    const auto source = Win32WholeFiles().OpenRead(path);
    std::string text(static_cast<std::size_t>(source->Size()), '\0');
    text.resize(source->Read(text.data(), text.size()));
    return text;
  } catch (const EFOpenError&) {
    return std::nullopt;
  }
}

struct ToolRun {
  DWORD Code = 0;
  std::string Output;  // standard output and error together
};

// A vnxpack.exe as an author starts it; the arguments in UTF-8.
ToolRun RunVnxpackExe(const test::ScratchDirectory& scratch, const std::string& program, const std::string& arguments) {
  const std::string outputPath = scratch / "vnxpack.out";
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  UniqueFileHandle output(CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = output.get();
  std::wstring commandLine = L"\"" + WideFromUtf8(program) + L"\" " + WideFromUtf8(arguments);
  PROCESS_INFORMATION info{};
  ToolRun run;
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &info)) {
    ADD_FAILURE() << "vnxpack.exe did not start";
    return run;
  }
  const UniqueHandle<KernelHandleTraits> process(info.hProcess), thread(info.hThread);
  EXPECT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);
  GetExitCodeProcess(process.get(), &run.Code);
  output.reset();
  run.Output = test::ReadFileText(outputPath).value_or("");
  return run;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// An author's folder named in Cyrillic, as the release package unpacked
// there (vnxpack.exe with runner.exe beside it), a presentation named in
// Cyrillic too: every command works on it, the runner beside the tool is the
// stub; names of the code page go in and come out as they are.
TEST(VnxpackOnWindows, WorksInAFolderOfAnotherScript) {
  test::ScratchDirectory scratch("script");
  const std::string folder = scratch / "\xD0\x9F\xD1\x80\xD0\xB5\xD0\xB7\xD0\xB5\xD0\xBD";         // "Презен"
  const std::string files = folder + "\\files", show = folder + "\\\xD1\x88\xD0\xBE\xD1\x83.exe";  // "шоу.exe"
  const std::string umlautName = "Pr\xC3\xA4sentation.txt";  // "Präsentation.txt"
  MakeWholeDirectory(folder);
  MakeWholeDirectory(files);
  WriteWhole(files + "\\show.ini", "[Settings]\r\nWidth=320\r\n");
  WriteWhole(files + "\\" + umlautName, "slide");
  const std::string vnxpack = folder + "\\vnxpack.exe";
  for (const char* program : {"vnxpack.exe", "runner.exe"})
    ASSERT_TRUE(CopyFileW(WideFromCodePage(test::BuiltProgram(program)).c_str(),
                          WideFromUtf8(folder + "\\" + program).c_str(), FALSE));

  ToolRun run = RunVnxpackExe(scratch, vnxpack, "build -o " + Quoted(show) + " " + Quoted(files));
  ASSERT_EQ(run.Code, 0u) << run.Output;
  EXPECT_NE(run.Output.find(show + ": session \"Session1\" with 2 files"), std::string::npos) << run.Output;
  const std::string seance =
      "S\xC3\xA9"
      "ance";  // "Séance", in the code page
  run = RunVnxpackExe(scratch, vnxpack,
                      "build -o " + Quoted(show) + " --append --session " + Quoted(seance) + " " +
                          Quoted(files + "\\" + umlautName));
  ASSERT_EQ(run.Code, 0u) << run.Output;
  run = RunVnxpackExe(scratch, vnxpack, "list " + Quoted(show));
  EXPECT_EQ(run.Code, 0u) << run.Output;
  EXPECT_NE(run.Output.find("session \"" + seance + "\""), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("  " + umlautName), std::string::npos) << run.Output;
  run = RunVnxpackExe(scratch, vnxpack, "verify " + Quoted(show));
  EXPECT_EQ(run.Code, 0u) << run.Output;
  EXPECT_NE(run.Output.find(show + ": 2 sessions, 3 files, all intact"), std::string::npos) << run.Output;
  const std::string copy = folder + "\\\xD0\xBA\xD0\xBE\xD0\xBF";  // "коп"
  run =
      RunVnxpackExe(scratch, vnxpack, "extract " + Quoted(show) + " " + Quoted(copy) + " --session " + Quoted(seance));
  EXPECT_EQ(run.Code, 0u) << run.Output;
  EXPECT_EQ(ReadWhole(copy + "\\" + umlautName), "slide");
  EXPECT_EQ(ReadWhole(copy + "\\show.ini"), std::nullopt);
  // The presentation's name in the settings is what the runner takes: the
  // code page's rendering of its stem.
  run = RunVnxpackExe(scratch, vnxpack, "settings " + Quoted(show));
  EXPECT_EQ(run.Code, 0u) << run.Output;
  EXPECT_NE(run.Output.find("\"Width\": 320,"), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("\"Pellam Screen Name\": \"???\","), std::string::npos) << run.Output;
}

struct RefusedCase {
  const char* Name;
  const char* FileName;  // UTF-8, of the one file packed
  const char* Suffix;    // behind the file's path on the command line
  const char* Session;
  const char* Expected;
};

class VnxpackRefusesUnstorableText : public testing::TestWithParam<RefusedCase> {};

// What the session would keep as another name is refused, and nothing is
// written.
TEST_P(VnxpackRefusesUnstorableText, WithAMessageAndNothingWritten) {
  const RefusedCase& c = GetParam();
  test::ScratchDirectory scratch("refused");
  WriteWhole(scratch / c.FileName, "text");
  test::WriteFileText(scratch / "stub.exe", std::string(512, 'M'));
  std::string err;
  EXPECT_EQ(Vnxpack({"build", "-o", scratch / "show.exe", "--stub", scratch / "stub.exe", "--session", c.Session,
                     scratch / c.FileName + c.Suffix},
                    &err),
            1);
  EXPECT_NE(err.find(c.Expected), std::string::npos) << err;
  EXPECT_FALSE(test::FileExists(scratch / "show.exe"));
  EXPECT_FALSE(test::FileExists(scratch / "show.exe.vnxpack-tmp"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VnxpackRefusesUnstorableText,
    testing::Values(
        RefusedCase{"FileName", "\xD0\x9E\xD1\x82.txt", "", "Session1",
                    "cannot store the file \"\xD0\x9E\xD1\x82.txt\": the session keeps names in the Windows code page"},
        RefusedCase{"Placement", "a.txt", "=\xD0\x9F\xD0\xB0", "Session1",
                    "cannot store the placement \"\xD0\x9F\xD0\xB0\""},
        RefusedCase{"SessionName", "a.txt", "", "\xE6\xBC\x94",
                    "the session name \"\xE6\xBC\x94\" has characters the Windows code page cannot write"}),
    [](const testing::TestParamInfo<RefusedCase>& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace vnx
