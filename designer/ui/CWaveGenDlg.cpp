#include "designer/ui/CWaveGenDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "designer/core/GeneratorCommand.h"
#include "designer/ui/CCurveView.h"
#include "designer/ui/CKyrelApp.h"
#include "designer/ui/DialogPrompts.h"

namespace kyrel {

namespace {

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    return button;
}

// An edit box with its two arrows beside it.
QHBoxLayout* spinRow(QLineEdit* edit, QToolButton* up, QToolButton* down) {
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(up);
    arrows->addWidget(down);
    row->addLayout(arrows);
    return row;
}

QGroupBox* group(QWidget* parent, const QString& title, QLayout* content) {
    auto* box = new QGroupBox(title, parent);
    box->setLayout(content);
    return box;
}

}  // namespace

SpinEdit::SpinEdit(QLineEdit& edit, QToolButton& up, QToolButton& down, int low, int high,
                   int start)
    : QObject(&edit), edit_(edit), low_(low), high_(high), position_(start) {
    edit_.installEventFilter(this);
    connect(&up, &QToolButton::clicked, this, [this] { step(1); });
    connect(&down, &QToolButton::clicked, this, [this] { step(-1); });
}

void SpinEdit::setValue(int value) {
    position_ = std::clamp(value, low_, high_);
    edit_.setText(QString::number(value));
}

void SpinEdit::step(int steps) {
    if (auto shown = parseIntegerField(edit_.text().toStdString()))
        position_ = std::clamp(*shown, low_, high_);
    position_ = std::clamp(position_ + steps, low_, high_);
    edit_.setText(QString::number(position_));
}

bool SpinEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

CWaveGenDlg::CWaveGenDlg(CKyrelApp& app, GeneratorMemory& memory, QWidget* parent)
    : QDialog(parent),
      app_(app),
      memory_(memory),
      amplitude_(new QLineEdit(this)),
      cycles_(new QLineEdit(this)),
      noiseChance_(new QLineEdit(this)),
      addToCurrent_(new QCheckBox(tr("現在の波形との加算"), this)),
      shape_(new QComboBox(this)),
      randomSize_(new QCheckBox(tr("ノイズの大きさもランダム"), this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(tr("キャンセル"), this)),
      reset_(new QPushButton(tr("リセット"), this)) {
    setWindowTitle(tr("波形ジェネレーター"));

    QToolButton* amplitudeUp = arrowButton(this, Qt::UpArrow);
    QToolButton* amplitudeDown = arrowButton(this, Qt::DownArrow);
    QToolButton* cyclesUp = arrowButton(this, Qt::UpArrow);
    QToolButton* cyclesDown = arrowButton(this, Qt::DownArrow);
    noiseUp_ = arrowButton(this, Qt::UpArrow);
    noiseDown_ = arrowButton(this, Qt::DownArrow);
    amplitudeSpin_ = new SpinEdit(*amplitude_, *amplitudeUp, *amplitudeDown, 1, 1000, 1000);
    cyclesSpin_ = new SpinEdit(*cycles_, *cyclesUp, *cyclesDown, 1, 100, 1);
    noiseSpin_ = new SpinEdit(*noiseChance_, *noiseUp_, *noiseDown_, 1, 1000, 100);

    shape_->addItems(
        {tr("サイン波"), tr("矩形波"), tr("三角波"), tr("ノコギリ波"), tr("ランダムノイズ")});
    connect(shape_, &QComboBox::currentIndexChanged, this, [this] { shapeChosen(); });

    auto* shapeLayout = new QVBoxLayout;
    shapeLayout->addWidget(shape_);
    auto* noiseChanceLayout = new QVBoxLayout;
    noiseChanceLayout->addLayout(spinRow(noiseChance_, noiseUp_, noiseDown_));
    auto* noiseLayout = new QVBoxLayout;
    noiseLayout->addWidget(group(this, tr("出現確率(0-1000)"), noiseChanceLayout));
    noiseLayout->addWidget(randomSize_);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(reset_);
    buttons->addStretch();
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &CWaveGenDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CWaveGenDlg::reject);
    connect(reset_, &QPushButton::clicked, this, &CWaveGenDlg::reset);

    auto* fields = new QVBoxLayout;
    fields->addWidget(
        group(this, tr("波形の大きさ　0-1000"), spinRow(amplitude_, amplitudeUp, amplitudeDown)));
    fields->addWidget(
        group(this, tr("波形の周波数　1-100"), spinRow(cycles_, cyclesUp, cyclesDown)));
    fields->addWidget(addToCurrent_);
    fields->addWidget(group(this, tr("波形のかたち"), shapeLayout));
    fields->addWidget(group(this, tr("ランダムノイズの設定"), noiseLayout));
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    showSettings(memory_);
}

void CWaveGenDlg::showSettings(const GeneratorSettings& settings) {
    amplitudeSpin_->setValue(settings.amplitude);
    cyclesSpin_->setValue(settings.cycles);
    noiseSpin_->setValue(settings.noiseChance);
    addToCurrent_->setChecked(settings.addToCurrent == 1);
    randomSize_->setChecked(settings.randomSize == 1);
    const bool known = settings.shape >= 0 && settings.shape < shape_->count();
    shape_->setCurrentIndex(known ? settings.shape : 0);
    shapeChosen();
}

void CWaveGenDlg::reset() {
    showSettings(GeneratorSettings{});
}

void CWaveGenDlg::shapeChosen() {
    // The noise settings matter only for random noise.
    const bool noise = shape_->currentIndex() == static_cast<int>(WaveShape::Noise);
    noiseChance_->setEnabled(noise);
    noiseUp_->setEnabled(noise);
    noiseDown_->setEnabled(noise);
    randomSize_->setEnabled(noise);
}

QLineEdit& CWaveGenDlg::editOf(GeneratorField field) {
    switch (field) {
        case GeneratorField::Amplitude:
            return *amplitude_;
        case GeneratorField::Cycles:
            return *cycles_;
        case GeneratorField::NoiseChance:
            return *noiseChance_;
    }
    return *amplitude_;
}

void CWaveGenDlg::accept() {
    GeneratorSettings settings = memory_;
    const std::string amplitude = amplitude_->text().toStdString();
    const std::string cycles = cycles_->text().toStdString();
    const std::string noiseChance = noiseChance_->text().toStdString();
    const bool noise = shape_->currentIndex() == static_cast<int>(WaveShape::Noise);
    if (auto rejection = checkGeneratorFields({amplitude, cycles, noiseChance, noise}, settings)) {
        app_.prompts().showMessage(this, rejection->message, "Kyrel", MessageButtons::Ok);
        QLineEdit& edit = editOf(rejection->field);
        edit.setFocus();
        edit.selectAll();
        return;
    }
    settings.shape = std::max(shape_->currentIndex(), 0);
    settings.addToCurrent = addToCurrent_->isChecked() ? 1 : 0;
    settings.randomSize = randomSize_->isChecked() ? 1 : 0;
    memory_ = settings;
    if (applyGenerator(app_.state(), settings)) {
        if (CCurveView* view = app_.curveView(CurveKind::Waveform)) view->rebuild();
    }
    app_.updateCommandStates();
    QDialog::accept();
}

}  // namespace kyrel
