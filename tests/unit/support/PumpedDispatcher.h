#pragma once
// A user-interface thread for tests: the thread that creates the dispatcher.
// Work handed over or queued from other threads waits until that thread
// pumps it, as a message loop would; once closed, hand-overs are refused so
// that no worker waits forever.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/UiThreadDispatcher.h"

namespace velora::fakes {

class PumpedDispatcher : public platform::UiThreadDispatcher {
public:
    ~PumpedDispatcher() override { Close(); }

    bool RunOnUiThread(const std::function<void()>& action) override {
        if (std::this_thread::get_id() == owner_) {
            action();
            return true;
        }
        std::unique_lock lock(mutex_);
        if (closed_) return false;
        Job job;
        job.action = &action;
        jobs_.push_back(&job);
        changed_.notify_all();
        changed_.wait(lock, [&] { return job.done || closed_; });
        return job.done;
    }
    bool PostToUiThread(std::function<void()> action) override {
        std::lock_guard lock(mutex_);
        if (closed_) return false;
        auto job = std::make_unique<Job>();
        job->queued = std::move(action);
        job->action = &job->queued;
        jobs_.push_back(job.get());
        queuedJobs_.push_back(std::move(job));
        changed_.notify_all();
        return true;
    }

    // Runs handed-over work until `done` holds or the time is up.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::unique_lock lock(mutex_);
        while (!done()) {
            if (jobs_.empty()) {
                // Other threads may also change what `done` looks at.
                if (std::chrono::steady_clock::now() >= deadline) return done();
                changed_.wait_for(lock, std::chrono::milliseconds(5));
                continue;
            }
            Job* job = jobs_.front();
            jobs_.pop_front();
            lock.unlock();
            (*job->action)();
            lock.lock();
            job->done = true;
            std::erase_if(queuedJobs_, [job](const std::unique_ptr<Job>& queued) { return queued.get() == job; });
            changed_.notify_all();
        }
        return true;
    }

    void Close() {
        std::lock_guard lock(mutex_);
        closed_ = true;
        changed_.notify_all();
    }

private:
    struct Job {
        std::function<void()> queued;  // the job's own, when nobody waits for it
        const std::function<void()>* action = nullptr;
        bool done = false;
    };
    const std::thread::id owner_ = std::this_thread::get_id();
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job*> jobs_;
    std::vector<std::unique_ptr<Job>> queuedJobs_;  // owned until they have run
    bool closed_ = false;
};

}  // namespace velora::fakes
