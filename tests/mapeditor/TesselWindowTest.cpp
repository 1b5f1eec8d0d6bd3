// Tessel's window driven by real mouse and key events on the sample's maps.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QQueue>
#include <QSettings>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>

#include "common/WholeFile.h"
#include "engine/platform/headless/EngineHarness.h"
#include "mapeditor/core/SoundDevice.h"
#include "mapeditor/ui/DoorDialog.h"
#include "mapeditor/ui/MapCanvas.h"
#include "mapeditor/ui/MapSettingsDialog.h"
#include "mapeditor/ui/TesselDialogs.h"
#include "mapeditor/ui/TesselWindow.h"
#include "mapeditor/ui/TilePalette.h"
#include "mapeditor/ui/WorldView.h"
#include "tests/support/WindowTexts.h"

namespace {

using namespace tessel;
namespace fs = std::filesystem;

// Answers the window's questions from queues; a question with no answer fails the test.
struct FakeDialogs : TesselDialogs {
    QQueue<SaveAnswer> saveAnswers;
    QQueue<QString> files;
    QQueue<MapSettings> settings;
    QQueue<Door> doors;
    QStringList messages;
    int unexpected = 0;

    SaveAnswer askSaveChanges(const QString&) override {
        return take(saveAnswers, SaveAnswer::Cancel);
    }
    void showMessage(const QString& text, bool) override { messages << text; }
    QString openMapFile(const QString&) override { return take(files, QString()); }
    QString saveMapFile(const QString&, const QString&) override { return take(files, QString()); }
    QString gameDirectory(const QString&) override { return take(files, QString()); }
    std::optional<MapSettings> mapSettings(const MapSettings&, bool) override {
        if (settings.isEmpty()) return take(settings, MapSettings{}), std::nullopt;
        return settings.dequeue();
    }
    std::optional<Door> doorTo(const GameFolder&, const Door& start) override {
        if (doors.isEmpty()) return take(doors, Door{}), std::nullopt;
        Door door = doors.dequeue();
        door.mark = start.mark;
        return door;
    }
    template <typename T>
    T take(QQueue<T>& queue, T fallback) {
        if (queue.isEmpty()) return ++unexpected, fallback;
        return queue.dequeue();
    }
};

class TesselWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Settings go to the test's own directory, never the user's.
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString((game_.gameDir / "settings").string()));
        for (const char* dir : {"Mt", "Smt"})
            fs::copy(fs::path(SAMPLE_GAME_DIR) / dir, game_.gameDir / dir,
                     fs::copy_options::recursive);
        window_ = std::make_unique<TesselWindow>(dialogs_,
                                                 [this](const QString& p, const QStringList& a) {
                                                     launched_ << p << a;
                                                     return true;
                                                 });
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        ASSERT_TRUE(window_->openMapFile(path("Mt/village.qd")));
        QCoreApplication::processEvents();  // the first map's tab takes its place above the map
    }
    void TearDown() override {
        EXPECT_EQ(dialogs_.unexpected, 0) << "a question came that the test did not answer";
        window_->model().undoStack().setClean();  // closing asks nothing
        window_.reset();
    }

    QString path(const char* relative) const {
        return QString::fromStdString((game_.gameDir / relative).string());
    }
    std::vector<std::uint8_t> bytes(const char* relative) const {
        return kit::readWholeFile(game_.gameDir / relative).value_or(std::vector<std::uint8_t>{});
    }
    MapCanvas* canvas() const { return window_->canvas(); }
    const TileMap& map() const { return window_->model().map(); }
    QPoint at(int column, int row) const {
        const int cell = 16 * canvas()->zoom();
        return QPoint(column * cell + cell / 2, row * cell + cell / 2);
    }
    // What F9 adds to the game's command line after the mouse was on (column, row).
    static QStringList fromCell(const char* map, int column, int row) {
        QStringList args{"--start-map", map, "--at", QStringLiteral("%1,%2").arg(column).arg(row)};
        if (!hasSoundDevice(SoundPlaces::ofThisMachine())) args << "--mute";
        return args;
    }
    void key(const QKeySequence& sequence) { QTest::keySequence(window_.get(), sequence); }
    // Press on the first cell, move through the others, release on the last.
    void gesture(const std::vector<QPoint>& cells) {
        QTest::mousePress(canvas(), Qt::LeftButton, {}, at(cells.front().x(), cells.front().y()));
        for (const QPoint& c : cells) QTest::mouseMove(canvas(), at(c.x(), c.y()));
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, at(cells.back().x(), cells.back().y()));
    }
    void pickInPalette(int from, int to) {
        TilePalette* palette = window_->palette();
        QTest::mousePress(palette, Qt::LeftButton, {}, palette->centreOf(from));
        QTest::mouseMove(palette, palette->centreOf(to));
        QTest::mouseRelease(palette, Qt::LeftButton, {}, palette->centreOf(to));
    }

    EngineHarness game_;
    FakeDialogs dialogs_;
    QStringList launched_;
    std::unique_ptr<TesselWindow> window_;
};

