#pragma once

// An athlete's folder made by the tests: archive text files, workbooks, and files
// that are not tests.

#include "core/salti.h"
#include "files/foglio_prova.h"
#include "adapters/workbook/fogli_file.h"
#include "support/file_prova.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

// Jumps with these heights; contact times 200, 210, ... ms; power 1000 + 10 x height.
inline std::vector<Salto> salti_con(const std::vector<double>& altezze) {
    std::vector<Salto> v;
    for (size_t k = 0; k < altezze.size(); ++k) {
        const double n = static_cast<double>(k + 1);
        v.push_back({450 + n, altezze[k], 200 + 10 * (n - 1), 30, 1000 + 10 * altezze[k], n});
    }
    return v;
}

// The text file of a test, as "Apri file csv" reads it.
inline QByteArray testo_prova(const QString& atleta, const QString& esercizio, const std::vector<Salto>& salti) {
    QByteArray t = "HOPA,\"Prova\",\"" + atleta.toLatin1() + "\",\"" + esercizio.toLatin1() + "\",\"salti\"," +
                   QByteArray::number(static_cast<int>(salti.size())) + "\r\nN,Tvolo,Tcon,H,Sacc,Pot,N\r\nn,ms,ms,cm,cm,W,n\r\n";
    int k = 0;
    for (const Salto& s : salti) {
        ++k;
        t += QByteArray::number(k) + ',' + QByteArray::number(s.t_volo) + ',' + QByteArray::number(s.t_contatto) + ',' +
             QByteArray::number(s.altezza) + ',' + QByteArray::number(s.s_acc) + ',' + QByteArray::number(s.potenza) +
             ',' + QByteArray::number(k) + "\r\n";
    }
    return t;
}

struct CartellaAtleta {
    QTemporaryDir dir;
    QString percorso() const { return dir.path(); }
    QString file(const QString& nome) const { return QDir(dir.path()).filePath(nome); }

    // An archive file "prove/<exercise>_yyyy-mm-dd_hh-mm-ss.csv".
    QString archivio(const QString& esercizio, const QDateTime& quando, const std::vector<double>& altezze) {
        const QString nome = QStringLiteral("prove/") + esercizio + u'_' +
                             quando.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + QStringLiteral(".csv");
        scrivi_file(file(nome), testo_prova(QStringLiteral("Anna"), esercizio, salti_con(altezze)));
        return nome;
    }

    // A workbook saved as the program saves a test, with its time stamp in column A.
    QString cartella(const QString& nome, const QString& esercizio, const QDateTime& quando,
                     const std::vector<double>& altezze) {
        FogliDiCalcoloFile fogli;
        auto c = fogli.nuova();
        Salti salti;
        salti.sostituisci(salti_con(altezze));
        scrivi_prova_foglio(c->foglio_attivo(), salti, QStringLiteral("Anna"), esercizio,
                            quando.toString(QStringLiteral(" yyyy MM dd HH mm ss")), {}, nullptr);
        QString errore;
        c->salva_con_nome(file(nome), &errore);
        return nome;
    }
};
