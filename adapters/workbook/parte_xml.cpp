#include "adapters/workbook/parte_xml.h"

namespace {
// Text kept as it is: a lone blank in <t> is a value; indentation between
// elements is not kept. A leading text is stored in its element, saving a node
// per cell.
constexpr unsigned int opzioni = pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_doctype |
                                 pugi::parse_embed_pcdata;
}  // namespace

ParteXml::ParteXml(QByteArray& dati, const QString& nome) {
    const pugi::xml_parse_result r =
        documento_.load_buffer_inplace(dati.data(), static_cast<size_t>(dati.size()), opzioni);
    if (!r) {
        errore_ = QStringLiteral("%1: XML non valido (%2, byte %3)")
                      .arg(nome, QString::fromUtf8(r.description()))
                      .arg(r.offset);
        return;
    }
    for (pugi::xml_node n : documento_.children())
        if (n.type() == pugi::node_doctype) errore_ = QStringLiteral("%1: dichiarazione DTD non ammessa").arg(nome);
    if (errore_.isEmpty() && !radice()) errore_ = QStringLiteral("%1: XML non valido (nessun elemento)").arg(nome);
}

pugi::xml_node figlio(pugi::xml_node n, std::string_view locale) {
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (e_elemento(c, locale)) return c;
    return {};
}

std::string_view attributo_con_prefisso(pugi::xml_node n, std::string_view locale) {
    for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
        const std::string_view nome(a.name());
        if (nome.find(':') != nome.npos && nome.substr(0, 6) != "xmlns:" && nome_locale(a.name()) == locale)
            return a.value();
    }
    return {};
}

void aggiungi_testo(pugi::xml_node n, std::string* testo) {
    testo->append(n.value());  // the leading text, stored in the element itself
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) testo->append(c.value());
}
