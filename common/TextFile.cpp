#include "common/TextFile.h"

#include <cstring>

namespace {
constexpr std::size_t BufferSize = 64 * 1024;
constexpr char EndOfText = '\x1A';
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
    return end_ > 0;
}

bool TextFileReader::AtEnd()
{
    return pos_ == end_ && !Fill();
}

void TextFileReader::ReadLine(std::string& line)
{
    line.clear();
    while (!AtEnd()) {
        const char* start = buffer_.data() + pos_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
        const std::size_t length = newline ? static_cast<std::size_t>(newline - start) : end_ - pos_;
        pos_ += length;
        const auto* stop = static_cast<const char*>(std::memchr(start, EndOfText, length));
        if (stop) {
            AppendLinePart(line, std::string_view(start, static_cast<std::size_t>(stop - start)));
            if (!newline)
                SkipRestOfLine();
            if (pos_ < end_)
                ++pos_;
            return;
        }
        AppendLinePart(line, std::string_view(start, length));
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
    if (part.find('\r') == std::string_view::npos) {
        line.append(part);
        return;
    }
    for (char c : part) {
        if (c != '\r')
            line += c;
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
