// The settings as the authoring tool prints them.

#include "session/settings_json.h"

#include <gtest/gtest.h>

#include "session/settings_reader.h"

namespace vnx {
namespace {

TEST(SettingsJson, OneMemberPerKeyInReadingOrder) {
  PresentationSettings s;
  const SettingsDestinations d = SettingsDestinationsOf(s);
  ApplySettingsFile(IniFile("[ProjectorVersion]\nMajor=327680\n[RightMenuDeleteItems]\nCount=2\n0=5\n1=-6\n"
                            "[Settings]\nPellam Screen Name=Demo \"1\"\nSound=0\nMidiLoopTimes=0\n"),
                    d, "demo.exe");
  NoPerUserValues none;
  ApplyPerUserChoices(d, none);
  const std::string json = SettingsAsJson(s);
  const char* const members[] = {
      "\"Major\": 327680",
      "\"BeforeShow\": \"\"",
      "\"Pellam Screen Name\": \"Demo \\\"1\\\"\"",
      "\"Password\": true",
      "\"PWEditLabel\": \"Please enter password:\"",
      "\"HideCursor\": false",
      "\"RightMenuDeleteItems\": [5, -6, 0,",
      "\"DLL\": true",
      "\"FullScreen\": false",
      "\"Width\": 640",
      "\"MidiLoopTimes\": 0",
      "\"Sound\": {\"UserChoice\": false, \"ChoiceEnabled\": true, \"Value\": true}",
      "\"Interaction\": {\"UserChoice\": true, \"ChoiceEnabled\": true, \"Value\": false}",
      "\"KeyInteraction\": {\"UserChoice\": true, \"ChoiceEnabled\": true, \"Value\": true}",
  };
  std::size_t last = 0;
  for (const char* member : members) {
    const std::size_t at = json.find(member);
    ASSERT_NE(at, std::string::npos) << member << "\n" << json;
    EXPECT_GT(at, last) << member;  // in reading order
    last = at;
  }
  EXPECT_EQ(json.find("Count"), std::string::npos);
  EXPECT_EQ(json.front(), '{');
  EXPECT_EQ(json.substr(json.size() - 2), "}\n");
}

TEST(SettingsJson, StringsStayPlainAscii) {
  EXPECT_EQ(JsonString("a\\b\"c"), "\"a\\\\b\\\"c\"");
  EXPECT_EQ(JsonString("x\ty\x01"), "\"x\\u0009y\\u0001\"");
  EXPECT_EQ(JsonString("\x95\x5C"), "\"\\u0095\\\\\"");
}

}  // namespace
}  // namespace vnx
