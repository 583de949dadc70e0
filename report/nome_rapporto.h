#pragma once

#include <QDate>
#include <QString>

// The file name the save dialog suggests for a report.
namespace nome_rapporto {

// The name with every character a folder or file name may not hold (the
// register's rules: / \ : * ? " < > | and control characters) made "_", blanks
// around it and dots or blanks at its end dropped, and cut to 80 characters.
QString parte_sicura(const QString& nome);

// athlete_exercise_yyyy-MM-dd.pdf from the safe parts; an empty part is left out.
// Whatever the names, the result is one plain file name on every system.
QString suggerito(const QString& atleta, const QString& esercizio, const QDate& data);

}  // namespace nome_rapporto
