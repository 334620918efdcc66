# Debian source packages for the libraries the project builds itself (the
# cross build's and the fuzz build's). Source this file.

# The giflib files that make the decoding and encoding library (its tools are
# left out); openbsd-reallocarray.c exists in some versions only.
giflib_sources=(dgif_lib.c egif_lib.c gifalloc.c gif_err.c gif_font.c gif_hash.c openbsd-reallocarray.c quantize.c)
# zlib's library files at the top of its tree, and libpng's (built with its
# released default configuration, scripts/pnglibconf.h.prebuilt).
zlib_sources=(adler32.c compress.c crc32.c deflate.c gzclose.c gzlib.c gzread.c gzwrite.c infback.c inffast.c inflate.c
  inftrees.c trees.c uncompr.c zutil.c)
libpng_sources=(png.c pngerror.c pngget.c pngmem.c pngpread.c pngread.c pngrio.c pngrtran.c pngrutil.c pngset.c
  pngtrans.c pngwio.c pngwrite.c pngwtran.c pngwutil.c)
# libwebp's static libraries (decoder, encoder, demuxer) without its tools.
libwebp_cmake_options=(-DBUILD_SHARED_LIBS=OFF -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_DWEBP=OFF
  -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF
  -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF -DWEBP_BUILD_LIBWEBPMUX=OFF)

# The source version of the installed development package $1.
deb_source_version() {
  dpkg-query -W -f='${source:Version}' "$1"
}

# apt-get source needs deb-src entries: mirror the machine's own deb entries
# once.
deb_source_enable() {
  apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$' && return 0
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      > /etc/apt/sources.list.d/quill-deb-src.sources
  else
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/quill-deb-src.list
  fi
  apt-get update -q >/dev/null
}

# Unpacks source package $1 at version $2 into the current directory and
# prints the folder it made. A security update's source is not always served
# where its binaries are, so when $2 cannot be had the other versions that
# apt-cache lists are tried, newest first. The version unpacked is appended to
# the file $DEB_SOURCE_LOG when that is set.
deb_source_fetch() {
  local name=$1 wanted=$2 version
  deb_source_enable
  for version in "$wanted" $(apt-cache showsrc "$name" 2>/dev/null | sed -n 's/^Version: //p' | sort -ruV); do
    apt-get source -q --download-only "$name=$version" >/dev/null 2>&1 || continue
    dpkg-source -x "${name}_${version#*:}.dsc" >/dev/null 2>&1 || continue
    [ -z "${DEB_SOURCE_LOG:-}" ] || echo "$name $version" >> "$DEB_SOURCE_LOG"
    find . -maxdepth 1 -type d -name "$name-*" | head -n 1
    return 0
  done
  echo "no source of $name could be fetched" >&2
  return 1
}
