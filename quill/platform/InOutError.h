#pragma once
// The platform's file I/O failure: an error code with the system's short text
// for it ("File not found", "File access denied", "Disk full", ...), raised by
// operations whose callers report the text as it stands.
#include "quill/base/Errors.h"

namespace quill {

// System error codes the program distinguishes.
constexpr int kIoFileNotFound = 2;
constexpr int kIoPathNotFound = 3;
constexpr int kIoTooManyOpenFiles = 4;
constexpr int kIoAccessDenied = 5;
constexpr int kIoDiskFull = 112;
// Used when the C library gives no reason at all.
constexpr int kIoWriteFault = 29;
constexpr int kIoReadFault = 30;

class EInOutError : public Exception {
 public:
  explicit EInOutError(int errorCode);
  int ErrorCode() const { return errorCode_; }

 private:
  int errorCode_;
};

// The text for a code: the known codes above have their own text, any other
// reads "I/O error <code>".
std::string InOutErrorText(int errorCode);

// Which system error a failed C library call stands for, from its errno value.
enum TIoOperation { ioOpenForReading, ioCreate, ioRead, ioWrite, ioClose };
int InOutErrorCodeFromErrno(int errnoValue, TIoOperation operation);

}  // namespace quill
