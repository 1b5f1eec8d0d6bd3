// picture: turns a picture written as text into the engine's picture file (a 24-bit BMP), and
// optionally into an enlarged PNG for looking at it.
//   picture IN.txt OUT.qdg [--png OUT.png] [--scale N]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/AtomicFile.h"
#include "tools/picture/Bmp.h"
#include "tools/picture/PictureText.h"

int main(int argc, char** argv) {
    std::string in, out, png;
    int scale = 1;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--png" && i + 1 < argc) {
            png = argv[++i];
        } else if (a == "--scale" && i + 1 < argc) {
            scale = std::atoi(argv[++i]);
        } else if (in.empty()) {
            in = a;
        } else if (out.empty()) {
            out = a;
        } else {
            in.clear();
            break;
        }
    }
    if (in.empty() || out.empty() || scale < 1 || scale > 16) {
        std::fprintf(stderr, "usage: picture IN.txt OUT.qdg [--png OUT.png] [--scale 1..16]\n");
        return 2;
    }
    std::ifstream file(in, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "picture: cannot read %s\n", in.c_str());
        return 1;
    }
    std::stringstream text;
    text << file.rdbuf();
    tools::Picture picture;
    std::string err =
        tools::parsePicture(text.str(), std::filesystem::path(in).parent_path().string(), picture);
    if (!err.empty()) {
        std::fprintf(stderr, "picture: %s: %s\n", in.c_str(), err.c_str());
        return 1;
    }
    auto bmp = tools::encodeBmp(picture);
    if (auto e = kit::writeFileAtomically(out, bmp); !e.empty()) {
        std::fprintf(stderr, "picture: cannot write %s: %s\n", out.c_str(), e.c_str());
        return 1;
    }
    if (!png.empty()) {
        auto bytes = tools::encodePng(picture, scale);
        if (bytes.empty() || !kit::writeFileAtomically(png, bytes).empty()) {
            std::fprintf(stderr, "picture: cannot write %s\n", png.c_str());
            return 1;
        }
    }
    return 0;
}
