// Element storage, rotation, scale, translation, products and inverse.
#include <functional>
#include <string>
#include <vector>

#include "TransformTestSupport.h"

namespace
{
void ExpectSameMatrix(const CQdTransform& actual, const CQdTransform& expected)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_TRUE(SameBits(Element(actual, r, c), Element(expected, r, c))) << "m[" << r << "][" << c << "]";
}

CQdTransform RotationAboutZ(double angle)
{
    return CQdTransform(CQdVector(0.0, 0.0, 1.0), angle);
}
}  // namespace

TEST(TransformElements, ConstructionResetAndCopiesCoverAllSixteenElements)
{
    CQdTransform identity;
    ExpectSameMatrix(identity, identity);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_TRUE(SameBits(Element(identity, r, c), r == c ? 1.0 : 0.0));

    CQdTransform filled;
    FillDistinct(filled);

    CQdTransform copied(filled);
    ExpectSameMatrix(copied, filled);

    CQdTransform assigned;
    assigned = filled;
    ExpectSameMatrix(assigned, filled);

    CQdTransform viaCopy;
    viaCopy.Copy(filled);
    ExpectSameMatrix(viaCopy, filled);

    filled.Reset();
    ExpectSameMatrix(filled, identity);
}

TEST(TransformElements, UnitHooksChangeNothing)
{
    CQdTransform transform;
    FillDistinct(transform);
    const CQdTransform before(transform);
    transform.MasterToSubUnits();
    transform.SubToMasterUnits();
    ExpectSameMatrix(transform, before);
}

struct AxisAngleCase
{
    double x, y, z, angle;
};

class AxisAngleRotation : public ::testing::TestWithParam<AxisAngleCase>
{
};

// The nine elements are the stated formula, evaluated in its stated order.
TEST_P(AxisAngleRotation, WritesTheFormulaExactly)
{
    const AxisAngleCase p = GetParam();
    const double x = p.x, y = p.y, z = p.z;
    const double c = std::cos(p.angle);
    const double s = std::sin(p.angle);
    const double d = 1 - c;
    const double expected[3][3] = {
        {(1 - x * x) * c + x * x, x * y * d - s * z, x * z * d + s * y},
        {x * y * d + s * z, (1 - y * y) * c + y * y, z * y * d - s * x},
        {x * z * d - s * y, z * y * d + s * x, (1 - z * z) * c + z * z},
    };

    CQdTransform viaSetter;
    viaSetter.SetRotation(CQdVector(x, y, z), p.angle);
    const CQdTransform viaConstructor(CQdVector(x, y, z), p.angle);
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col)
        {
            EXPECT_TRUE(SameBits(Element(viaSetter, r, col), expected[r][col])) << "m[" << r << "][" << col << "]";
            EXPECT_TRUE(SameBits(Element(viaConstructor, r, col), expected[r][col]));
        }
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 4; ++col)
            if (r == 3 || col == 3)
            {
                EXPECT_TRUE(SameBits(Element(viaConstructor, r, col), r == col ? 1.0 : 0.0));
            }
}

INSTANTIATE_TEST_SUITE_P(Axes, AxisAngleRotation,
                         ::testing::Values(AxisAngleCase{0.0, 0.0, 1.0, kPi / 2}, AxisAngleCase{1.0, 0.0, 0.0, 0.3},
                                           AxisAngleCase{0.0, 1.0, 0.0, -2.5},
                                           AxisAngleCase{0.6, 0.0, 0.8, -2.0},
                                           AxisAngleCase{0.5773502691896258, 0.5773502691896258,
                                                         0.5773502691896258, 1.1},
                                           // Not normalised: taken as it stands.
                                           AxisAngleCase{2.0, 0.0, 0.0, 0.5}));

TEST(AxisAngleRotation, QuarterTurnAboutZ)
{
    const CQdTransform t = RotationAboutZ(kPi / 2);
    EXPECT_TRUE(SameBits(Element(t, 0, 0), std::cos(kPi / 2)));
    EXPECT_TRUE(SameBits(Element(t, 0, 1), -1.0));
    EXPECT_TRUE(SameBits(Element(t, 1, 0), 1.0));
    EXPECT_TRUE(SameBits(Element(t, 1, 1), std::cos(kPi / 2)));
    EXPECT_TRUE(SameBits(Element(t, 2, 2), 1.0));
}

