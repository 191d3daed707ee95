# The example programs, in the order the tutorial teaches them: the one list
# of examples that the build, the tests, the packages and the pages read.
# Example <name> is examples/<name>.cpp. Its replay runner plays the short
# script examples/scripts/<name>.scr, with the runner options in
# KELTO_EXAMPLE_OPTIONS_<name> (none when unset), for the picture that shows
# what the example does.
set(KELTO_EXAMPLES
  shapes_and_colours
  bouncing_ball
  click_to_draw
  typed_keys
  ask_name
  catch_the_square
)
set(KELTO_EXAMPLE_OPTIONS_bouncing_ball --ticks 3)
set(KELTO_EXAMPLE_OPTIONS_ask_name --line Ada)
set(KELTO_EXAMPLE_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/../examples/scripts)
cmake_path(NORMAL_PATH KELTO_EXAMPLE_SCRIPTS)
