#pragma once
#include <QObject>
#include <optional>

class QLineEdit;
class QSlider;
class QWidget;

namespace kyrel {

class DialogPrompts;

// A number box beside a slider: the box shows the slider's value, and a whole number typed into
// it moves the slider when the box is left (Enter, Tab, a click elsewhere). `inverted` boxes show
// high - position (the volume sliders, whose top is loud).
class SliderBox : public QObject {
    Q_OBJECT
  public:
    SliderBox(QSlider& slider, QLineEdit& box, bool inverted);

    // The value in the box when it is a whole number in the slider's range; otherwise the
    // range message, the box focused and selected, and nothing.
    std::optional<int> checkedValue(DialogPrompts& prompts, QWidget* dialog) const;

  private:
    int valueOf(int position) const;
    void boxLeft();

    QSlider& slider_;
    QLineEdit& box_;
    bool inverted_;
};

}  // namespace kyrel
