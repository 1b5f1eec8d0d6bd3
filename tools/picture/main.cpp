// kit-picture: turns a picture written as text into the engine's picture file (a 24-bit BMP), and
// optionally into an enlarged PNG for looking at it.
//   kit-picture IN.pic OUT.qdg [--png OUT.png] [--scale N]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools/common/ConverterMain.h"
#include "tools/picture/Bmp.h"
#include "tools/picture/PictureText.h"

namespace {

constexpr const char* kTool = "kit-picture";

struct Arguments {
    std::string in, out, png;
    int scale = 1;
};

bool parseArguments(int argc, char** argv, Arguments& args) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--png" && i + 1 < argc) {
            args.png = argv[++i];
        } else if (a == "--scale" && i + 1 < argc) {
            args.scale = std::atoi(argv[++i]);
        } else if (args.in.empty()) {
            args.in = a;
        } else if (args.out.empty()) {
            args.out = a;
        } else {
            return false;
        }
    }
    return !args.in.empty() && !args.out.empty() && args.scale >= 1 && args.scale <= 16;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!parseArguments(argc, argv, args))
        return tools::usageError("kit-picture IN.pic OUT.qdg [--png OUT.png] [--scale 1..16]");
    tools::Picture picture;
    const int status = tools::convertFile(
        kTool, args.in, args.out, [&](const std::string& text, std::vector<std::uint8_t>& out) {
            const auto folder = std::filesystem::path(args.in).parent_path().string();
            std::string error = tools::parsePicture(text, folder, picture);
            if (error.empty()) out = tools::encodeBmp(picture);
            return error;
        });
    if (status != 0 || args.png.empty()) return status;
    const auto png = tools::encodePng(picture, args.scale);
    if (png.empty()) {
        std::fprintf(stderr, "%s: cannot write %s\n", kTool, args.png.c_str());
        return tools::kConversionFailed;
    }
    return tools::writeOutputFile(kTool, args.png, png);
}
