# Sourced by the end-to-end scripts. The games a script starts keep to a runtime folder and a
# data folder of the script's own: a game never hands its file to the game of another test
# running beside it (they find each other through the runtime folder), and never resumes a game
# that another test left behind. A script may point XDG_DATA_HOME elsewhere after this.
PRIVATE_SESSION="$(mktemp -d /tmp/vexil-e2e-XXXXXX)"
export XDG_RUNTIME_DIR="$PRIVATE_SESSION/runtime"
export XDG_DATA_HOME="$PRIVATE_SESSION/data"
mkdir -m 700 "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME"
