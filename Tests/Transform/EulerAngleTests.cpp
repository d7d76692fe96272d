// Conversions between the rotation and three Euler angles, and the order record.
#include <string>
#include <vector>

#include "TransformTestSupport.h"

namespace
{
struct Angles
{
    double a, b, c;
};

void ExpectAngles(const double actual[3], const Angles& expected, double tolerance)
{
    EXPECT_NEAR(actual[0], expected.a, tolerance);
    EXPECT_NEAR(actual[1], expected.b, tolerance);
    EXPECT_NEAR(actual[2], expected.c, tolerance);
}

CQdTransform FromAngles(const Angles& angles)
{
    CQdTransform t;
    double values[3] = {angles.a, angles.b, angles.c};
    EXPECT_TRUE(t.SetEulerAngles(values));
    return t;
}

Angles ReadBack(CQdTransform t)
{
    double values[3] = {9.0, 9.0, 9.0};
    EXPECT_TRUE(t.GetEulerAngles(values));
    return {values[0], values[1], values[2]};
}
}  // namespace

TEST(EulerOrderRecord, DefaultsToZXYEvenStaticAndIsOnePerProcess)
{
    const CGoogleEarthConfig* record = CQdTransform::GoogleConfig();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record, CQdTransform::GoogleConfig());
    EXPECT_EQ(record->firstAxis, 2);
    EXPECT_EQ(record->secondAxis, 0);
    EXPECT_EQ(record->thirdAxis, 1);
    EXPECT_TRUE(record->evenParity);
    EXPECT_FALSE(record->repeatFirstAxis);
    EXPECT_FALSE(record->rotatingFrame);

    const CGoogleEarthConfig fresh;
    EXPECT_EQ(fresh.firstAxis, 2);
    EXPECT_EQ(fresh.secondAxis, 0);
    EXPECT_EQ(fresh.thirdAxis, 1);
    EXPECT_TRUE(fresh.evenParity);
    EXPECT_FALSE(fresh.repeatFirstAxis);
    EXPECT_FALSE(fresh.rotatingFrame);
}

TEST(EulerDefaultOrder, IdentityReadsAsZeroNegativeZeroZero)
{
    CQdTransform identity;
    double angles[3] = {9.0, 9.0, 9.0};
    EXPECT_TRUE(identity.GetEulerAngles(angles));
    EXPECT_TRUE(SameBits(angles[0], 0.0));
    EXPECT_TRUE(SameBits(angles[1], -0.0));
    EXPECT_TRUE(std::signbit(angles[1]));
    EXPECT_TRUE(SameBits(angles[2], 0.0));
}

TEST(EulerDefaultOrder, ZeroAnglesGiveIdentityWithNegativeZeroBelowDiagonal)
{
    CQdTransform t;
    FillDistinct(t);
    double angles[3] = {0.0, 0.0, 0.0};
    EXPECT_TRUE(t.SetEulerAngles(angles));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
        {
            const double expected = r == c ? 1.0 : (r == 2 && c == 1 ? -0.0 : 0.0);
            EXPECT_TRUE(SameBits(Element(t, r, c), expected)) << "m[" << r << "][" << c << "]";
        }
    EXPECT_TRUE(std::signbit(Element(t, 2, 1)));
    for (double angle : angles)
        EXPECT_TRUE(SameBits(angle, 0.0));  // the default record leaves the array as it was
}

// The default order is Rz(-a) * Rx(-b) * Ry(-c) for column vectors.
TEST(EulerDefaultOrder, IsRotationsAboutZThenXThenY)
{
    const Angles angles{0.7, -0.4, 2.1};
    const CQdTransform rz(CQdVector(0.0, 0.0, 1.0), -angles.a);
    const CQdTransform rx(CQdVector(1.0, 0.0, 0.0), -angles.b);
    const CQdTransform ry(CQdVector(0.0, 1.0, 0.0), -angles.c);
    const CQdTransform expected = rz * rx * ry;
    const CQdTransform actual = FromAngles(angles);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(Element(actual, r, c), Element(expected, r, c), 1e-15) << "m[" << r << "][" << c << "]";
}

struct RoundTripCase
{
    Angles in;
    Angles out;
};

class EulerDefaultRoundTrip : public EulerOrderTest, public ::testing::WithParamInterface<RoundTripCase>
{
};

