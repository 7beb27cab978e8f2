#pragma once
// Input records written by the window procedure and polled (and often cleared) by the frame.

struct InputState {
    int leftButton;
    int rightButton;
    int escape;
    int shift;
    int tab;
    int enter;
    int space;
    int left;
    int right;
    int up;
    int down;
    int pageDown;
    int pageUp;
    int home;
    int end;
    int insert;
    int del;
    // 1 while the menu takes typed text; the window procedure sets 3 on Backspace.
    int textEntry;
    int typedChar;
};

// Mouse position in units of the 800 x 600 virtual screen.
struct MouseState {
    int x;
    int previousX;
    int y;
    int previousY;
};

struct ActionKey {
    int* pressed;
    int key; // virtual-key code
};

enum ActionIndex {
    ACTION_ACCELERATE = 0,
    ACTION_BRAKE = 1,
    ACTION_LEFT = 2,
    ACTION_RIGHT = 3,
    ACTION_CAMERA_C = 4,
    ACTION_CAMERA_B = 5,
    ACTION_COUNT = 6,
};

extern InputState inputState;
extern MouseState mouseState;
// Pressed flags of the six action keys, in ActionIndex order.
extern int actionPressed[ACTION_COUNT];
extern ActionKey ActionKeyBinding[ACTION_COUNT];

// The input flag a virtual key sets, or null for keys the game does not track.
int* InputFlagOfKey(int virtualKey);
