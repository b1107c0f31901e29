// Hand-offs from worker threads to the main thread: a worker gives the main thread a routine
// and waits until the main thread's event loop has run it, also inside the loop of a modal
// window.
//
// TSyncTarget is the main thread's end. It belongs to whatever the routines may touch (the main
// window) and must go before it: its destruction releases every waiting worker at once, drops
// the routines not run yet, refuses later hand-offs and wakes the running requests so they
// stop. So no routine reaches an object that is gone, no worker hangs on a hand-off nobody will
// run, and a server that never answers cannot hold the program at exit.
//
// TSyncChannel is the workers' end; each request holds it shared.
#pragma once

#include <QObject>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vexil {

class TSyncChannel : public std::enable_shared_from_this<TSyncChannel> {
public:
  // On the main thread. AReceiver: the main thread's object the routines are posted to; it must
  // stay until Close.
  explicit TSyncChannel(QObject* AReceiver);

  // Runs ARoutine on the main thread and waits until it has run; what it throws is thrown
  // here. Returns false without running it when the target is closed or closes meanwhile.
  // From the main thread itself the routine simply runs.
  bool Synchronize(const std::function<void()>& ARoutine);
  bool Closed() const;

  // A running request's way to learn that the target closes: AWake is called once, on the
  // main thread under the channel's lock, so it must be short and must not block or call back
  // into the channel. Returns a key for RemoveWaker, or 0 (nothing registered) when the target
  // is already closed.
  int AddWaker(std::function<void()> AWake);
  void RemoveWaker(int AKey);

  // Worker threads count themselves in and out, so closing can give them a moment to end.
  // EnterWorker is false when the target is closed: then start no thread.
  bool EnterWorker();
  void LeaveWorker();
  int WorkerCount() const;

  // Closes the channel (see TSyncTarget) and waits up to AGrace for the workers to end; true
  // when they all did. Main thread only; a second call only tells whether they have ended.
  bool Close(std::chrono::milliseconds AGrace);

private:
  enum class TCallState { Pending, Running, Done, Cancelled };
  struct TCall {
    TCallState State = TCallState::Pending;
    std::exception_ptr Error;
  };

  // ARoutine is dereferenced only while ACall is still pending: after that it may be gone.
  void Run(TCall& ACall, const std::function<void()>* ARoutine);

  mutable std::mutex FMutex;
  std::condition_variable FChanged;
  QObject* FReceiver;
  const std::thread::id FMainThread;
  bool FClosed = false;
  std::vector<std::shared_ptr<TCall>> FCalls;
  std::map<int, std::function<void()>> FWakers;
  int FNextWakerKey = 1;
  int FWorkerCount = 0;
};

class TSyncTarget {
public:
  // How long closing waits for the workers to end: a moment, never more.
  static constexpr std::chrono::milliseconds kWorkerGrace{1000};

  // On the main thread, once the application object exists.
  TSyncTarget();
  ~TSyncTarget();
  TSyncTarget(const TSyncTarget&) = delete;
  TSyncTarget& operator=(const TSyncTarget&) = delete;

  const std::shared_ptr<TSyncChannel>& Channel() const { return FChannel; }
  // Closes now rather than at destruction; true when every worker ended within kWorkerGrace.
  // Later calls return at once.
  bool Close();

private:
  std::unique_ptr<QObject> FReceiver;
  std::shared_ptr<TSyncChannel> FChannel;
};

} // namespace vexil
