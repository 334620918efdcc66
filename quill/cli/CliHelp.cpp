#include "quill/cli/CliHelp.h"

namespace quill {

std::string CliHelpText() {
  return R"(Usage: quill-cli PICTURE... -o OUT [options]

Turns pictures into chat avatars the way Quill's importer page does: for each
PICTURE (a .bmp, .gif, .jpg/.jpeg, .png or .webp file) a fresh importer loads
it with "Load", the options below move its controls, and one button is
pressed. The result is exactly what the window gives for the same moves.

Output
  -o OUT            with one PICTURE, the file to write (or a folder to write
                    it into, when OUT is one or ends in a slash); with several,
                    a folder (made when missing) that gets one file per
                    picture, named after it: cat.jpg gives OUT/cat.bmp.
  (default)         "Export": OUT is the exported avatar, the clipboard's
                    CF_DIB image (8 bits per pixel, the chat palette) behind a
                    14-byte BMP file header; width and height follow --size.
  --preview         "Preview": the 132 x 132 reduced preview, written the same way.
  --rgb             " Rgb->Clip": the 132 x 132 unpaletted section as a 24-bit BMP.

Controls, applied in this order (whatever the order on the command line),
each as a user moving it; a control already at the value is left alone:
  --resize blocky|normal|reduce|spline
                    "Resize Mode". Without it the start-up filter (bilinear)
                    stays. The selector starts on Blocky, which a click cannot
                    select again, so blocky clicks Normal first, then Blocky.
  --scale N         size slider, 0..1000; the scale is N / 500 (500 is 1.00)
  --scroll X,Y      viewport scroll bars, 0..1000 each
  --section X,Y     section position scroll bars, 0..100 each
  --size W,H        section width and height sliders, 0..50 each: the section
                    is 2 x W + 32 by 2 x H + 32 pixels (50,50 is 132 x 132)
  --brightness N    0..256, 128 is no change
  --contrast N      0..100, 50 is no change
  --saturation N    0..100, 50 is no change
  --shift R,G,B     "Cyan - Red", "Magenta-Green", "Yellow - Blue", 0..256
                    each, 128 is no change
  --background R,G,B
                    background colour sliders, 0..255 each (start 127)
  --flip h|v|hv     checks "H" (mirror left to right), "V" (top to bottom)
  --dither nearest|floyd|stucki|sierra|jajuni|burkes
                    "Export Dither Mode" (start: floyd)
A value may also follow an equals sign: --scale=250. "--" ends the options.

Several pictures
  -j N              converts N pictures at a time (1..64), each in a fresh
                    window of its own, here and in N - 1 worker processes;
                    default: one per processor. -j 1 converts them one after
                    the other. Results, messages (in
                    the order of the pictures) and exit status are the same
                    for every N. While standard error is a terminal, a line
                    such as "12/40 done" there shows the progress.

  -h, --help        this text
  --version         the program's version

Exit status: 0 when every picture was converted; 1 when a picture failed (its
message, the one the window shows, goes to standard error with the picture's
name, and the other pictures are still converted); 2 for a command line that
cannot be run (unknown option, a value outside its control's range, no -o),
with a one-line reason, before anything is converted.

quill-cli writes nothing but OUT: the importer runs in a private temporary
folder (its current directory, where its transient file "avedtemp.bmp" goes)
that is removed at the end.
)";
}

}  // namespace quill
