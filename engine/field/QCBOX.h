#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Engine;

// The menu window: a list of entries with a cursor picture, in one or two columns, moved with
// the arrow keys. Confirming a choice and reading its value are left to the scene that owns it.
class QCBOX {
  public:
    struct Entry {
        std::int32_t value = 0;
        std::string text;  // Shift-JIS; an entry with an empty text can never be selected
    };

    // Discards the old entries and makes `count` entries with empty texts and value 0.
    void Create(int count);
    // Sets entry `index`; an index outside the entries is reported and changes nothing.
    bool SetItem(Engine& engine, int index, std::string_view text, std::int32_t value);
    // Width and height from the longest text and the entry count.
    void AutoSize();
    // Moves the cursor by d to the nearest entry with a text, wrapping around once.
    void Move(int d);

    void DrawList(Engine& engine) const;  // one column
    void DrawGrid(Engine& engine) const;  // two columns
    void InputList(Engine& engine);       // Up and Down
    void InputGrid(Engine& engine);       // all four arrows

    int Count() const { return static_cast<int>(entries.size()); }
    const Entry* Selected() const {
        return cursor >= 0 && cursor < Count() ? &entries[static_cast<std::size_t>(cursor)]
                                               : nullptr;
    }

    std::vector<Entry> entries;
    std::int32_t x = 0, y = 0;
    std::int32_t width = 0, height = 0;
    std::int32_t extra = 0;
    std::int32_t cursor = 0;

  private:
    // Applies a move made with `key` and the InputTimer and sound rules after it.
    void MoveByKey(Engine& engine, int d, bool justPressed);
};
