#pragma once
// The presentation's optional BeforeShow command: a library whose export
// "BeforeShow" is called, or a program that is started, once the projector's
// window has been found and before it is shown.

#include <string>
#include <string_view>

namespace vnx {

struct BeforeShowCommand {
  enum class Kind { None, Library, Program };
  Kind kind = Kind::None;
  std::string file;       // relative to the working directory
  std::string arguments;  // the text after the first blank
};

// The file part is the text before the first blank; its extension, in any
// letter case, says what it is.
BeforeShowCommand ParseBeforeShow(std::string_view text);

}  // namespace vnx
