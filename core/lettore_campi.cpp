#include "core/lettore_campi.h"

namespace {
bool blank(QChar c) { return c == u' ' || c == u'\t'; }
bool a_capo(QChar c) { return c == u'\r' || c == u'\n'; }
}  // namespace

void LettoreCampi::consuma_separatore() {
    if (i_ >= t_.size()) return;
    if (t_[i_] == u',') {
        ++i_;
    } else if (t_[i_] == u'\r') {
        ++i_;
        if (i_ < t_.size() && t_[i_] == u'\n') ++i_;
    } else if (t_[i_] == u'\n') {
        ++i_;
    }
}

std::optional<QString> LettoreCampi::campo() {
    while (i_ < t_.size() && blank(t_[i_])) ++i_;
    if (i_ >= t_.size()) return std::nullopt;
    QString v;
    if (t_[i_] == u'"') {
        qsizetype chiusa = t_.indexOf(u'"', i_ + 1);
        if (chiusa < 0) chiusa = t_.size();
        v = t_.mid(i_ + 1, chiusa - i_ - 1);
        i_ = chiusa + 1;
        // Whatever stands between the closing quote and the separator is dropped.
        while (i_ < t_.size() && t_[i_] != u',' && !a_capo(t_[i_])) ++i_;
    } else {
        qsizetype inizio = i_;
        while (i_ < t_.size() && t_[i_] != u',' && !a_capo(t_[i_])) ++i_;
        v = t_.mid(inizio, i_ - inizio);
        while (!v.isEmpty() && blank(v.back())) v.chop(1);
    }
    consuma_separatore();
    return v;
}

void LettoreCampi::salta_riga() {
    while (i_ < t_.size() && !a_capo(t_[i_])) ++i_;
    if (i_ < t_.size() && t_[i_] == u'\r') {
        ++i_;
        if (i_ < t_.size() && t_[i_] == u'\n') ++i_;
    } else if (i_ < t_.size()) {
        ++i_;
    }
}
