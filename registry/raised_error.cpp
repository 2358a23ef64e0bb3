#include "registry/raised_error.h"

#include <utility>

RaisedError::RaisedError(std::int32_t number, std::string source, std::string description)
    : std::runtime_error("error " + std::to_string(number) + ": " + description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}
