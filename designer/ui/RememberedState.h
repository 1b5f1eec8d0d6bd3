#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QMainWindow;

namespace kyrel {

// What Kyrel keeps between runs in the user's settings (QSettings of the application's
// organisation and name): the main window's geometry and toolbars, and the recent projects.
std::vector<std::string> rememberedRecentFiles();
void rememberRecentFiles(const std::vector<std::string>& paths);
void restoreWindowState(QMainWindow& window);
void rememberWindowState(const QMainWindow& window);
// The window's render seed (nothing before one was kept).
std::optional<std::uint32_t> rememberedSeed();
void rememberSeed(std::uint32_t seed);

}  // namespace kyrel
