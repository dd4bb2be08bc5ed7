// The one worker thread of asynchronous HTTP: it drives every transfer of the
// process through a single curl multi handle, which also keeps connections
// alive between requests. It starts on first use and is stopped and joined
// when the process exits, dropping whatever is still in flight.
#pragma once

#include <curl/curl.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tovera::platform::net {

class HttpWorker {
public:
    /// A transfer handed to the worker, which holds it until it ends or is
    /// cancelled.
    class Job {
    public:
        virtual ~Job() = default;
        /// The configured easy handle; it stays the same for the job's life.
        virtual CURL* easy() const = 0;
        /// Called on the worker thread once the transfer has ended, after its
        /// handle has left the multi handle.
        virtual void finished(CURLcode result) = 0;
    };

    /// The process's worker, created (and its thread started) on first call.
    static HttpWorker& instance();

    /// Starts `job`'s transfer. Safe from any thread.
    void add(std::shared_ptr<Job> job);
    /// Stops `job`'s transfer if it is still running; `finished` is not called.
    void cancel(std::shared_ptr<Job> job);

    /// How many worker threads this process has started (for tests: one).
    static std::size_t threadsStarted();
    /// Waits until no transfer is queued, running or being cancelled; false
    /// when `limit` passed first.
    bool waitUntilIdle(std::chrono::milliseconds limit);

    ~HttpWorker();
    HttpWorker(const HttpWorker&) = delete;
    HttpWorker& operator=(const HttpWorker&) = delete;

private:
    struct MultiCleanup {
        void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
    };

    HttpWorker();
    void run();
    void takeRequests();
    void collectFinished();
    void detach(CURL* easy);

    std::unique_ptr<CURLM, MultiCleanup> multi_;
    // Touched by the worker thread only (and by the destructor after join).
    std::map<CURL*, std::shared_ptr<Job>> running_;

    std::mutex mutex_;
    std::condition_variable idle_;
    std::vector<std::shared_ptr<Job>> toAdd_;
    std::vector<std::shared_ptr<Job>> toCancel_;
    std::size_t runningCount_ = 0;
    bool stopping_ = false;

    std::thread thread_;  // last: starts once everything above exists
};

}  // namespace tovera::platform::net
