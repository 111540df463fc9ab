#pragma once
// The fatal file error of the DATANORM 5 reader. Raised for every fault that
// ends a file (wrong header, missing header, over-long field, refused
// customer number); the record frame catches it, shows its message and ends
// the file. The message is UTF-8 German text with "\n" line breaks.

#include "host/errors.h"

namespace dn {

class edatanormfehler : public Error {
  public:
    using Error::Error;
};

}  // namespace dn
