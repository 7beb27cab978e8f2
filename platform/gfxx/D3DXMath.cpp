#include "platform/gfxx/D3DXMath.h"

#include <algorithm>
#include <cmath>

D3DXMATRIX::D3DXMATRIX(float m11, float m12, float m13, float m14, float m21, float m22, float m23, float m24,
                       float m31, float m32, float m33, float m34, float m41, float m42, float m43, float m44)
    : D3DMATRIX {}
{
    const float values[16] = {m11, m12, m13, m14, m21, m22, m23, m24, m31, m32, m33, m34, m41, m42, m43, m44};
    std::copy(values, values + 16, &m[0][0]);
}

D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX& other) const
{
    D3DXMATRIX product;
    D3DXMatrixMultiply(&product, this, &other);
    return product;
}

D3DXMATRIX& D3DXMATRIX::operator*=(const D3DXMATRIX& other)
{
    return *this = *this * other;
}

D3DXCOLOR::D3DXCOLOR(D3DCOLOR argb)
    : r(((argb >> 16) & 0xFF) / 255.0f), g(((argb >> 8) & 0xFF) / 255.0f), b((argb & 0xFF) / 255.0f),
      a(((argb >> 24) & 0xFF) / 255.0f)
{
}

D3DXCOLOR::operator D3DCOLOR() const
{
    auto channel = [](float value) { return static_cast<unsigned>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f); };
    return D3DCOLOR_ARGB(channel(a), channel(r), channel(g), channel(b));
}

float D3DXVec3LengthSq(const D3DXVECTOR3* v) { return v->x * v->x + v->y * v->y + v->z * v->z; }
float D3DXVec3Length(const D3DXVECTOR3* v) { return std::sqrt(D3DXVec3LengthSq(v)); }
float D3DXVec3Dot(const D3DXVECTOR3* a, const D3DXVECTOR3* b) { return a->x * b->x + a->y * b->y + a->z * b->z; }

D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b)
{
    *out = D3DXVECTOR3(a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z, a->x * b->y - a->y * b->x);
    return out;
}

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v)
{
    const float length = D3DXVec3Length(v);
    *out = length > 0 ? *v / length : D3DXVECTOR3();
    return out;
}

D3DXVECTOR3* D3DXVec3Lerp(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b, float s)
{
    *out = *a + (*b - *a) * s;
    return out;
}

D3DXVECTOR3* D3DXVec3Scale(D3DXVECTOR3* out, const D3DXVECTOR3* v, float s) { *out = *v * s; return out; }
D3DXVECTOR3* D3DXVec3Add(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b) { *out = *a + *b; return out; }
D3DXVECTOR3* D3DXVec3Subtract(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b) { *out = *a - *b; return out; }

D3DXVECTOR4* D3DXVec3Transform(D3DXVECTOR4* out, const D3DXVECTOR3* v, const D3DXMATRIX* m)
{
    const D3DXVECTOR4 point(v->x, v->y, v->z, 1.0f);
    return D3DXVec4Transform(out, &point, m);
}

D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m)
{
    D3DXVECTOR4 result;
    D3DXVec3Transform(&result, v, m);
    const float w = result.w != 0 ? result.w : 1.0f;
    *out = D3DXVECTOR3(result.x / w, result.y / w, result.z / w);
    return out;
}

D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m)
{
    *out = D3DXVECTOR3(v->x * m->_11 + v->y * m->_21 + v->z * m->_31,
                       v->x * m->_12 + v->y * m->_22 + v->z * m->_32,
                       v->x * m->_13 + v->y * m->_23 + v->z * m->_33);
    return out;
}

D3DXVECTOR4* D3DXVec4Transform(D3DXVECTOR4* out, const D3DXVECTOR4* v, const D3DXMATRIX* m)
{
    const float in[4] = {v->x, v->y, v->z, v->w};
    float result[4];
    for (int column = 0; column < 4; ++column)
        result[column] = in[0] * m->m[0][column] + in[1] * m->m[1][column] + in[2] * m->m[2][column] + in[3] * m->m[3][column];
    *out = D3DXVECTOR4(result[0], result[1], result[2], result[3]);
    return out;
}

float D3DXVec4Length(const D3DXVECTOR4* v) { return std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z + v->w * v->w); }

D3DXVECTOR4* D3DXVec4Normalize(D3DXVECTOR4* out, const D3DXVECTOR4* v)
{
    const float length = D3DXVec4Length(v);
    *out = length > 0 ? *v * (1.0f / length) : D3DXVECTOR4();
    return out;
}

float D3DXVec2Length(const D3DXVECTOR2* v) { return std::sqrt(v->x * v->x + v->y * v->y); }

D3DXVECTOR2* D3DXVec2Normalize(D3DXVECTOR2* out, const D3DXVECTOR2* v)
{
    const float length = D3DXVec2Length(v);
    *out = length > 0 ? *v * (1.0f / length) : D3DXVECTOR2();
    return out;
}

