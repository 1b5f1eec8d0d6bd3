#pragma once
#include <QString>
#include <QStringList>

namespace pocora {

// The File menu's list of recent files: most recent first, each path once, at most eight.
inline constexpr int kMaxRecentFiles = 8;

// The list after `path` was opened or saved.
QStringList withRecentFile(QStringList recent, const QString& path);

// The list without the files that no longer exist.
QStringList existingFiles(const QStringList& recent);

}  // namespace pocora
