#include "platform/wmf/WorkBudget.h"

#include <algorithm>
#include <cmath>

namespace glimmora::wmf {

namespace {

// How long a unit of work takes here, to tell before a long piece whether it ends in time.
constexpr double kSecondsPerWork = 1e-10;
// The clock is read after this much work, or this many records, since it was last read.
constexpr double kWorkPerClockRead = 1e6;
constexpr std::int64_t kRecordsPerClockRead = 64;

}  // namespace

bool WorkBudget::Record(bool readClock) {
  if (Halted()) return false;
  if (++records_ > limits_.records) return Halt(Limit::Records);
  return !(readClock || records_ % kRecordsPerClockRead == 0) || InTime(0);
}

bool WorkBudget::Afford(double cost) {
  if (Halted()) return false;
  if (!std::isfinite(cost) || cost < 0) return Halt(Limit::Unmeasurable);
  if (work_ + cost > limits_.work) return Halt(Limit::Work);
  work_ += cost;
  sinceClockRead_ += cost;
  return sinceClockRead_ < kWorkPerClockRead || InTime(cost);
}

bool WorkBudget::Spent(double cost) {
  if (Halted()) return false;
  if (!std::isfinite(cost) || cost < 0) return Halt(Limit::Unmeasurable);
  work_ += cost;
  if (work_ > limits_.work) return Halt(Limit::Work);
  return InTime(0);
}

bool WorkBudget::InTime(double ahead) {
  if (Halted()) return false;
  if (limits_.cancel != nullptr && limits_.cancel->load(std::memory_order_relaxed)) return Halt(Limit::Cancelled);
  sinceClockRead_ = 0;
  const std::chrono::duration<double> spent = Clock::now() - start_;
  if (spent.count() + ahead * kSecondsPerWork > std::chrono::duration<double>(limits_.time).count())
    return Halt(Limit::Time);
  return true;
}

bool WorkBudget::Halt(Limit limit) {
  if (!Halted()) ended_ = limit;
  return false;
}

std::string WorkBudget::Why() const {
  switch (ended_) {
    case Limit::None: return {};
    case Limit::Records: return "more than " + std::to_string(limits_.records) + " records";
    case Limit::Work: return "the drawing takes more work than a picture may";
    case Limit::FloodFill: return "the flood fill takes more work than a picture may";
    case Limit::Time: return "the drawing takes longer than a picture may";
    case Limit::Cancelled: return "cancelled";
    case Limit::Unmeasurable: return "the drawing has a size beyond measure";
  }
  return {};
}

double WorkBudget::Left() const { return std::max(0.0, limits_.work - work_); }

}  // namespace glimmora::wmf
