#pragma once
// The utility library's vector and matrix math: left-handed frame, row vectors, row-major
// matrices (a point p maps to p x M; translation in _41, _42, _43).
#include "platform/gfx/D3D9.h"

struct D3DXVECTOR2 {
    float x = 0, y = 0;
    D3DXVECTOR2() = default;
    D3DXVECTOR2(float x_, float y_) : x(x_), y(y_) {}
    D3DXVECTOR2 operator+(const D3DXVECTOR2& v) const { return {x + v.x, y + v.y}; }
    D3DXVECTOR2 operator-(const D3DXVECTOR2& v) const { return {x - v.x, y - v.y}; }
    D3DXVECTOR2 operator*(float s) const { return {x * s, y * s}; }
    bool operator==(const D3DXVECTOR2&) const = default;
};

struct D3DXVECTOR3 : D3DVECTOR {
    D3DXVECTOR3() : D3DVECTOR {0, 0, 0} {}
    D3DXVECTOR3(float x_, float y_, float z_) : D3DVECTOR {x_, y_, z_} {}
    D3DXVECTOR3(const D3DVECTOR& v) : D3DVECTOR(v) {}
    D3DXVECTOR3 operator+(const D3DXVECTOR3& v) const { return {x + v.x, y + v.y, z + v.z}; }
    D3DXVECTOR3 operator-(const D3DXVECTOR3& v) const { return {x - v.x, y - v.y, z - v.z}; }
    D3DXVECTOR3 operator-() const { return {-x, -y, -z}; }
    D3DXVECTOR3 operator*(float s) const { return {x * s, y * s, z * s}; }
    D3DXVECTOR3 operator/(float s) const { return {x / s, y / s, z / s}; }
    D3DXVECTOR3& operator+=(const D3DXVECTOR3& v) { x += v.x; y += v.y; z += v.z; return *this; }
    D3DXVECTOR3& operator-=(const D3DXVECTOR3& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
    D3DXVECTOR3& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }
    bool operator==(const D3DXVECTOR3& v) const { return x == v.x && y == v.y && z == v.z; }
};
inline D3DXVECTOR3 operator*(float s, const D3DXVECTOR3& v) { return v * s; }

struct D3DXVECTOR4 {
    float x = 0, y = 0, z = 0, w = 0;
    D3DXVECTOR4() = default;
    D3DXVECTOR4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    D3DXVECTOR4(const D3DVECTOR& v, float w_) : x(v.x), y(v.y), z(v.z), w(w_) {}
    D3DXVECTOR4 operator+(const D3DXVECTOR4& v) const { return {x + v.x, y + v.y, z + v.z, w + v.w}; }
    D3DXVECTOR4 operator-(const D3DXVECTOR4& v) const { return {x - v.x, y - v.y, z - v.z, w - v.w}; }
    D3DXVECTOR4 operator*(float s) const { return {x * s, y * s, z * s, w * s}; }
    bool operator==(const D3DXVECTOR4&) const = default;
};

struct D3DXMATRIX : D3DMATRIX {
    D3DXMATRIX() : D3DMATRIX {} {}
    D3DXMATRIX(const D3DMATRIX& m_) : D3DMATRIX(m_) {}
    D3DXMATRIX(float m11, float m12, float m13, float m14, float m21, float m22, float m23, float m24,
               float m31, float m32, float m33, float m34, float m41, float m42, float m43, float m44);
    float& operator()(int row, int column) { return m[row][column]; }
    float operator()(int row, int column) const { return m[row][column]; }
    D3DXMATRIX operator*(const D3DXMATRIX& other) const;
    D3DXMATRIX& operator*=(const D3DXMATRIX& other);
};

struct D3DXQUATERNION {
    float x = 0, y = 0, z = 0, w = 1;
};

struct D3DXPLANE {
    float a = 0, b = 0, c = 0, d = 0;
};

struct D3DXCOLOR {
    float r = 0, g = 0, b = 0, a = 0;
    D3DXCOLOR() = default;
    D3DXCOLOR(float r_, float g_, float b_, float a_) : r(r_), g(g_), b(b_), a(a_) {}
    explicit D3DXCOLOR(D3DCOLOR argb);
    operator D3DCOLOR() const;
    operator D3DCOLORVALUE() const { return {r, g, b, a}; }
};

constexpr float D3DX_PI = 3.141592654f;
constexpr float D3DXToRadian(float degrees) { return degrees * (D3DX_PI / 180.0f); }
constexpr float D3DXToDegree(float radians) { return radians * (180.0f / D3DX_PI); }

float D3DXVec3Length(const D3DXVECTOR3* v);
float D3DXVec3LengthSq(const D3DXVECTOR3* v);
float D3DXVec3Dot(const D3DXVECTOR3* a, const D3DXVECTOR3* b);
D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b);
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v);
D3DXVECTOR3* D3DXVec3Lerp(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b, float s);
D3DXVECTOR3* D3DXVec3Scale(D3DXVECTOR3* out, const D3DXVECTOR3* v, float s);
D3DXVECTOR3* D3DXVec3Add(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b);
D3DXVECTOR3* D3DXVec3Subtract(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b);
// The point transformed and divided by w.
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
// The direction transformed by the upper 3 x 3 part.
D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
D3DXVECTOR4* D3DXVec3Transform(D3DXVECTOR4* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
D3DXVECTOR4* D3DXVec4Transform(D3DXVECTOR4* out, const D3DXVECTOR4* v, const D3DXMATRIX* m);
float D3DXVec4Length(const D3DXVECTOR4* v);
D3DXVECTOR4* D3DXVec4Normalize(D3DXVECTOR4* out, const D3DXVECTOR4* v);
float D3DXVec2Length(const D3DXVECTOR2* v);
D3DXVECTOR2* D3DXVec2Normalize(D3DXVECTOR2* out, const D3DXVECTOR2* v);

// Object space to screen: world, view and projection, then the viewport.
D3DXVECTOR3* D3DXVec3Project(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DVIEWPORT9* viewport,
                             const D3DXMATRIX* projection, const D3DXMATRIX* view, const D3DXMATRIX* world);

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
bool D3DXMatrixIsIdentity(const D3DXMATRIX* m);
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);
D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* out, const D3DXMATRIX* m);
// Null when the matrix is singular; the determinant goes to *determinant when given.
D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m);
float D3DXMatrixDeterminant(const D3DXMATRIX* m);
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float x, float y, float z);
D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* out, const D3DXVECTOR3* axis, float angle);
D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* out, float yaw, float pitch, float roll);
D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q);
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at, const D3DXVECTOR3* up);
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zNear, float zFar);
D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* out, float width, float height, float zNear, float zFar);
D3DXMATRIX* D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* out, float left, float right, float bottom, float top, float zNear, float zFar);

D3DXQUATERNION* D3DXQuaternionRotationMatrix(D3DXQUATERNION* out, const D3DXMATRIX* m);
D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* a, const D3DXQUATERNION* b, float t);
D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* out, const D3DXQUATERNION* q);

D3DXPLANE* D3DXPlaneFromPointNormal(D3DXPLANE* out, const D3DXVECTOR3* point, const D3DXVECTOR3* normal);
D3DXPLANE* D3DXPlaneFromPoints(D3DXPLANE* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b, const D3DXVECTOR3* c);
float D3DXPlaneDotCoord(const D3DXPLANE* plane, const D3DXVECTOR3* point);