TEST_P(EulerDefaultRoundTrip, GivesBackTheAnglesReduced)
{
    const RoundTripCase p = GetParam();
    const double in[3] = {p.in.a, p.in.b, p.in.c};
    double values[3] = {p.in.a, p.in.b, p.in.c};
    CQdTransform t;
    ASSERT_TRUE(t.SetEulerAngles(values));
    for (int n = 0; n < 3; ++n)
        EXPECT_TRUE(SameBits(values[n], in[n]));
    const Angles back = ReadBack(t);
    const double out[3] = {back.a, back.b, back.c};
    ExpectAngles(out, p.out, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EulerDefaultRoundTrip,
    ::testing::Values(RoundTripCase{{0.1, 0.2, 0.3}, {0.1, 0.2, 0.3}},
                      RoundTripCase{{-3.0, 1.5, 3.1}, {-3.0, 1.5, 3.1}},
                      RoundTripCase{{kPi, 0.0, -2.5}, {kPi, 0.0, -2.5}},
                      RoundTripCase{{1.0, -1.5, -0.7}, {1.0, -1.5, -0.7}},
                      RoundTripCase{{2.0, 1.2, 2.9}, {2.0, 1.2, 2.9}},
                      // Outside the ranges: the same rotation comes back reduced.
                      RoundTripCase{{4.0, 0.3, -4.0}, {4.0 - 2 * kPi, 0.3, -4.0 + 2 * kPi}},
                      RoundTripCase{{0.5, kPi - 0.4, 0.2}, {0.5 - kPi, 0.4, 0.2 - kPi}}));

// At a second angle of +-pi/2 the third reads back as 0 and the first carries the rest.
TEST(EulerDefaultOrder, SingularSecondAngleFoldsTheThirdIntoTheFirst)
{
    const std::vector<RoundTripCase> cases = {
        {{0.5, kPi / 2, 0.2}, {0.3, kPi / 2, 0.0}},
        {{0.5, -kPi / 2, 0.2}, {0.7, -kPi / 2, 0.0}},
        {{-1.0, kPi / 2, 0.5}, {-1.5, kPi / 2, 0.0}},
        {{2.0, kPi / 2, -2.0}, {4.0 - 2 * kPi, kPi / 2, 0.0}},
        {{-2.0, -kPi / 2, -2.0}, {-4.0 + 2 * kPi, -kPi / 2, 0.0}},
    };
    for (const RoundTripCase& p : cases)
    {
        SCOPED_TRACE(::testing::Message() << "(" << p.in.a << ", " << p.in.b << ", " << p.in.c << ")");
        const Angles back = ReadBack(FromAngles(p.in));
        const double out[3] = {back.a, back.b, back.c};
        ExpectAngles(out, p.out, 1e-12);
        EXPECT_TRUE(SameBits(back.c, 0.0));
    }
}

// cy at the threshold takes the singular branch; the comparison is strict.
TEST(EulerDefaultOrder, SingularThresholdIsStrict)
{
    // Regular branch: first angle atan2(m[0][1], m[1][1]) = pi/2.
    // Singular branch: first angle atan2(-m[1][0], m[0][0]) = -0.0.
    const double threshold = 1.6e-05;
    struct Case
    {
        double cy;
        bool singular;
    };
    const std::vector<Case> cases = {
        {threshold, true},
        {std::nextafter(threshold, 0.0), true},
        {std::nextafter(threshold, 1.0), false},
        {0.0, true},
    };
    for (const Case& p : cases)
    {
        SCOPED_TRACE(::testing::Message() << "cy " << p.cy);
        CQdTransform t;
        t(2, 2) = p.cy;  // cy = sqrt(m[2][2]^2 + m[2][0]^2), exact for m[2][0] = 0
        t(0, 1) = 1.0;
        t(1, 1) = 0.0;
        const Angles back = ReadBack(t);
        if (p.singular)
        {
            EXPECT_TRUE(SameBits(back.a, -0.0));
        }
        else
        {
            EXPECT_EQ(back.a, std::atan2(1.0, 0.0));
        }
        EXPECT_TRUE(SameBits(back.c, 0.0));
    }
}

struct OrderCase
{
    std::string name;
    CGoogleEarthConfig record;
    Angles angles;
};

class EulerOrders : public EulerOrderTest, public ::testing::WithParamInterface<OrderCase>
{
};

// Set rewrites the caller's array (frame exchange, then parity sign), writes a
// proper rotation, and Get gives back the angles the caller started from.
TEST_P(EulerOrders, RewriteThenRoundTrip)
{
    const OrderCase& p = GetParam();
    *CQdTransform::GoogleConfig() = p.record;

    Angles rewritten = p.angles;
    if (p.record.rotatingFrame)
        std::swap(rewritten.a, rewritten.c);
    if (!p.record.evenParity)
        rewritten = {-rewritten.a, -rewritten.b, -rewritten.c};

    CQdTransform t;
    t.SetTranslation(CQdVector(1.0, 2.0, 3.0));
    double values[3] = {p.angles.a, p.angles.b, p.angles.c};
    ASSERT_TRUE(t.SetEulerAngles(values));
    EXPECT_TRUE(SameBits(values[0], rewritten.a));
    EXPECT_TRUE(SameBits(values[1], rewritten.b));
    EXPECT_TRUE(SameBits(values[2], rewritten.c));

    // Orthonormal columns, determinant +1.
    CQdVector c0(0, 0, 0), c1(0, 0, 0), c2(0, 0, 0);
    t.GetRotation(c0, c1, c2);
    EXPECT_NEAR(c0.DotProduct(c0), 1.0, 1e-14);
    EXPECT_NEAR(c1.DotProduct(c1), 1.0, 1e-14);
    EXPECT_NEAR(c2.DotProduct(c2), 1.0, 1e-14);
    EXPECT_NEAR(c0.DotProduct(c1), 0.0, 1e-14);
    EXPECT_NEAR(c0.DotProduct(c2), 0.0, 1e-14);
    EXPECT_NEAR(c1.DotProduct(c2), 0.0, 1e-14);
    EXPECT_NEAR(c0.CrossProduct(c1).DotProduct(c2), 1.0, 1e-14);

    const Angles back = ReadBack(t);
    const double out[3] = {back.a, back.b, back.c};
    ExpectAngles(out, p.angles, 1e-12);

    CQdVector translation(0, 0, 0);
    t.GetTranslation(translation);
    EXPECT_EQ(translation, CQdVector(1.0, 2.0, 3.0));
}

INSTANTIATE_TEST_SUITE_P(
    Table, EulerOrders,
    ::testing::Values(OrderCase{"ZXY_even_static", Order(2, 0, 1, true, false, false), {0.4, -0.9, 2.6}},
                      OrderCase{"ZYX_odd_static", Order(2, 1, 0, false, false, false), {0.4, -0.9, 2.6}},
                      OrderCase{"ZXY_even_rotating", Order(2, 0, 1, true, false, true), {0.4, -0.9, 2.6}},
                      OrderCase{"ZYX_odd_rotating", Order(2, 1, 0, false, false, true), {-2.9, 1.3, 0.2}},
                      OrderCase{"XYZ_even_static", Order(0, 1, 2, true, false, false), {1.1, 0.5, -3.0}},
                      // Repetition: the second angle comes back in [0, pi], in [-pi, 0] with odd parity.
                      OrderCase{"ZXZ_even_static", Order(2, 0, 1, true, true, false), {0.4, 2.0, -1.7}},
                      OrderCase{"XZX_odd_rotating", Order(0, 2, 1, false, true, true), {-0.8, -1.2, 3.0}}),
    [](const ::testing::TestParamInfo<OrderCase>& caseInfo) { return caseInfo.param.name; });

// The record's axes index the matrix: a record that is not a permutation of
// 0, 1, 2 is refused before anything is read or written.
TEST_F(EulerOrderTest, RecordWithInvalidAxesChangesNothing)
{
    const std::vector<CGoogleEarthConfig> records = {
        Order(3, 0, 1, true, false, false),
        Order(2, -1, 1, true, false, false),
        Order(2, 0, 7, true, true, false),
        Order(0, 0, 1, false, false, true),
    };
    for (const CGoogleEarthConfig& record : records)
    {
        SCOPED_TRACE(::testing::Message() << record.firstAxis << record.secondAxis << record.thirdAxis);
        *CQdTransform::GoogleConfig() = record;
        CQdTransform t;
        FillDistinct(t);
        const CQdTransform before(t);

        double values[3] = {0.1, 0.2, 0.3};
        EXPECT_FALSE(t.SetEulerAngles(values));
        EXPECT_FALSE(t.GetEulerAngles(values));
        EXPECT_EQ(values[0], 0.1);
        EXPECT_EQ(values[1], 0.2);
        EXPECT_EQ(values[2], 0.3);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                EXPECT_TRUE(SameBits(Element(t, r, c), Element(before, r, c)));
    }
}

// A change to the record reaches every later conversion, and the default comes back.
TEST_F(EulerOrderTest, RecordIsReadAfreshByEveryConversion)
{
    const CQdTransform t = FromAngles({0.3, 0.2, 0.1});
    CQdTransform::GoogleConfig()->rotatingFrame = true;
    const Angles swapped = ReadBack(t);
    EXPECT_NEAR(swapped.a, 0.1, 1e-12);
    EXPECT_NEAR(swapped.c, 0.3, 1e-12);

    *CQdTransform::GoogleConfig() = CGoogleEarthConfig();
    const Angles plain = ReadBack(t);
    EXPECT_NEAR(plain.a, 0.3, 1e-12);
    EXPECT_NEAR(plain.c, 0.1, 1e-12);
}
