#pragma once

#include "common/NativeFile.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// A text file read line by line. LF or CR LF ends a line; a CR without LF is
// dropped; a byte 1A ends the line early and the rest of that physical line is
// skipped. Lines have no length limit, and reading past the end of the file
// yields empty lines. Every failure is raised as IoError.
class TextFileReader {
public:
    explicit TextFileReader(const std::string& name);
    ~TextFileReader();
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    // Replaces line with the next line of the file.
    void ReadLine(std::string& line);
    std::string ReadLine();

    // Appends the next line of the file to the end of text.
    void AppendLine(std::string& text)
    {
        if (!AppendPlainLine(text))
            AppendLineInParts(text);
    }

    // True when no byte is left to read.
    bool AtEnd() { return pos_ == end_ && !Fill(); }

    void Close();

private:
    // The usual line, whole in a buffer that holds no byte to drop but the CR
    // before each LF, kept inline for loading many lines; false for any other.
    bool AppendPlainLine(std::string& text)
    {
        if (!plainBuffer_)
            return false;
        const char* start = buffer_.data() + pos_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
        if (!newline)
            return false;
        const auto length = static_cast<std::size_t>(newline - start);
        text.append(start, length > 0 && newline[-1] == '\r' ? length - 1 : length);
        pos_ += length + 1;
        return true;
    }
    void AppendLineInParts(std::string& text);
    bool Fill();
    void AppendLinePart(std::string& line, std::string_view part);
    void SkipRestOfLine();

    NativeFile::Handle handle_;
    bool open_ = true;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool plainBuffer_ = true;
};

// A text file created (or truncated) for writing; every line ends with CR LF.
// Data reaches the file when the buffer fills and at the latest on Close.
class TextFileWriter {
public:
    explicit TextFileWriter(const std::string& name);
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void WriteLine(std::string_view line);

    // Writes what is buffered and closes the file; the file is closed even
    // when that fails.
    void Close();

private:
    void Append(std::string_view bytes);
    void Flush();

    NativeFile::Handle handle_;
    bool open_ = true;
    std::string buffer_;
};
