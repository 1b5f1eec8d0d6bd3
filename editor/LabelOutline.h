#pragma once
#include <QListWidget>
#include <vector>

#include "editor/language/ScriptLanguage.h"

namespace pocora {

// The side view of the current script's labels, in the order of the text, each with its line.
// Enter or a double click on one asks for its line.
class LabelOutline : public QListWidget {
    Q_OBJECT
  public:
    explicit LabelOutline(QWidget* parent = nullptr);

    // Shows `labels`; the list is rebuilt only when they changed, so the selection stays while
    // the text around the labels is typed in.
    void showLabels(const std::vector<script_language::LabelPlace>& labels);

  signals:
    void lineActivated(int line);

  private:
    std::vector<script_language::LabelPlace> shown_;
};

}  // namespace pocora
