#pragma once

#include <windows.h>

// Gives a modeless dialog its keyboard (Enter, Escape, Tab, mnemonics) in
// whatever message loop runs on its thread for as long as this object lives.
// The loops the program runs (its main loop, a modal dialog's, a message
// box's, a pop-up menu's) ask the dialog manager about their own dialog only,
// so the keys are handed to it from a message hook of the thread. GUI thread
// only.
class DialogKeyboard {
public:
    explicit DialogKeyboard(HWND dialog);
    ~DialogKeyboard();
    DialogKeyboard(const DialogKeyboard&) = delete;
    DialogKeyboard& operator=(const DialogKeyboard&) = delete;

private:
    HWND m_dialog;
};
