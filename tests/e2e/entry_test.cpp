// Entering a new path with real input: Enter in the edit box, the OK picture with either
// mouse button, and the error box when the path can't be saved.
#include <gtest/gtest.h>
#include "lumbra_test.h"

namespace {

// A started lumbra in entry mode after its first attempt at an unreachable path (the
// path file in home, written by lt::HomeWith, names one).
struct InEntry {
    explicit InEntry(const std::string& home, const std::string& cwd = "") : lumbra(home, SW_SHOWNORMAL, cwd)
    {
        ready = lt::WaitFor([&] { return lumbra.EditShown(); }, 6000);
        form = lumbra.Form();
        origin = lt::WindowRect(form);
    }
    // A point of the form, in layout pixels.
    POINT At(int x, int y) const { return {origin.left + x, origin.top + y}; }
    void ClickOk(bool right = false) const
    {
        POINT p = At(70, 102);
        lt::Click(p.x, p.y, right);
    }
    std::string Saved() const { return lt::ReadBytes(lumbra.Home() + "\\lumbra.dat").value_or("<none>"); }

    lt::Lumbra lumbra;
    bool ready = false;
    HWND form = nullptr;
    RECT origin{};
};

TEST(PathEntry, EnterSavesTheTextAndTheNextAttemptFollows)
{
    lt::ClearFolder("F:");
    lt::MakeFolder("F:\\NEXT");
    lt::PutStub("F:\\NEXT\\A.EXE");
    InEntry entry(lt::HomeWith("entry-enter", "Q:\\NOPE"));
    ASSERT_TRUE(entry.ready);
    lt::TypeText("F:\\NEXT"); // the whole text is selected: typing replaces it
    EXPECT_EQ(lt::WindowText(entry.lumbra.Edit()), "F:\\NEXT");
    DWORD confirmed = GetTickCount();
    lt::PressKey(VK_RETURN);
    ASSERT_TRUE(lt::WaitFor([&] { return entry.Saved() == "F:\\NEXT\r\n"; }, 2000)) << entry.Saved();
    EXPECT_FALSE(entry.lumbra.EditShown()) << "waiting again";
    EXPECT_EQ(lt::FocusOf(entry.form), entry.form) << "the focus passed from the hidden edit box to the window";
    lt::Screenshot shot;
    shot.Save("entry-confirmed");
    POINT label = entry.At(17, 56);
    EXPECT_GT(shot.Count({label.x, label.y, label.x + 98, label.y + 13}, RGB(192, 192, 192)), 20)
        << "the label shows the path in silver";

    ASSERT_TRUE(lt::WaitFor([&] { return entry.lumbra.WaitForExit(0).has_value(); }, 5000));
    DWORD elapsed = GetTickCount() - confirmed;
    EXPECT_GE(elapsed, 1900u) << "the next attempt comes two seconds after the confirm";
    EXPECT_EQ(entry.lumbra.WaitForExit(0), 0u);
    ASSERT_TRUE(lt::WaitFor([&] { return !entry.lumbra.StartedPrograms().empty(); }, 3000));
    EXPECT_EQ(entry.lumbra.StartedPrograms()[0].exe, "F:\\NEXT\\A.EXE");
}

TEST(PathEntry, EnterWithTheTextUnchangedRewritesItAndTriesAgain)
{
    lt::ClearFolder("F:");
    InEntry entry(lt::HomeWith("entry-unchanged", "F:\\LATER"));
    ASSERT_TRUE(entry.ready);
    lt::WriteBytes(entry.lumbra.Home() + "\\lumbra.dat", "F:\\LATER\r\nsecond line\r\n");
    lt::MakeFolder("F:\\LATER");
    lt::PutStub("F:\\LATER\\B.EXE");
    lt::PressKey(VK_RETURN);
    ASSERT_TRUE(lt::WaitFor([&] { return entry.Saved() == "F:\\LATER\r\n"; }, 2000)) << entry.Saved();
    EXPECT_EQ(entry.lumbra.WaitForExit(5000), 0u);
}

TEST(PathEntry, EnterWithAnEmptyTextSavesCrLfAndUsesTheStartUpFolder)
{
    std::string cwd = lt::HomeFolder("entry-empty-cwd");
    lt::PutStub(cwd + "\\C.EXE");
    InEntry entry(lt::HomeWith("entry-empty", "Q:\\NOPE"), cwd);
    ASSERT_TRUE(entry.ready);
    lt::PressKey(VK_DELETE);
    lt::PressKey(VK_RETURN);
    ASSERT_TRUE(lt::WaitFor([&] { return entry.Saved() == "\r\n"; }, 2000)) << entry.Saved();
    EXPECT_EQ(entry.lumbra.WaitForExit(5000), 0u);
    ASSERT_TRUE(lt::WaitFor([&] { return !entry.lumbra.StartedPrograms().empty(); }, 3000));
    ASSERT_EQ(entry.lumbra.StartedPrograms().size(), 1u);
    EXPECT_EQ(entry.lumbra.StartedPrograms()[0].exe, cwd + "\\C.EXE");
}

TEST(PathEntry, OtherKeysNeverConfirm)
{
    InEntry entry(lt::HomeWith("entry-keys", "Q:\\NOPE"));
    ASSERT_TRUE(entry.ready);
    for (WORD key : {WORD(VK_TAB), WORD(VK_ESCAPE), WORD('X'), WORD(VK_SPACE), WORD(VK_F1), WORD(VK_LEFT)})
        lt::PressKey(key);
    Sleep(300);
    EXPECT_EQ(entry.Saved(), "Q:\\NOPE\r\n");
    EXPECT_TRUE(entry.lumbra.EditShown());
    EXPECT_TRUE(entry.lumbra.Running());
}

// The OK picture's face, seen on the screen: where its black border's top left corner is.
POINT OkCorner(const InEntry& entry)
{
    lt::Screenshot shot;
    for (int y = 80; y < 100; ++y)
        for (int x = 40; x < 60; ++x) {
            POINT p = entry.At(x, y);
            if (shot.Pixel(p.x, p.y) == RGB(0, 0, 0) && shot.Pixel(p.x + 1, p.y + 1) == RGB(150, 210, 240))
                return {x, y};
        }
    return {-1, -1};
}

struct OkCase {
    const char* what;
    bool right;         // the button
    bool pressOnOk;     // pressed over the picture, else over the prompt panel beside it
    bool releaseOnOk;   // released over the picture, else beside it
    bool confirms;
    int shift;          // where the picture stands afterwards, relative to (47, 88)
};

TEST(PathEntry, OkPicturePressesAndReleases)
{
    const OkCase cases[] = {
        {"left click", false, true, true, true, 0},
        {"right click", true, true, true, true, 0},
        {"left press released away", false, true, false, true, 0},
        {"right press released away", true, true, false, false, 2},
        {"right release over it after a press elsewhere", true, false, true, true, -2},
        {"left release over it after a press elsewhere", false, false, true, false, 0},
    };
    for (const OkCase& c : cases) {
        SCOPED_TRACE(c.what);
        InEntry entry(lt::HomeWith("entry-ok", "Q:\\NOPE"));
        ASSERT_TRUE(entry.ready);
        ASSERT_TRUE(lt::WaitFor([&] { return OkCorner(entry).x == 47; }, 2000)) << "the picture is painted";
        POINT on = entry.At(70, 102), away = entry.At(140, 110);
        POINT press = c.pressOnOk ? on : away, release = c.releaseOnOk ? on : away;
        lt::MouseButton(press.x, press.y, true, c.right);
        lt::MouseButton(release.x, release.y, false, c.right);
        Sleep(200);
        EXPECT_EQ(entry.Saved() != "Q:\\NOPE\r\n" || !entry.lumbra.EditShown(), c.confirms);
        if (c.confirms) {
            EXPECT_FALSE(entry.lumbra.EditShown());
            continue;
        }
        POINT corner = OkCorner(entry);
        EXPECT_EQ(corner.x, 47 + c.shift);
        EXPECT_EQ(corner.y, 88 + c.shift);
        if (c.shift)
            lt::Screenshot().Save("ok-moved");
    }
}

TEST(PathEntry, WholeRoadFromNoDiscToTheStartedProgram)
{
    lt::ClearFolder("E:");
    lt::ClearFolder("F:");
    lt::MakeFolder("F:\\GAMES");
    lt::PutStub("F:\\GAMES\\PLAY.EXE");
    std::string home = lt::HomeFolder("entry-road");
    lt::Lumbra lumbra(home);
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 6000)) << "E:\\ has nothing to start";
    EXPECT_EQ(lt::WindowText(lumbra.Edit()), "E:\\");
    lt::TypeText("F:\\GAMES");
    lt::PressKey(VK_RETURN);
    EXPECT_EQ(lumbra.WaitForExit(6000), 0u);
    EXPECT_EQ(lt::ReadBytes(home + "\\lumbra.dat"), "F:\\GAMES\r\n");
    ASSERT_TRUE(lt::WaitFor([&] { return !lumbra.StartedPrograms().empty(); }, 3000));
    ASSERT_EQ(lumbra.StartedPrograms().size(), 1u);
    EXPECT_EQ(lumbra.StartedPrograms()[0].exe, "F:\\GAMES\\PLAY.EXE");
    EXPECT_EQ(lumbra.StartedPrograms()[0].cwd, "F:\\GAMES");
}

