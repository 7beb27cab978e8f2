#include "engine/ErrorBox.h"

#include "engine/DebugLog.h"
#include "engine/MainWindow.h"

int ShowMessage(const char* text, const char* caption, UINT type)
{
    DebugOut(text);
    return MessageBoxA(mainWindow, text, caption, type);
}
