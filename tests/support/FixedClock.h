#pragma once
// A clock for tests: always the same local date and time, so notes and readme files are golden.

#include "common/Clock.h"

namespace glimmora::testing {

class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalDateTime at = {2024, 3, 7, 9, 5, 1}) : at_(at) {}
  LocalDateTime Now() const override { return at_; }

 private:
  LocalDateTime at_;
};

}  // namespace glimmora::testing
