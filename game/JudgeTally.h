#pragma once

#include <cstdint>

namespace tf {

/// The five judgement counters that the result screen reports.
class JudgeTally {
public:
    void reset() { *this = JudgeTally{}; }
    void addPerfect() { ++perfect_; }
    void addGreat() { ++great_; }
    void addGood() { ++good_; }
    void addOk() { ++ok_; }
    void addBad() { ++bad_; }
    /// Adds one to the counter of judgement `index` (0 PERFECT to 4 BAD).
    void add(std::int32_t index);
    std::int32_t perfect() const { return perfect_; }
    std::int32_t great() const { return great_; }
    std::int32_t good() const { return good_; }
    std::int32_t ok() const { return ok_; }
    std::int32_t bad() const { return bad_; }

private:
    std::int32_t perfect_ = 0;
    std::int32_t great_ = 0;
    std::int32_t good_ = 0;
    std::int32_t ok_ = 0;
    std::int32_t bad_ = 0;
};

} // namespace tf
