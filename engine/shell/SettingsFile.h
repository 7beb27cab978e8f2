#pragma once
// "Game.ini": reading, writing, clamping and the defaults of a first start.

// Reads every setting from the file in the working folder, clamps, and fills the vertex templates.
void LoadGameIni(const char* fileName);
// Writes the options the menu changes into the file in one replace, keeping every other line;
// TRUE when written, FALSE when the file was left as it was.
int SaveGameIni();
void ClampSettings();
// The defaults, then SaveGameIni.
void ResetSettings();
