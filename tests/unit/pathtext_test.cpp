// Thousands of random path texts applied to the file list, one after another as the
// launcher's attempts apply them: none may crash or raise anything but an I/O error; a
// success leaves the process in the listed folder, whose first entry is a real file in it;
// a failure leaves the list and the process's current directory as they were.
#include <gtest/gtest.h>
#include "list_form.h"
#include "lumbra_test.h"
#include "path_texts.h"
#include "ui/inouterror.h"
#include "ui/sysutils.h"

namespace {

using lt::ListForm;

// A regular file on a disk (not a folder, not a device such as NUL or CON).
bool IsDiskFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    HANDLE f = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    bool disk = GetFileType(f) == FILE_TYPE_DISK;
    CloseHandle(f);
    return disk;
}

TEST(PathTexts, RandomTextsLaunchFromTheListedFolderOrFailCleanly)
{
    lt::MakeGrammarDisc(false, true);
    ASSERT_TRUE(SetCurrentDirectoryA(lt::GrammarStart.c_str()));
    std::mt19937 random(20261211);
    ListForm form;
    int launched = 0, failed = 0;
    const int count = lt::CountFromEnvironment("LUMBRA_PATH_TEXTS", 5000);
    for (int i = 0; i < count; ++i) {
        const std::string text = lt::RandomPathText(random);
        SCOPED_TRACE("text " + std::to_string(i) + ": " + lt::Printable(text));
        const std::string folder = form.fl->Directory(), mask = form.fl->Mask(), cwd = ui::GetCurrentDir();
        bool ok = true;
        try {
            form.fl->ApplyFilePath(text);
        } catch (const ui::EInOutError&) {
            ok = false;
        } catch (const std::exception& e) {
            FAIL() << "raised something other than an I/O error: " << e.what();
        }
        if (!ok) {
            ++failed;
            ASSERT_TRUE(ui::SameText(ui::GetCurrentDir(), cwd)) << "back in the folder it was in: " << ui::GetCurrentDir();
            ASSERT_EQ(form.fl->Directory(), folder);
            ASSERT_EQ(form.fl->Mask(), mask);
            continue;
        }
        ASSERT_TRUE(ui::SameText(ui::GetCurrentDir(), form.fl->Directory()))
            << ui::GetCurrentDir() << " vs " << form.fl->Directory();
        if (form.fl->Items().empty())
            continue;
        ++launched;
        // What the attempt would start: the first entry, by its full path.
        const std::string& name = form.fl->Items()[0];
        ASSERT_EQ(name.find_first_of("\\/:"), std::string::npos) << name;
        std::string file = form.fl->FullPath(0);
        ASSERT_TRUE(IsDiskFile(file)) << file << " is not a file of the listed folder";
        std::string folderWithSlash = form.fl->Directory();
        if (folderWithSlash.back() != '\\')
            folderWithSlash += '\\';
        ASSERT_TRUE(ui::SameText(ui::ExtractFilePath(file), folderWithSlash)) << file;
    }
    std::printf("%d texts: %d would launch, %d failed\n", count, launched, failed);
    EXPECT_GT(launched, count / 20) << "the texts reach files often enough to test something";
    EXPECT_GT(failed, count / 20);
}

} // namespace
