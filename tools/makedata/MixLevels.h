#pragma once
// Peak of each family of generated sounds, as a fraction of full scale. At full master, music
// and effects volumes the game plays them at unity gain, so together they must leave headroom:
// the music and the loudest moments over it (a voice message, a close impact, the grid's
// engines) stay below about -1 dBFS, and a scooter's engine sits a few decibels under the music.
constexpr float MUSIC_PEAK = 0.6f;
constexpr float VOICE_PEAK = 0.6f;
constexpr float IMPACT_PEAK = 0.4f;
constexpr float ENGINE_PEAK = 0.14f;
constexpr float SIREN_PEAK = 0.35f;
constexpr float HOVER_CLICK_PEAK = 0.25f;
constexpr float PRESS_CLICK_PEAK = 0.35f;
