#pragma once
// What branding refuses, in plain English for the author: the stub, the icon
// or the version text, and what is wrong with it.

#include <stdexcept>

namespace vnx {

class EBrandingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vnx
