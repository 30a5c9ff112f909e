#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace brezzolo {

// One piece of work at a time on a thread of its own, whose result the owner's thread collects
// by asking (take), never by a call from the worker: the network work of the APRS-IS upload
// and of the connection test, which must not hold up the cycle or the window.
template <typename Result>
class BackgroundTask {
  public:
    BackgroundTask() = default;
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    // Work still under way when the owner goes is left to end on its own: its thread owns what
    // it uses, and waiting could hold the program's end up for as long as a name lookup takes.
    ~BackgroundTask() {
        if (thread_.joinable()) {
            if (finished()) {
                thread_.join();
            } else {
                thread_.detach();
            }
        }
    }

    // Starts the work. False when work is still under way or uncollected, or when the system
    // has no thread to give.
    bool start(std::function<Result()> work) {
        if (shared_) {
            return false;
        }
        auto shared = std::make_shared<Shared>();
        try {
            thread_ = std::thread([shared, work = std::move(work)] {
                std::optional<Result> result;
                try {
                    result = work();
                } catch (...) {
                    result = Result{};  // the work reports its own failures; this is a last stop
                }
                const std::lock_guard lock(shared->mutex);
                shared->result = std::move(result);
                shared->finishedChanged.notify_all();
            });
        } catch (const std::system_error&) {
            return false;
        }
        shared_ = std::move(shared);
        return true;
    }

    // True from start() until the result has been taken.
    bool busy() const { return shared_ != nullptr; }

    // The result of finished work, once; nothing while the work runs or when there is none.
    std::optional<Result> take() {
        if (!finished()) {
            return std::nullopt;
        }
        thread_.join();
        auto result = std::move(shared_->result);
        shared_.reset();
        return result;
    }

    // Waits at most `limit` for the work to end; true when it has (or there is none).
    bool wait(std::chrono::milliseconds limit) {
        if (!shared_) {
            return true;
        }
        std::unique_lock lock(shared_->mutex);
        return shared_->finishedChanged.wait_for(lock, limit,
                                                 [&] { return shared_->result.has_value(); });
    }

  private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable finishedChanged;
        std::optional<Result> result;
    };

    bool finished() const {
        if (!shared_) {
            return false;
        }
        const std::lock_guard lock(shared_->mutex);
        return shared_->result.has_value();
    }

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace brezzolo
