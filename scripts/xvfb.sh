# Sourced: starts Xvfb on a free display and exports DISPLAY and WD_XVFB_PID.
# 1280x800 at 24 bits: large enough for the maximised main window.
for n in $(seq 90 130); do
  [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  WD_XVFB_PID=$!
  for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
  export DISPLAY=":$n" WD_XVFB_PID
  break
done
