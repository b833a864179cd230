// vnxpack build: a copy of a runner (or of an executable that carries
// sessions already) with one more session behind it.

#include <istream>
#include <iterator>
#include <ostream>

#include "session/session_writer.h"
#include "session/trailer_search.h"
#include "tools/vnxpack/branding/branding.h"
#include "tools/vnxpack/branding/icon_file.h"
#include "tools/vnxpack/build_plan.h"
#include "tools/vnxpack/command_runner.h"

namespace vnx {
namespace {

constexpr const char* kHelp =
    "usage: vnxpack build -o OUT.exe [--stub STUB.exe] [--session NAME] [--version TEXT] [BRANDING] ENTRY...\n"
    "       vnxpack build -o OUT.exe [--stub BASE.exe] --append [--session NAME] [--version TEXT] ENTRY...\n"
    "\n"
    "Writes OUT.exe: the stub followed by one session of the entries' files.\n"
    "\n"
    "  ENTRY            a file (\"path\" or \"path=PLACEMENT\") or a directory (its files,\n"
    "                   sub-folders becoming relative placements; \"dir=PLACEMENT\" puts\n"
    "                   them below PLACEMENT). PLACEMENT is \".\", a relative subdirectory\n"
    "                   such as a\\b, or a tag beginning with \"PTOOL.\".\n"
    "  -o OUT.exe       the executable to write; replaced only when the build succeeds\n"
    "  --stub STUB.exe  the program image to copy in front of the session; without\n"
    "                   it, the runner.exe that lies beside vnxpack\n"
    "  --session NAME   the session's name, at most 63 characters (default \"Session1\")\n"
    "  --version TEXT   the writer's version text, at most 63 characters\n"
    "  --append         add the session behind the sessions BASE.exe (default OUT.exe)\n"
    "                   carries already; the last one appended is found first\n"
    "\n"
    "BRANDING, the look of OUT.exe in Explorer, the taskbar, its frame and dialogs\n"
    "(given when the stub is copied, not with --append):\n"
    "  --icon FILE.ico            every image of the icon replaces the runner's icon\n"
    "  --title TEXT               FileDescription and ProductName\n"
    "  --company TEXT             CompanyName\n"
    "  --file-version A.B.C.D     FileVersion and ProductVersion, text and numbers\n"
    "  --copyright TEXT           LegalCopyright\n"
    "Any of the texts also writes OriginalFilename, OUT.exe's name; the version\n"
    "resource then holds the author's texts only. Sign OUT.exe after building.\n"
    "\n"
    "Files of 109 bytes or more are stored as zlib streams, smaller ones raw; each\n"
    "keeps its modification time. Names and placements Windows could not write\n"
    "inside the target directory are refused, and so are names the Windows code\n"
    "page cannot write (the session stores names in it) and anything over the\n"
    "format's limits, before anything is written.\n";

// Whether the file ends with a session trailer, as an executable that carries
// sessions does.
bool EndsWithSession(const PackHost& host, const std::string& path) {
  const auto source = host.Files().OpenRead(path);
  return FindTrailer(*source, source->Size(), false).has_value();
}

void CopyInto(std::ostream& out, const PackHost& host, const std::string& path) {
  const auto in = host.OpenInput(path);
  if (!in) throw EPackError("cannot read " + path);
  out << in->rdbuf();
  if (!out) throw EPackError("cannot copy " + path);
}

std::string StoredText(const PackHost& host, const std::string& what, const std::string& text) {
  if (auto stored = host.StoredText(text)) return *stored;
  throw EPackError("the " + what + " \"" + text + "\" has characters the Windows code page cannot write");
}

// Without --stub: the output itself when appending, else the runner that
// lies beside the tool, as in the release package.
std::string DefaultBase(const ParsedArguments& parsed, const PackHost& host, bool append) {
  if (append) return parsed.Value("-o");
  const std::string directory = host.ToolDirectory();
  std::string beside = directory + host.Separator() + "runner.exe";
  if (directory.empty() || !host.Facts(beside).Exists)
    throw EUsageError("--stub is needed unless --append is given or runner.exe lies beside vnxpack");
  return beside;
}

std::string BaseOf(const ParsedArguments& parsed, const PackHost& host) {
  const bool append = parsed.Flags.count("--append") != 0;
  std::string base = parsed.Has("--stub") ? parsed.Value("--stub") : DefaultBase(parsed, host, append);
  const HostFileFacts facts = host.Facts(base);
  if (!facts.Exists || facts.IsDirectory) throw EPackError("no such file: " + base);
  const bool carries = EndsWithSession(host, base);
  if (append && !carries)
    throw EPackError(base + " does not end with a session (bytes behind the last one cannot be appended to)");
  if (!append && carries) throw EPackError(base + " carries sessions already; add one with --append");
  return base;
}

const char* const kVersionOptions[] = {"--title", "--company", "--file-version", "--copyright"};

bool AsksForVersionText(const ParsedArguments& parsed) {
  for (const char* option : kVersionOptions)
    if (parsed.Has(option)) return true;
  return false;
}

std::vector<std::uint8_t> ReadWhole(const PackHost& host, const std::string& path) {
  const auto in = host.OpenInput(path);
  if (!in) throw EPackError("cannot read " + path);
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(*in), std::istreambuf_iterator<char>()};
  if (in->bad()) throw EPackError("cannot read " + path);
  return bytes;
}

std::string FileNameOf(const std::string& path, char separator) {
  const std::size_t slash = path.find_last_of(std::string("/") + separator);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> TextOption(const ParsedArguments& parsed, const std::string& option) {
  if (!parsed.Has(option)) return std::nullopt;
  return parsed.Value(option);
}

Branding BrandingOf(const ParsedArguments& parsed, const PackHost& host, const std::string& output) {
  Branding branding;
  if (parsed.Has("--icon")) branding.Icon = ReadWhole(host, parsed.Value("--icon"));
  if (AsksForVersionText(parsed))
    branding.Version = VersionText{TextOption(parsed, "--title"), TextOption(parsed, "--company"),
                                   TextOption(parsed, "--file-version"), TextOption(parsed, "--copyright"),
                                   FileNameOf(output, host.Separator())};
  return branding;
}

// The stub with the author's look written into it, before anything is
// written; nothing when the author asks for none and the stub is copied as
// it is. The author's own inputs are checked first, each named with its
// fault.
std::optional<std::vector<std::uint8_t>> BrandedStub(const ParsedArguments& parsed, const PackHost& host,
                                                     const std::string& base, const Branding& branding) {
  if (!branding.Icon && !branding.Version) return std::nullopt;
  try {
    if (branding.Icon) ReadIconFile(*branding.Icon);
  } catch (const EBrandingError& error) {
    throw EPackError(parsed.Value("--icon") + ": " + error.what());
  }
  try {
    if (branding.Version) PrepareVersionStrings(*branding.Version);
  } catch (const EBrandingError& error) {
    throw EPackError(error.what());
  }
  try {
    return BrandImage(ReadWhole(host, base), branding);
  } catch (const EBrandingError& error) {
    throw EPackError(base + ": " + error.what());
  }
}

int Build(const ParsedArguments& parsed, const PackHost& host, std::ostream& out) {
  if (!parsed.Has("-o")) throw EUsageError("-o OUT is needed");
  const std::string output = parsed.Value("-o");
  if ((parsed.Has("--icon") || AsksForVersionText(parsed)) && parsed.Flags.count("--append") != 0)
    throw EUsageError("the icon and version options brand the stub; they cannot be given with --append");
  const std::string base = BaseOf(parsed, host);
  const auto branded = BrandedStub(parsed, host, base, BrandingOf(parsed, host, output));

  PackedSession packed;
  packed.Name = StoredText(host, "session name", parsed.Value("--session", kDefaultSessionName));
  packed.VersionText = StoredText(host, "version text", parsed.Value("--version", kPackVersionText));
  packed.Files = PlanFiles(parsed.Positional, host);
  CheckPackedSession(packed, branded ? static_cast<std::int64_t>(branded->size()) : host.Facts(base).Size);

  // A failed build leaves no half-written executable behind.
  const std::string temporary = output + ".vnxpack-tmp";
  try {
    {
      const auto file = host.OpenOutput(temporary);
      if (!file) throw EPackError("cannot write " + temporary);
      if (branded)
        file->write(reinterpret_cast<const char*>(branded->data()), static_cast<std::streamsize>(branded->size()));
      else
        CopyInto(*file, host, base);
      WriteSession(*file, packed);
    }
    host.MoveOver(temporary, output);
  } catch (...) {
    host.RemoveFile(temporary);
    throw;
  }
  std::int64_t total = 0;
  for (const PackedFile& file : packed.Files) total += file.Size;
  out << output << ": session \"" << host.HostText(packed.Name) << "\" with " << packed.Files.size() << " files, "
      << total << " bytes\n";
  return 0;
}

}  // namespace

int RunBuild(const Arguments& arguments, const PackHost& host, std::ostream& out, std::ostream& err) {
  const CommandShape shape{
      "build",
      kHelp,
      {"-o", "--stub", "--session", "--version", "--icon", "--title", "--company", "--file-version", "--copyright"},
      {"--append"},
      1,
      SIZE_MAX};
  return RunCommand(shape, arguments, out, err, [&](const ParsedArguments& parsed) {
    try {
      return Build(parsed, host, out);
    } catch (const EUsageError& error) {
      err << "vnxpack build: " << error.what() << "\nTry: vnxpack build --help\n";
      return 2;
    }
  });
}

}  // namespace vnx
