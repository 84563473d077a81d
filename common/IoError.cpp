#include "common/IoError.h"

#include <cerrno>

std::string IoErrorMessage(int code)
{
    switch (code) {
    case IoCode::FileNotFound: return "File not found";
    case IoCode::InvalidFilename: return "Invalid filename";
    case IoCode::TooManyOpenFiles: return "Too many open files";
    case IoCode::AccessDenied: return "File access denied";
    case IoCode::ReadBeyondEnd: return "Read beyond end of file";
    case IoCode::DiskFull: return "Disk full";
    case IoCode::InvalidNumericInput: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
    }
}

int IoCodeFromErrno(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return IoCode::FileNotFound;
    case ENAMETOOLONG:
        return IoCode::InvalidFilename;
    case EMFILE:
    case ENFILE:
        return IoCode::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
        return IoCode::AccessDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return IoCode::DiskFull;
    default:
        return err;
    }
}

IoError::IoError(int code)
    : std::runtime_error(IoErrorMessage(code))
    , code_(code)
{
}
