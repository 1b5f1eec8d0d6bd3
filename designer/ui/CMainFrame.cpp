#include "designer/ui/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

#include "common/qt/UiLanguage.h"
#include "designer/ui/AutoPlay.h"
#include "designer/ui/CChildFrame.h"
#include "designer/ui/CKyrelApp.h"
#include "designer/ui/CommandIds.h"
#include "designer/ui/CurveEditing.h"
#include "designer/ui/LoopPlay.h"
#include "designer/ui/PresetMenu.h"
#include "designer/ui/ToolbarIcons.h"

namespace kyrel {

namespace {

QKeySequence keys(QKeyCombination combination) {
    return QKeySequence(combination);
}

}  // namespace

CMainFrame::CMainFrame(CKyrelApp& app) : app_(app), mdiArea_(new QMdiArea(this)) {
    setCentralWidget(mdiArea_);
    mdiArea_->setActivationOrder(QMdiArea::CreationOrder);
    resize(900, 700);
    createActions();
    addFileHandlers();
    addEditHandlers();
    addSoundHandlers();
    addWindowHandlers();
    loopPlay_ = new LoopPlay(app_, *action(kCmdLoopPlay), this);
    autoPlay_ = new AutoPlay(app_, this);
    autoPlay_->watchCommands(actions_);
    presetMenu_ = new PresetMenu(app_, *autoPlay_, this);
    createMenus();
    createToolBars();
    createStatusBar();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &CMainFrame::subWindowActivated);
    // Playback ends on its own thread; the commands follow within a tenth of a second.
    updateTimer_ = new QTimer(this);
    connect(updateTimer_, &QTimer::timeout, this, [this] { app_.updateCommandStates(); });
    updateTimer_->start(100);
}

CMainFrame::~CMainFrame() {
    // The base class deletes the MDI area, whose closing sub-windows still signal; by then this
    // object is only a QMainWindow and must hear nothing.
    updateTimer_->stop();
    mdiArea_->disconnect(this);
}

QAction* CMainFrame::addCommand(int id, const QString& text, const QString& tip,
                                const QList<QKeySequence>& shortcuts, bool checkable) {
    auto* action = new QAction(text, this);
    // Tips are "status-bar text\ntool tip".
    const QStringList parts = tip.split(QLatin1Char('\n'));
    action->setStatusTip(parts.value(0));
    action->setToolTip(parts.value(1, parts.value(0)));
    action->setShortcuts(shortcuts);
    action->setCheckable(checkable);
    action->setData(id);
    const QIcon icon = commandIcon(id);
    if (!icon.isNull()) action->setIcon(icon);
    // Every accelerator works in every state of the window, whichever menu is shown.
    addAction(action);
    connect(action, &QAction::triggered, this, [this, id] { dispatch(id); });
    actions_.insert(id, action);
    return action;
}