// One gesture of each tool family on the ground of the village, with tile 5 as the brush.
struct ToolCase {
    const char* key;
    std::vector<QPoint> cells;
    QPoint probe;
    int ground;  // the probed cell's ground tile afterwards
};
const ToolCase kToolCases[] = {
    {"P", {{2, 2}, {3, 2}, {4, 2}}, {3, 2}, 5},  // pencil stroke
    {"R", {{2, 5}, {3, 6}}, {3, 6}, 5},          // rectangle
    {"F", {{1, 2}}, {1, 6}, 5},                  // flood fill over the connected grass
    {"E", {{1, 1}}, {1, 1}, 0},                  // eraser on a tree
    {"I", {{10, 2}}, {10, 2}, 2},                // eyedropper takes the road's tile 2...
    {"P", {{6, 12}}, {6, 12}, 2},                // ...which the pencil then paints
};

TEST_F(TesselWindowTest, EachToolEditsTheActiveLayerAndUndoRedoWalkAcrossThem) {
    const TileMap original = map();
    pickInPalette(5, 5);
    for (const ToolCase& c : kToolCases) {
        key(QKeySequence(QString::fromLatin1(c.key)));
        gesture(c.cells);
        EXPECT_EQ(map().at(0, c.probe.x(), c.probe.y()), c.ground) << c.key;
    }
    EXPECT_EQ(window_->model().undoStack().count(), 5) << "one step per gesture, none for I";
    const TileMap edited = map();
    EXPECT_TRUE(window_->isWindowModified());
    for (int i = 0; i < 5; ++i) key(QKeySequence::Undo);
    EXPECT_EQ(map(), original);
    EXPECT_FALSE(window_->isWindowModified()) << "back where the file is";
    for (int i = 0; i < 5; ++i) key(QKeySequence(QStringLiteral("Ctrl+Y")));
    EXPECT_EQ(map(), edited);
}

TEST_F(TesselWindowTest, EscapeClearsTheSelection) {
    key(QKeySequence(QStringLiteral("S")));
    gesture({{2, 2}, {4, 3}});
    EXPECT_EQ(window_->model().selection(), (TileRect{2, 2, 3, 2}));
    key(QKeySequence(Qt::Key_Escape));
    EXPECT_TRUE(window_->model().selection().empty());
    key(QKeySequence::Delete);
    EXPECT_EQ(window_->model().undoStack().count(), 0) << "nothing selected, nothing deleted";
}

