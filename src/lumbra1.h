// The main window: the prompt for the path, and the launch attempt its timer makes.
#pragma once
#include "ui/layout.h"

using namespace ui;

class TForm1 : public TForm {
public:
    TForm1();

    TImage* back = nullptr;
    TImage* ok = nullptr;
    TImage* infoauth = nullptr;
    TLabel* entfa = nullptr;
    TFileListBox* fl = nullptr;
    TEdit* ent = nullptr;
    TTimer* cyber = nullptr;

    void FormCreate(TObject* Sender);
    void cyberTimer(TObject* Sender);
    void entKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void okMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void okMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    void EnterEntryMode();
    void Confirm();
};

extern TForm1* Form1;