void CMainFrame::createActions() {
    addCommand(kCmdNew, tr("新規作成(&N)"), tr("新規にドキュメントを作成します\n新規作成"),
               {keys(Qt::CTRL | Qt::Key_N)});
    addCommand(kCmdOpen, tr("開く(&O)..."), tr("既存のドキュメントを開きます\n開く"),
               {keys(Qt::CTRL | Qt::Key_O)});
    addCommand(kCmdClose, tr("閉じる(&C)"), tr("作業中のウィンドウを閉じます\n閉じる"));
    addCommand(kCmdSave, tr("上書き保存(&S)"),
               tr("作業中のドキュメントを上書きして保存します\n保存"),
               {keys(Qt::CTRL | Qt::Key_S)});
    addCommand(kCmdSaveAs, tr("名前をつけて保存(&A)..."),
               tr("作業中のドキュメントを名前をつけて保存します\n名前をつけて保存"),
               {keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    addCommand(kCmdExit, tr("Kyrelの終了(&X)"), tr("Kyrelを終了します\n終了"));
    addCommand(kCmdWindowWaveform, tr("波形"), tr("波形のエディットウィンドウを開きます\n波形"));
    addCommand(kCmdWindowFrequency, tr("周波数"),
               tr("周波数のエディットウィンドウを開きます\n周波数"));
    addCommand(kCmdWindowVolume, tr("音量"), tr("音量のエディットウィンドウを開きます\n音量"));
    addCommand(kCmdWindowPan, tr("定位"), tr("定位のエディットウィンドウを開きます\n定位"));
    addCommand(kCmdUndo, tr("元に戻す(&U)"), tr("直前の編集を元に戻します\n元に戻す"),
               {keys(Qt::CTRL | Qt::Key_Z)});
    addCommand(kCmdRedo, tr("やり直す(&R)"), tr("元に戻した編集をやり直します\nやり直す"),
               {keys(Qt::CTRL | Qt::Key_Y)});
    addCommand(kCmdCopy, tr("コピー(&C)"), tr("選択範囲をクリップボードにコピーします\nコピー"),
               {keys(Qt::CTRL | Qt::Key_C), keys(Qt::CTRL | Qt::Key_Insert)});
    addCommand(kCmdPaste, tr("貼り付け(&P)"), tr("クリップボードの内容を貼り付けます\n貼り付け"),
               {keys(Qt::CTRL | Qt::Key_V), keys(Qt::SHIFT | Qt::Key_Insert)});
    addCommand(kCmdSelectAll, tr("すべて選択(&A)"), tr("曲線全体を選択します\nすべて選択"),
               {keys(Qt::CTRL | Qt::Key_A)});
    addCommand(kCmdToolSelect, tr("選択"), tr("範囲を選択するツール\n選択"), {}, true);
    addCommand(kCmdToolFreehand, tr("フリーハンド"), tr("自由に曲線を描くツール\nフリーハンド"), {},
               true);
    addCommand(kCmdToolLine, tr("ライン"), tr("直線を引くツール\nライン"), {}, true);
    for (int t = 0; t < kTrackCount; ++t) {
        addCommand(kCmdTrack1 + t, tr("トラック %1").arg(t + 1),
                   tr("トラック %1 を編集します\nトラック %1").arg(t + 1),
                   {keys(QKeyCombination(static_cast<Qt::Key>(Qt::Key_1 + t)))}, true);
    }
    addCommand(kCmdTypeValue, tr("値を入力(&V)..."),
               tr("選択範囲（または曲線全体）の値を曲線の単位で入力します\n値を入力"),
               {keys(Qt::CTRL | Qt::Key_E)});
    addCommand(kCmdCopyTrack, tr("トラックのコピー(&K)..."),
               tr("現在のトラックを別のトラックにコピーします\nトラックのコピー"));
    addCommand(kCmdGenerator, tr("波形ジェネレーター(&G)..."),
               tr("波形を計算で作ります\n波形ジェネレーター"), {keys(Qt::CTRL | Qt::Key_G)});
    addCommand(kCmdShowToolbars, tr("ツールバーを表示する(&T)"),
               tr("ツールバーを表示します\nツールバー"));
    addCommand(kCmdStatusBar, tr("ステータスバー(&S)"),
               tr("ステータスバーの表示を切り替えます\nステータスバー"), {}, true);
    addCommand(kCmdStop, tr("停止(&S)"), tr("再生を停止します\n停止"),
               {keys(Qt::CTRL | Qt::Key_L)});
    addCommand(kCmdPlay, tr("再生(&P)"), tr("使用するトラックを再生します\n再生"),
               {keys(Qt::CTRL | Qt::Key_P)});
    addCommand(kCmdPlayEditedTrack, tr("編集トラックの再生(&Q)"),
               tr("現在編集中のトラックのみを再生する\n編集中のトラックを再生"),
               {keys(Qt::CTRL | Qt::Key_Q)});
    addCommand(kCmdCreateWav, tr("Waveファイル作成(&W)..."),
               tr("Waveファイルを作成します\nWaveファイル作成"), {keys(Qt::CTRL | Qt::Key_W)});
    addCommand(kCmdEffectSettings, tr("効果音の設定(&T)..."),
               tr("トラックの音量と使用を設定します\n効果音の設定"), {keys(Qt::CTRL | Qt::Key_T)});
    addCommand(kCmdImport, tr("インポート(&I)..."),
               tr("sfxr-qt (.sfxj) や jsfxr (JSON) の音を読み込みます\nインポート"));
    addCommand(kCmdNormalize, tr("音量を揃える(&N)"),
               tr("今のシードの音がピーク -1 dBFS になるよう音量を揃えます\n音量を揃える"));
    addCommand(kCmdLoopPlay, tr("ループ再生(&L)"),
               tr("停止するまで音を繰り返し再生します\nループ再生"), {}, true);
    addCommand(kCmdWaveSettings, tr("Waveファイルの設定(&D)..."),
               tr("長さと形式を設定します\nWaveファイルの設定"), {keys(Qt::CTRL | Qt::Key_D)});
    addCommand(kCmdCascade, tr("重ねて表示(&C)"), tr("ウィンドウを重ねて表示します\n重ねて表示"));
    addCommand(kCmdTile, tr("並べて表示(&T)"), tr("ウィンドウを並べて表示します\n並べて表示"));
    addCommand(kCmdArrangeIcons, tr("アイコンの整列(&A)"),
               tr("アイコンをウィンドウの下に整列します\nアイコンの整列"));
    addCommand(kCmdHelp, tr("Kyrelのヘルプ(&H)"), tr("ヘルプを表示します\nヘルプ"));
    addCommand(kCmdAbout, tr("Kyrel のバージョン情報(&A)..."),
               tr("プログラムの情報とバージョンを表示します\nバージョン情報"));
    addCommand(kCmdNextPane, tr("次のウィンドウ"),
               tr("次のウィンドウに切り替えます\n次のウィンドウ"), {keys(Qt::Key_F6)});
    addCommand(kCmdPreviousPane, tr("前のウィンドウ"),
               tr("前のウィンドウに切り替えます\n前のウィンドウ"), {keys(Qt::SHIFT | Qt::Key_F6)});
}

void CMainFrame::createMenus() {
    auto fill = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id == 0) {
                menu->addSeparator();
            } else {
                menu->addAction(action(id));
            }
        }
    };
    auto editWindows = [&](QWidget* parent) {
        auto* menu = new QMenu(tr("エディットウィンドウ(&E)"), parent);
        fill(menu, {kCmdWindowWaveform, kCmdWindowFrequency, kCmdWindowVolume, kCmdWindowPan});
        return menu;
    };

    recentMenu_ = new QMenu(tr("最近使ったファイル(&R)"), this);
    connect(recentMenu_, &QMenu::aboutToShow, this, &CMainFrame::listRecentFiles);

    // The full menu of the edit windows.
    auto* file = new QMenu(tr("ファイル(&F)"), this);
    fill(file, {kCmdNew, kCmdOpen, kCmdClose, kCmdSave, kCmdSaveAs, 0, kCmdImport, 0});
    file->addMenu(editWindows(file));
    file->addMenu(recentMenu_);
    fill(file, {0, kCmdExit});
    auto* edit = new QMenu(tr("編集(&E)"), this);
    fill(edit, {kCmdUndo, kCmdRedo, 0, kCmdCopy, kCmdPaste, kCmdSelectAll, 0, kCmdToolSelect,
                kCmdToolFreehand, kCmdToolLine, 0});
    for (int t = 0; t < kTrackCount; ++t) edit->addAction(action(kCmdTrack1 + t));
    fill(edit, {kCmdCopyTrack, 0, kCmdGenerator, kCmdTypeValue});
    auto* view = new QMenu(tr("表示(&V)"), this);
    fill(view, {kCmdShowToolbars, kCmdStatusBar});
    view->addAction(autoPlay_->action());
    view->addSeparator();
    QMenu* language = kit::addLanguageMenu(*view);
    auto* sound = new QMenu("Kyrel(&S)", this);
    fill(sound, {kCmdStop, kCmdPlay, kCmdPlayEditedTrack, kCmdLoopPlay, 0, kCmdCreateWav,
                 kCmdNormalize, kCmdEffectSettings, kCmdWaveSettings});
    auto* window = new QMenu(tr("ウィンドウ(&W)"), this);
    fill(window, {kCmdCascade, kCmdTile, kCmdArrangeIcons});
    // Below the arranging commands, the open edit windows, the current one checked.
    connect(window, &QMenu::aboutToShow, this, [this, window] { listWindows(*window); });
    auto* help = new QMenu(tr("ヘルプ(&H)"), this);
    fill(help, {kCmdHelp, 0, kCmdAbout});
    fullMenus_ = {file, edit, view, sound, presetMenu_, window, help};
    windowMenu_ = window;

    // The short menu while no edit window is open.
    auto* shortFile = new QMenu(tr("ファイル(&F)"), this);
    fill(shortFile, {kCmdNew});
    shortFile->addMenu(editWindows(shortFile));
    fill(shortFile, {kCmdOpen, kCmdImport});
    shortFile->addMenu(recentMenu_);
    fill(shortFile, {0, kCmdExit});
    auto* shortView = new QMenu(tr("表示(&V)"), this);
    fill(shortView, {kCmdShowToolbars, kCmdStatusBar});
    shortView->addAction(autoPlay_->action());
    shortView->addSeparator();
    shortView->addMenu(language);
    auto* shortHelp = new QMenu(tr("ヘルプ(&H)"), this);
    fill(shortHelp, {kCmdHelp, 0, kCmdAbout});
    shortMenus_ = {shortFile, shortView, presetMenu_, shortHelp};

    updateMenuBar();
}

