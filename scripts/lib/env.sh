# Shared settings of the scripts: one Wine prefix for the project's tests and
# demos, kept outside the tree so a fresh clone reuses a prepared one.
: "${WINEPREFIX:=${XDG_CACHE_HOME:-$HOME/.cache}/quill/wineprefix}"
: "${WINEDEBUG:=-all}"
: "${QUILL_CACHE:=${XDG_CACHE_HOME:-$HOME/.cache}/quill}"
export WINEPREFIX WINEDEBUG QUILL_CACHE
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
