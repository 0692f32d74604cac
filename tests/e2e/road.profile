# The player named on the road, on the casual voyage, at stage 1 level 2 after winning
# level 1 (its record: level 1, passed, stage 1, a score above 0), with a total above 0.
name = "ANN"
flowType = "CASUAL"
numerStageu = 1
numerLevelu = 2
gameType = "MAIN-GAME"
level1 = 1, 1, [0-9]+, 1, [1-9][0-9]*,
score = [1-9][0-9]*$
# Level 2 was lost and started again: its record is not passed.
level2 = 2, 0,