TEST(PathEntry, FileHeldByAnotherProgramShowsIOError32)
{
    std::string home = lt::HomeWith("entry-held", "Q:\\NOPE");
    InEntry entry(home);
    ASSERT_TRUE(entry.ready);
    HANDLE held = CreateFileA((home + "\\lumbra.dat").c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    lt::TypeText("F:\\X");
    lt::PressKey(VK_RETURN);
    HWND box = nullptr;
    ASSERT_TRUE(lt::WaitFor([&] { return (box = lt::MessageBoxOf(entry.lumbra.Pid())) != nullptr; }, 3000));
    EXPECT_EQ(lt::WindowText(box), "Lumbra");
    EXPECT_EQ(lt::MessageBoxText(box), "I/O error 32.");
    EXPECT_FALSE(IsWindowEnabled(entry.form)) << "the window is disabled while the box is open";
    lt::Screenshot().Save("error-box");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(lt::WaitFor([&] { return !lt::MessageBoxOf(entry.lumbra.Pid()); }, 3000));
    EXPECT_TRUE(IsWindowEnabled(entry.form));
    EXPECT_TRUE(entry.lumbra.EditShown()) << "still in entry mode";
    CloseHandle(held);
    EXPECT_EQ(entry.Saved(), "Q:\\NOPE\r\n");

    // Now the file can be written: a confirm goes on normally.
    SetForegroundWindow(entry.form);
    SendMessageA(entry.lumbra.Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Q:\\AGAIN"));
    entry.ClickOk();
    ASSERT_TRUE(lt::WaitFor([&] { return entry.Saved() == "Q:\\AGAIN\r\n"; }, 2000)) << entry.Saved();
    ASSERT_TRUE(lt::WaitFor([&] { return entry.lumbra.EditShown(); }, 4000)) << "the next attempt fails again";
}

class PathEntryOnMounts : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!lt::NoMountsReason().empty())
            GTEST_SKIP() << lt::NoMountsReason();
    }
};

