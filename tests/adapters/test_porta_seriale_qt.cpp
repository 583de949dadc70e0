#include "adapters/serial/porta_seriale_qt.h"
#include "sim/pseudo_terminale.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {
struct Linea {
    std::unique_ptr<PseudoTerminale> scheda = PseudoTerminale::crea();
    QString percorso = scheda ? scheda->percorso() : QString();
    PortaSerialeQt porta{[this](int) { return percorso; }};
    QByteArray da_scheda() {
        QByteArray r;
        char b[256];
        for (long n; (n = scheda->leggi(b, sizeof b)) > 0;) r.append(b, n);
        return r;
    }
    void scrivi(const QByteArray& b) { ASSERT_EQ(scheda->scrivi(b.constData(), b.size()), b.size()); }
};
}  // namespace

TEST(PortaSerialeQt, AperturaChiusuraELineeDiControlloSuUnPty) {
    Linea l;
    ASSERT_TRUE(l.scheda);
    EXPECT_TRUE(l.porta.imposta_impostazioni("19200,X,8,1").has_value());
    EXPECT_EQ(l.porta.imposta_impostazioni("19200,N,8").value_or(ErrorePorta{}).codice, errori_porta::valore_non_valido);
    EXPECT_FALSE(l.porta.imposta_impostazioni("19200,N,8,1").has_value());
    EXPECT_EQ(l.porta.impostazioni(), "19200,N,8,1");
    ASSERT_FALSE(l.porta.apri().has_value());
    EXPECT_TRUE(l.porta.aperta());
    EXPECT_EQ(l.porta.apri().value_or(ErrorePorta{}).codice, errori_porta::porta_gia_aperta);
    EXPECT_EQ(l.porta.imposta_numero_porta(2).value_or(ErrorePorta{}).codice, errori_porta::porta_gia_aperta);
    // A pty refuses the control lines: the port must stay usable.
    l.porta.imposta_dtr(true);
    l.porta.imposta_rts(false);
    EXPECT_TRUE(l.porta.aperta());
    l.porta.chiudi();
    EXPECT_FALSE(l.porta.aperta());
    EXPECT_FALSE(l.porta.imposta_numero_porta(2).has_value());
    EXPECT_FALSE(l.porta.apri().has_value()) << "a closed port opens again";
}

TEST(PortaSerialeQt, LaSchedaRiceveCioCheLaPortaScrive) {
    Linea l;
    ASSERT_TRUE(l.scheda);
    ASSERT_FALSE(l.porta.apri().has_value());
    l.porta.scrivi_uscita(QByteArray("$\x00?", 3));
    QByteArray visto;
    ASSERT_TRUE(QTest::qWaitFor([&] { visto += l.da_scheda(); return visto.size() >= 3; }, 2000));
    EXPECT_EQ(visto, QByteArray("$\x00?", 3));
}

TEST(PortaSerialeQt, SogliaLunghezzaDiLetturaEFrameInRaffica) {
    Linea l;
    ASSERT_TRUE(l.scheda);
    ASSERT_FALSE(l.porta.apri().has_value());
    l.porta.imposta_soglia_ricezione(8);
    l.porta.imposta_lunghezza_lettura(4);
    std::vector<QByteArray> letti;
    int eventi = 0;
    l.porta.al_evento = [&](EventoPorta e) {
        if (e != EventoPorta::DatiRicevuti) return;
        ++eventi;
        letti.push_back(l.porta.leggi_ingresso());
        letti.push_back(l.porta.leggi_ingresso());
    };
    l.scrivi("abcd");
    QTest::qWait(50);
    EXPECT_EQ(eventi, 0) << "half a frame raises nothing";
    EXPECT_EQ(l.porta.byte_in_attesa(), 4);
    l.scrivi("efgh");
    ASSERT_TRUE(QTest::qWaitFor([&] { return eventi == 1; }, 2000));
    EXPECT_EQ(letti[0], "abcd");
    EXPECT_EQ(letti[1], "efgh");
    // Three frames at once: the handler takes one per event and is called again.
    l.scrivi("111122223333444455556666");
    ASSERT_TRUE(QTest::qWaitFor([&] { return eventi == 4; }, 2000));
    EXPECT_EQ(letti.back(), "6666");
    EXPECT_EQ(l.porta.byte_in_attesa(), 0);
    // A handler that leaves the bytes alone is not called in a loop.
    l.porta.al_evento = [&](EventoPorta) { ++eventi; };
    l.scrivi("12345678");
    ASSERT_TRUE(QTest::qWaitFor([&] { return eventi == 5; }, 2000));
    QTest::qWait(30);
    EXPECT_EQ(eventi, 5);
    l.porta.imposta_lunghezza_lettura(0);
    EXPECT_EQ(l.porta.leggi_ingresso(), "12345678");
}

TEST(PortaSerialeQt, QuandoLAltroCapoSparisceLaPortaSiChiude) {
    Linea l;
    ASSERT_TRUE(l.scheda);
    ASSERT_FALSE(l.porta.apri().has_value());
    int altri = 0;
    l.porta.al_evento = [&](EventoPorta e) { altri += e == EventoPorta::PortaPersa; };
    l.scheda.reset();  // hang-up
    ASSERT_TRUE(QTest::qWaitFor([&] { return !l.porta.aperta(); }, 3000));
    QTest::qWait(50);
    EXPECT_EQ(altri, 1);  // told once, however many errors follow
    l.porta.scrivi_uscita("$");  // tries to reopen the vanished device: nothing happens
    EXPECT_FALSE(l.porta.aperta());
    const auto e = l.porta.apri();
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->descrizione.isEmpty());
}

TEST(PortaSerialeQt, NessunDispositivoPerIlNumero) {
    PortaSerialeQt p([](int n) { return n == 1 ? QString() : QStringLiteral("/dev/non-esiste-hopa"); });
    EXPECT_EQ(p.apri().value_or(ErrorePorta{}).codice, errori_porta::numero_non_valido);
    ASSERT_FALSE(p.imposta_numero_porta(2).has_value());
    const auto e = p.apri();
    ASSERT_TRUE(e.has_value());
    EXPECT_NE(e->codice, errori_porta::porta_gia_aperta);
    EXPECT_FALSE(p.aperta());
    EXPECT_EQ(p.imposta_numero_porta(17).value_or(ErrorePorta{}).codice, errori_porta::numero_non_valido);
    EXPECT_EQ(p.byte_in_attesa(), 0);
    EXPECT_TRUE(p.leggi_ingresso().isEmpty());
}
