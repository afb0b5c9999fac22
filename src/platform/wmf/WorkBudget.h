#pragma once
// What one drawing has spent against its budget, and which limit ended it.
//
// Work is counted before each piece of drawing is done (Afford), or after a search that was itself
// bounded by the work left (Spent). The clock and the cancel flag are read between pieces, not
// after each one: reading the clock costs more than a small piece of drawing.

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/wmf/WmfPlayer.h"

namespace glimmora::wmf {

class WorkBudget {
 public:
  using Clock = std::chrono::steady_clock;

  // The limit that ended the drawing; the first one reached is kept.
  enum class Limit {
    None,
    Records,       // more records than it may play
    Work,          // more work than it may spend
    FloodFill,     // a flood fill reached its own bound
    Time,          // more time than it may take
    Cancelled,     // the load was stopped
    Unmeasurable,  // a cost that is not a number (a size run past the doubles)
  };

  // `start` is when the drawing began; work that is not the drawing's (whitening the picture) is
  // left out by starting later.
  WorkBudget(const WmfBudget& limits, Clock::time_point start) : limits_(limits), start_(start) {}

  // Counts one record: false, and the drawing ends there, past the record limit, or when the clock
  // or the cancel flag says so. The clock is read after every kRecordsPerClockRead records, or at
  // each record with `readClock` (a pass that draws nothing charges no work that would read it).
  bool Record(bool readClock);

  // Counts `cost` before a piece of drawing is done: false, and the drawing ends there, when it
  // would pass the work budget or the time left, when the load was cancelled, or when the cost is
  // not a number. A piece refused is not charged.
  bool Afford(double cost);

  // Counts work already done (what a flood fill or a region's merging read, within the work left
  // it was given): false, and the drawing ends there, when it passed a bound.
  bool Spent(double cost);

  // Whether the drawing may go on, with `ahead` more work to do before the clock is read again.
  bool InTime(double ahead);

  // Ends the drawing for `limit` (unless it has ended already); always false.
  bool Halt(Limit limit);

  bool Halted() const { return ended_ != Limit::None; }
  Limit Ended() const { return ended_; }
  // What ended the drawing, in words; empty while it goes on.
  std::string Why() const;

  double Work() const { return work_; }
  // The work that may still be spent.
  double Left() const;

 private:
  const WmfBudget limits_;
  const Clock::time_point start_;
  Limit ended_ = Limit::None;
  double work_ = 0;
  double sinceClockRead_ = 0;
  std::int64_t records_ = 0;
};

}  // namespace glimmora::wmf
