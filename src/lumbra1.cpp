#include "lumbra1.h"
#include <shellapi.h>
#include "pathfile.h"
#include "ui/application.h"
#include "ui/sysutils.h"

TForm1* Form1 = nullptr;

namespace {

const TFont PathFont{DEFAULT_CHARSET, clSilver, -11, "MS Sans Serif"};

const TControlSpec<TForm1> Form1Controls[] = {
    {"back", &TForm1::back, {0, 0, 227, 142}, {.autoSize = true, .picture = "BACK"}, {}},
    {"ok", &TForm1::ok, {47, 88, 46, 29}, {.autoSize = true, .picture = "OK"},
     {.onMouseDown = &TForm1::okMouseDown, .onMouseUp = &TForm1::okMouseUp}},
    {"infoauth", &TForm1::infoauth, {226, 0, 227, 142}, {.autoSize = true, .picture = "INFOAUTH"}, {}},
    // The path is shown as it stands: an "&" in it is no accelerator mark.
    {"entfa", &TForm1::entfa, {17, 56, 98, 13}, {.showAccelChar = false, .font = &PathFont}, {}},
    {"fl", &TForm1::fl, {8, 144, 145, 169}, {.mask = "*.exe", .itemHeight = 13, .tabOrder = 0}, {}},
    {"ent", &TForm1::ent, {17, 56, 98, 13},
     {.font = &PathFont, .color = clBlack, .borderless = true, .text = "E:\\", .tabOrder = 1},
     {.onKeyDown = &TForm1::entKeyDown}},
    {"cyber", &TForm1::cyber, {}, {.interval = 2000, .enabled = true}, {.onTimer = &TForm1::cyberTimer}},
};

const TFormLayout<TForm1> Form1Layout{
    .form = {.className = "TForm1",
             .left = 192,
             .top = 107,
             .clientWidth = 453,
             .clientHeight = 319,
             .caption = "Form1",
             .color = clBlack,
             .font = {DEFAULT_CHARSET, clWindowText, -11, "MS Sans Serif"},
             .icon = "MAINICON",
             .position = TPosition::poScreenCenter},
    .controls = Form1Controls,
    .onCreate = &TForm1::FormCreate,
};

// The file to start: the entry the path named, else the first one; never this program.
std::string ChooseFile(TFileListBox& list, bool named)
{
    if (!named)
        list.SetItemIndex(0);
    const std::string self = ModuleFileName();
    const int count = static_cast<int>(list.Items().size());
    for (int i = list.ItemIndex(); i >= 0 && i < count; ++i) {
        std::string file = list.FullPath(i);
        if (!SameFile(file, self)) {
            list.SetItemIndex(i);
            return file;
        }
    }
    throw Exception("Nothing to start");
}

void Launch(HWND owner, const std::string& file)
{
    auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(owner, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32)
        throw Exception("The shell could not open " + file);
}

} // namespace

TForm1::TForm1()
{
    LoadLayout(*this, Form1Layout);
}

void TForm1::FormCreate(TObject*)
{
    SetHeight(142);
    SetWidth(453);
    ok->Hide();
    ent->Hide();
    try {
        std::string path = ReadPath();
        entfa->SetCaption(path.c_str());
        ent->SetText(path.c_str());
    } catch (...) {
        // no readable path file: the stored defaults stay
    }
}

void TForm1::cyberTimer(TObject*)
{
    QuietDriveErrors quiet; // a drive without a disc fails at once, without the system's prompt
    try {
        bool named = fl->ApplyFilePath(ent->Text());
        std::string file = ChooseFile(*fl, named);
        cyber->SetEnabled(false); // no second attempt while the shell works
        Launch(Handle(), file);
    } catch (...) {
        EnterEntryMode();
        return;
    }
    Application->Halt(0);
}

void TForm1::EnterEntryMode()
{
    ok->Show();
    ent->Show();
    ent->SetFocus();
    ent->SelectAll();
    cyber->SetEnabled(false);
}

void TForm1::entKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key == VK_RETURN)
        Confirm();
}

void TForm1::okMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    ok->SetBounds(ok->Left() + 2, ok->Top() + 2, ok->Width(), ok->Height());
}

void TForm1::okMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    ok->SetBounds(ok->Left() - 2, ok->Top() - 2, ok->Width(), ok->Height());
    Confirm();
}

void TForm1::Confirm()
{
    WritePath(ent->Text());
    entfa->SetCaption(ent->Text().c_str());
    ent->Hide();
    ok->Hide();
    cyber->SetEnabled(true);
}
