#include "resources/jpeg.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
#include <new>
#include <vector>

namespace resources {
namespace {

// Fatal library errors jump back to the decoder instead of ending the process. Warnings are
// counted; running out of data, or reaching a marker before a scan's data is complete, is
// remembered so a cut-off picture, padded out with grey by the library, is not taken for a whole one.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  bool incomplete;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  if (level < 0) {
    if (cinfo->err->msg_code == JWRN_JPEG_EOF || cinfo->err->msg_code == JWRN_HIT_MARKER) err->incomplete = true;
    cinfo->err->num_warnings++;
  }
}

constexpr long kMaxLibraryMemory = 256L << 20;

// Fills `image` from the compressed data; false on any error. Runs under setjmp, so it holds
// no objects with destructors of its own: everything it changes belongs to the caller.
bool Decode(jpeg_decompress_struct* cinfo, ErrorManager* err, const std::string* bytes,
            ui::Image* image, std::vector<JSAMPLE>* row) {
  if (setjmp(err->jump)) return false;
  jpeg_create_decompress(cinfo);
  cinfo->mem->max_memory_to_use = kMaxLibraryMemory;
  jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char*>(bytes->data()),
               static_cast<unsigned long>(bytes->size()));
  if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;
  if (cinfo->image_width == 0 || cinfo->image_height == 0 || cinfo->image_width > unsigned(kMaxJpegSide) ||
      cinfo->image_height > unsigned(kMaxJpegSide) ||
      long(cinfo->image_width) * long(cinfo->image_height) > kMaxJpegPixels)
    return false;

  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(cinfo);
  const int components = cinfo->output_components;
  if (components != (cmyk ? 4 : 3) || err->incomplete) return false;

  *image = ui::Image(int(cinfo->output_width), int(cinfo->output_height));
  row->resize(std::size_t(cinfo->output_width) * components);
  JSAMPROW rows[1] = {row->data()};
  while (cinfo->output_scanline < cinfo->output_height) {
    const int y = int(cinfo->output_scanline);
    if (jpeg_read_scanlines(cinfo, rows, 1) != 1 || err->incomplete) return false;
    std::uint32_t* dst = &image->pixels[std::size_t(y) * image->width];
    const JSAMPLE* src = row->data();
    for (int x = 0; x < image->width; ++x, src += components) {
      std::uint32_t r = src[0], g = src[1], b = src[2];
      if (cmyk) {
        // Files written by Adobe software store CMYK inverted, which is what libjpeg hands back.
        const std::uint32_t k = src[3];
        r = r * k / 255;
        g = g * k / 255;
        b = b * k / 255;
      }
      dst[x] = r << 16 | g << 8 | b;
    }
  }
  jpeg_finish_decompress(cinfo);
  return !err->incomplete;
}

}  // namespace

std::optional<ui::Image> DecodeJpeg(const std::string& bytes) {
  if (bytes.size() < 4) return std::nullopt;
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  ui::Image image;
  std::vector<JSAMPLE> row;
  bool ok = false;
  try {
    ok = Decode(&cinfo, &err, &bytes, &image, &row);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  jpeg_destroy_decompress(&cinfo);
  if (!ok) return std::nullopt;
  return image;
}

}  // namespace resources
