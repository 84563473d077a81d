#pragma once

#include <cstddef>
#include <string>

// The operating system's file calls, each raising IoError when it fails.
namespace NativeFile {

#ifdef _WIN32
using Handle = void*;
#else
using Handle = int;
#endif

// Opens an existing file for reading, sharing reading with others. A folder
// is refused with "File access denied".
Handle OpenForReading(const std::string& name);

// Creates a file for writing, or truncates an existing one, sharing reading.
Handle CreateForWriting(const std::string& name);

// Reads up to size bytes; 0 at the end of the file.
std::size_t Read(Handle handle, char* buffer, std::size_t size);

// Writes all size bytes.
void Write(Handle handle, const char* data, std::size_t size);

// Closes the handle; it is released even when closing reports an error.
void Close(Handle handle);

// True when both names exist and lead to one file (through links, say).
bool SameFile(const std::string& first, const std::string& second);

#ifdef _WIN32
// The code the program reports for a Windows error (GetLastError).
int IoCodeFromWindowsError(unsigned long error);
#endif

}
