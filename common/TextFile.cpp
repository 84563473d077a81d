#include "common/TextFile.h"

#include <cstring>

namespace {
constexpr std::size_t BufferSize = 64 * 1024;
constexpr char EndOfText = '\x1A';

// Whether the bytes hold no 1A and no CR but those right before an LF: each
// line in them is then its bytes, less the CR before its LF. A CR at the very
// end may be half of a CR LF cut by the buffer's end, so it does not count as
// plain. One loop over all bytes without an early exit: it compiles to vector
// code.
bool HoldsPlainLines(const char* data, std::size_t size)
{
    if (size == 0)
        return true;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    unsigned char special = bytes[size - 1] == '\r' || bytes[size - 1] == EndOfText;
    for (std::size_t i = 0; i + 1 < size; ++i) {
        const bool loneCr = (bytes[i] == '\r') & (bytes[i + 1] != '\n');
        special |= static_cast<unsigned char>((bytes[i] == EndOfText) | loneCr);
    }
    return special == 0;
}
}

TextFileReader::TextFileReader(const std::string& name)
    : handle_(NativeFile::OpenForReading(name))
    , buffer_(BufferSize)
{
}

TextFileReader::~TextFileReader()
{
    if (!open_)
        return;
    try {
        NativeFile::Close(handle_);
    } catch (...) {
        // Already failing: the first error is the one reported.
    }
}

bool TextFileReader::Fill()
{
    pos_ = 0;
    end_ = NativeFile::Read(handle_, buffer_.data(), buffer_.size());
    plainBuffer_ = HoldsPlainLines(buffer_.data(), end_);
    return end_ > 0;
}

void TextFileReader::ReadLine(std::string& line)
{
    line.clear();
    AppendLine(line);
}

void TextFileReader::AppendLineInParts(std::string& line)
{
    while (!AtEnd()) {
        const char* start = buffer_.data() + pos_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
        const std::size_t length = newline ? static_cast<std::size_t>(newline - start) : end_ - pos_;
        pos_ += length;
        const std::string_view part(start, length);
        if (plainBuffer_) {
            // A CR here can only be the one before the LF.
            line.append(start, part.ends_with('\r') ? length - 1 : length);
        } else if (const auto* stop = static_cast<const char*>(std::memchr(start, EndOfText, length))) {
            AppendLinePart(line, part.substr(0, static_cast<std::size_t>(stop - start)));
            if (!newline)
                SkipRestOfLine();
            if (pos_ < end_)
                ++pos_;
            return;
        } else {
            AppendLinePart(line, part);
        }
        if (newline) {
            ++pos_;
            return;
        }
    }
}

std::string TextFileReader::ReadLine()
{
    std::string line;
    ReadLine(line);
    return line;
}

// A CR is never part of a line: before LF it ends the line, alone it is dropped.
void TextFileReader::AppendLinePart(std::string& line, std::string_view part)
{
    for (;;) {
        const std::size_t cr = part.find('\r');
        line.append(part.substr(0, cr));
        if (cr == std::string_view::npos)
            return;
        part.remove_prefix(cr + 1);
    }
}

void TextFileReader::SkipRestOfLine()
{
    while (!AtEnd()) {
        const auto* newline = static_cast<const char*>(std::memchr(buffer_.data() + pos_, '\n', end_ - pos_));
        if (newline) {
            pos_ = static_cast<std::size_t>(newline - buffer_.data());
            return;
        }
        pos_ = end_;
    }
}

void TextFileReader::Close()
{
    open_ = false;
    NativeFile::Close(handle_);
}

TextFileWriter::TextFileWriter(const std::string& name)
    : handle_(NativeFile::CreateForWriting(name))
{
    buffer_.reserve(BufferSize);
}

TextFileWriter::~TextFileWriter()
{
    if (!open_)
        return;
    try {
        NativeFile::Close(handle_);
    } catch (...) {
        // Already failing: the first error is the one reported.
    }
}

void TextFileWriter::WriteLine(std::string_view line)
{
    Append(line);
    Append("\r\n");
}

void TextFileWriter::Append(std::string_view bytes)
{
    while (!bytes.empty()) {
        if (buffer_.size() == BufferSize)
            Flush();
        const std::size_t room = BufferSize - buffer_.size();
        const std::string_view part = bytes.substr(0, room);
        buffer_.append(part);
        bytes.remove_prefix(part.size());
    }
}

void TextFileWriter::Flush()
{
    NativeFile::Write(handle_, buffer_.data(), buffer_.size());
    buffer_.clear();
}

void TextFileWriter::Close()
{
    try {
        Flush();
    } catch (...) {
        open_ = false;
        try {
            NativeFile::Close(handle_);
        } catch (...) {
        }
        throw;
    }
    open_ = false;
    NativeFile::Close(handle_);
}
