// The error types of the game model; every error of the program derives from EKUVException.
#pragma once

#include <stdexcept>
#include <string>

// Base of all errors the program raises; carries only the message text.
class EKUVException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raised for grid positions outside a map and for coordinate texts the parser rejects.
class EIllegalCoordException : public EKUVException {
 public:
  using EKUVException::EKUVException;
};