// Each tab keeps its map's changes and undo history: Undo in one never reaches another's edit.
TEST_F(TesselWindowTest, MapsOpenInTabsEachWithItsOwnUndo) {
    const TileMap village = map();
    ASSERT_TRUE(window_->openMapFile(path("Mt/forest.qd")));
    QTabBar* tabs = window_->tabs();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), QStringLiteral("forest"));
    const auto clickTab = [&](int index) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    };
    const TileMap forest = map();
    key(QKeySequence(QStringLiteral("E")));
    gesture({{1, 1}});
    const TileMap forestEdited = map();
    clickTab(0);  // no question: the forest keeps its change in its tab
    EXPECT_EQ(map(), village);
    gesture({{1, 1}});
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("village *"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("forest *"));
    key(QKeySequence::Undo);
    key(QKeySequence::Undo);  // nothing left to undo here
    EXPECT_EQ(map(), village);
    EXPECT_FALSE(window_->isWindowModified());
    clickTab(1);
    EXPECT_EQ(map(), forestEdited);
    EXPECT_TRUE(window_->isWindowModified());
    key(QKeySequence::Undo);
    EXPECT_EQ(map(), forest);
    key(QKeySequence(QStringLiteral("Ctrl+Y")));
    EXPECT_EQ(map(), forestEdited);

    // Closing a changed tab asks first; the last tab stays.
    const auto closeTab = [&](int index) {
        QTest::mouseClick(tabs->tabButton(index, QTabBar::RightSide), Qt::LeftButton);
    };
    dialogs_.saveAnswers.enqueue(SaveAnswer::Cancel);
    closeTab(1);
    EXPECT_EQ(tabs->count(), 2);
    dialogs_.saveAnswers.enqueue(SaveAnswer::Discard);
    closeTab(1);
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(window_->model().document().name(), "village");
    closeTab(0);
    EXPECT_EQ(tabs->count(), 1);
    ASSERT_TRUE(window_->openMapFile(path("Mt/forest.qd")));
    EXPECT_EQ(map(), forest) << "opened afresh after its tab was closed";
    ASSERT_TRUE(window_->openMapFile(path("Mt/village.qd")));
    EXPECT_EQ(tabs->count(), 2) << "a map opened again has its tab already";

    // Quitting asks about each changed map, each shown as it is asked about.
    gesture({{1, 1}});
    clickTab(1);
    gesture({{1, 1}});
    dialogs_.saveAnswers.enqueue(SaveAnswer::Discard);
    dialogs_.saveAnswers.enqueue(SaveAnswer::Discard);
    EXPECT_TRUE(window_->close());
    EXPECT_TRUE(dialogs_.saveAnswers.isEmpty());
}

TEST_F(TesselWindowTest, DoorDialogTakesTheMapAndTheClickedArrivalCell) {
    DoorDialog dialog(GameFolder{game_.gameDir}, Door{3, "", 0, 0, 0, 0});
    dialog.show();
    auto* maps = dialog.findChild<QComboBox*>(QStringLiteral("doorMap"));
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ASSERT_TRUE(maps && ok);
    maps->setCurrentIndex(maps->findText(QStringLiteral("forest")));
    EXPECT_FALSE(ok->isEnabled()) << "no arrival cell yet";
    QTest::mouseClick(dialog.target(), Qt::LeftButton, {}, dialog.target()->centreOf(4, 5));
    dialog.findChild<QComboBox*>(QStringLiteral("doorFacing"))->setCurrentIndex(2);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.door(), (Door{3, "forest", 4, 5, 2, 8}));
}

TEST_F(TesselWindowTest, DoorOnAMarkIsListedDrawnSavedAndUndone) {
    QPoint marked(-1, -1);
    for (int r = 0; r < map().height && marked.x() < 0; ++r)
        for (int c = 0; c < map().width && marked.x() < 0; ++c)
            if (map().at(2, c, r) & kMarkBits) marked = QPoint(c, r);
    ASSERT_GE(marked.x(), 0) << "the village has a marked cell";
    const int mark = map().at(2, marked.x(), marked.y()) & kMarkBits;
    auto* marks = window_->findChild<QListWidget*>(QStringLiteral("marksList"));
    ASSERT_TRUE(marks && marks->count() > 0);
    const auto line = [&] {
        for (int i = 0; i < marks->count(); ++i)
            if (marks->item(i)->data(Qt::UserRole).toInt() == mark) return marks->item(i);
        return marks->item(0);
    };
    EXPECT_EQ(marks->item(0)->foreground().color(), QColor(Qt::red)) << "no ev/START: no label";

    key(QKeySequence(QStringLiteral("S")));
    gesture({marked});
    dialogs_.doors.enqueue(Door{0, "forest", 4, 5, 2, 8});
    key(QKeySequence(QStringLiteral("Ctrl+D")));
    ASSERT_NE(FindDoor(window_->model().document().doors.doors, mark), nullptr);
    EXPECT_TRUE(line()->text().contains(QStringLiteral("door to forest")));
    EXPECT_TRUE(window_->isWindowModified());
    key(QKeySequence::Undo);
    EXPECT_TRUE(window_->model().document().doors.doors.empty());
    key(QKeySequence(QStringLiteral("Ctrl+Y")));
    key(QKeySequence::Save);
    const auto table = ParseDoorTable(bytes("Mt/village.dr"));
    ASSERT_TRUE(std::holds_alternative<std::vector<Door>>(table));
    EXPECT_EQ(std::get<std::vector<Door>>(table),
              (std::vector<Door>{{mark, "forest", 4, 5, 2, 8}}));

    // The world view draws the door as an arrow, and opens a map on a double click.
    ASSERT_EQ(window_->world()->arrows().size(), 1u);
    EXPECT_EQ(window_->world()->arrows()[0].to, QStringLiteral("forest"));
    const QRect forest = window_->world()->boxOf(QStringLiteral("forest"));
    EXPECT_TRUE(forest.contains(window_->world()->arrows()[0].end.toPoint()));
    QTest::mouseDClick(window_->world(), Qt::LeftButton, {}, forest.center());
    EXPECT_EQ(window_->model().document().name(), "forest");

    // Opened again, the door comes from its file; Enter (or a double click) on its line offers
    // the dialog, whose "Remove door" answers with no map.
    ASSERT_TRUE(window_->openMapFile(path("Mt/village.qd")));
    ASSERT_EQ(window_->model().document().doors.doors.size(), 1u);
    dialogs_.doors.enqueue(Door{});
    marks->setCurrentItem(line());
    QTest::keyClick(marks, Qt::Key_Return);
    EXPECT_TRUE(window_->model().document().doors.doors.empty());
}

