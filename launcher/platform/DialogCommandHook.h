#pragma once
// Test builds only: a client message "VESTRUNE_DIALOG_COMMAND" sent to a dialog's X window
// reaches its dialog procedure as WM_COMMAND with the command id from the message's first
// long, so that tests can send commands that no control of the dialog sends.

#include "launcher/platform/WinTypes.h"

void AttachDialogCommandHook(HWND dialog);
void DetachDialogCommandHook(HWND dialog);
