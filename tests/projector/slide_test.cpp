// slide.txt: title, stage colour and stage size, and the warnings that keep a
// mistake visible while the slide still shows.

#include "projector/slide.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(Slide, DefaultsWithoutAFile) {
  const Slide slide = ParseSlide("");
  EXPECT_EQ(slide.Title, "Presentation");
  EXPECT_EQ(ColourText(slide.Colour), "#1F3B5C");
  EXPECT_EQ(slide.StageWidth, 640);
  EXPECT_EQ(slide.StageHeight, 480);
  EXPECT_TRUE(slide.Warnings.empty());
}

TEST(Slide, EveryKey) {
  const Slide slide = ParseSlide(
      "# the demo\r\n"
      "title = Quarterly results: 2 = more\r\n"
      "colour=#a0B1c2\r\n"
      "stage = 800 x 600\r\n");
  EXPECT_EQ(slide.Title, "Quarterly results: 2 = more");
  EXPECT_EQ(slide.Colour, (StageColour{0xA0, 0xB1, 0xC2}));
  EXPECT_EQ(slide.StageWidth, 800);
  EXPECT_EQ(slide.StageHeight, 600);
  EXPECT_TRUE(slide.Warnings.empty());
  EXPECT_EQ(ParseSlide("color=#000000").Colour, (StageColour{0, 0, 0}));
  EXPECT_EQ(ParseSlide("stage=64X4096").StageHeight, 4096);
  EXPECT_EQ(ParseSlide("title=").Title, "");
}

TEST(Slide, MistakesKeepTheDefaultAndBecomeWarnings) {
  struct Case {
    const char* text;
    const char* warning;
  } const cases[] = {
      {"colour=#12345", "slide.txt line 1: colour \"#12345\" is not #RRGGBB"},
      {"colour=123456", "slide.txt line 1: colour \"123456\" is not #RRGGBB"},
      {"colour=#12345G", "slide.txt line 1: colour \"#12345G\" is not #RRGGBB"},
      {"\nstage=800", "slide.txt line 2: stage \"800\" is not WIDTHxHEIGHT with sides from 64 to 4096"},
      {"stage=63x480", "slide.txt line 1: stage \"63x480\" is not WIDTHxHEIGHT with sides from 64 to 4096"},
      {"stage=640x4097", "slide.txt line 1: stage \"640x4097\" is not WIDTHxHEIGHT with sides from 64 to 4096"},
      {"stage=-640x480", "slide.txt line 1: stage \"-640x480\" is not WIDTHxHEIGHT with sides from 64 to 4096"},
      {"stage=x", "slide.txt line 1: stage \"x\" is not WIDTHxHEIGHT with sides from 64 to 4096"},
      {"size=800x600", "slide.txt line 1: unknown key \"size\""},
      {"Quarterly results", "slide.txt line 1: \"Quarterly results\" is not key=value"},
  };
  for (const auto& c : cases) {
    const Slide slide = ParseSlide(c.text);
    EXPECT_EQ(slide.Warnings, std::vector<std::string>{c.warning}) << c.text;
    EXPECT_EQ(ColourText(slide.Colour), "#1F3B5C") << c.text;
    EXPECT_EQ(slide.StageWidth, 640) << c.text;
    EXPECT_EQ(slide.StageHeight, 480) << c.text;
  }
}

TEST(Slide, GoodLinesStillCountBesideBadOnes) {
  const Slide slide = ParseSlide("title=Hello\ncolour=red\nstage=1024x768\n");
  EXPECT_EQ(slide.Title, "Hello");
  EXPECT_EQ(slide.StageWidth, 1024);
  EXPECT_EQ(slide.Warnings.size(), 1u);
}

TEST(Slide, LongTitleIsCut) {
  const std::string title(250, 'T');
  const Slide slide = ParseSlide("title=" + title);
  EXPECT_EQ(slide.Title, title.substr(0, 200));
  EXPECT_EQ(slide.Warnings, std::vector<std::string>{"slide.txt line 1: title cut to 200 characters"});
}

TEST(Slide, Colours) {
  EXPECT_EQ(ColourText({0x00, 0x7f, 0xFF}), "#007FFF");
  EXPECT_EQ(TextColourFor({0x1F, 0x3B, 0x5C}), (StageColour{0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(TextColourFor({0xF0, 0xF0, 0xE0}), (StageColour{0x20, 0x20, 0x20}));
  EXPECT_EQ(TextColourFor({0x00, 0xFF, 0x00}), (StageColour{0x20, 0x20, 0x20}));  // green is bright
  EXPECT_EQ(TextColourFor({0x00, 0x00, 0xFF}), (StageColour{0xFF, 0xFF, 0xFF}));  // blue is dark
  EXPECT_EQ(Blend({0, 100, 200}, {200, 100, 0}, 0), (StageColour{0, 100, 200}));
  EXPECT_EQ(Blend({0, 100, 200}, {200, 100, 0}, 25), (StageColour{50, 100, 150}));
  EXPECT_EQ(Blend({0, 100, 200}, {200, 100, 0}, 100), (StageColour{200, 100, 0}));
}

}  // namespace
}  // namespace vnx
