// The game's music: four race tracks, the looping menu music and the splash screen's jingle,
// played by the sequencer.
#include <string>
#include <vector>

#include "tools/makedata/Generators.h"
#include "tools/makedata/MixLevels.h"
#include "tools/makedata/Sequencer.h"
#include "tools/makedata/SoundSynth.h"

namespace {

struct Track {
    const char* name;
    SongPlan plan;
};

std::vector<Track> Tracks()
{
    const std::vector<Chord> minorDrive {{0, true}, {8, false}, {3, false}, {10, false}};
    const std::vector<Chord> minorDark {{0, true}, {5, true}, {7, true}, {0, true}};
    const std::vector<Chord> majorLift {{0, false}, {7, false}, {9, true}, {5, false}};
    const std::vector<Chord> modal {{0, true}, {10, false}, {8, false}, {10, false}};
    return {
        // Race tracks: 48 bars at 128 bpm and longer, 90 s or more each.
        {"Data/Audio/TrR01.wav", {128, 52, 57, minorDrive, 11, false, 4, 2}},
        {"Data/Audio/TrR02.wav", {136, 56, 52, minorDark, 12, false, 4, 4}},
        {"Data/Audio/TrR03.wav", {124, 48, 60, majorLift, 13, false, 8, 2}},
        {"Data/Audio/TrR04.wav", {140, 56, 55, modal, 14, false, 4, 2}},
        // Menu music: loops without a seam.
        {"Data/Audio/TrI01.wav", {96, 16, 57, {{0, true}, {5, true}, {8, false}, {7, false}}, 21, true, 16, 0}},
        // Splash jingle: two bars.
        {"Data/Audio/Start logo.wav", {120, 2, 64, {{0, false}, {7, false}}, 31, false, 0, 0}},
    };
}

void GenerateMusic(AssetSink& sink)
{
    for (const Track& track : Tracks())
        sink.Add(track.name, Pack::SD, NormalisedWav(RenderSong(track.plan), 2, MUSIC_PEAK));
}

const GeneratorRegistration registration("music", GenerateMusic);

} // namespace
