// The launcher's dialog templates.

#include "launcher/LauncherResources.h"

#include "launcher/platform/WinUser.h"

namespace {

constexpr DWORD kFlatButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_FLAT;

constexpr DialogItemTemplate kMainItems[] = {
    {IDC_PLAY, "button", "PLAY", kFlatButton, 7, 215, 76, 14},
    {IDC_CLOSE, "button", "CLOSE", kFlatButton, 377, 215, 49, 14},
    {IDC_BROWSER, "static", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 7, 7, 419, 202},
    {IDC_GAMEPAD, "button", "GAMEPAD", kFlatButton, 101, 215, 73, 14},
};

constexpr DialogTemplate kMainDialog = {
    WS_POPUP | WS_BORDER | DS_SETFONT, nullptr, "MS Sans Serif", 8, 0, 0, 433, 236, kMainItems,
};

constexpr DWORD kHiddenCheckBox = WS_CHILD | WS_TABSTOP | WS_DISABLED | BS_AUTOCHECKBOX;

constexpr DialogItemTemplate kOptionsItems[] = {
    {IDOK, "button", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 71, 59, 50, 14},
    {IDCANCEL, "button", "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 129, 59, 50, 14},
    {IDC_MOTION_BLUR, "button", "Motion Blur", kHiddenCheckBox, 13, 18, 96, 10},
    {IDC_LENS_FLARE, "button", "Lens Flare", kHiddenCheckBox, 13, 32, 49, 10},
    {IDC_BLOOM, "button", "Bloom", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 123, 18, 35, 10},
    {IDC_SMOKE, "button", "Smoke", kHiddenCheckBox, 123, 32, 38, 10},
    {-1, "button", "Video", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 7, 7, 172, 47},
};

constexpr DialogTemplate kOptionsDialog = {
    WS_CAPTION | DS_SETFONT, "Options", "MS Sans Serif", 8, 0, 0, 186, 80, kOptionsItems,
};

constexpr DialogResource kDialogResources[] = {
    {IDD_MAIN, &kMainDialog},
    {IDD_OPTIONS, &kOptionsDialog},
};

}  // namespace

std::span<const DialogResource> ModuleDialogResources() { return kDialogResources; }
