#pragma once
#include <QDialog>

class QComboBox;

namespace kyrel {

// "トラックのコピー": asks onto which track the current one is copied.
class CTrackCopyDlg : public QDialog {
    Q_OBJECT
  public:
    CTrackCopyDlg(int currentTrack, QWidget* parent = nullptr);

    QComboBox& targetChoice() { return *targets_; }
    // The chosen track (0 ... 5).
    int target() const;

  private:
    QComboBox* targets_;
};

}  // namespace kyrel
