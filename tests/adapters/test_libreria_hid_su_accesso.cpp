#include "adapters/hid/libreria_hid_su_accesso.h"
#include "sim/eventi_hid_manuali.h"
#include "support/hid_finto.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int VID = 0x0461, PID = 0x0020;
const std::string SCHEDA = "/dev/hidraw1";
const std::string ALTRO = "/dev/hidraw0";

// The library on the fake stack; a long period unless a test wants the watcher.
struct Banco {
    explicit Banco(int periodo_ms = 60000) {
        auto a = std::make_unique<AccessoHidFinto>();
        accesso = a.get();
        libreria = std::make_unique<LibreriaHidSuAccesso>(std::move(a), periodo_ms);
    }
    bool aspetta_notifiche(size_t n, int ms = 2000) {
        return QTest::qWaitFor([&] { return ricevitore.ricevute.size() >= n; }, ms);
    }
    AccessoHidFinto* accesso;
    RicevitoreHidFinto ricevitore;
    std::unique_ptr<LibreriaHidSuAccesso> libreria;
};

QByteArray tempi(uint8_t primo) {
    QByteArray r(9, '\0');
    r[0] = static_cast<char>(primo);
    r[1] = 0x10;
    r[5] = 0x20;
    return r;
}

}  // namespace

TEST(LibreriaHidSuAccesso, UnaSchedaGiaCollegataEAnnunciataSubitoAlConnect) {
    Banco b;
    b.accesso->collega(ALTRO, 0x046d, 0xc31c);
    b.accesso->collega(SCHEDA, VID, PID);
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(b.libreria->Connect(&b.ricevitore));
    ASSERT_TRUE(b.aspetta_notifiche(3));
    const qint64 ms = t.elapsed();
    EXPECT_LT(ms, 250) << "plugged notification after " << ms << " ms";
    EXPECT_EQ(b.ricevitore.codici(), (std::vector<int>{NOTIFICA_HID_INSERITO, NOTIFICA_HID_INSERITO,
                                                       NOTIFICA_HID_CAMBIATO}));
    const ManigliaHid h = b.libreria->GetHandle(VID, PID);
    ASSERT_NE(h, 0);
    EXPECT_EQ(b.ricevitore.ricevute[1].maniglia, h);
    EXPECT_EQ(b.libreria->GetVendorID(h), VID);
    EXPECT_EQ(b.libreria->GetProductID(h), PID);
    EXPECT_EQ(b.libreria->GetVendorID(b.ricevitore.ricevute[0].maniglia), 0x046d);
    EXPECT_EQ(b.libreria->GetHandle(VID, 0x0021), 0);
    EXPECT_EQ(b.libreria->GetVendorID(12345), 0);
}

TEST(LibreriaHidSuAccesso, StaccaERiattaccaQuanteVolteSiVuole) {
    Banco b;
    b.accesso->ripeti_voci(2);  // one entry per usage, as hidraw lists them
    b.libreria->Connect(&b.ricevitore);
    QTest::qWait(20);
    EXPECT_TRUE(b.ricevitore.ricevute.empty());  // nothing attached, nothing changed
    std::vector<ManigliaHid> maniglie;
    for (int giro = 0; giro < 5; ++giro) {
        b.ricevitore.ricevute.clear();
        b.accesso->collega(SCHEDA, VID, PID);
        b.libreria->sveglia();
        ASSERT_TRUE(b.aspetta_notifiche(2)) << "giro " << giro;
        EXPECT_EQ(b.ricevitore.codici(), (std::vector<int>{NOTIFICA_HID_INSERITO, NOTIFICA_HID_CAMBIATO}));
        const ManigliaHid h = b.ricevitore.ricevute[0].maniglia;
        EXPECT_EQ(b.libreria->GetHandle(VID, PID), h);
        maniglie.push_back(h);

        b.ricevitore.ricevute.clear();
        b.accesso->scollega(SCHEDA);
        b.libreria->sveglia();
        ASSERT_TRUE(b.aspetta_notifiche(2));
        EXPECT_EQ(b.ricevitore.codici(), (std::vector<int>{NOTIFICA_HID_RIMOSSO, NOTIFICA_HID_CAMBIATO}));
        EXPECT_EQ(b.ricevitore.ricevute[0].maniglia, h);
        // The unplugged handler still asks for the IDs of the device that left.
        EXPECT_EQ(b.libreria->GetVendorID(h), VID);
        EXPECT_EQ(b.libreria->GetProductID(h), PID);
        EXPECT_EQ(b.libreria->GetHandle(VID, PID), 0);
    }
    std::sort(maniglie.begin(), maniglie.end());
    EXPECT_EQ(std::unique(maniglie.begin(), maniglie.end()), maniglie.end()) << "a handle was reused";
}

