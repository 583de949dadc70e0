#include "platform/accesso_hid.h"
#include "platform/permesso_negato.h"
#include "adapters/hid/hid_sistema.h"
#include "adapters/hid/report_hid.h"

#include <QFile>
#include <QString>

#include <hidapi.h>

#include <mutex>

namespace {

// Whether the device's reports carry an ID byte, from its report descriptor.
// hidapi 0.13 does not expose the descriptor; on Linux the kernel does in sysfs.
bool ha_report_numerati(const char* percorso) {
#ifdef Q_OS_LINUX
    const QString p = QString::fromLocal8Bit(percorso);  // /dev/hidrawN
    const QString nodo = p.section(QLatin1Char('/'), -1);
    QFile f(QStringLiteral("/sys/class/hidraw/%1/device/report_descriptor").arg(nodo));
    if (!f.open(QIODevice::ReadOnly)) return false;
    return descrittore_con_id_report(f.read(4096));
#else
    (void)percorso;
    return false;
#endif
}

class CanaleHidapi : public CanaleHid {
public:
    CanaleHidapi(hid_device* d, bool numerati) : d_(d), numerati_(numerati) {}
    ~CanaleHidapi() override { hid_close(d_); }
    int leggi(uint8_t* dati, size_t massimo, int timeout_ms) override {
        return hid_read_timeout(d_, dati, massimo, timeout_ms);
    }
    int scrivi(const uint8_t* dati, size_t lunghezza) override { return hid_write(d_, dati, lunghezza); }
    bool report_numerati() const override { return numerati_; }

private:
    hid_device* d_;
    bool numerati_;
};

class AccessoHidapi : public AccessoHid {
public:
    AccessoHidapi() {
        static std::once_flag una_volta;
        std::call_once(una_volta, [] { hid_init(); });
    }
    std::vector<InfoDispositivoHid> elenca() override {
        std::vector<InfoDispositivoHid> r;
        hid_device_info* elenco = hid_enumerate(0, 0);
        for (hid_device_info* i = elenco; i; i = i->next) {
            if (!i->path) continue;
            r.push_back({i->path, i->vendor_id, i->product_id});
        }
        hid_free_enumeration(elenco);
        return r;
    }
    std::unique_ptr<CanaleHid> apri(const std::string& percorso) override {
        hid_device* d = hid_open_path(percorso.c_str());
        if (!d) return nullptr;
        return std::make_unique<CanaleHidapi>(d, ha_report_numerati(percorso.c_str()));
    }
    bool accesso_negato(const std::string& percorso) override {
        return permesso_negato(QFile::decodeName(percorso.c_str()));
    }
};

}  // namespace

std::unique_ptr<AccessoHid> nuovo_accesso_hidapi() { return std::make_unique<AccessoHidapi>(); }
