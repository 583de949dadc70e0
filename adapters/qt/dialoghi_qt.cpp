#include "adapters/qt/dialoghi_qt.h"

#include <memory>
#include <vector>

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

void MessaggiQt::mostra(const QString& testo, const QString& titolo, Icona icona) {
    QMessageBox::Icon i = QMessageBox::NoIcon;
    switch (icona) {
        case Icona::Nessuna: i = QMessageBox::NoIcon; break;
        case Icona::Esclamazione: i = QMessageBox::Warning; break;
        case Icona::Informazione: i = QMessageBox::Information; break;
        case Icona::Critica: i = QMessageBox::Critical; break;
    }
    QMessageBox box(i, titolo, testo, QMessageBox::Ok, genitore_);
    box.exec();
}

int DomandeQt::scegli(const QString& testo, const QString& titolo, const QStringList& pulsanti) {
    QMessageBox box(QMessageBox::Question, titolo, testo, QMessageBox::NoButton, genitore_);
    box.setObjectName(QStringLiteral("domanda"));
    std::vector<QAbstractButton*> b;
    for (const QString& p : pulsanti) b.push_back(box.addButton(p, QMessageBox::AcceptRole));
    if (!b.empty()) {
        box.setDefaultButton(static_cast<QPushButton*>(b.front()));
        box.setEscapeButton(b.back());
    }
    box.exec();
    for (size_t i = 0; i < b.size(); ++i)
        if (box.clickedButton() == b[i]) return static_cast<int>(i);
    return -1;
}

QString CasellaInputQt::chiedi(const QString& prompt, const QString& titolo, const QString& predefinito) {
    bool ok = false;
    QString r = QInputDialog::getText(genitore_, titolo, prompt, QLineEdit::Normal, predefinito, &ok);
    return ok ? r : QString();
}

namespace {
QFileDialog* prepara(QWidget* genitore, const RichiestaFile& r, QFileDialog::AcceptMode modo) {
    auto* d = new QFileDialog(genitore, r.titolo, r.cartella_iniziale);
    d->setAcceptMode(modo);
    d->setFileMode(modo == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!r.filtro.isEmpty()) d->setNameFilter(r.filtro);
    if (!r.estensione_predefinita.isEmpty()) d->setDefaultSuffix(r.estensione_predefinita);
    if (!r.nome_suggerito.isEmpty()) d->selectFile(r.nome_suggerito);
    return d;
}

std::optional<QString> mostra(QWidget* genitore, const RichiestaFile& r, QFileDialog::AcceptMode modo) {
    std::unique_ptr<QFileDialog> d(prepara(genitore, r, modo));
    if (d->exec() != QDialog::Accepted || d->selectedFiles().isEmpty()) return std::nullopt;
    return d->selectedFiles().first();
}
}  // namespace

std::optional<QString> DialogoFileQt::apri(const RichiestaFile& r) { return mostra(genitore_, r, QFileDialog::AcceptOpen); }

std::optional<QString> DialogoFileQt::salva(const RichiestaFile& r) { return mostra(genitore_, r, QFileDialog::AcceptSave); }
