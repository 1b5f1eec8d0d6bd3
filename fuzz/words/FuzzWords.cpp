// The game's words file: any bytes are read or refused whole; what is read stays within the
// lengths the engine's screens are drawn for.
#include <string>
#include <string_view>

#include "engine/words/Words.h"
#include "fuzz/common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Words words;
    const std::string problem =
        words.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    for (int i = 0; i < static_cast<int>(Word::Count); ++i) {
        const std::string& text = words[static_cast<Word>(i)];
        if (text.size() > kMaxWordBytes) FuzzFailure();
        if (!problem.empty() && text != Words::Default(static_cast<Word>(i))) FuzzFailure();
    }
    return 0;
}
