#include "session/settings_json.h"

#include <cstdio>

#include "session/settings_keys.h"

namespace vnx {
namespace {

class JsonObjectWriter {
 public:
  void Member(const std::string& key, const std::string& jsonValue) {
    text_ += first_ ? "{\n" : ",\n";
    first_ = false;
    text_ += "  " + JsonString(key) + ": " + jsonValue;
  }
  std::string Finish() { return (first_ ? std::string("{") : text_ + "\n") + "}\n"; }

 private:
  std::string text_;
  bool first_ = true;
};

std::string Bool(bool value) { return value ? "true" : "false"; }

std::string Choice(const TUserChoice& choice) {
  return "{\"UserChoice\": " + Bool(choice.UserChoice) + ", \"ChoiceEnabled\": " + Bool(choice.ChoiceEnabled) +
         ", \"Value\": " + Bool(choice.Value) + "}";
}

std::string Items(const RightMenuDeleteList& items) {
  std::string text = "[";
  for (std::size_t i = 0; i < items.size(); ++i) text += (i ? ", " : "") + std::to_string(items[i]);
  return text + "]";
}

}  // namespace

std::string JsonString(const std::string& bytes) {
  std::string text = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      text += escape;
    } else {
      text += c;
    }
  }
  return text + "\"";
}

std::string SettingsAsJson(const PresentationSettings& settings) {
  PresentationSettings copy = settings;
  const SettingsDestinations s = SettingsDestinationsOf(copy);
  JsonObjectWriter json;
  json.Member("Major", std::to_string(*s.Major));
  json.Member("BeforeShow", JsonString(*s.BeforeShow));
  json.Member("Pellam Screen Name", JsonString(*s.ScreenName));
  json.Member("Password", Bool(*s.Password));
  json.Member("AlignmentX", std::to_string(*s.AlignmentX));
  json.Member("PWEditLabel", JsonString(*s.PWEditLabel));
  json.Member("PWrong", JsonString(*s.PWrong));
  json.Member("HideCursor", Bool(*s.HideCursor));
  json.Member("RightMenuDeleteItems", Items(*s.RightMenuDeleteItems));
  json.Member("CurrentDir", std::to_string(*s.CurrentDir));
  for (const SwitchKey& key : kSwitchKeys) json.Member(key.Key, Bool((s.*key.Destination)->Value));
  for (const IntegerKey& key : kWindowKeys) json.Member(key.Key, std::to_string(*(s.*key.Destination)));
  for (const UserChoiceKey& key : kUserChoiceKeys) json.Member(key.Key, Choice(*(s.*key.Destination)));
  return json.Finish();
}

}  // namespace vnx
