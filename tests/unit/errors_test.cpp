// The texts of I/O errors and the full stop of the standard error report.
#include <gtest/gtest.h>
#include "ui/application.h"
#include "ui/inouterror.h"

namespace {

TEST(Errors, InOutErrorTextByCode)
{
    const std::pair<DWORD, const char*> cases[] = {
        {2, "File not found"},       {3, "Invalid filename"}, {4, "Too many open files"},
        {5, "File access denied"},   {100, "Read beyond end of file"}, {101, "Disk full"},
        {106, "Invalid numeric input"}, {32, "I/O error 32"}, {112, "I/O error 112"}, {21, "I/O error 21"},
    };
    for (auto [code, text] : cases) {
        EXPECT_EQ(ui::InOutErrorText(code), text) << code;
        ui::EInOutError e(code);
        EXPECT_EQ(e.ErrorCode, code);
        EXPECT_STREQ(e.what(), text);
    }
}

TEST(Errors, FullStopIsAddedAfterCharactersAboveTheFullStop)
{
    const std::pair<std::string, std::string> cases[] = {
        {"File not found", "File not found."},
        {"I/O error 32", "I/O error 32."},
        {"Done.", "Done."},
        {"Trailing blank ", "Trailing blank "},
        {"Comma,", "Comma,"},
        {"Hyphen-", "Hyphen-"},
        {"(closed)", "(closed)"},
        {"[bracket]", "[bracket]."},
        {"slash/", "slash/."},
        {"", ""},
        {"caf\xE9", "caf\xE9."},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(ui::WithFullStop(text), shown) << "'" << text << "'";
}

} // namespace
