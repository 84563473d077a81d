#pragma once

#include <stdexcept>
#include <string>

// Error codes of the file layer, beside the operating system's own.
namespace IoCode {
inline constexpr int FileNotFound = 2;
inline constexpr int InvalidFilename = 3;
inline constexpr int TooManyOpenFiles = 4;
inline constexpr int AccessDenied = 5;
inline constexpr int ReadBeyondEnd = 100;
inline constexpr int DiskFull = 101;
inline constexpr int InvalidNumericInput = 106;
}

// The message the program shows for an I/O error code.
std::string IoErrorMessage(int code);

// Maps an errno value to the code the program reports for it.
int IoCodeFromErrno(int err);

// Raised at the failing open, read, write or close of a text file.
class IoError : public std::runtime_error {
public:
    explicit IoError(int code);
    int Code() const { return code_; }

private:
    int code_;
};
