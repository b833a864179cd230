#pragma once
// An author's icon file and the authoring tool, for tests that brand a copy
// of the runner as vnxpack does.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace vnx::test {

// An icon file of opaque 32-bit images, each of one colour and side x side.
std::string IconFile(const std::vector<std::pair<int, COLORREF>>& images);

struct Tool {
  int Code;
  std::string Err;
};
// vnxpack with these arguments, in this process.
Tool Vnxpack(const std::vector<std::string>& arguments);

}  // namespace vnx::test
