#include "common/NativeFile.h"

#include "common/IoError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace NativeFile {

namespace {
[[noreturn]] void ThrowLastError()
{
    throw IoError(IoCodeFromErrno(errno));
}

void RefuseFolder(int fd)
{
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        throw IoError(IoCode::AccessDenied);
    }
}
}

Handle OpenForReading(const std::string& name)
{
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowLastError();
    RefuseFolder(fd);
    return fd;
}

Handle CreateForWriting(const std::string& name)
{
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        ThrowLastError();
    return fd;
}

std::size_t Read(Handle handle, char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(handle, buffer, size);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            ThrowLastError();
    }
}

void Write(Handle handle, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t put = ::write(handle, data, size);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError();
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
}

void Close(Handle handle)
{
    if (::close(handle) != 0 && errno != EINTR)
        ThrowLastError();
}

bool SameFile(const std::string& first, const std::string& second)
{
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev
        && a.st_ino == b.st_ino;
}

}
