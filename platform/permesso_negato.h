#pragma once

#include <QString>

// Whether the file or device at `percorso` exists but this user may not both read
// and write it (its mode and ACL leave the user out). A lock held by another
// program, or a path that names nothing, is no denial. Always false where the
// system has no such check (Windows says so when the open fails).
bool permesso_negato(const QString& percorso);
