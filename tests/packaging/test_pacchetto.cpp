// The files the package installs beside the program: the udev rule that opens the
// board to the logged-in user, the desktop entry, the icon.
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

QString leggi(const QString& nome) {
    QFile f(QDir(QStringLiteral(HOPA_PACCHETTO)).filePath(nome));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

// One udev rule: its keys with their operators and values, as udev reads them.
struct Chiave {
    QString nome;  // SUBSYSTEM, ATTRS{idVendor}, TAG, ...
    QString operatore;
    QString valore;
};
using Regola = std::vector<Chiave>;

std::vector<Regola> leggi_regole(const QString& testo) {
    static const QRegularExpression chiave(
        QStringLiteral(R"re(^\s*([A-Z_]+(?:\{[^}]+\})?)\s*(==|!=|\+=|-=|:=|=)\s*"([^"]*)"\s*(?:,|$))re"));
    std::vector<Regola> regole;
    QString riga_intera;
    for (const QString& riga : testo.split(QLatin1Char('\n'))) {
        riga_intera += riga;
        if (riga_intera.endsWith(QLatin1Char('\\'))) {
            riga_intera.chop(1);
            continue;
        }
        QString resto = riga_intera.trimmed();
        riga_intera.clear();
        if (resto.isEmpty() || resto.startsWith(QLatin1Char('#'))) continue;
        Regola r;
        while (!resto.isEmpty()) {
            const auto m = chiave.match(resto);
            if (!m.hasMatch()) return {};  // udev would refuse the line: so does the test
            r.push_back({m.captured(1), m.captured(2), m.captured(3)});
            resto = resto.mid(m.capturedLength()).trimmed();
        }
        regole.push_back(r);
    }
    return regole;
}

// Whether every match key holds for a device (its own and its parents' properties).
bool corrisponde(const Regola& r, const QMap<QString, QString>& dispositivo) {
    for (const Chiave& k : r) {
        if (k.operatore != QLatin1String("==") && k.operatore != QLatin1String("!=")) continue;
        bool uno = false;
        for (const QString& alternativa : k.valore.split(QLatin1Char('|'))) {
            const QRegularExpression forma(QRegularExpression::wildcardToRegularExpression(alternativa));
            uno = uno || (dispositivo.contains(k.nome) && forma.match(dispositivo[k.nome]).hasMatch());
        }
        if (uno != (k.operatore == QLatin1String("=="))) return false;
    }
    return true;
}

QMap<QString, QString> hidraw(const QString& vid, const QString& pid) {
    return {{QStringLiteral("SUBSYSTEM"), QStringLiteral("hidraw")},
            {QStringLiteral("ATTRS{idVendor}"), vid},
            {QStringLiteral("ATTRS{idProduct}"), pid}};
}

}  // namespace

TEST(Pacchetto, LaRegolaUdevApreSoloIlNodoHidrawDellaScheda) {
    const QString nome = QStringLiteral("70-hopa-scheda.rules");
    const auto regole = leggi_regole(leggi(nome));
    ASSERT_EQ(regole.size(), 1u) << "one rule, every line readable";
    const Regola& r = regole[0];

    EXPECT_TRUE(corrisponde(r, hidraw("0461", "0020")));
    EXPECT_FALSE(corrisponde(r, hidraw("0461", "0021")));
    EXPECT_FALSE(corrisponde(r, hidraw("046d", "0020")));
    auto usb = hidraw("0461", "0020");
    usb[QStringLiteral("SUBSYSTEM")] = QStringLiteral("usb");  // the raw USB node stays closed
    EXPECT_FALSE(corrisponde(r, usb));
    EXPECT_FALSE(corrisponde(r, {{QStringLiteral("SUBSYSTEM"), QStringLiteral("hidraw")}}))
        << "a hidraw node with no USB parent (Bluetooth)";

    bool uaccess = false;
    for (const Chiave& k : r) {
        if (k.nome == QLatin1String("TAG") && k.operatore == QLatin1String("+=") && k.valore == QLatin1String("uaccess"))
            uaccess = true;
        if (k.nome == QLatin1String("MODE"))  // never writable by every user
            EXPECT_EQ(k.valore.right(1).toInt() & 2, 0) << k.valore.toStdString();
    }
    EXPECT_TRUE(uaccess);
    // The tag is acted upon by 73-seat-late.rules: the rule must come before it.
    EXPECT_LT(nome, QStringLiteral("73-seat-late.rules"));
}

TEST(Pacchetto, LaVoceDelMenuDelDesktop) {
    const QString testo = leggi(QStringLiteral("hopa.desktop"));
    ASSERT_TRUE(testo.startsWith(QStringLiteral("[Desktop Entry]\n")));
    QMap<QString, QString> v;
    for (const QString& riga : testo.split(QLatin1Char('\n')).mid(1)) {
        const qsizetype uguale = riga.indexOf(QLatin1Char('='));
        if (uguale > 0) v[riga.left(uguale)] = riga.mid(uguale + 1);
    }
    EXPECT_EQ(v["Type"], "Application");
    EXPECT_EQ(v["Exec"].section(QLatin1Char(' '), 0, 0), QStringLiteral(HOPA_PROGRAMMA));
    EXPECT_EQ(v["Terminal"], "false");
    const QStringList categorie = v["Categories"].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    EXPECT_TRUE(categorie.contains("Education") && categorie.contains("Sports")) << v["Categories"].toStdString();
    EXPECT_EQ(v["Name"], "Hopa");
    EXPECT_TRUE(v["GenericName"].contains("salto"));
    EXPECT_TRUE(v["Comment"].contains("pedana"));

    // The icon it names is the one installed, an SVG a desktop can scale.
    QXmlStreamReader svg(leggi(v["Icon"] + QStringLiteral(".svg")));
    ASSERT_TRUE(svg.readNextStartElement());
    EXPECT_EQ(svg.name(), QStringLiteral("svg"));
    const QStringList vista = svg.attributes().value("viewBox").toString().split(QLatin1Char(' '));
    ASSERT_EQ(vista.size(), 4);
    EXPECT_EQ(vista[2], vista[3]) << "a square icon";
    while (!svg.atEnd()) svg.readNext();
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();

    const QString validatore = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validatore.isEmpty()) GTEST_SKIP() << "desktop-file-validate is not installed";
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(validatore, {QDir(QStringLiteral(HOPA_PACCHETTO)).filePath(QStringLiteral("hopa.desktop"))});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAll().toStdString();
}
