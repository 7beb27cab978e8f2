#pragma once
// Resource and command ids of the launcher's dialogs.

inline constexpr int IDD_MAIN = 101;
inline constexpr int IDD_OPTIONS = 105;

// Commands of the main dialog; the buttons send 1000, 1002 and 1003.
inline constexpr int IDC_PLAY = 1000;
inline constexpr int IDC_OPTIONS = 1001;
inline constexpr int IDC_CLOSE = 1002;
inline constexpr int IDC_GAMEPAD = 1003;
inline constexpr int IDC_END = 1004;
inline constexpr int IDC_README = 1005;
inline constexpr int IDC_BROWSER = 1026;

// Check boxes of the options dialog.
inline constexpr int IDC_MOTION_BLUR = 1007;
inline constexpr int IDC_LENS_FLARE = 1008;
inline constexpr int IDC_BLOOM = 1009;
inline constexpr int IDC_SMOKE = 1010;
