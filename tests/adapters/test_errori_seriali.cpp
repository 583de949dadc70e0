#include "adapters/serial/errori_seriali.h"
#include "adapters/serial/porta_seriale_qt.h"
#include "sim/pseudo_terminale.h"

#include <QSet>

#include <gtest/gtest.h>

using errori_seriali::descrizione;
using errori_seriali::Permesso;

TEST(ErroriSeriali, OgniErroreHaUnaFraseItalianaCheNominaIlDispositivo) {
    const QString dev = QStringLiteral("/dev/ttyUSB0");
    QSet<QString> viste;
    for (auto e : {QSerialPort::NoError, QSerialPort::DeviceNotFoundError, QSerialPort::PermissionError,
                   QSerialPort::OpenError, QSerialPort::WriteError, QSerialPort::ReadError,
                   QSerialPort::ResourceError, QSerialPort::UnsupportedOperationError, QSerialPort::UnknownError,
                   QSerialPort::TimeoutError, QSerialPort::NotOpenError}) {
        const QString t = descrizione(e, dev);
        EXPECT_TRUE(t.contains(dev)) << t.toStdString();
        EXPECT_TRUE(t.contains(QStringLiteral("porta seriale"))) << t.toStdString();
        viste.insert(t);
    }
    EXPECT_EQ(viste.size(), 11) << "two errors read the same";
    EXPECT_EQ(descrizione(static_cast<QSerialPort::SerialPortError>(99), dev),
              descrizione(QSerialPort::UnknownError, dev));
}

TEST(ErroriSeriali, PermessoNegatoDiceQualeGruppoEDiRientrare) {
    const QString dev = QStringLiteral("/dev/ttyACM0");
    const QString uucp = descrizione(QSerialPort::PermissionError, dev, Permesso{true, QStringLiteral("uucp")});
    EXPECT_TRUE(uucp.contains(QStringLiteral("gruppo uucp")));
    EXPECT_TRUE(uucp.contains(QStringLiteral("usermod -aG uucp")));
    EXPECT_TRUE(uucp.contains(QStringLiteral("rientrare")));
    // Unknown owner, or root's group: the serial group of Debian.
    for (const QString& g : {QString(), QStringLiteral("root")})
        EXPECT_TRUE(descrizione(QSerialPort::PermissionError, dev, Permesso{true, g})
                        .contains(QStringLiteral("gruppo dialout")));
    // A lock held by another program is no matter of groups.
    const QString occupata = descrizione(QSerialPort::PermissionError, dev, Permesso{false, QStringLiteral("dialout")});
    EXPECT_TRUE(occupata.contains(QStringLiteral("altro programma")));
    EXPECT_FALSE(occupata.contains(QStringLiteral("gruppo")));
}

TEST(ErroriSeriali, LaPortaRiportaLeFrasiItaliane) {
    auto scheda = PseudoTerminale::crea();
    ASSERT_TRUE(scheda);
    const QString pty = scheda->percorso();
    PortaSerialeQt prima([&](int) { return pty; });
    PortaSerialeQt seconda([&](int) { return pty; });
    ASSERT_FALSE(prima.apri().has_value());
    const auto occupata = seconda.apri();  // the device is locked by the first port
    ASSERT_TRUE(occupata.has_value());
    EXPECT_EQ(occupata->descrizione,
              descrizione(QSerialPort::PermissionError, pty, Permesso{false, QString()}));

    PortaSerialeQt assente([](int) { return QStringLiteral("/dev/ttyUSB-hopa-assente"); });
    const auto e = assente.apri();
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->descrizione, descrizione(QSerialPort::DeviceNotFoundError, QStringLiteral("/dev/ttyUSB-hopa-assente")));
}
