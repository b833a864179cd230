// Arbitrary bytes as a presentation's settings file, read the way the runner
// reads it (every key in order, then the viewer's values, here taken from a
// section "PerUser" of the same bytes) and printed the way `vnxpack settings`
// prints it. It must never crash, hang or allocate without bound; every
// integer key must read as its text's integer or as its default; the JSON
// must be plain ASCII and well formed.

#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

#include "session/ini_file.h"
#include "session/per_user_values.h"
#include "session/settings_json.h"
#include "session/settings_reader.h"

namespace {

// The viewer's stored values, as the same INI rules would give them.
class SectionValues final : public vnx::PerUserValues {
 public:
  explicit SectionValues(const vnx::IniFile& file) : file_(file) {}
  bool ReadBool(const std::string& name, bool defaultValue) override {
    const auto text = file_.Find("PerUser", name);
    return text ? vnx::BoolFromText(*text, defaultValue) : defaultValue;
  }
  std::string ReadString(const std::string& name, const std::string& defaultValue) override {
    return file_.ReadString("PerUser", name, defaultValue);
  }

 private:
  const vnx::IniFile& file_;
};

// A small JSON reader that accepts exactly the grammar: objects, arrays,
// strings with escapes, numbers, true, false, null.
class JsonChecker {
 public:
  explicit JsonChecker(std::string_view text) : text_(text) {}
  bool WellFormed() {
    SkipBlanks();
    if (!Value()) return false;
    SkipBlanks();
    return at_ == text_.size();
  }

 private:
  bool Value() {
    if (++depth_ > 16) return false;
    bool ok = false;
    if (Peek('{'))
      ok = Object();
    else if (Peek('['))
      ok = Array();
    else if (Peek('"'))
      ok = String();
    else if (Word("true") || Word("false") || Word("null"))
      ok = true;
    else
      ok = Number();
    --depth_;
    return ok;
  }
  bool Object() {
    ++at_;
    SkipBlanks();
    if (Take('}')) return true;
    do {
      SkipBlanks();
      if (!String()) return false;
      SkipBlanks();
      if (!Take(':')) return false;
      SkipBlanks();
      if (!Value()) return false;
      SkipBlanks();
    } while (Take(','));
    return Take('}');
  }
  bool Array() {
    ++at_;
    SkipBlanks();
    if (Take(']')) return true;
    do {
      SkipBlanks();
      if (!Value()) return false;
      SkipBlanks();
    } while (Take(','));
    return Take(']');
  }
  bool String() {
    if (!Take('"')) return false;
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') continue;
      if (at_ >= text_.size()) return false;
      const char escape = text_[at_++];
      if (escape == 'u') {
        for (int i = 0; i < 4; ++i)
          if (at_ >= text_.size() || !std::isxdigit(static_cast<unsigned char>(text_[at_++]))) return false;
      } else if (std::string_view("\"\\/bfnrt").find(escape) == std::string_view::npos) {
        return false;
      }
    }
    return false;
  }
  bool Number() {
    const std::size_t start = at_;
    Take('-');
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
    return at_ > start && text_[at_ - 1] != '-';
  }
  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }
  bool Peek(char c) const { return at_ < text_.size() && text_[at_] == c; }
  bool Take(char c) {
    if (!Peek(c)) return false;
    ++at_;
    return true;
  }
  void SkipBlanks() {
    while (at_ < text_.size() && std::string_view(" \n\r\t").find(text_[at_]) != std::string_view::npos) ++at_;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  int depth_ = 0;
};

void CheckIntegers(const vnx::IniFile& file) {
  for (const char* key : {"Width", "Height", "Left", "Top", "AlignmentX", "MidiLoopTimes", "Interaction", "Password"}) {
    const auto text = file.Find("Settings", key);
    const auto parsed = text ? vnx::ParseIniInteger(*text) : std::nullopt;
    if (file.ReadInteger("Settings", key, 4242) != parsed.value_or(4242)) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vnx::IniFile file(text);
  vnx::PresentationSettings settings;
  const vnx::SettingsDestinations destinations = vnx::SettingsDestinationsOf(settings);
  vnx::ApplySettingsFile(file, destinations, "Show.exe");
  SectionValues viewer(file);
  vnx::ApplyPerUserChoices(destinations, viewer);
  CheckIntegers(file);
  const std::string json = vnx::SettingsAsJson(settings);
  for (const char c : json)
    if (static_cast<unsigned char>(c) > 0x7E) __builtin_trap();
  if (!JsonChecker(json).WellFormed()) __builtin_trap();
  return 0;
}
