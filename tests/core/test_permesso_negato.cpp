#include "platform/permesso_negato.h"
#include "support/file_prova.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

// Only a denial counts: a path that names nothing is another failure, told otherwise.
TEST(PermessoNegato, SoloUnPermessoCheManca) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("dispositivo"));
    ASSERT_TRUE(scrivi_file(file, "x"));
    EXPECT_FALSE(permesso_negato(file));
    EXPECT_FALSE(permesso_negato(dir.filePath(QStringLiteral("manca"))));
#ifdef Q_OS_UNIX
    if (::geteuid() != 0) {  // no mode keeps root out
        ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner));
        EXPECT_TRUE(permesso_negato(file));
    }
#endif
}
