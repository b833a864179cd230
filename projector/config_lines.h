#pragma once
// The small text files next to the projector are read line by line: blanks
// around a line are dropped, and empty lines and lines starting with "#" are
// comments.

#include <string_view>
#include <vector>

namespace vnx {

struct ConfigLine {
  int Number = 0;  // 1-based, as an editor shows it
  std::string_view Text;
};

// Accepts "\n", "\r\n" and "\r" line ends; the views point into text.
std::vector<ConfigLine> ConfigLines(std::string_view text);

// Text without blanks and tabs at either end.
std::string_view Trimmed(std::string_view text);

// Splits "keyword rest of line" at the first blank or tab; rest is trimmed.
struct KeywordAndRest {
  std::string_view Keyword;
  std::string_view Rest;
};
KeywordAndRest SplitKeyword(std::string_view line);

}  // namespace vnx
