# Starts a private Xvfb display and a persistent Wine server for a batch of
# Wine runs, and stops both on exit. Source it, then call wine_session_start.

# A private Xvfb display: the first free number from 91, exported as DISPLAY;
# its process is $QUILL_XVFB_PID.
xvfb_start() {
  local display_number
  for display_number in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ] || break
  done
  Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
  QUILL_XVFB_PID=$!
  export DISPLAY=":$display_number"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display_number" ] && break; sleep 0.1; done
}

wine_session_start() {
  xvfb_start
  # Scripts started from inside the session use it rather than their own.
  export QUILL_WINE_SESSION=1
  # Wine's background processes must not inherit the test runner's pipes, or
  # the runner waits for them: start them here with output detached.
  # (wineserver -p fails harmlessly when a server already runs for the prefix.)
  wineserver -p >/dev/null 2>&1 </dev/null || true
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  trap wine_session_stop EXIT
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${QUILL_XVFB_PID:-}" ] && kill "$QUILL_XVFB_PID" 2>/dev/null || true
}
