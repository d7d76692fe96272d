// A library whose export table the export check's own test knows: classes with
// virtual operations and a second base (so that the toolchain adds thunks), a
// static data member, a free function, a hidden helper, and three names that
// stand for leaks of the C++ runtime, the framework and a host.
#include <vector>

#define FIXTURE_EXPORT __attribute__((visibility("default")))

class FIXTURE_EXPORT CPmFixtureBase
{
public:
    virtual ~CPmFixtureBase();
    virtual int Value() const;
};

class FIXTURE_EXPORT CPmFixtureSide
{
public:
    virtual ~CPmFixtureSide();
    virtual int Side();
};

class FIXTURE_EXPORT CPmFixture : public CPmFixtureBase, public CPmFixtureSide
{
public:
    ~CPmFixture() override;
    int Side() override;

    static int s_count;
};

FIXTURE_EXPORT int CleanFixture();

// Names the check must tell apart from the system's.
namespace __gnu_cxx
{
FIXTURE_EXPORT int FixtureLeak();
}
class FIXTURE_EXPORT CTime
{
public:
    static int Now();
};
FIXTURE_EXPORT int acdbFixtureCall();

namespace
{
// The instances of the runtime's templates that this emits are exported
// whatever the library's visibility; the check passes them over.
int Hidden()
{
    std::vector<int> values;
    for (int i = 0; i < 7; ++i)
        values.push_back(i);
    return static_cast<int>(values.size());
}
} // namespace

CPmFixtureBase::~CPmFixtureBase() = default;
int CPmFixtureBase::Value() const
{
    return Hidden();
}

CPmFixtureSide::~CPmFixtureSide() = default;
int CPmFixtureSide::Side()
{
    return 1;
}

int CPmFixture::s_count = 0;
CPmFixture::~CPmFixture() = default;
int CPmFixture::Side()
{
    return 2;
}

int CleanFixture()
{
    return CPmFixture::s_count;
}

int __gnu_cxx::FixtureLeak()
{
    return 3;
}
int CTime::Now()
{
    return 4;
}
int acdbFixtureCall()
{
    return 5;
}
