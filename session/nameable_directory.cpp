#include "session/nameable_directory.h"

#include "session/per_user_values.h"

namespace vnx {
namespace {

constexpr char kWhy[] =
    ": its name cannot be written in this system's code page, and no short name of it that can was found.";

}  // namespace

std::optional<std::string> NameableForm(const DirectoryNames& names) { return names.Exact ? names.Exact : names.Short; }

TempBaseChoice ChooseTempBase(const std::optional<DirectoryNames>& viewerValue, const DirectoryNames& systemTemp,
                              std::string_view perUserKey, LeadBytePredicate isLead) {
  // An empty value would put the session's files into whatever the current
  // directory is; it counts as no value.
  const bool viewersOwn = viewerValue && !viewerValue->Whole.empty();
  const DirectoryNames& chosen = viewersOwn ? *viewerValue : systemTemp;
  if (const auto nameable = NameableForm(chosen)) return {WithTrailingBackslash(*nameable, isLead), {}};
  const std::string value = std::string("\"") + kTempDirectoryValue + "\" under " + std::string(perUserKey);
  if (viewersOwn)
    return {std::nullopt, "Cannot use the temporary directory " + chosen.Whole + " set as " + value + kWhy +
                              " Set it to a directory whose name can, for example C:\\Temp."};
  return {std::nullopt, "Cannot use the temporary directory " + chosen.Whole + kWhy + " Set the value " + value +
                            " to a directory whose name can, for example C:\\Temp."};
}

}  // namespace vnx
