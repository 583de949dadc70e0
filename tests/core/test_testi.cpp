#include "core/cp1252.h"
#include "core/lettore_campi.h"
#include "core/testi_salto.h"

#include <QLocale>

#include <gtest/gtest.h>

TEST(Cp1252, AndataERitornoDeiCaratteriAccentatiEDellEuro) {
    QString t = QString::fromUtf8("Niccolò €5 “Salto” ÿ");
    QByteArray b = cp1252::codifica(t);
    EXPECT_EQ(b.size(), t.size());
    EXPECT_EQ(static_cast<unsigned char>(b[6]), 0xF2);  // ò
    EXPECT_EQ(static_cast<unsigned char>(b[8]), 0x80);  // €
    EXPECT_EQ(cp1252::decodifica(b), t);
    EXPECT_EQ(cp1252::codifica(QString::fromUtf8("漢")), "?");
    QByteArray tutti;
    for (int i = 0; i < 256; ++i) tutti += static_cast<char>(i);
    EXPECT_EQ(cp1252::codifica(cp1252::decodifica(tutti)), tutti);
}

TEST(LettoreCampi, CampiSeparatiDaVirgoleEDaFineRiga) {
    LettoreCampi l(QStringLiteral("HOPA, Nome,\"Rossi, Mario\" ,Salto\r\n 4 \r\n-1 \nultimo"));
    EXPECT_EQ(l.campo(), "HOPA");
    EXPECT_EQ(l.campo(), "Nome");
    EXPECT_EQ(l.campo(), "Rossi, Mario");
    EXPECT_EQ(l.campo(), "Salto");
    EXPECT_EQ(l.campo(), "4");
    EXPECT_EQ(l.campo(), "-1");
    EXPECT_EQ(l.campo(), "ultimo");
    EXPECT_FALSE(l.campo().has_value());
    EXPECT_TRUE(l.fine());
}

TEST(LettoreCampi, SaltaRigaERigheVuote) {
    LettoreCampi l(QStringLiteral("a,b,c\r\ntitoli,x\r\n\r\n\"non chiusa"));
    EXPECT_EQ(l.campo(), "a");
    l.salta_riga();
    l.salta_riga();
    EXPECT_EQ(l.campo(), "");  // the empty line is one empty field
    EXPECT_EQ(l.campo(), "non chiusa");
    EXPECT_FALSE(l.campo().has_value());
}

TEST(TestiSalto, LaRigaDiUnSaltoColNumeroDatoDalChiamante) {
    QLocale::setDefault(QLocale::c());
    Salto s{479.6, 28.25, 310.4, 12.34, 40.05, 9};
    const testi_salto::Riga r = testi_salto::riga(s, 3);
    EXPECT_EQ(QStringList(r.begin(), r.end()), QStringList({"3", "480", "310", "28.3", "12.3", "40.1"}));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(testi_salto::riga(s, s.n_rip)[0], "9");
    EXPECT_EQ(testi_salto::riga(s, s.n_rip)[4], "12,3");
    QLocale::setDefault(QLocale::system());
}
