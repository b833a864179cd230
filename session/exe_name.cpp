#include "session/exe_name.h"

#include "common/text.h"

namespace vnx {

std::string FileNamePart(std::string_view path) {
  const auto cut = path.find_last_of("\\/:");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string ExeStemOf(std::string_view exeFileName) {
  const auto cut = FindIgnoringCase(exeFileName, ".exe");
  return cut == std::string_view::npos ? std::string() : std::string(exeFileName.substr(0, cut));
}

}  // namespace vnx
