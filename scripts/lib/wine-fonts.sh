# Quill's layout is measured in "MS Sans Serif" 8 pt. Wine's own free version
# of that font (Debian package fonts-wine) is not found by Debian's 32-bit Wine
# unless it lies in the prefix's Fonts folder; without it every text falls back
# to a wider font and overflows its box. Source it, then call wine_fonts_ensure.
wine_fonts_ensure() {
  local source=/usr/share/wine/fonts
  local target="$WINEPREFIX/drive_c/windows/Fonts"
  if [ ! -f "$source/sserife.fon" ]; then
    echo "note: Wine's fonts are missing (apt-get install fonts-wine); texts will use a wider substitute" >&2
    return 0
  fi
  [ -d "$target" ] || return 0
  [ -f "$target/sserife.fon" ] && return 0
  cp "$source"/*.fon "$source"/*.ttf "$target"/ 2>/dev/null || true
}
