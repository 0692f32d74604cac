# Continuing changed nothing of the progress: still level 2 of stage 1, level 1 still won.
name = "ANN"
flowType = "CASUAL"
numerStageu = 1
numerLevelu = 2
level1 = 1, 1, [0-9]+, 1, [1-9][0-9]*,
score = [1-9][0-9]*$
