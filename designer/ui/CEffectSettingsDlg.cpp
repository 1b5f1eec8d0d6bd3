#include "designer/ui/CEffectSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "designer/core/KyrelTexts.h"
#include "designer/core/RenderCommand.h"
#include "designer/ui/CKyrelApp.h"
#include "designer/ui/CTrackDetailDlg.h"
#include "designer/ui/DialogPrompts.h"
#include "designer/ui/RememberedState.h"
#include "designer/ui/SliderBox.h"

namespace kyrel {

namespace {
constexpr int kMaxVolume = 127;
// "シードは 0 から 4294967295 までの整数です"
constexpr std::string_view kSeedMessage =
    "\x83V\x81[\x83h\x82\xcd 0 \x82\xa9\x82\xe7 4294967295 \x82\xdc\x82\xc5\x82\xcc\x90\xae\x90"
    "\x94\x82\xc5\x82\xb7";
}  // namespace

CEffectSettingsDlg::CEffectSettingsDlg(CKyrelApp& app, QWidget* parent)
    : QDialog(parent),
      app_(app),
      settingsCopy_(app.design().settings),
      frequencyMode_(new QComboBox(this)),
      details_(new QPushButton(tr("詳細設定"), this)),
      seed_(new QLineEdit(QString::number(app.state().renderSeed), this)),
      newSeed_(new QPushButton(tr("新しいシード"), this)) {
    setWindowTitle(tr("効果音の設定"));
    const SoundDesign& design = app_.design();

    auto* volumes = new QGroupBox(tr("ボリューム"), this);
    auto* volumeGrid = new QGridLayout(volumes);
    auto* uses = new QGroupBox(tr("トラックの使用"), this);
    auto* useRow = new QHBoxLayout(uses);
    for (int t = 0; t < kTrackCount; ++t) {
        const auto i = static_cast<std::size_t>(t);
        const int volume = design.tracks[i].volume;
        auto* slider = new QSlider(Qt::Vertical, volumes);
        slider->setRange(0, kMaxVolume);
        // Position 0 at the top, as 127 - volume puts the loud end there.
        slider->setInvertedAppearance(true);
        // ... and Up, PageUp and the wheel away from the user make the sound louder.
        slider->setInvertedControls(true);
        slider->setValue(kMaxVolume - volume);
        slider->setMinimumHeight(128);
        auto* readout = new QLineEdit(volumes);
        readout->setMaximumWidth(44);
        readout->setAlignment(Qt::AlignRight);
        // The read-out follows the slider while it is dragged, and a volume typed there moves it.
        boxes_[i] = new SliderBox(*slider, *readout, true);
        volumeGrid->addWidget(new QLabel(QString::number(t + 1), volumes), 0, t, Qt::AlignHCenter);
        volumeGrid->addWidget(slider, 1, t, Qt::AlignHCenter);
        volumeGrid->addWidget(readout, 2, t, Qt::AlignHCenter);
        sliders_[i] = slider;
        readouts_[i] = readout;

        auto* check = new QCheckBox(QString::number(t + 1), uses);
        check->setChecked(settingsCopy_.trackUse[i] != 0);
        useRow->addWidget(check);
        useChecks_[i] = check;
    }

    frequencyMode_->addItems({tr("モード１"), tr("モード２")});
    frequencyMode_->setCurrentIndex(settingsCopy_.frequencyMode == 0 ? 0 : 1);
    auto* modeBox = new QGroupBox(tr("周波数の計算"), this);
    auto* modeRow = new QHBoxLayout(modeBox);
    modeRow->addWidget(frequencyMode_);
    connect(details_, &QPushButton::clicked, this, &CEffectSettingsDlg::openDetails);
    details_->setAutoDefault(false);

    auto* seedBox = new QGroupBox(tr("ばらつきのシード"), this);
    auto* seedRow = new QHBoxLayout(seedBox);
    seedRow->addWidget(seed_);
    seedRow->addWidget(newSeed_);
    newSeed_->setAutoDefault(false);
    connect(newSeed_, &QPushButton::clicked, this, [this] {
        // Two draws of the program's generator make a 30-bit seed.
        kit::Random& random = app_.state().random;
        const auto high = static_cast<std::uint32_t>(random.next());
        seed_->setText(QString::number(high << 15 | static_cast<std::uint32_t>(random.next())));
    });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEffectSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CEffectSettingsDlg::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(modeBox);
    bottom->addStretch();
    bottom->addWidget(details_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(volumes);
    layout->addWidget(uses);
    layout->addLayout(bottom);
    layout->addWidget(seedBox);
    layout->addWidget(buttons);
}

void CEffectSettingsDlg::openDetails() {
    CTrackDetailDlg details(settingsCopy_, app_.prompts(), this);
    app_.prompts().runDialog(details);
}

void CEffectSettingsDlg::accept() {
    std::array<int, kTrackCount> volumes{};
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        const auto typed = boxes_[i]->checkedValue(app_.prompts(), this);
        if (!typed) return;
        volumes[i] = *typed;
    }
    const std::optional<std::uint32_t> seed = parseSeed(seed_->text().trimmed().toStdString());
    if (!seed) {
        app_.prompts().showMessage(this, kSeedMessage, text::kCaptionError, MessageButtons::Ok);
        seed_->setFocus();
        return;
    }
    SoundDesign& design = app_.design();
    settingsCopy_.frequencyMode = frequencyMode_->currentIndex() == 0 ? 0 : 1;
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        design.tracks[i].volume = volumes[i];
        settingsCopy_.trackUse[i] = useChecks_[i]->isChecked() ? 1 : 0;
    }
    // The whole block returns, with the values it had when the dialog opened.
    design.settings = settingsCopy_;
    design.markChanged();
    // The seed is the window's, not the project's: it is kept with the window's settings.
    app_.state().renderSeed = *seed;
    rememberSeed(*seed);
    QDialog::accept();
}

}  // namespace kyrel
