# The start of every end-to-end script that plays the game on screen: runs the script again
# under a private Xvfb, takes GAME (the binary) and RUN_DIR from its arguments and loads the
# helpers. Source it first, from the script's own folder.
if [ -z "${LORNHAVEN_E2E_XVFB:-}" ]; then
    LORNHAVEN_E2E_XVFB=1 exec "$(dirname "$0")/../with-xvfb.sh" "$0" "$@"
fi
GAME=$1
RUN_DIR=$2
. "$(dirname "$0")/lib/common.sh"
. "$(dirname "$0")/lib/screen.sh"
