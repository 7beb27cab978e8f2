#pragma once

#include <cmath>

// Three-float vector used throughout the collision library.
struct Vec3
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    static Vec3 FromArray(const float* v) { return {v[0], v[1], v[2]}; }
    void ToArray(float* out) const
    {
        out[0] = x;
        out[1] = y;
        out[2] = z;
    }

    float operator[](int axis) const { return axis == 0 ? x : (axis == 1 ? y : z); }
    float& operator[](int axis) { return axis == 0 ? x : (axis == 1 ? y : z); }
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline Vec3 Abs(Vec3 a) { return {std::fabs(a.x), std::fabs(a.y), std::fabs(a.z)}; }

// Unit vector along a; the zero vector stays zero.
inline Vec3 Normalise(Vec3 a)
{
    const float length = std::sqrt(Dot(a, a));
    if (length == 0.0f)
        return {};
    return {a.x / length, a.y / length, a.z / length};
}