void CMainFrame::updateMenuBar() {
    bool wantShort = true;
    for (int kind = 0; kind < kCurveKindCount; ++kind) {
        if (app_.curveWindow(static_cast<CurveKind>(kind))) wantShort = false;
    }
    if (menuInitialised_ && wantShort == shortMenuShown_) return;
    menuInitialised_ = true;
    shortMenuShown_ = wantShort;
    menuBar()->clear();
    for (QMenu* menu : wantShort ? shortMenus_ : fullMenus_) menuBar()->addMenu(menu);
}

void CMainFrame::listWindows(QMenu& menu) {
    for (QAction* entry : windowEntries_) {
        menu.removeAction(entry);
        entry->deleteLater();
    }
    windowEntries_.clear();
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    windowEntries_ << menu.addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* entry =
            menu.addAction(QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(window == mdiArea_->currentSubWindow());
        connect(entry, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(window)] {
            if (window) mdiArea_->setActiveSubWindow(window);
        });
        windowEntries_ << entry;
    }
}

void CMainFrame::listRecentFiles() {
    recentMenu_->clear();
    int number = 1;
    for (const std::string& path : app_.recentFiles()) {
        const QString name = QString::fromStdString(path);
        QAction* entry = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(name));
        entry->setEnabled(!app_.state().isPlaying());
        connect(entry, &QAction::triggered, this, [this, path] {
            app_.commandOpenRecent(path);
            app_.updateCommandStates();
        });
    }
    if (number == 1) recentMenu_->addAction(tr("（なし）"))->setEnabled(false);
}

