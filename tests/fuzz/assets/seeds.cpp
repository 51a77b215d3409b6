// Writes a few small, valid inputs of one kind into a directory, for the fuzz
// targets to start from: the real assets are far too large to fuzz quickly.
//   fuzz_asset_seeds sample|picture|icon <directory>
#include "scene/assets/bmp_file.h"
#include "scene/assets/icon_file.h"
#include "scene/assets/picture_container.h"
#include "scene/assets/sample_container.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace coilrun;
using Bytes = std::vector<std::uint8_t>;

platform::Image picture(int w, int h) {
    platform::Image img;
    img.width = w;
    img.height = h;
    for (int i = 0; i < w * h; ++i)
        img.pixels.push_back(0xff000000u | std::uint32_t(i * 0x251f3d));
    return img;
}

std::vector<Bytes> samples() {
    const Bytes pcm8 = {0x80, 0xa0, 0xc0, 0xa0, 0x80, 0x60, 0x40};
    const Bytes pcm16 = {0x00, 0x00, 0xff, 0x3f, 0x00, 0xc0, 0x00, 0x00};
    const scene::RiffChunk list{{'L', 'I', 'S', 'T'}, {'I', 'N', 'F', 'O', 0}};
    const Bytes wave8 = scene::makeRiffWave(22050, 8, pcm8, std::span(&list, 1));
    const Bytes wave16 = scene::makeRiffWave(44100, 16, pcm16);
    return {scene::writeSampleContainer(wave8), scene::writeSampleContainer(wave16), wave8};
}

std::vector<Bytes> pictures() {
    // A 1 x 1 file is 24-bit with a 4-byte row: the same bytes read as 32-bit top-down.
    Bytes topDown32 = scene::encodeBmp24(picture(1, 1));
    topDown32[28] = 32;
    for (int i = 0; i < 4; ++i)
        topDown32[22 + i] = 0xff;
    return {scene::writePictureContainer(picture(3, 2)), scene::encodeBmp24(picture(2, 2)),
            topDown32};
}

std::vector<Bytes> icons() {
    const platform::Image images[] = {picture(2, 2), picture(1, 1)};
    return {scene::encodeIcon(images)};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s sample|picture|icon <directory>\n", argv[0]);
        return 2;
    }
    const std::string kind = argv[1];
    const std::vector<Bytes> seeds = kind == "sample"    ? samples()
                                     : kind == "picture" ? pictures()
                                     : kind == "icon"    ? icons()
                                                         : std::vector<Bytes>{};
    if (seeds.empty()) {
        std::fprintf(stderr, "unknown kind %s\n", argv[1]);
        return 2;
    }
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const std::string path = std::string(argv[2]) + "/seed" + std::to_string(i);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(seeds[i].data()), std::streamsize(seeds[i].size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
