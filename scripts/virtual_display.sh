# Sourced by every script that may need a display of its own: the arguments xvfb-run takes for
# it. -noreset: a server that resets when its last client goes refuses a program started in that
# moment (a script that starts the game twice).
VIRTUAL_DISPLAY=(-a -s '-screen 0 1280x800x24 -noreset')