TEST(LibreriaHidSuAccesso, LEnumerazionePeriodicaVedeArriviEPartenze) {
    Banco b(25);
    b.libreria->Connect(&b.ricevitore);
    b.accesso->collega(SCHEDA, VID, PID);
    ASSERT_TRUE(b.aspetta_notifiche(2, 1000));
    EXPECT_EQ(b.ricevitore.ricevute[0].codice, NOTIFICA_HID_INSERITO);
    b.accesso->scollega(SCHEDA);
    ASSERT_TRUE(b.aspetta_notifiche(4, 1000));
    EXPECT_EQ(b.ricevitore.ricevute[2].codice, NOTIFICA_HID_RIMOSSO);
    EXPECT_GE(b.accesso->elencazioni(), 3);
}

TEST(LibreriaHidSuAccesso, OgniReportUnaNotificaConLIdAlByteZero) {
    Banco b;
    b.accesso->collega(SCHEDA, VID, PID);
    b.accesso->collega(ALTRO, 0x1234, 0x5678, /*numerati=*/true);
    b.libreria->Connect(&b.ricevitore);
    ASSERT_TRUE(b.aspetta_notifiche(3));
    const ManigliaHid h = b.libreria->GetHandle(VID, PID);
    const ManigliaHid altro = b.libreria->GetHandle(0x1234, 0x5678);

    // Before read notification is on, reports are dropped: a write opens the device
    // and its worker reads (and throws away) what comes.
    b.accesso->accoda_report(SCHEDA, tempi(0x55));
    BufferUscitaHid out{};
    b.libreria->WriteEx(VID, PID, out);
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.accesso->da_leggere(SCHEDA) == 0; }, 2000));
    QTest::qWait(20);
    QByteArray in;
    EXPECT_EQ(b.ricevitore.quante(NOTIFICA_HID_LETTO), 0);
    EXPECT_FALSE(b.libreria->Read(h, in));

    b.libreria->SetReadNotify(h, true);
    b.libreria->SetReadNotify(altro, true);
    b.accesso->accoda_report(SCHEDA, tempi(1));
    b.accesso->accoda_errore(SCHEDA);  // a failed read: dropped, the device opened again
    b.accesso->accoda_report(SCHEDA, tempi(2));
    QByteArray numerato = tempi(7);
    b.accesso->accoda_report(ALTRO, numerato);
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.ricevitore.quante(NOTIFICA_HID_LETTO) == 3; }, 3000));
    QTest::qWait(30);
    EXPECT_EQ(b.ricevitore.quante(NOTIFICA_HID_LETTO), 3);
    EXPECT_EQ(b.accesso->aperture(SCHEDA), 2);

    ASSERT_TRUE(b.libreria->Read(h, in));
    EXPECT_EQ(in, QByteArray(1, '\0') + tempi(1));
    ASSERT_TRUE(b.libreria->Read(h, in));
    EXPECT_EQ(in, QByteArray(1, '\0') + tempi(2));
    EXPECT_FALSE(b.libreria->Read(h, in));
    ASSERT_TRUE(b.libreria->Read(altro, in));
    EXPECT_EQ(in, numerato);  // numbered reports keep their own ID
}

