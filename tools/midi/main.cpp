// kit-midi: turns music written as note lists into a standard MIDI file.
//   kit-midi IN.notes OUT.mid
#include "tools/common/ConverterMain.h"
#include "tools/midi/NoteList.h"

int main(int argc, char** argv) {
    if (argc != 3) return tools::usageError("kit-midi IN.notes OUT.mid");
    return tools::convertFile("kit-midi", argv[1], argv[2], tools::makeMidi);
}
