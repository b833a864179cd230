#pragma once
// The runner's exceptions. Each carries the exact English message the user
// sees in the main loop's report ("Exception occured: " + message).

#include <stdexcept>
#include <string>

namespace vnx {

class ERunnerError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be opened for reading: "Cannot open file <path>".
class EFOpenError : public ERunnerError {
 public:
  explicit EFOpenError(const std::string& path) : ERunnerError("Cannot open file " + path) {}
};

// A file that cannot be created: "Cannot create file <path>".
class EFCreateError : public ERunnerError {
 public:
  explicit EFCreateError(const std::string& path) : ERunnerError("Cannot create file " + path) {}
};

// A stream that ends before the bytes it must deliver: "Stream read error".
class EReadError : public ERunnerError {
 public:
  EReadError() : ERunnerError("Stream read error") {}
};

// A failure whose message names something of the system's own text that the
// code page may not be able to write (a folder in another script): the
// message is UTF-8, and the reports show it whole.
class EWholeMessage : public ERunnerError {
 public:
  using ERunnerError::ERunnerError;
};

// A list read past its end: "List index out of bounds (<index>)".
class EListError : public ERunnerError {
 public:
  explicit EListError(int index) : ERunnerError("List index out of bounds (" + std::to_string(index) + ")") {}
};

}  // namespace vnx
