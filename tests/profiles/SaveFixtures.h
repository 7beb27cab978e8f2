#pragma once
// Building profile and records files byte by byte for the tests.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "frontend/Profiles.h"
#include "frontend/Records.h"

inline ProfileImage SampleProfile(const char* name)
{
    ProfileImage profile {};
    std::strncpy(profile.name, name, PLAYER_NAME_SIZE - 1);
    ResetCareer(profile.career);
    profile.career.places[5] = 2;
    profile.career.times[5] = 83.25f;
    profile.career.stage = 1;
    profile.career.sector = 2;
    profile.career.noCareer = 0;
    profile.career.upgradePoints = 3;
    profile.career.speedLevel = 7;
    return profile;
}

template <typename T>
std::vector<std::uint8_t> BytesOf(const T& value)
{
    std::vector<std::uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

inline std::vector<std::uint8_t> BytesOfFile(const std::string& content)
{
    return std::vector<std::uint8_t>(content.begin(), content.end());
}
