// The game's sounds: impacts, engine hums, sirens, menu clicks and the spoken race messages.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/makedata/Generators.h"
#include "tools/makedata/MixLevels.h"
#include "tools/makedata/SoundSynth.h"
#include "tools/makedata/SpeechVoice.h"

namespace {

std::vector<float> Silence(double seconds)
{
    return std::vector<float>(static_cast<std::size_t>(seconds * SOUND_RATE), 0.0f);
}

void AddPartial(std::vector<float>& samples, double hertz, float gain, double decaySeconds)
{
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        samples[i] += static_cast<float>(std::sin(TWO_PI * hertz * t) * gain * std::exp(-t / decaySeconds));
    }
}

void AddNoiseBurst(std::vector<float>& samples, NoiseSource& noise, float gain, double decaySeconds, float smoothing)
{
    float low = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        low += (noise.Next() - low) * smoothing;
        samples[i] += static_cast<float>(low * gain * std::exp(-t / decaySeconds));
    }
}

struct Material {
    std::vector<double> partialRatios;
    double baseHertz;
    double decaySeconds;
    float noiseGain;
    double noiseDecaySeconds;
    float noiseSmoothing;  // 1 bright, small values dull
};

// Six materials, each struck lightly, medium and heavily: Imp01-Imp18.
const Material MATERIALS[] = {
    {{1.0, 2.76, 5.40, 8.93}, 420, 0.45, 0.4f, 0.02, 0.9f},  // metal
    {{1.0, 2.32, 4.25, 6.63}, 1350, 0.30, 0.3f, 0.01, 1.0f}, // glass
    {{1.0, 2.30, 4.10}, 240, 0.10, 0.8f, 0.04, 0.5f},        // wood
    {{1.0, 1.60}, 85, 0.14, 1.2f, 0.06, 0.15f},              // stone
    {{1.0, 1.90}, 560, 0.07, 0.6f, 0.03, 0.6f},              // plastic
    {{1.0}, 65, 0.12, 1.0f, 0.08, 0.05f},                    // soft ground
};
const double WEIGHT_PITCH[] = {1.0, 0.72, 0.5};
const double WEIGHT_LENGTH[] = {0.8, 1.1, 1.5};

std::vector<float> Impact(const Material& material, int weight, std::uint32_t seed)
{
    std::vector<float> samples = Silence(0.35 + 0.6 * WEIGHT_LENGTH[weight] * material.decaySeconds / 0.3);
    NoiseSource noise(seed);
    const double decay = material.decaySeconds * WEIGHT_LENGTH[weight];
    for (std::size_t k = 0; k < material.partialRatios.size(); ++k)
        AddPartial(samples, material.baseHertz * WEIGHT_PITCH[weight] * material.partialRatios[k],
                   1.0f / static_cast<float>(k + 1), decay / (1.0 + 0.5 * k));
    AddNoiseBurst(samples, noise, material.noiseGain, material.noiseDecaySeconds * WEIGHT_LENGTH[weight],
                  material.noiseSmoothing);
    return samples;
}

// One second of partials at whole hertz: the last sample runs into the first without a click.
std::vector<float> EngineHum(int fundamentalHertz, std::uint32_t seed)
{
    std::vector<float> samples = Silence(1.0);
    NoiseSource phases(seed);
    for (int harmonic = 1; harmonic <= 10; ++harmonic) {
        const double phase = (phases.Next() + 1) * TWO_PI / 2;
        const double gain = 1.0 / harmonic * (harmonic % 2 ? 1.0 : 0.6);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const double t = static_cast<double>(i) / SOUND_RATE;
            // A slow whole-hertz flutter makes it breathe.
            const double flutter = 1.0 + 0.15 * std::sin(TWO_PI * 3 * t + harmonic);
            samples[i] += static_cast<float>(std::sin(TWO_PI * fundamentalHertz * harmonic * t + phase) * gain * flutter);
        }
    }
    return samples;
}

std::vector<float> Beep(double seconds, double hertz)
{
    std::vector<float> samples = Silence(seconds);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        const double edge = std::min({1.0, t / 0.01, (seconds - t) / 0.03});
        const double tone = std::sin(TWO_PI * hertz * t) + 0.3 * std::sin(TWO_PI * hertz * 2 * t) +
                            0.15 * std::sin(TWO_PI * hertz * 3 * t);
        samples[i] = static_cast<float>(tone * edge);
    }
    return samples;
}

std::vector<float> Click(double seconds, double fromHertz, double toHertz)
{
    std::vector<float> samples = Silence(seconds);
    double phase = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / SOUND_RATE;
        phase += TWO_PI * (fromHertz + (toHertz - fromHertz) * t / seconds) / SOUND_RATE;
        samples[i] = static_cast<float>(std::sin(phase) * std::exp(-t / (seconds * 0.3)) * std::min(1.0, t / 0.002));
    }
    return samples;
}

struct Line {
    const char* name;
    const char* text;  // no apostrophes: it goes to espeak-ng in single quotes
    int pitch;
};

const Line LINES[] = {
    {"Strt", "Three. Two. One. Go!", 45},
    {"Cmplt", "Race completed!", 45},
    {"Fld", "Race failed.", 35},
    {"Yea01", "Yeah!", 60},
    {"Yea02", "Excellent!", 55},
    {"Yea03", "Woo hoo!", 65},
    {"Yea04", "Nice move!", 55},
    {"Yea05", "Great driving!", 55},
    {"Foo01", "Whoa!", 55},
    {"Foo02", "Oops!", 60},
    {"Foo03", "Ouch!", 50},
    {"Foo04", "Oh no!", 50},
    {"Foo05", "Watch out!", 55},
};

void Add(AssetSink& sink, const std::string& name, const std::vector<float>& samples, float peak)
{
    sink.Add(name, Pack::SD, NormalisedWav(samples, 1, peak));
}

void GenerateSounds(AssetSink& sink)
{
    char name[64];
    for (int material = 0; material < 6; ++material) {
        for (int weight = 0; weight < 3; ++weight) {
            const int n = material * 3 + weight + 1;
            std::snprintf(name, sizeof name, "Data/Audio/Imp%02d.wav", n);
            Add(sink, name, Impact(MATERIALS[material], weight, 1000u + static_cast<unsigned>(n)), IMPACT_PEAK);
        }
    }
    const int engineHertz[] = {55, 62, 70, 82};
    for (int n = 1; n <= 4; ++n) {
        std::snprintf(name, sizeof name, "Data/Audio/EngB%02d.wav", n);
        Add(sink, name, EngineHum(engineHertz[n - 1], 2000u + static_cast<unsigned>(n)), ENGINE_PEAK);
    }
    Add(sink, "Data/Audio/Add/Srn01.wav", Beep(0.35, 880), SIREN_PEAK);
    Add(sink, "Data/Audio/Add/Srn02.wav", Beep(0.9, 1760), SIREN_PEAK);
    Add(sink, "Data/Audio/Bt/Bt_In.wav", Click(0.04, 2600, 2200), HOVER_CLICK_PEAK);
    Add(sink, "Data/Audio/Bt/Bt_Pr.wav", Click(0.09, 900, 1500), PRESS_CLICK_PEAK);
    for (const Line& line : LINES) {
        std::vector<float> speech = SpeakLine(line.text, "en-us+m3", 160, line.pitch);
        if (speech.empty())
            speech = Silence(0.5);
        Add(sink, std::string("Data/Audio/Add/") + line.name + ".wav", speech, VOICE_PEAK);
    }
}

const GeneratorRegistration registration("sounds", GenerateSounds);

} // namespace
