#pragma once
// The state of the thread's COM apartment, kept by CoInitialize and OleInitialize.

// True between OleInitialize and the matching OleUninitialize.
bool OleIsInitialized();
