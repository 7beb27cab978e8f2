#pragma once
// GTK start-up for the dialog layer and the embedded browser.

// Initialises GTK once (with the dialog look) and tells whether a display is available.
bool EnsureGtk();
