#include "QdTransform.h"

#include <cmath>
#include <utility>

namespace
{
// Below or at this, the Euler conversion takes its singular branch. The
// comparison is strict; 16.0 * 1e-6 gives the same double.
constexpr double kEulerSingularThreshold = 1.6e-05;

// The record's axes index the matrix, so they must be 0, 1, 2 in some order.
bool HasValidAxes(const CGoogleEarthConfig& order)
{
    const int i = order.firstAxis;
    const int j = order.secondAxis;
    const int k = order.thirdAxis;
    const auto inRange = [](int axis) { return axis >= 0 && axis <= 2; };
    return inRange(i) && inRange(j) && inRange(k) && i != j && j != k && i != k;
}

void SetIdentity(double (&m)[4][4])
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m[r][c] = r == c ? 1.0 : 0.0;
}

// The first three rows of matrix times (x, y, z, w): w is 1 for a point, which
// the translation moves, and 0 for a vector, which it does not.
template <class Result, class Source>
Result Apply(const double (&matrix)[4][4], const Source& in, double w)
{
    double out[3];
    for (int r = 0; r < 3; ++r)
    {
        double sum = 0.0;
        sum += matrix[r][0] * in.xx();
        sum += matrix[r][1] * in.yy();
        sum += matrix[r][2] * in.zz();
        sum += matrix[r][3] * w;
        out[r] = sum;
    }
    return Result(out[0], out[1], out[2]);
}
}  // namespace

#if PM_MODEL_FORMAT == 101
// The format 101 module keeps its record as a static object, ready at load.
namespace
{
CGoogleEarthConfig s_moduleEulerOrder;
}
CGoogleEarthConfig* CQdTransform::s_pGoogleEarthConfig = &s_moduleEulerOrder;
#else
// Created on the heap by the first call of GoogleConfig and never freed.
CGoogleEarthConfig* CQdTransform::s_pGoogleEarthConfig = nullptr;
#endif

CGoogleEarthConfig* CQdTransform::GoogleConfig()
{
    if (s_pGoogleEarthConfig == nullptr)
        s_pGoogleEarthConfig = new CGoogleEarthConfig;
    return s_pGoogleEarthConfig;
}

CQdTransform::CQdTransform()
{
    SetIdentity(m);
}

CQdTransform::CQdTransform(const CQdTransform& other)
{
    Copy(other);
}

CQdTransform::CQdTransform(const CQdVector& axis, double angle)
{
    SetIdentity(m);
    SetRotation(axis, angle);
}

CQdTransform::~CQdTransform() = default;

CQdTransform& CQdTransform::operator=(const CQdTransform& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

void CQdTransform::Copy(const CQdTransform& other)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m[r][c] = other.m[r][c];
}

void CQdTransform::Reset()
{
    SetIdentity(m);
}

double& CQdTransform::operator()(int row, int col)
{
    return m[row][col];
}

void CQdTransform::SetTranslation(const CQdVector& translation)
{
    m[0][3] = translation.xx();
    m[1][3] = translation.yy();
    m[2][3] = translation.zz();
}

void CQdTransform::GetTranslation(CQdVector& translation) const
{
    translation = CQdVector(m[0][3], m[1][3], m[2][3]);
}

void CQdTransform::SetScale(double scale)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            m[r][c] *= scale;
}

void CQdTransform::SetRotation(const CQdVector& column0, const CQdVector& column1, const CQdVector& column2)
{
    const CQdVector* columns[3] = {&column0, &column1, &column2};
    for (int c = 0; c < 3; ++c)
    {
        m[0][c] = columns[c]->xx();
        m[1][c] = columns[c]->yy();
        m[2][c] = columns[c]->zz();
    }
}

void CQdTransform::GetRotation(CQdVector& column0, CQdVector& column1, CQdVector& column2) const
{
    column0 = CQdVector(m[0][0], m[1][0], m[2][0]);
    column1 = CQdVector(m[0][1], m[1][1], m[2][1]);
    column2 = CQdVector(m[0][2], m[1][2], m[2][2]);
}

void CQdTransform::SetRotation(const CQdVector& axis, double angle)
{
    const double x = axis.xx();
    const double y = axis.yy();
    const double z = axis.zz();
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double d = 1 - c;

    // Products evaluated from left to right, exactly in this form.
    m[0][0] = (1 - x * x) * c + x * x;
    m[0][1] = x * y * d - s * z;
    m[0][2] = x * z * d + s * y;
    m[1][0] = x * y * d + s * z;
    m[1][1] = (1 - y * y) * c + y * y;
    m[1][2] = z * y * d - s * x;
    m[2][0] = x * z * d - s * y;
    m[2][1] = z * y * d + s * x;
    m[2][2] = (1 - z * z) * c + z * z;
}

void CQdTransform::Multiply(double src[4], double dst[4]) const
{
    // The whole product is formed before dst is written, so src and dst may
    // be the same array.
    double result[4];
    for (int r = 0; r < 4; ++r)
    {
        double sum = 0.0;
        for (int c = 0; c < 4; ++c)
            sum += m[r][c] * src[c];
        result[r] = sum;
    }
    for (int r = 0; r < 4; ++r)
        dst[r] = result[r];
}

