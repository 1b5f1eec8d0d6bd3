#pragma once
#include <QDialog>
#include <array>

#include "designer/core/SoundDesign.h"

class QCheckBox;
class QComboBox;
class QSlider;

namespace kyrel {

class DialogPrompts;
class SliderBox;

// "詳細なトラックの設定": per track, whether the waveform is written directly and how strongly
// frequency, volume and waveform are spread. It edits a private copy of the caller's settings
// copy, track by track as the list switches, and writes it back only on OK. Each spread's value
// shows beside its slider and can be typed there.
class CTrackDetailDlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kMaxSpread = 127;

    CTrackDetailDlg(DesignSettings& callerCopy, DialogPrompts& prompts, QWidget* parent = nullptr);

    QComboBox& trackChoice() { return *trackList_; }
    QCheckBox& directCheck() { return *direct_; }
    QSlider& frequencySpreadSlider() { return *frequencySpread_; }
    QSlider& volumeSpreadSlider() { return *volumeSpread_; }
    QSlider& waveformSpreadSlider() { return *waveformSpread_; }
    int shownTrack() const { return shownTrack_; }

  public Q_SLOTS:
    void accept() override;

  private:
    void storeShownTrack();
    void loadShownTrack();
    void trackChosen(int index);

    DialogPrompts& prompts_;
    DesignSettings work_;
    DesignSettings& callerCopy_;
    int shownTrack_ = 0;
    QComboBox* trackList_;
    QCheckBox* direct_;
    QSlider* frequencySpread_;
    QSlider* volumeSpread_;
    QSlider* waveformSpread_;
    std::array<SliderBox*, 3> boxes_{};  // the spreads' typed values
};

}  // namespace kyrel
