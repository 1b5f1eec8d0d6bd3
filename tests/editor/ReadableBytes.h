#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Bytes written readably: <HH> stands for the byte of that hexadecimal value.
inline std::string bytes(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool hex = text[i] == '<' && i + 3 < text.size() && text[i + 3] == '>';
        out.push_back(hex ? static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), 0, 16))
                          : text[i]);
        if (hex) i += 3;
    }
    return out;
}
