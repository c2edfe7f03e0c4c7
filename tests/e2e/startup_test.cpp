// Starting the real lumbra.exe: its window, the show commands, reading the path file,
// and ending when closed from outside.
#include <gtest/gtest.h>
#include "lumbra_test.h"

using namespace std::string_literals;

namespace {

constexpr int ScreenWidth = 1024, ScreenHeight = 768;
const RECT Centred{(ScreenWidth - 453) / 2, (ScreenHeight - 142) / 2, (ScreenWidth - 453) / 2 + 453,
                   (ScreenHeight - 142) / 2 + 142};

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

TEST(StartUp, BorderlessCentredWindowOwnedByTheApplicationWindow)
{
    lt::ClearFolder("E:");
    std::string home = lt::HomeFolder("startup");
    lt::Lumbra lumbra(home);
    HWND form = lumbra.Form();
    ASSERT_TRUE(form);
    ASSERT_TRUE(lt::WaitFor([&] { return IsWindowVisible(form); }, 3000));
    EXPECT_TRUE(SameRect(lt::WindowRect(form), Centred)) << Show(lt::WindowRect(form));
    LONG style = GetWindowLongA(form, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_EQ(lt::WindowText(form), "Form1");

    HWND app = lumbra.AppWindow();
    ASSERT_TRUE(app);
    EXPECT_EQ(lt::WindowText(app), "Lumbra") << "the taskbar button's text";
    EXPECT_EQ(GetWindow(form, GW_OWNER), app);

    HWND edit = lumbra.Edit(), list = lumbra.List();
    ASSERT_TRUE(edit && list);
    EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & WS_VISIBLE) << "the edit box is hidden while waiting";
    EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VISIBLE) << "the list is shown, below the visible band";
    EXPECT_EQ(lt::FocusOf(form), list) << "the first keyboard focus goes to the list";
    EXPECT_EQ(lt::WindowText(edit), "E:\\") << "no path file: the stored text";

    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 4000)) << "E:\\ holds nothing to start";
    EXPECT_EQ(lt::ReadBytes(home + "\\lumbra.dat"), std::nullopt) << "reading never creates the file";
    PostMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(lumbra.WaitForExit(5000), 0u);
}

TEST(StartUp, TaskbarCloseCommandEndsWithZero)
{
    std::string home = lt::HomeWith("taskbar-close", "Q:\\");
    lt::Lumbra lumbra(home);
    ASSERT_TRUE(lumbra.Form());
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.AppWindow() != nullptr; }, 2000));
    PostMessageA(lumbra.AppWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(lumbra.WaitForExit(5000), 0u);
}

TEST(StartUp, MaximisedFillsTheScreenAndShowsTheList)
{
    std::string home = lt::HomeWith("maximised", "Q:\\");
    lt::Lumbra lumbra(home, SW_SHOWMAXIMIZED);
    HWND form = lumbra.Form();
    ASSERT_TRUE(form);
    ASSERT_TRUE(lt::WaitFor([&] { return IsWindowVisible(form); }, 3000));
    EXPECT_TRUE(SameRect(lt::WindowRect(form), RECT{0, 0, ScreenWidth, ScreenHeight})) << Show(lt::WindowRect(form));
    HWND list = nullptr; // made once the form is up
    EXPECT_TRUE(lt::WaitFor([&] { return (list = lumbra.List()) != nullptr && IsWindowVisible(list); }, 2000));
    std::vector<std::string> items = lt::ListItems(list);
    EXPECT_EQ(items, std::vector<std::string>{"lumbra.exe"}) << "the start-up folder's program files";
}

TEST(StartUp, OtherShowCommandsShowTheWindowNormally)
{
    for (int show : {SW_HIDE, SW_SHOWMINIMIZED, SW_MINIMIZE, SW_SHOWNOACTIVATE, SW_SHOWNA, SW_SHOWDEFAULT}) {
        SCOPED_TRACE(show);
        std::string home = lt::HomeWith("show-" + std::to_string(show), "Q:\\");
        lt::Lumbra lumbra(home, show);
        HWND form = lumbra.Form();
        ASSERT_TRUE(form);
        EXPECT_TRUE(lt::WaitFor([&] { return IsWindowVisible(form); }, 3000));
        EXPECT_TRUE(SameRect(lt::WindowRect(form), Centred)) << Show(lt::WindowRect(form));
    }
}

