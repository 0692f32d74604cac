# The second start read the pending tips back and put none of the shown ones back: the
# level-2 board shows only its own tip again, and the list holds the same tips as before.
name = "ANN"
numerLevelu = 2
tutorialOn = 1
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
