#include "tools/vnxpack/branding/utf16_text.h"

namespace vnx {
namespace {

// What a lead byte starts: the sequence's length, the code point's bits the
// lead carries, and the smallest code point of that length (any below it is
// an overlong encoding).
struct Sequence {
  std::size_t Length;
  char32_t Bits;
  char32_t Smallest;
};

std::optional<Sequence> SequenceOf(unsigned char lead) {
  if (lead < 0x80) return Sequence{1, lead, 0};
  if ((lead & 0xE0) == 0xC0) return Sequence{2, lead & 0x1Fu, 0x80};
  if ((lead & 0xF0) == 0xE0) return Sequence{3, lead & 0x0Fu, 0x800};
  if ((lead & 0xF8) == 0xF0) return Sequence{4, lead & 0x07u, 0x10000};
  return std::nullopt;
}

}  // namespace

std::optional<std::u16string> Utf16FromUtf8(std::string_view text) {
  std::u16string wide;
  for (std::size_t at = 0; at < text.size();) {
    const auto sequence = SequenceOf(static_cast<unsigned char>(text[at]));
    if (!sequence || text.size() - at < sequence->Length) return std::nullopt;
    char32_t code = sequence->Bits;
    for (std::size_t k = 1; k < sequence->Length; ++k) {
      const auto next = static_cast<unsigned char>(text[at + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      code = code << 6 | (next & 0x3Fu);
    }
    if (code < sequence->Smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    if (code >= 0x10000) {
      code -= 0x10000;
      wide.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      wide.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      wide.push_back(static_cast<char16_t>(code));
    }
    at += sequence->Length;
  }
  return wide;
}

}  // namespace vnx
