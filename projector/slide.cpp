#include "projector/slide.h"

#include <charconv>
#include <optional>

#include "projector/config_lines.h"

namespace vnx {
namespace {

std::string Warning(int line, const std::string& what) {
  return std::string(kSlideFileName) + " line " + std::to_string(line) + ": " + what;
}

std::optional<int> HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

std::optional<StageColour> ParseColour(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  std::uint8_t parts[3] = {};
  for (int i = 0; i < 3; ++i) {
    const auto high = HexDigit(text[1 + 2 * i]), low = HexDigit(text[2 + 2 * i]);
    if (!high || !low) return std::nullopt;
    parts[i] = static_cast<std::uint8_t>(*high * 16 + *low);
  }
  return StageColour{parts[0], parts[1], parts[2]};
}

std::optional<std::int32_t> ParseSide(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < kMinStageSide || value > kMaxStageSide) return std::nullopt;
  return value;
}

void ApplyStage(Slide& slide, int line, std::string_view value) {
  const std::size_t x = value.find_first_of("xX");
  const auto width = x == std::string_view::npos ? std::nullopt : ParseSide(Trimmed(value.substr(0, x)));
  const auto height = x == std::string_view::npos ? std::nullopt : ParseSide(Trimmed(value.substr(x + 1)));
  if (!width || !height) {
    slide.Warnings.push_back(Warning(line, "stage \"" + std::string(value) + "\" is not WIDTHxHEIGHT with sides from " +
                                               std::to_string(kMinStageSide) + " to " + std::to_string(kMaxStageSide)));
    return;
  }
  slide.StageWidth = *width;
  slide.StageHeight = *height;
}

void ApplyLine(Slide& slide, const ConfigLine& line) {
  const std::size_t equals = line.Text.find('=');
  if (equals == std::string_view::npos) {
    slide.Warnings.push_back(Warning(line.Number, "\"" + std::string(line.Text) + "\" is not key=value"));
    return;
  }
  const std::string_view key = Trimmed(line.Text.substr(0, equals)), value = Trimmed(line.Text.substr(equals + 1));
  if (key == "title") {
    slide.Title = std::string(value.substr(0, kMaxTitleLength));
    if (value.size() > kMaxTitleLength)
      slide.Warnings.push_back(Warning(line.Number, "title cut to " + std::to_string(kMaxTitleLength) + " characters"));
  } else if (key == "colour" || key == "color") {
    if (const auto colour = ParseColour(value))
      slide.Colour = *colour;
    else
      slide.Warnings.push_back(Warning(line.Number, "colour \"" + std::string(value) + "\" is not #RRGGBB"));
  } else if (key == "stage") {
    ApplyStage(slide, line.Number, value);
  } else {
    slide.Warnings.push_back(Warning(line.Number, "unknown key \"" + std::string(key) + "\""));
  }
}

}  // namespace

Slide ParseSlide(std::string_view text) {
  Slide slide;
  for (const ConfigLine& line : ConfigLines(text)) ApplyLine(slide, line);
  return slide;
}

std::string ColourText(StageColour colour) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "#";
  for (std::uint8_t part : {colour.Red, colour.Green, colour.Blue}) {
    text += kDigits[part >> 4];
    text += kDigits[part & 15];
  }
  return text;
}

StageColour TextColourFor(StageColour stage) {
  // Rec. 601 luma, in thousandths.
  const int luma = 299 * stage.Red + 587 * stage.Green + 114 * stage.Blue;
  return luma < 128 * 1000 ? StageColour{0xFF, 0xFF, 0xFF} : StageColour{0x20, 0x20, 0x20};
}

StageColour Blend(StageColour from, StageColour to, int percent) {
  const auto mix = [percent](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>(a + (b - a) * percent / 100);
  };
  return {mix(from.Red, to.Red), mix(from.Green, to.Green), mix(from.Blue, to.Blue)};
}

}  // namespace vnx