TEST_F(TesselWindowTest, PaletteBlockPaintsABlockAndMarksShowTheirEvent) {
    pickInPalette(0x21, 0x32);  // a 2 x 2 block of the sheet
    key(QKeySequence(QStringLiteral("P")));
    gesture({{20, 16}});
    EXPECT_EQ((std::array{map().at(0, 20, 16), map().at(0, 21, 16), map().at(0, 20, 17),
                          map().at(0, 21, 17)}),
              (std::array<std::uint8_t, 4>{0x21, 0x22, 0x31, 0x32}));

    const std::uint8_t ground = map().at(0, 4, 4);
    key(QKeySequence(QStringLiteral("Ctrl+3")));  // the marks layer
    pickInPalette(7, 7);
    gesture({{4, 4}});
    EXPECT_EQ(map().at(2, 4, 4), 7);
    EXPECT_EQ(map().at(0, 4, 4), ground) << "the ground is left alone";
    QTest::mouseMove(canvas(), at(4, 4));
    EXPECT_TRUE(window_->statusText().contains(QStringLiteral("marks 7 (PLC6)")))
        << window_->statusText().toStdString();
    EXPECT_TRUE(
        window_->statusText().contains(QStringLiteral("f 5: P0 = 4, P1 = 4 | x 72, y 290")));
}

TEST_F(TesselWindowTest, BlockingIsSwitchedInThePaletteSavedAndUndone) {
    const auto original = bytes("Smt/sMat0.qd");
    EXPECT_FALSE(window_->model().document().attributes.blocks(0));
    auto* editBlocks = window_->findChild<QCheckBox*>(QStringLiteral("editBlocks"));
    QTest::mouseClick(editBlocks, Qt::LeftButton, {}, QPoint(8, editBlocks->height() / 2));
    QTest::mouseClick(window_->palette(), Qt::LeftButton, {}, window_->palette()->centreOf(0));
    EXPECT_TRUE(window_->model().document().attributes.blocks(0));
    EXPECT_TRUE(window_->isWindowModified());
    key(QKeySequence::Save);
    EXPECT_EQ(bytes("Smt/sMat0.qd")[0], original[0] | 0x20);
    key(QKeySequence::Undo);
    key(QKeySequence::Save);
    EXPECT_EQ(bytes("Smt/sMat0.qd"), original);
    EXPECT_EQ(bytes("Mt/village.qd"),
              kit::readWholeFile(fs::path(SAMPLE_GAME_DIR) / "Mt/village.qd"));
}

