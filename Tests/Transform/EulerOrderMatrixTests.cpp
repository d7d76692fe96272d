// The rotation of every Euler order, compared with a product of elementary
// rotations computed here, for all 24 combinations of first axis, parity,
// repetition and frame.
#include <array>
#include <ostream>
#include <string>

#include "TransformTestSupport.h"

namespace
{
enum Axis
{
    kX,
    kY,
    kZ
};

using Matrix = std::array<std::array<double, 3>, 3>;

// The right-handed rotation about one axis, for column vectors.
Matrix Elementary(Axis axis, double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    switch (axis)
    {
    case kX:
        return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
    case kY:
        return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
    case kZ:
        break;
    }
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

Matrix Product(const Matrix& left, const Matrix& right)
{
    Matrix result{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            for (int n = 0; n < 3; ++n)
                result[r][c] += left[r][n] * right[n][c];
    return result;
}

// One elementary rotation of a product: its axis and which of the three angles turns about it.
struct Factor
{
    Axis axis;
    int angle;
};

struct EulerOrderCase
{
    std::string name;
    CGoogleEarthConfig record;
    // Left to right: the rightmost factor acts on a column vector first.
    std::array<Factor, 3> factors;
};

// Failure messages name the order.
void PrintTo(const EulerOrderCase& order, std::ostream* os)
{
    *os << order.name;
}

Matrix Expected(const EulerOrderCase& order, const double angles[3])
{
    Matrix result = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    for (const Factor& factor : order.factors)
        result = Product(result, Elementary(factor.axis, angles[factor.angle]));
    return result;
}

// The transform holds the rotation transposed: its upper 3x3 is the inverse
// of the column-vector rotation the angles name.
void ExpectRotation(const CQdTransform& t, const Matrix& rotation)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(Element(t, r, c), rotation[c][r], 1e-14) << "m[" << r << "][" << c << "]";
}

class EulerOrderMatrix : public EulerOrderTest, public ::testing::WithParamInterface<EulerOrderCase>
{
};

// Name: s (static frame) or r (rotating frame), then the axes first, second,
// third (the third repeats the first with repetition). In a static frame the
// angles turn about the fixed axes in the record's order, first angle first;
// in a rotating frame the first and third angles change places.
const EulerOrderCase kOrders[] = {
    {"sXYZ", Order(0, 1, 2, true, false, false), {{{kZ, 2}, {kY, 1}, {kX, 0}}}},
    {"rXYZ", Order(0, 1, 2, true, false, true), {{{kZ, 0}, {kY, 1}, {kX, 2}}}},
    {"sXYX", Order(0, 1, 2, true, true, false), {{{kX, 2}, {kY, 1}, {kX, 0}}}},
    {"rXYX", Order(0, 1, 2, true, true, true), {{{kX, 0}, {kY, 1}, {kX, 2}}}},
    {"sXZY", Order(0, 2, 1, false, false, false), {{{kY, 2}, {kZ, 1}, {kX, 0}}}},
    {"rXZY", Order(0, 2, 1, false, false, true), {{{kY, 0}, {kZ, 1}, {kX, 2}}}},
    {"sXZX", Order(0, 2, 1, false, true, false), {{{kX, 2}, {kZ, 1}, {kX, 0}}}},
    {"rXZX", Order(0, 2, 1, false, true, true), {{{kX, 0}, {kZ, 1}, {kX, 2}}}},
    {"sYZX", Order(1, 2, 0, true, false, false), {{{kX, 2}, {kZ, 1}, {kY, 0}}}},
    {"rYZX", Order(1, 2, 0, true, false, true), {{{kX, 0}, {kZ, 1}, {kY, 2}}}},
    {"sYZY", Order(1, 2, 0, true, true, false), {{{kY, 2}, {kZ, 1}, {kY, 0}}}},
    {"rYZY", Order(1, 2, 0, true, true, true), {{{kY, 0}, {kZ, 1}, {kY, 2}}}},
    {"sYXZ", Order(1, 0, 2, false, false, false), {{{kZ, 2}, {kX, 1}, {kY, 0}}}},
    {"rYXZ", Order(1, 0, 2, false, false, true), {{{kZ, 0}, {kX, 1}, {kY, 2}}}},
    {"sYXY", Order(1, 0, 2, false, true, false), {{{kY, 2}, {kX, 1}, {kY, 0}}}},
    {"rYXY", Order(1, 0, 2, false, true, true), {{{kY, 0}, {kX, 1}, {kY, 2}}}},
    {"sZXY", Order(2, 0, 1, true, false, false), {{{kY, 2}, {kX, 1}, {kZ, 0}}}},
    {"rZXY", Order(2, 0, 1, true, false, true), {{{kY, 0}, {kX, 1}, {kZ, 2}}}},
    {"sZXZ", Order(2, 0, 1, true, true, false), {{{kZ, 2}, {kX, 1}, {kZ, 0}}}},
    {"rZXZ", Order(2, 0, 1, true, true, true), {{{kZ, 0}, {kX, 1}, {kZ, 2}}}},
    {"sZYX", Order(2, 1, 0, false, false, false), {{{kX, 2}, {kY, 1}, {kZ, 0}}}},
    {"rZYX", Order(2, 1, 0, false, false, true), {{{kX, 0}, {kY, 1}, {kZ, 2}}}},
    {"sZYZ", Order(2, 1, 0, false, true, false), {{{kZ, 2}, {kY, 1}, {kZ, 0}}}},
    {"rZYZ", Order(2, 1, 0, false, true, true), {{{kZ, 0}, {kY, 1}, {kZ, 2}}}},
};

TEST_P(EulerOrderMatrix, IsTheProductOfElementaryRotations)
{
    const EulerOrderCase& order = GetParam();
    *CQdTransform::GoogleConfig() = order.record;
    const double angles[3] = {0.7, -1.1, 2.3};

    CQdTransform t;
    FillDistinct(t);
    double values[3] = {angles[0], angles[1], angles[2]};
    ASSERT_TRUE(t.SetEulerAngles(values));
    ExpectRotation(t, Expected(order, angles));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(Element(t, r, 3), 100.0 + 10.0 * r + 3) << "translation untouched";

    // The angles read back name the same rotation, whatever range they come back in.
    double back[3] = {9.0, 9.0, 9.0};
    ASSERT_TRUE(t.GetEulerAngles(back));
    ExpectRotation(t, Expected(order, back));
}

INSTANTIATE_TEST_SUITE_P(AllOrders, EulerOrderMatrix, ::testing::ValuesIn(kOrders),
                         [](const ::testing::TestParamInfo<EulerOrderCase>& caseInfo) { return caseInfo.param.name; });
}  // namespace
