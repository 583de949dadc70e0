#pragma once

// A graph that keeps its points, limits and captions and draws nothing.

#include "platform/grafico.h"

#include <QWidget>

#include <array>
#include <vector>

class GraficoFinto : public QWidget, public Grafico {
public:
    void imposta_didascalia(const QString& t) override { didascalia_ = t; }
    QString didascalia() const override { return didascalia_; }
    void imposta_didascalia_x(const QString& t) override { didascalia_x_ = t; }
    QString didascalia_x() const override { return didascalia_x_; }
    void imposta_didascalia_y(int plot, const QString& t) override { didascalie_y_[indice(plot)] = t; }
    QString didascalia_y(int plot) const override { return didascalie_y_[indice(plot)]; }

    void aggiungi_punto(int plot, double y) override { punti_[indice(plot)].push_back(y); }
    void elimina_punto(int i) override {
        for (auto& p : punti_)
            if (i >= 0 && i < static_cast<int>(p.size())) p.erase(p.begin() + i);
    }
    int numero_punti(int plot) const override { return static_cast<int>(punti_[indice(plot)].size()); }
    double punto(int plot, int i) const override {
        const auto& p = punti_[indice(plot)];
        return i >= 0 && i < static_cast<int>(p.size()) ? p[static_cast<size_t>(i)] : 0.0;
    }
    void cancella_dati() override {
        for (auto& p : punti_) p.clear();
    }
    void ridisegna() override { ++ridisegni; }

    double minimo(int plot) const override { return minimi_[indice(plot)]; }
    double massimo(int plot) const override { return massimi_[indice(plot)]; }
    void imposta_minimo(int plot, double v) override { minimi_[indice(plot)] = v; }
    void imposta_massimo(int plot, double v) override { massimi_[indice(plot)] = v; }

    void imposta_cursore(int c, double x) override { cursori_[c == 1 ? 1 : 0] = x; }
    double cursore(int c) const override { return cursori_[c == 1 ? 1 : 0]; }

    void imposta_al_click(std::function<void()> azione) override { al_click = std::move(azione); }
    QWidget* controllo() override { return this; }

    std::function<void()> al_click;
    int ridisegni = 0;

private:
    static size_t indice(int plot) { return plot == 2 ? 1 : 0; }
    QString didascalia_, didascalia_x_;
    std::array<QString, 2> didascalie_y_;
    std::array<std::vector<double>, 2> punti_;
    std::array<double, 2> minimi_{0, 0}, massimi_{10, 10};
    std::array<double, 2> cursori_{};
};
