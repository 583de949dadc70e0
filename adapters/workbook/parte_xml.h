#pragma once

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// One XML part of a workbook package, parsed in place with pugixml (the bytes are
// modified and must live as long as the tree). Parts of other programs may put a
// prefix on every name ("x:c"), so names are compared by their local part.
class ParteXml {
public:
    // Empty `errore()` when the part is well-formed XML without a document type
    // declaration (no workbook has one; they are the way in for entity attacks).
    ParteXml(QByteArray& dati, const QString& nome);
    const QString& errore() const { return errore_; }
    pugi::xml_node radice() const { return documento_.document_element(); }

private:
    pugi::xml_document documento_;
    QString errore_;
};

// "x:c" -> "c".
inline std::string_view nome_locale(const char* nome) {
    std::string_view n(nome);
    const size_t due_punti = n.rfind(':');
    return due_punti == n.npos ? n : n.substr(due_punti + 1);
}

inline bool e_elemento(pugi::xml_node n, std::string_view locale) {
    if (n.type() != pugi::node_element) return false;
    const char* nome = n.name();
    // Most names carry no prefix: equal as they stand, without measuring them.
    if (std::strncmp(nome, locale.data(), locale.size()) == 0 && nome[locale.size()] == 0)
        return true;
    return nome_locale(nome) == locale;
}

// The first child element with that local name (null when none).
pugi::xml_node figlio(pugi::xml_node n, std::string_view locale);

// An attribute by its exact name; "" when missing.
inline std::string_view attributo(pugi::xml_node n, const char* nome) { return n.attribute(nome).value(); }

// An attribute by local name that carries a prefix (r:id, whatever the prefix).
std::string_view attributo_con_prefisso(pugi::xml_node n, std::string_view locale);

// The element's text: every text and CDATA piece directly inside it.
void aggiungi_testo(pugi::xml_node n, std::string* testo);

inline QString qstring(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Characters XML cannot carry are written in cell text as _xHHHH_: "_x", four
// ASCII hex digits, "_". The character such an escape at s[i] stands for, or
// nothing when none starts there. The writer escapes the underscore of exactly
// these texts, and the reader decodes exactly these, so every text reads back.
inline std::optional<char16_t> escape_x(QStringView s, qsizetype i) {
    if (i + 6 >= s.size() || s[i] != u'_' || s[i + 1] != u'x' || s[i + 6] != u'_') return std::nullopt;
    char16_t valore = 0;
    for (qsizetype k = i + 2; k < i + 6; ++k) {
        const char16_t c = s[k].unicode();
        int cifra;
        if (c >= u'0' && c <= u'9') cifra = c - u'0';
        else if (c >= u'a' && c <= u'f') cifra = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F') cifra = c - u'A' + 10;
        else return std::nullopt;
        valore = static_cast<char16_t>(valore * 16 + cifra);
    }
    return valore;
}
