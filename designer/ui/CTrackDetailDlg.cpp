#include "designer/ui/CTrackDetailDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "designer/ui/SliderBox.h"

namespace kyrel {

namespace {

// A spread's slider with the box that shows its value and takes a typed one.
QSlider* spreadSlider(const QString& title, QWidget* parent, QVBoxLayout* into, SliderBox*& box) {
    auto* group = new QGroupBox(title, parent);
    auto* slider = new QSlider(Qt::Horizontal, group);
    slider->setRange(0, CTrackDetailDlg::kMaxSpread);
    slider->setTickPosition(QSlider::NoTicks);
    slider->setMinimumWidth(254);
    auto* value = new QLineEdit(group);
    value->setMaximumWidth(44);
    value->setAlignment(Qt::AlignRight);
    box = new SliderBox(*slider, *value, false);
    auto* row = new QHBoxLayout(group);
    row->addWidget(slider);
    row->addWidget(value);
    into->addWidget(group);
    return slider;
}

}  // namespace

CTrackDetailDlg::CTrackDetailDlg(DesignSettings& callerCopy, DialogPrompts& prompts,
                                 QWidget* parent)
    : QDialog(parent),
      prompts_(prompts),
      work_(callerCopy),
      callerCopy_(callerCopy),
      trackList_(new QComboBox(this)),
      direct_(new QCheckBox(tr("波形を直接書き込む（周波数計算を無効にする）"), this)) {
    setWindowTitle(tr("詳細なトラックの設定"));
    for (int t = 1; t <= kTrackCount; ++t) trackList_->addItem(QString::number(t));

    auto* trackGroup = new QGroupBox(tr("トラック"), this);
    (new QVBoxLayout(trackGroup))->addWidget(trackList_);
    auto* details = new QGroupBox(tr("詳細設定"), this);
    auto* detailLayout = new QVBoxLayout(details);
    detailLayout->addWidget(direct_);
    frequencySpread_ = spreadSlider(tr("周波数の分散度"), details, detailLayout, boxes_[0]);
    volumeSpread_ = spreadSlider(tr("音量の分散度"), details, detailLayout, boxes_[1]);
    waveformSpread_ = spreadSlider(tr("波形の分散度"), details, detailLayout, boxes_[2]);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTrackDetailDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTrackDetailDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(trackGroup);
    layout->addWidget(details);
    layout->addWidget(buttons);

    // Always opens on track 1, whichever track is being edited.
    trackList_->setCurrentIndex(shownTrack_);
    loadShownTrack();
    connect(trackList_, &QComboBox::currentIndexChanged, this, &CTrackDetailDlg::trackChosen);
}

void CTrackDetailDlg::storeShownTrack() {
    const auto t = static_cast<std::size_t>(shownTrack_);
    work_.frequencySpread[t] = frequencySpread_->value();
    work_.volumeSpread[t] = volumeSpread_->value();
    work_.waveformSpread[t] = waveformSpread_->value();
    work_.directWaveform[t] = direct_->isChecked() ? 1 : 0;
}

void CTrackDetailDlg::loadShownTrack() {
    const auto t = static_cast<std::size_t>(shownTrack_);
    frequencySpread_->setValue(work_.frequencySpread[t]);
    volumeSpread_->setValue(work_.volumeSpread[t]);
    waveformSpread_->setValue(work_.waveformSpread[t]);
    direct_->setChecked(work_.directWaveform[t] != 0);
}

void CTrackDetailDlg::trackChosen(int index) {
    if (index < 0 || index >= kTrackCount) return;
    storeShownTrack();
    shownTrack_ = index;
    loadShownTrack();
}

void CTrackDetailDlg::accept() {
    for (const SliderBox* box : boxes_) {
        if (!box->checkedValue(prompts_, this)) return;
    }
    storeShownTrack();
    callerCopy_ = work_;
    QDialog::accept();
}

}  // namespace kyrel
