// kestrova-art OUT_DIR SOURCE...
//
// Generates the savers' bitmaps from their art sources: every image of every source becomes OUT_DIR/<id>.bmp.
// All sources are read and checked before anything is written, so a bad source leaves OUT_DIR untouched.
// Exit codes: 0 done, 1 a source or an output file failed, 2 bad command line.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tools/art/art_source.h"
#include "tools/art/raster.h"

namespace {

namespace fs = std::filesystem;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

const char kUsage[] =
    "usage: kestrova-art OUT_DIR SOURCE...\n"
    "Writes OUT_DIR/<id>.bmp, a 24-bit bitmap, for every image of every art source.\n";

struct LoadedSource {
  std::string path;
  art::ArtSource art;
};

bool ReadWholeFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteWholeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool LoadSources(const std::vector<std::string>& paths, std::vector<LoadedSource>& sources) {
  std::set<int> ids;
  for (const std::string& path : paths) {
    std::string text;
    if (!ReadWholeFile(path, text)) {
      std::fprintf(stderr, "kestrova-art: cannot read %s\n", path.c_str());
      return false;
    }
    art::ParseResult parsed = art::ParseArtSource(text, path);
    if (!parsed.ok) {
      std::fprintf(stderr, "kestrova-art: %s\n", parsed.error.c_str());
      return false;
    }
    for (const art::ArtImage& image : parsed.source.images) {
      if (!ids.insert(image.id).second) {
        std::fprintf(stderr, "kestrova-art: %s:%d: image %d is also in another source\n", path.c_str(), image.line,
                     image.id);
        return false;
      }
    }
    sources.push_back({path, std::move(parsed.source)});
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc < 3) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }

  const fs::path outDir = argv[1];
  std::vector<LoadedSource> sources;
  if (!LoadSources(std::vector<std::string>(argv + 2, argv + argc), sources)) return kExitFailure;

  std::error_code error;
  fs::create_directories(outDir, error);
  if (error || !fs::is_directory(outDir)) {
    std::fprintf(stderr, "kestrova-art: cannot make the folder %s\n", outDir.string().c_str());
    return kExitFailure;
  }

  int written = 0;
  for (const LoadedSource& source : sources) {
    for (const art::ArtImage& image : source.art.images) {
      const fs::path out = outDir / (std::to_string(image.id) + ".bmp");
      if (!WriteWholeFile(out, art::EncodeBmp(art::Rasterise(source.art, image)))) {
        std::fprintf(stderr, "kestrova-art: cannot write %s\n", out.string().c_str());
        return kExitFailure;
      }
      ++written;
    }
  }
  std::printf("kestrova-art: wrote %d bitmap%s to %s\n", written, written == 1 ? "" : "s", outDir.string().c_str());
  return 0;
}
