#pragma once
// Error kinds that leave a command. The dispatcher treats them by kind:
// a database error ends the program, a component error shows
// "Problem mit Component-Name", any other error shows its message.

#include <stdexcept>
#include <string>

namespace dn {

// Base of every error the module raises; the message is UTF-8 German text.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The store failed (open, statement, commit).
class DatabaseError : public Error {
  public:
    using Error::Error;
};

// The store is held by another writer: another program's connection that
// kept it past the busy wait, or another writing command. Not a
// DatabaseError on purpose: no importer may take it for a faulty record,
// skip the record and go on; it ends the command like a database error.
class StoreBusyError : public Error {
  public:
    using Error::Error;
};

// A host component (dialog, printer, chooser) failed.
class ComponentError : public Error {
  public:
    using Error::Error;
};

// Reading or writing one of the module's own files failed.
class IoError : public Error {
  public:
    using Error::Error;
};

// A question had to be asked but nobody can answer it (a script without
// a terminal and without an answer policy).
class UnansweredQuestion : public Error {
  public:
    using Error::Error;
};

// Bad value for a form field or a command-line argument.
class InputError : public Error {
  public:
    using Error::Error;
};

}  // namespace dn
