#pragma once
// Marks a run of work for its length: the flag is set while the guard lives, so that a key or a
// click that arrives while the work yields to the event loop can see it and start nothing.

namespace glimmora {

class BusyGuard {
 public:
  explicit BusyGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyGuard() { flag_ = false; }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  bool& flag_;
};

}  // namespace glimmora
