# The player taught on level 1 and on to level 2, the tutorial still on: every tip of the
# first level and of its win screen was shown and left the pending list, so the tips
# left are the mini-games' first ones and those of the next boards (level 2's stands over
# its board, not yet done) and of the hard voyage, which this player never meets.
name = "ANN"
numerLevelu = 2
tutorialOn = 1
level1 = 1, 1, [0-9]+, 1, [1-9][0-9]*,
i = 9$
tip1 = "HIDDEN-OBJECTS"
tip2 = "BLOCK-PUZZLE"
tip3 = "INLAY"
tip4 = "EMPTY-ROWS"
tip5 = "MORE-THAN-HALF"
tip6 = "FENCED-IN"
tip7 = "HARD-WELCOME"
tip8 = "HARD-EMPTY-LINES"
tip9 = "HARD-MORE-THAN-HALF"
