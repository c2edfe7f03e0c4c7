// The one-line text file behind the path file: what a read yields for given bytes, what
// a write leaves, and how each failure is reported without losing the old content.
#include <gtest/gtest.h>
#include <random>
#include "lumbra_test.h"
#include "ui/inouterror.h"
#include "ui/textfile.h"

using namespace std::string_literals;

namespace {

std::string Folder(const std::string& name)
{
    std::string folder = "C:\\lumbra-tests\\unit\\" + name;
    lt::RemoveTree(folder);
    lt::MakeFolder(folder);
    return folder;
}

// The error code that f raises as EInOutError, or 0 when it raises nothing.
template <class F> DWORD ErrorOf(F f)
{
    try {
        f();
    } catch (const ui::EInOutError& e) {
        return e.ErrorCode;
    }
    return 0;
}

struct ReadCase {
    const char* what;
    std::string bytes;
    std::string text;
};

TEST(TextFile, FirstLineOfTheBytes)
{
    const ReadCase cases[] = {
        {"CR LF ends the line", "E:\\GAMES\r\nnext\r\n", "E:\\GAMES"},
        {"LF alone ends it", "E:\\GAMES\nnext", "E:\\GAMES"},
        {"a CR in the middle is dropped", "E:\\GA\rMES\r\n", "E:\\GAMES"},
        {"CR CR LF", "E:\\\r\r\n", "E:\\"},
        {"Ctrl-Z ends it", "E:\\GA\x1aMES\r\n", "E:\\GA"},
        {"empty file", "", ""},
        {"starts with a line break", "\r\nE:\\\r\n", ""},
        {"starts with Ctrl-Z", "\x1a" "E:\\", ""},
        {"only the first of three lines", "A:\\\r\nB:\\\r\nC:\\\r\n", "A:\\"},
        {"no line break at the end", "E:\\GAMES", "E:\\GAMES"},
        {"a UTF-8 byte order mark is kept", "\xEF\xBB\xBF" "E:\\\r\n", "\xEF\xBB\xBF" "E:\\"},
        {"blanks and tabs kept", "  E:\\ \t \r\n", "  E:\\ \t "},
        {"bytes of 128 and above kept", "E:\\\xE9\x80\xFF\r\n", "E:\\\xE9\x80\xFF"},
        {"a NUL byte is kept by the read", "A\0B\r\n"s, "A\0B"s},
        {"a line longer than one read buffer", std::string(10000, 'x') + "\r\nz", std::string(10000, 'x')},
    };
    std::string file = Folder("read") + "\\lumbra.dat";
    for (const ReadCase& c : cases) {
        lt::WriteBytes(file, c.bytes);
        EXPECT_EQ(ui::ReadFirstLine(file), c.text) << c.what;
    }
}

// Files of random bytes, line breaks, Ctrl-Z and CR frequent among them, some longer than
// any read buffer: every read gives the bytes before the first LF or Ctrl-Z without CR,
// and writing that text back gives it and CR LF.
TEST(TextFile, RandomBytesReadAsTheirFirstLine)
{
    std::mt19937 random(1211);
    std::uniform_int_distribution<int> byte(0, 255), special(0, 7), kind(0, 9), shortLength(0, 80);
    const char specials[] = {'\r', '\n', '\x1a', '\0', '\xff', '\xef', '\\', ' '};
    std::string file = Folder("random") + "\\lumbra.dat";
    for (int i = 0; i < 3000; ++i) {
        std::size_t length = kind(random) == 0 ? std::uniform_int_distribution<std::size_t>(0, 70000)(random)
                                               : static_cast<std::size_t>(shortLength(random));
        std::string bytes(length, '\0');
        for (char& c : bytes)
            c = kind(random) < 3 ? specials[special(random)] : static_cast<char>(byte(random));
        std::string expected;
        for (char c : bytes.substr(0, bytes.find_first_of("\n\x1a")))
            if (c != '\r')
                expected += c;
        SCOPED_TRACE("file " + std::to_string(i) + " of " + std::to_string(length) + " bytes");
        lt::WriteBytes(file, bytes);
        std::string text;
        try {
            text = ui::ReadFirstLine(file);
        } catch (const ui::EInOutError& e) {
            FAIL() << "a readable file failed: " << e.what();
        }
        ASSERT_EQ(text, expected);
        if (i % 10 == 0) {
            ui::WriteLineReplacing(file, text);
            ASSERT_EQ(lt::ReadBytes(file), text + "\r\n");
            ASSERT_EQ(ui::ReadFirstLine(file), text);
        }
    }
}

TEST(TextFile, WriteGivesTheTextAndCrLfAndReadsBack)
{
    const std::string texts[] = {"E:\\", "", "  D:\\GAMES  ", "\xEF\xBB\xBF" "E:\\", "E:\\R&D\\\xE9t\xE9",
                                 std::string(40000, 'p')};
    std::string file = Folder("write") + "\\lumbra.dat";
    for (const std::string& text : texts) {
        ui::WriteLineReplacing(file, text);
        EXPECT_EQ(lt::ReadBytes(file), text + "\r\n");
        EXPECT_EQ(ui::ReadFirstLine(file), text);
    }
    EXPECT_EQ(lt::ReadBytes(file + ".new"), std::nullopt) << "no file is left beside it";
}

TEST(TextFile, WriteReplacesTheWholeContent)
{
    std::string file = Folder("replace") + "\\lumbra.dat";
    lt::WriteBytes(file, "A:\\\r\nB:\\\r\nC:\\\r\n");
    ui::WriteLineReplacing(file, "D:\\");
    EXPECT_EQ(lt::ReadBytes(file), "D:\\\r\n");
}

TEST(TextFile, MissingFileIsFileNotFoundAndIsNotCreated)
{
    std::string file = Folder("missing") + "\\lumbra.dat";
    try {
        ui::ReadFirstLine(file);
        FAIL() << "the read succeeded";
    } catch (const ui::EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, 2u);
        EXPECT_STREQ(e.what(), "File not found");
    }
    EXPECT_EQ(lt::ReadBytes(file), std::nullopt);
    EXPECT_EQ(ErrorOf([] { ui::ReadFirstLine("C:\\lumbra-tests\\no-such-folder\\lumbra.dat"); }), 3u);
}

