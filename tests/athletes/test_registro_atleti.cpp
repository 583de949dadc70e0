// The register behind the configuration dialog, driven without a window.
#include "athletes/file_atleta.h"
#include "athletes/registro_atleti.h"
#include "support/file_prova.h"
#include "support/finti.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
class Registro : public ::testing::Test {
protected:
    void apri() {
        cartelle.programma = tmp.path();
        r.Prepara_campi();
        r.Aggiorna_campi(true);
    }
    QTemporaryDir tmp;
    SessioneAtleta sessione;
    CartelleProgramma cartelle;
    ArchivioMemoria archivio;
    MessaggiFinti messaggi;
    VistaIntestazioneFinta intestazione;
    RegistroAtleti r{sessione, cartelle, archivio, messaggi, intestazione};
};
}  // namespace

TEST_F(Registro, PrimoAvvioVuotoEDoppioniOAnnullatiConfermanoComunque) {
    apri();
    for (int i = 0; i <= ultima_riga; ++i) EXPECT_TRUE(r.riga(i).voci.isEmpty() && r.testo_riga(i).isEmpty()) << i;
    for (const QString& risposta : {QString(), QString("CMJ"), QString("CMJ")}) {
        QFile::remove(cartelle.file_ini());
        r.Nuovo(riga_esercizio, risposta);
        EXPECT_TRUE(QFileInfo::exists(cartelle.file_ini()));
    }
    EXPECT_EQ(r.riga(riga_esercizio).voci, QStringList({"CMJ"}));
    EXPECT_EQ(tutto_sotto(tmp.path()), QStringList({"ini", "ini/hopa.ini"}));
    EXPECT_EQ(archivio.leggi("funz", "pos_squadra", {}), "-1");
    EXPECT_EQ(sessione.t_volo_min, 20);  // the empty row keeps the minimum in force
    EXPECT_EQ(intestazione.aggiornamenti, 3);
}

TEST_F(Registro, UnaSquadraAggiuntaSiSelezionaEElencaISuoiAtleti) {
    QDir().mkpath(tmp.filePath("T/Rossi"));  // a team dropped from the list, its folders left
    QDir().mkpath(tmp.filePath("T/anna"));
    apri();
    r.Nuovo(riga_squadra, "T");
    EXPECT_EQ(r.testo_riga(riga_squadra), "T");
    EXPECT_EQ(r.riga(riga_atleta).voci, QStringList({"anna", "Rossi"}));
    EXPECT_TRUE(QFileInfo::exists(tmp.filePath("T/anna/anna.cfg")));  // the commit took the athlete picked
}

TEST_F(Registro, TempoMinimoEPosizioniDalPrefissoNumerico) {
    ASSERT_TRUE(scrivi_file(tmp.filePath("ini/hopa.ini"), " 4 \r\n 2 \r\nA\r\nB\r\nC\r\n-1 \r\n-1 \r\n-1 \r\n"));
    archivio.scrivi("funz", "pos_squadra", " 1.5 squadre");  // 2, ties to even
    apri();
    EXPECT_EQ(r.posizione_selezionata(riga_squadra), 2);
    const std::pair<const char*, int32_t> casi[] = {{"35,5", 35}, {"22.5", 22}, {"23.5", 24}, {" 41 ms", 41}, {" ", 41}};
    for (const auto& [testo, atteso] : casi) {
        r.digita(riga_t_volo, testo);
        ASSERT_TRUE(r.Applica_configurazione());
        EXPECT_EQ(sessione.t_volo_min, atteso) << testo;
    }
}

TEST_F(Registro, UnFileAtletaSbagliatoLasciaLeRighe) {
    ASSERT_TRUE(scrivi_file(tmp.filePath("ini/hopa.ini"), " 4 \r\n 0 \r\nT\r\n 1 \r\nE0\r\nE1\r\n-1 \r\n-1 \r\n"));
    ASSERT_TRUE(scrivi_file(tmp.filePath("T/B/B.cfg"), "non un file atleta\r\n"));
    ASSERT_TRUE(scrivi_file(tmp.filePath("T/A/A.cfg"), file_atleta::scrivi({0, 0, 0, -1, -1}, tmp.filePath("T/A"))));
    archivio.scrivi("funz", "squadra", "T");
    apri();
    r.seleziona(riga_esercizio, 1);
    const SessioneAtleta prima = sessione;
    r.seleziona(riga_atleta, 1);
    EXPECT_EQ(messaggi.testi(), QStringList({"File non compatibile!"}));
    EXPECT_EQ(r.posizione_selezionata(riga_esercizio), 1);
    EXPECT_EQ(sessione.indice_utente, prima.indice_utente);
    EXPECT_EQ(sessione.cartella_utente, prima.cartella_utente);
    r.seleziona(riga_atleta, 0);  // a good file does re-select the exercise
    EXPECT_EQ(r.posizione_selezionata(riga_esercizio), 0);
}

TEST_F(Registro, UnNomeInusabileNonArrivaARigheFileOImpostazioni) {
    apri();
    r.Nuovo(riga_squadra, "../fuori");
    r.Nuovo(riga_atleta, "../fuori");
    EXPECT_TRUE(r.riga(riga_squadra).voci.isEmpty() && r.riga(riga_atleta).voci.isEmpty());
    QFile::remove(cartelle.file_ini());
    const int scritte = archivio.numero();
    r.digita(riga_atleta, "a\\b");  // typed, not added: the commit stops before anything changes
    EXPECT_FALSE(r.Applica_configurazione());
    EXPECT_EQ(archivio.numero(), scritte);
    EXPECT_EQ(archivio.leggi("funz", "nome_utente", {}), "");
    EXPECT_EQ(sessione.nome_utente, "");
    EXPECT_EQ(tutto_sotto(tmp.path()), QStringList({"ini"}));
    EXPECT_EQ(messaggi.mostrati.size(), 3u);
}
