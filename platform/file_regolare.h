#pragma once

#include <QString>

#include <optional>

// A path chosen to be read must name a regular file: opening a FIFO waits for a
// writer that never comes, a device may never answer, a folder holds no test.
// The check only looks at the path (links followed) and opens nothing.
namespace file_regolare {

// Nothing when `percorso` is a regular file, or names nothing at all (the open
// that follows says so); otherwise the refusal, in Italian, with what to do.
std::optional<QString> rifiuto(const QString& percorso);

}  // namespace file_regolare
