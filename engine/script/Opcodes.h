#pragma once
// The opcodes of the script instruction classes, by what they do. The numbers are those of the
// script files and never change; the README documents each instruction.
#include <cstdint>

// Class `c`: every script.
enum class CoreOp : std::int8_t {
    Arithmetic = 0,
    Compare = 1,
    Jump = 2,
    JumpIfSet = 3,
    StringRegister = 4,
    Loop = 5,
    PlayEffect = -4,
    SetCharactersActive = -3,
    RunAllEvents = -2,
    ShowFollowingBytes = -1,
};

// Class `e`: the field characters' scripts.
enum class EventOp : std::int8_t {
    EndConversation = 0,
    OwnActor = 1,
    JumpGlobalScript = 2,
};

// Class `f`: the global, event and battle scripts. StartBattle and SavePoint belong to the battle
// and the save system, GameVariable to NextBattleRules to the game state, Item to Shop to the
// items, PartyMember to the battle; each registers its own in the runner's instruction table.
enum class FieldOp : std::int8_t {
    HandToPlayer = 0,
    ShowText = 1,
    LoadCharacterScript = 2,
    ActorProperty = 3,
    ActorPicture = 4,
    PlaceActor = 5,
    CentreCamera = 6,
    StepActor = 7,
    WaitForReader = 8,
    TurnTowards = 9,
    StartBattle = 10,
    CreateActors = 11,
    ShowParty = 12,
    LoadMap = 13,
    StartAnimation = 14,
    SetPartySlot = 15,
    CameraProperty = 16,
    ContinueWithScript = 17,
    Fade = 18,
    RestartCharacterAt = 19,
    IsWalking = 20,
    CameraFollow = 21,
    BattleBackground = 22,
    StopLeader = 23,
    KeepActiveFlags = 24,
    SavePoint = 25,
    // The game state's (engine/game).
    GameVariable = 26,
    GameSwitch = 27,
    Choice = 28,
    FieldMusic = 29,
    NextBattleRules = 30,
    // The party's items and gold (engine/items), the shop, and the party members' figures and
    // the inn (engine/battle).
    Item = 31,
    Gold = 32,
    Shop = 33,
    PartyMember = 34,
};

// Class `a`: the animation players' scripts.
enum class AnimOp : std::int8_t {
    Stop = 0,
    LoadSheet = 1,
    CellProperty = 2,
};
