// What a person sees: the window's pictures, the label and the edit box, read by pixel from
// screenshots, at 96 and at 192 pixels per inch.
#include <gtest/gtest.h>
#include "lumbra_test.h"

namespace {

constexpr COLORREF PromptBlue = RGB(4, 138, 194), CreditsBlue = RGB(0, 120, 160), Silver = RGB(192, 192, 192),
                   Black = RGB(0, 0, 0), OkFaceLight = RGB(150, 210, 240);

// Starts lumbra with path and takes a screenshot while it waits, before the first attempt.
struct Waiting {
    explicit Waiting(const std::string& name, const std::string& path) : home(Prepare(name, path)), lumbra(home)
    {
        lt::MoveMouse(1020, 760); // the pointer out of the pictures
        form = lumbra.Form();
        shown = form && lt::WaitFor([&] { return IsWindowVisible(form); }, 3000);
        Sleep(300); // painted
        origin = lt::WindowRect(form);
    }
    static std::string Prepare(const std::string& name, const std::string& path)
    {
        std::string home = lt::HomeFolder(name);
        lt::WriteBytes(home + "\\lumbra.dat", path + "\r\n");
        return home;
    }
    COLORREF At(const lt::Screenshot& shot, int x, int y) const { return shot.Pixel(origin.left + x, origin.top + y); }
    RECT Area(int left, int top, int right, int bottom) const
    {
        return {origin.left + left, origin.top + top, origin.left + right, origin.top + bottom};
    }
    // The rightmost column of the label strip that holds a silver pixel, in form pixels.
    int LastSilverColumn(const lt::Screenshot& shot) const
    {
        int last = -1;
        for (int x = 0; x < 453; ++x)
            for (int y = 56; y < 69; ++y)
                if (At(shot, x, y) == Silver)
                    last = x;
        return last;
    }

    std::string home;
    lt::Lumbra lumbra;
    HWND form = nullptr;
    bool shown = false;
    RECT origin{};
};

TEST(MainWindow, WaitingViewPixels)
{
    Waiting w("window-waiting", "Q:\\GAMES");
    ASSERT_TRUE(w.shown);
    lt::Screenshot shot;
    shot.Save("waiting");
    EXPECT_FALSE(w.lumbra.EditShown());
    // the two panels, away from their lettering
    for (POINT p : {POINT{5, 5}, POINT{150, 75}, POINT{5, 136}, POINT{225, 70}})
        EXPECT_EQ(w.At(shot, p.x, p.y), PromptBlue) << p.x << "," << p.y;
    for (POINT p : {POINT{227, 3}, POINT{300, 138}, POINT{452, 70}, POINT{226, 70}})
        EXPECT_EQ(w.At(shot, p.x, p.y), CreditsBlue) << p.x << "," << p.y;
    EXPECT_EQ(w.At(shot, 226, 141), CreditsBlue) << "the credits panel is drawn over the prompt panel's last column";
    // the label: a black strip with the path in silver, nothing else
    RECT label = w.Area(17, 56, 115, 69);
    int silver = shot.Count(label, Silver), black = shot.Count(label, Black);
    EXPECT_GT(silver, 20);
    EXPECT_EQ(silver + black, 98 * 13) << "only black and silver in the label";
    EXPECT_EQ(shot.Count(w.Area(16, 56, 17, 69), PromptBlue), 13) << "the strip starts at 17";
    EXPECT_EQ(shot.Count(w.Area(115, 56, 116, 69), PromptBlue), 13) << "and ends at 115";
    // the OK picture is hidden: its place is plain blue
    EXPECT_EQ(shot.Count(w.Area(47, 88, 93, 117), PromptBlue), 46 * 29);
}

TEST(MainWindow, EntryViewShowsTheEditBoxAndTheOkPicture)
{
    Waiting w("window-entry", "Q:\\GAMES");
    ASSERT_TRUE(lt::WaitFor([&] { return w.lumbra.EditShown(); }, 5000));
    SendMessageA(w.lumbra.Edit(), EM_SETSEL, 0, 0); // unselect, to see the text's own colours
    Sleep(300);
    lt::Screenshot shot;
    shot.Save("entry");
    RECT edit = lt::WindowRect(w.lumbra.Edit());
    EXPECT_EQ(edit.left - w.origin.left, 17);
    EXPECT_EQ(edit.top - w.origin.top, 56);
    EXPECT_EQ(edit.right - edit.left, 98);
    EXPECT_EQ(edit.bottom - edit.top, 13);
    RECT strip = w.Area(17, 56, 115, 69);
    int silver = shot.Count(strip, Silver), black = shot.Count(strip, Black);
    EXPECT_GT(silver, 20) << "the typed path in silver";
    EXPECT_GT(silver + black, 98 * 13 - 30) << "on black (the caret aside)";
    EXPECT_EQ(w.At(shot, 47, 88), Black) << "the OK picture's border";
    EXPECT_EQ(w.At(shot, 48, 89), OkFaceLight) << "its face";
    EXPECT_EQ(w.At(shot, 70, 95), RGB(40, 160, 214));
}

TEST(MainWindow, LongPathIsCutAtTheLabelsEdge)
{
    Waiting w("window-long", "Q:\\" + std::string(60, 'W'));
    ASSERT_TRUE(w.shown);
    lt::Screenshot shot;
    EXPECT_GE(w.LastSilverColumn(shot), 110) << "the text reaches the edge";
    EXPECT_LE(w.LastSilverColumn(shot), 114) << "and is cut there";
    EXPECT_EQ(shot.Count(w.Area(115, 56, 140, 69), PromptBlue), 25 * 13) << "the label does not grow";
}

TEST(MainWindow, AmpersandIsShownAsItStands)
{
    int plain = 0, ampersand = 0;
    {
        Waiting w("window-amp1", "Q:\\RD");
        ASSERT_TRUE(w.shown);
        plain = w.LastSilverColumn(lt::Screenshot());
    }
    {
        Waiting w("window-amp2", "Q:\\R&D");
        ASSERT_TRUE(w.shown);
        lt::Screenshot shot;
        shot.Save("ampersand");
        ampersand = w.LastSilverColumn(shot);
    }
    EXPECT_GT(ampersand, plain + 3) << "the ampersand takes its own place";
}

TEST(MainWindow, CentredOnThePrimaryScreen)
{
    Waiting w("window-centre", "Q:\\GAMES");
    ASSERT_TRUE(w.shown);
    EXPECT_EQ(w.origin.left, (GetSystemMetrics(SM_CXSCREEN) - 453) / 2);
    EXPECT_EQ(w.origin.top, (GetSystemMetrics(SM_CYSCREEN) - 142) / 2);
}

TEST(MainWindow, MaximisedShowsThePicturesAndTheListOnBlack)
{
    std::string home = Waiting::Prepare("window-max", "Q:\\GAMES");
    lt::PutStub(home + "\\GAME.EXE");
    lt::Lumbra lumbra(home, SW_SHOWMAXIMIZED);
    HWND form = lumbra.Form();
    ASSERT_TRUE(lt::WaitFor([&] { return IsWindowVisible(form); }, 3000));
    Sleep(300);
    lt::Screenshot shot;
    shot.Save("maximised");
    EXPECT_EQ(shot.Pixel(5, 5), PromptBlue);
    EXPECT_EQ(shot.Pixel(600, 400), Black);
    EXPECT_EQ(shot.Pixel(1000, 700), Black);
    RECT list = lt::WindowRect(lumbra.List());
    EXPECT_EQ(list.left, 8);
    EXPECT_EQ(list.top, 144);
    EXPECT_EQ(lt::ListItems(lumbra.List()), (std::vector<std::string>{"GAME.EXE", "lumbra.exe"}));
}

// Sets the prefix's display resolution for the processes started afterwards.
void SetLogPixels(DWORD ppi)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ppi), sizeof ppi);
    RegCloseKey(key);
}

