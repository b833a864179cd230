// vnxpack extract: a session written out by the runner's own reader, so its
// behaviour can be tried from a shell.

#include "session/destination_check.h"
#include "session/session_writer.h"
#include "session/zef_exe_appender.h"
#include "tools/vnxpack/command_runner.h"

namespace vnx {
namespace {

constexpr const char* kHelp =
    "usage: vnxpack extract FILE DIR [--session NAME]\n"
    "\n"
    "Extracts the session NAME (default \"Session1\") of FILE into DIR with the\n"
    "runner's own reader: the same search, checks, messages and file times. A\n"
    "file with a subdirectory placement goes into that subdirectory of DIR, as\n"
    "the runner's main pass puts it; all others go into DIR itself. On failure\n"
    "prints the reader's message and exits with 1.\n";

// The reader's target directory: DIR with one "\" behind it.
std::string ReaderDirectory(std::string directory) {
  while (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\')) directory.pop_back();
  return directory + '\\';
}

int Extract(const ParsedArguments& parsed, const PackHost& host, std::ostream& out) {
  const std::string targetDir = ReaderDirectory(parsed.Positional[1]);
  host.MakeDirectories(targetDir);

  TZefExeAppender reader(host.Files(), ExecutableAt(host.Files(), [] { return std::string(); }));
  reader.UseOwnExe = false;
  reader.SourceFile = parsed.Positional[0];
  reader.TargetDir = targetDir;
  int written = 0;
  // The session's names are code-page text; the files are made on host paths.
  reader.OnFile = [&](TZefExeAppender& sender, std::string& fileName, std::string& destinationDir, bool&) {
    const std::string placement = sender.Placement;
    fileName = host.HostText(fileName);
    ++written;
    if (placement.empty() || placement == "." || placement.starts_with("PTOOL.")) return;
    if (!IsSafeSubdirectory(placement))
      throw ERunnerError("Placement \"" + host.HostText(placement) + "\" of " + fileName +
                         " leaves the target directory");
    destinationDir = targetDir + host.HostText(placement);
    host.MakeDirectories(destinationDir);
  };
  const std::string session = parsed.Value("--session", kDefaultSessionName);
  const auto stored = host.StoredText(session);
  if (!stored)
    throw EPackError("no session \"" + session + "\" can be stored: the Windows code page cannot write its name");
  reader.Extract(*stored);
  out << written << " files extracted into " << parsed.Positional[1] << "\n";
  return 0;
}

}  // namespace

int RunExtract(const Arguments& arguments, const PackHost& host, std::ostream& out, std::ostream& err) {
  const CommandShape shape{"extract", kHelp, {"--session"}, {}, 2, 2};
  return RunCommand(shape, arguments, out, err,
                    [&](const ParsedArguments& parsed) { return Extract(parsed, host, out); });
}

}  // namespace vnx
