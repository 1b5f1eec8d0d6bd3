#pragma once
#include <QDialog>

#include "designer/core/WaveGenerator.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kyrel {

class CKyrelApp;

// A number box with its up-down control: the arrows (buttons or keys) step the number shown
// within the range, starting from the position when the box holds no number.
class SpinEdit : public QObject {
    Q_OBJECT
  public:
    SpinEdit(QLineEdit& edit, QToolButton& up, QToolButton& down, int low, int high, int start);
    void step(int steps);
    void setValue(int value);
    int low() const { return low_; }
    int high() const { return high_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit& edit_;
    int low_;
    int high_;
    int position_;
};

// "波形ジェネレーター" (dialog 144): fills the Waveform curve of the current track with a sine,
// square, triangle, sawtooth or random noise, or adds it to the waveform there. It opens with
// the values last confirmed with OK; OK checks the three numbers, remembers all six values,
// and writes the waveform (asking first when points have to be clamped); Cancel changes nothing.
class CWaveGenDlg : public QDialog {
    Q_OBJECT
  public:
    CWaveGenDlg(CKyrelApp& app, GeneratorMemory& memory, QWidget* parent = nullptr);

    QLineEdit& amplitudeEdit() { return *amplitude_; }
    QLineEdit& cyclesEdit() { return *cycles_; }
    QLineEdit& noiseChanceEdit() { return *noiseChance_; }
    QCheckBox& addToCurrentBox() { return *addToCurrent_; }
    QComboBox& shapeList() { return *shape_; }
    QCheckBox& randomSizeBox() { return *randomSize_; }
    QPushButton& okButton() { return *ok_; }
    QPushButton& cancelButton() { return *cancel_; }
    QPushButton& resetButton() { return *reset_; }
    SpinEdit& amplitudeSpin() { return *amplitudeSpin_; }
    SpinEdit& cyclesSpin() { return *cyclesSpin_; }
    SpinEdit& noiseSpin() { return *noiseSpin_; }

    // Puts the values into the controls.
    void showSettings(const GeneratorSettings& settings);
    // The Reset button: the program-start values, without touching the remembered ones.
    void reset();

  public:
    void accept() override;

  private:
    void shapeChosen();
    QLineEdit& editOf(GeneratorField field);

    CKyrelApp& app_;
    GeneratorMemory& memory_;
    QLineEdit* amplitude_;
    QLineEdit* cycles_;
    QLineEdit* noiseChance_;
    QCheckBox* addToCurrent_;
    QComboBox* shape_;
    QCheckBox* randomSize_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* reset_;
    SpinEdit* amplitudeSpin_;
    SpinEdit* cyclesSpin_;
    SpinEdit* noiseSpin_;
    QToolButton* noiseUp_;
    QToolButton* noiseDown_;
};

}  // namespace kyrel