TEST(LibreriaHidSuAccesso, WriteExRaggiungeIlDispositivoConQuegliId) {
    Banco b;
    b.accesso->collega(ALTRO, 0x1234, 0x5678);
    b.accesso->collega(SCHEDA, VID, PID);
    b.libreria->Connect(&b.ricevitore);
    BufferUscitaHid out{0, '$', 'S', 'x', 0, 0, 0, 0, 'z'};
    b.libreria->WriteEx(VID, PID, out);
    b.libreria->WriteEx(0x0461, 0x0099, out);  // nobody: ignored
    out[2] = 'T';
    b.libreria->WriteEx(VID, PID, out);
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.accesso->scritti(SCHEDA).size() == 2; }, 2000));
    const auto s = b.accesso->scritti(SCHEDA);
    EXPECT_EQ(s[0], QByteArray("\0$Sx\0\0\0\0z", 9));
    EXPECT_EQ(s[1], QByteArray("\0$Tx\0\0\0\0z", 9));
    EXPECT_TRUE(b.accesso->scritti(ALTRO).empty());

    // A device that cannot be opened: writes vanish, nothing blocks.
    b.accesso->collega("/dev/hidraw5", 0x0461, 0x0030);
    b.accesso->imposta_apribile("/dev/hidraw5", false);
    b.libreria->sveglia();
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.libreria->GetHandle(0x0461, 0x0030) != 0; }, 2000));
    QElapsedTimer t;
    t.start();
    b.libreria->WriteEx(0x0461, 0x0030, out);
    EXPECT_LT(t.elapsed(), 200);  // queued for the worker, never waited for
    EXPECT_TRUE(b.accesso->scritti("/dev/hidraw5").empty());
}

TEST(LibreriaHidSuAccesso, DopoDisconnectNessunaNotificaEIlConnectRiannuncia) {
    Banco b(20);
    b.accesso->collega(SCHEDA, VID, PID);
    b.libreria->Connect(&b.ricevitore);
    ASSERT_TRUE(b.aspetta_notifiche(2));
    const ManigliaHid prima = b.libreria->GetHandle(VID, PID);
    b.libreria->SetReadNotify(prima, true);
    b.accesso->accoda_report(SCHEDA, tempi(1));
    ASSERT_TRUE(b.aspetta_notifiche(3));
    b.ricevitore.ricevute.clear();

    EXPECT_TRUE(b.libreria->Disconnect());
    b.accesso->accoda_report(SCHEDA, tempi(2));
    b.accesso->scollega(SCHEDA);
    QTest::qWait(80);
    EXPECT_TRUE(b.ricevitore.ricevute.empty());
    EXPECT_EQ(b.libreria->GetHandle(VID, PID), 0);

    b.accesso->collega(SCHEDA, VID, PID);
    b.libreria->Connect(&b.ricevitore);
    ASSERT_TRUE(b.aspetta_notifiche(2));
    EXPECT_EQ(b.ricevitore.ricevute[0].codice, NOTIFICA_HID_INSERITO);
    EXPECT_NE(b.ricevitore.ricevute[0].maniglia, prima);
}

namespace {
// The library on the fake stack with a hot-plug source the test drives.
struct BancoEventi : Banco {
    explicit BancoEventi(int periodo_ms = 60000, bool attiva = true) : Banco(0) {
        auto a = std::make_unique<AccessoHidFinto>();
        accesso = a.get();
        auto e = std::make_unique<SorgenteEventiHidManuale>(attiva);
        eventi = e.get();
        libreria = std::make_unique<LibreriaHidSuAccesso>(std::move(a), periodo_ms, std::move(e));
    }
    SorgenteEventiHidManuale* eventi;
};
}  // namespace

TEST(LibreriaHidSuAccesso, GliEventiDiCollegamentoGuidanoArriviEPartenze) {
    BancoEventi b;  // the period alone would see nothing for a minute
    b.libreria->Connect(&b.ricevitore);
    for (int giro = 0; giro < 3; ++giro) {
        b.ricevitore.ricevute.clear();
        b.accesso->collega(SCHEDA, VID, PID);
        b.eventi->evento();
        ASSERT_TRUE(b.aspetta_notifiche(2)) << "giro " << giro;
        EXPECT_EQ(b.ricevitore.codici(), (std::vector<int>{NOTIFICA_HID_INSERITO, NOTIFICA_HID_CAMBIATO}));
        EXPECT_NE(b.libreria->GetHandle(VID, PID), 0);

        b.ricevitore.ricevute.clear();
        b.accesso->scollega(SCHEDA);
        b.eventi->evento();
        ASSERT_TRUE(b.aspetta_notifiche(2));
        EXPECT_EQ(b.ricevitore.codici(), (std::vector<int>{NOTIFICA_HID_RIMOSSO, NOTIFICA_HID_CAMBIATO}));
        EXPECT_EQ(b.libreria->GetHandle(VID, PID), 0);
    }
    EXPECT_EQ(b.accesso->elencazioni(), 1 + 6);  // Connect's, then one per event
    b.libreria->Disconnect();
    b.accesso->collega(SCHEDA, VID, PID);
    b.eventi->evento();  // nobody listens any more
    QTest::qWait(30);
    EXPECT_EQ(b.accesso->elencazioni(), 7);
}