TEST(TransformRotation, ColumnsGoInAndComeOutAsColumns)
{
    CQdTransform t;
    t.SetRotation(CQdVector(0.0, 1.0, 0.0), CQdVector(0.0, 0.0, 1.0), CQdVector(1.0, 0.0, 0.0));
    EXPECT_EQ(Element(t, 1, 0), 1.0);  // column 0 is (0, 1, 0)
    EXPECT_EQ(Element(t, 2, 1), 1.0);
    EXPECT_EQ(Element(t, 0, 2), 1.0);
    EXPECT_EQ(Element(t, 0, 0), 0.0);

    // Written as given, even when not orthonormal.
    t.SetRotation(CQdVector(1.0, 2.0, 3.0), CQdVector(4.0, 5.0, 6.0), CQdVector(7.0, 8.0, 9.0));
    CQdVector c0(0, 0, 0), c1(0, 0, 0), c2(0, 0, 0);
    t.GetRotation(c0, c1, c2);
    EXPECT_EQ(c0.xx(), 1.0);
    EXPECT_EQ(c0.yy(), 2.0);
    EXPECT_EQ(c0.zz(), 3.0);
    EXPECT_EQ(c1.xx(), 4.0);
    EXPECT_EQ(c1.zz(), 6.0);
    EXPECT_EQ(c2.yy(), 8.0);
    EXPECT_EQ(Element(t, 0, 1), 4.0);
    EXPECT_EQ(Element(t, 2, 0), 3.0);
}

struct Writer
{
    std::string name;
    std::function<void(CQdTransform&)> write;
    bool writesRotation;  // otherwise writes the translation
};

// Each writer touches only its own elements: the upper 3x3, or the translation.
TEST(TransformWriters, LeaveEveryOtherElementAlone)
{
    const std::vector<Writer> writers = {
        {"SetRotation(axis, angle)", [](CQdTransform& t) { t.SetRotation(CQdVector(0.0, 0.0, 1.0), 0.7); }, true},
        {"SetRotation(columns)",
         [](CQdTransform& t) {
             t.SetRotation(CQdVector(0.0, 1.0, 0.0), CQdVector(-1.0, 0.0, 0.0), CQdVector(0.0, 0.0, 1.0));
         },
         true},
        {"SetScale", [](CQdTransform& t) { t.SetScale(3.0); }, true},
        {"SetEulerAngles",
         [](CQdTransform& t) {
             double angles[3] = {0.1, 0.2, 0.3};
             t.SetEulerAngles(angles);
         },
         true},
        {"SetTranslation", [](CQdTransform& t) { t.SetTranslation(CQdVector(-1.0, -2.0, -3.0)); }, false},
    };
    for (const Writer& writer : writers)
    {
        SCOPED_TRACE(writer.name);
        CQdTransform t;
        FillDistinct(t);
        const CQdTransform before(t);
        writer.write(t);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
            {
                const bool inRotation = r < 3 && c < 3;
                const bool inTranslation = r < 3 && c == 3;
                const bool written = writer.writesRotation ? inRotation : inTranslation;
                if (written)
                {
                    EXPECT_NE(Element(t, r, c), Element(before, r, c)) << "m[" << r << "][" << c << "]";
                }
                else
                {
                    EXPECT_TRUE(SameBits(Element(t, r, c), Element(before, r, c))) << "m[" << r << "][" << c << "]";
                }
            }
    }
}

TEST(TransformTranslation, SetAndGet)
{
    CQdTransform t;
    t.SetTranslation(CQdVector(1.5, -2.5, 3.5));
    EXPECT_EQ(Element(t, 0, 3), 1.5);
    EXPECT_EQ(Element(t, 1, 3), -2.5);
    EXPECT_EQ(Element(t, 2, 3), 3.5);
    CQdVector out(0, 0, 0);
    t.GetTranslation(out);
    EXPECT_EQ(out.xx(), 1.5);
    EXPECT_EQ(out.yy(), -2.5);
    EXPECT_EQ(out.zz(), 3.5);
}

TEST(TransformScale, ScalesWhatIsThere)
{
    CQdTransform t;
    t.SetScale(2.0);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_TRUE(SameBits(Element(t, r, c), r == c ? (r == 3 ? 1.0 : 2.0) : 0.0));

    t.SetScale(3.0);  // multiplies again, does not set 3
    EXPECT_EQ(Element(t, 0, 0), 6.0);
    EXPECT_EQ(Element(t, 2, 2), 6.0);

    CQdTransform rotated = RotationAboutZ(0.4);
    const CQdTransform before(rotated);
    rotated.SetScale(-0.5);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_TRUE(SameBits(Element(rotated, r, c), Element(before, r, c) * -0.5));
}

TEST(TransformProducts, PointIsMovedVectorIsNot)
{
    CQdTransform t = RotationAboutZ(kPi / 2);
    t.SetTranslation(CQdVector(10.0, 20.0, 30.0));
    const double c = std::cos(kPi / 2);

    const CQdPoint p = t * CQdPoint(1.0, 2.0, 3.0);
    EXPECT_TRUE(SameBits(p.xx(), ((0.0 + c * 1.0) + -1.0 * 2.0 + 0.0 * 3.0) + 10.0));
    EXPECT_TRUE(SameBits(p.yy(), ((0.0 + 1.0 * 1.0) + c * 2.0 + 0.0 * 3.0) + 20.0));
    EXPECT_TRUE(SameBits(p.zz(), 33.0));

    const CQdVector v = t * CQdVector(1.0, 2.0, 3.0);
    EXPECT_TRUE(SameBits(v.xx(), (0.0 + c * 1.0) + -1.0 * 2.0 + 0.0 * 3.0 + 10.0 * 0.0));
    EXPECT_TRUE(SameBits(v.yy(), (0.0 + 1.0 * 1.0) + c * 2.0));
    EXPECT_TRUE(SameBits(v.zz(), 3.0));
}

