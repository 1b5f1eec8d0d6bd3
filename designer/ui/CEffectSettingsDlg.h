#pragma once
#include <QDialog>
#include <array>

#include "designer/core/SoundDesign.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSlider;

namespace kyrel {

class CKyrelApp;
class SliderBox;

// "効果音の設定": the six track volumes, which tracks are used, the frequency calculation, and
// the track details. It works on a copy of the settings taken when it is made; OK writes the
// volumes into the tracks and the whole copy back into the document, Cancel drops everything,
// the track details' changes included.
class CEffectSettingsDlg : public QDialog {
    Q_OBJECT
  public:
    CEffectSettingsDlg(CKyrelApp& app, QWidget* parent = nullptr);

    // The slider's position is 127 - volume: the top of the slider is loud. The read-out beside
    // it shows the volume and takes a typed one.
    QSlider& volumeSlider(int track) { return *sliders_[static_cast<std::size_t>(track)]; }
    QLineEdit& volumeReadout(int track) { return *readouts_[static_cast<std::size_t>(track)]; }
    QCheckBox& useCheck(int track) { return *useChecks_[static_cast<std::size_t>(track)]; }
    QComboBox& frequencyModeChoice() { return *frequencyMode_; }
    QPushButton& detailsButton() { return *details_; }
    // The render seed (Play, auto-play and Create WAV draw their dispersion from it) and the
    // button that draws a new one.
    QLineEdit& seedField() { return *seed_; }
    QPushButton& newSeedButton() { return *newSeed_; }
    DesignSettings& settingsCopy() { return settingsCopy_; }

  public Q_SLOTS:
    void accept() override;

  private:
    void openDetails();

    CKyrelApp& app_;
    DesignSettings settingsCopy_;
    std::array<QSlider*, kTrackCount> sliders_{};
    std::array<QLineEdit*, kTrackCount> readouts_{};
    std::array<SliderBox*, kTrackCount> boxes_{};
    std::array<QCheckBox*, kTrackCount> useChecks_{};
    QComboBox* frequencyMode_;
    QPushButton* details_;
    QLineEdit* seed_;
    QPushButton* newSeed_;
};

}  // namespace kyrel
