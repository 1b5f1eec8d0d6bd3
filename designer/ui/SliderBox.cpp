#include "designer/ui/SliderBox.h"

#include <QLineEdit>
#include <QSlider>

#include "designer/ui/CWaveSettingsDlg.h"
#include "designer/ui/DialogPrompts.h"
#include "designer/ui/RangeMessage.h"

namespace kyrel {

SliderBox::SliderBox(QSlider& slider, QLineEdit& box, bool inverted)
    : QObject(&box), slider_(slider), box_(box), inverted_(inverted) {
    box_.setText(QString::number(valueOf(slider_.value())));
    connect(&slider_, &QSlider::valueChanged, this,
            [this](int position) { box_.setText(QString::number(valueOf(position))); });
    connect(&box_, &QLineEdit::editingFinished, this, &SliderBox::boxLeft);
}

int SliderBox::valueOf(int position) const {
    return inverted_ ? slider_.maximum() - position : position;
}

void SliderBox::boxLeft() {
    // A value out of range stays in the box for OK to point out.
    if (auto value = parseWholeNumber(box_.text(), slider_.minimum(), slider_.maximum()))
        slider_.setValue(valueOf(*value));
}

std::optional<int> SliderBox::checkedValue(DialogPrompts& prompts, QWidget* dialog) const {
    auto value = parseWholeNumber(box_.text(), slider_.minimum(), slider_.maximum());
    if (!value) {
        prompts.showMessage(dialog, rangeMessage(slider_.minimum(), slider_.maximum()), "Kyrel",
                            MessageButtons::Ok);
        box_.setFocus();
        box_.selectAll();
    }
    return value;
}

}  // namespace kyrel
