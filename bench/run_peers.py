#!/usr/bin/env python3
"""Times quill-cli and its peers on a 12-megapixel JPEG and a batch of 24.

Usage: run_peers.py QUILL_CLI QUILL_CLI_EXE|"" PHOTO_JPG CHAT_PALETTE [--runs N]

Every peer does the same job: decode the JPEG, scale it to 25 per cent, take
the 132 x 132 section at the top left, reduce it to the chat palette with
Floyd-Steinberg and write a BMP file. quill-cli runs with --scale 125 (0.25);
ImageMagick runs `convert -resize 25% -crop 132x132+0+0 -dither
FloydSteinberg -remap PALETTE`, once plain and once with -define
jpeg:size=1000x750 so that libjpeg decodes at a reduced size; Pillow opens,
resizes (bilinear), crops and quantizes with the palette, once plain and once
with Image.draft, its reduced-size decode. djpeg's plain decode of the file is
the reference. Each row is one process per picture or one process for the
batch, as the tool is meant to be run; the times are wall clock, start-up
included, best and median of the runs, which go round all the commands in
turn. For the batch every peer gets its fastest honest
setting on this machine's processors: quill-cli -j, ImageMagick with its own
threads one picture after the other and one picture per processor, Pillow in a
pool of one process per processor.
"""
import os
import shlex
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

PILLOW_ONE = r"""
import sys
from PIL import Image
palette, draft, out = sys.argv[1], sys.argv[2] == "1", sys.argv[3]
values = []
for line in open(palette):
    if line.strip():
        v = int(line, 16)
        values += [v >> 16, (v >> 8) & 255, v & 255]
palimg = Image.new("P", (1, 1))
palimg.putpalette(values)
def convert(job):
    path, target = job
    image = Image.open(path)
    if draft:
        image.draft("RGB", (image.width // 4, image.height // 4))
    image = image.convert("RGB").resize((1000, 750), Image.BILINEAR).crop((0, 0, 132, 132))
    image.quantize(palette=palimg, dither=Image.Dither.FLOYDSTEINBERG).save(target)
jobs = [(p, os.path.join(out, os.path.basename(p) + ".bmp")) for p in sys.argv[4:]]
if len(jobs) == 1:
    convert(jobs[0])
else:
    from multiprocessing import Pool
    with Pool(os.cpu_count()) as pool:
        pool.map(convert, jobs)
"""


