#include "designer/ui/CWaveSettingsDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "designer/ui/CKyrelApp.h"
#include "designer/ui/DialogPrompts.h"
#include "designer/ui/RangeMessage.h"

namespace kyrel {

std::optional<int> parseWholeNumber(const QString& text, int low, int high) {
    static const QRegularExpression wholeNumber(QStringLiteral("^\\s*[+-]?\\d{1,9}\\s*$"));
    if (!wholeNumber.match(text).hasMatch()) return std::nullopt;
    const int value = text.trimmed().toInt();
    if (value < low || value > high) return std::nullopt;
    return value;
}

CWaveSettingsDlg::CWaveSettingsDlg(CKyrelApp& app, QWidget* parent)
    : QDialog(parent),
      app_(app),
      duration_(new QLineEdit(this)),
      bits_(new QComboBox(this)),
      rate_(new QComboBox(this)),
      channels_(new QComboBox(this)) {
    setWindowTitle(tr("Waveファイルの設定"));
    const DesignSettings& settings = app_.design().settings;

    duration_->setText(QString::number(settings.durationMs));
    duration_->installEventFilter(this);
    auto* up = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    up->setAutoRepeat(true);
    auto* down = new QToolButton(this);
    down->setArrowType(Qt::DownArrow);
    down->setAutoRepeat(true);
    connect(up, &QToolButton::clicked, this, [this] { stepDuration(1); });
    connect(down, &QToolButton::clicked, this, [this] { stepDuration(-1); });
    auto* durationRow = new QHBoxLayout;
    durationRow->addWidget(duration_);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(up);
    arrows->addWidget(down);
    durationRow->addLayout(arrows);

    bits_->addItems({QStringLiteral("8bit"), QStringLiteral("16bit")});
    rate_->addItems({QStringLiteral("11k"), QStringLiteral("22k"), QStringLiteral("44k")});
    channels_->addItems({tr("1（モノラル）"), tr("2（ステレオ）")});
    // A damaged project can hold an index outside a list; the list then shows nothing chosen.
    auto choose = [](QComboBox* list, std::int32_t index) {
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    };
    choose(bits_, settings.bitsIndex);
    choose(rate_, settings.rateIndex);
    choose(channels_, settings.channelIndex);

    auto* form = new QFormLayout;
    form->addRow(tr("再生時間（ミリ秒）"), durationRow);
    form->addRow(tr("量子化ビット数"), bits_);
    form->addRow(tr("サンプリング周波数"), rate_);
    form->addRow(tr("チャンネル（ﾓﾉﾗﾙ/ｽﾃﾚｵ）"), channels_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CWaveSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CWaveSettingsDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CWaveSettingsDlg::stepDuration(int steps) {
    const std::optional<int> shown = parseWholeNumber(duration_->text(), -999999999, 999999999);
    const int from = shown ? std::clamp(*shown, kMinDuration, kMaxDuration) : kMinDuration;
    duration_->setText(QString::number(std::clamp(from + steps, kMinDuration, kMaxDuration)));
}

bool CWaveSettingsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == duration_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepDuration(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CWaveSettingsDlg::accept() {
    const std::optional<int> duration =
        parseWholeNumber(duration_->text(), kMinDuration, kMaxDuration);
    if (!duration) {
        app_.prompts().showMessage(this, rangeMessage(kMinDuration, kMaxDuration), "Kyrel",
                                   MessageButtons::Ok);
        duration_->setFocus();
        duration_->selectAll();
        return;
    }
    SoundDesign& design = app_.design();
    design.markChanged();
    design.settings.durationMs = *duration;
    // An unchosen list (a damaged index shown as nothing) keeps the stored index.
    if (bits_->currentIndex() >= 0) design.settings.bitsIndex = bits_->currentIndex();
    if (rate_->currentIndex() >= 0) design.settings.rateIndex = rate_->currentIndex();
    if (channels_->currentIndex() >= 0) design.settings.channelIndex = channels_->currentIndex();
    QDialog::accept();
}

}  // namespace kyrel
