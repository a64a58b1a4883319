#include "platform/memory/real_threads.h"

#include <chrono>
#include <vector>

namespace zorvane::memory {

RealThreads::~RealThreads() { JoinAll(); }

void RealThreads::JoinAll() {
  std::vector<std::shared_ptr<Worker>> workers;
  {
    std::lock_guard lock(mutex_);
    for (auto& [id, worker] : workers_) workers.push_back(worker);
  }
  for (auto& worker : workers) {
    if (worker->thread.joinable()) worker->thread.join();
  }
}

ThreadHandle RealThreads::StartThread(std::function<void()> body) {
  auto worker = std::make_shared<Worker>();
  std::lock_guard lock(mutex_);
  const std::uintptr_t id = nextId_++;
  workers_.emplace(id, worker);
  worker->thread = std::thread([body = std::move(body), done = &worker->done] {
    body();
    done->store(true);
  });
  return ThreadHandle{id};
}

std::shared_ptr<RealThreads::Worker> RealThreads::Find(ThreadHandle thread) const {
  std::lock_guard lock(mutex_);
  auto found = workers_.find(thread.value);
  if (found == workers_.end() || !found->second->open) return nullptr;
  return found->second;
}

ThreadState RealThreads::QueryThread(ThreadHandle thread) const {
  const auto worker = Find(thread);
  if (!worker) return ThreadState::Unknown;
  return worker->done.load() ? ThreadState::Ended : ThreadState::Running;
}

void RealThreads::CloseThread(ThreadHandle thread) {
  std::lock_guard lock(mutex_);
  if (auto found = workers_.find(thread.value); found != workers_.end()) {
    found->second->open = false;
  }
}

void RealThreads::TerminateThread(ThreadHandle thread) {
  if (const auto worker = Find(thread)) {
    while (!worker->done.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

WaitResult RealThreads::WaitForThreadOrInput(ThreadHandle thread, int timeoutMs) {
  const auto worker = Find(thread);
  if (!worker) return WaitResult::Failed;
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(timeoutMs) / speedUp_;
  while (!worker->done.load()) {
    if (std::chrono::steady_clock::now() >= deadline) return WaitResult::TimedOut;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return WaitResult::ThreadEnded;
}

void RealThreads::Sleep(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::microseconds(1000LL * milliseconds / speedUp_));
}

}  // namespace zorvane::memory
