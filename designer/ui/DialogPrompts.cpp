#include "designer/ui/DialogPrompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "designer/ui/CoreTexts.h"

namespace kyrel {

int DialogPrompts::runDialog(QDialog& dialog) {
    return dialog.exec();
}

MessageAnswer QtDialogPrompts::showMessage(QWidget* parent, std::string_view text,
                                           std::string_view caption, MessageButtons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(coreText(caption));
    box.setText(coreText(text));
    switch (buttons) {
        case MessageButtons::Ok:
            box.setIcon(caption == "Error" ? QMessageBox::Critical : QMessageBox::Information);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::YesNo:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::YesNoCancel:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        default:
            // The close box of a question means Cancel, of a Yes / No question No.
            return buttons == MessageButtons::YesNo ? MessageAnswer::No
                   : buttons == MessageButtons::Ok  ? MessageAnswer::Ok
                                                    : MessageAnswer::Cancel;
    }
}

QString qtNameFilters(std::string_view sjisFilter) {
    const QStringList parts = coreText(sjisFilter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        QString name = parts[i];
        name.replace(QLatin1String("(*.*)"), QLatin1String("(*)"));
        filters << (name.contains(QLatin1Char('(')) ? name : name + " (" + patterns + ")");
    }
    return filters.join(QLatin1String(";;"));
}

std::optional<std::string> QtDialogPrompts::askFileName(QWidget* parent,
                                                        const FileDialogRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    dialog.setNameFilter(qtNameFilters(request.filter));
    dialog.setDirectory(QString::fromStdString(request.initialDirectory));
    if (!request.initialName.empty())
        dialog.selectFile(coreText(QString::fromStdString(request.initialName)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace kyrel