TEST(TransformProducts, ArrayProductMatchesPointProductAndMayWorkInPlace)
{
    CQdTransform t = RotationAboutZ(0.9);
    t.SetTranslation(CQdVector(4.0, -5.0, 6.0));
    t(3, 0) = 0.25;  // row 3 takes part in the array product
    t(3, 3) = 2.0;

    double src[4] = {1.0, 2.0, 3.0, 1.0};
    double dst[4] = {0.0, 0.0, 0.0, 0.0};
    t.Multiply(src, dst);
    const CQdPoint p = t * CQdPoint(1.0, 2.0, 3.0);
    EXPECT_TRUE(SameBits(dst[0], p.xx()));
    EXPECT_TRUE(SameBits(dst[1], p.yy()));
    EXPECT_TRUE(SameBits(dst[2], p.zz()));
    EXPECT_TRUE(SameBits(dst[3], 0.25 * 1.0 + 2.0));

    // The same array as source and destination gives the same product.
    double inPlace[4] = {1.0, 2.0, 3.0, 1.0};
    t.Multiply(inPlace, inPlace);
    for (int r = 0; r < 4; ++r)
        EXPECT_TRUE(SameBits(inPlace[r], dst[r])) << "row " << r;
}

TEST(TransformProducts, MultiplyIsThisTimesOther)
{
    CQdTransform shift;
    shift.SetTranslation(CQdVector(1.0, 0.0, 0.0));
    const CQdTransform turn = RotationAboutZ(kPi / 2);

    // shift * turn: turn first, then shift.
    const CQdPoint p = shift.Multiply(turn) * CQdPoint(1.0, 0.0, 0.0);
    EXPECT_NEAR(p.xx(), 1.0, 1e-15);
    EXPECT_NEAR(p.yy(), 1.0, 1e-15);
    const CQdPoint q = turn.Multiply(shift) * CQdPoint(1.0, 0.0, 0.0);
    EXPECT_NEAR(q.xx(), 0.0, 1e-15);
    EXPECT_NEAR(q.yy(), 2.0, 1e-15);

    CQdTransform a = RotationAboutZ(0.3);
    a.SetTranslation(CQdVector(1.0, 2.0, 3.0));
    CQdTransform b(CQdVector(0.6, 0.0, 0.8), -1.2);
    b.SetTranslation(CQdVector(-4.0, 0.5, 2.0));
    b(3, 1) = 0.5;  // every element of both operands takes part
    const CQdTransform product = a * b;
    ExpectSameMatrix(product, a.Multiply(b));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
        {
            double sum = 0.0;
            for (int n = 0; n < 4; ++n)
                sum += Element(a, r, n) * Element(b, n, c);
            EXPECT_TRUE(SameBits(Element(product, r, c), sum)) << "m[" << r << "][" << c << "]";
        }
}

TEST(TransformInverse, UndoesARotationWithTranslation)
{
    CQdTransform t(CQdVector(0.5773502691896258, 0.5773502691896258, 0.5773502691896258), 2.2);
    t.SetTranslation(CQdVector(5.0, -6.0, 7.0));
    const CQdTransform inverse = t.Inverse();

    ExpectNearIdentity(inverse * t, 1e-14);
    ExpectNearIdentity(t * inverse, 1e-14);

    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_TRUE(SameBits(Element(inverse, r, c), Element(t, c, r)));
    for (int c = 0; c < 3; ++c)
    {
        const double expected = ((0 - 5.0 * Element(t, 0, c)) - -6.0 * Element(t, 1, c)) - 7.0 * Element(t, 2, c);
        EXPECT_TRUE(SameBits(Element(inverse, c, 3), expected)) << "row " << c;
    }
}

TEST(TransformInverse, TranslationSumStartsAtPositiveZero)
{
    // ((0 - t0 * m0c) - t1 * m1c) - t2 * m2c is +0.0 for a zero translation,
    // even where the rotation's elements are negative.
    const CQdTransform inverse = RotationAboutZ(kPi).Inverse();
    for (int c = 0; c < 3; ++c)
        EXPECT_TRUE(SameBits(Element(inverse, c, 3), 0.0)) << "row " << c;
}

TEST(TransformInverse, RowThreeIsAlwaysUnit)
{
    CQdTransform t;
    FillDistinct(t);
    const CQdTransform inverse = t.Inverse();
    EXPECT_TRUE(SameBits(Element(inverse, 3, 0), 0.0));
    EXPECT_TRUE(SameBits(Element(inverse, 3, 1), 0.0));
    EXPECT_TRUE(SameBits(Element(inverse, 3, 2), 0.0));
    EXPECT_TRUE(SameBits(Element(inverse, 3, 3), 1.0));
    // Still transpose-based for a matrix that is not a rotation.
    EXPECT_EQ(Element(inverse, 0, 1), Element(t, 1, 0));
}