D3DXVECTOR3* D3DXVec3Project(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DVIEWPORT9* viewport,
                             const D3DXMATRIX* projection, const D3DXMATRIX* view, const D3DXMATRIX* world)
{
    D3DXMATRIX transform;
    D3DXMatrixIdentity(&transform);
    if (world)
        transform = transform * *world;
    if (view)
        transform = transform * *view;
    if (projection)
        transform = transform * *projection;
    D3DXVECTOR3 clip;
    D3DXVec3TransformCoord(&clip, v, &transform);
    if (viewport) {
        clip.x = viewport->X + (1.0f + clip.x) * viewport->Width * 0.5f;
        clip.y = viewport->Y + (1.0f - clip.y) * viewport->Height * 0.5f;
        clip.z = viewport->MinZ + clip.z * (viewport->MaxZ - viewport->MinZ);
    }
    *out = clip;
    return out;
}

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out)
{
    *out = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    return out;
}

bool D3DXMatrixIsIdentity(const D3DXMATRIX* m)
{
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            if (m->m[row][column] != (row == column ? 1.0f : 0.0f))
                return false;
    return true;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b)
{
    D3DXMATRIX product;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            product.m[row][column] = a->m[row][0] * b->m[0][column] + a->m[row][1] * b->m[1][column] +
                                     a->m[row][2] * b->m[2][column] + a->m[row][3] * b->m[3][column];
    *out = product;
    return out;
}

D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* out, const D3DXMATRIX* m)
{
    D3DXMATRIX transposed;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            transposed.m[row][column] = m->m[column][row];
    *out = transposed;
    return out;
}

namespace {

// Cofactors of a 4 x 4 matrix, laid out as the adjugate (transposed cofactor matrix).
void Adjugate(const float a[16], float adjugate[16])
{
    adjugate[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] + a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
    adjugate[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] - a[8] * a[7] * a[14] - a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
    adjugate[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] + a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
    adjugate[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] - a[8] * a[6] * a[13] - a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
    adjugate[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] - a[9] * a[3] * a[14] - a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
    adjugate[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] + a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
    adjugate[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] - a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
    adjugate[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] + a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
    adjugate[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] + a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
    adjugate[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] - a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
    adjugate[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] + a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
    adjugate[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] - a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
    adjugate[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] - a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
    adjugate[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] + a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
    adjugate[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] - a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
    adjugate[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] + a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
}

} // namespace

float D3DXMatrixDeterminant(const D3DXMATRIX* m)
{
    float adjugate[16];
    const float* a = &m->m[0][0];
    Adjugate(a, adjugate);
    return a[0] * adjugate[0] + a[1] * adjugate[4] + a[2] * adjugate[8] + a[3] * adjugate[12];
}

D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m)
{
    float adjugate[16];
    const float* a = &m->m[0][0];
    Adjugate(a, adjugate);
    const float det = a[0] * adjugate[0] + a[1] * adjugate[4] + a[2] * adjugate[8] + a[3] * adjugate[12];
    if (determinant)
        *determinant = det;
    if (det == 0.0f)
        return nullptr;
    float* result = &out->m[0][0];
    for (int i = 0; i < 16; ++i)
        result[i] = adjugate[i] / det;
    return out;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z)
{
    *out = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1);
    return out;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float x, float y, float z)
{
    *out = D3DXMATRIX(x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1);
    return out;
}

D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    *out = D3DXMATRIX(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1);
    return out;
}

D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    *out = D3DXMATRIX(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1);
    return out;
}

D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    *out = D3DXMATRIX(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    return out;
}

D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* out, const D3DXVECTOR3* axis, float angle)
{
    D3DXVECTOR3 v;
    D3DXVec3Normalize(&v, axis);
    const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
    *out = D3DXMATRIX(t * v.x * v.x + c, t * v.x * v.y + s * v.z, t * v.x * v.z - s * v.y, 0,
                      t * v.x * v.y - s * v.z, t * v.y * v.y + c, t * v.y * v.z + s * v.x, 0,
                      t * v.x * v.z + s * v.y, t * v.y * v.z - s * v.x, t * v.z * v.z + c, 0,
                      0, 0, 0, 1);
    return out;
}

D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* out, float yaw, float pitch, float roll)
{
    D3DXMATRIX rollMatrix, pitchMatrix, yawMatrix;
    D3DXMatrixRotationZ(&rollMatrix, roll);
    D3DXMatrixRotationX(&pitchMatrix, pitch);
    D3DXMatrixRotationY(&yawMatrix, yaw);
    *out = rollMatrix * pitchMatrix * yawMatrix;
    return out;
}