def wall_times(commands, runs):
    """Wall-clock seconds of every command in every run. The runs go round the
    commands in turn, so that a slow spell of a shared machine falls on all of
    them alike rather than on whichever ran then."""
    times = [[] for _ in commands]
    for _ in range(runs):
        for i, args in enumerate(commands):
            start = time.perf_counter()
            subprocess.run(args, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            times[i].append(time.perf_counter() - start)
    return times


def main():
    native, exe, photo, palette = sys.argv[1:5]
    runs = int(sys.argv[sys.argv.index("--runs") + 1]) if "--runs" in sys.argv else 3
    cpus = os.cpu_count()
    with tempfile.TemporaryDirectory() as tmp:
        big = os.path.join(tmp, "photo-12mp.jpg")
        subprocess.run(["convert", photo, "-resize", "4000x3000!", "-seed", "1", "-attenuate", "0.4",
                        "+noise", "Gaussian", "-quality", "90", "-sampling-factor", "2x2", big], check=True)
        batch_dir = os.path.join(tmp, "batch")
        os.mkdir(batch_dir)
        batch = []
        for i in range(24):
            batch.append(os.path.join(batch_dir, f"photo-{i:02}.jpg"))
            shutil.copyfile(big, batch[-1])
        pal_png = os.path.join(tmp, "palette.png")
        with open(palette) as f:
            colours = ["#" + line.strip() for line in f if line.strip()]
        subprocess.run(["convert", "-size", "1x1"] + [f"xc:{c}" for c in colours] + ["+append", pal_png],
                       check=True)
        out = os.path.join(tmp, "out")
        os.mkdir(out)
        pillow = os.path.join(tmp, "pillow_one.py")
        with open(pillow, "w") as f:
            f.write("import os\n" + PILLOW_ONE)

        def quill(program, pictures, jobs=None):
            args = ([program] if not program.endswith(".exe") else ["wine", program]) + pictures
            args += ["--scale", "125", "-o", out + "/"]
            return args + (["-j", str(jobs)] if jobs else [])

        def magick(picture, size):
            define = ["-define", "jpeg:size=1000x750"] if size else []
            return (["convert"] + define + [picture, "-resize", "25%", "-crop", "132x132+0+0", "+repage",
                    "-dither", "FloydSteinberg", "-remap", pal_png, os.path.join(out, "im.bmp")])

        # One picture per ImageMagick process, from a script that the batch rows run.
        im_one = os.path.join(tmp, "im_one.sh")
        with open(im_one, "w") as f:
            f.write('exec convert -define jpeg:size=1000x750 "$1" -resize 25% -crop 132x132+0+0 +repage '
                    f'-dither FloydSteinberg -remap {pal_png} "{out}/$(basename "$1").bmp"\n')

        def magick_batch(parallel):
            if parallel:
                return ["sh", "-c", f'printf "%s\\n" "$@" | MAGICK_THREAD_LIMIT=1 xargs -P {cpus} -n 1 sh {im_one}',
                        "sh"] + batch
            return ["sh", "-c", f'for p; do sh {im_one} "$p"; done', "sh"] + batch

        def pillow_run(pictures, draft):
            return [sys.executable, pillow, palette, "1" if draft else "0", out] + pictures

        rows = [("djpeg -outfile /dev/null (decode alone)", ["djpeg", "-outfile", os.devnull, big])]
        rows.append(("quill-cli --scale 125 (native)", quill(native, [big])))
        if exe:
            rows.append(("quill-cli.exe --scale 125 (Wine)", quill(exe, [big])))
            # The program's own start and exit under Wine, doing nothing else.
            rows.append(("quill-cli.exe --version (Wine's start-up)", ["wine", exe, "--version"]))
        rows.append(("convert ... -remap", magick(big, False)))
        rows.append(("convert -define jpeg:size=1000x750 ... -remap", magick(big, True)))
        rows.append(("Pillow, no draft", pillow_run([big], False)))
        rows.append(("Pillow, draft", pillow_run([big], True)))
        print(f"One 12-megapixel JPEG, wall-clock ms, best and median of {runs} runs taken in turn; "
              f"load before: {os.getloadavg()[0]:.2f}")
        print("| command | best | / djpeg | median | / djpeg |")
        times = wall_times([args for _, args in rows], runs)
        best0, median0 = min(times[0]), statistics.median(times[0])
        for (name, _), t in zip(rows, times):
            best, median = min(t), statistics.median(t)
            print(f"| {name} | {best * 1000:.1f} | {best / best0:.2f}x | {median * 1000:.1f} | "
                  f"{median / median0:.2f}x |", flush=True)

        # The ceiling for -j: the batch split beforehand between independent
        # -j 1 processes started together, with no claiming, no job folder
        # and no worker started by another. It shows what the machine's
        # processors give side by side, whatever quill-cli does.
        def side_by_side(program):
            share = -(-len(batch) // cpus)
            commands = [" ".join(shlex.quote(a) for a in quill(program, batch[i:i + share], 1))
                        for i in range(0, len(batch), share)]
            return ["sh", "-c", " & ".join(commands) + " & wait"]

        rows = [("quill-cli -j 1 (native)", quill(native, batch, 1)),
                (f"quill-cli -j {cpus} (native)", quill(native, batch, cpus)),
                (f"{cpus} x quill-cli -j 1 side by side, a share each (native)", side_by_side(native))]
        if exe:
            rows += [("quill-cli.exe -j 1 (Wine)", quill(exe, batch, 1)),
                     (f"quill-cli.exe -j {cpus} (Wine)", quill(exe, batch, cpus)),
                     (f"{cpus} x quill-cli.exe -j 1 side by side, a share each (Wine)", side_by_side(exe))]
        rows += [("convert -define jpeg:size, one after the other", magick_batch(False)),
                 (f"convert -define jpeg:size, {cpus} at a time, one thread each", magick_batch(True)),
                 (f"Pillow, pool of {cpus}, no draft", pillow_run(batch, False)),
                 (f"Pillow, pool of {cpus}, draft", pillow_run(batch, True))]
        print(f"Batch of 24 such JPEGs, wall-clock ms, best and median of {runs} runs taken in turn; "
              f"load before: {os.getloadavg()[0]:.2f}")
        print("| command | best | per picture | median | per picture |")
        times = wall_times([args for _, args in rows], runs)
        for (name, _), t in zip(rows, times):
            best, median = min(t), statistics.median(t)
            print(f"| {name} | {best * 1000:.1f} | {best / 24 * 1000:.1f} | {median * 1000:.1f} | "
                  f"{median / 24 * 1000:.1f} |", flush=True)


if __name__ == "__main__":
    main()
