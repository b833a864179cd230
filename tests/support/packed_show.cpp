#include "tests/support/packed_show.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/system_text.h"
#include "session/session_writer.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {
namespace {

// The key of the executable's values, named by its whole stem (UTF-8).
std::wstring SectionKey(const std::string& stem) { return L"Software\\Orrindale\\" + WideFromUtf8(stem); }

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
  RegDeleteKeyW(HKEY_CURRENT_USER, SectionKey(stem_).c_str());
  if (!tempDirectory.empty()) SetString("Pellam Temp Directory", tempDirectory);
}

ShowRegistrySection::~ShowRegistrySection() { Remove(); }

void ShowRegistrySection::Remove() const { RegDeleteKeyW(HKEY_CURRENT_USER, SectionKey(stem_).c_str()); }

bool ShowRegistrySection::Exists() const {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey(stem_).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

namespace {

void SetValue(const std::string& stem, const std::string& name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(
      RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(stem).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

}  // namespace

void ShowRegistrySection::SetString(const std::string& name, const std::string& value) const {
  SetValue(stem_, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void ShowRegistrySection::SetNumber(const std::string& name, DWORD value) const {
  SetValue(stem_, name, REG_DWORD, &value, sizeof value);
}

std::optional<std::string> ShowRegistrySection::GetString(const std::string& name) const {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey(stem_).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return std::nullopt;
  char text[256] = {};
  DWORD type = 0, size = sizeof text - 1;
  const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::string(text);
}

}  // namespace vnx::test
