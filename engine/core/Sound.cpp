#include "engine/core/Sound.h"

#include "common/WholeFile.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"
#include "engine/core/WaveFile.h"

namespace {

bool ValidSlot(int slot) {
    return slot >= 0 && slot < kSoundSlotCount;
}

// The limits of the sound buffers the device can make.
bool DeviceAccepts(const WaveFormat& format, std::size_t bytes) {
    return bytes > 0 && format.sampleRate >= 100 && format.sampleRate <= 200000;
}

}  // namespace

bool LoadEffect(Engine& engine, int slot, std::string_view name) {
    if (!ValidSlot(slot)) return false;
    std::string fileName(name);
    fileName += ".wav";
    const auto bytes = kit::readWholeFile(AssetPath(engine, fileName));
    ChargeFileLoad(engine.Scripts, bytes ? bytes->size() : 0, kSoundByteWork);
    if (!bytes) {
        engine.platform.MessageBox({}, Sjis("ファイルオープンに失敗しました"));
        NoteLoadFailure(engine, fileName);
        return false;
    }
    WaveReadResult wave = ReadWave(*bytes);
    if (!wave.error.empty()) {
        ErrorBox(engine, Sjis(wave.error));
        NoteLoadFailure(engine, fileName);
        return false;
    }
    if (!DeviceAccepts(wave.format, wave.data.size()) ||
        !engine.platform.CreateEffect(slot, wave.format, wave.data, name))
        return ErrorBox(engine, Sjis("サウンドバッファの生成に失敗しました"));
    SoundSlot& target = engine.SoundSlots[static_cast<std::size_t>(slot)];
    target.loaded = true;
    target.name = std::string(name);
    return true;
}

void PlayEffect(Engine& engine, int slot) {
    if (!ValidSlot(slot)) return;
    const SoundSlot& effect = engine.SoundSlots[static_cast<std::size_t>(slot)];
    ChargeScriptWork(engine.Scripts, kSoundStartWork);
    if (effect.loaded) engine.platform.PlayEffect(slot, effect.name);
}

void ReleaseAllEffects(Engine& engine) {
    for (int slot = 0; slot < kSoundSlotCount; ++slot) {
        SoundSlot& effect = engine.SoundSlots[static_cast<std::size_t>(slot)];
        if (effect.loaded) engine.platform.ReleaseEffect(slot);
        effect = SoundSlot{};
    }
}

void PlayMusic(Engine& engine, std::string_view name) {
    // The name buffer holds 255 bytes; longer names are compared and kept cut to that.
    name = name.substr(0, std::min(name.size(), MusicState::kNameCapacity));
    if (name == engine.Music.currentName) return;
    engine.Music.currentName = std::string(name);
    if (engine.Music.open) StopMusic(engine);
    engine.platform.OpenMusic(AssetPath(engine, name), name);
    engine.Music.open = true;
}

void StopMusic(Engine& engine) {
    if (!engine.Music.open) return;
    engine.platform.CloseMusic();
    engine.Music.open = false;
}
