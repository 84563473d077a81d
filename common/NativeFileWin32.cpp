#include "common/NativeFile.h"

#include "common/IoError.h"

#include <windows.h>

#include <limits>

namespace NativeFile {

// Windows' error codes are the program's own, except that both of its
// "disk full" codes read "Disk full".
int IoCodeFromWindowsError(unsigned long error)
{
    switch (error) {
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return IoCode::DiskFull;
    default:
        return static_cast<int>(error);
    }
}

namespace {
[[noreturn]] void ThrowLastError()
{
    throw IoError(IoCodeFromWindowsError(GetLastError()));
}

HANDLE Open(const std::string& name, DWORD access, DWORD creation)
{
    const HANDLE handle = CreateFileA(name.c_str(), access, FILE_SHARE_READ, nullptr, creation,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        ThrowLastError();
    return handle;
}

DWORD ChunkSize(std::size_t size)
{
    constexpr std::size_t largest = std::numeric_limits<DWORD>::max();
    return static_cast<DWORD>(size < largest ? size : largest);
}
}

// A folder cannot be opened without backup semantics, so it is refused with
// ERROR_ACCESS_DENIED, "File access denied".
Handle OpenForReading(const std::string& name)
{
    return Open(name, GENERIC_READ, OPEN_EXISTING);
}

Handle CreateForWriting(const std::string& name)
{
    return Open(name, GENERIC_WRITE, CREATE_ALWAYS);
}

std::size_t Read(Handle handle, char* buffer, std::size_t size)
{
    DWORD got = 0;
    if (!ReadFile(handle, buffer, ChunkSize(size), &got, nullptr))
        ThrowLastError();
    return got;
}

// A write that stores fewer bytes than asked without an error code has run
// out of room.
void Write(Handle handle, const char* data, std::size_t size)
{
    while (size > 0) {
        DWORD put = 0;
        if (!WriteFile(handle, data, ChunkSize(size), &put, nullptr))
            ThrowLastError();
        if (put == 0)
            throw IoError(IoCode::DiskFull);
        data += put;
        size -= put;
    }
}

void Close(Handle handle)
{
    if (!CloseHandle(handle))
        ThrowLastError();
}

namespace {
bool IdentityOf(const std::string& name, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE file = CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return known;
}
}

bool SameFile(const std::string& first, const std::string& second)
{
    BY_HANDLE_FILE_INFORMATION a {};
    BY_HANDLE_FILE_INFORMATION b {};
    return IdentityOf(first, a) && IdentityOf(second, b) && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber
        && a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

}
