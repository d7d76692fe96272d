// A test-only switch that makes one kind of a stand-in's calls fail on demand,
// so that a test can count the calls an operation makes and fail each in turn.
// Off by default; a call then costs one test of the mode.
#pragma once

#include <cstddef>

namespace faultswitch {

class Switch
{
public:
    // Counts the calls from now on and fails none.
    void count() { arm(Mode::Count, 0); }
    // Fails the nth call from now (1: the next one); 0 turns the switch off.
    void failAt(std::size_t nth) { arm(nth == 0 ? Mode::Off : Mode::Once, nth); }
    // Fails the nth call from now and every call after it; 0 turns the switch off.
    void failFrom(std::size_t nth) { arm(nth == 0 ? Mode::Off : Mode::From, nth); }
    void off() { arm(Mode::Off, 0); }

    // The stand-in asks this at each call of the kind: true when the call must fail.
    bool fails()
    {
        if (mode_ == Mode::Off)
            return false;
        ++calls_;
        const bool fail = (mode_ == Mode::Once && calls_ == nth_) || (mode_ == Mode::From && calls_ >= nth_);
        if (fail)
            ++failures_;
        return fail;
    }

    // Calls seen and calls failed since the switch was last set (0 when off).
    std::size_t calls() const { return calls_; }
    std::size_t failures() const { return failures_; }

private:
    enum class Mode { Off, Count, Once, From };

    void arm(Mode mode, std::size_t nth)
    {
        mode_ = mode;
        nth_ = nth;
        calls_ = 0;
        failures_ = 0;
    }

    Mode mode_ = Mode::Off;
    std::size_t nth_ = 0;
    std::size_t calls_ = 0;
    std::size_t failures_ = 0;
};

// One switch for each kind of a stand-in's calls, indexed by the kind's enum;
// Count is the enumerator after the last kind, the number of kinds.
template <typename Call, Call Count>
class Bank
{
public:
    Switch& at(Call call) { return switches_[static_cast<std::size_t>(call)]; }
    void allOff()
    {
        for (Switch& s : switches_)
            s.off();
    }

private:
    Switch switches_[static_cast<std::size_t>(Count)];
};

} // namespace faultswitch
