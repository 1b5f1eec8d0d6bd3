#include "editor/EditorDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace pocora {
namespace {

// "*.*" means every file where the kit was made; here it would hide names without a dot.
QStringList toolkitFilters(const QStringList& filters) {
    QStringList out;
    for (QString filter : filters)
        out << filter.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    return out;
}

}  // namespace

bool QtEditorDialogs::askYesNo(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    return box.exec() == QMessageBox::Yes;
}

bool QtEditorDialogs::askOkCancel(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent_);
    return box.exec() == QMessageBox::Ok;
}

void QtEditorDialogs::showMessage(const QString& caption, const QString& text, MessageIcon icon) {
    const auto qtIcon = icon == MessageIcon::Warning    ? QMessageBox::Warning
                        : icon == MessageIcon::Question ? QMessageBox::Question
                                                        : QMessageBox::NoIcon;
    QMessageBox box(qtIcon, caption, text, QMessageBox::Ok, parent_);
    box.exec();
}

QString QtEditorDialogs::openFileName(const FileDialogRequest& request) {
    return runFileDialog(request, false);
}

QString QtEditorDialogs::saveFileName(const FileDialogRequest& request) {
    return runFileDialog(request, true);
}

QString QtEditorDialogs::runFileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent_, request.title, request.directory);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(toolkitFilters(request.filters));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (save && !request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace pocora
