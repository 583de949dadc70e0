#pragma once

#include "files/formato_archivio.h"

#include <QString>
#include <QStringList>

// Where archived tests lie and how a journal becomes the text file of its test.
// A test's files share one base name in its folder: "<base>.giornale" while it
// runs, "<base>.csv" once finished. The program folder keeps a record of the
// journals open, so that they are found wherever they were written.
namespace giornali_prove {

inline const QString estensione_giornale = QStringLiteral(".giornale");
// The folder of archived tests, in an athlete's folder or in the program folder.
inline const QString nome_cartella_prove = QStringLiteral("prove");

// The athlete folder's "prove", or the program folder's when no athlete folder is set.
QString cartella_prove(const QString& cartella_utente, const QString& programma);
QString file_registro(const QString& programma);
QString csv_di(const QString& giornale);

// A base (folder/name, no extension) under which neither a journal nor a test
// file stands yet: `nome`, else `nome`_2, _3, ...
QString base_libera(const QString& cartella, const QString& nome);

// The record's journals. Updates are best effort: the folders are searched too.
QStringList leggi_registro(const QString& registro);
void aggiungi_al_registro(const QString& registro, const QString& giornale);
void togli_dal_registro(const QString& registro, const QString& giornale);

// The journals listed in the record or lying in these folders, each once, in file-name order.
QStringList trova(const QString& registro, const QStringList& cartelle);

// Writes the test file beside the journal, then removes the journal and its
// record entry; a test of no jumps leaves no file. False with the reason when
// the test file could not be written (the journal then stays as it was).
bool completa(const QString& giornale, const TestataArchivio& testata, const std::vector<Salto>& salti,
              const QString& registro, QString* motivo);

}  // namespace giornali_prove
