# The second start read the pending tips back and put none of the shown ones back: the
# level-2 board shows no tip, and the list still holds only the mini-games' first tips.
name = "ANN"
numerLevelu = 2
tutorialOn = 1
i = 3$
tip1 = "HIDDEN-OBJECTS"
tip2 = "BLOCK-PUZZLE"
tip3 = "INLAY"
