#include "engine/shell/ProgramEntry.h"
#include "platform/win/WinWindow.h"

// The command line is not used.
int main()
{
    return WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWNORMAL);
}
