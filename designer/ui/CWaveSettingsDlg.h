#pragma once
#include <QDialog>
#include <optional>

class QComboBox;
class QLineEdit;
class QToolButton;

namespace kyrel {

class CKyrelApp;

// "Waveファイルの設定": the sound's length and the WAV format. OK checks the length, marks the
// document changed (even when nothing was changed) and writes the four settings; Cancel changes
// nothing.
class CWaveSettingsDlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kMinDuration = 1;
    static constexpr int kMaxDuration = 30000;

    CWaveSettingsDlg(CKyrelApp& app, QWidget* parent = nullptr);

    QLineEdit& durationEdit() { return *duration_; }
    QComboBox& bitsChoice() { return *bits_; }
    QComboBox& rateChoice() { return *rate_; }
    QComboBox& channelChoice() { return *channels_; }
    // The up-down control beside the length: one step up or down from the number shown.
    void stepDuration(int steps);

  public Q_SLOTS:
    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CKyrelApp& app_;
    QLineEdit* duration_;
    QComboBox* bits_;
    QComboBox* rate_;
    QComboBox* channels_;
};

// A whole decimal number (blanks around it allowed) within [low, high], or nothing.
std::optional<int> parseWholeNumber(const QString& text, int low, int high);

}  // namespace kyrel
