#include "designer/ui/WindowProgram.h"

#include <QApplication>
#include <ctime>
#include <iostream>
#include <string>

#include "designer/ui/AboutDialog.h"
#include "designer/ui/CKyrelApp.h"
#include "designer/ui/DialogPrompts.h"

namespace kyrel {

int runWindowProgram(int argc, char** argv, SoundPlayer* player) {
    QApplication application(argc, argv);  // takes Qt's own options out of argv
    QApplication::setApplicationName(QStringLiteral("Kyrel"));
    QApplication::setWindowIcon(kyrelIcon());
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() > 1 || (args.size() == 1 && args[0].startsWith(QLatin1String("--")))) {
        std::cerr << "usage: kyrel [PROJECT.kyl]\n"
                     "       kyrel --render [PROJECT.kyl] OUT.wav [--seed N]\n";
        return 2;
    }
    QtDialogPrompts prompts;
    CKyrelApp app(prompts, player, static_cast<std::uint32_t>(std::time(nullptr)));
    if (!app.start(args.isEmpty() ? std::string() : args[0].toStdString())) return 1;
    return QApplication::exec();
}

}  // namespace kyrel
