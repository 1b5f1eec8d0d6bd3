#include "editor/RecentFiles.h"

#include <QFileInfo>

namespace pocora {

QStringList withRecentFile(QStringList recent, const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kMaxRecentFiles) recent.removeLast();
    return recent;
}

QStringList existingFiles(const QStringList& recent) {
    QStringList kept;
    for (const QString& path : recent)
        if (QFileInfo(path).isFile()) kept << path;
    return kept;
}

}  // namespace pocora
