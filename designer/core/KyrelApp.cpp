#include "designer/core/KyrelApp.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "designer/core/Document.h"

namespace kyrel {

KyrelApp::KyrelApp(KyrelUi& ui_, std::uint32_t seed) : ui(ui_), random(seed), renderSeed(seed) {
    std::error_code ec;
    std::string cwd = std::filesystem::current_path(ec).string();
    projectDirectory = cwd.empty() || cwd.back() == '/' ? cwd : cwd + "/";
    tempWavPath = tempWavPathFor(0);
    newDocument(*this);
}

std::string temporaryDirectory() {
    const char* env = std::getenv("TMPDIR");
    std::string dir = env && *env ? env : "/tmp";
    if (dir.back() != '/') dir += '/';
    return dir;
}

std::string tempWavPathFor(std::int32_t instanceNumber) {
    return temporaryDirectory() + "KYTemp" + std::to_string(instanceNumber) + ".wav";
}

}  // namespace kyrel
