#pragma once
// Spoken lines from espeak-ng, run at build time, as mono samples at the game's rate.
#include <string>
#include <vector>

// voice: an espeak-ng voice name ("en-us+m3"). Empty when espeak-ng cannot be run.
std::vector<float> SpeakLine(const std::string& text, const std::string& voice, int wordsPerMinute, int pitch);
