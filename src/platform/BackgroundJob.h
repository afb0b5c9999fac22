#pragma once
// Work that may take longer than a blink (decoding a large picture) runs on Qt's shared thread
// pool while the window's thread goes on handling events. The job must touch no widget and no
// clipboard; its result comes back to the window's thread through the future. Each job gets a stop
// flag that long work reads: it is set when the job's result is no longer wanted, so that nothing
// goes on drawing a picture nobody will see, and the program does not wait for that as it ends.

#include <QEventLoop>
#include <QFuture>
#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>

namespace glimmora {

using StopFlag = std::shared_ptr<std::atomic<bool>>;

// A new stop flag, cleared, that StopBackgroundJobs reaches while it lives.
StopFlag NewStopFlag();
// Sets the stop flag of every job still running; the program calls it when it ends.
void StopBackgroundJobs();

template <typename T>
struct BackgroundJob {
  QFuture<T> future;
  StopFlag stop;

  void Stop() const { stop->store(true); }
};

template <typename T>
BackgroundJob<T> StartInBackground(std::function<T(const std::atomic<bool>& stop)> job) {
  auto promise = std::make_shared<QPromise<T>>();
  BackgroundJob<T> started{promise->future(), NewStopFlag()};
  promise->start();
  // The pool outlives every window (the application waits for it when it ends), and the promise
  // and the flag are shared with the job, so a caller that stops waiting leaves nothing dangling.
  QThreadPool::globalInstance()->start([promise, stop = started.stop, job = std::move(job)] {
    promise->addResult(job(*stop));
    promise->finish();
  });
  return started;
}

// Runs `job` in the background and returns its result, running this thread's event loop
// meanwhile so that the windows stay responsive.
template <typename T>
T RunWhileEventsFlow(std::function<T(const std::atomic<bool>& stop)> job) {
  BackgroundJob<T> running = StartInBackground<T>(std::move(job));
  if (!running.future.isFinished()) {
    QEventLoop wait;
    QFutureWatcher<T> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &wait, &QEventLoop::quit);
    watcher.setFuture(running.future);
    if (!running.future.isFinished()) wait.exec();
  }
  // The wait also ends when the program quits: the job is told to stop rather than waited for.
  if (!running.future.isFinished()) running.Stop();
  return running.future.takeResult();
}

}  // namespace glimmora
