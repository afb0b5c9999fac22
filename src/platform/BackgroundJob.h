#pragma once
// Work that may take longer than a blink (decoding a large picture) runs on Qt's shared thread
// pool while the window's thread goes on handling events. The job must touch no widget and no
// clipboard; its result comes back to the window's thread through the future.

#include <QEventLoop>
#include <QFuture>
#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>
#include <functional>
#include <memory>

namespace glimmora {

template <typename T>
QFuture<T> StartInBackground(std::function<T()> job) {
  auto promise = std::make_shared<QPromise<T>>();
  QFuture<T> future = promise->future();
  promise->start();
  // The pool outlives every window (the application waits for it when it ends), and the promise
  // is shared with the job, so a caller that stops waiting leaves nothing dangling.
  QThreadPool::globalInstance()->start([promise, job = std::move(job)] {
    promise->addResult(job());
    promise->finish();
  });
  return future;
}

// Runs `job` in the background and returns its result, running this thread's event loop
// meanwhile so that the windows stay responsive.
template <typename T>
T RunWhileEventsFlow(std::function<T()> job) {
  QFuture<T> future = StartInBackground<T>(std::move(job));
  if (!future.isFinished()) {
    QEventLoop wait;
    QFutureWatcher<T> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &wait, &QEventLoop::quit);
    watcher.setFuture(future);
    if (!future.isFinished()) wait.exec();
  }
  return future.takeResult();
}

}  // namespace glimmora
