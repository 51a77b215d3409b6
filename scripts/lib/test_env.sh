# Starts and stops what the tests meet for real: an X server (Xvfb, Mesa's
# software GL; its screen is ${TEST_ENV_SCREEN:-1280x1024x24}) and a PulseAudio
# daemon with a null sink. Sourced by scripts/test.

test_env_dir=""
xvfb_pid=""

start_test_env() {
    test_env_dir="$(mktemp -d /tmp/coilrun-test.XXXXXX)"
    # Settings, caches and the web engine's profile go to a throw-away home.
    export HOME="$test_env_dir/home" XDG_CONFIG_HOME="$test_env_dir/home/.config"
    export XDG_DATA_HOME="$test_env_dir/home/.local/share" XDG_CACHE_HOME="$test_env_dir/home/.cache"
    export XDG_RUNTIME_DIR="$test_env_dir/run"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"

    # The server picks a free display itself and writes its number to the pipe, so
    # that test environments started at the same moment never share one.
    local display="" fifo="$test_env_dir/displayfd"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${TEST_ENV_SCREEN:-1280x1024x24}" -nolisten tcp \
        3>"$fifo" >"$test_env_dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    read -r -t 20 display <"$fifo" || true
    rm -f "$fifo"
    if [[ -n "$display" ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
        export DISPLAY=":$display"
    else
        kill "$xvfb_pid" 2>/dev/null
        xvfb_pid=""
    fi
    [[ -n "$xvfb_pid" ]] || { echo "test env: no X display could be started" >&2; return 1; }

    export QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1
    export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
    unset COILRUN_SCORE_SERVER WAYLAND_DISPLAY

    pulseaudio -D --exit-idle-time=-1 -n --load=module-null-sink \
        --load=module-native-protocol-unix --log-target=file:"$test_env_dir/pulse.log" \
        >/dev/null 2>&1 || echo "test env: pulseaudio did not start; sound tests will say so" >&2
    export COILRUN_TEST_SINK=null
}

stop_test_env() {
    pulseaudio --kill >/dev/null 2>&1 || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    [[ -n "$test_env_dir" ]] && rm -rf "$test_env_dir"
    return 0
}
