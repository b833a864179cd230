// The two dialog templates as the runner's executable carries them, read
// back from the compiled resources: every control's id, class, text, style,
// position and size, the dialogs' own styles, caption and font.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace vnx::test {
namespace {

struct Control {
  WORD id;
  std::string className, text;
  DWORD style;
  short x, y, cx, cy;
  bool operator==(const Control&) const = default;
};

struct Template {
  DWORD style = 0, exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::string caption, font;
  WORD pointSize = 0;
  std::vector<Control> controls;
};

// Reads the classic DLGTEMPLATE layout: a header, then menu, class and
// caption as strings or ordinals, the font, and DWORD-aligned items.
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : start_(data), at_(data) {}

  Template Read() {
    Template t;
    t.style = Take<DWORD>();
    t.exStyle = Take<DWORD>();
    const WORD count = Take<WORD>();
    t.x = Take<short>();
    t.y = Take<short>();
    t.cx = Take<short>();
    t.cy = Take<short>();
    TakeNameOrOrdinal();  // menu
    TakeNameOrOrdinal();  // class
    t.caption = TakeString();
    if (t.style & DS_SETFONT) {
      t.pointSize = Take<WORD>();
      t.font = TakeString();
    }
    for (WORD i = 0; i < count; ++i) t.controls.push_back(TakeControl());
    return t;
  }

 private:
  template <class T>
  T Take() {
    T value;
    std::memcpy(&value, at_, sizeof value);
    at_ += sizeof value;
    return value;
  }
  std::string TakeString() {
    std::string text;
    for (WORD c = Take<WORD>(); c != 0; c = Take<WORD>()) text += static_cast<char>(c);
    return text;
  }
  // An ordinal comes back as "#" and its number.
  std::string TakeNameOrOrdinal() {
    WORD first;
    std::memcpy(&first, at_, sizeof first);
    if (first == 0xFFFF) {
      at_ += 2;
      return "#" + std::to_string(Take<WORD>());
    }
    return TakeString();
  }
  void AlignTo4() { at_ = start_ + ((at_ - start_ + 3) & ~3); }

  Control TakeControl() {
    AlignTo4();
    Control c;
    c.style = Take<DWORD>();
    Take<DWORD>();  // extended style
    c.x = Take<short>();
    c.y = Take<short>();
    c.cx = Take<short>();
    c.cy = Take<short>();
    c.id = Take<WORD>();
    c.className = TakeNameOrOrdinal();
    // The predefined classes may be stored as their ordinals.
    if (c.className == "#128") c.className = "BUTTON";
    if (c.className == "#129") c.className = "EDIT";
    if (c.className == "#130") c.className = "STATIC";
    for (char& ch : c.className) ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
    c.text = TakeNameOrOrdinal();
    at_ += Take<WORD>();  // creation data
    return c;
  }

  const BYTE* start_;
  const BYTE* at_;
};

Template Load(const char* name) {
  const HRSRC resource = FindResourceA(nullptr, name, MAKEINTRESOURCEA(5));  // RT_DIALOG
  EXPECT_TRUE(resource) << name;
  if (!resource) return {};
  return TemplateReader(static_cast<const BYTE*>(LockResource(LoadResource(nullptr, resource)))).Read();
}

constexpr DWORD kDialogStyle = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

void ExpectDialog(const Template& t, short cx, short cy, const char* caption, const std::vector<Control>& controls) {
  EXPECT_EQ(t.style, kDialogStyle);
  EXPECT_EQ(t.exStyle, static_cast<DWORD>(WS_EX_CONTROLPARENT));
  EXPECT_EQ(t.x, 18);
  EXPECT_EQ(t.y, 39);
  EXPECT_EQ(t.cx, cx);
  EXPECT_EQ(t.cy, cy);
  EXPECT_EQ(t.caption, caption);
  EXPECT_EQ(t.font, "MS Sans Serif");
  EXPECT_EQ(t.pointSize, 1);
  ASSERT_EQ(t.controls.size(), controls.size());
  for (std::size_t i = 0; i < controls.size(); ++i)
    EXPECT_EQ(t.controls[i], controls[i]) << "control " << i << " (id " << controls[i].id << ")";
}

TEST(DialogTemplates, PasswordDialog) {
  ExpectDialog(Load("PW_DIALOG"), 190, 45, "Enter password",
               {{101, "EDIT", "", kChild | WS_BORDER | WS_TABSTOP | ES_PASSWORD, 8, 12, 177, 12},
                {4, "STATIC", "Password:", kChild | SS_LEFTNOWORDWRAP, 8, 2, 170, 8},
                {102, "BUTTON", "OK", kChild | WS_TABSTOP | BS_PUSHBUTTON, 104, 28, 37, 14},
                {103, "BUTTON", "Cancel", kChild | WS_TABSTOP | BS_PUSHBUTTON, 148, 28, 37, 14}});
}

TEST(DialogTemplates, SetupDialog) {
  const Template t = Load("SETUP_DIALOG");
  constexpr DWORD kHiddenBox = WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX;
  ExpectDialog(t, 209, 87, "Setup",
               {{12, "BUTTON", "Keyboard interaction", kHiddenBox, 11, 56, 100, 12},
                {11, "BUTTON", "Display right-click menu", kHiddenBox, 11, 45, 111, 12},
                {10, "BUTTON", "Mouse interaction", kHiddenBox | WS_VISIBLE, 11, 34, 103, 12},
                {3, "STATIC", t.controls.size() > 3 ? t.controls[3].text : "", kChild | SS_CENTER, 57, 6, 120, 17},
                {13, "BUTTON", "Sound mute", kHiddenBox, 146, 34, 60, 12},
                {14, "BUTTON", "Midi mute", kHiddenBox, 146, 45, 60, 12},
                {1, "STATIC", "", kChild | SS_ICON, 6, 4, 18, 20},
                {5, "STATIC", t.controls.size() > 7 ? t.controls[7].text : "", kChild | SS_LEFT, 5, 76, 42, 8},
                {4, "STATIC", "", kChild | SS_LEFT, 53, 76, 167, 8},
                {2, "STATIC", "Text", kChild | SS_WHITERECT, 6, 29, 201, 1}});
  // The title and the version are ours to word, but not to leave out.
  ASSERT_GT(t.controls.size(), 7u);
  EXPECT_FALSE(t.controls[3].text.empty());
  EXPECT_FALSE(t.controls[7].text.empty());
}

}  // namespace
}  // namespace vnx::test