TEST(StartUp, MinimisedFailedAttemptWaitsHiddenUntilRestored)
{
    std::string home = lt::HomeWith("minimised-fails", "Q:\\");
    lt::Lumbra lumbra(home, SW_SHOWMINNOACTIVE);
    HWND form = lumbra.Form();
    ASSERT_TRUE(form);
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 5000)) << "the attempt runs while minimised";
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_TRUE(lumbra.Running());

    PostMessageA(lumbra.AppWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(lt::WaitFor([&] { return IsWindowVisible(form); }, 3000));
    EXPECT_TRUE(SameRect(lt::WindowRect(form), Centred)) << Show(lt::WindowRect(form));
    EXPECT_TRUE(lt::WaitFor([&] { return lt::FocusOf(form) == lumbra.Edit(); }, 2000)) << "the edit box has the focus";
}

TEST(StartUp, MinimisedSuccessfulAttemptNeverShowsTheWindow)
{
    lt::ClearFolder("E:");
    lt::PutStub("E:\\A.EXE");
    std::string home = lt::HomeFolder("minimised-starts");
    lt::Lumbra lumbra(home, SW_SHOWMINNOACTIVE);
    HWND form = lumbra.Form();
    ASSERT_TRUE(form);
    bool everShown = false;
    std::optional<DWORD> code;
    lt::WaitFor([&] {
        everShown = everShown || IsWindowVisible(form);
        return (code = lumbra.WaitForExit(0)).has_value();
    }, 6000);
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(everShown);
    ASSERT_TRUE(lt::WaitFor([&] { return !lumbra.StartedPrograms().empty(); }, 3000));
    EXPECT_EQ(lumbra.StartedPrograms()[0].exe, "E:\\A.EXE");
}

struct PathFileCase {
    const char* what;
    std::optional<std::string> bytes; // nothing: no path file
    std::string text;                 // what the edit box holds after start-up
};

TEST(PathFileAtStartUp, FirstLineGoesIntoTheEditBox)
{
    lt::ClearFolder("E:");
    const PathFileCase cases[] = {
        {"no path file", std::nullopt, "E:\\"},
        {"CR LF", "Q:\\GAMES\r\nQ:\\OTHER\r\n"s, "Q:\\GAMES"},
        {"LF alone", "Q:\\GAMES\nQ:\\OTHER"s, "Q:\\GAMES"},
        {"a CR in the middle", "Q:\\GA\rMES\r\n"s, "Q:\\GAMES"},
        {"Ctrl-Z", "Q:\\GA\x1aMES\r\n"s, "Q:\\GA"},
        {"a NUL byte cuts the text", "Q:\\GA\0MES\r\n"s, "Q:\\GA"},
        {"a byte order mark is kept", "\xEF\xBB\xBFQ:\\\r\n"s, "\xEF\xBB\xBFQ:\\"},
        {"an empty first line", "\r\nQ:\\\r\n"s, ""},
    };
    for (const PathFileCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::string home = lt::HomeFolder("pathfile");
        if (c.bytes)
            lt::WriteBytes(home + "\\lumbra.dat", *c.bytes);
        lt::Lumbra lumbra(home);
        ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 5000));
        EXPECT_EQ(lt::WindowText(lumbra.Edit()), c.text);
        EXPECT_EQ(lt::ReadBytes(home + "\\lumbra.dat"), c.bytes) << "start-up never writes the file";
    }
}

TEST(PathFileAtStartUp, TheFileBesideTheExecutableNotInTheWorkingFolder)
{
    std::string home = lt::HomeWith("beside", "Q:\\HOME");
    std::string elsewhere = lt::HomeWith("beside-cwd", "Q:\\CWD");
    lt::Lumbra lumbra(home, SW_SHOWNORMAL, elsewhere);
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 5000));
    EXPECT_EQ(lt::WindowText(lumbra.Edit()), "Q:\\HOME");
}

TEST(PathFileAtStartUp, FileHeldOpenForWritingLeavesTheDefaults)
{
    lt::ClearFolder("E:");
    std::string home = lt::HomeWith("held", "Q:\\HELD");
    HANDLE held = CreateFileA((home + "\\lumbra.dat").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    lt::Lumbra lumbra(home);
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 5000));
    EXPECT_EQ(lt::WindowText(lumbra.Edit()), "E:\\");
    CloseHandle(held);
}

} // namespace