TEST_F(TesselWindowTest, MapSettingsResizeAroundTheAnchorAndChangeTheTileSet) {
    const TileMap original = map();
    dialogs_.settings.enqueue(MapSettings{24, 17, Anchor::BottomRight, 0});
    key(QKeySequence(QStringLiteral("Ctrl+M")));
    ASSERT_EQ(map().width, 24);
    ASSERT_EQ(map().height, 17);
    EXPECT_EQ(map().at(0, 2, 0), original.at(0, 0, 1)) << "right: 2 columns in, bottom: 1 row lost";
    EXPECT_EQ(map().at(0, 0, 0), 0);
    EXPECT_EQ(map().at(1, 1, 5), 0xFF) << "new cells are empty";
    dialogs_.settings.enqueue(MapSettings{24, 17, Anchor::TopLeft, 1});
    key(QKeySequence(QStringLiteral("Ctrl+M")));
    EXPECT_EQ(map().tileSet, 1);
    EXPECT_FALSE(window_->model().document().sheetProblem.empty()) << "the sample has no set 1";
    key(QKeySequence::Undo);
    key(QKeySequence::Undo);
    EXPECT_EQ(map(), original);
}

TEST_F(TesselWindowTest, SelectionMovesAndIsCopiedAndPasted) {
    key(QKeySequence(QStringLiteral("S")));
    gesture({{6, 7}, {7, 7}});  // the sign and the grass right of it
    const std::uint8_t sign = map().at(0, 6, 7), mark = map().at(2, 6, 7);
    key(QKeySequence::Copy);
    gesture({{2, 12}});
    key(QKeySequence::Paste);
    EXPECT_EQ(map().at(0, 2, 12), sign);
    EXPECT_EQ(map().at(2, 2, 12), mark) << "all four layers go with the selection";
    gesture({{2, 12}, {3, 13}});  // drag from inside the selection: a move
    EXPECT_EQ(map().at(0, 3, 13), sign);
    EXPECT_EQ(map().at(0, 2, 12), 0);
    EXPECT_EQ(map().at(2, 2, 12), 0);
    key(QKeySequence::Undo);
    EXPECT_EQ(map().at(0, 2, 12), sign);
}

TEST_F(TesselWindowTest, ChangesAreNotLostAndF9SavesAndPlays) {
    key(QKeySequence(QStringLiteral("E")));
    gesture({{1, 1}});
    EXPECT_TRUE(window_->windowTitle().startsWith(QStringLiteral("village")));
    EXPECT_TRUE(window_->isWindowModified());
    // Another map opens in a tab of its own; the village keeps its change in its tab.
    dialogs_.files.enqueue(path("Mt/forest.qd"));
    key(QKeySequence::Open);
    EXPECT_EQ(window_->model().document().name(), "forest");
    ASSERT_TRUE(window_->openMapFile(path("Mt/village.qd")));
    EXPECT_TRUE(window_->isWindowModified());
    QTest::mouseMove(canvas(), at(2, 2));  // the cell F9 starts on is the one on this map
    QTest::mouseMove(canvas(), at(1, 1));
    key(QKeySequence(Qt::Key_F9));
    EXPECT_EQ(launched_.mid(1),
              (QStringList{"--game-dir", QString::fromStdString(game_.gameDir.string())} +
               fromCell("village", 1, 1)));
    EXPECT_FALSE(window_->isWindowModified());
    EXPECT_EQ(bytes("Mt/village.qd")[5 + 22 + 1], 0) << "saved before the game started";
}

TEST_F(TesselWindowTest, ZoomRecentFilesAndDamagedMaps) {
    const int start = canvas()->zoom();
    QWheelEvent wheel(at(1, 1), canvas()->mapToGlobal(at(1, 1)), {}, {0, 120}, Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas(), &wheel);
    EXPECT_EQ(canvas()->zoom(), start + 1);
    for (int i = 0; i < 10; ++i) key(QKeySequence(QStringLiteral("Ctrl+=")));
    EXPECT_EQ(canvas()->zoom(), kMaxZoom);
    EXPECT_EQ(canvas()->width(), map().width * 16 * kMaxZoom);

    auto cut = bytes("Mt/forest.qd");
    cut.resize(cut.size() - 10);
    game_.WriteFile("Mt\\cut.qd", cut);
    EXPECT_TRUE(window_->openPath(path("MT/CUT.QD")));  // found ignoring letter case
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_TRUE(dialogs_.messages[0].contains(QStringLiteral("10 bytes are missing")));
    EXPECT_EQ(map().layers.back(), 0xFF);
    EXPECT_EQ(window_->recentFiles().mid(0, 2),
              (QStringList{path("Mt/cut.qd"), path("Mt/village.qd")}));
}

