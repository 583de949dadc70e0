#pragma once

#include "core/salto.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// What heads an archived test.
struct TestataArchivio {
    QString atleta;
    QString esercizio;
    QDateTime quando;     // when the test began
    QByteArray processo;  // the run that wrote it: a run never offers its own journals as interrupted
};

// The two forms of an archived test.
//
// While the test runs it is a journal, append-only, one line per event, each line
// closed by a check of its bytes:
//   HOPA-GIORNALE,1
//   T,<run>,<began, ISO with ms>,<athlete>,<exercise>,#<crc>     (texts percent-encoded)
//   S,<k>,<t_volo>,<t_contatto>,<altezza>,<s_acc>,<potenza>,<n_rip>,#<crc>   jump k
//   E,<k>,#<crc>                                                  jump k deleted
// A last line without its line end is a write the program did not live to finish
// and is passed over; any other line that does not read back is damage.
//
// A finished test is the text file of a test ("HOPA", header, two title lines, one
// line per jump), Windows-1252 with CR LF, numbers in the shortest text that reads
// back to the same double.
namespace formato_archivio {

// How the time the test began is written in its file name.
inline const QString forma_data_nome = QStringLiteral("yyyy-MM-dd_HH-mm-ss");

// "<exercise>_yyyy-MM-dd_HH-mm-ss", safe as a file name (no extension); a very
// long exercise name is cut so that the archive's names fit the file system.
QString nome_file(const QString& esercizio, const QDateTime& quando);

// What a name nome_file made tells (the base name, no extension): the exercise (as
// made safe) and when the test began. Nothing for a name of another form or a time
// that does not exist.
struct DatiNome {
    QString esercizio;
    QDateTime quando;
};
std::optional<DatiNome> leggi_nome_file(const QString& base);

// The shortest text that reads back to exactly this double ("402", "12.25", "1e+20").
QByteArray numero(double v);

QByteArray testo_csv(const TestataArchivio& testata, const std::vector<Salto>& salti);

QByteArray inizio_giornale(const TestataArchivio& testata);
QByteArray riga_salto(int32_t k, const Salto& s);
QByteArray riga_eliminazione(int32_t k);
// The whole journal of a test as it stands.
QByteArray giornale(const TestataArchivio& testata, const std::vector<Salto>& salti);

struct GiornaleLetto {
    TestataArchivio testata;
    std::vector<Salto> salti;
};
// Replays a journal; nothing, with the reason in `errore`, when it is damaged.
std::optional<GiornaleLetto> leggi_giornale(const QByteArray& testo, QString* errore);

// Jump k (1-based) leaves the test: the later ones move down and keep their n_rip.
void elimina(std::vector<Salto>& salti, int32_t k);

}  // namespace formato_archivio
