#include "designer/ui/WindowProgram.h"

#include <QApplication>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

#include "common/qt/UiLanguage.h"
#include "designer/ui/AboutDialog.h"
#include "designer/ui/CKyrelApp.h"
#include "designer/ui/DialogPrompts.h"

namespace kyrel {

namespace {

void printUsage() {
    std::cerr << "usage: kyrel [PROJECT.kyl]\n"
                 "       kyrel --render [PROJECT.kyl] OUT.wav [--seed N]\n";
}

// Qt ends the process when it finds no display; say so plainly first.
bool displayAvailable() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace

int runWindowProgram(int argc, char** argv, SoundPlayer* player) {
    // Qt's own options start with a single dash; ours never do without --render.
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]).starts_with("--")) {
            printUsage();
            return 2;
        }
    }
    if (!displayAvailable()) {
        std::cerr << "kyrel: no display to open the window on (DISPLAY is not set); "
                     "kyrel --render needs none\n";
        return 1;
    }
    QApplication application(argc, argv);  // takes Qt's own options out of argv
    QApplication::setApplicationName(QStringLiteral("Kyrel"));
    QApplication::setOrganizationName(QStringLiteral("Kyrel"));  // where QSettings keeps state
    QApplication::setWindowIcon(kyrelIcon());
    kit::setUpUiLanguage(application, QStringLiteral("kyrel"), kit::UiLanguage::Japanese);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() > 1) {
        printUsage();
        return 2;
    }
    QtDialogPrompts prompts;
    CKyrelApp app(prompts, player, static_cast<std::uint32_t>(std::time(nullptr)));
    if (!app.start(args.isEmpty() ? std::string() : args[0].toStdString())) return 1;
    return QApplication::exec();
}

}  // namespace kyrel