TEST(MainWindow, At192PixelsPerInchEverythingIsTwiceAsLarge)
{
    SetLogPixels(192);
    std::string home = Waiting::Prepare("window-dpi", "Q:\\GAMES");
    lt::Lumbra lumbra(home);
    HWND form = lumbra.Form();
    bool shown = form && lt::WaitFor([&] { return IsWindowVisible(form); }, 3000);
    SetLogPixels(96);
    ASSERT_TRUE(shown);
    Sleep(300);
    RECT r = lt::WindowRect(form);
    EXPECT_EQ(r.right - r.left, 906);
    EXPECT_EQ(r.bottom - r.top, 284);
    EXPECT_EQ(r.left, (1024 - 906) / 2);
    EXPECT_EQ(r.top, (768 - 284) / 2);
    lt::Screenshot shot;
    shot.Save("dpi192");
    // Pixel art doubled: every 2x2 block of the prompt panel's lettering is one colour.
    int blocks = 0, uneven = 0;
    for (int y = 0; y < 100; y += 2)
        for (int x = 0; x < 300; x += 2) {
            COLORREF c = shot.Pixel(r.left + x, r.top + y);
            ++blocks;
            if (shot.Pixel(r.left + x + 1, r.top + y) != c || shot.Pixel(r.left + x, r.top + y + 1) != c ||
                shot.Pixel(r.left + x + 1, r.top + y + 1) != c)
                ++uneven;
        }
    EXPECT_EQ(uneven, 0) << "of " << blocks << " blocks";
    ASSERT_TRUE(lt::WaitFor([&] { return lumbra.EditShown(); }, 5000));
    RECT edit = lt::WindowRect(lumbra.Edit());
    EXPECT_EQ(edit.left - r.left, 34);
    EXPECT_EQ(edit.right - edit.left, 196);
}

} // namespace
