// Writes the songs that come with the game into the folder named on the command line.

#include "tools/songs/SmfWriter.h"
#include "tools/songs/Songs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tonefalls-songs OUTPUT_DIR\n");
        return 2;
    }
    const std::filesystem::path out(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(out, error);
    if (error) {
        std::fprintf(stderr, "tonefalls-songs: cannot make %s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    for (const tf::songs::Score& score : tf::songs::ComposeSongs()) {
        const auto bytes = tf::songs::WriteSmf(score);
        std::ofstream file(out / score.fileName, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file.flush()) {
            std::fprintf(stderr, "tonefalls-songs: cannot write %s\n", (out / score.fileName).c_str());
            return 1;
        }
    }
    return 0;
}
