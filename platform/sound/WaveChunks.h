#pragma once
// The chunks of a RIFF/WAVE image read through the multimedia I/O, one reading for the sound
// buffers' wave files and the music loader alike.
#include "platform/sound/Mmio.h"

// Descends into the outer chunk, which must be "RIFF" with the form type "WAVE".
bool DescendIntoWave(HMMIO file, MMCKINFO* riff);

// Finds the "fmt " chunk in the RIFF chunk and ascends out of it. The chunk holds at least the
// 16 bytes of a PCM format with channels, rate and block align not 0; a PCM format gets an extra
// size of 0, any other tag keeps its extra size and bytes. Null when malformed; the format is
// freed with std::free.
WAVEFORMATEX* ReadWaveFormat(HMMIO file, const MMCKINFO& riff);

// Searches the "data" chunk from the start of the RIFF chunk's data and leaves the file at its
// first sample. A size past the end of the image (a file written to a pipe, or cut short) is cut
// to the bytes present. False when there is no such chunk or it holds fewer than DSBSIZE_MIN
// bytes, the smallest sound buffer.
bool FindWaveData(HMMIO file, const MMCKINFO& riff, MMCKINFO* data);
