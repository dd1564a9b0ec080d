// The one kind of failure a script line can have: the driver reports it with the line number
// and stops with exit status 2.
#pragma once
#include <stdexcept>
#include <string>

namespace sg::script {

class ScriptError : public std::runtime_error {
 public:
  explicit ScriptError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace sg::script
