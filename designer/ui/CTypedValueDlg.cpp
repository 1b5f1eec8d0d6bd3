#include "designer/ui/CTypedValueDlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "designer/core/CurveUnits.h"
#include "designer/core/KyrelTexts.h"
#include "designer/ui/DialogPrompts.h"

namespace kyrel {

namespace {

// "数値を入力してください"
constexpr std::string_view kNotANumber =
    "\x90\x94\x92l\x82\xf0\x93\xfc\x97\xcd\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2";

QString unitOf(CurveKind kind) {
    switch (kind) {
        case CurveKind::Frequency:
            return QCoreApplication::translate("kyrel::CTypedValueDlg", "Hz（聞こえる高さ）");
        case CurveKind::Volume:
            return QCoreApplication::translate("kyrel::CTypedValueDlg", "%（音の大きさ）");
        case CurveKind::Pan:
            return QStringLiteral("L100 … 0 … R100");
        case CurveKind::Waveform:
            break;
    }
    return QCoreApplication::translate("kyrel::CTypedValueDlg", "%（振幅、-100 … 100）");
}

}  // namespace

CTypedValueDlg::CTypedValueDlg(CurveKind kind, double current, DialogPrompts& prompts,
                               QWidget* parent)
    : QDialog(parent),
      kind_(kind),
      prompts_(prompts),
      from_(new QLineEdit(QString::number(current, 'f', 1), this)),
      to_(new QLineEdit(QString::number(current, 'f', 1), this)),
      line_(new QCheckBox(tr("終わりの値まで直線で"), this)) {
    setWindowTitle(tr("値を入力"));
    to_->setEnabled(false);
    connect(line_, &QCheckBox::toggled, to_, &QLineEdit::setEnabled);
    auto* form = new QFormLayout;
    form->addRow(tr("単位"), new QLabel(unitOf(kind), this));
    form->addRow(tr("値"), from_);
    form->addRow(line_);
    form->addRow(tr("終わりの値"), to_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTypedValueDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTypedValueDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CTypedValueDlg::accept() {
    const std::optional<double> from = parseUnitText(kind_, from_->text().toStdString());
    const std::optional<double> to =
        line_->isChecked() ? parseUnitText(kind_, to_->text().toStdString()) : from;
    if (!from || !to) {
        prompts_.showMessage(this, kNotANumber, text::kCaptionError, MessageButtons::Ok);
        (from ? to_ : from_)->setFocus();
        return;
    }
    fromValue_ = *from;
    toValue_ = *to;
    QDialog::accept();
}

}  // namespace kyrel
