#include "Baselines.h"

#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

void ReadAndSplit(const char* path, std::string& bytes, std::vector<std::string_view>& lines)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0)
        throw std::runtime_error(std::string("cannot open ") + path);
    bytes.resize(static_cast<std::size_t>(info.st_size));
    const ssize_t got = ::read(fd, bytes.data(), bytes.size());
    ::close(fd);
    if (got != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error(std::string("cannot read ") + path);

    const char* pos = bytes.data();
    const char* const end = pos + bytes.size();
    while (pos < end) {
        const auto* newline = static_cast<const char*>(std::memchr(pos, '\n', static_cast<std::size_t>(end - pos)));
        const char* stop = newline ? newline : end;
        const char* lineEnd = stop > pos && stop[-1] == '\r' ? stop - 1 : stop;
        lines.emplace_back(pos, static_cast<std::size_t>(lineEnd - pos));
        pos = stop + 1;
    }
}

int ScanForLine(std::string_view bytes, std::string_view linePrefix)
{
    const char* pos = bytes.data();
    const char* const end = pos + bytes.size();
    for (int line = 1; pos < end; ++line) {
        const std::size_t left = static_cast<std::size_t>(end - pos);
        if (left >= linePrefix.size() && std::memcmp(pos, linePrefix.data(), linePrefix.size()) == 0)
            return line;
        const auto* newline = static_cast<const char*>(std::memchr(pos, '\n', left));
        if (!newline)
            break;
        pos = newline + 1;
    }
    return 0;
}
