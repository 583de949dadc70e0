#pragma once

#include "platform/accesso_hid.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

// Hot-plug events sent by hand, as udev would send them: a test or a benchmark
// calls evento() when its stand-in device stack gains or loses a device.
class SorgenteEventiHidManuale : public SorgenteEventiHid {
public:
    explicit SorgenteEventiHidManuale(bool attiva = true) : attiva_(attiva) {}
    void evento() {
        {
            std::lock_guard l(m_);
            ++in_attesa_;
        }
        cv_.notify_all();
    }
    bool attiva() const override { return attiva_; }
    bool attendi(int timeout_ms) override {
        std::unique_lock l(m_);
        if (!cv_.wait_for(l, std::chrono::milliseconds(timeout_ms), [&] { return in_attesa_ > 0; })) return false;
        in_attesa_ = 0;
        return true;
    }

private:
    const bool attiva_;
    std::mutex m_;
    std::condition_variable cv_;
    int in_attesa_ = 0;
};
