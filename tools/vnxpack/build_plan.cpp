#include "tools/vnxpack/build_plan.h"

#include <algorithm>
#include <set>

#include "common/text.h"
#include "session/destination_check.h"

namespace vnx {
namespace {

// Symbolic links can make a directory contain itself.
constexpr int kMaxDepth = 32;

struct Entry {
  std::string Path;
  std::string Placement;
};

// "path=PLACEMENT": an existing path may itself contain "=", so the placement
// starts behind the first "=" whose left part exists (or the first "=").
Entry SplitEntry(const std::string& text, const PackHost& host) {
  if (host.Facts(text).Exists || text.find('=') == std::string::npos) return {text, ""};
  for (std::size_t equals = text.find('='); equals != std::string::npos; equals = text.find('=', equals + 1))
    if (host.Facts(text.substr(0, equals)).Exists) return {text.substr(0, equals), text.substr(equals + 1)};
  const std::size_t first = text.find('=');
  return {text.substr(0, first), text.substr(first + 1)};
}

bool IsToolTag(const std::string& placement) { return placement.starts_with("PTOOL."); }

// Subdirectory placements are stored with "\", as the runner joins them.
std::string StoredPlacement(std::string placement) {
  if (!IsToolTag(placement)) std::replace(placement.begin(), placement.end(), '/', '\\');
  return placement;
}

std::string JoinPlacement(const std::string& prefix, const std::string& relative) {
  if (relative.empty()) return prefix;
  if (prefix.empty() || prefix == ".") return relative;
  return (prefix.back() == '\\' ? prefix : prefix + '\\') + relative;
}

// The session keeps names as bytes of the Windows code page; a name with
// characters it lacks would reach the viewer as another name, or none.
std::string StoredName(const PackHost& host, const std::string& what, const std::string& name) {
  if (auto stored = host.StoredText(name)) return *stored;
  throw EPackError("cannot store " + what + " \"" + name +
                   "\": the session keeps names in the Windows code page, which cannot write it; rename it");
}

class Planner {
 public:
  explicit Planner(const PackHost& host) : host_(host) {}

  void AddEntry(const std::string& text) {
    const Entry entry = SplitEntry(text, host_);
    const HostFileFacts facts = host_.Facts(entry.Path);
    if (!facts.Exists) throw EPackError("no such file or directory: " + entry.Path);
    const std::string placement = StoredPlacement(StoredName(host_, "the placement", entry.Placement));
    if (!IsSafePlacement(placement))
      throw EPackError("placement \"" + entry.Placement + "\" of " + entry.Path + " leaves the target directory");
    if (!facts.IsDirectory) {
      AddFile(entry.Path, facts, placement);
    } else if (IsToolTag(placement)) {
      throw EPackError("a PTOOL. placement belongs to a file, not to the directory " + entry.Path);
    } else {
      AddDirectory(entry.Path, placement, "", 0);
    }
  }

  std::vector<PackedFile> Files() && { return std::move(files_); }

 private:
  void AddDirectory(const std::string& directory, const std::string& prefix, const std::string& relative, int depth) {
    if (depth > kMaxDepth) throw EPackError("folders nested too deeply below " + directory);
    for (const std::string& name : host_.List(directory)) {
      std::string path = directory;
      path += host_.Separator();
      path += name;
      const HostFileFacts facts = host_.Facts(path);
      if (!facts.Exists) continue;  // a dangling link
      if (facts.IsDirectory) {
        const std::string stored = StoredName(host_, "the folder", name);
        if (!IsSafeFileName(stored)) throw EPackError("cannot store the folder \"" + name + "\" as a placement");
        AddDirectory(path, prefix, JoinPlacement(relative, stored), depth + 1);
      } else {
        AddFile(path, facts, JoinPlacement(prefix, relative));
      }
    }
  }

  void AddFile(const std::string& path, const HostFileFacts& facts, const std::string& placement) {
    const std::size_t cut = path.find_last_of(host_.Separator() == '\\' ? "\\/:" : "/");
    const std::string hostName = cut == std::string::npos ? path : path.substr(cut + 1);
    const std::string name = StoredName(host_, "the file", hostName);
    if (!IsSafeFileName(name))
      throw EPackError("cannot store \"" + hostName + "\": not a plain file name Windows can write");
    // Ordinary and tool files without a subdirectory land in the target
    // directory itself; the runner compares names without regard to case.
    const bool inTarget = placement.empty() || placement == "." || IsToolTag(placement);
    const std::string destination = LowerAscii((inTarget ? "" : placement + "\\") + name);
    if (!destinations_.insert(destination).second)
      throw EPackError("two files would be extracted as " + host_.HostText(inTarget ? name : placement + "\\" + name));

    // The folder a file came from is only recorded (the runner always names
    // its own target), so one outside the code page is kept as rendered.
    const std::string hostDir = host_.AbsolutePath(cut == std::string::npos ? "." : path.substr(0, cut + 1));
    std::string sourceDir = host_.StoredText(hostDir).value_or(host_.StoredRendering(hostDir));
    std::replace(sourceDir.begin(), sourceDir.end(), '/', '\\');
    if (sourceDir.empty() || sourceDir.back() != '\\') sourceDir += '\\';
    const PackHost& host = host_;
    files_.push_back(PackedFile{name, sourceDir, placement, facts.LastWriteTime, facts.Size,
                                [&host, path] { return host.OpenInput(path); }});
  }

  const PackHost& host_;
  std::vector<PackedFile> files_;
  std::set<std::string> destinations_;
};

}  // namespace

std::vector<PackedFile> PlanFiles(const std::vector<std::string>& entries, const PackHost& host) {
  Planner planner(host);
  for (const std::string& entry : entries) planner.AddEntry(entry);
  return std::move(planner).Files();
}

}  // namespace vnx
