#pragma once
// INI ("private profile") files with the Windows semantics the game relies on: section and key
// names compared without regard to case, values trimmed, a default for what is missing, and
// writes that create the file and section and keep every other line.
#include "platform/win/WinTypes.h"

// Copies the value (or the default when the file, section or key is missing) into buffer,
// cut to size-1 characters; returns the number of characters copied. A file that is there but
// is not read (IniDocument::Load) gives the defaults, with one line on stderr. The file read
// last is kept while it stays unchanged, so that reading all its keys reads it once.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                               LPSTR buffer, DWORD size, LPCSTR fileName);

// Sets key=value in section, creating the file and the section when missing. A null value
// removes the key, a null key removes the whole section. The file is replaced whole (see
// FileReplace.h): FALSE when it cannot be read or written, and the file is then as it was.
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
