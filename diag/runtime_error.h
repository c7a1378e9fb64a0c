// runtime_error.h - the program's run-time error.
//
// Inside the load and the readers a failure is an exception of this one type.
// Its description is Japanese, says what failed and names the file (and the
// line, where there is one): the load's failure exit shows it to the player
// as it stands.
#pragma once

#include <stdexcept>
#include <string>

namespace nk {

class RuntimeError : public std::runtime_error {
public:
  explicit RuntimeError(const std::string& description) : std::runtime_error(description) {}
  const std::string description() const { return what(); }
};

}  // namespace nk
