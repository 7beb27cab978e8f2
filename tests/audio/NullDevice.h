#pragma once
// OpenAL Soft's null device unless the environment names another: the tests never need a
// sound card. Called before the process's first OpenAL call.
#include <cstdlib>

inline void PreferNullSoundDevice()
{
    setenv("ALSOFT_DRIVERS", "null", 0);
}
