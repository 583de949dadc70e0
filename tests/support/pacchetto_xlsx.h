#pragma once

// Builds .xlsx packages part by part, so the tests can give the reader what other
// programs write (inline strings, several sheets, another active tab) and what
// damaged or hostile files hold.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <zip.h>

#include <utility>
#include <vector>

using PartiXlsx = std::vector<std::pair<QString, QByteArray>>;

// Parts deflated as usual, or all stored as they are.
inline bool scrivi_pacchetto(const QString& percorso, const PartiXlsx& parti, bool memorizzate = false) {
    int e = 0;
    zip_t* z = zip_open(QFile::encodeName(percorso).constData(), ZIP_CREATE | ZIP_TRUNCATE, &e);
    if (!z) return false;
    for (const auto& [nome, dati] : parti) {
        zip_source_t* s = zip_source_buffer(z, dati.constData(), static_cast<zip_uint64_t>(dati.size()), 0);
        const zip_int64_t i = s ? zip_file_add(z, nome.toUtf8().constData(), s, ZIP_FL_OVERWRITE) : -1;
        if (i < 0 || (memorizzate && zip_set_file_compression(z, static_cast<zip_uint64_t>(i), ZIP_CM_STORE, 0) < 0)) {
            if (i < 0) zip_source_free(s);
            zip_discard(z);
            return false;
        }
    }
    return zip_close(z) == 0;  // the buffers are read here; `parti` is still alive
}

// One part of a package as libzip reads it (which checks its checksum); empty
// when it is missing or cannot be read whole.
inline QByteArray parte(const QString& xlsx, const char* nome) {
    int e = 0;
    zip_t* z = zip_open(QFile::encodeName(xlsx).constData(), ZIP_RDONLY, &e);
    if (!z) return {};
    QByteArray out;
    if (zip_file_t* f = zip_fopen(z, nome, 0)) {
        char b[4096];
        zip_int64_t n;
        while ((n = zip_fread(f, b, sizeof b)) > 0) out.append(b, static_cast<qsizetype>(n));
        if (n < 0) out.clear();
        zip_fclose(f);
    }
    zip_discard(z);
    return out;
}

// A worksheet part around the given <sheetData> content.
inline QByteArray foglio_xml(const QByteArray& righe) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<sheetData>" + righe + "</sheetData></worksheet>";
}

inline QByteArray stringhe_xml(const QByteArray& voci) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" + voci + "</sst>";
}

// The parts of a workbook whose sheets are `fogli` (sheet XML each), tab `attivo`
// active (negative: no view recorded), with an optional shared-string table.
inline PartiXlsx parti_cartella(const std::vector<QByteArray>& fogli, int attivo = -1,
                                const QByteArray& stringhe = {}) {
    const QByteArray ns_r = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    QByteArray wb = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                    "xmlns:rel=\"" + ns_r + "\">";
    if (attivo >= 0) wb += "<bookViews><workbookView activeTab=\"" + QByteArray::number(attivo) + "\"/></bookViews>";
    wb += "<sheets>";
    QByteArray rel = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    PartiXlsx parti;
    for (size_t i = 0; i < fogli.size(); ++i) {
        QByteArray n = QByteArray::number(static_cast<int>(i) + 1);
        wb += "<sheet name=\"F" + n + "\" sheetId=\"" + n + "\" rel:id=\"rId" + n + "\"/>";
        rel += "<Relationship Id=\"rId" + n + "\" Type=\"" + ns_r + "/worksheet\" Target=\"worksheets/sheet" + n +
               ".xml\"/>";
        parti.emplace_back(QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1), fogli[i]);
    }
    wb += "</sheets></workbook>";
    if (!stringhe.isEmpty()) {
        rel += "<Relationship Id=\"rIdS\" Type=\"" + ns_r + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
        parti.emplace_back(QStringLiteral("xl/sharedStrings.xml"), stringhe);
    }
    rel += "</Relationships>";
    parti.emplace_back(QStringLiteral("xl/workbook.xml"), wb);
    parti.emplace_back(QStringLiteral("xl/_rels/workbook.xml.rels"), rel);
    parti.emplace_back(QStringLiteral("_rels/.rels"),
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                       "<Relationship Id=\"rId1\" Type=\"" + ns_r + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
                       "</Relationships>");
    return parti;
}
