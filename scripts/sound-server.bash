# Sourced by scripts/bench: starts a private PulseAudio server with a null sink
# named "tonvirta" and exports PULSE_SERVER for it; stops it when the calling script exits.
# Where none can start, PULSE_SERVER stays unset and the callers say so.
sound_dir=$(mktemp -d)
sound_pid=
stop_sound_server() {
  [ -n "$sound_pid" ] && kill "$sound_pid" 2>/dev/null
  rm -rf "$sound_dir"
}
trap stop_sound_server EXIT
if command -v pulseaudio >/dev/null 2>&1; then
  pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no \
    --load="module-null-sink sink_name=tonvirta rate=48000" \
    --load="module-native-protocol-unix socket=$sound_dir/native auth-anonymous=1" >"$sound_dir/log" 2>&1 &
  sound_pid=$!
  for _ in $(seq 50); do
    PULSE_SERVER="unix:$sound_dir/native" pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
fi
if PULSE_SERVER="unix:$sound_dir/native" pactl info >/dev/null 2>&1; then
  export PULSE_SERVER="unix:$sound_dir/native"
fi
