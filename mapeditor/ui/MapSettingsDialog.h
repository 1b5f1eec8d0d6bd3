#pragma once
#include <QDialog>

#include "mapeditor/ui/TesselDialogs.h"

class QButtonGroup;
class QSpinBox;

namespace tessel {

// Size, anchor and tile set of a map (for a new map: size and tile set).
class MapSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    MapSettingsDialog(const MapSettings& current, bool isNew, QWidget* parent = nullptr);
    MapSettings settings() const;

  private:
    QSpinBox* width_;
    QSpinBox* height_;
    QSpinBox* tileSet_;
    QButtonGroup* anchor_;
};

}  // namespace tessel
