// The file list pointed at path texts of every shape: which folder it lists, its mask, what
// it selects, and what it raises, run directly on a fixture disc in E:.
#include <gtest/gtest.h>
#include "list_form.h"
#include "lumbra_test.h"
#include "ui/inouterror.h"
#include "ui/sysutils.h"

namespace {

using lt::ListForm;

const std::string Start = "C:\\lumbra-tests\\unit\\start";

void MakeDisc()
{
    lt::ClearFolder("E:");
    lt::MakeFolder("E:\\GAMES\\SUB");
    for (const char* name : {"AUTORUN.EXE", "RUN.EXE", "README.TXT", "SETUP.BAT", "HIDDEN.EXE"})
        lt::WriteBytes(std::string("E:\\GAMES\\") + name, "x");
    lt::SetAttributes("E:\\GAMES\\HIDDEN.EXE", FILE_ATTRIBUTE_HIDDEN);
    lt::WriteBytes("E:\\ROOT.EXE", "x");
    lt::RemoveTree(Start);
    lt::MakeFolder(Start + "\\GAMES");
    lt::WriteBytes(Start + "\\START.EXE", "x");
    lt::WriteBytes(Start + "\\GAMES\\LOCAL.EXE", "x");
}

std::string Joined(const std::vector<std::string>& items)
{
    std::string all;
    for (const std::string& item : items)
        all += (all.empty() ? "" : ",") + item;
    return all;
}

struct ApplyCase {
    const char* text;
    std::string folder;    // listed afterwards (letter case ignored)
    std::string mask;
    std::string items;     // the entries, comma-separated
    std::string selected;  // the selected entry, or empty
    bool named;            // what ApplyFilePath returns
};

TEST(FileList, PathShapes)
{
    MakeDisc();
    const ApplyCase cases[] = {
        {"E:\\", "E:\\", "*.exe", "ROOT.EXE", "", false},
        {"E:", "E:\\", "*.exe", "ROOT.EXE", "", false},
        {"E:\\GAMES", "E:\\GAMES", "*.exe", "AUTORUN.EXE,RUN.EXE", "", false},
        {"E:\\GAMES\\", "E:\\GAMES", "*.exe", "AUTORUN.EXE,RUN.EXE", "", false},
        {"E:\\GAMES\\RUN.EXE", "E:\\GAMES", "*.exe", "AUTORUN.EXE,RUN.EXE", "RUN.EXE", true},
        {"e:\\games\\run.exe", "E:\\GAMES", "*.exe", "AUTORUN.EXE,RUN.EXE", "RUN.EXE", true},
        {"E:\\GAMES\\README.TXT", "E:\\GAMES", "README.TXT", "README.TXT", "README.TXT", true},
        {"E:\\GAMES\\*.BAT", "E:\\GAMES", "*.BAT", "SETUP.BAT", "", false},
        {"E:\\GAMES\\*.EXE;*.BAT", "E:\\GAMES", "*.EXE;*.BAT", "AUTORUN.EXE,RUN.EXE,SETUP.BAT", "", false},
        {"E:\\GAMES\\*.EXE;R*", "E:\\GAMES", "*.EXE;R*", "AUTORUN.EXE,README.TXT,RUN.EXE,RUN.EXE", "", false},
        {"E:\\GAMES\\HIDDEN.EXE", "E:\\GAMES", "HIDDEN.EXE", "", "", false},
        {"E:\\GAMES\\SUB", "E:\\GAMES\\SUB", "*.exe", "", "", false},
        {"GAMES", Start + "\\GAMES", "*.exe", "LOCAL.EXE", "", false},
        {"[GAMES]", Start + "\\GAMES", "*.exe", "LOCAL.EXE", "", false},
        {"\\lumbra-tests\\unit\\start\\GAMES", Start + "\\GAMES", "*.exe", "LOCAL.EXE", "", false},
        {"START.EXE", Start, "*.exe", "START.EXE", "START.EXE", true},
        {"E:/GAMES/RUN.EXE", "E:\\GAMES", "*.exe", "AUTORUN.EXE,RUN.EXE", "RUN.EXE", true},
        {"E:\\GAMES/*.BAT", "E:\\GAMES", "*.BAT", "SETUP.BAT", "", false},
        {"[GAMES/*.EXE;*.BAT]", Start + "\\GAMES", "*.EXE;*.BAT", "LOCAL.EXE", "", false},
        {"", Start, "*.exe", "START.EXE", "", false},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(SetCurrentDirectoryA(Start.c_str()));
        ListForm form;
        ASSERT_EQ(form.fl->Directory(), Start);
        bool named = false;
        ASSERT_NO_THROW(named = form.fl->ApplyFilePath(c.text));
        EXPECT_TRUE(ui::SameText(form.fl->Directory(), c.folder)) << form.fl->Directory();
        EXPECT_TRUE(ui::SameText(ui::GetCurrentDir(), c.folder)) << "the process is left in the list's folder";
        EXPECT_EQ(form.fl->Mask(), c.mask);
        EXPECT_EQ(Joined(form.fl->Items()), c.items);
        EXPECT_EQ(Joined(lt::ListItems(form.fl->Handle())), c.items) << "the list box shows the entries";
        int index = form.fl->ItemIndex();
        EXPECT_EQ(index < 0 ? "" : form.fl->Items()[index], c.selected);
        EXPECT_EQ(named, c.named);
    }
}

TEST(FileList, UnreachablePathsRaiseAndChangeNothing)
{
    MakeDisc();
    const char* texts[] = {"Q:\\", "N:\\", "Q:", "E:\\NOPE", "E:\\GAMES\\MISSING.EXE", "E:\\A*\\X",
                           "E:\\GAMES\\RUN.EXE\\", "[NOPE]", "\\\\NOSERVER\\NOSHARE\\GAMES",
                           // devices are no folders and no files, whatever the system says of them
                           "E:\\GAMES\\NUL", "COM1", "E:\\CON\\", "NUL.EXE", "\\\\.\\E:\\GAMES"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(SetCurrentDirectoryA(Start.c_str()));
        ListForm form;
        EXPECT_THROW(form.fl->ApplyFilePath(text), ui::EInOutError);
        EXPECT_EQ(form.fl->Directory(), Start);
        EXPECT_EQ(form.fl->Mask(), "*.exe");
        EXPECT_EQ(Joined(form.fl->Items()), "START.EXE");
        EXPECT_TRUE(ui::SameText(ui::GetCurrentDir(), Start)) << "back in the folder it was in";
    }
}

TEST(FileList, OrderIgnoresLetterCaseAndSkipsHiddenSystemAndFolders)
{
    lt::ClearFolder("F:");
    for (const char* name : {"b.exe", "A.EXE", "c.Exe", "HID.EXE", "SYS.EXE", "ro.exe"})
        lt::WriteBytes(std::string("F:\\") + name, "x");
    lt::SetAttributes("F:\\HID.EXE", FILE_ATTRIBUTE_HIDDEN);
    lt::SetAttributes("F:\\SYS.EXE", FILE_ATTRIBUTE_SYSTEM);
    lt::SetAttributes("F:\\ro.exe", FILE_ATTRIBUTE_READONLY);
    lt::MakeFolder("F:\\DIR.EXE");
    ListForm form;
    form.fl->ApplyFilePath("F:\\");
    EXPECT_EQ(Joined(form.fl->Items()), "A.EXE,b.exe,c.Exe,ro.exe");
    lt::SetAttributes("F:\\ro.exe", FILE_ATTRIBUTE_NORMAL);
}

TEST(FileList, ReadOnlyWhenFolderOrMaskChanges)
{
    MakeDisc();
    ListForm form;
    form.fl->ApplyFilePath("E:\\GAMES");
    lt::WriteBytes("E:\\GAMES\\ADDED.EXE", "x");
    form.fl->ApplyFilePath("e:\\games\\");
    EXPECT_EQ(Joined(form.fl->Items()), "AUTORUN.EXE,RUN.EXE") << "same folder: not read again";
    form.fl->ApplyFilePath("E:\\GAMES\\*.EXE");
    EXPECT_EQ(Joined(form.fl->Items()), "ADDED.EXE,AUTORUN.EXE,RUN.EXE") << "the mask changed";
}

TEST(FileList, FullPathJoinsWithOneBackslash)
{
    MakeDisc();
    ListForm form;
    form.fl->ApplyFilePath("E:\\ROOT.EXE");
    EXPECT_EQ(form.fl->FileName(), "E:\\ROOT.EXE");
    EXPECT_TRUE(form.fl->ApplyFilePath("E:\\ROOT.EXE")) << "the selection's own path: nothing to do";
    form.fl->ApplyFilePath("E:\\GAMES\\RUN.EXE");
    EXPECT_EQ(form.fl->FileName(), "E:\\GAMES\\RUN.EXE");
    form.fl->SetItemIndex(-1);
    EXPECT_EQ(form.fl->FileName(), "");
}

} // namespace
