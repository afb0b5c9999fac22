#include "platform/BackgroundJob.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace glimmora {

namespace {

struct StopFlags {
  std::mutex lock;
  std::vector<std::weak_ptr<std::atomic<bool>>> live;
};

StopFlags& Flags() {
  static StopFlags flags;
  return flags;
}

}  // namespace

StopFlag NewStopFlag() {
  auto flag = std::make_shared<std::atomic<bool>>(false);
  StopFlags& flags = Flags();
  const std::lock_guard<std::mutex> hold(flags.lock);
  std::erase_if(flags.live, [](const std::weak_ptr<std::atomic<bool>>& f) { return f.expired(); });
  flags.live.push_back(flag);
  return flag;
}

void StopBackgroundJobs() {
  StopFlags& flags = Flags();
  const std::lock_guard<std::mutex> hold(flags.lock);
  for (const std::weak_ptr<std::atomic<bool>>& f : flags.live)
    if (const StopFlag flag = f.lock()) flag->store(true);
}

}  // namespace glimmora
