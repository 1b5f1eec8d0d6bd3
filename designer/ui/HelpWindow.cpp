#include "designer/ui/HelpWindow.h"

#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <algorithm>

// The page is compiled into the program; a static library's resources must be registered by hand.
static void registerHelpPage() {
    Q_INIT_RESOURCE(kyrel);
}

namespace kyrel {

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    registerHelpPage();
    setWindowFlag(Qt::Window);
    setWindowTitle(tr("Kyrelのヘルプ"));
    setOpenExternalLinks(true);
    // The translation names the page in the window's language (kyrel-help-en.html).
    setSource(QUrl(tr("qrc:/kyrel/help/kyrel-help.html")));
    resize(640, 720);
    // Esc and Ctrl+W close this window only: the shortcut lives in it, not in the main window.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

void HelpWindow::placeBeside(const QWidget& owner) {
    // To the right of the main window if the screen has room, else to its left, else as far
    // right as the screen allows.
    const QRect frame = owner.frameGeometry();
    const QScreen* screen = owner.screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 15, 1 << 15);
    const QSize size = frameGeometry().size();
    int x = frame.right() + 1;
    if (x + size.width() > available.right() + 1 && frame.left() - size.width() >= available.left())
        x = frame.left() - size.width();
    move(x, std::clamp(frame.top(), available.top(),
                       std::max(available.top(), available.bottom() - size.height())));
}

HelpWindow* HelpWindow::showFor(QWidget* owner) {
    auto* window =
        owner ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new HelpWindow(owner);
        if (!owner) window->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (owner && !window->isVisible()) window->placeBeside(*owner);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace kyrel
