#include "aprs_is/uploader.h"

#include <condition_variable>
#include <exception>
#include <mutex>

namespace brezzolo {

// What the worker thread shares with the caller: the outcome and the flag that it is there.
struct Uploader::Job {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    UploadOutcome outcome;

    void finish(bool sent, std::string message) {
        const std::lock_guard lock(mutex);
        outcome.sent = sent;
        outcome.message = std::move(message);
        done = true;
        finished.notify_all();
    }
};

Uploader::Uploader(std::string statePath, UploaderOptions options)
    : statePath_(std::move(statePath)),
      options_(std::move(options)),
      state_(readUploadState(statePath_)) {
    status_.lastSent = state_.lastSent;
    status_.lastServer = state_.lastServer;
}

Uploader::~Uploader() {
    if (!worker_.joinable()) {
        return;
    }
    // An upload still under way when the program ends is left to finish on its own (its
    // thread owns what it uses); waiting here could hold up the program's end for as long as
    // a name lookup takes.
    if (waitForOutcome(std::chrono::milliseconds(0))) {
        worker_.join();
    } else {
        worker_.detach();
    }
}

std::int64_t Uploader::now() const {
    return std::chrono::duration_cast<std::chrono::seconds>(options_.clock().time_since_epoch())
        .count();
}

OfferResult Uploader::offer(const ReportedReading& reported, const AprsIsSettings& settings) {
    collect();
    if (job_) {
        return OfferResult::Busy;
    }
    const std::int64_t moment = now();
    const std::string stamp = readingStamp(reported.reading);
    const auto packet = aprsIsPacket(reported, settings, options_.timeZone);
    if (stamp.empty() || !packet) {
        status_.activity = UploadActivity::ReadingWithoutTime;
        return OfferResult::NoReadingTime;
    }
    // A clock set back leaves the last attempt in the future; that counts as due.
    const std::int64_t interval = std::int64_t{settings.intervalMinutes} * 60;
    if (state_.lastAttempt && moment >= *state_.lastAttempt &&
        moment - *state_.lastAttempt < interval - kIntervalAllowanceSeconds) {
        return OfferResult::NotDue;
    }
    if (stamp == state_.lastReading) {
        status_.activity = UploadActivity::ReadingUnchanged;
        status_.readingTime = reported.reading.hour + ":" + reported.reading.minute;
        return OfferResult::SameReading;
    }
    start(settings, *packet, stamp, moment);
    return OfferResult::Started;
}

void Uploader::start(const AprsIsSettings& settings, const std::string& packet,
                     const std::string& stamp, std::int64_t startedAt) {
    state_.lastAttempt = startedAt;
    writeUploadState(state_, statePath_);  // a failure only loses the rules across a restart

    auto job = std::make_shared<Job>();
    job->outcome.startedAt = startedAt;
    job->outcome.server = settings.host;
    job->outcome.packet = packet;
    try {
        worker_ = std::thread([job, settings, packet, session = options_.session] {
            try {
                const SessionResult result = sendAprsIsPacket(settings, packet, session);
                job->finish(result.ok, result.message);
            } catch (const std::exception& e) {
                job->finish(false, std::string("errore interno: ") + e.what());
            }
        });
    } catch (const std::exception& e) {
        job->finish(false, std::string("errore interno: ") + e.what());
    }
    job_ = std::move(job);
    jobStamp_ = stamp;
    status_.activity = UploadActivity::Uploading;
    status_.server = settings.host;
}

void Uploader::collect() {
    if (!job_) {
        return;
    }
    {
        const std::lock_guard lock(job_->mutex);
        if (!job_->done) {
            return;
        }
    }
    if (worker_.joinable()) {
        worker_.join();
    }
    UploadOutcome outcome = std::move(job_->outcome);
    job_.reset();

    if (outcome.sent) {
        state_.lastSent = outcome.startedAt;
        state_.lastReading = jobStamp_;
        state_.lastServer = outcome.server;
        writeUploadState(state_, statePath_);
        status_.activity = UploadActivity::Sent;
        status_.lastSent = state_.lastSent;
        status_.lastServer = state_.lastServer;
    } else {
        status_.activity = UploadActivity::Failed;
        status_.failure = outcome.message;
    }
    ready_ = std::move(outcome);
}

std::optional<UploadOutcome> Uploader::takeOutcome() {
    collect();
    auto outcome = std::move(ready_);
    ready_.reset();
    return outcome;
}

bool Uploader::waitForOutcome(std::chrono::milliseconds limit) {
    if (!job_) {
        return true;
    }
    std::unique_lock lock(job_->mutex);
    return job_->finished.wait_for(lock, limit, [this] { return job_->done; });
}

std::string Uploader::statusLine() const {
    return aprsIsStatusLine(status_, options_.timeZone, now());
}

}  // namespace brezzolo
