#include "designer/ui/CTrackCopyDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

#include "designer/core/SoundDesign.h"

namespace kyrel {

CTrackCopyDlg::CTrackCopyDlg(int currentTrack, QWidget* parent)
    : QDialog(parent), targets_(new QComboBox(this)) {
    setWindowTitle(tr("トラックのコピー"));
    for (int t = 0; t < kTrackCount; ++t) {
        if (t != currentTrack) targets_->addItem(tr("トラック %1").arg(t + 1), t);
    }
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(tr("トラック %1 のコピー先").arg(currentTrack + 1), targets_);
    layout->addRow(buttons);
}

int CTrackCopyDlg::target() const {
    return targets_->currentData().toInt();
}

}  // namespace kyrel