void CMainFrame::createToolBars() {
    mainToolBar_ = addToolBar(tr("ツールバー"));
    mainToolBar_->setObjectName("mainToolBar");
    for (int id : std::initializer_list<int>{
             kCmdNew, kCmdOpen, kCmdSave, 0, kCmdUndo, kCmdRedo, 0, kCmdToolSelect,
             kCmdToolFreehand, kCmdToolLine, 0, kCmdGenerator, 0, kCmdStop, kCmdPlay,
             kCmdPlayEditedTrack, kCmdCreateWav, kCmdEffectSettings, kCmdWaveSettings}) {
        if (id == 0) {
            mainToolBar_->addSeparator();
        } else {
            mainToolBar_->addAction(action(id));
        }
    }
    trackToolBar_ = addToolBar(tr("トラック"));
    trackToolBar_->setObjectName("trackToolBar");
    for (int t = 0; t < kTrackCount; ++t) trackToolBar_->addAction(action(kCmdTrack1 + t));
    for (QToolBar* bar : {mainToolBar_, trackToolBar_}) {
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        bar->setMovable(true);
        bar->setIconSize(QSize(24, 24));
    }
}

void CMainFrame::createStatusBar() {
    messagePane_ = new QLabel(this);
    statusBar()->addWidget(messagePane_, 1);
    readoutPane_ = new QLabel(this);
    statusBar()->addPermanentWidget(readoutPane_);
}

QString CMainFrame::readoutText() const {
    return readoutPane_->text();
}

void CMainFrame::setReadoutText(const QString& text) {
    readoutPane_->setText(text);
}

QString CMainFrame::statusText() const {
    return messagePane_->text();
}

void CMainFrame::setStatusText(const QString& text) {
    messagePane_->setText(text);
}

void CMainFrame::tileHorizontally() {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized() && window->isVisible()) windows << window;
    }
    if (windows.isEmpty()) return;
    const QRect area = mdiArea_->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    int top = 0;
    for (int i = 0; i < count; ++i) {
        const int bottom = area.height() * (i + 1) / count;
        if (windows[i]->isMaximized()) windows[i]->showNormal();
        windows[i]->setGeometry(0, top, area.width(), bottom - top);
        top = bottom;
    }
}

void CMainFrame::arrangeIcons() {
    const QRect area = mdiArea_->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) continue;
        window->move(x, area.height() - window->height());
        x += window->width();
    }
}

