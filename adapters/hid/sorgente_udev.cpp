#include "adapters/hid/sorgente_udev.h"

#ifdef HOPA_CON_UDEV

#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

class SorgenteUdev : public SorgenteEventiHid {
public:
    SorgenteUdev() {
        udev_ = udev_new();
        if (!udev_) return;
        monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
        if (!monitor_) return;
        if (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
            udev_monitor_enable_receiving(monitor_) < 0) {
            udev_monitor_unref(monitor_);
            monitor_ = nullptr;
            return;
        }
        fd_ = udev_monitor_get_fd(monitor_);
    }
    ~SorgenteUdev() override {
        if (monitor_) udev_monitor_unref(monitor_);
        if (udev_) udev_unref(udev_);
    }

    bool attiva() const override {
        // The daemon's control socket: with no udevd (a container) the monitor
        // opens fine but no event is ever sent.
        return monitor_ && fd_ >= 0 && ::access("/run/udev/control", F_OK) == 0;
    }

    bool attendi(int timeout_ms) override {
        if (!monitor_ || fd_ < 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(timeout_ms));
            return false;
        }
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, timeout_ms) <= 0) return false;
        // The socket is non-blocking: take every event waiting, one wake for all.
        bool visto = false;
        while (udev_device* d = udev_monitor_receive_device(monitor_)) {
            visto = true;
            udev_device_unref(d);
        }
        return visto;
    }

private:
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    int fd_ = -1;
};

}  // namespace

std::unique_ptr<SorgenteEventiHid> nuova_sorgente_udev() { return std::make_unique<SorgenteUdev>(); }

#else

std::unique_ptr<SorgenteEventiHid> nuova_sorgente_udev() { return nullptr; }

#endif
