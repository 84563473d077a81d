#include "TempFolder.h"
#include "common/IoError.h"
#include "common/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines; // what the first lines read give, past the end included
};

std::vector<ReadCase> ReadCases()
{
    // The reader takes the file in blocks of 64 KiB; line ends and 1A bytes
    // on a block's edge must read as anywhere else.
    const std::string filler(64 * 1024 - 1, 'a');
    return {
        {"crlf", "one\r\ntwo\r\n", {"one", "two", ""}},
        {"lf", "one\ntwo\n", {"one", "two", ""}},
        {"no final line end", "one\ntwo", {"one", "two", ""}},
        {"lone cr dropped", "a\rb\r\nc", {"ab", "c"}},
        {"cr before end of file dropped", "a\r", {"a", ""}},
        {"1A ends the line, rest skipped", "ab\x1A" "cd\r\nnext\n", {"ab", "next", ""}},
        {"1A at line start", "\x1A" "zz\nx\n", {"", "x"}},
        {"1A on the last line", "ab\x1A" "cd", {"ab", ""}},
        {"empty file", "", {"", "", ""}},
        {"empty lines kept", "\n\r\n\nx", {"", "", "", "x"}},
        {"bytes above 7F and NUL kept", std::string("\xB0\xA0\0z\n", 5), {std::string("\xB0\xA0\0z", 4)}},
        {"CR LF split by a block's edge", filler + "\r\nnext\r\n", {filler, "next", ""}},
        {"lone CR last in a block", filler + "\rx\r\n", {filler + "x", ""}},
        {"LF first in a block", filler + "b\nnext", {filler + "b", "next", ""}},
        {"1A only in the second block", filler + "\r\nab\x1A" "cd\r\nlast", {filler, "ab", "last", ""}},
        {"1A last in a block", filler + "\x1A" "skipped\nlast", {filler, "last", ""}},
    };
}

TEST(TextFileReader, SplitsBytesIntoLines)
{
    for (const auto& c : ReadCases()) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        folder.Write("in.txt", c.bytes);
        TextFileReader file("in.txt");
        for (const auto& expected : c.lines)
            EXPECT_EQ(file.ReadLine(), expected);
        EXPECT_TRUE(file.AtEnd());
        file.Close();
    }
}

TEST(TextFileReader, LinesHaveNoLengthLimitAcrossBuffers)
{
    TempFolder folder;
    const std::string longLine(300000, 'x');
    const std::string cut = std::string(100000, 'y') + "\x1A" + std::string(200000, 'z');
    folder.Write("in.txt", longLine + "\r\n" + cut + "\r\nlast");
    TextFileReader file("in.txt");
    EXPECT_EQ(file.ReadLine(), longLine);
    EXPECT_EQ(file.ReadLine(), std::string(100000, 'y'));
    EXPECT_EQ(file.ReadLine(), "last");
    EXPECT_TRUE(file.AtEnd());
}

TEST(TextFileReader, ReadingPastTheEndYieldsEmptyLinesWithoutError)
{
    TempFolder folder;
    folder.Write("in.txt", "only\n");
    TextFileReader file("in.txt");
    EXPECT_EQ(file.ReadLine(), "only");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(file.ReadLine(), "");
    EXPECT_NO_THROW(file.Close());
}

int OpenForReadingCode(const std::string& name)
{
    try {
        TextFileReader file(name);
        file.ReadLine();
    } catch (const IoError& error) {
        return error.Code();
    }
    return 0;
}

TEST(TextFileReader, OpenFailuresCarryTheirCodeAndMessage)
{
    TempFolder folder;
    std::filesystem::create_directory("folder.txt");
    folder.Write("plain.txt", "x");
    struct Case {
        std::string name;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {"missing.txt", 2, "File not found"},
#ifdef _WIN32
        // Windows reports a missing folder on the way as its code 3.
        {"plain.txt/inside.txt", 3, "Invalid filename"},
        {"no-such-folder/x.txt", 3, "Invalid filename"},
        // A name beyond the ANSI functions' path limit (Wine reports it so).
        {std::string(5000, 'n'), 206, "I/O error 206"},
#else
        {"plain.txt/inside.txt", 2, "File not found"},
        {"no-such-folder/x.txt", 2, "File not found"},
        {std::string(5000, 'n'), 3, "Invalid filename"},
#endif
        {"folder.txt", 5, "File access denied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.substr(0, 40));
        EXPECT_EQ(OpenForReadingCode(c.name), c.code);
        EXPECT_EQ(IoErrorMessage(c.code), c.message);
    }
}

TEST(TextFileWriter, WritesEveryLineWithCrLf)
{
    TempFolder folder;
    folder.Write("out.txt", "old content that is longer than the new one\r\n");
    TextFileWriter file("out.txt");
    file.WriteLine("first");
    file.WriteLine("");
    file.WriteLine(std::string("\xB0\"'", 3));
    file.Close();
    EXPECT_EQ(folder.Read("out.txt"), "first\r\n\r\n\xB0\"'\r\n");
}

TEST(TextFileWriter, WritesMoreThanOneBuffer)
{
    TempFolder folder;
    const std::string line(100000, 'q');
    {
        TextFileWriter file("out.txt");
        file.WriteLine(line);
        file.WriteLine(line);
        file.Close();
    }
    EXPECT_EQ(folder.Read("out.txt"), line + "\r\n" + line + "\r\n");
}

int WriteCode(const std::string& name)
{
    try {
        TextFileWriter file(name);
        file.WriteLine("data");
        file.Close();
    } catch (const IoError& error) {
        return error.Code();
    }
    return 0;
}

TEST(TextFileWriter, FailuresCarryTheirCode)
{
    TempFolder folder;
    std::filesystem::create_directory("folder.url");
    EXPECT_EQ(WriteCode("folder.url"), 5);
#ifdef _WIN32
    EXPECT_EQ(WriteCode("no-such-folder/x.url"), 3);
#else
    // Windows has no device that is always full; its disk-full codes are
    // mapped in NativeFileWin32Test.
    std::filesystem::create_symlink("/dev/full", "full.url");
    EXPECT_EQ(WriteCode("full.url"), 101);
    EXPECT_EQ(WriteCode("no-such-folder/x.url"), 2);
#endif
    EXPECT_EQ(IoErrorMessage(101), "Disk full");
}

TEST(IoErrorMessage, NamesTheKnownCodesAndNumbersTheRest)
{
    const std::pair<int, const char*> cases[] = {
        {2, "File not found"}, {3, "Invalid filename"}, {4, "Too many open files"},
        {5, "File access denied"}, {100, "Read beyond end of file"}, {101, "Disk full"},
        {106, "Invalid numeric input"}, {32, "I/O error 32"}, {105, "I/O error 105"},
    };
    for (const auto& [code, message] : cases)
        EXPECT_EQ(IoError(code).what(), std::string(message)) << code;
}

#ifndef _WIN32
// The POSIX file layer's errors; Windows reports its own codes.
TEST(IoCodeFromErrno, MapsTheSystemErrors)
{
    const std::pair<int, int> cases[] = {
        {ENOENT, 2}, {ENOTDIR, 2}, {EMFILE, 4}, {ENFILE, 4}, {EACCES, 5}, {EPERM, 5},
        {EISDIR, 5}, {EROFS, 5}, {ETXTBSY, 5}, {ENOSPC, 101}, {EDQUOT, 101},
        {ENAMETOOLONG, 3}, {EIO, EIO}, {ELOOP, ELOOP},
    };
    for (const auto& [err, code] : cases)
        EXPECT_EQ(IoCodeFromErrno(err), code) << err;
}
#endif

}
