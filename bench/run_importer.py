#!/usr/bin/env python3
"""Times the importer bench, then quill-cli against djpeg on a 12-megapixel JPEG.

Usage: run_importer.py BUILD_DIR PHOTO_JPG [--runs N]

The pictures are made from the sample photo with ImageMagick (scaled to
4000 x 3000 with a little fixed-seed noise, so that the file decodes like a
camera's, and a 132 x 132 crop), both at quality 90, 4:2:0. quill-cli exports
the 12-megapixel file with its default settings (load, rescale at 1.00,
section refresh, reduction, BMP file); djpeg decodes the same file with its
default settings (those the importer uses too) and writes the pixels to
/dev/null, so that its side is the decode alone. Both are timed as processor time (user + system) of the child process,
best of several runs, one after the other in this one command.
"""
import os
import resource
import subprocess
import sys
import tempfile


def child_seconds(args):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def best(args, runs):
    return min(child_seconds(args) for _ in range(runs))


def main():
    build, photo = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[sys.argv.index("--runs") + 1]) if "--runs" in sys.argv else 5
    with tempfile.TemporaryDirectory() as tmp:
        big = os.path.join(tmp, "photo-12mp.jpg")
        small = os.path.join(tmp, "photo-132.jpg")
        subprocess.run(["convert", photo, "-resize", "4000x3000!", "-seed", "1", "-attenuate", "0.4",
                        "+noise", "Gaussian", "-quality", "90", "-sampling-factor", "2x2", big], check=True)
        subprocess.run(["convert", photo, "-resize", "132x132^", "-gravity", "center", "-extent", "132x132",
                        "-quality", "90", "-sampling-factor", "2x2", small], check=True)
        sys.stdout.flush()
        subprocess.run([os.path.join(build, "bench", "importer_bench"), small, big, "--runs", str(runs)],
                       check=True)
        cli = best([os.path.join(build, "quill", "app", "quill-cli"), big, "-o", os.path.join(tmp, "out.bmp")],
                   runs)
        djpeg = best(["djpeg", "-outfile", os.devnull, big], runs)
        print(f"quill-cli export of the 12-megapixel JPEG  {cli * 1000:9.1f} ms")
        print(f"djpeg decode of the same file              {djpeg * 1000:9.1f} ms")
        print(f"quill-cli / djpeg                          {cli / djpeg:9.2f}x  (best of {runs})")


if __name__ == "__main__":
    main()
