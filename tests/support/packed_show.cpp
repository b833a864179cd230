#include "tests/support/packed_show.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "session/session_writer.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {
namespace {

constexpr char kPerUserKey[] = "Software\\Orrindale";

std::string SectionKey(const std::string& stem) { return std::string(kPerUserKey) + "\\" + stem; }

}  // namespace

std::string BuiltProgramBytes(const std::string& fileName) {
  const auto bytes = ReadFileText(BuiltProgram(fileName));
  EXPECT_TRUE(bytes) << fileName;
  return bytes.value_or(std::string());
}

void PackShow(const std::string& stubPath, const std::string& outPath, const std::vector<ShowFile>& files) {
  ASSERT_TRUE(CopyFileA(stubPath.c_str(), outPath.c_str(), FALSE)) << stubPath;
  PackedSession session;
  for (const ShowFile& file : files) {
    PackedFile packed;
    packed.Name = file.Name;
    packed.SourceDir = "C:\\authoring\\";
    packed.Placement = file.Placement;
    packed.LastWriteTime = 0x01D5000000000000ull;
    packed.Size = static_cast<std::int64_t>(file.Content.size());
    packed.Open = [content = file.Content] { return std::make_unique<std::istringstream>(content); };
    session.Files.push_back(std::move(packed));
  }
  std::fstream out(outPath, std::ios::in | std::ios::out | std::ios::binary);
  ASSERT_TRUE(out) << outPath;
  out.seekp(0, std::ios::end);
  WriteSession(out, session);
  ASSERT_TRUE(out.flush()) << outPath;
}

ShowRegistrySection::ShowRegistrySection(std::string exeStem, const std::string& tempDirectory)
    : stem_(std::move(exeStem)) {
  RegDeleteKeyA(HKEY_CURRENT_USER, SectionKey(stem_).c_str());
  SetString("Pellam Temp Directory", tempDirectory);
}

ShowRegistrySection::~ShowRegistrySection() { RegDeleteKeyA(HKEY_CURRENT_USER, SectionKey(stem_).c_str()); }

void ShowRegistrySection::SetString(const std::string& name, const std::string& value) const {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SectionKey(stem_).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

}  // namespace vnx::test
