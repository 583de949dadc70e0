#pragma once

#include "core/salto.h"
#include "core/viste.h"
#include "ui/disposizione.h"
#include "display/frm_assi.h"
#include "display/lista_salti.h"
#include "display/righe_salti.h"
#include "platform/grafico.h"
#include "ui/gruppo_controlli.h"

#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QLineEdit;
class CasellaInput;
class ModelloProva;

// The jump panel: six parallel single-selection lists (one per column of one
// model of rows), the two large value labels of the last jump and the graph of
// heights and contact times. It shows the test by listening to its model: a
// completed jump becomes a row, two values and two points; a cleared or replaced
// test is shown anew; a deleted jump loses its row. It never writes a jump itself:
// clearing and deleting are asked of the model.
//
// A jump costs the same however long the test: the row is appended to the rows'
// model (each list draws only what it shows), the lists scroll once per pass of
// the event loop, the graph takes its points in batches, and what is painted is
// left to the window's one paint pass per display refresh.
class Frm_grafici : public QWidget, public VistaSalti {
    Q_OBJECT

public:
    // Whether a check box of the header is ticked.
    using LettoreCasella = std::function<bool()>;

    static constexpr int colonne = RigheSalti::colonne;
    // The lists' text is sized for rows of at least this many characters.
    static constexpr int caratteri_base = 4;

    // Loading lays the panel out from `client` (the main window's client size).
    // The panel takes the graph's control as its child, and with it the graph.
    Frm_grafici(ModelloProva& prova, CasellaInput& casella, Grafico* grafico, DimensioniClient client,
                QWidget* genitore = nullptr);
    ~Frm_grafici() override;

    // VistaSalti
    // Asks the model to clear the test; the lists, labels and graph empty on its notice.
    void azzera_prova() override;
    std::vector<int32_t> righe_selezionate() const override;

    // Shows completed jump k: the two large values, one row, one point per plot.
    void mostra_salto(int32_t k, const Salto& salto);
    // aggiungi_salto's display step: the contact time in the right label when the
    // header asks for contact times.
    void mostra_contatto(int32_t tc_ms);

    // Deletes one jump and its row. Quale_salto > 0 names the row to delete; 0 (or
    // less) deletes the row selected in list 0. On return it holds the row deleted.
    void elimina_salto(int32_t& Quale_salto);
    void elimina_salto();

    // Lays the panel out below the header panel from the client size.
    void riposiziona();
    void riposiziona(double MW, double MH);

    // What the header decides: Chk_tv (flight time instead of height in the left
    // label) and Chk_tc (contact time instead of power in the right one).
    void imposta_caselle(LettoreCasella chk_tv, LettoreCasella chk_tc);
    // Both captions and both values again, as the boxes now choose, from the last
    // jump of the test: the header calls it whenever a box changes.
    void aggiorna_valori();
    // The panel above this one (the header): this panel starts at its bottom.
    void imposta_pannello_sopra(QWidget* sopra) { sopra_ = sopra; }
    // The main window's Tools menu, popped up by a right-button press in list 0.
    void imposta_menu_strumenti(QMenu* menu) { menu_strumenti_ = menu; }

    // The axis dialog (created on first use), shown without being modal.
    Frm_assi* mostra_assi();
    Frm_assi* assi() const { return assi_; }

    Grafico& grafico();
    ListaSalti* lista(int colonna) const { return List_salti[colonna]; }
    const RigheSalti& righe() const { return righe_; }
    QLabel* testa(int colonna) const { return Lbl_dettaglio[colonna]; }

private:
    void crea_controlli();
    void allinea_righe(int sorgente);
    void tasto_in_lista(int tasto);
    void premuto_in_lista(int sorgente, Qt::MouseButton pulsante, QPoint globale);
    RigheSalti::Riga riga(const Salto& s, double n_rip);
    void aggiungi_righe(const Salto& s, double n_rip);
    void mostra_decremento();
    void mostra_valori(const Salto* ultimo);
    // Text sizes for the placed controls (see the .cpp).
    int larghezza_testo_lista(int colonna) const;
    void adatta_liste();
    void adatta_teste();
    void adatta_didascalie();
    void adatta_valore(QLabel* valore);
    // The model's notices.
    void svuota();
    void togli_riga(int32_t k);
    void mostra_prova();

    ModelloProva& prova_;
    CasellaInput& casella_;
    RigheSalti righe_;
    DimensioniClient client_;
    LettoreCasella chk_tv_, chk_tc_;
    QPointer<QWidget> sopra_;
    QPointer<QMenu> menu_strumenti_;
    QPointer<Frm_assi> assi_;
    double decremento_tv_ = 0;  // no part of the program computes it yet
    std::array<int, colonne> caratteri_{caratteri_base, caratteri_base, caratteri_base,
                                        caratteri_base, caratteri_base, caratteri_base};  // longest row per column
    int pixel_valori_ = 0;  // the value labels' text size for four characters

public:
    GruppoControlli<ListaSalti> List_salti;
    GruppoControlli<QLabel> Lbl_dettaglio;
    QLabel* Lbl_tvolo = nullptr;
    QLabel* lbl_tcontatto = nullptr;
    QLabel* Lbl_valore_tvolo = nullptr;
    QLabel* Lbl_valore_tcontatto = nullptr;
    QLabel* Lbl_decremento = nullptr;
    QLineEdit* txt_decremento_tv = nullptr;
    Grafico* grafico_ = nullptr;
    bool scorrimento_in_attesa_ = false;
};
