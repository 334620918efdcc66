#include "quill/platform/InOutError.h"

#include <cerrno>
#include <string>

namespace quill {

EInOutError::EInOutError(int errorCode) : Exception(InOutErrorText(errorCode)), errorCode_(errorCode) {}

std::string InOutErrorText(int errorCode) {
  switch (errorCode) {
    case kIoFileNotFound:
      return "File not found";
    case kIoPathNotFound:
      return "Path not found";
    case kIoTooManyOpenFiles:
      return "Too many open files";
    case kIoAccessDenied:
      return "File access denied";
    case kIoDiskFull:
      return "Disk full";
    default:
      return "I/O error " + std::to_string(errorCode);
  }
}

int InOutErrorCodeFromErrno(int errnoValue, TIoOperation operation) {
  switch (errnoValue) {
    case ENOENT:
      // Creating a file only fails this way when a folder on the way is missing.
      return operation == ioCreate ? kIoPathNotFound : kIoFileNotFound;
    case ENOTDIR:
      return kIoPathNotFound;
    case EMFILE:
    case ENFILE:
      return kIoTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
      return kIoAccessDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return kIoDiskFull;
    default:
      return operation == ioRead || operation == ioOpenForReading ? kIoReadFault : kIoWriteFault;
  }
}

}  // namespace quill
