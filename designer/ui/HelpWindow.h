#pragma once
#include <QTextBrowser>

namespace kyrel {

// The help page that comes with the program, in a viewer window of its own.
class HelpWindow : public QTextBrowser {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the one help window of `owner`, making it if needed.
    static HelpWindow* showFor(QWidget* owner);

  private:
    void placeBeside(const QWidget& owner);
};

}  // namespace kyrel
