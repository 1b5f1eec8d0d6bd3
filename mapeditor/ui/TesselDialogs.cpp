#include "mapeditor/ui/TesselDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "mapeditor/ui/DoorDialog.h"
#include "mapeditor/ui/MapSettingsDialog.h"

namespace tessel {

namespace {

const QString kCaption = QStringLiteral("Tessel");

QString text(const char* source) {
    return QCoreApplication::translate("tessel::TesselDialogs", source);
}

QString mapFilter() {
    return text(QT_TRANSLATE_NOOP("tessel::TesselDialogs", "Maps (*.qd *.QD);;All files (*)"));
}

// A source folder's maps may also be text, which Tessel opens but saves as .qd.
QString openMapFilter() {
    return text(
        QT_TRANSLATE_NOOP("tessel::TesselDialogs", "Maps (*.qd *.QD *.map);;All files (*)"));
}

}  // namespace

SaveAnswer QtTesselDialogs::askSaveChanges(const QString& mapName) {
    const auto answer = QMessageBox::question(
        parent_, kCaption,
        text(QT_TRANSLATE_NOOP("tessel::TesselDialogs", "Save the changes to %1?")).arg(mapName),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) return SaveAnswer::Save;
    return answer == QMessageBox::Discard ? SaveAnswer::Discard : SaveAnswer::Cancel;
}

void QtTesselDialogs::showMessage(const QString& text, bool warning) {
    if (warning)
        QMessageBox::warning(parent_, kCaption, text);
    else
        QMessageBox::information(parent_, kCaption, text);
}

QString QtTesselDialogs::openMapFile(const QString& directory) {
    return QFileDialog::getOpenFileName(
        parent_, text(QT_TRANSLATE_NOOP("tessel::TesselDialogs", "Open map")), directory,
        openMapFilter());
}

QString QtTesselDialogs::saveMapFile(const QString& directory, const QString& name) {
    QFileDialog dialog(parent_, text(QT_TRANSLATE_NOOP("tessel::TesselDialogs", "Save map as")),
                       directory, mapFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("qd"));
    dialog.selectFile(name);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString QtTesselDialogs::gameDirectory(const QString& directory) {
    return QFileDialog::getExistingDirectory(
        parent_, text(QT_TRANSLATE_NOOP("tessel::TesselDialogs", "Open game directory")),
        directory);
}

std::optional<MapSettings> QtTesselDialogs::mapSettings(const MapSettings& current, bool isNew) {
    MapSettingsDialog dialog(current, isNew, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.settings();
}

std::optional<Door> QtTesselDialogs::doorTo(const GameFolder& game, const Door& start) {
    DoorDialog dialog(game, start, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.door();
}

}  // namespace tessel
