#include "mapeditor/ui/WindowProgram.h"

#include <QApplication>
#include <QProcess>

#include "common/qt/UiLanguage.h"
#include "mapeditor/ui/TesselDialogs.h"
#include "mapeditor/ui/TesselWindow.h"

namespace tessel {

int runWindowProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("kit"));
    QCoreApplication::setApplicationName(QStringLiteral("tessel"));
    kit::setUpUiLanguage(app, QStringLiteral("tessel"), kit::UiLanguage::English);
    QtTesselDialogs dialogs;
    TesselWindow window(dialogs, [](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
    });
    dialogs.setParent(&window);
    window.show();
    if (argc == 2) window.openPath(QString::fromLocal8Bit(argv[1]));
    return app.exec();
}

}  // namespace tessel
