#pragma once
// Writes the projector's event log (format in projector/log_format.h). Each
// event opens, appends and closes the file, so a test can read the log while
// the projector runs and nothing is lost when the process is killed.

#include <string>
#include <string_view>
#include <vector>

namespace vnx {

class EventLog {
 public:
  // Starts a fresh, empty log at path.
  void Open(std::string path);
  bool IsOpen() const { return !path_.empty(); }
  // Appends one event; does nothing while the log is not open. A log that
  // cannot be written is not a reason to stop the presentation.
  void Write(std::string_view key, std::string_view value) const;

 private:
  std::string path_;
};

// Process id, start-up information, current directory and the runner's
// variables followed by the extra ones.
void RecordStartup(const EventLog& log, const std::vector<std::string>& extraVariables);

}  // namespace vnx