TEST(TextFile, FileHeldByAnotherProgramFailsWith32AndKeepsItsContent)
{
    std::string file = Folder("held") + "\\lumbra.dat";
    lt::WriteBytes(file, "E:\\OLD\r\n");
    // Open for writing, letting others read but not write: as an editor holding the file.
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ErrorOf([&] { ui::ReadFirstLine(file); }), 32u);
    EXPECT_EQ(ErrorOf([&] { ui::WriteLineReplacing(file, "E:\\NEW"); }), 32u);
    CloseHandle(held);
    EXPECT_EQ(lt::ReadBytes(file), "E:\\OLD\r\n");
    EXPECT_EQ(lt::ReadBytes(file + ".new"), std::nullopt);
    ui::WriteLineReplacing(file, "E:\\NEW"); // nothing of ours stayed open
    EXPECT_EQ(lt::ReadBytes(file), "E:\\NEW\r\n");
}

TEST(TextFile, ReadOnlyFileIsReadButNotWritten)
{
    std::string file = Folder("readonly") + "\\lumbra.dat";
    lt::WriteBytes(file, "E:\\OLD\r\n");
    lt::SetAttributes(file, FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ui::ReadFirstLine(file), "E:\\OLD");
    try {
        ui::WriteLineReplacing(file, "E:\\NEW");
        ADD_FAILURE() << "the write succeeded";
    } catch (const ui::EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, 5u);
        EXPECT_STREQ(e.what(), "File access denied");
    }
    EXPECT_EQ(lt::ReadBytes(file), "E:\\OLD\r\n");
    EXPECT_EQ(lt::ReadBytes(file + ".new"), std::nullopt);
    lt::SetAttributes(file, FILE_ATTRIBUTE_NORMAL);
}

// These need the read-only and the tiny drive of the test environment.
class TextFileOnMounts : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!lt::NoMountsReason().empty())
            GTEST_SKIP() << lt::NoMountsReason();
    }
};

TEST_F(TextFileOnMounts, WriteProtectedFolderFailsWithAccessDenied)
{
    lt::ClearFolder("S:");
    lt::WriteBytes("S:\\lumbra.dat", "E:\\OLD\r\n");
    EXPECT_EQ(ui::ReadFirstLine("R:\\lumbra.dat"), "E:\\OLD");
    try {
        ui::WriteLineReplacing("R:\\lumbra.dat", "E:\\NEW");
        ADD_FAILURE() << "the write succeeded";
    } catch (const ui::EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, 5u) << e.what();
        EXPECT_STREQ(e.what(), "File access denied");
    }
    EXPECT_EQ(lt::ReadBytes("S:\\lumbra.dat"), "E:\\OLD\r\n");
    EXPECT_EQ(ErrorOf([] { ui::WriteLineReplacing("R:\\fresh.dat", "E:\\"); }), 5u) << "nor a new file";
}

TEST_F(TextFileOnMounts, FullDiskFailsWith112AndKeepsTheOldContent)
{
    lt::ClearFolder("T:");
    lt::WriteBytes("T:\\lumbra.dat", "E:\\OLD\r\n");
    lt::FillDisk("T:\\filler");
    try {
        ui::WriteLineReplacing("T:\\lumbra.dat", std::string(20000, 'n'));
        ADD_FAILURE() << "the write succeeded";
    } catch (const ui::EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, 112u);
        EXPECT_STREQ(e.what(), "I/O error 112");
    }
    EXPECT_EQ(lt::ReadBytes("T:\\lumbra.dat"), "E:\\OLD\r\n");
    EXPECT_EQ(lt::ReadBytes("T:\\lumbra.dat.new"), std::nullopt) << "the partial new file is removed";
    DeleteFileA("T:\\filler");
    ui::WriteLineReplacing("T:\\lumbra.dat", "E:\\NEW");
    EXPECT_EQ(lt::ReadBytes("T:\\lumbra.dat"), "E:\\NEW\r\n");
}

} // namespace
