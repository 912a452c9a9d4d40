// The errors of the data files: opening, creating, writing and reading.
#pragma once

#include "model/Exception.h"

// A file that cannot be opened for reading. Start-up tells a missing map file by
// this type alone, so no other failure may use it.
class EFileOpenError : public EKUVException {
 public:
  using EKUVException::EKUVException;
};

// A file that cannot be created or put in place of the old one when writing.
class EFileCreateError : public EKUVException {
 public:
  using EKUVException::EKUVException;
};

// Writing or syncing a created file failed, for example on a full disk.
class EFileWriteError : public EKUVException {
 public:
  using EKUVException::EKUVException;
};

// A value stream that does not hold what its reader asks for, or a file whose bytes
// cannot be read.
class EReadError : public EKUVException {
 public:
  using EKUVException::EKUVException;
};
