#pragma once
// A tiny sequencer for the game's music: drums, bass, pads and an arpeggio over a repeating
// chord progression, mixed to interleaved stereo at the game's rate. A looping song wraps the
// tails of its last notes around to its start, so it loops without a seam.
#include <cstdint>
#include <vector>

struct Chord {
    int root;  // semitones above the key's root
    bool minor;
};

struct SongPlan {
    double beatsPerMinute;
    int bars;  // four beats each
    int keyNote;  // MIDI note of the key's root; the bass plays two octaves below it
    std::vector<Chord> progression;  // one chord a bar, repeating
    std::uint32_t seed;
    bool loop;
    int introBars;  // pads and arpeggio only
    int outroBars;  // drums and bass only
};

// Interleaved left/right samples, not yet normalised.
std::vector<float> RenderSong(const SongPlan& plan);
