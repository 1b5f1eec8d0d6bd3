#pragma once
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pocora {

class ScriptEdit;

// The bar under the text for Find (Ctrl+F), Replace (Ctrl+H) and Go to line (Ctrl+G). Enter in
// the first field finds the next match, or goes to the line; Escape hides the bar.
class FindBar : public QWidget {
    Q_OBJECT
  public:
    explicit FindBar(ScriptEdit* edit, QWidget* parent = nullptr);

    void showFind();
    void showReplace();
    void showGoTo();

    QLineEdit* findField() const { return find_; }
    QLineEdit* replaceField() const { return replace_; }
    QCheckBox* matchCase() const { return matchCase_; }
    QCheckBox* wholeWord() const { return wholeWord_; }

    // The next match after the cursor (wrapping to the start), selected; false when none.
    bool findNext();
    // Replaces the selected match and finds the next one.
    bool replaceOne();
    // Replaces every match as one undo step; returns how many.
    int replaceAll();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    enum class Mode { Find, Replace, GoTo };
    void show(Mode mode);
    void enter();
    bool selectionMatches() const;

    ScriptEdit* edit_;
    Mode mode_ = Mode::Find;
    QLabel* label_;
    QLineEdit* find_;
    QLineEdit* replace_;
    QCheckBox* matchCase_;
    QCheckBox* wholeWord_;
    QPushButton* replaceButton_;
    QPushButton* replaceAllButton_;
};

}  // namespace pocora
