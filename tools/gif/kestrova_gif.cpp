// kestrova-gif OUT.gif DELAY FRAME.png...
// Joins PNG frames into an animated GIF that loops forever, DELAY hundredths of a second per frame. Each frame is
// reduced to 256 colours of its own with giflib's quantizer. Used to make the README's previews.
#include <fcntl.h>
#include <gif_lib.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Rgb {
  int width = 0;
  int height = 0;
  std::vector<GifByteType> red, green, blue;
};

bool ReadPng(const char* path, Rgb& frame) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) return false;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return false;
  frame.width = static_cast<int>(image.width);
  frame.height = static_cast<int>(image.height);
  const std::size_t count = static_cast<std::size_t>(frame.width) * frame.height;
  frame.red.resize(count);
  frame.green.resize(count);
  frame.blue.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    frame.red[i] = pixels[3 * i];
    frame.green[i] = pixels[3 * i + 1];
    frame.blue[i] = pixels[3 * i + 2];
  }
  return true;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "kestrova-gif: %s\n", message.c_str());
  return 1;
}

// The NETSCAPE2.0 application extension: loop forever.
bool AddLoopForever(GifFileType* gif) {
  static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType kLoopForever[] = {1, 0, 0};
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kApplication, kApplication) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kLoopForever, kLoopForever) == GIF_OK &&
         EGifPutExtensionTrailer(gif) == GIF_OK;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return Fail("usage: kestrova-gif OUT.gif DELAY FRAME.png...");
  char* end = nullptr;
  const long delay = std::strtol(argv[2], &end, 10);
  if (*end != '\0' || delay < 1 || delay > 65535) return Fail(std::string("bad delay '") + argv[2] + "'");

  std::vector<Rgb> frames(static_cast<std::size_t>(argc - 3));
  for (int i = 3; i < argc; ++i) {
    Rgb& frame = frames[static_cast<std::size_t>(i - 3)];
    if (!ReadPng(argv[i], frame)) return Fail(std::string("cannot read ") + argv[i]);
    if (frame.width != frames[0].width || frame.height != frames[0].height) {
      return Fail(std::string(argv[i]) + " differs in size from the first frame");
    }
  }

  int error = 0;
  // Opened here rather than by giflib, which would make the file readable by its owner only.
  const int descriptor = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0666);
  GifFileType* gif = descriptor >= 0 ? EGifOpenFileHandle(descriptor, &error) : nullptr;
  if (gif == nullptr) {
    if (descriptor >= 0) close(descriptor);
    return Fail(std::string("cannot create ") + argv[1]);
  }
  const int width = frames[0].width;
  const int height = frames[0].height;
  bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, nullptr) == GIF_OK && AddLoopForever(gif);
  std::vector<GifByteType> indices(static_cast<std::size_t>(width) * height);
  for (Rgb& frame : frames) {
    if (!ok) break;
    int colours = 256;
    ColorMapObject* map = GifMakeMapObject(256, nullptr);
    ok = map != nullptr &&
         GifQuantizeBuffer(static_cast<unsigned>(width), static_cast<unsigned>(height), &colours, frame.red.data(),
                           frame.green.data(), frame.blue.data(), indices.data(), map->Colors) == GIF_OK;
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = static_cast<int>(delay);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK &&
         EGifPutImageDesc(gif, 0, 0, width, height, false, map) == GIF_OK;
    for (int y = 0; ok && y < height; ++y) {
      ok = EGifPutLine(gif, indices.data() + static_cast<std::size_t>(y) * width, width) == GIF_OK;
    }
    GifFreeMapObject(map);
  }
  if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
  if (!ok) {
    std::remove(argv[1]);
    return Fail(std::string("cannot write ") + argv[1]);
  }
  return 0;
}
