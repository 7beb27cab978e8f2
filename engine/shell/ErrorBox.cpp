#include "engine/shell/ErrorBox.h"

#include "engine/shell/DebugLog.h"
#include "engine/shell/MainWindow.h"

int ShowMessage(const char* text, const char* caption, UINT type)
{
    DebugOut(text);
    return MessageBoxA(mainWindow, text, caption, type);
}
