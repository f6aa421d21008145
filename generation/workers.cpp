#include "generation/workers.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int kMaxWorkers = 64;

std::atomic<int> countSet{0};  // 0: from the environment or the cores

// The index of the worker a thread runs as while it runs a part; 0 elsewhere.
thread_local int currentWorker = 0;
// How many parts of jobs the thread is running (a part may start a job of its own).
thread_local int jobDepth = 0;

// Runs a part of a job as 'worker'.
void RunPart(const std::function<void(int)>& fn, int worker) {
  const int outer = currentWorker;
  currentWorker = worker;
  ++jobDepth;
  fn(worker);
  --jobDepth;
  currentWorker = outer;
}

int DefaultCount() {
  if (const char* pText = std::getenv("MORVANE_THREADS")) {
    char* pEnd = nullptr;
    const long n = std::strtol(pText, &pEnd, 10);
    if (pEnd != pText && *pEnd == 0 && n >= 1 && n <= kMaxWorkers) return int(n);
  }
  const unsigned cores = std::thread::hardware_concurrency();
  return std::clamp(int(cores), 1, kMaxWorkers);
}

// Threads 1..n-1, each waiting for the next job; the caller of Run is worker 0.
class Pool {
 public:
  ~Pool() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : threads_) t.join();
  }

  // Runs fn (worker) on workers 0..workers-1 and waits for all of them. False,
  // without running anything, while another job runs.
  bool Run(int workers, const std::function<void(int)>& fn) {
    std::unique_lock<std::mutex> busy(busy_, std::try_to_lock);
    if (!busy.owns_lock()) return false;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      while (int(threads_.size()) < workers - 1) {
        const int index = int(threads_.size()) + 1;
        threads_.emplace_back([this, index] { Loop(index); });
      }
      pJob_ = &fn;
      jobWorkers_ = workers;
      running_ = workers - 1;
      ++generation_;
    }
    wake_.notify_all();
    RunPart(fn, 0);
    std::unique_lock<std::mutex> lock(mutex_);
    finished_.wait(lock, [this] { return running_ == 0; });
    pJob_ = nullptr;
    return true;
  }

 private:
  void Loop(int index) {
    unsigned long seen = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
      if (stop_) return;
      seen = generation_;
      if (index >= jobWorkers_) continue;
      const std::function<void(int)>* pJob = pJob_;
      lock.unlock();
      RunPart(*pJob, index);
      lock.lock();
      if (--running_ == 0) finished_.notify_one();
    }
  }

  std::mutex busy_;  // held by the caller of a running job
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable finished_;
  std::vector<std::thread> threads_;
  const std::function<void(int)>* pJob_ = nullptr;
  int jobWorkers_ = 0;
  int running_ = 0;
  unsigned long generation_ = 0;
  bool stop_ = false;
};

Pool& ThePool() {
  static Pool pool;
  return pool;
}

// Runs fn on 'workers' threads; alone on the calling thread when that is all there
// is or another job runs.
void Run(int workers, const std::function<void(int)>& fn) {
  if (workers > 1 && ThePool().Run(workers, fn)) return;
  RunPart(fn, currentWorker);
}

}  // namespace

int WORKERS_GetCount() {
  const int count = countSet.load(std::memory_order_relaxed);
  if (count > 0) return count;
  static const int fromEnvironment = DefaultCount();
  return fromEnvironment;
}

bool WORKERS_InJob() { return jobDepth > 0; }

void WORKERS_SetCount(int count) { countSet.store(std::clamp(count, 0, kMaxWorkers), std::memory_order_relaxed); }

void WORKERS_ParallelFor(size_t count, size_t grain, const std::function<void(size_t, size_t, int)>& body) {
  if (count == 0) return;
  grain = std::max<size_t>(grain, 1);
  const size_t pieces = (count + grain - 1) / grain;
  const int workers = int(std::min<size_t>(size_t(WORKERS_GetCount()), pieces));
  std::atomic<size_t> next{0};
  Run(workers, [&](int worker) {
    for (;;) {
      const size_t begin = next.fetch_add(grain, std::memory_order_relaxed);
      if (begin >= count) return;
      body(begin, std::min(count, begin + grain), worker);
    }
  });
}

void WORKERS_Pipeline(size_t count, size_t window, const std::function<void(size_t, int)>& produce,
                      const std::function<void(size_t)>& consume) {
  if (count == 0) return;
  window = std::max<size_t>(window, 1);
  const int workers = int(std::min<size_t>(size_t(WORKERS_GetCount()), count));
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<uint8_t> done(count, 0);
  size_t next = 0;      // the next item to produce
  size_t consumed = 0;  // items consumed so far
  int waiting = 0;      // threads waiting for a change: only they need waking
  const std::thread::id caller = std::this_thread::get_id();
  Run(workers, [&](int worker) {
    const bool consumer = std::this_thread::get_id() == caller;
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
      if (consumer && consumed < count && done[consumed]) {
        const size_t index = consumed;
        lock.unlock();
        consume(index);
        lock.lock();
        consumed++;
        if (waiting) changed.notify_all();
        continue;
      }
      if (consumer ? consumed == count : next == count) return;
      if (next < count && next < consumed + window) {
        const size_t index = next++;
        lock.unlock();
        produce(index, worker);
        lock.lock();
        done[index] = 1;
        if (waiting) changed.notify_all();
        continue;
      }
      ++waiting;
      changed.wait(lock);
      --waiting;
    }
  });
}
