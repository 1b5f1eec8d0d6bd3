#pragma once

namespace kyrel {

// The command ids of the menus, accelerators and toolbar buttons.
enum CommandId : int {
    kCmdNew = 57600,
    kCmdOpen = 57601,
    kCmdClose = 57602,
    kCmdSaveAs = 57603,
    kCmdSave = 32777,
    kCmdExit = 57665,
    kCmdWindowWaveform = 32778,
    kCmdWindowFrequency = 32779,
    kCmdWindowVolume = 32780,
    kCmdWindowPan = 32781,
    kCmdUndo = 57643,
    kCmdRedo = 57644,
    kCmdCopy = 57634,
    kCmdPaste = 57637,
    kCmdSelectAll = 57642,
    kCmdToolSelect = 32811,
    kCmdToolFreehand = 32803,
    kCmdToolLine = 32804,
    kCmdTrack1 = 1001,  // ... kCmdTrack1 + 5 for track 6
    kCmdGenerator = 32790,
    kCmdShowToolbars = 59392,
    kCmdStatusBar = 59393,
    kCmdStop = 32792,
    kCmdPlay = 32791,
    kCmdPlayEditedTrack = 32813,
    kCmdCreateWav = 32772,
    kCmdEffectSettings = 32776,
    kCmdWaveSettings = 32771,
    kCmdCascade = 57650,
    kCmdTile = 57651,
    kCmdArrangeIcons = 57649,
    kCmdHelp = 32802,
    kCmdAbout = 57664,
    kCmdNextPane = 57680,
    kCmdPreviousPane = 57681,
    kCmdCopyTrack = 32850,
    kCmdImport = 32860,
    kCmdNormalize = 32861,
    kCmdLoopPlay = 32862,
    kCmdTypeValue = 32863,
};

}  // namespace kyrel
