#pragma once
// The authoring tool's commands. Each takes its own arguments (after the
// command name), prints to out and err and returns the exit code: 0 done,
// 1 failed, 2 not understood.

#include <ostream>
#include <string>
#include <vector>

#include "tools/vnxpack/pack_host.h"

namespace vnx {

using Arguments = std::vector<std::string>;

int RunBuild(const Arguments& arguments, const PackHost& host, std::ostream& out, std::ostream& err);
int RunList(const Arguments& arguments, const PackHost& host, std::ostream& out, std::ostream& err);
int RunExtract(const Arguments& arguments, const PackHost& host, std::ostream& out, std::ostream& err);
int RunVerify(const Arguments& arguments, const PackHost& host, std::ostream& out, std::ostream& err);
int RunSettings(const Arguments& arguments, const PackHost& host, std::ostream& out, std::ostream& err);
int RunHashPassword(const Arguments& arguments, const PackHost& host, std::ostream& out, std::ostream& err);

}  // namespace vnx
