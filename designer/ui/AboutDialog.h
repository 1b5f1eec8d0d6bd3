#pragma once
#include <QDialog>

namespace kyrel {

// "Kyrelのバージョン情報": the program's icon, its version and the authors' notice.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kVersion = "1.09";

    explicit AboutDialog(QWidget* parent = nullptr);
};

// The program's icon, drawn by code.
QIcon kyrelIcon();

}  // namespace kyrel
