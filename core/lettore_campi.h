#pragma once

#include <QString>

#include <optional>

// Reads a text as a sequence of free-format fields, the syntax of the register
// and test files: fields are separated by a comma or a line end (CR LF; a lone LF
// or CR also counts); blanks before a field are skipped; a field that begins with
// a double quote runs to the next double quote (commas inside belong to it) and
// the separator after it is consumed; any other field runs to the next comma or
// line end, trailing blanks dropped.
class LettoreCampi {
public:
    explicit LettoreCampi(QString testo) : t_(std::move(testo)) {}

    // The next field, or nothing when the text has ended.
    std::optional<QString> campo();
    // Discards everything up to and including the next line end.
    void salta_riga();
    bool fine() const { return i_ >= t_.size(); }

private:
    void consuma_separatore();
    QString t_;
    qsizetype i_ = 0;
};
