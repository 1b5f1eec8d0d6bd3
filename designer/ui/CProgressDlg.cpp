#include "designer/ui/CProgressDlg.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kyrel {

namespace {

class DialogHooks : public RenderProgress {
  public:
    DialogHooks(QProgressBar& bar, const bool& cancelled) : bar_(bar), cancelled_(cancelled) {}
    void progress(int percent) override { bar_.setValue(percent); }
    bool cancelRequested() override {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return cancelled_;
    }

  private:
    QProgressBar& bar_;
    const bool& cancelled_;
};

}  // namespace

CProgressDlg::CProgressDlg(std::function<bool(RenderProgress&)> render, QWidget* parent)
    : QDialog(parent), render_(std::move(render)), bar_(new QProgressBar(this)) {
    setWindowTitle(tr("作成中"));
    setModal(true);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setMinimumWidth(260);
    auto* cancel = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
    connect(cancel, &QPushButton::clicked, this, &CProgressDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
}

int CProgressDlg::progressValue() const {
    return bar_->value();
}

void CProgressDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) {
        started_ = true;
        // Start once the dialog is on screen.
        QTimer::singleShot(0, this, &CProgressDlg::runRender);
    }
}

void CProgressDlg::runRender() {
    if (cancelled_) return;  // closed before the render began
    DialogHooks hooks(*bar_, cancelled_);
    succeeded_ = render_(hooks) && !cancelled_;
    done(succeeded_ ? QDialog::Accepted : QDialog::Rejected);
}

void CProgressDlg::reject() {
    cancelled_ = true;
    QDialog::reject();
}

}  // namespace kyrel
