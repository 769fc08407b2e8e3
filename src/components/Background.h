#pragma once
// Work for a window that takes time (asking the home router, say), done on
// a thread of its own so the window stays responsive; its result comes back
// on the window's thread. A result the window no longer wants (it closed,
// or went away with the launcher's end) is handed to `dropped` instead, on
// whichever thread finds it unwanted, so what the work left behind can be
// undone.

#include <QMetaObject>
#include <QObject>

#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class Background {
public:
    explicit Background(QObject* receiver) : mailbox_(std::make_shared<Mailbox>())
    {
        mailbox_->receiver = receiver;
    }
    ~Background()
    {
        const std::lock_guard lock(mailbox_->mutex);
        mailbox_->receiver = nullptr;
    }
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    // A failure of `job` reads as a default result: it must not end the
    // launcher.
    template <class Result>
    void run(std::function<Result()> job, std::function<void(const Result&)> done,
             std::function<void(const Result&)> dropped = {})
    {
        unsigned round = 0;
        {
            const std::lock_guard lock(mailbox_->mutex);
            round = mailbox_->round;
        }
        std::thread([mailbox = mailbox_, round, job = std::move(job), done = std::move(done),
                     dropped = std::move(dropped)] {
            Result result{};
            try {
                result = job();
            } catch (...) {
            }
            std::unique_lock lock(mailbox->mutex);
            if (mailbox->receiver && mailbox->round == round) {
                QMetaObject::invokeMethod(
                    mailbox->receiver,
                    [mailbox, round, done, dropped, result] {
                        if (mailbox->current(round))
                            done(result);
                        else if (dropped)
                            dropped(result);
                    },
                    Qt::QueuedConnection);
                return;
            }
            lock.unlock();
            if (dropped)
                dropped(result);
        }).detach();
    }

    // The results of the work started so far are no longer wanted.
    void dropPending()
    {
        const std::lock_guard lock(mailbox_->mutex);
        ++mailbox_->round;
    }

private:
    // What the threads share with the window; it outlives both.
    struct Mailbox {
        std::mutex mutex;
        QObject* receiver = nullptr;
        unsigned round = 0;  // each dropPending() begins another
        bool current(unsigned asked)
        {
            const std::lock_guard lock(mutex);
            return receiver && round == asked;
        }
    };
    std::shared_ptr<Mailbox> mailbox_;
};
