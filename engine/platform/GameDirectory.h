#pragma once
#include <filesystem>

// The game dunmere plays when the command line names none: the program's own directory when a
// game lies beside the program (its start script ev/START.sc is there), otherwise the sample game
// installed with the kit relative to the program (../share/dunmere/sample-game), so that an
// installed, unpacked or moved tree plays it. With neither, the program's directory, whose
// missing files the engine then reports as usual.
std::filesystem::path DefaultGameDirectory(const std::filesystem::path& programDir);
