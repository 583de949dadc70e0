#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

// A group of like controls indexed from 0 (a control array). `ridimensiona(n)`
// creates every missing member 0..n with the factory and destroys every member
// above n, so the group ends with exactly the members 0..n. Members are named
// "<nome>_<indice>".
template <class W>
class GruppoControlli {
public:
    using Fabbrica = std::function<W*(int indice)>;

    GruppoControlli(QString nome, Fabbrica fabbrica) : nome_(std::move(nome)), fabbrica_(std::move(fabbrica)) {}
    ~GruppoControlli() = default;  // members belong to their Qt parent

    void ridimensiona(int n) {
        for (int i = 0; i <= n; ++i) {
            if (i > limite_superiore()) membri_.push_back(nullptr);
            if (!membri_[static_cast<size_t>(i)]) {
                W* w = fabbrica_(i);
                w->setObjectName(nome_ + QLatin1Char('_') + QString::number(i));
                membri_[static_cast<size_t>(i)] = w;
            }
        }
        while (limite_superiore() > n) {
            if (W* w = membri_.back()) delete w;
            membri_.pop_back();
        }
    }

    int limite_superiore() const { return static_cast<int>(membri_.size()) - 1; }
    int numero() const { return static_cast<int>(membri_.size()); }
    W* operator[](int i) const {
        if (i < 0 || i > limite_superiore()) return nullptr;
        return membri_[static_cast<size_t>(i)].data();
    }
    const QString& nome() const { return nome_; }

private:
    QString nome_;
    Fabbrica fabbrica_;
    std::vector<QPointer<W>> membri_;
};
