// The hand-off itself: a worker's routine runs on the main thread while the worker waits, its
// exception travels back, and once the target is gone nothing runs and nobody waits.
#include "net/MainThreadSync.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <thread>

namespace vexil {
namespace {

// Runs AWork on a thread of its own; the future holds its result.
template <typename TWork> auto OnWorker(TWork AWork) {
  return std::async(std::launch::async, std::move(AWork));
}

template <typename T> bool Ready(const std::future<T>& AFuture) {
  return AFuture.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

TEST(MainThreadSyncTest, TheRoutineRunsOnTheMainThreadWhileTheWorkerWaits) {
  TSyncTarget target;
  const std::shared_ptr<TSyncChannel> channel = target.Channel();
  QThread* ranOn = nullptr;
  auto worker =
      OnWorker([&] { return channel->Synchronize([&] { ranOn = QThread::currentThread(); }); });
  ASSERT_TRUE(QTest::qWaitFor([&] { return Ready(worker); }, 10000));
  EXPECT_TRUE(worker.get());
  EXPECT_EQ(ranOn, QCoreApplication::instance()->thread());
}

TEST(MainThreadSyncTest, WhatTheRoutineThrowsIsThrownInTheWorker) {
  TSyncTarget target;
  const std::shared_ptr<TSyncChannel> channel = target.Channel();
  auto worker = OnWorker(
      [&] { channel->Synchronize([] { throw std::runtime_error("from the main thread"); }); });
  ASSERT_TRUE(QTest::qWaitFor([&] { return Ready(worker); }, 10000));
  EXPECT_THROW(worker.get(), std::runtime_error);
}

TEST(MainThreadSyncTest, OnTheMainThreadTheRoutineSimplyRuns) {
  TSyncTarget target;
  bool ran = false;
  EXPECT_TRUE(target.Channel()->Synchronize([&] { ran = true; }));
  EXPECT_TRUE(ran);
}

TEST(MainThreadSyncTest, AWaitingWorkerIsReleasedWhenTheTargetGoes) {
  auto target = std::make_unique<TSyncTarget>();
  const std::shared_ptr<TSyncChannel> channel = target->Channel();
  std::promise<void> posting;
  bool ran = false;
  // The event loop is not turned, so the routine waits for the main thread until the target
  // goes.
  auto worker = OnWorker([&] {
    posting.set_value();
    return channel->Synchronize([&] { ran = true; });
  });
  posting.get_future().wait();
  target.reset();
  EXPECT_FALSE(worker.get());
  QCoreApplication::processEvents();
  EXPECT_FALSE(ran);
}

TEST(MainThreadSyncTest, AfterTheTargetIsGoneNothingRunsAndNothingStarts) {
  auto target = std::make_unique<TSyncTarget>();
  const std::shared_ptr<TSyncChannel> channel = target->Channel();
  target.reset();
  bool ran = false;
  auto worker = OnWorker([&] { return channel->Synchronize([&] { ran = true; }); });
  EXPECT_FALSE(worker.get());
  EXPECT_FALSE(ran);
  EXPECT_FALSE(channel->EnterWorker());
  EXPECT_EQ(channel->AddWaker([] {}), 0);
}

TEST(MainThreadSyncTest, ClosingWakesTheRunningRequestsOnce) {
  TSyncTarget target;
  int woken = 0;
  const int key = target.Channel()->AddWaker([&] { ++woken; });
  const int removed = target.Channel()->AddWaker([&] { woken += 100; });
  target.Channel()->RemoveWaker(removed);
  EXPECT_NE(key, 0);
  EXPECT_TRUE(target.Close());
  EXPECT_TRUE(target.Close());
  EXPECT_EQ(woken, 1);
}

} // namespace
} // namespace vexil
