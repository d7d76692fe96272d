// The 4x4 homogeneous transform of a position: rotation (and any scale) in
// the upper 3x3, translation in column 3, points taken as column vectors.
#pragma once

#include "PmExport.h"
#include "QdPoint.h"
#include "QdVector.h"

// Tolerance of the geometry classes: point and vector comparisons, and the
// orthonormality expected of the columns given to SetRotation.
constexpr double QD_RANGE_TOLERANCE = 1e-6;

// The order of the three Euler angles, one record per process. The axes are
// indices (0 = X, 1 = Y, 2 = Z) and must be a permutation of 0, 1, 2 that
// agrees with evenParity. Default: Z, X, Y, even, no repetition, static frame.
class PM_TRANSFORM_CLASS_EXPORT CGoogleEarthConfig
{
public:
    // constexpr so that a static record is ready before any dynamic initialiser runs.
    constexpr CGoogleEarthConfig()
        : firstAxis(2), secondAxis(0), thirdAxis(1), evenParity(true), repeatFirstAxis(false), rotatingFrame(false)
    {
    }

    int firstAxis;
    int secondAxis;
    int thirdAxis;
    bool evenParity;       // false: all three angles change sign
    bool repeatFirstAxis;  // the third rotation is about the first axis again
    bool rotatingFrame;    // true: the first and third angles change places
};

class PM_TRANSFORM_CLASS_EXPORT CQdTransform
{
public:
    CQdTransform();
    CQdTransform(const CQdTransform& other);
    CQdTransform(const CQdVector& axis, double angle);
    virtual ~CQdTransform();

    CQdTransform& operator=(const CQdTransform& other);
    void Copy(const CQdTransform& other);
    void Reset();

    // Element at row, col (both 0..3, not verified).
    PM_TRANSFORM_ELEMENT_EXPORT double& operator()(int row, int col);

    void SetTranslation(const CQdVector& translation);
    void GetTranslation(CQdVector& translation) const;

    // Multiplies the nine elements of the upper 3x3 by scale.
    void SetScale(double scale);

    // The three vectors become the columns of the upper 3x3. They are expected
    // to be orthonormal within QD_RANGE_TOLERANCE; they are written as given.
    void SetRotation(const CQdVector& column0, const CQdVector& column1, const CQdVector& column2);
    void GetRotation(CQdVector& column0, CQdVector& column1, CQdVector& column2) const;

    // Counter-clockwise rotation by angle (radians) about axis, which is taken
    // as a unit vector and not normalised.
    void SetRotation(const CQdVector& axis, double angle);

    // dst = M * src.
    void Multiply(double src[4], double dst[4]) const;
    CQdPoint operator*(const CQdPoint& point) const;     // translation applied
    CQdVector operator*(const CQdVector& vector) const;  // translation not applied

    // this * other.
    CQdTransform Multiply(const CQdTransform& other) const;
    CQdTransform operator*(const CQdTransform& other) const;

    // Inverse of a rotation plus translation (transpose-based).
    CQdTransform Inverse() const;

    // Conversions between the upper 3x3 and three angles (radians) in the
    // order of the process-wide record. SetEulerAngles may rewrite the
    // caller's angles (frame exchange, parity sign). Both return false only
    // when the record's axes are not a permutation of 0, 1, 2, and then change
    // nothing.
    bool SetEulerAngles(double angles[3]);
    bool GetEulerAngles(double angles[3]);

    // The process-wide Euler order record, created on first use.
    static CGoogleEarthConfig* GoogleConfig();

    // Unit-conversion hooks; they have no effect.
    void MasterToSubUnits();
    void SubToMasterUnits();

private:
    double m[4][4];  // row by row; m[r][c] is row r, column c

    static CGoogleEarthConfig* s_pGoogleEarthConfig;
};