D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q)
{
    const float x = q->x, y = q->y, z = q->z, w = q->w;
    *out = D3DXMATRIX(1 - 2 * (y * y + z * z), 2 * (x * y + z * w), 2 * (x * z - y * w), 0,
                      2 * (x * y - z * w), 1 - 2 * (x * x + z * z), 2 * (y * z + x * w), 0,
                      2 * (x * z + y * w), 2 * (y * z - x * w), 1 - 2 * (x * x + y * y), 0,
                      0, 0, 0, 1);
    return out;
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at, const D3DXVECTOR3* up)
{
    D3DXVECTOR3 zAxis, xAxis, yAxis;
    const D3DXVECTOR3 forward = *at - *eye;
    D3DXVec3Normalize(&zAxis, &forward);
    D3DXVec3Cross(&xAxis, up, &zAxis);
    D3DXVec3Normalize(&xAxis, &xAxis);
    D3DXVec3Cross(&yAxis, &zAxis, &xAxis);
    *out = D3DXMATRIX(xAxis.x, yAxis.x, zAxis.x, 0, xAxis.y, yAxis.y, zAxis.y, 0, xAxis.z, yAxis.z, zAxis.z, 0,
                      -D3DXVec3Dot(&xAxis, eye), -D3DXVec3Dot(&yAxis, eye), -D3DXVec3Dot(&zAxis, eye), 1);
    return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zNear, float zFar)
{
    const float yScale = 1.0f / std::tan(fovY * 0.5f);
    const float xScale = yScale / aspect;
    const float depth = zFar / (zFar - zNear);
    *out = D3DXMATRIX(xScale, 0, 0, 0, 0, yScale, 0, 0, 0, 0, depth, 1, 0, 0, -zNear * depth, 0);
    return out;
}

D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* out, float width, float height, float zNear, float zFar)
{
    *out = D3DXMATRIX(2 / width, 0, 0, 0, 0, 2 / height, 0, 0, 0, 0, 1 / (zFar - zNear), 0, 0, 0, zNear / (zNear - zFar), 1);
    return out;
}

D3DXMATRIX* D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* out, float left, float right, float bottom, float top, float zNear, float zFar)
{
    *out = D3DXMATRIX(2 / (right - left), 0, 0, 0, 0, 2 / (top - bottom), 0, 0, 0, 0, 1 / (zFar - zNear), 0,
                      (left + right) / (left - right), (top + bottom) / (bottom - top), zNear / (zNear - zFar), 1);
    return out;
}

D3DXQUATERNION* D3DXQuaternionRotationMatrix(D3DXQUATERNION* out, const D3DXMATRIX* m)
{
    const float trace = m->_11 + m->_22 + m->_33;
    D3DXQUATERNION q;
    if (trace > 0) {
        const float s = std::sqrt(trace + 1.0f) * 2;
        q = {(m->_23 - m->_32) / s, (m->_31 - m->_13) / s, (m->_12 - m->_21) / s, 0.25f * s};
    } else if (m->_11 > m->_22 && m->_11 > m->_33) {
        const float s = std::sqrt(1.0f + m->_11 - m->_22 - m->_33) * 2;
        q = {0.25f * s, (m->_12 + m->_21) / s, (m->_13 + m->_31) / s, (m->_23 - m->_32) / s};
    } else if (m->_22 > m->_33) {
        const float s = std::sqrt(1.0f + m->_22 - m->_11 - m->_33) * 2;
        q = {(m->_12 + m->_21) / s, 0.25f * s, (m->_23 + m->_32) / s, (m->_31 - m->_13) / s};
    } else {
        const float s = std::sqrt(1.0f + m->_33 - m->_11 - m->_22) * 2;
        q = {(m->_13 + m->_31) / s, (m->_23 + m->_32) / s, 0.25f * s, (m->_12 - m->_21) / s};
    }
    *out = q;
    return out;
}

D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* out, const D3DXQUATERNION* q)
{
    const float length = std::sqrt(q->x * q->x + q->y * q->y + q->z * q->z + q->w * q->w);
    *out = length > 0 ? D3DXQUATERNION {q->x / length, q->y / length, q->z / length, q->w / length} : D3DXQUATERNION {};
    return out;
}

D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* a, const D3DXQUATERNION* b, float t)
{
    float cosine = a->x * b->x + a->y * b->y + a->z * b->z + a->w * b->w;
    const float sign = cosine < 0 ? -1.0f : 1.0f;
    cosine *= sign;
    float wa = 1.0f - t, wb = t;
    if (cosine < 0.9999f) {
        const float angle = std::acos(cosine);
        const float sine = std::sin(angle);
        wa = std::sin((1.0f - t) * angle) / sine;
        wb = std::sin(t * angle) / sine;
    }
    wb *= sign;
    *out = {wa * a->x + wb * b->x, wa * a->y + wb * b->y, wa * a->z + wb * b->z, wa * a->w + wb * b->w};
    return out;
}

D3DXPLANE* D3DXPlaneFromPointNormal(D3DXPLANE* out, const D3DXVECTOR3* point, const D3DXVECTOR3* normal)
{
    *out = {normal->x, normal->y, normal->z, -D3DXVec3Dot(point, normal)};
    return out;
}

D3DXPLANE* D3DXPlaneFromPoints(D3DXPLANE* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b, const D3DXVECTOR3* c)
{
    const D3DXVECTOR3 ab = *b - *a, ac = *c - *a;
    D3DXVECTOR3 normal;
    D3DXVec3Cross(&normal, &ab, &ac);
    D3DXVec3Normalize(&normal, &normal);
    return D3DXPlaneFromPointNormal(out, a, &normal);
}

float D3DXPlaneDotCoord(const D3DXPLANE* plane, const D3DXVECTOR3* point)
{
    return plane->a * point->x + plane->b * point->y + plane->c * point->z + plane->d;
}
