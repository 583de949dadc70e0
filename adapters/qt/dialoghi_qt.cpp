#include "adapters/qt/dialoghi_qt.h"

#include <memory>

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

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
