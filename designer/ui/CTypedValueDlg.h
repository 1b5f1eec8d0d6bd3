#pragma once
#include <QDialog>
#include <optional>

#include "designer/core/SoundDesign.h"

class QCheckBox;
class QLineEdit;

namespace kyrel {

class DialogPrompts;

// 値を入力: a value for a span of curve points, typed in the curve's unit (Hz, %, the pan from
// L100 to R100), and, as an option, a second value the span runs to in a straight line.
class CTypedValueDlg : public QDialog {
    Q_OBJECT
  public:
    // `current` is the first point's value in the unit; it fills both fields.
    CTypedValueDlg(CurveKind kind, double current, DialogPrompts& prompts, QWidget* parent);

    QLineEdit& fromField() { return *from_; }
    QLineEdit& toField() { return *to_; }
    QCheckBox& lineCheck() { return *line_; }
    // The numbers typed, once accepted (`to` equals `from` without the line).
    double from() const { return fromValue_; }
    double to() const { return toValue_; }

  public Q_SLOTS:
    void accept() override;

  private:
    CurveKind kind_;
    DialogPrompts& prompts_;
    QLineEdit* from_;
    QLineEdit* to_;
    QCheckBox* line_;
    double fromValue_ = 0.0;
    double toValue_ = 0.0;
};

}  // namespace kyrel