TEST(LibreriaHidSuAccesso, IlPeriodoBreveSoloSenzaEventiCheArrivano) {
    // A source that works: the period only backs it up.
    BancoEventi con(20, true);
    con.libreria->Connect(&con.ricevitore);
    QTest::qWait(150);
    EXPECT_EQ(con.accesso->elencazioni(), 1);

    // No device manager running: the short period finds the board by itself.
    BancoEventi senza(20, false);
    senza.libreria->Connect(&senza.ricevitore);
    senza.accesso->collega(SCHEDA, VID, PID);
    ASSERT_TRUE(senza.aspetta_notifiche(2, 1000));
    EXPECT_EQ(senza.ricevitore.ricevute[0].codice, NOTIFICA_HID_INSERITO);
}

TEST(LibreriaHidSuAccesso, UnaSchedaSenzaPermessoEDettaUnaVoltaPerCollegamento) {
    Banco b;
    QStringList avvisi;
    b.libreria->al_accesso_negato = [&](const QString& a) { avvisi << a; };
    b.accesso->collega(SCHEDA, VID, PID);
    b.accesso->nega_accesso(SCHEDA);
    b.accesso->collega(ALTRO, 0x1234, 0x5678);
    b.accesso->imposta_apribile(ALTRO, false);  // broken, not refused: nothing to tell
    b.libreria->Connect(&b.ricevitore);
    ASSERT_TRUE(b.aspetta_notifiche(3));
    b.libreria->SetReadNotify(b.libreria->GetHandle(VID, PID), true);
    b.libreria->SetReadNotify(b.libreria->GetHandle(0x1234, 0x5678), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !avvisi.isEmpty(); }, 2000));
    // The worker keeps trying (every pausa_riprova_ms) and writes keep coming.
    b.libreria->WriteEx(VID, PID, BufferUscitaHid{});
    QTest::qWait(LibreriaHidSuAccesso::pausa_riprova_ms + 150);
    ASSERT_EQ(avvisi.size(), 1);
    EXPECT_TRUE(avvisi[0].contains(QString::fromStdString(SCHEDA))) << avvisi[0].toStdString();
    EXPECT_TRUE(avvisi[0].contains("70-hopa-scheda.rules"));
    EXPECT_TRUE(avvisi[0].contains("ricollegare"));

    // Plugged in again, still refused: told again.
    b.accesso->scollega(SCHEDA);
    b.libreria->sveglia();
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.libreria->GetHandle(VID, PID) == 0; }, 2000));
    b.accesso->collega(SCHEDA, VID, PID);
    b.libreria->sveglia();
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.libreria->GetHandle(VID, PID) != 0; }, 2000));
    b.libreria->SetReadNotify(b.libreria->GetHandle(VID, PID), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return avvisi.size() == 2; }, 2000));

    // A refusal found while disconnecting is never handed over.
    b.accesso->collega("/dev/hidraw7", 0x0461, 0x0030);
    b.accesso->nega_accesso("/dev/hidraw7");
    b.libreria->sveglia();
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.libreria->GetHandle(0x0461, 0x0030) != 0; }, 2000));
    b.libreria->SetReadNotify(b.libreria->GetHandle(0x0461, 0x0030), true);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the worker has tried and posted
    b.libreria->Disconnect();
    QTest::qWait(50);
    EXPECT_EQ(avvisi.size(), 2);
}
