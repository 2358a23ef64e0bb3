// What a cRegistry operation raises instead of returning failure: a number, the source that
// raised it and a description.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class RaisedError : public std::runtime_error {
 public:
  RaisedError(std::int32_t number, std::string source, std::string description);

  std::int32_t Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }

 private:
  std::int32_t number_;
  std::string source_;
  std::string description_;
};