// A game's source folder: Tessel starts on the game's first map (not the battle map NO), draws
// the sheet from its picture text, saves a text map only as Tessel's own file and plays the
// folder through kit-game.
TEST_F(TesselWindowTest, OpensASourceFolderOnItsFirstMap) {
    const fs::path src = game_.gameDir / "src";
    for (const char* file : {"Mt/NO.map", "Mt/village.map", "Smt/map0.pic", "Smt/sMat0.attr",
                             "ev/START.src", "pic/parts/palette.inc"}) {
        fs::create_directories((src / file).parent_path());
        fs::copy_file(fs::path(SAMPLE_SOURCE_DIR) / file, src / file);
    }
    ASSERT_TRUE(window_->openPath(QString::fromStdString(src.string())));
    EXPECT_EQ(window_->model().document().name(), "village");
    const MapRead built =
        readTileMap(kit::readWholeFile(fs::path(SAMPLE_GAME_DIR) / "Mt/village.qd")
                        .value_or(std::vector<std::uint8_t>{}));
    ASSERT_TRUE(built.map);
    EXPECT_EQ(map(), *built.map) << "the text map reads as kit-game builds it";
    EXPECT_FALSE(window_->model().document().sheet.Empty());
    EXPECT_TRUE(dialogs_.messages.isEmpty()) << dialogs_.messages.join("\n").toStdString();

    key(QKeySequence(QStringLiteral("E")));
    gesture({{1, 1}});
    const QString saved = QString::fromStdString((src / "Mt/village.qd").string());
    dialogs_.files.enqueue(saved);  // Save asks for the name of Tessel's own file
    key(QKeySequence(Qt::Key_F9));
    EXPECT_EQ(launched_.mid(1), (QStringList{"play", QString::fromStdString(src.string())} +
                                 fromCell("village", 1, 1)));
    EXPECT_TRUE(launched_.value(0).endsWith(QStringLiteral("kit-game")));
    EXPECT_TRUE(fs::exists(src / "Mt/village.qd"));
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_TRUE(dialogs_.messages[0].contains(QStringLiteral("village.map holds this map")));
}

// The window in one language, with the dialogs it opens without asking the user.
template <kit::UiLanguage language>
class TesselIn : public TesselWindowTest {
  protected:
    // Every text of the window and its map settings and door dialogs.
    QStringList texts() {
        QStringList found = kit::testing::shownTexts(*window_);
        MapSettingsDialog settings(MapSettings{}, true);
        DoorDialog door(GameFolder{game_.gameDir}, Door{3, "", 0, 0, 0, 0});
        return found + kit::testing::shownTexts(settings) + kit::testing::shownTexts(door);
    }
    kit::testing::ScopedUiLanguage translations_{QStringLiteral("tessel"), language};
};
using TesselInEnglish = TesselIn<kit::UiLanguage::English>;
using TesselInJapanese = TesselIn<kit::UiLanguage::Japanese>;

TEST_F(TesselInEnglish, ShowsNoJapanese) {
    QStringList found = texts();
    found.removeIf([](const QString& text) { return !kit::testing::hasJapanese(text); });
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1String(" | ")).toStdString();
}

TEST_F(TesselInJapanese, MenusDialogsAndQtsOwnButtonsAreJapanese) {
    // Every entry of every menu but the recent files (file names) and "English".
    std::function<void(QMenu*)> check = [&](QMenu* menu) {
        if (menu->objectName() == QLatin1String("recentFiles")) return;
        EXPECT_TRUE(kit::testing::hasJapanese(menu->title())) << menu->title().toStdString();
        for (QAction* action : menu->actions()) {
            if (action->menu()) {
                check(action->menu());
            } else if (!action->isSeparator() && action->text() != QLatin1String("English")) {
                EXPECT_TRUE(kit::testing::hasJapanese(action->text()))
                    << action->text().toStdString();
            }
        }
    };
    for (QAction* action : window_->menuBar()->actions()) check(action->menu());
    EXPECT_TRUE(texts().contains(QStringLiteral("キャンセル")));  // Qt's own button
}

}  // namespace

// The window tests need a QApplication but no display (each test points QSettings elsewhere).
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
