#include "designer/ui/RememberedState.h"

#include <QMainWindow>
#include <QSettings>
#include <QStringList>

namespace kyrel {

namespace {
const QString kRecentFiles = QStringLiteral("recentFiles");
const QString kGeometry = QStringLiteral("mainWindow/geometry");
const QString kToolbars = QStringLiteral("mainWindow/state");
const QString kSeed = QStringLiteral("sound/seed");
}  // namespace

std::vector<std::string> rememberedRecentFiles() {
    std::vector<std::string> paths;
    for (const QString& path : QSettings().value(kRecentFiles).toStringList())
        paths.push_back(path.toStdString());
    return paths;
}

void rememberRecentFiles(const std::vector<std::string>& paths) {
    QStringList list;
    for (const std::string& path : paths) list << QString::fromStdString(path);
    QSettings().setValue(kRecentFiles, list);
}

void restoreWindowState(QMainWindow& window) {
    const QSettings settings;
    window.restoreGeometry(settings.value(kGeometry).toByteArray());
    window.restoreState(settings.value(kToolbars).toByteArray());
}

void rememberWindowState(const QMainWindow& window) {
    QSettings settings;
    settings.setValue(kGeometry, window.saveGeometry());
    settings.setValue(kToolbars, window.saveState());
}

std::optional<std::uint32_t> rememberedSeed() {
    const QVariant value = QSettings().value(kSeed);
    bool ok = false;
    const qulonglong seed = value.toULongLong(&ok);
    if (!value.isValid() || !ok || seed > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<std::uint32_t>(seed);
}

void rememberSeed(std::uint32_t seed) {
    QSettings().setValue(kSeed, static_cast<qulonglong>(seed));
}

}  // namespace kyrel