// Confirms and expects the error box with text, closes it, and expects entry mode still.
void ConfirmFails(InEntry& entry, const std::string& text)
{
    entry.ClickOk();
    HWND box = nullptr;
    ASSERT_TRUE(lt::WaitFor([&] { return (box = lt::MessageBoxOf(entry.lumbra.Pid())) != nullptr; }, 3000));
    EXPECT_EQ(lt::WindowText(box), "Lumbra");
    EXPECT_EQ(lt::MessageBoxText(box), text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(lt::WaitFor([&] { return !lt::MessageBoxOf(entry.lumbra.Pid()); }, 3000));
    EXPECT_TRUE(entry.lumbra.EditShown());
}

TEST_F(PathEntryOnMounts, WriteProtectedFolderShowsFileAccessDeniedEachTime)
{
    lt::ClearFolder("S:");
    ASSERT_TRUE(CopyFileA(lt::BuiltProgram("lumbra.exe").c_str(), "S:\\lumbra.exe", FALSE));
    lt::WriteBytes("S:\\lumbra.dat", "Q:\\NOPE\r\n");
    lt::ClearFolder("F:");
    lt::MakeFolder("F:\\GO");
    lt::PutStub("F:\\GO\\A.EXE");
    InEntry entry("R:");
    ASSERT_TRUE(entry.ready);
    SendMessageA(entry.lumbra.Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("F:\\GO"));
    ConfirmFails(entry, "File access denied.");
    ConfirmFails(entry, "File access denied.");
    Sleep(2500);
    EXPECT_TRUE(entry.lumbra.StartedPrograms().empty()) << "no attempt after a failed confirm";
    EXPECT_TRUE(entry.lumbra.Running());
    EXPECT_EQ(lt::ReadBytes("S:\\lumbra.dat"), "Q:\\NOPE\r\n");
}

TEST_F(PathEntryOnMounts, FullDiskShowsIOError112AndKeepsTheSavedPath)
{
    lt::ClearFolder("T:");
    ASSERT_TRUE(CopyFileA(lt::BuiltProgram("lumbra.exe").c_str(), "T:\\lumbra.exe", FALSE));
    lt::WriteBytes("T:\\lumbra.dat", "Q:\\NOPE\r\n");
    InEntry entry("T:");
    ASSERT_TRUE(entry.ready);
    lt::FillDisk("T:\\filler");
    SendMessageA(entry.lumbra.Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::string(9000, 'x').c_str()));
    ConfirmFails(entry, "I/O error 112.");
    EXPECT_EQ(lt::ReadBytes("T:\\lumbra.dat"), "Q:\\NOPE\r\n") << "the saved path survives";
    DeleteFileA("T:\\filler");
}

} // namespace