CQdPoint CQdTransform::operator*(const CQdPoint& point) const
{
    return Apply<CQdPoint>(m, point, 1.0);
}

CQdVector CQdTransform::operator*(const CQdVector& vector) const
{
    return Apply<CQdVector>(m, vector, 0.0);
}

CQdTransform CQdTransform::Multiply(const CQdTransform& other) const
{
    CQdTransform product;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
        {
            double sum = 0.0;
            for (int n = 0; n < 4; ++n)
                sum += m[r][n] * other.m[n][c];
            product.m[r][c] = sum;
        }
    return product;
}

CQdTransform CQdTransform::operator*(const CQdTransform& other) const
{
    return Multiply(other);
}

CQdTransform CQdTransform::Inverse() const
{
    CQdTransform inverse;  // row 3 is (0, 0, 0, 1)
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            inverse.m[r][c] = m[c][r];

    const double t0 = m[0][3];
    const double t1 = m[1][3];
    const double t2 = m[2][3];
    for (int c = 0; c < 3; ++c)
        inverse.m[c][3] = ((0 - t0 * m[0][c]) - t1 * m[1][c]) - t2 * m[2][c];
    return inverse;
}

// The Euler conversions below follow the Graphics Gems IV encoding of the 24
// axis orders with rows and columns of its matrix exchanged: P[r][c] here is
// m[r][c], element [c][r] of the published matrix. i, j, k are the record's axes.

bool CQdTransform::SetEulerAngles(double angles[3])
{
    const CGoogleEarthConfig& order = *GoogleConfig();
    if (!HasValidAxes(order))
        return false;

    if (order.rotatingFrame)
        std::swap(angles[0], angles[2]);
    if (!order.evenParity)
    {
        angles[0] = -angles[0];
        angles[1] = -angles[1];
        angles[2] = -angles[2];
    }

    const int i = order.firstAxis;
    const int j = order.secondAxis;
    const int k = order.thirdAxis;
    const double ci = std::cos(angles[0]);
    const double cj = std::cos(angles[1]);
    const double ch = std::cos(angles[2]);
    const double si = std::sin(angles[0]);
    const double sj = std::sin(angles[1]);
    const double sh = std::sin(angles[2]);
    const double cc = ci * ch;
    const double cs = ci * sh;
    const double sc = si * ch;
    const double ss = si * sh;

    if (order.repeatFirstAxis)
    {
        m[i][i] = cj;
        m[j][i] = sj * si;
        m[k][i] = sj * ci;
        m[i][j] = sj * sh;
        m[j][j] = cc - cj * ss;
        m[k][j] = -(cj * cs) - sc;
        m[i][k] = -(sj * ch);
        m[j][k] = cj * sc + cs;
        m[k][k] = cj * cc - ss;
    }
    else
    {
        m[i][i] = cj * ch;
        m[j][i] = sj * sc - cs;
        m[k][i] = sj * cc + ss;
        m[i][j] = cj * sh;
        m[j][j] = sj * ss + cc;
        m[k][j] = sj * cs - sc;
        m[i][k] = -sj;
        m[j][k] = cj * si;
        m[k][k] = cj * ci;
    }
    return true;
}

bool CQdTransform::GetEulerAngles(double angles[3])
{
    const CGoogleEarthConfig& order = *GoogleConfig();
    if (!HasValidAxes(order))
        return false;

    const int i = order.firstAxis;
    const int j = order.secondAxis;
    const int k = order.thirdAxis;
    double first;
    double second;
    double third;

    if (order.repeatFirstAxis)
    {
        const double sy = std::sqrt(m[j][i] * m[j][i] + m[k][i] * m[k][i]);
        if (sy > kEulerSingularThreshold)
        {
            first = std::atan2(m[j][i], m[k][i]);
            second = std::atan2(sy, m[i][i]);
            third = std::atan2(m[i][j], -m[i][k]);
        }
        else
        {
            first = std::atan2(-m[k][j], m[j][j]);
            second = std::atan2(sy, m[i][i]);
            third = 0;
        }
    }
    else
    {
        const double cy = std::sqrt(m[i][i] * m[i][i] + m[i][j] * m[i][j]);
        if (cy > kEulerSingularThreshold)
        {
            first = std::atan2(m[j][k], m[k][k]);
            second = std::atan2(-m[i][k], cy);
            third = std::atan2(m[i][j], m[i][i]);
        }
        else
        {
            first = std::atan2(-m[k][j], m[j][j]);
            second = std::atan2(-m[i][k], cy);
            third = 0;
        }
    }

    if (!order.evenParity)
    {
        first = -first;
        second = -second;
        third = -third;
    }
    if (order.rotatingFrame)
        std::swap(first, third);

    angles[0] = first;
    angles[1] = second;
    angles[2] = third;
    return true;
}

void CQdTransform::MasterToSubUnits()
{
}

void CQdTransform::SubToMasterUnits()
{
}
