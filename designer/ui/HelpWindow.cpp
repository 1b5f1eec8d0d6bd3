#include "designer/ui/HelpWindow.h"

#include <QUrl>

// The page is compiled into the program; a static library's resources must be registered by hand.
static void registerHelpPage() {
    Q_INIT_RESOURCE(kyrel);
}

namespace kyrel {

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    registerHelpPage();
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Kyrelのヘルプ"));
    setOpenExternalLinks(true);
    setSource(QUrl(QStringLiteral("qrc:/kyrel/help/kyrel-help.html")));
    resize(640, 720);
}

HelpWindow* HelpWindow::showFor(QWidget* owner) {
    auto* window =
        owner ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new HelpWindow(owner);
        if (!owner) window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace kyrel
