#include "platform/net/HttpWorker.h"

#include <atomic>

#include "platform/net/CurlTransfer.h"

namespace tovera::platform::net {

namespace {

// curl_multi_poll returns earlier whenever a transfer needs attention or
// curl_multi_wakeup is called, so this only bounds an idle wait.
constexpr int kIdlePollMs = 10000;
// Like a browser, at most this many connections to one host; further requests
// wait for one of them, which servers with a thread per connection need.
constexpr long kConnectionsPerHost = 6;
// Idle connections kept open for the next requests.
constexpr long kCachedConnections = 16;

std::atomic<std::size_t> startedThreads{0};

}  // namespace

HttpWorker& HttpWorker::instance() {
    static HttpWorker worker;
    return worker;
}

HttpWorker::HttpWorker() {
    makeCurlEasy();  // initialises libcurl before the multi handle exists
    multi_.reset(curl_multi_init());
    if (multi_) {
        curl_multi_setopt(multi_.get(), CURLMOPT_MAX_HOST_CONNECTIONS, kConnectionsPerHost);
        curl_multi_setopt(multi_.get(), CURLMOPT_MAXCONNECTS, kCachedConnections);
    }
    thread_ = std::thread([this] { run(); });
}

HttpWorker::~HttpWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    if (multi_) curl_multi_wakeup(multi_.get());
    thread_.join();
    // Transfers still in flight at exit are dropped without a report.
    while (!running_.empty())
        detach(running_.begin()->first);
    toAdd_.clear();
    toCancel_.clear();
}

std::size_t HttpWorker::threadsStarted() {
    return startedThreads.load();
}

void HttpWorker::add(std::shared_ptr<Job> job) {
    if (!multi_) {
        job->finished(CURLE_OUT_OF_MEMORY);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        toAdd_.push_back(std::move(job));
    }
    curl_multi_wakeup(multi_.get());
}

void HttpWorker::cancel(std::shared_ptr<Job> job) {
    if (!multi_) return;
    {
        std::lock_guard lock(mutex_);
        toCancel_.push_back(std::move(job));
    }
    curl_multi_wakeup(multi_.get());
}

bool HttpWorker::waitUntilIdle(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(
        lock, limit, [this] { return toAdd_.empty() && toCancel_.empty() && runningCount_ == 0; });
}

void HttpWorker::run() {
    ++startedThreads;
    if (!multi_) return;
    while (true) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;
        }
        takeRequests();
        int stillRunning = 0;
        curl_multi_perform(multi_.get(), &stillRunning);
        collectFinished();
        {
            std::lock_guard lock(mutex_);
            runningCount_ = running_.size();
            if (runningCount_ == 0 && toAdd_.empty() && toCancel_.empty()) idle_.notify_all();
        }
        curl_multi_poll(multi_.get(), nullptr, 0, kIdlePollMs, nullptr);
    }
}

void HttpWorker::takeRequests() {
    std::vector<std::shared_ptr<Job>> added;
    std::vector<std::shared_ptr<Job>> cancelled;
    {
        std::lock_guard lock(mutex_);
        added.swap(toAdd_);
        cancelled.swap(toCancel_);
        runningCount_ += added.size();  // still busy until this round has ended
    }
    // Additions first, so a job cancelled right after it was added is removed.
    for (auto& job : added) {
        CURL* easy = job->easy();
        if (easy && curl_multi_add_handle(multi_.get(), easy) == CURLM_OK)
            running_.emplace(easy, std::move(job));
        else
            job->finished(CURLE_FAILED_INIT);
    }
    for (const auto& job : cancelled)
        if (running_.count(job->easy()) != 0) detach(job->easy());
}

void HttpWorker::collectFinished() {
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_.get(), &queued)) {
        if (message->msg != CURLMSG_DONE) continue;
        // The message dies with the handle's removal: read it first.
        CURL* easy = message->easy_handle;
        const CURLcode result = message->data.result;
        const auto it = running_.find(easy);
        if (it == running_.end()) continue;
        const std::shared_ptr<Job> job = it->second;
        detach(easy);
        job->finished(result);
    }
}

void HttpWorker::detach(CURL* easy) {
    curl_multi_remove_handle(multi_.get(), easy);
    running_.erase(easy);
}

}  // namespace tovera::platform::net
