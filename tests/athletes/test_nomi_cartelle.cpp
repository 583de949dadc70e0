#include "athletes/nomi_cartelle.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using nomi_cartelle::componente_massimo;
using nomi_cartelle::percorso_massimo;
using nomi_cartelle::rifiuto;

namespace {
const QString programma = QStringLiteral("/srv/hopa");
}

TEST(NomiCartelle, UnNomeOltreIlLimiteDelDiscoERifiutato) {
    const QString al_limite(componente_massimo, u'a');
    EXPECT_FALSE(rifiuto(programma, al_limite));
    EXPECT_FALSE(rifiuto(programma, QString(componente_massimo - 4, u'a'), QString(componente_massimo - 4, u'b')));
    ASSERT_TRUE(rifiuto(programma, QString(300, u'a')));
    EXPECT_TRUE(rifiuto(programma, QString(300, u'a'))->startsWith("Nome troppo lungo"));
    // The athlete's file, athlete ".cfg", is its longest component.
    EXPECT_TRUE(rifiuto(programma, "Squadra", QString(componente_massimo - 3, u'b')));
    // Measured in the file system's encoding: accented letters take two bytes of UTF-8.
    const QString accentato(componente_massimo / 2 + 1, u'à');
#ifdef Q_OS_WIN
    EXPECT_FALSE(rifiuto(programma, accentato));
#else
    ASSERT_GT(QFile::encodeName(accentato).size(), componente_massimo);
    EXPECT_TRUE(rifiuto(programma, accentato));
#endif
    // The message shows the start of the name, not all of it.
    const QString messaggio = *rifiuto(programma, QString(200, u'x') + QString(100, u'y'));
    EXPECT_FALSE(messaggio.contains(QString(41, u'x')));
    EXPECT_FALSE(messaggio.contains(QStringLiteral("yy")));
}

TEST(NomiCartelle, IlPercorsoInteroNonSuperaIlLimiteDelSistema) {
    // A program folder deep enough that short names still fit but long ones do not.
    QString profonda = QDir(programma).absolutePath();
    while (profonda.size() < percorso_massimo - 120) profonda += QStringLiteral("/cartella");
    EXPECT_FALSE(rifiuto(profonda, "Squadra", "Mario Rossi"));
    EXPECT_FALSE(rifiuto(profonda, QString(100, u's')));
    const auto lunga = rifiuto(profonda, "Squadra", QString(60, u'm'));  // m... / m....cfg: 2 x 60 more
    ASSERT_TRUE(lunga);
    EXPECT_TRUE(lunga->startsWith("Nome troppo lungo")) << lunga->toStdString();
    EXPECT_TRUE(lunga->contains(QString::number(percorso_massimo)));
    EXPECT_TRUE(rifiuto(profonda, QString(130, u's')));
    // Empty names are not checked; unsafe ones keep their own message.
    EXPECT_FALSE(rifiuto(profonda, {}, {}));
    EXPECT_TRUE(rifiuto(programma, "a/b")->startsWith("Nome non valido"));
    EXPECT_TRUE(rifiuto(programma, "Squadra", "..")->startsWith("Nome non valido"));
}
