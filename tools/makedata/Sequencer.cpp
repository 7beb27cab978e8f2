#include "tools/makedata/Sequencer.h"

#include <array>
#include <cmath>

#include "tools/makedata/SoundSynth.h"

namespace {

constexpr std::size_t TABLE_SIZE = 4096;
// Seconds of ring-out after the last bar of a song that does not loop.
constexpr double TAIL_SECONDS = 2.0;

double NoteHertz(int note)
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// One period of a soft, band-limited sawtooth and of a sine.
struct WaveTables {
    std::array<float, TABLE_SIZE> saw {};
    std::array<float, TABLE_SIZE> sine {};
    WaveTables()
    {
        for (std::size_t i = 0; i < TABLE_SIZE; ++i) {
            const double phase = TWO_PI * static_cast<double>(i) / TABLE_SIZE;
            sine[i] = static_cast<float>(std::sin(phase));
            double value = 0;
            for (int harmonic = 1; harmonic <= 8; ++harmonic)
                value += std::sin(phase * harmonic) / harmonic;
            saw[i] = static_cast<float>(value * 0.6);
        }
    }
};

const WaveTables& Tables()
{
    static const WaveTables tables;
    return tables;
}

class Mix {
public:
    Mix(std::size_t frames, bool wrap) : samples(frames * 2), wrap(wrap) {}

    void Add(std::size_t frame, float left, float right)
    {
        const std::size_t frames = samples.size() / 2;
        if (frame >= frames) {
            if (!wrap)
                return;
            frame %= frames;
        }
        samples[frame * 2] += left;
        samples[frame * 2 + 1] += right;
    }

    // A tone from a table with an attack and an exponential decay (or a hold and release).
    void Tone(const std::array<float, TABLE_SIZE>& table, std::size_t start, double seconds, double hertz,
              float gain, float pan, double attack, double decay)
    {
        const auto frames = static_cast<std::size_t>((seconds + decay * 4) * SOUND_RATE);
        const double step = hertz * TABLE_SIZE / SOUND_RATE;
        double phase = 0;
        for (std::size_t i = 0; i < frames; ++i) {
            const double t = static_cast<double>(i) / SOUND_RATE;
            double envelope = attack > 0 && t < attack ? t / attack : 1.0;
            if (t > seconds)
                envelope *= std::exp(-(t - seconds) / decay);
            const float value = table[static_cast<std::size_t>(phase) % TABLE_SIZE] * gain * static_cast<float>(envelope);
            Add(start + i, value * (1 - pan), value * (1 + pan));
            phase += step;
        }
    }

    std::vector<float> samples;

private:
    bool wrap;
};

void Kick(Mix& mix, std::size_t start)
{
    double phase = 0;
    for (std::size_t i = 0; i < SOUND_RATE / 3; ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        phase += TWO_PI * (45 + 90 * std::exp(-t * 30)) / SOUND_RATE;
        const auto value = static_cast<float>(std::sin(phase) * std::exp(-t * 9) * 0.9);
        mix.Add(start + i, value, value);
    }
}

void Snare(Mix& mix, std::size_t start, NoiseSource& noise)
{
    for (std::size_t i = 0; i < SOUND_RATE / 5; ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        const double body = std::sin(TWO_PI * 185 * t) * std::exp(-t * 30) * 0.3;
        const auto value = static_cast<float>((noise.Next() * 0.45 * std::exp(-t * 18)) + body);
        mix.Add(start + i, value * 0.9f, value);
    }
}

void HiHat(Mix& mix, std::size_t start, NoiseSource& noise, float gain)
{
    float previous = 0;
    for (std::size_t i = 0; i < SOUND_RATE / 20; ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        const float white = noise.Next();
        const auto value = static_cast<float>((white - previous) * 0.5 * gain * std::exp(-t * 70));
        previous = white;
        mix.Add(start + i, value, value * 0.8f);
    }
}

std::array<int, 3> ChordNotes(int root, const Chord& chord)
{
    return {root + chord.root, root + chord.root + (chord.minor ? 3 : 4), root + chord.root + 7};
}

} // namespace

std::vector<float> RenderSong(const SongPlan& plan)
{
    const WaveTables& tables = Tables();
    const double beat = 60.0 / plan.beatsPerMinute;
    const auto beatFrames = static_cast<std::size_t>(beat * SOUND_RATE);
    const std::size_t barFrames = beatFrames * 4;
    const std::size_t songFrames = barFrames * static_cast<std::size_t>(plan.bars);
    Mix mix(songFrames + (plan.loop ? 0 : static_cast<std::size_t>(TAIL_SECONDS * SOUND_RATE)), plan.loop);
    NoiseSource noise(plan.seed);
    NoiseSource choices(plan.seed * 7919u + 13u);
    const int bassPattern = static_cast<int>((choices.Next() + 1) * 128);

    for (int bar = 0; bar < plan.bars; ++bar) {
        const Chord& chord = plan.progression[static_cast<std::size_t>(bar) % plan.progression.size()];
        const std::size_t barStart = barFrames * static_cast<std::size_t>(bar);
        const bool intro = bar < plan.introBars;
        const bool outro = bar >= plan.bars - plan.outroBars;
        const bool arpeggioBlock = (bar / 8) % 2 == 0 || choices.Next() > 0.3f;

        if (!outro) {
            const auto notes = ChordNotes(plan.keyNote, chord);
            for (std::size_t n = 0; n < notes.size(); ++n) {
                const float pan = (static_cast<float>(n) - 1.0f) * 0.5f;
                for (double detune : {0.997, 1.003})
                    mix.Tone(tables.saw, barStart, beat * 4, NoteHertz(notes[n]) * detune, 0.05f, pan, 0.25, 0.35);
            }
        }
        if (!outro && arpeggioBlock) {
            const auto notes = ChordNotes(plan.keyNote + 12, chord);
            for (int step = 0; step < 16; ++step) {
                const int note = notes[static_cast<std::size_t>(step % 3)] + (step / 3 % 2) * 12;
                mix.Tone(tables.sine, barStart + beatFrames * step / 4, 0.02, NoteHertz(note), 0.12f,
                         step % 2 ? 0.4f : -0.4f, 0.002, 0.09);
            }
        }
        if (intro)
            continue;
        for (int eighth = 0; eighth < 8; ++eighth) {
            const std::size_t at = barStart + beatFrames * eighth / 2;
            if (((bassPattern >> eighth) & 1) || eighth == 0) {
                const int octave = (eighth == 3 || eighth == 7) ? 12 : 0;
                mix.Tone(tables.saw, at, beat * 0.3, NoteHertz(plan.keyNote - 24 + chord.root + octave), 0.3f, 0, 0.004,
                         0.08);
            }
            HiHat(mix, at, noise, eighth % 2 ? 0.5f : 0.25f);
        }
        for (int b = 0; b < 4; ++b) {
            if (b % 2 == 0)
                Kick(mix, barStart + beatFrames * b);
            else
                Snare(mix, barStart + beatFrames * b, noise);
        }
        if (bar % 4 == 3)
            Kick(mix, barStart + beatFrames * 7 / 2);
    }
    return mix.samples;
}
