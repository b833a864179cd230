#include "dialogs/setup_choices.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace vnx {
namespace {

// The template's rows and columns: left column at x 16, right at x 219;
// rows at y 51, 67 and 83.
constexpr std::int32_t kLeft = 16, kRight = 219, kRow1 = 51, kRow2 = 67, kRow3 = 83;

SetupCheckBoxes Template(bool i, bool r, bool k, bool s, bool m) {
  return {{i, kLeft, kRow1}, {r, kLeft, kRow2}, {k, kLeft, kRow3}, {s, kRight, kRow1}, {m, kRight, kRow2}};
}

struct Place {
  std::int32_t left, top;
  bool operator==(const Place&) const = default;
};
Place Of(const CheckBoxPlace& box) { return {box.Left, box.Top}; }

TEST(SetupCheckBoxes, ShownBoxesFillTheirColumnsFromTheTop) {
  struct Case {
    const char* name;
    SetupCheckBoxes boxes;
    // Where the shown ones end up (hidden ones may move anywhere).
    std::map<const char*, Place> shown;
  } const cases[] = {
      {"all five",
       Template(true, true, true, true, true),
       {{"I", {kLeft, kRow1}},
        {"R", {kLeft, kRow2}},
        {"K", {kLeft, kRow3}},
        {"S", {kRight, kRow1}},
        {"M", {kRight, kRow2}}}},
      {"sound and midi only move to the left column",
       Template(false, false, false, true, true),
       {{"S", {kLeft, kRow1}}, {"M", {kLeft, kRow2}}}},
      {"midi only, alone on the left", Template(false, false, false, false, true), {{"M", {kLeft, kRow1}}}},
      {"keys only, up to the first row",
       Template(false, false, true, true, false),
       {{"K", {kLeft, kRow1}}, {"S", {kRight, kRow1}}}},
      {"right-click menu and keys without mouse",
       Template(false, true, true, false, false),
       {{"R", {kLeft, kRow1}}, {"K", {kLeft, kRow2}}}},
      {"mouse and keys",
       Template(true, false, true, false, true),
       {{"I", {kLeft, kRow1}}, {"K", {kLeft, kRow2}}, {"M", {kRight, kRow1}}}},
  };
  for (const Case& c : cases) {
    SetupCheckBoxes boxes = c.boxes;
    CloseCheckBoxGaps(boxes);
    const std::map<const char*, const CheckBoxPlace*> named{{"I", &boxes.Interaction},
                                                            {"R", &boxes.RightClickMenu},
                                                            {"K", &boxes.KeyInteraction},
                                                            {"S", &boxes.Sound},
                                                            {"M", &boxes.Midi}};
    for (const auto& [name, box] : named) {
      if (!box->Shown) continue;
      ASSERT_TRUE(c.shown.count(name)) << c.name << ": " << name;
      EXPECT_EQ(Of(*box), c.shown.at(name)) << c.name << ": " << name;
    }
  }
}

// A registry section in memory that records the order of reads and writes.
struct Store {
  std::map<std::string, bool> values;
  std::vector<std::string> log;
  bool Read(const std::string& name, bool fallback) {
    log.push_back("read " + name);
    return values.count(name) ? values.at(name) : fallback;
  }
  void Write(const std::string& name, bool value) {
    log.push_back("write " + name);
    values[name] = value;
  }
  bool Save(const StoredChoices& choices) {
    return SaveChoices(
        choices, [this](const std::string& n, bool d) { return Read(n, d); },
        [this](const std::string& n, bool v) { Write(n, v); });
  }
};

TUserChoice On() { return {true, true, true}; }
TUserChoice Off() { return {true, true, false}; }
TUserChoice Fixed(bool value) { return {false, false, value}; }

TEST(SetupChoices, AllFiveAreReadThenWrittenInOrder) {
  Store store;
  store.Save(ChoicesToStore(Off(), On(), Off(), Off(), Off()));
  EXPECT_EQ(store.log, (std::vector<std::string>{"read MouseExit", "read AnyKeyExit", "read Mute", "read MidiMute",
                                                 "read DisplayRightClickMenu", "write MouseExit", "write AnyKeyExit",
                                                 "write Mute", "write MidiMute", "write DisplayRightClickMenu"}));
}

// The choices in saving order are mouse, keys, sound, music, right-click menu.
TEST(SetupChoices, AChangeIsWhatTheViewerChangedFromWhatWasStored) {
  using Values = std::map<std::string, bool>;
  struct Case {
    const char* name;
    Values before;
    StoredChoices choices;
    bool changed;
    Values after;
  } const cases[] = {
      {"first run untouched: the defaults",
       {},
       ChoicesToStore(Off(), On(), Off(), Off(), Off()),
       false,
       {{"MouseExit", true},
        {"AnyKeyExit", false},
        {"Mute", false},
        {"MidiMute", false},
        {"DisplayRightClickMenu", false}}},
      {"first run, sound muted",
       {},
       ChoicesToStore(Off(), On(), On(), Off(), Off()),
       true,
       {{"MouseExit", true},
        {"AnyKeyExit", false},
        {"Mute", true},
        {"MidiMute", false},
        {"DisplayRightClickMenu", false}}},
      {"first run, mouse on",
       {},
       ChoicesToStore(On(), On(), Off(), Off(), Off()),
       true,
       {{"MouseExit", false},
        {"AnyKeyExit", false},
        {"Mute", false},
        {"MidiMute", false},
        {"DisplayRightClickMenu", false}}},
      {"stored, the same again",
       {{"Mute", true}, {"AnyKeyExit", true}},
       ChoicesToStore(Off(), Off(), On(), Off(), Off()),
       false,
       {{"MouseExit", true},
        {"AnyKeyExit", true},
        {"Mute", true},
        {"MidiMute", false},
        {"DisplayRightClickMenu", false}}},
      {"stored, music now muted",
       {{"MidiMute", false}},
       ChoicesToStore(Off(), On(), Off(), On(), Off()),
       true,
       {{"MouseExit", true},
        {"AnyKeyExit", false},
        {"Mute", false},
        {"MidiMute", true},
        {"DisplayRightClickMenu", false}}},
      // A fixed choice's value is stored as the presentation fixes it, but
      // nothing reads it: no reason to start the presentation again.
      {"fixed mouse differs from its stored value",
       {{"MouseExit", true}},
       ChoicesToStore(Fixed(true), On(), Off(), Off(), Fixed(true)),
       false,
       {{"MouseExit", false},
        {"AnyKeyExit", false},
        {"Mute", false},
        {"MidiMute", false},
        {"DisplayRightClickMenu", true}}},
  };
  for (const Case& c : cases) {
    Store store;
    store.values = c.before;
    EXPECT_EQ(store.Save(c.choices), c.changed) << c.name;
    EXPECT_EQ(store.values, c.after) << c.name;
  }
}

TEST(SetupChoices, AFailingWriteStopsTheSaveThere) {
  Store store;
  int writes = 0;
  EXPECT_THROW(SaveChoices(
                   ChoicesToStore(On(), On(), On(), On(), On()),
                   [&](const std::string& n, bool d) { return store.Read(n, d); },
                   [&](const std::string& n, bool v) {
                     if (++writes == 2) throw std::runtime_error("Failed to set data for '" + n + "'");
                     store.Write(n, v);
                   }),
               std::runtime_error);
  EXPECT_EQ(store.values.size(), 1u);
}

}  // namespace
}  // namespace vnx
