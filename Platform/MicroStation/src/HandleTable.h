// Keeps track of the objects the host gives out by pointer (descriptors, scan
// criteria): who owns each, so that a double free or a use after free is
// refused and reported instead of touching freed memory.
#pragma once

#include <cstddef>
#include <deque>
#include <new>
#include <string>
#include <unordered_map>

#include "Faults.h"

namespace mstnhost {

// How the objects of a table are made and freed: by new and delete unless a
// kind says otherwise (descriptors are sized to their element).
template <class T>
struct HandleStorage
{
    static T* make() { return new T(); }
    static void destroy(T* object) { delete object; }
};

template <class T>
class HandleTable
{
public:
    HandleTable(const char* what, Faults& faults) : what_(what), faults_(faults) {}
    HandleTable(const HandleTable&) = delete;
    HandleTable& operator=(const HandleTable&) = delete;
    ~HandleTable() = default;   // the host state is never destroyed; see releaseAtExit

    // A new object made by its storage, owned by the caller.
    T* create() { return adopt(HandleStorage<T>::make()); }

    // An object the storage made elsewhere, now owned by the caller.
    T* adopt(T* object)
    {
        // A failed entry frees the object rather than losing it.
        try {
            states_[object] = State::CallerOwned;
        } catch (...) {
            HandleStorage<T>::destroy(object);
            throw;
        }
        ++callerOwned_;
        return object;
    }

    // True when the caller owns the object; otherwise reports the fault of the call.
    bool checkCallerOwned(const T* object, const char* call)
    {
        const State state = stateOf(object);
        if (state == State::CallerOwned)
            return true;
        faults_.report(std::string(call) + ": " + what_ + " " + useProblem(state));
        return false;
    }

    // Frees a caller-owned object. Its memory is kept for a while, so that a
    // second free of the same pointer is still recognised as one. False, and
    // the fault reported, when the object was not the caller's to free.
    bool release(T* object, const char* call)
    {
        const State state = stateOf(object);
        if (state != State::CallerOwned) {
            faults_.report(std::string(call) + ": " + what_ + " " + freeProblem(state));
            return false;
        }
        --callerOwned_;
        // A free never fails: without room to keep the memory a while, it goes at once.
        try {
            quarantine_.push_back(object);
        } catch (const std::bad_alloc&) {
            states_.erase(object);
            HandleStorage<T>::destroy(object);
            return true;
        }
        states_[object] = State::Freed;
        if (quarantine_.size() > kQuarantine) {
            T* oldest = quarantine_.front();
            quarantine_.pop_front();
            states_.erase(oldest);
            HandleStorage<T>::destroy(oldest);
        }
        return true;
    }

    // The model takes over a caller-owned object; it stays readable until the model is emptied.
    void handOver(T* object)
    {
        states_[object] = State::HandedOver;
        --callerOwned_;
    }

    // Frees what the model was handed (when the model is emptied or replaced).
    void freeHandedOver()
    {
        for (auto it = states_.begin(); it != states_.end();) {
            if (it->second == State::HandedOver) {
                HandleStorage<T>::destroy(const_cast<T*>(it->first));
                it = states_.erase(it);
            } else {
                ++it;
            }
        }
    }

    // At process exit: frees what the host holds and forgets what callers still
    // hold, so that a leak checker sees those as the callers' leaks.
    void releaseAtExit()
    {
        freeHandedOver();
        quarantine_.clear();
        for (auto& entry : states_)
            if (entry.second == State::Freed)
                HandleStorage<T>::destroy(const_cast<T*>(entry.first));
        states_.clear();
        callerOwned_ = 0;
    }

    std::size_t callerOwnedCount() const { return callerOwned_; }

private:
    enum class State { Unknown, CallerOwned, HandedOver, Freed };
    static constexpr std::size_t kQuarantine = 64;

    State stateOf(const T* object) const
    {
        const auto it = states_.find(object);
        return it == states_.end() ? State::Unknown : it->second;
    }

    static const char* useProblem(State state)
    {
        switch (state) {
        case State::Freed: return "used after it was freed";
        case State::HandedOver: return "used after it was handed to the model";
        default: return "not given out by this host";
        }
    }

    static const char* freeProblem(State state)
    {
        switch (state) {
        case State::Freed: return "freed twice";
        case State::HandedOver: return "freed after it was handed to the model";
        default: return "freed but not given out by this host";
        }
    }

    const char* what_;
    Faults& faults_;
    std::unordered_map<const T*, State> states_;
    std::deque<T*> quarantine_;
    std::size_t callerOwned_ = 0;
};

} // namespace mstnhost
