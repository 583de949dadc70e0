#pragma once

#include <QDateTime>
#include <QString>

// When a test was made, for its report.
namespace data_prova {

// The time stamp " yyyy MM dd HH mm ss" that a saved workbook holds beside every
// jump; invalid when the text is not one.
QDateTime da_marca(const QString& marca);

// A test read from a file: the time stamp it holds, else the file's last
// modification (invalid when the file is not there either).
QDateTime di_file(const QString& percorso, const QString& marca = {});

}  // namespace data_prova
