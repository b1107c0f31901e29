#include "net/MainThreadSync.h"

#include <algorithm>

namespace vexil {

TSyncChannel::TSyncChannel(QObject* AReceiver)
    : FReceiver(AReceiver), FMainThread(std::this_thread::get_id()) {}

bool TSyncChannel::Synchronize(const std::function<void()>& ARoutine) {
  // The receiver is not touched here: after Close it may be gone.
  if (std::this_thread::get_id() == FMainThread) {
    if (Closed()) {
      return false;
    }
    ARoutine();
    return true;
  }
  auto call = std::make_shared<TCall>();
  std::unique_lock<std::mutex> lock(FMutex);
  if (FClosed) {
    return false;
  }
  FCalls.push_back(call);
  // Posted under the lock: Close takes it too, so the receiver still exists here. The routine
  // is referred to, not copied: it lives until this call returns, and a posted event that runs
  // after that finds its call no longer pending and never touches the routine.
  QMetaObject::invokeMethod(
      FReceiver,
      [self = shared_from_this(), call, routine = &ARoutine] { self->Run(*call, routine); },
      Qt::QueuedConnection);
  FChanged.wait(lock, [&] {
    return call->State == TCallState::Done || call->State == TCallState::Cancelled;
  });
  FCalls.erase(std::find(FCalls.begin(), FCalls.end(), call));
  if (call->Error) {
    std::rethrow_exception(call->Error);
  }
  return call->State == TCallState::Done;
}

void TSyncChannel::Run(TCall& ACall, const std::function<void()>* ARoutine) {
  {
    const std::lock_guard<std::mutex> lock(FMutex);
    if (ACall.State != TCallState::Pending) {
      return; // the worker may be gone, and the routine with it
    }
    ACall.State = TCallState::Running;
  }
  std::exception_ptr error;
  // An event handler must not throw into Qt's loop: the worker raises it instead.
  try {
    (*ARoutine)();
  } catch (...) {
    error = std::current_exception();
  }
  {
    const std::lock_guard<std::mutex> lock(FMutex);
    ACall.Error = error;
    ACall.State = TCallState::Done;
  }
  FChanged.notify_all();
}

bool TSyncChannel::Closed() const {
  const std::lock_guard<std::mutex> lock(FMutex);
  return FClosed;
}

int TSyncChannel::AddWaker(std::function<void()> AWake) {
  const std::lock_guard<std::mutex> lock(FMutex);
  if (FClosed) {
    return 0;
  }
  const int key = FNextWakerKey++;
  FWakers.emplace(key, std::move(AWake));
  return key;
}

void TSyncChannel::RemoveWaker(int AKey) {
  const std::lock_guard<std::mutex> lock(FMutex);
  FWakers.erase(AKey);
}

bool TSyncChannel::EnterWorker() {
  const std::lock_guard<std::mutex> lock(FMutex);
  if (FClosed) {
    return false;
  }
  ++FWorkerCount;
  return true;
}

void TSyncChannel::LeaveWorker() {
  {
    const std::lock_guard<std::mutex> lock(FMutex);
    --FWorkerCount;
  }
  FChanged.notify_all();
}

int TSyncChannel::WorkerCount() const {
  const std::lock_guard<std::mutex> lock(FMutex);
  return FWorkerCount;
}

bool TSyncChannel::Close(std::chrono::milliseconds AGrace) {
  std::unique_lock<std::mutex> lock(FMutex);
  if (FClosed) {
    return FWorkerCount == 0;
  }
  FClosed = true;
  // A routine running now (only possible when closing from inside it) finishes first: its
  // worker holds what it works on.
  for (const std::shared_ptr<TCall>& call : FCalls) {
    if (call->State == TCallState::Pending) {
      call->State = TCallState::Cancelled;
    }
  }
  for (const auto& [key, wake] : FWakers) {
    wake();
  }
  FWakers.clear();
  FChanged.notify_all();
  return FChanged.wait_for(lock, AGrace, [this] { return FWorkerCount == 0; });
}

TSyncTarget::TSyncTarget()
    : FReceiver(std::make_unique<QObject>()),
      FChannel(std::make_shared<TSyncChannel>(FReceiver.get())) {}

TSyncTarget::~TSyncTarget() {
  Close();
  // The receiver goes now, and with it the routines still posted to it.
}

bool TSyncTarget::Close() {
  return FChannel->Close(kWorkerGrace);
}

} // namespace vexil
