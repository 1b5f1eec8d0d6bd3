#pragma once
#include <array>
#include <string>
#include <string_view>

struct Engine;

// One sound-effect slot: empty, or holding the buffer of one loaded effect (kept by the platform
// under the slot's number).
struct SoundSlot {
    bool loaded = false;
    std::string name;  // the relative name it was loaded by, e.g. "SE\\cur0"
};

inline constexpr int kSoundSlotCount = 40;
// Slots the game uses by convention: the cursor sound, "SE\\kin", and the scripts' effects.
inline constexpr int kCursorSoundSlot = 0;
inline constexpr int kKinSoundSlot = 1;
inline constexpr int kScriptSoundSlot = 39;

// The music device: open while a piece is playing, and the name last passed to PlayMusic (kept
// after the music stops, so asking again for the same piece changes nothing).
struct MusicState {
    bool open = false;
    std::string currentName;
    static constexpr std::size_t kNameCapacity = 255;  // the name buffer holds 255 bytes + 0
};

// Loads the WAV file "<name>.wav" under the game directory into `slot`. Every failure is reported
// once with its message and leaves the slot unchanged.
bool LoadEffect(Engine& engine, int slot, std::string_view name);

// Plays the slot's effect once from its beginning, restarting it if it is still sounding.
// An empty slot or a slot number out of range plays nothing.
void PlayEffect(Engine& engine, int slot);

// Plays the MIDI file `name` (for example "BGM\\opn.mid") looping endlessly. Asking for the
// current name again changes nothing, even after StopMusic; "null" (a missing file) is silence.
void PlayMusic(Engine& engine, std::string_view name);

// Stops and closes the music if it is open.
void StopMusic(Engine& engine);

// Releases every effect buffer; the slots become empty.
void ReleaseAllEffects(Engine& engine);
