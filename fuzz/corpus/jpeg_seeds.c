/* Writes the JPEG seeds of the fuzz corpus with the system's libjpeg, which can
 * do what the Python imaging library cannot: restart markers, 4:4:4 and 4:2:2
 * sampling, arithmetic coding. Built and run by make_corpus.py:
 *   jpeg_seeds <output folder>
 * Each picture is small and odd-sized so partial MCUs at the right and bottom
 * edges are in every seed. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <jpeglib.h>

enum { kWidth = 19, kHeight = 13 };

struct Seed {
  const char* name;
  J_COLOR_SPACE space;
  int components;
  int progressive;
  int restartInterval; /* MCUs */
  int restartRows;
  int hSampling, vSampling; /* of the first component */
  int arithmetic;
  int optimize;
};

static const struct Seed kSeeds[] = {
    {"baseline_420.jpg", JCS_RGB, 3, 0, 0, 0, 2, 2, 0, 0},
    {"baseline_444.jpg", JCS_RGB, 3, 0, 0, 0, 1, 1, 0, 1},
    {"baseline_422.jpg", JCS_RGB, 3, 0, 0, 0, 2, 1, 0, 0},
    {"progressive.jpg", JCS_RGB, 3, 1, 0, 0, 2, 2, 0, 0},
    {"grayscale.jpg", JCS_GRAYSCALE, 1, 0, 0, 0, 1, 1, 0, 0},
    {"grayscale_progressive.jpg", JCS_GRAYSCALE, 1, 1, 0, 0, 1, 1, 0, 0},
    {"cmyk.jpg", JCS_CMYK, 4, 0, 0, 0, 1, 1, 0, 0},
    {"cmyk_progressive.jpg", JCS_CMYK, 4, 1, 0, 0, 1, 1, 0, 0},
    {"restart_every_mcu.jpg", JCS_RGB, 3, 0, 1, 0, 2, 2, 0, 0},
    {"restart_every_row.jpg", JCS_RGB, 3, 0, 0, 1, 1, 1, 0, 0},
    {"restart_progressive.jpg", JCS_RGB, 3, 1, 2, 0, 2, 2, 0, 0},
    {"arithmetic.jpg", JCS_RGB, 3, 0, 0, 0, 2, 2, 1, 0},
};

static void Fill(JSAMPLE* row, int y, int components) {
  for (int x = 0; x < kWidth; ++x)
    for (int c = 0; c < components; ++c)
      row[x * components + c] = (JSAMPLE)((x * 13 + y * 29 + c * 71 + ((x ^ y) & 3) * 40) & 0xFF);
}

static int Write(const char* folder, const struct Seed* seed) {
  char path[4096];
  snprintf(path, sizeof path, "%s/%s", folder, seed->name);
  FILE* out = fopen(path, "wb");
  if (!out) return 1;
  struct jpeg_compress_struct cinfo;
  struct jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, out);
  cinfo.image_width = kWidth;
  cinfo.image_height = kHeight;
  cinfo.input_components = seed->components;
  cinfo.in_color_space = seed->space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 75, TRUE);
  cinfo.comp_info[0].h_samp_factor = seed->hSampling;
  cinfo.comp_info[0].v_samp_factor = seed->vSampling;
  cinfo.restart_interval = (unsigned)seed->restartInterval;
  cinfo.restart_in_rows = seed->restartRows;
  cinfo.arith_code = seed->arithmetic;
  cinfo.optimize_coding = seed->optimize;
  if (seed->progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  JSAMPLE row[kWidth * 4];
  for (int y = 0; y < kHeight; ++y) {
    Fill(row, y, seed->components);
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return fclose(out) != 0;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  int failed = 0;
  for (size_t i = 0; i < sizeof kSeeds / sizeof kSeeds[0]; ++i) failed |= Write(argv[1], &kSeeds[i]);
  return failed;
}
