#include "editor/LabelOutline.h"

namespace pocora {

LabelOutline::LabelOutline(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("labels"));
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        emit lineActivated(item->data(Qt::UserRole).toInt());
    });
}

void LabelOutline::showLabels(const std::vector<script_language::LabelPlace>& labels) {
    const bool same = std::equal(
        labels.begin(), labels.end(), shown_.begin(), shown_.end(),
        [](const auto& a, const auto& b) { return a.name == b.name && a.line == b.line; });
    if (same) return;
    shown_ = labels;
    const int row = currentRow();
    clear();
    for (const auto& label : labels) {
        auto* item = new QListWidgetItem(
            QStringLiteral("%1\t%2").arg(QString::fromStdString(label.name)).arg(label.line), this);
        item->setData(Qt::UserRole, label.line);
    }
    if (row >= 0 && row < count()) setCurrentRow(row);
}

}  // namespace pocora
