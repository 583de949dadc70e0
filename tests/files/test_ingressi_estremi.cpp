// Test files of extreme shape through the import commands: a 1 MB line, NUL
// bytes, an N of 32,767 over a short file, a zip bomb. Each is read or refused
// with a clear message, and a refused file leaves the current test as it was.
#include "core/metriche.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "files/comandi_file.h"
#include "adapters/workbook/fogli_file.h"
#include "support/finti.h"
#include "support/prova_osservata.h"
#include "support/pacchetto_xlsx.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Banco {
    Banco() {
        for (int k = 1; k <= 3; ++k) {
            prova.aggiungi_salto(200 + k);
            prova.completa_salto(400 + k);
        }
        prima = prova.salti();
    }
    // Imports `testo` as the text file of a test; the message shown, if any.
    QString apri_csv(const QByteArray& testo) {
        const QString p = dir.filePath(QStringLiteral("p%1.csv").arg(++n));
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly) || f.write(testo) != testo.size()) return QStringLiteral("<non scritto>");
        f.close();
        messaggi.mostrati.clear();
        dialogo.risposte.push_back(p);
        comandi.apri_file_csv();
        return messaggi.mostrati.empty() ? QString() : messaggi.mostrati.back().testo;
    }
    bool invariata() const {
        return prova.salti() == prima && sessione.nome_utente == "Ilvor Darsena" && osservata.azzeramenti == 0;
    }

    ModelloProva prova;
    SessioneAtleta sessione;
    ProvaOsservata osservata{prova};
    Salti prima;
    VistaIntestazioneFinta intestazione;
    DialogoFileFinto dialogo;
    MessaggiFinti messaggi;
    FogliDiCalcoloFile fogli;
    ComandiFile comandi{prova, sessione, intestazione, dialogo, messaggi, fogli};
    QTemporaryDir dir;
    int n = 0;
};

const QByteArray titoli = "\r\nN,T volo,T cont,H,S,P,x\r\n,ms,ms,cm,cm,W,\r\n";

}  // namespace

TEST(IngressiEstremi, NGrandeSuUnFileCortoDaIlMessaggio) {
    Banco b;
    EXPECT_EQ(b.apri_csv("HOPA,x,Luca,Squat,x,32767" + titoli + "1,500,200,30,10,900,1\r\n"),
              "mnuFileSalva_dati: Input oltre la fine del file");
    EXPECT_TRUE(b.invariata());
    EXPECT_EQ(b.apri_csv("HOPA,x,Luca,Squat,x,32768" + titoli), "mnuFileSalva_dati: Overflow");
    EXPECT_TRUE(b.invariata());
}

TEST(IngressiEstremi, UnaRigaDaUnMegaEIByteNul) {
    Banco b;
    // A 1 MB athlete name is still a name; a 1 MB first line with no marker is no test file.
    const QByteArray mega(1 << 20, 'a');
    EXPECT_EQ(b.apri_csv("HOPA,x," + mega + ",Squat,x,1" + titoli + "1,500,200,30,10,900,1\r\n"), QString());
    ASSERT_EQ(b.prova.numero(), 1);
    EXPECT_EQ(b.sessione.nome_utente.size(), 1 << 20);
    EXPECT_EQ(b.prova.salti()[1].t_volo, 500);

    Banco c;
    EXPECT_EQ(c.apri_csv(mega + "\r\n"), QString());
    EXPECT_TRUE(c.invariata());
    // A NUL inside a number is no number; inside a name it is a character of the name.
    const QByteArray nul(1, '\0');
    EXPECT_EQ(c.apri_csv("HOPA,x,Luca,Squat,x,1" + titoli + "1,5" + nul + "00,200,30,10,900,1\r\n"),
              "mnuFileSalva_dati: Tipo non corrispondente");
    EXPECT_TRUE(c.invariata());
    EXPECT_EQ(c.apri_csv("HOPA,x,Lu" + nul + "ca,Squat,x,0" + titoli), QString());
    EXPECT_EQ(c.sessione.nome_utente, QString::fromLatin1("Lu\0ca", 5));
}

TEST(IngressiEstremi, UnaBombaZipDaIlMessaggioELasciaLaProva) {
    Banco b;
    const QString p = b.dir.filePath(QStringLiteral("bomba.xlsx"));
    ASSERT_TRUE(scrivi_pacchetto(p, parti_cartella({foglio_xml(QByteArray(80 << 20, ' '))})));
    EXPECT_FALSE(b.comandi.apri_file_xls(p));
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(b.messaggi.mostrati[0].testo.startsWith("apri_file_xls: ")) << b.messaggi.mostrati[0].testo.toStdString();
    EXPECT_TRUE(b.invariata());
}
