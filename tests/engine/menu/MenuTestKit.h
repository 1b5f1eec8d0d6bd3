#pragma once
// A small item table and party for the menu tests, and key scripts of spaced presses.
#include <cstring>
#include <string>
#include <vector>

#include "engine/menu/PartyGoods.h"
#include "tests/engine/field/GameDirKit.h"

namespace menukit {

enum : std::int32_t { kPotion = 1, kTonic = 2, kKey = 3 };

// Potion (10 gold, heals one by 30), tonic (100, heals the party), key (a key item).
inline void GiveItemTable(EngineHarness& h) {
    const std::string file = gamedir::Sjis(
        "1,やくそう,10,heal,30,heals 30\n2,Tonic,100,heal-all,50,heals everyone\n"
        "3,Key,0,key,0,opens the gate\n");
    ASSERT_EQ(h.engine.Items.table.Parse(file), "");
}

// Gold and holdings to start from; their trace lines are cleared away by Events.
inline void Give(EngineHarness& h, std::int32_t gold, std::vector<std::pair<int, int>> items) {
    AddGold(h.engine, gold);
    for (const auto& [id, count] : items) AddItems(h.engine, id, count);
}

// The party: slot s holds character s + 1 with `hp[s]` of 50 hit points.
inline void GiveParty(EngineHarness& h, std::vector<std::int32_t> hp) {
    Engine& e = h.engine;
    e.CharacterTable.assign(hp.size() + 1, CharRecord{});
    e.PartyLineup = {0, 0, 0, 0};
    for (std::size_t s = 0; s < hp.size(); ++s) {
        CharRecord& r = e.CharacterTable[s + 1];
        std::strcpy(r.name, ("Hero" + std::to_string(s)).c_str());
        r.hp = hp[s];
        r.maxHp = 50;
        e.PartyLineup[s] = static_cast<std::int32_t>(s + 1);
    }
}

// "shift down ctrl": each key pressed for two frames, ten frames apart, from frame 10.
inline std::string Presses(const std::string& keys) {
    std::string script;
    int frame = 10;
    for (std::size_t start = 0; start < keys.size();) {
        std::size_t end = keys.find(' ', start);
        if (end == std::string::npos) end = keys.size();
        script += std::to_string(frame) + " " + keys.substr(start, end - start) + "\n" +
                  std::to_string(frame + 2) + "\n";
        frame += 10;
        start = end + 1;
    }
    return script;
}

// The trace from `from` on, without frame numbers.
inline std::vector<std::string> Events(const EngineHarness& h, std::size_t from) {
    std::vector<std::string> events;
    for (std::size_t i = from; i < h.Trace().size(); ++i) {
        const std::string& line = h.Trace()[i];
        const std::string event = line.substr(line.find(' ') + 1);
        events.push_back(event.substr(0, event.find("\\n")));
    }
    return events;
}

}  // namespace menukit
