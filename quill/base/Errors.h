#pragma once
// The exception kinds of the program. Each carries a fixed, user-facing message
// text; the event dispatch shows it the way the window framework would.
#include <stdexcept>
#include <string>

namespace quill {

class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A picture file or clipboard image whose bytes cannot be decoded.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// An operation on a graphic that its state does not allow.
class EInvalidGraphicOperation : public Exception {
 public:
  using Exception::Exception;
};

class EOutOfMemory : public Exception {
 public:
  using Exception::Exception;
};

// A file that cannot be opened, read or written.
class EFileError : public Exception {
 public:
  using Exception::Exception;
};

// Misuse of an object by the program itself.
class EInternalError : public Exception {
 public:
  using Exception::Exception;
};

// The image library's own kinds.
class GIFException : public Exception {
 public:
  using Exception::Exception;
};

class ETransformError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace quill
