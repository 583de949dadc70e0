#include "core/modello_prova.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {
// Writes down every notice of the model, with what the model held at that moment.
struct Ascoltatore {
    explicit Ascoltatore(ModelloProva& m) {
        QObject::connect(&m, &ModelloProva::salto_aggiunto, [this, &m](int32_t k, int32_t tc) {
            notizie << QStringLiteral("aggiunto %1 %2 (%3)").arg(k).arg(tc).arg(m.numero());
        });
        QObject::connect(&m, &ModelloProva::salto_completato, [this, &m](int32_t k, const Salto& s) {
            notizie << QStringLiteral("completato %1 %2").arg(k).arg(s.t_volo);
            EXPECT_EQ(s, m.salti()[k]);
        });
        QObject::connect(&m, &ModelloProva::azzerata, [this, &m] { notizie << QStringLiteral("azzerata (%1)").arg(m.numero()); });
        QObject::connect(&m, &ModelloProva::salto_eliminato, [this, &m](int32_t k) {
            notizie << QStringLiteral("eliminato %1 (%2)").arg(k).arg(m.numero());
        });
        QObject::connect(&m, &ModelloProva::sostituita, [this, &m] { notizie << QStringLiteral("sostituita (%1)").arg(m.numero()); });
    }
    QStringList notizie;
};
}  // namespace

TEST(ModelloProva, OgniCambiamentoEAnnunciatoAChiAscoltaDopoEssereAvvenuto) {
    ModelloProva m;
    Ascoltatore a(m), b(m);
    m.aggiungi_salto(300);
    m.completa_salto(500);
    m.aggiungi_salto(250);
    m.completa_salto(400);
    EXPECT_EQ(m.salti()[2].n_rip, 2);
    EXPECT_GT(m.salti()[2].potenza, 0);
    EXPECT_TRUE(m.elimina(1));
    EXPECT_FALSE(m.elimina(2));  // no jump 2 any more: nothing happens, nothing is said
    EXPECT_FALSE(m.elimina(0));
    EXPECT_EQ(m.salti()[1].n_rip, 2);  // the moved record keeps its number
    m.azzera();
    m.sostituisci({Salto{480, 28.2, 310, 0, 0, 1}, Salto{500, 30.6, 290, 12, 40, 2}});
    const QStringList attese = {"aggiunto 1 300 (1)", "completato 1 500", "aggiunto 2 250 (2)", "completato 2 400",
                                "eliminato 1 (1)",    "azzerata (0)",     "sostituita (2)"};
    EXPECT_EQ(a.notizie, attese);
    EXPECT_EQ(b.notizie, attese);
    EXPECT_EQ(m.salti()[2].t_contatto, 290);
}

TEST(ModelloProva, SenzaRecordNonCompletaNienteEIlMomentoDellaProva) {
    ModelloProva m;
    QDateTime adesso(QDate(2026, 3, 15), QTime(9, 5, 7));
    m.adesso = [&] { return adesso; };
    Ascoltatore a(m);
    m.completa_salto(500);
    EXPECT_EQ(m.numero(), 0);
    EXPECT_TRUE(a.notizie.isEmpty());

    m.azzera();
    EXPECT_EQ(m.quando(), adesso);
    const QDateTime nel_file(QDate(2024, 1, 2), QTime(3, 4, 5));
    m.sostituisci({Salto{}}, nel_file);
    EXPECT_EQ(m.quando(), nel_file);
    adesso = adesso.addSecs(60);
    m.sostituisci({});  // a file that tells no time: the test is taken now
    EXPECT_EQ(m.quando(), adesso);
}
