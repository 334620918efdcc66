# Debian source packages for the libraries the project builds itself (the
# cross build's and the fuzz build's). Source this file.

# The giflib files that make the decoding and encoding library (its tools are
# left out); openbsd-reallocarray.c exists in some versions only.
giflib_sources=(dgif_lib.c egif_lib.c gifalloc.c gif_err.c gif_font.c gif_hash.c openbsd-reallocarray.c quantize.c)

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

# Unpacks source package $1 at version $2 (else the newest there is) into the
# current directory and prints the folder it made.
deb_source_fetch() {
  deb_source_enable
  apt-get source -q "$1=$2" >/dev/null 2>&1 || apt-get source -q "$1" >/dev/null
  find . -maxdepth 1 -type d -name "$1-*" | head -n 1
}
