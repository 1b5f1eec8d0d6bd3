#include <QApplication>
#include <QFileInfo>
#include <cstring>
#include <iostream>
#include <string_view>
#include <vector>

#include "common/qt/UiLanguage.h"
#include "editor/CompileCommand.h"
#include "editor/EditorDialogs.h"
#include "editor/PocoraWindow.h"

namespace {

int usage() {
    std::cerr << "usage: pocora [FILE|GAME-SRC-DIR]\n"
                 "       pocora --compile SOURCE OUT.sc [--encoding auto|sjis|utf8]\n"
                 "       pocora --decompile IN.sc|IN.src OUT.script\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // The compile command needs no display, so it is handled before Qt starts.
    if (argc >= 2 && std::strcmp(argv[1], "--compile") == 0) {
        const std::vector<std::string_view> args(argv + 2, argv + argc);
        return pocora::runCompileCommandLine(args, std::cerr);
    }
    if (argc >= 2 && std::strcmp(argv[1], "--decompile") == 0) {
        const std::vector<std::string_view> args(argv + 2, argv + argc);
        return pocora::runDecompileCommandLine(args, std::cerr);
    }
    if (argc > 2 || (argc == 2 && argv[1][0] == '-' && argv[1][1] != '\0')) return usage();

    QApplication app(argc, argv);
    // Settings (window geometry, recent files) live in ~/.config/kit/pocora.conf.
    QApplication::setOrganizationName(QStringLiteral("kit"));
    QApplication::setApplicationName(QStringLiteral("pocora"));
    kit::setUpUiLanguage(app, QStringLiteral("pocora"), kit::UiLanguage::Japanese);
    pocora::QtEditorDialogs dialogs;
    pocora::PocoraWindow window(dialogs);
    dialogs.setParent(&window);
    window.show();
    if (argc == 2) {
        // A folder is a game's sources, shown beside the text; a file is opened.
        const QString path = QString::fromLocal8Bit(argv[1]);
        if (QFileInfo(path).isDir())
            window.openFolder(path);
        else
            window.loadFile(path);
    }
    return app.exec();
}
