#pragma once
// The current local date and time, behind an interface so that notes and readme files written in
// tests carry a fixed time.

namespace glimmora {

struct LocalDateTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;
};

// The machine's local time.
class SystemClock : public Clock {
 public:
  LocalDateTime Now() const override;
};

}  // namespace glimmora
