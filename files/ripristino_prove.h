#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class Domande;
class Messaggi;

// What the recovery of interrupted tests reaches outside it.
struct ServiziRipristino {
    Messaggi& messaggi;
    Domande& domande;
    std::function<void()> spegni;                      // acquisition off, when it is on
    std::function<bool(const QString& csv)> apri_csv;  // a test file loaded as "Apri file csv" loads it
};

// At start-up: every journal left unfinished by a run that died (listed in the
// record or lying in `cartelle`; this run's own, marked `processo`, are passed
// over) is offered in a question: "Ripristina" switches acquisition off and
// loads the test into the list, the graph and the header; "Ignora" leaves the
// display alone. Either way the journal becomes the test's text file beside it;
// nothing is deleted. A damaged journal is refused with a message and left as it is.
void ripristina_prove_interrotte(const QString& registro, const QStringList& cartelle, const QByteArray& processo,
                                 const ServiziRipristino& servizi);