void CMainFrame::addFileHandlers() {
    handlers_.insert({
        {kCmdNew, [this] { app_.commandNew(); }},
        {kCmdOpen, [this] { app_.commandOpen(); }},
        {kCmdClose,
         [this] {
             if (QMdiSubWindow* window = mdiArea_->activeSubWindow()) window->close();
         }},
        {kCmdSave, [this] { app_.commandSave(); }},
        {kCmdSaveAs, [this] { app_.commandSaveAs(); }},
        {kCmdImport, [this] { app_.commandImport(); }},
        {kCmdExit, [this] { close(); }},
    });
}

void CMainFrame::addEditHandlers() {
    handlers_.insert({
        {kCmdUndo, [this] { app_.editing().undo(); }},
        {kCmdRedo, [this] { app_.editing().redo(); }},
        {kCmdCopy, [this] { app_.editing().copy(); }},
        {kCmdPaste, [this] { app_.editing().paste(); }},
        {kCmdSelectAll, [this] { app_.editing().selectAll(); }},
        {kCmdToolSelect, [this] { app_.setTool(Tool::Select); }},
        {kCmdToolFreehand, [this] { app_.setTool(Tool::Freehand); }},
        {kCmdToolLine, [this] { app_.setTool(Tool::Line); }},
        {kCmdGenerator, [this] { app_.editing().waveformGenerator(); }},
        {kCmdCopyTrack, [this] { app_.commandCopyTrack(); }},
        {kCmdTypeValue,
         [this] {
             if (const CChildFrame* active = app_.activeCurveWindow())
                 app_.commandTypeValue(active->kind());
         }},
    });
    for (int t = 0; t < kTrackCount; ++t)
        handlers_.insert(kCmdTrack1 + t, [this, t] { app_.selectTrack(t); });
}

void CMainFrame::addSoundHandlers() {
    handlers_.insert({
        {kCmdStop,
         [this] {
             loopPlay_->stopped();
             app_.commandStop();
         }},
        {kCmdPlay,
         [this] {
             if (app_.commandPlay()) loopPlay_->played();
         }},
        {kCmdPlayEditedTrack, [this] { app_.commandPlayEditedTrack(); }},
        {kCmdLoopPlay, [] {}},  // LoopPlay follows the item's check mark
        {kCmdCreateWav, [this] { app_.commandCreateWav(); }},
        {kCmdNormalize, [this] { app_.commandNormalize(); }},
        {kCmdEffectSettings, [this] { app_.commandEffectSettings(); }},
        {kCmdWaveSettings, [this] { app_.commandWaveSettings(); }},
    });
}

void CMainFrame::addWindowHandlers() {
    for (int id : {kCmdWindowWaveform, kCmdWindowFrequency, kCmdWindowVolume, kCmdWindowPan})
        handlers_.insert(id, [this, id] { app_.openCurveWindow(id - kCmdWindowWaveform); });
    handlers_.insert({
        {kCmdShowToolbars,
         [this] {
             mainToolBar_->show();
             trackToolBar_->show();
         }},
        {kCmdStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); }},
        {kCmdCascade, [this] { mdiArea_->cascadeSubWindows(); }},
        {kCmdTile, [this] { tileHorizontally(); }},
        {kCmdArrangeIcons, [this] { arrangeIcons(); }},
        {kCmdHelp, [this] { app_.commandHelp(); }},
        {kCmdAbout, [this] { app_.commandAbout(); }},
        {kCmdNextPane, [this] { mdiArea_->activateNextSubWindow(); }},
        {kCmdPreviousPane, [this] { mdiArea_->activatePreviousSubWindow(); }},
    });
}

void CMainFrame::dispatch(int id) {
    // The state may have changed since the last update (a playback that began or ended).
    app_.updateCommandStates();
    if (!action(id)->isEnabled()) return;
    if (const auto handler = handlers_.constFind(id); handler != handlers_.constEnd())
        handler.value()();
    app_.updateCommandStates();
}

void CMainFrame::subWindowActivated(QMdiSubWindow* window) {
    // Qt reports no window while the main window itself is inactive; the current edit window
    // stays current then.
    auto* frame = qobject_cast<CChildFrame*>(window);
    if (frame && frame != currentFrame_) {
        if (currentFrame_) currentFrame_->activationChanged(false);
        currentFrame_ = frame;
        frame->activationChanged(true);
    }
    updateMenuBar();
    app_.updateCommandStates();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (app_.mayCloseMainWindow()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace kyrel
