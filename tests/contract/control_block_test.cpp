#include "contract/control_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace vnx {
namespace {

TEST(ShortString, RoundTripsAndCutsTo255Characters) {
  struct Case {
    std::string text;
    std::size_t stored;
  } const cases[] = {
      {"", 0},
      {"C:\\Program Files\\Browser\\browse.exe -nohome", 43},
      {std::string(255, 'x'), 255},
      {std::string(256, 'y'), 255},
      {std::string(1000, 'z'), 255},
  };
  for (const Case& c : cases) {
    ShortString field;
    std::memset(&field, 0xAB, sizeof field);  // stale content must not leak through
    WriteShortString(field, c.text);
    EXPECT_EQ(static_cast<std::size_t>(field.Length), c.stored) << c.text.size();
    EXPECT_EQ(ReadShortString(field), c.text.substr(0, c.stored));
    for (std::size_t i = c.stored; i < sizeof field.Text; ++i) {
      ASSERT_EQ(field.Text[i], 0) << c.text.size() << " at " << i;
    }
  }
}

TEST(ShortString, KeepsEmbeddedBytesOfTheCodePage) {
  const std::string text("Pr\xE4sentation\0x", 14);
  ShortString field{};
  WriteShortString(field, text);
  EXPECT_EQ(ReadShortString(field), text);
}

TEST(ShortString, ReadsEveryLengthByteWithinTheField) {
  // Whatever another process left in the length byte, reading stays inside.
  ShortString field;
  std::memset(field.Text, 'q', sizeof field.Text);
  field.Length = 255;
  EXPECT_EQ(ReadShortString(field), std::string(255, 'q'));
}

TEST(ControlBlockFields, StringsOfTheBlockSitAtTheirOffsets) {
  ControlBlock block{};
  WriteShortString(block.DdeTopic, "WWW_OpenURL");
  const auto* bytes = reinterpret_cast<const unsigned char*>(&block);
  EXPECT_EQ(bytes[884], 11);
  EXPECT_EQ(std::memcmp(bytes + 885, "WWW_OpenURL", 11), 0);
  block.MenuDeleteItems[49] = 0x01020304;
  EXPECT_EQ(bytes[1340], 0x04);  // little-endian, last entry ends at 1343
  EXPECT_EQ(bytes[1343], 0x01);
}

TEST(InstanceNames, SuffixAndMappingNameFollowTheInstanceNumber) {
  struct Case {
    std::int32_t instance;
    const char* suffix;
  } const cases[] = {
      {0, "_VNX_RT"}, {1, "_VNX_RT1"}, {2, "_VNX_RT2"}, {12, "_VNX_RT12"}, {2147483647, "_VNX_RT2147483647"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InstanceSuffixFor(c.instance), c.suffix);
    EXPECT_EQ(MappingNameFor(c.instance), std::string("OrrindaleRunnerMapping") + c.suffix);
    EXPECT_STREQ(FixedMappingNameFor(c.instance).Text, MappingNameFor(c.instance).c_str());
  }
}

TEST(InstanceNames, SizesOfTheMappingAndItsView) {
  EXPECT_EQ(kControlBlockMappingSize, 11352u);
  EXPECT_EQ(kControlBlockViewSize, 1352u);
}

TEST(InstanceNames, WorkingDirectoryNameGivesTheInstance) {
  struct Case {
    const char* name;
    std::optional<std::int32_t> instance;
  } const cases[] = {
      {"Vnx_Rt", 0},
      {"Vnx_Rt1", 1},
      {"Vnx_Rt12", 12},
      {"VNX_RT3", 3},  // the file system ignores letter case
      {"vnx_rt", 0},
      {"Vnx_Rt2147483647", 2147483647},
      {"Vnx_Rt2147483648", std::nullopt},  // beyond any instance number
      {"Vnx_Rt0", std::nullopt},           // instance 0 carries no number
      {"Vnx_Rt01", std::nullopt},
      {"Vnx_Rt1a", std::nullopt},
      {"Vnx_Rt-1", std::nullopt},
      {"Vnx_R", std::nullopt},
      {"Vnx_Rtx", std::nullopt},
      {"XVnx_Rt", std::nullopt},
      {"", std::nullopt},
      {"Temp", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InstanceFromWorkDirName(c.name), c.instance) << c.name;
    const std::optional<std::string> suffix = InstanceSuffixFromWorkDirName(c.name);
    if (c.instance) {
      EXPECT_EQ(suffix, InstanceSuffixFor(*c.instance)) << c.name;
    } else {
      EXPECT_FALSE(suffix) << c.name;
    }
  }
}

}  // namespace
}  // namespace vnx
