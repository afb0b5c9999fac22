// The drawing budget of the metafile player: what it charges, when it reads the clock, and which
// limit it says ended a drawing. The clock is only ever far past or far ahead here.
#include "platform/wmf/WorkBudget.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <vector>

namespace glimmora::wmf {
namespace {

using Limit = WorkBudget::Limit;

enum class Op { Record, RecordReadingClock, Afford, Spent, InTime };

struct Step {
  Op op;
  double amount = 0;
  int times = 1;
};

constexpr auto kPast = std::chrono::seconds(-1);  // every reading of the clock finds the time up
constexpr auto kAhead = std::chrono::hours(1);    // no reading does
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(WorkBudgetTest, ChargesWorkAndKeepsTheLimitThatEndedTheDrawing) {
  struct Case {
    const char* name;
    WmfBudget limits;
    std::vector<Step> steps;
    bool last;      // what the last step answered
    Limit ended;
    double work;
  };
  const std::vector<Case> cases = {
      {"work within the budget is charged", {10, 100, kAhead}, {{Op::Afford, 40}, {Op::Afford, 60}}, true, Limit::None, 100},
      {"a piece past the budget is refused and not charged", {10, 100, kAhead}, {{Op::Afford, 60}, {Op::Afford, 41}},
       false, Limit::Work, 60},
      {"work already done is charged even past the budget", {10, 100, kAhead}, {{Op::Spent, 60}, {Op::Spent, 50}},
       false, Limit::Work, 110},
      {"a cost that is not a number", {10, 100, kAhead}, {{Op::Afford, kNaN}}, false, Limit::Unmeasurable, 0},
      {"a negative cost", {10, 100, kAhead}, {{Op::Spent, -1}}, false, Limit::Unmeasurable, 0},
      {"the first limit reached is kept", {10, 100, kAhead}, {{Op::Afford, 200}, {Op::Afford, kNaN}, {Op::Afford, 1}},
       false, Limit::Work, 0},
      {"records up to the limit play", {3, 100, kAhead}, {{Op::Record, 0, 3}}, true, Limit::None, 0},
      {"a record past the limit ends the drawing", {3, 100, kAhead}, {{Op::Record, 0, 4}}, false, Limit::Records, 0},
      // The clock is read only every 64 records, or at each one when the pass charges no work.
      {"the clock is not read between readings", {1000, 100, kPast}, {{Op::Record, 0, 63}}, true, Limit::None, 0},
      {"the clock is read at the 64th record", {1000, 100, kPast}, {{Op::Record, 0, 64}}, false, Limit::Time, 0},
      {"a pass that charges nothing reads it at each record", {1000, 100, kPast}, {{Op::RecordReadingClock}}, false,
       Limit::Time, 0},
      // ... and after a million of work, which is charged before the clock is read.
      {"small pieces do not read the clock", {10, 1e9, kPast}, {{Op::Afford, 999'999}}, true, Limit::None, 999'999},
      {"a million of work reads it", {10, 1e9, kPast}, {{Op::Afford, 999'999}, {Op::Afford, 1}}, false, Limit::Time,
       1e6},
      // A piece that would take longer than the time left stops the drawing before it is drawn.
      {"a piece longer than the time left", {10, 1e20, kAhead}, {{Op::Afford, 1e14}}, false, Limit::Time, 1e14},
      {"the time left is asked about the work ahead", {10, 1e20, kAhead}, {{Op::InTime, 1e14}}, false, Limit::Time, 0},
      {"the clock is read after work already done", {10, 1e9, kPast}, {{Op::Spent, 1}}, false, Limit::Time, 1},
  };
  for (const Case& c : cases) {
    WorkBudget budget(c.limits, WorkBudget::Clock::now());
    bool last = true;
    for (const Step& s : c.steps) {
      for (int i = 0; i < s.times; ++i) {
        switch (s.op) {
          case Op::Record: last = budget.Record(false); break;
          case Op::RecordReadingClock: last = budget.Record(true); break;
          case Op::Afford: last = budget.Afford(s.amount); break;
          case Op::Spent: last = budget.Spent(s.amount); break;
          case Op::InTime: last = budget.InTime(s.amount); break;
        }
      }
    }
    EXPECT_EQ(last, c.last) << c.name;
    EXPECT_EQ(budget.Ended(), c.ended) << c.name << ": " << budget.Why();
    EXPECT_EQ(budget.Halted(), c.ended != Limit::None) << c.name;
    EXPECT_EQ(budget.Why().empty(), c.ended == Limit::None) << c.name;
    EXPECT_EQ(budget.Work(), c.work) << c.name;
    EXPECT_EQ(budget.Left(), std::max(0.0, c.limits.work - c.work)) << c.name;
  }
}

// A stopped load ends the drawing at the next reading of the clock, whatever is left.
TEST(WorkBudgetTest, AStoppedLoadEndsAtTheNextReading) {
  std::atomic<bool> stop{false};
  WorkBudget budget({10, 1e9, kAhead, &stop}, WorkBudget::Clock::now());
  EXPECT_TRUE(budget.Afford(2e6));
  stop = true;
  EXPECT_TRUE(budget.Afford(1));  // not read yet
  EXPECT_FALSE(budget.Afford(1e6));
  EXPECT_EQ(budget.Ended(), Limit::Cancelled);
  EXPECT_FALSE(budget.Record(true));
  EXPECT_EQ(budget.Ended(), Limit::Cancelled);
}

}  // namespace
}  // namespace glimmora::wmf
